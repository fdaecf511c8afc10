#pragma once

#include "data/alias.h"
#include "data/errors.h"

#include <QStringList>

namespace data {

class Database;

// The schema file of an engine, as shipped (generated from sqlite.sql / mariadb.sql).
const char* schemaSourceText(Engine engine);
// Its statements, comments removed, the version filled in.
QStringList schemaStatements(Engine engine);
// The statements of a schema text in that form (comments removed, versions filled in).
QStringList splitSchemaText(const QString& text);
// The tables the program reads and writes.
QStringList schemaTableNames();
// The program's own tables beside them: the schema version and the accepted triggers.
QStringList bookkeepingTableNames();
// A name read from the database (a table, an index, a column), quoted for a statement:
// SQLite "name" and MariaDB `name`, a quote inside doubled. Names the program wrote itself
// need none; a name someone else chose may hold a quote, a space or a semicolon.
QString quotedName(Engine engine, const QString& name);
// Tables present in the connection's database (lower case).
QStringList existingTables(Database& db);
// Creates every table; throws DatabaseError when a statement fails.
void createSchema(Database& db);

// The data source behind an alias has not been prepared with 'duredir-db init': it holds
// none of the program's tables (or not all of them), or its SQLite file does not exist.
// The text tells where the alias points and how to prepare it.
class NotPrepared : public Error {
public:
    using Error::Error;
};

// How the administrator runs a duredir-db command on an alias ("duredir-db init", or
// "duredir-db --alias shop init" for an alias other than the program's own).
QString toolCommand(const QString& alias, const QString& command);

// The program's tables that the connection's database lacks (empty: prepared).
QStringList missingTables(Database& db);
// Throws NotPrepared when the connection's database lacks any of the program's tables.
void requirePrepared(Database& db, const QString& alias);
// Opens the data source of an alias for work: a SQLite file that does not exist is not
// created (NotPrepared instead), and a data source without the program's tables gives
// NotPrepared too. Throws DatabaseError when the connection cannot be opened.
void openPrepared(Database& db, const QString& alias);
// The alias the connection was opened through by openPrepared; empty when it was set up
// otherwise, or has been pointed elsewhere since.
QString openedAlias(const Database& db);

} // namespace data
