#pragma once

#include <QString>

namespace data {
class Database;
}

namespace tools {

// A backup is a text file of every table of the program: its columns and its rows as JSON
// arrays, the same for both engines (a backup of a SQLite database restores into MariaDB
// and the other way round).
void writeBackup(data::Database& db, const QString& path);

// Restores a backup into the connection's tables, in one transaction. Tables that hold
// rows are refused unless `replace` is set, which empties them first. Throws data::Error
// with a readable text; on failure nothing is changed.
void restoreBackup(data::Database& db, const QString& path, bool replace);

} // namespace tools
