// libFuzzer target: the SQLite rewriting of statements, the decimal rounding, and the
// number and date conversions must never crash, hang or read out of bounds on any input,
// and must keep their promises on what they accept.
#include "data/convert.h"
#include "data/dialect.h"
#include "data/errors.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(bytes), qsizetype(size));

    // Rewriting keeps text outside casts: a statement without "cast" is returned as is.
    const QString rewritten = data::dialect::toSqlite(text);
    if (!text.contains(QLatin1String("cast"), Qt::CaseInsensitive) && rewritten != text)
        std::abort();

    try {
        // Whatever is accepted as an integer is plain digits with an optional sign.
        const int v = data::toInteger(text);
        const QString t = text.trimmed();
        for (qsizetype i = 0; i < t.size(); ++i)
            if (!t.at(i).isDigit() && !(i == 0 && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))))
                std::abort();
        if (data::toInteger(QString::number(v)) != v)
            std::abort();
    } catch (const data::ConvertError&) {
    }
    for (QChar point : {QLatin1Char('.'), QLatin1Char(',')}) {
        try {
            const double d = data::toFloat(text, point);
            if (!std::isfinite(d))
                std::abort(); // infinities and NaN are refused
            for (int scale : {0, 2, 4}) {
                const QString r = data::dialect::decimalText(d, scale);
                if (r.isEmpty() || data::dialect::roundDecimalText(r, scale) != r)
                    std::abort(); // rounding an already rounded value changes nothing
            }
        } catch (const data::ConvertError&) {
        }
    }
    (void)data::dialect::roundDecimalText(text, int(size % 8));
    if (data::isValidDateText(text) && text.size() != 10)
        std::abort();
    return 0;
}
