#include "data/convert.h"

#include "data/errors.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace data {

namespace {

QString shown(const QString& text)
{
    return QStringLiteral("'%1'").arg(text);
}

} // namespace

int toInteger(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*[+-]?[0-9]+\\s*$"));
    if (re.match(text).hasMatch()) {
        bool ok = false;
        const qlonglong v = text.trimmed().toLongLong(&ok);
        if (ok && v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return int(v);
    }
    throw ConvertError(QStringLiteral("%1 is not a valid integer value").arg(shown(text)));
}

double toFloat(const QString& text, QChar localeDecimalPoint)
{
    QString t = text.trimmed();
    // A comma is a decimal separator only where the locale says so; a plain dot always is.
    if (localeDecimalPoint == QLatin1Char(',') && !t.contains(QLatin1Char('.')))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    static const QRegularExpression re(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (re.match(t).hasMatch()) {
        bool ok = false;
        const double v = QLocale::c().toDouble(t, &ok);
        if (ok && std::isfinite(v))
            return v;
    }
    throw ConvertError(QStringLiteral("%1 is not a valid floating point value").arg(shown(text)));
}

double toFloat(const QString& text)
{
    return toFloat(text, QLocale::system().decimalPoint().at(0));
}

bool isValidDateText(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!re.match(text).hasMatch())
        return false;
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return d.isValid() && d.year() >= 1;
}

} // namespace data
