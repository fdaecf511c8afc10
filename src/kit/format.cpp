#include "kit/format.h"

#include <QLocale>

#include <cmath>

namespace kit {

namespace {

// A non-negative decimal number: digits d1..dn (no trailing zeros; empty for zero) and the
// number of digits before the decimal point, value = d1..dn x 10^(intLen - n).
struct Decimal {
    QString digits;
    int intLen = 0;

    bool isZero() const { return digits.isEmpty(); }

    static Decimal fromDouble(double value)
    {
        Decimal d;
        value = std::fabs(value);
        if (value == 0 || !std::isfinite(value))
            return d;
        // 15 significant digits, as the original number formatting worked with.
        const QString s = QString::number(value, 'e', 14); // d.dddddddddddddde+XX
        const qsizetype e = s.indexOf(QLatin1Char('e'));
        d.digits = s.left(1) + s.mid(2, e - 2);
        d.intLen = s.mid(e + 1).toInt() + 1;
        d.trim();
        return d;
    }

    void trim()
    {
        while (!digits.isEmpty() && digits.back() == QLatin1Char('0'))
            digits.chop(1);
    }

    // Rounds half away from zero to `decimals` places after the point.
    void round(int decimals)
    {
        const int keep = intLen + decimals;
        if (keep >= int(digits.size()))
            return;
        if (keep < 0) {
            digits.clear();
            return;
        }
        const bool up = digits.at(keep) >= QLatin1Char('5');
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits.at(i) == QLatin1Char('9'))
                digits[i--] = QLatin1Char('0');
            if (i < 0) {
                digits.prepend(QLatin1Char('1'));
                ++intLen;
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
            }
        }
        trim();
    }

    QString integerPart() const
    {
        if (intLen <= 0 || isZero())
            return {};
        return digits.left(intLen).leftJustified(intLen, QLatin1Char('0'));
    }

    QString fractionPart() const
    {
        if (isZero())
            return {};
        if (intLen >= 0)
            return digits.mid(intLen);
        return QString(-intLen, QLatin1Char('0')) + digits;
    }
};

// Splits on ';' outside quoted literals.
QStringList splitSections(const QString& mask)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections.append(current);
            current.clear();
            continue;
        }
        current += c;
    }
    sections.append(current);
    return sections;
}

QString generalFormat(double value)
{
    const Decimal d = Decimal::fromDouble(value);
    if (d.isZero())
        return QStringLiteral("0");
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const int n = int(d.digits.size());
    if (d.intLen > 15 || d.intLen < -3) {
        QString mantissa = d.digits.left(1);
        if (n > 1)
            mantissa += QLatin1Char('.') + d.digits.mid(1);
        return sign + mantissa + QLatin1Char('E') + QString::number(d.intLen - 1);
    }
    if (d.intLen <= 0)
        return sign + QStringLiteral("0.") + d.fractionPart();
    if (d.intLen >= n)
        return sign + d.integerPart();
    return sign + d.integerPart() + QLatin1Char('.') + d.fractionPart();
}

QString formatSection(const QString& section, double value, bool withSign)
{
    QString prefix, suffix;
    bool seenPlaceholder = false, inFraction = false, grouping = false;
    int intPlaceholders = 0, intFromFirstZero = -1, fracPlaceholders = 0, fracMin = 0;
    QChar quote;
    for (const QChar c : section) {
        QString& literal = seenPlaceholder ? suffix : prefix;
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal += c;
            continue;
        }
        switch (c.unicode()) {
        case '\'':
        case '"':
            quote = c;
            break;
        case '0':
        case '#':
            seenPlaceholder = true;
            suffix.clear(); // literals between placeholders are dropped
            if (inFraction) {
                ++fracPlaceholders;
                if (c == QLatin1Char('0'))
                    fracMin = fracPlaceholders;
            } else {
                ++intPlaceholders;
                if (c == QLatin1Char('0') && intFromFirstZero < 0)
                    intFromFirstZero = 0;
                if (intFromFirstZero >= 0)
                    ++intFromFirstZero;
            }
            break;
        case '.':
            if (!inFraction)
                inFraction = true;
            else
                literal += c;
            break;
        case ',':
            if (!inFraction)
                grouping = true;
            break;
        default:
            literal += c;
        }
    }
    if (intPlaceholders == 0 && fracPlaceholders == 0)
        return prefix;

    Decimal d = Decimal::fromDouble(value);
    d.round(fracPlaceholders);

    QString integer = d.integerPart();
    const int minInt = qMax(0, intFromFirstZero);
    if (integer.size() < minInt)
        integer = integer.rightJustified(minInt, QLatin1Char('0'));
    if (grouping) {
        for (qsizetype pos = integer.size() - 3; pos > 0; pos -= 3)
            integer.insert(pos, QLatin1Char(','));
    }
    QString fraction = d.fractionPart().leftJustified(fracPlaceholders, QLatin1Char('0'));
    while (fraction.size() > fracMin && fraction.back() == QLatin1Char('0'))
        fraction.chop(1);

    QString out = prefix;
    if (withSign && value < 0 && !d.isZero())
        out += QLatin1Char('-');
    out += integer;
    if (!fraction.isEmpty())
        out += QLatin1Char('.') + fraction;
    return out + suffix;
}

