#pragma once

#include "data/database.h"

#include <QTemporaryDir>
#include <QVariant>

#include <memory>

namespace testsupport {

// True when the suite runs against the private MariaDB server (DUREDIR_TEST_MARIADB_SOCKET).
bool onMariaDb();
QString mariaDbSocket();
// The option file the program's connections log in with (DUREDIR_TEST_MARIADB_OPTION_FILE):
// an account limited to SELECT, INSERT, UPDATE and DELETE. Empty: the administrator of the
// server (socket authentication) does everything. Tables are always made by the administrator.
QString mariaDbOptionFile();

// A fresh database under the connection name "Main" (or another name), created from the
// schema files: a SQLite file in a temporary folder, or a new database on the test server
// that is dropped again at the end.
//
// With `schemaText` (MariaDB only: statements ending in ';' at a line's end, '--' comment
// lines), the database is made from that text instead, as a database of its own that no
// earlier test has used: keys start at 1. Tables are made by the administrator.
class TestDatabase {
public:
    explicit TestDatabase(bool withSchema = true, const QString& connectionName = QStringLiteral("Main"),
                          const QString& schemaText = QString());
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    data::Database& db() { return *m_db; }
    data::Engine engine() const { return m_config.engine; }
    const data::AliasConfig& config() const { return m_config; }
    QString dir() const { return m_dir.path(); }

    // Helpers for checking what the tables hold (plain statements, not the program's).
    void exec(const QString& statement);
    // A statement the program never runs (a table of the test's own), as the administrator.
    void execAsAdmin(const QString& statement);
    QVariant scalar(const QString& statement);
    int count(const QString& table, const QString& where = QString());

private:
    QTemporaryDir m_dir;
    data::AliasConfig m_config;
    QString m_mariaDbName;
    std::unique_ptr<data::Database> m_db;
};

// The test database open under the program's connection name "Main" (the helpers that fill
// and read it for a test at hand hand their statements this one); fails the test when none is.
data::Database& mainDatabase();

// Creates a database on the test server and returns its name (for tests of the tools).
QString createMariaDbDatabase();
void dropMariaDbDatabase(const QString& name);

} // namespace testsupport
