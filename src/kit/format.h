#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

namespace kit {

// Number text after a mask in the original notation:
//   "0"  digit, always shown          "#"  digit, shown when significant
//   "."  decimal point                ","  (anywhere before the point) thousands groups
//   "pos;neg;zero" sections           '...' or "..." literal text; other characters literal
// Values are rounded half away from zero on their 15 significant digits, so 1.005 with
// "0.00" gives "1.01" and -0.005 gives "-0.01"; a value that rounds to zero has no sign.
// Separators are fixed ("," and ".") whatever the locale: 1234.5 with "#,##0.00" is
// "1,234.50". An empty mask gives the shortest form of the value (6 → "6", 1.5 → "1.5",
// 1e20 → "1E20"). Literals between digit placeholders are not supported.
QString formatFloat(const QString& mask, double value);

// Date text after a format in the original notation, letters in either case:
// yyyy/yy year, mm/m month (minutes right after an hour), mmm/mmmm month name, dd/d day,
// ddd/dddd day name, hh/h hour, nn/n minutes, ss/s seconds, '...' or "..." literal text.
// "yyyy-mm-dd" gives "2026-05-01", "dd.MM.yyyy" gives "01.05.2026". Names are English.
QString formatDate(const QDate& date, const QString& format);
QString formatDateTime(const QDateTime& dateTime, const QString& format);

// Today written "yyyy-mm-dd".
QString today();

// A field value as a grid or a display control shows it: dates "yyyy-mm-dd" (with the time
// when there is one), floating values in the shortest form, texts as stored, NULL empty.
// With a display mask: a date value (or a "YYYY-MM-DD" text) through formatDateTime when
// the mask is a date format, a number through formatFloat otherwise.
QString formatValue(const QVariant& value, const QString& displayMask = QString());

} // namespace kit