bool isDateMask(const QString& mask)
{
    if (mask.contains(QLatin1Char('0')) || mask.contains(QLatin1Char('#')))
        return false;
    for (const QChar c : mask) {
        const QChar l = c.toLower();
        if (l == QLatin1Char('y') || l == QLatin1Char('m') || l == QLatin1Char('d'))
            return true;
    }
    return false;
}

} // namespace

QString formatFloat(const QString& mask, double value)
{
    if (mask.isEmpty())
        return generalFormat(value);
    const QStringList sections = splitSections(mask);
    const auto usable = [&](int i) { return i < sections.size() && !sections.at(i).isEmpty(); };
    if (value == 0 && usable(2))
        return formatSection(sections.at(2), value, false);
    if (value < 0 && usable(1))
        return formatSection(sections.at(1), -value, false);
    return formatSection(sections.at(0), value, true);
}

QString formatDateTime(const QDateTime& dateTime, const QString& format)
{
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    const QLocale c = QLocale::c();
    const auto two = [](int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    QString out;
    bool lastWasHour = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar ch = format.at(i);
        const QChar lower = ch.toLower();
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            const qsizetype end = format.indexOf(ch, i + 1);
            out += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run).toLower() == lower)
            ++run;
        switch (lower.unicode()) {
        case 'y':
            out += run <= 2 ? two(date.year() % 100) : QString::number(date.year());
            break;
        case 'm':
            if (lastWasHour && run <= 2)
                out += run == 1 ? QString::number(time.minute()) : two(time.minute());
            else if (run == 1)
                out += QString::number(date.month());
            else if (run == 2)
                out += two(date.month());
            else
                out += c.monthName(date.month(), run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            break;
        case 'd':
            if (run == 1)
                out += QString::number(date.day());
            else if (run == 2)
                out += two(date.day());
            else if (run <= 4)
                out += c.dayName(date.dayOfWeek(), run == 3 ? QLocale::ShortFormat : QLocale::LongFormat);
            else
                out += date.toString(QStringLiteral("yyyy-MM-dd"));
            break;
        case 'h':
            out += run == 1 ? QString::number(time.hour()) : two(time.hour());
            break;
        case 'n':
            out += run == 1 ? QString::number(time.minute()) : two(time.minute());
            break;
        case 's':
            out += run == 1 ? QString::number(time.second()) : two(time.second());
            break;
        default:
            out += format.mid(i, run);
        }
        if (lower == QLatin1Char('h'))
            lastWasHour = true;
        else if (QStringLiteral("ymdns").contains(lower))
            lastWasHour = false;
        i += run;
    }
    return out;
}

QString formatDate(const QDate& date, const QString& format)
{
    return formatDateTime(date.startOfDay(), format);
}

QString today()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

QString formatValue(const QVariant& value, const QString& displayMask)
{
    if (value.isNull() || !value.isValid())
        return {};
    const bool dateMask = !displayMask.isEmpty() && isDateMask(displayMask);
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return displayMask.isEmpty() ? value.toDate().toString(QStringLiteral("yyyy-MM-dd"))
                                     : formatDate(value.toDate(), displayMask);
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (!displayMask.isEmpty())
            return formatDateTime(dt, displayMask);
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy-MM-dd"))
                                        : dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return formatFloat(dateMask ? QString() : displayMask, value.toDouble());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return displayMask.isEmpty() || dateMask ? value.toString() : formatFloat(displayMask, value.toDouble());
    default:
        break;
    }
    QString text = value.toString(); // not const: returned below, moved rather than copied
    if (displayMask.isEmpty())
        return text;
    if (dateMask) {
        const QDateTime dt = QDateTime::fromString(text.left(19).replace(QLatin1Char(' '), QLatin1Char('T')), Qt::ISODate);
        const QDate d = dt.isValid() ? dt.date() : QDate::fromString(text.left(10), Qt::ISODate);
        if (dt.isValid())
            return formatDateTime(dt, displayMask);
        return d.isValid() ? formatDate(d, displayMask) : text;
    }
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    return ok ? formatFloat(displayMask, number) : text;
}

} // namespace kit
