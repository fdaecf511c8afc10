#pragma once

#include <QString>

// The cursor the X server shows at the pointer on `display` (":1"), as size, name and a
// hash of its pixels: two readings are equal when the same cursor shows. Empty when it
// cannot be read (no XFixes where the test was built, or no display).
QString shownCursor(const QString& display);
