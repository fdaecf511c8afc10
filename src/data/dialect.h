#pragma once

#include <QString>

struct sqlite3;

namespace data::dialect {

// Statements are written once, in the MariaDB dialect. For SQLite they are rewritten:
// cast(<expr> as decimal(p,s)) becomes duredir_decimal(<expr>, s) and cast(<expr> as char)
// becomes duredir_char(<expr>); everything else is passed through unchanged.
QString toSqlite(const QString& statement);

// The magnitude beyond which a value is left out of no sum but counts as this bound: far
// above any figure a window can store (a line's quantity is at most 1e9, a price 1e12), far
// below what ten million rows could add up to before a double overflows.
constexpr double kSumBound = 1e24;

// Every sum(<expr>) becomes a sum over <expr> held to +-kSumBound, so that a row another
// program wrote with an absurd value (1e308) neither makes MariaDB refuse the whole
// statement ("DOUBLE value is out of range") nor makes SQLite's sum infinite. A NULL stays
// NULL and is skipped as before. `sqlite` picks the engine's spelling (min/max there,
// least/greatest on MariaDB).
QString guardSums(const QString& statement, bool sqlite);

// Registers concat, duredir_decimal and duredir_char on a SQLite connection.
// Returns false when a registration fails.
bool registerSqliteFunctions(sqlite3* db);

// The text MariaDB gives for cast(<value> as decimal(p,scale)): the value's shortest
// decimal form rounded half away from zero to `scale` places, no negative zero.
QString decimalText(double value, int scale);
QString decimalText(long long value, int scale);
// Rounds a plain decimal number text ("-12.345") half away from zero; empty on bad input.
QString roundDecimalText(const QString& number, int scale);
// The text MariaDB gives for a double in concat() or cast(... as char): shortest form.
QString doubleText(double value);

} // namespace data::dialect
