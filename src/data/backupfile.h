#pragma once

#include "data/errors.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

namespace data {

// The format of a backup file, without any database: the writer and the reader of
// duredir-db, and the fuzz target.
//
//   DUREDIR-BACKUP 2
//   TABLE artikli 2              a table, the rows that follow
//   ["id","sifra",...]           its columns
//   [1,100,"NAIL","PCS"]         its rows, JSON arrays
//   ...
//   TRAILER                      what a whole backup ends with:
//   COUNT artikli 2              every table in the order of the file with its rows,
//   SHA-256 <hex>                the checksum of every byte before "TRAILER".
//
// Version 1 files (written before the trailer) are the same without the trailer; whether
// they are whole cannot be told, so they are read only on request.

// Rows per table, in the order of the file.
using TableCounts = QList<QPair<QString, int>>;

// How the program's tables store a column, after the schema.
enum class ColumnKind { Integer, Real, Date, Text };
// The kind of `table`.`column` (lower case); false when the schema has no such column.
bool columnKind(const QString& table, const QString& column, ColumnKind* kind);
// Why `value` does not fit a column of that kind (empty: it fits). Integers are whole
// numbers that the engines' INT holds (32 bits), reals finite numbers, dates
// 'YYYY-MM-DD' (a real date), texts strings (or numbers, which become their text);
// null fits every kind, and no text holds half of a surrogate pair.
QString valueMisfit(ColumnKind kind, const QJsonValue& value);

// Writes a backup to `out` in the current format; the caller checks the device for errors.
class BackupWriter {
public:
    explicit BackupWriter(QIODevice& out);
    void table(const QString& name, const QStringList& columns, int rows);
    void row(const QJsonArray& values);
    // Writes the trailer; nothing may follow.
    void finish();
    // False once a write to the device failed.
    bool ok() const { return m_ok; }
    const TableCounts& counts() const { return m_counts; }

private:
    void line(const QByteArray& text);

    QIODevice& m_out;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    TableCounts m_counts;
    bool m_ok = true;
};

// What a reader passes on, table by table and row by row. A callback that throws stops the
// reading with its error.
struct BackupSink {
    std::function<void(const QString& table, const QStringList& columns, int rows)> table;
    std::function<void(const QJsonArray& values)> row;
};

// The file is not a whole, sound backup; the text says why, naming the file and line.
class BackupError : public Error {
public:
    enum class Reason {
        NotABackup, // no backup of this program at all
        CutOff,     // ends before its trailer, or inside a line
        Damaged,    // counts or checksum differ, or a line is not what the format has there
        Unchecked,  // an older backup without a trailer, read without acceptUnchecked
        BadValue,   // a value that its column's type does not hold
    };
    BackupError(Reason reason, const QString& text) : Error(text), m_reason(reason) {}
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// Reads a whole backup from `in` (`name` names it in messages) and passes its tables and
// rows to `sink` (either callback may be empty). Tables are the program's own, each once;
// every row has one value per column and each value fits its column; a current file's
// counts and checksum match its trailer. An older file without a trailer is refused unless
// `acceptUnchecked` is set. Rows reach the sink before the checksum is known: a caller
// that writes them does so in a transaction that a throw rolls back. Throws BackupError.
TableCounts readBackup(QIODevice& in, const QString& name, bool acceptUnchecked, const BackupSink& sink = {});

} // namespace data
