#pragma once

#include <QString>

struct sqlite3;

namespace data::dialect {

// Statements are written once, in the MariaDB dialect. For SQLite they are rewritten:
// cast(<expr> as decimal(p,s)) becomes duredir_decimal(<expr>, s) and cast(<expr> as char)
// becomes duredir_char(<expr>); everything else is passed through unchanged.
QString toSqlite(const QString& statement);

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
