#pragma once

#include <QString>

namespace kit {

// Captions written for the 7-bit Macedonian display font keep their stored text; this
// gives the letters they stand for: @ Ž  [ Š  \ Đ  ] Ć  ^ Č  ` ž  { š  | đ  } ć  ~ č.
// Only such captions are mapped; data is shown as stored.
QString yusciiToUnicode(const QString& text);

} // namespace kit
