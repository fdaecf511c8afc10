#pragma once

#include "data/alias.h"

#include <QStringList>

namespace data {

class Database;

// The schema file of an engine, as shipped (generated from sqlite.sql / mariadb.sql).
const char* schemaSourceText(Engine engine);
// Its statements, comments removed, the version filled in.
QStringList schemaStatements(Engine engine);
// The tables the program reads and writes.
QStringList schemaTableNames();
// Tables present in the connection's database (lower case).
QStringList existingTables(Database& db);
// Creates every table; throws DatabaseError when a statement fails.
void createSchema(Database& db);

} // namespace data
