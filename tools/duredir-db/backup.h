#pragma once

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>

namespace data {
class Database;
}

namespace tools {

// A backup is a text file of every table of the program: its columns and its rows as JSON
// arrays, the same for both engines (a backup of a SQLite database restores into MariaDB
// and the other way round).

// Rows per table, in the order of the file.
using TableCounts = QList<QPair<QString, int>>;

// Writes the backup readable by its user only (0600). An existing file is refused unless
// `force` is set. The file is written under a temporary name in the same folder and renamed
// over `path` only when complete, so a backup cut off half-way never replaces a good one.
// Throws data::Error with a readable text.
TableCounts writeBackup(data::Database& db, const QString& path, bool force);

// Restores a backup into the connection's tables, in one transaction. Tables that hold
// rows are refused unless `replace` is set, which empties them first. Throws data::Error
// with a readable text; on failure nothing is changed. Returns the rows restored per table.
TableCounts restoreBackup(data::Database& db, const QString& path, bool replace);

// Where the last backup of a data source went and when it was made, kept per user beside
// the program's other state ($XDG_STATE_HOME/duredir/backups.ini).
struct BackupRecord {
    QString path;
    QDateTime made;
};
void recordBackup(const QString& dataSource, const QString& path);
// The last backup of the data source whose file still exists; an empty path when none.
BackupRecord lastBackup(const QString& dataSource);

} // namespace tools
