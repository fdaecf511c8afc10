#pragma once

#include "data/schema.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace data {

class Database;

// The version of the schema this program is built for. Version 1 is the schema of the
// releases before versions were recorded; it records none, and neither does a database
// its administrator made from the data model. Later versions are recorded in the table
// duredir_schema.
constexpr int kSchemaVersion = 2;

// The version the database records; 0 when it records none.
int recordedSchemaVersion(Database& db);

// One way in which a database differs from what the program relies on.
struct SchemaFinding {
    enum class Kind {
        MissingTable,       // the program cannot work without it
        MissingColumn,      // nor without this
        OlderVersion,       // recorded, older than the program's: 'upgrade' first
        NewerVersion,       // recorded, newer than the program knows: it only reads
        NotTransactional,   // a save cut off half-way stays half-written
        VersionNotRecorded, // an earlier release's database, or one made by its administrator
        MissingUniqueIndex, // two workstations can take the same number
        Duplicates,         // numbers or codes already taken twice
        NarrowColumn,       // a text the windows accept does not fit
        NoPrimaryKey,       // a cluster cannot replicate deletes of its rows
    };
    Kind kind;
    QString table;
    QString column;
    QString text; // one or more sentences for the administrator
    // The program must not work on the database as it is (check says "not fit").
    bool blocking() const;
};

struct SchemaReport {
    int recordedVersion = 0;
    QList<SchemaFinding> findings;
    bool fit() const;
    bool has(SchemaFinding::Kind kind) const;
    QList<SchemaFinding> of(SchemaFinding::Kind kind) const;
};

// Reads the tables, columns, engines, indexes and document numbers of the connection's
// database and compares them with what the program relies on. Throws DatabaseError when
// the database cannot be read.
SchemaReport inspectSchema(Database& db);

// The number and code columns that no unique index protects ("priemnici.priemnica_id").
QStringList unprotectedNumbers(Database& db);

// A row key that the database assigns and that the program never names: the key that
// version 2 gave the composition and info tables, and a ledger row's own key.
bool isAssignedKeyColumn(const QString& table, const QString& column);

// The upgrade refused: the text says why; nothing was changed.
class UpgradeRefused : public Error {
public:
    using Error::Error;
};

struct UpgradeOptions {
    bool convertEngine = false; // convert non-transactional tables to InnoDB
};

// Brings a database that the program can work on up to what it relies on: converts
// non-transactional tables (only with convertEngine), adds the unique indexes of the
// numbers and codes, the primary keys a cluster needs, and records the schema version.
// Refuses (UpgradeRefused, nothing changed) when tables or columns are missing, the
// database is newer than the program, numbers or codes are taken twice, or a table is not
// transactional and convertEngine is not set. Safe to run again: each step looks first.
// Returns what was done, one line each (empty: nothing to do).
QStringList upgradeSchema(Database& db, const UpgradeOptions& options = {});

// The program started on a database whose recorded version is older than its own: the
// administrator runs 'duredir-db upgrade' first.
class SchemaOutOfDate : public NotPrepared {
public:
    using NotPrepared::NotPrepared;
};

// The gate of the program's windows. Throws SchemaOutOfDate on a recorded older version.
// On a newer one the connection is made read-only and the text for the operator returned;
// otherwise the result is empty.
QString requireWorkableSchema(Database& db, const QString& alias);

} // namespace data
