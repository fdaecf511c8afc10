#include "stores/bounds.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>
#include <limits>

namespace stores::bounds {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("stores::bounds", text);
}

QString number(double value)
{
    return QLocale::c().toString(value, 'g', 12);
}

} // namespace

void requireQuantity(double quantity, const QString& field)
{
    if (!std::isfinite(quantity) || quantity <= 0 || quantity > kMaxQuantity)
        throw InvalidValue(field, tr("The %1 must be above 0 and at most 1,000,000,000; %2 cannot be saved.")
                                      .arg(field, number(quantity)));
}

void requirePercent(double percent, const QString& field)
{
    if (!std::isfinite(percent) || percent < 0 || percent > 100)
        throw InvalidValue(field,
                           tr("The %1 is a percentage from 0 to 100; %2 cannot be saved.").arg(field, number(percent)));
}

void requirePrice(double price, const QString& field)
{
    if (!std::isfinite(price) || price < 0 || price > kMaxPrice)
        throw InvalidValue(field, tr("The %1 must be 0 or more and at most 1,000,000,000,000; %2 cannot be saved.")
                                      .arg(field, number(price)));
}

void requireName(const QString& text, const QString& field)
{
    if (text.trimmed().isEmpty())
        throw InvalidValue(field, tr("The %1 cannot be empty or only blanks.").arg(field));
}

void requireDocumentNumber(qint64 value, const QString& field)
{
    if (value < 1 || value > std::numeric_limits<int>::max())
        throw InvalidValue(field, tr("The %1 must be from 1 to %2; %3 cannot be saved.")
                                      .arg(field)
                                      .arg(std::numeric_limits<int>::max())
                                      .arg(value));
}

void requireCode(qint64 value, const QString& field)
{
    if (value < 0 || value > std::numeric_limits<int>::max())
        throw InvalidValue(field, tr("The %1 must be from 0 to %2; %3 cannot be saved.")
                                      .arg(field)
                                      .arg(std::numeric_limits<int>::max())
                                      .arg(value));
}

} // namespace stores::bounds
