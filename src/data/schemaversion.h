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
constexpr int kSchemaVersion = 3;
// The oldest recorded version the program works on. Version 3 only added the table of
// accepted triggers: a database without it has accepted none, and works as before unless
// it holds triggers (accepting them takes 'duredir-db upgrade' first).
constexpr int kOldestWorkableSchemaVersion = 2;
// The version that records accepted triggers.
constexpr int kAcceptedTriggersVersion = 3;

// The version the database records; 0 when it records none.
int recordedSchemaVersion(Database& db);

// One way in which a database differs from what the program relies on.
struct SchemaFinding {
    enum class Kind {
        MissingTable,         // the program cannot work without it
        MissingColumn,        // nor without this
        OlderVersion,         // recorded, older than the program works on: 'upgrade' first
        OlderWorkableVersion, // recorded, older than the program's, and still worked on
        NewerVersion,         // recorded, newer than the program knows: it only reads
        NotTransactional,     // a save cut off half-way stays half-written
        VersionNotRecorded,   // an earlier release's database, or one made by its administrator
        MissingUniqueIndex,   // two workstations can take the same number
        Duplicates,           // numbers or codes already taken twice
        NarrowColumn,         // a text the windows accept does not fit
        NoPrimaryKey,         // a cluster cannot replicate deletes of its rows
        MissingIndex,         // lists and overviews read more than they need
        ForeignTrigger,       // runs SQL the program did not write inside its saves
        AcceptedTrigger,      // not the program's, accepted by the administrator
        TriggerTextHidden,    // this account sees that triggers are there, not their text
        ForeignTable,         // not the program's; it neither reads nor changes it
        ForeignView,          // the same for a view
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

// A trigger as the connection's database shows it.
struct Trigger {
    QString name;
    QString table;
    QString timingEvent; // "AFTER INSERT" (MariaDB; empty on SQLite, where the text says it)
    // Its SQL text: SQLite's CREATE TRIGGER statement; on MariaDB the statement put together
    // from its definer, timing, event, table and body. Empty when this account may not read
    // it (MariaDB without the TRIGGER privilege).
    QString definition;
    QString sha256() const; // of the definition, in hex
};
QList<Trigger> readTriggers(Database& db);

// A trigger the administrator accepted, as recorded then.
struct AcceptedTrigger {
    QString name;
    QString table;
    QString timingEvent;
    QString sha256;
    QString acceptedAt; // "YYYY-MM-DD HH:MM:SS", UTC
};
// Empty when the database has no table of accepted triggers (before version 3).
QList<AcceptedTrigger> acceptedTriggers(Database& db);

// A trigger present now that is not accepted as it is now; `changed` when one of its name
// was accepted and it has been replaced since.
struct ForeignTrigger {
    Trigger trigger;
    bool changed = false;
    QString acceptedAt;
};
QList<ForeignTrigger> foreignTriggers(Database& db);

// 'duredir-db accept-triggers' refused: the text says why; nothing was changed.
class AcceptRefused : public Error {
public:
    using Error::Error;
};
// Records the triggers present now as accepted, in place of those accepted before, in one
// transaction, and returns them. Refused when the database is older than version 3, or
// when this account may not read a trigger's text (what is accepted must have been seen).
QList<Trigger> acceptTriggers(Database& db);

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

// The program started on a database with triggers it did not create and its administrator
// has not accepted: they would run their own SQL inside its saves.
class TriggersNotAccepted : public NotPrepared {
public:
    using NotPrepared::NotPrepared;
};

// Throws TriggersNotAccepted, naming them and the command that accepts them, when the
// database holds triggers that are not accepted as they are now.
void requireAcceptedTriggers(Database& db, const QString& alias);

// The gate of the program's windows. Throws SchemaOutOfDate on a recorded version older
// than the program works on, and TriggersNotAccepted on triggers that are not accepted.
// On a newer version the connection is made read-only (no trigger fires then) and the text
// for the operator returned; otherwise the result is empty.
QString requireWorkableSchema(Database& db, const QString& alias);

} // namespace data
