#pragma once

#include <QString>

namespace data {

// The text converted to an integer: an optional sign and decimal digits, blanks around
// allowed. Anything else (empty, "1.5", "abc", out of 32-bit range) throws ConvertError.
int toInteger(const QString& text);

// The text converted to a floating value. Accepted: the system locale's format and a plain
// dot as decimal separator, an optional sign, an exponent. Group separators are never
// accepted, so "2,5" under a locale whose decimal separator is a dot is refused rather than
// read as 25; under a comma locale it is 2.5. Infinite and NaN results are refused.
double toFloat(const QString& text);

// Same as toFloat, with an explicit decimal separator (for tests and fixed formats).
double toFloat(const QString& text, QChar localeDecimalPoint);

// The text is a real calendar date written "YYYY-MM-DD".
bool isValidDateText(const QString& text);

} // namespace data
