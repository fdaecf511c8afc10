#pragma once

#include "data/backupfile.h"

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
// and the other way round), closed by a trailer of row counts and a checksum
// (data/backupfile.h).

using TableCounts = data::TableCounts;

// Writes the backup readable by its user only (0600). An existing file is refused unless
// `force` is set. Never written, even with `force`: the data source's own database file
// (by any name or link that leads to it, its journal files too) and anything that is not a
// regular file (a folder, a device, a FIFO). The file is written under a temporary name in
// the same folder and renamed over `path` only when complete, so a backup cut off half-way
// never replaces a good one. Throws data::Error with a readable text.
TableCounts writeBackup(data::Database& db, const QString& path, bool force);

// Restores a backup into the connection's tables, in one transaction. The whole file is
// checked first (trailer, counts, checksum, each value against its column); a backup of an
// older version, which has no trailer, is refused unless `acceptUnchecked` is set. Tables
// that hold rows are refused unless `replace` is set, which empties them first. Throws
// data::Error with a readable text; on failure nothing is changed. Returns the rows
// restored per table.
TableCounts restoreBackup(data::Database& db, const QString& path, bool replace, bool acceptUnchecked);

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
