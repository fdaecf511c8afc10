#include "data/dialect.h"

#include <QLocale>
#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace data::dialect {

namespace {

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index of the parenthesis closing the one at `open`, skipping quoted text; -1 if none.
qsizetype matchingParen(const QString& s, qsizetype open)
{
    int depth = 0;
    QChar quote;
    for (qsizetype i = open; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (!quote.isNull()) {
            if (c == QLatin1Char('\\') && quote != QLatin1Char('`')) {
                ++i;
            } else if (c == quote) {
                if (i + 1 < s.size() && s.at(i + 1) == quote)
                    ++i;
                else
                    quote = QChar();
            }
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            if (--depth == 0)
                return i;
        }
    }
    return -1;
}

// Position of the top-level keyword " as " inside a cast's parentheses; -1 if none.
qsizetype topLevelAs(const QString& inner)
{
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i + 1 < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`'))
            quote = c;
        else if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')'))
            --depth;
        else if (depth == 0 && (c == QLatin1Char('a') || c == QLatin1Char('A'))
                 && (inner.at(i + 1) == QLatin1Char('s') || inner.at(i + 1) == QLatin1Char('S'))
                 && (i == 0 || !isIdentChar(inner.at(i - 1))) && (i + 2 >= inner.size() || !isIdentChar(inner.at(i + 2))))
            return i;
    }
    return -1;
}

// Outside quoted text, the position where the word `name` (in any case) followed by "("
// begins; the parenthesis's position in *parenPos. -1 if none.
qsizetype findCall(const QString& s, qsizetype from, QLatin1String name, qsizetype* parenPos)
{
    QChar quote;
    for (qsizetype i = from; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
            continue;
        }
        if (QStringView(s).mid(i, name.size()).compare(name, Qt::CaseInsensitive) == 0
            && (i == 0 || !isIdentChar(s.at(i - 1)))) {
            qsizetype j = i + name.size();
            while (j < s.size() && s.at(j).isSpace())
                ++j;
            if (j < s.size() && s.at(j) == QLatin1Char('(')) {
                *parenPos = j;
                return i;
            }
        }
    }
    return -1;
}

std::string shortest(double v)
{
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

QString textOf(sqlite3_value* v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return doubleText(sqlite3_value_double(v));
    default: {
        const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
        return t ? QString::fromUtf8(t, sqlite3_value_bytes(v)) : QString();
    }
    }
}

void resultText(sqlite3_context* ctx, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void concatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    QString out;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx); // as MariaDB: NULL in, NULL out
            return;
        }
        out += textOf(argv[i]);
    }
    resultText(ctx, out);
}

void charFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, textOf(argv[0]));
}

void decimalFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const int scale = qBound(0, sqlite3_value_int(argv[1]), 30);
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        resultText(ctx, decimalText(static_cast<long long>(sqlite3_value_int64(argv[0])), scale));
        return;
    case SQLITE_FLOAT:
        resultText(ctx, decimalText(sqlite3_value_double(argv[0]), scale));
        return;
    default: {
        // Text is read as MariaDB reads it: its leading number, otherwise 0.
        static const QRegularExpression lead(QStringLiteral("^\\s*([+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?)"));
        const auto m = lead.match(textOf(argv[0]));
        double d = 0.0;
        if (m.hasMatch())
            d = m.captured(1).toDouble();
        resultText(ctx, decimalText(d, scale));
        return;
    }
    }
}

} // namespace

QString roundDecimalText(const QString& number, int scale)
{
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?$"));
    const auto m = re.match(number);
    if (!m.hasMatch())
        return QString();
    const bool negative = m.captured(1) == QLatin1String("-");
    QString intPart = m.captured(2);
    QString frac = m.captured(3);
    if (intPart.isEmpty())
        intPart = QStringLiteral("0");
    bool roundUp = frac.size() > scale && frac.at(scale) >= QLatin1Char('5');
    frac = frac.left(scale).leftJustified(scale, QLatin1Char('0'));
    QString digits = intPart + frac;
    if (roundUp) {
        qsizetype i = digits.size() - 1;
        for (; i >= 0; --i) {
            if (digits.at(i) == QLatin1Char('9')) {
                digits[i] = QLatin1Char('0');
            } else {
                digits[i] = QChar(digits.at(i).unicode() + 1);
                break;
            }
        }
        if (i < 0)
            digits.prepend(QLatin1Char('1'));
    }
    QString ip = digits.left(digits.size() - scale);
    const QString fp = digits.right(scale);
    while (ip.size() > 1 && ip.at(0) == QLatin1Char('0'))
        ip.remove(0, 1);
    if (ip.isEmpty())
        ip = QStringLiteral("0");
    // A plain scan: this runs for every cast value of every row read on SQLite.
    const auto nonZero = [](const QString& d) {
        return std::any_of(d.cbegin(), d.cend(), [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
    };
    const bool zero = !nonZero(ip) && !nonZero(fp);
    QString out = (negative && !zero ? QStringLiteral("-") : QString()) + ip;
    if (scale > 0)
        out += QLatin1Char('.') + fp;
    return out;
}

QString decimalText(double value, int scale)
{
    if (!std::isfinite(value))
        return QString();
    return roundDecimalText(QString::fromStdString(shortest(value)), scale);
}

QString decimalText(long long value, int scale)
{
    return roundDecimalText(QString::number(value), scale);
}

QString doubleText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString guardSums(const QString& statement, bool sqlite)
{
    // Most statements sum nothing: a plain scan first.
    if (!statement.contains(QLatin1String("sum"), Qt::CaseInsensitive))
        return statement;
    const QString bound = QString::number(kSumBound, 'g', 3);
    const QString open = sqlite ? QStringLiteral("max(min(") : QStringLiteral("least(greatest(");
    const QString close = sqlite ? QStringLiteral(",%1),-%1)").arg(bound) : QStringLiteral(",-%1),%1)").arg(bound);
    QString s = statement;
    qsizetype from = 0;
    for (;;) {
        qsizetype paren = -1;
        if (findCall(s, from, QLatin1String("sum"), &paren) < 0)
            break;
        const qsizetype end = matchingParen(s, paren);
        if (end < 0)
            break;
        // Sums inside the argument are guarded too: the argument is rewritten first.
        const QString inner = guardSums(s.mid(paren + 1, end - paren - 1), sqlite);
        const QString replacement = open + inner + close;
        s.replace(paren + 1, end - paren - 1, replacement);
        from = paren + replacement.size() + 2; // past the closing parenthesis of this sum
    }
    return s;
}

QString toSqlite(const QString& statement)
{
    QString s = statement;
    static const QRegularExpression decimalType(QStringLiteral(
                                                    "^\\s*decimal\\s*\\(\\s*(\\d+)\\s*(?:,\\s*(\\d+)\\s*)?\\)\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression charType(QStringLiteral("^\\s*char\\s*$"), QRegularExpression::CaseInsensitiveOption);
    qsizetype from = 0;
    for (;;) {
        qsizetype paren = -1;
        const qsizetype start = findCall(s, from, QLatin1String("cast"), &paren);
        if (start < 0)
            break;
        const qsizetype close = matchingParen(s, paren);
        if (close < 0)
            break;
        const QString inner = s.mid(paren + 1, close - paren - 1);
        const qsizetype as = topLevelAs(inner);
        if (as < 0) {
            from = paren + 1;
            continue;
        }
        const QString expr = inner.left(as);
        const QString type = inner.mid(as + 2);
        QString replacement;
        if (const auto m = decimalType.match(type); m.hasMatch()) {
            const QString scale = m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
            replacement = QStringLiteral("duredir_decimal(%1,%2)").arg(toSqlite(expr.trimmed()), scale);
        } else if (charType.match(type).hasMatch()) {
            replacement = QStringLiteral("duredir_char(%1)").arg(toSqlite(expr.trimmed()));
        } else {
            from = paren + 1; // other casts are understood by SQLite itself
            continue;
        }
        s.replace(start, close - start + 1, replacement);
        from = start + replacement.size();
    }
    return s;
}

bool registerSqliteFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "concat", -1, flags, nullptr, concatFunction, nullptr, nullptr) == SQLITE_OK
           && sqlite3_create_function(db, "duredir_decimal", 2, flags, nullptr, decimalFunction, nullptr, nullptr) == SQLITE_OK
           && sqlite3_create_function(db, "duredir_char", 1, flags, nullptr, charFunction, nullptr, nullptr) == SQLITE_OK;
}

} // namespace data::dialect
