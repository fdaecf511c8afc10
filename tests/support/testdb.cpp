#include "support/testdb.h"

#include "data/errors.h"
#include "data/query.h"
#include "data/schema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace testsupport {

namespace {

QAtomicInt g_counter;

void adminExec(const QString& statement)
{
    const QString name = QStringLiteral("duredir-test-admin");
    {
        QSqlDatabase admin = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                          : QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
        admin.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(mariaDbSocket()));
        if (!admin.isOpen() && !admin.open())
            throw data::DatabaseError(admin.lastError().text());
        QSqlQuery q(admin);
        if (!q.exec(statement))
            throw data::DatabaseError(q.lastError().text());
    }
}

} // namespace

bool onMariaDb()
{
    return !mariaDbSocket().isEmpty();
}

QString mariaDbSocket()
{
    return qEnvironmentVariable("DUREDIR_TEST_MARIADB_SOCKET");
}

QString mariaDbOptionFile()
{
    return qEnvironmentVariable("DUREDIR_TEST_MARIADB_OPTION_FILE");
}

QString createMariaDbDatabase()
{
    QString name =
        QStringLiteral("duredir_t%1_%2").arg(QCoreApplication::applicationPid()).arg(g_counter.fetchAndAddRelaxed(1));
    adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    adminExec(QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci").arg(name));
    return name;
}

void dropMariaDbDatabase(const QString& name)
{
    try {
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    } catch (const data::Error&) {
        // the server may have been stopped by the test itself
    }
}

namespace {

// On the server, creating eleven InnoDB tables for every test is slow; a test process keeps
// one database with the schema and empties its tables for each new test instead.
QString sharedMariaDbDatabase()
{
    static QString name;
    if (name.isEmpty()) {
        name = createMariaDbDatabase();
        data::AliasConfig c;
        c.engine = data::Engine::MariaDb;
        c.socket = mariaDbSocket();
        c.database = name;
        data::Database db(QStringLiteral("duredir-test-schema"));
        db.setConfig(c);
        db.open();
        data::createSchema(db);
    }
    return name;
}

void emptyTables(data::Database& db)
{
    // Tables a test made for itself go (the administrator drops them); the program's tables
    // are emptied.
    // The version table stays, with the version the schema files give. Triggers and views
    // a test planted go first: a trigger would run in the deletes below.
    const QStringList own = data::schemaTableNames() + data::bookkeepingTableNames();
    const QString database = data::quotedName(data::Engine::MariaDb, db.config().database);
    QStringList planted;
    {
        QSqlQuery q(db.handle());
        q.exec(QStringLiteral("select concat('TRIGGER ', trigger_name) from information_schema.triggers "
                              "where trigger_schema=database() union all select concat('VIEW ', table_name) "
                              "from information_schema.views where table_schema=database()"));
        while (q.next())
            planted << q.value(0).toString();
    }
    for (const QString& p : planted)
        adminExec(QStringLiteral("DROP %1 %2.%3")
                      .arg(p.section(QLatin1Char(' '), 0, 0), database,
                           data::quotedName(data::Engine::MariaDb, p.section(QLatin1Char(' '), 1))));
    for (const QString& t : data::existingTables(db))
        if (!own.contains(t))
            adminExec(QStringLiteral("DROP TABLE %1.%2").arg(database, data::quotedName(data::Engine::MariaDb, t)));
    for (const QString& t : own)
        db.exec(QStringLiteral("DELETE FROM %1").arg(t));
    for (const QString& s : data::schemaStatements(db.engine()))
        if (s.startsWith(QLatin1String("INSERT INTO info_table"))
            || s.startsWith(QLatin1String("INSERT INTO duredir_schema")))
            db.exec(s);
}

} // namespace

TestDatabase::TestDatabase(bool withSchema, const QString& connectionName, const QString& schemaText)
{
    if (!schemaText.isEmpty() && !onMariaDb())
        throw data::DatabaseError(QStringLiteral("a schema text of its own needs the MariaDB test server"));
    if (onMariaDb()) {
        m_config.engine = data::Engine::MariaDb;
        m_config.socket = mariaDbSocket();
        if (!schemaText.isEmpty()) {
            m_mariaDbName = createMariaDbDatabase();
            m_config.database = m_mariaDbName;
            try {
                adminExec(QStringLiteral("USE %1").arg(m_mariaDbName));
                for (const QString& s : data::splitSchemaText(schemaText))
                    adminExec(s);
            } catch (const data::Error&) {
                dropMariaDbDatabase(m_mariaDbName); // no destructor runs for a throwing constructor
                throw;
            }
            withSchema = false; // made, and nothing to empty
        } else if (withSchema) {
            m_config.database = sharedMariaDbDatabase();
        } else {
            m_mariaDbName = createMariaDbDatabase();
            m_config.database = m_mariaDbName;
        }
        m_config.optionFile = mariaDbOptionFile();
        m_config.fromFile = true;
        m_db = std::make_unique<data::Database>(connectionName);
        m_db->setConfig(m_config);
        m_db->open();
        if (withSchema)
            emptyTables(*m_db);
        return;
    } else {
        m_config.engine = data::Engine::Sqlite;
        m_config.path = m_dir.filePath(QStringLiteral("test.sqlite"));
    }
    m_config.fromFile = true;
    m_db = std::make_unique<data::Database>(connectionName);
    m_db->setConfig(m_config);
    m_db->open();
    if (withSchema)
        data::createSchema(*m_db);
}

TestDatabase::~TestDatabase()
{
    m_db.reset();
    if (!m_mariaDbName.isEmpty())
        dropMariaDbDatabase(m_mariaDbName);
}

void TestDatabase::exec(const QString& statement)
{
    data::Query q(m_db.get());
    q.SQL.Add(statement);
    q.ExecSQL();
}

void TestDatabase::execAsAdmin(const QString& statement)
{
    if (m_config.engine == data::Engine::Sqlite) {
        m_db->exec(statement);
        return;
    }
    adminExec(QStringLiteral("USE %1").arg(m_config.database));
    adminExec(statement);
}

QVariant TestDatabase::scalar(const QString& statement)
{
    data::Query q(m_db.get());
    q.SQL.Add(statement);
    q.Open();
    return q.IsEmpty() ? QVariant() : q.value(0, 0);
}

int TestDatabase::count(const QString& table, const QString& where)
{
    const QString w = where.isEmpty() ? QString() : QStringLiteral(" where ") + where;
    return scalar(QStringLiteral("select count(*) from %1%2").arg(table, w)).toInt();
}

data::Database& mainDatabase()
{
    data::Database* db = data::Database::byName(QStringLiteral("Main"));
    if (!db)
        throw data::DatabaseError(QStringLiteral("The test opened no database under the name \"Main\"."));
    return *db;
}

} // namespace testsupport
