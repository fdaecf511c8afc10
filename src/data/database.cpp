#include "data/database.h"
#include "data/databaselife.h"

#include "data/dialect.h"
#include "data/errors.h"
#include "data/filetrust.h"
#include "data/log.h"
#include "data/mariadbtls.h"
#include "data/statementwatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSql, "duredir.sql", QtWarningMsg)

namespace data {

namespace {
quint64 g_connectionTroubles = 0;
}

quint64 connectionTroubles()
{
    return g_connectionTroubles;
}

void logFailure(const DatabaseError& error, const QString& statement)
{
    if (error.isConnectionLost())
        ++g_connectionTroubles;
    QString shown = statement.simplified();
    if (shown.size() > 300)
        shown = shown.left(300) + QStringLiteral("...");
    qCWarning(lcSql).noquote() << "failed:" << shown << "| code"
                               << (error.nativeCode().isEmpty() ? QStringLiteral("-") : error.nativeCode()) << "|"
                               << error.text();
}

namespace {

QHash<QString, Database*>& registry()
{
    static QHash<QString, Database*> r;
    return r;
}

QSet<const Database*>& living()
{
    static QSet<const Database*> l;
    return l;
}

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    if (t.isEmpty())
        t = e.driverText();
    return t.trimmed();
}

// Client settings from a MariaDB option file: the [client], [client-server],
// [client-mariadb] groups and the alias's own group, later groups overriding.
QHash<QString, QString> readOptionFile(const QString& path, const QString& group)
{
    QHash<QString, QString> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw DatabaseError(QStringLiteral("The MariaDB option file %1 cannot be read.").arg(path));
    // Its socket= or host= decides which server gets the login: another user's file, or one
    // others may write, is not used even without a password.
    requireTrustedFile(path, TrustedFile::OptionFile);
    const QStringList wanted{QStringLiteral("client"), QStringLiteral("client-server"),
                             QStringLiteral("client-mariadb"), group};
    QHash<QString, QHash<QString, QString>> groups;
    QString current;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        QString key = (eq < 0 ? line : line.left(eq)).trimmed().toLower();
        key.replace(QLatin1Char('_'), QLatin1Char('-'));
        QString value = eq < 0 ? QString() : line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.startsWith(QLatin1Char('"')) || value.startsWith(QLatin1Char('\'')))
            && value.endsWith(value.at(0)))
            value = value.mid(1, value.size() - 2);
        groups[current][key] = value;
    }
    // As ssh does with its keys: a password that other users can read (or replace) is not
    // a secret any more; the file is refused until its mode is fixed.
    bool holdsPassword = false;
    for (const auto& kv : std::as_const(groups))
        holdsPassword = holdsPassword || kv.contains(QStringLiteral("password"));
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
                                            | QFileDevice::WriteOther;
    if (holdsPassword && (f.permissions() & others))
        throw DatabaseError(QStringLiteral("The MariaDB option file %1 holds a password and other users can read or "
                                           "write it; it was not used. Make it private with: chmod 600 %1")
                                .arg(path));
    for (const QString& g : wanted) {
        if (g.isEmpty())
            continue;
        const auto& kv = groups.value(g);
        for (auto it = kv.cbegin(); it != kv.cend(); ++it)
            out[it.key()] = it.value();
    }
    return out;
}

// The TLS options of Qt's driver for an alias that asks for TLS. The files must be there
// and readable: the client library would otherwise go on without them.
QStringList tlsOptions(const AliasConfig& c)
{
    QStringList out;
    auto file = [&](const QString& path, const char* what, const char* option) {
        if (path.isEmpty())
            return;
        if (path.contains(QLatin1Char(';')))
            throw DatabaseError(QStringLiteral("The %1 file %2 of the alias has a \";\" in its name, which the "
                                               "database driver cannot take; move or rename it.")
                                    .arg(QLatin1String(what), path));
        if (!QFileInfo(path).isReadable())
            throw DatabaseError(
                QStringLiteral("The %1 file %2 of the alias cannot be read.").arg(QLatin1String(what), path));
        out << QStringLiteral("%1=%2").arg(QLatin1String(option), path);
    };
    if (c.sslCert.isEmpty() != c.sslKey.isEmpty())
        throw DatabaseError(QStringLiteral("The alias names a client certificate without its key or a key without "
                                           "its certificate; give both (ssl_cert and ssl_key) or neither."));
    if (c.sslCa.isEmpty())
        out << QStringLiteral("SSL_CAPATH=%1").arg(systemCertificatePath());
    file(c.sslCa, "CA", "SSL_CA");
    file(c.sslCert, "client certificate", "SSL_CERT");
    file(c.sslKey, "client key", "SSL_KEY");
    return out;
}

// The TLS lines of a MariaDB option file, as the client library takes them, folded into the
// alias's own settings (which win where both give one): `ssl`, `ssl-ca`, `ssl-cert`,
// `ssl-key` and `ssl-verify-server-cert` ask for TLS or tighten it. A line that would loosen
// it or that the program cannot pass on is refused rather than left out, so that a file that
// asks for TLS never ends in a connection without it.
AliasConfig withOptionFileTls(const AliasConfig& alias, const QHash<QString, QString>& o, const QString& path)
{
    AliasConfig c = alias;
    const auto on = [&](const QString& key) {
        const QString v = o.value(key).trimmed().toLower();
        return v.isEmpty() || v == QLatin1String("1") || v == QLatin1String("on") || v == QLatin1String("true");
    };
    const auto refuse = [&](const QString& line) {
        return DatabaseError(QCoreApplication::translate("data::Database",
                                                         "The MariaDB option file %1 has the line \"%2\", which this "
                                                         "program cannot honour; it was not used. Remove the line and "
                                                         "give the TLS settings in the alias instead (duredir-db "
                                                         "set-alias --ssl-ca FILE ...).")
                                 .arg(path, line));
    };
    for (const char* key : {"ssl-capath", "ssl-crl", "ssl-crlpath", "ssl-cipher", "tls-version", "ssl-fp", "ssl-fplist",
                            "ssl-passphrase", "skip-ssl-verify-server-cert", "disable-ssl-verify-server-cert"})
        if (o.contains(QLatin1String(key)))
            throw refuse(QLatin1String(key));
    if (o.contains(QStringLiteral("ssl-verify-server-cert")) && !on(QStringLiteral("ssl-verify-server-cert")))
        throw refuse(QStringLiteral("ssl-verify-server-cert=%1").arg(o.value(QStringLiteral("ssl-verify-server-cert"))));
    const bool fileAsks = (o.contains(QStringLiteral("ssl")) && on(QStringLiteral("ssl")))
                          || o.contains(QStringLiteral("ssl-ca")) || o.contains(QStringLiteral("ssl-cert"))
                          || o.contains(QStringLiteral("ssl-key"))
                          || o.contains(QStringLiteral("ssl-verify-server-cert"));
    if (!fileAsks)
        return c; // "skip-ssl" or "ssl=0" ask for nothing; the alias may still ask
    c.ssl = true;
    const auto take = [&](QString& field, const char* key) {
        if (field.isEmpty())
            field = o.value(QLatin1String(key));
    };
    take(c.sslCa, "ssl-ca");
    if (c.sslCert.isEmpty() && c.sslKey.isEmpty()) {
        c.sslCert = o.value(QStringLiteral("ssl-cert"));
        c.sslKey = o.value(QStringLiteral("ssl-key"));
    }
    return c;
}

DatabaseError openFailure(const QSqlError& e, const QString& where)
{
    DatabaseError error(errorText(e), e.nativeErrorCode());
    logFailure(error, QStringLiteral("(open %1)").arg(where));
    return error;
}

// The same for a server that took the connection but never greeted it within `limit` s.
DatabaseError openFailure(const QSqlError& e, const QString& where, qint64 waitedMs, int limit)
{
    const DatabaseError plain(errorText(e), e.nativeErrorCode());
    if (!plain.isConnectionLost() || waitedMs < qint64(limit) * 1000 - 500)
        return openFailure(e, where);
    DatabaseError error(QCoreApplication::translate("data", "The database server %1 did not answer within %2 s; no "
                                                            "connection was made. (%3)")
                            .arg(where)
                            .arg(limit)
                            .arg(plain.text()),
                        plain.nativeCode());
    logFailure(error, QStringLiteral("(open %1)").arg(where));
    return error;
}

} // namespace

Database::Database(const QString& connectionName) : m_name(connectionName)
{
    registry().insert(m_name, this);
    living().insert(this);
}

Database::~Database()
{
    living().remove(this);
    dropPrepared();
    if (registry().value(m_name) == this)
        registry().remove(m_name);
    if (QSqlDatabase::contains(m_name)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
}

bool databaseLives(const Database* db)
{
    return living().contains(db);
}

Database* Database::byName(const QString& connectionName)
{
    return registry().value(connectionName, nullptr);
}

QSqlDatabase Database::handle() const
{
    return QSqlDatabase::database(m_name, false);
}

void Database::openAlias(const QString& alias)
{
    m_config = resolveAlias(alias);
    open();
}

void Database::open()
{
    if (Connected())
        return;
    const statementwatch::Running running;
    dropPrepared();
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
    m_inTransaction = false;
    if (m_config.engine == Engine::Sqlite) {
        // The stock data is its user's alone: folders and file made private whatever the
        // umask (SQLite gives its journal the mode of the file), and never taken from a
        // place another user could have put them.
        const QString folder = QFileInfo(m_config.path).absolutePath();
        if (!makePrivateFolders(folder))
            throw DatabaseError(QStringLiteral("The folder %1 cannot be created.").arg(folder));
        requireTrustedDatabase(m_config.path);
        if (!QFileInfo::exists(m_config.path))
            createDatabaseFile(m_config.path);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(m_config.path);
        // A second program on the same file waits instead of failing with "database is locked".
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWaitMs));
        if (!db.open())
            throw openFailure(db.lastError(), m_config.path);
        struct stat opened {};
        if (::stat(QFile::encodeName(m_config.path).constData(), &opened) == 0) {
            m_fileDevice = quint64(opened.st_dev);
            m_fileInode = quint64(opened.st_ino);
        }
    } else {
        openMariaDb();
        return;
    }
    try {
        configureSession();
    } catch (...) {
        close();
        throw;
    }
}

void Database::openMariaDb()
{
    QList<NodeAddress> nodes;
    for (const QString& text : m_config.nodes)
        nodes << parseNode(text);
    if (nodes.isEmpty()) {
        openMariaDbNode(NodeAddress{m_config.host, m_config.port, m_config.socket, QString()});
        m_currentNode = 0;
        return;
    }
    // After a node was lost, the next one is asked first and the lost one last.
    const int first = m_currentNode < 0 ? 0 : (m_currentNode + 1) % int(nodes.size());
    QStringList failures;
    for (int i = 0; i < nodes.size(); ++i) {
        const int k = (first + i) % int(nodes.size());
        try {
            openMariaDbNode(nodes.at(k));
            m_currentNode = k;
            return;
        } catch (const DatabaseError& e) {
            failures << QStringLiteral("%1: %2").arg(nodes.at(k).text, e.text());
            if (nodes.size() == 1)
                throw;
        }
    }
    throw DatabaseError(QStringLiteral("No node of the cluster answered.\n%1").arg(failures.join(QLatin1Char('\n'))),
                        QStringLiteral("2003"));
}

void Database::openMariaDbNode(const NodeAddress& node)
{
    if (QSqlDatabase::contains(m_name))
        QSqlDatabase::removeDatabase(m_name);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
        QString host = node.host, socket = node.socket, database = m_config.database;
        int port = node.port;
        const bool fromNode = !node.text.isEmpty();
        AliasConfig tls = m_config;
        if (!m_config.optionFile.isEmpty()) {
            const auto o = readOptionFile(m_config.optionFile, m_config.optionGroup);
            tls = withOptionFileTls(m_config, o, m_config.optionFile);
            if (o.contains(QStringLiteral("user")))
                db.setUserName(o.value(QStringLiteral("user")));
            if (o.contains(QStringLiteral("password")))
                db.setPassword(o.value(QStringLiteral("password")));
            if (!fromNode && host.isEmpty())
                host = o.value(QStringLiteral("host"));
            if (!fromNode && socket.isEmpty())
                socket = o.value(QStringLiteral("socket"));
            if (database.isEmpty())
                database = o.value(QStringLiteral("database"));
            if (!fromNode && !port)
                port = o.value(QStringLiteral("port")).toInt();
        }
        if (!host.isEmpty())
            db.setHostName(host);
        if (port)
            db.setPort(port);
        db.setDatabaseName(database);
        // No wait for the server is without end: the client library gives up on a read or a
        // write after the alias's answer limit (once: the wait is the limit, not a multiple of
        // it) and the connection counts as lost. Connecting (the server's greeting is a read
        // too) gives up after the connect limit.
        QStringList options{QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(m_config.connectTimeout()),
                            QStringLiteral("MYSQL_OPT_READ_TIMEOUT=%1").arg(m_config.answerTimeout),
                            QStringLiteral("MYSQL_OPT_WRITE_TIMEOUT=%1").arg(m_config.answerTimeout)};
        if (!socket.isEmpty())
            options << QStringLiteral("UNIX_SOCKET=%1").arg(socket);
        m_tlsInForce = tls.tlsRequested();
        if (m_tlsInForce) {
            options << tlsOptions(tls);
            if (tls.sslVerifyServerCert)
                verifyTlsServer(tls, MariaDbLogin{host, port, socket, db.userName(), db.password()});
        }
        db.setConnectOptions(options.join(QLatin1Char(';')));
        // Decimals come back as exact text ("6.0000").
        db.setNumericalPrecisionPolicy(QSql::HighPrecision);
        QElapsedTimer clock;
        clock.start();
        if (!db.open())
            throw openFailure(db.lastError(), socket.isEmpty() ? host : socket, clock.elapsed(), m_config.connectTimeout());
    }
    try {
        configureSession();
        if (m_tlsInForce)
            requireEncryption();
        requireClusterReady();
    } catch (...) {
        close();
        throw;
    }
}

void Database::requireClusterReady()
{
    // A cluster node that has left the cluster's primary part answers but refuses work; it
    // counts as gone. A server outside a cluster has replication switched off (or no such
    // variable at all).
    QSqlQuery q(handle());
    if (!q.exec(QStringLiteral("SHOW VARIABLES LIKE 'wsrep_on'")) || !q.next()
        || q.value(1).toString().compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0)
        return;
    if (q.exec(QStringLiteral("SHOW STATUS LIKE 'wsrep_ready'")) && q.next()
        && q.value(1).toString().compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0)
        throw DatabaseError(QStringLiteral("The cluster node is not part of the cluster's working majority."),
                            QStringLiteral("1047"));
}

QString Database::currentNode() const
{
    if (m_config.nodes.isEmpty() || m_currentNode < 0 || m_currentNode >= m_config.nodes.size())
        return QString();
    return m_config.nodes.at(m_currentNode);
}

void Database::limitBusyWait(qint64 ms)
{
    if (m_config.engine != Engine::Sqlite || !Connected())
        return;
    const QVariant v = handle().driver()->handle();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        if (sqlite3* h = *static_cast<sqlite3* const*>(v.data()))
            sqlite3_busy_timeout(h, int(std::clamp<qint64>(ms, 0, kBusyWaitMs)));
}

void Database::configureSession()
{
    QSqlDatabase db = handle();
    if (m_config.engine == Engine::Sqlite) {
        const QVariant v = db.driver()->handle();
        sqlite3* h = (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) ? *static_cast<sqlite3* const*>(v.data())
                                                                             : nullptr;
        if (!h || !dialect::registerSqliteFunctions(h))
            throw DatabaseError(QStringLiteral("The SQLite functions of the program cannot be registered."));
        // Error numbers tell a unique key (2067) from other constraints (plain 19).
        sqlite3_extended_result_codes(h, 1);
        exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
        // Opening reads nothing yet: a file that is not a database shows here, not later as
        // a database without tables.
        exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL")); // not every file system allows it
        if (readOnly())
            exec(QStringLiteral("PRAGMA query_only=ON"));
    } else {
        // Several statements group by fewer columns than they select.
        exec(QStringLiteral("SET SESSION sql_mode='STRICT_TRANS_TABLES,ERROR_FOR_DIVISION_BY_ZERO,"
                            "NO_ENGINE_SUBSTITUTION'"));
        exec(QStringLiteral("SET NAMES utf8mb4"));
        // A lock held elsewhere is waited for a little less than the answer limit: the wait
        // ends as a conflict (1205) that the save runs again after, before the client library
        // would give up on the connection.
        exec(QStringLiteral("SET SESSION innodb_lock_wait_timeout=%1").arg(m_config.lockWaitTimeout()));
        if (readOnly())
            exec(QStringLiteral("SET SESSION TRANSACTION READ ONLY"));
    }
}

void Database::setReadOnly(const QString& reason)
{
    m_readOnlyReason = reason;
    if (Connected() && readOnly())
        configureSession();
}

QString Database::detectReadOnlySource()
{
    if (readOnly() || !Connected())
        return QString();
    QString why;
    if (m_config.engine == Engine::Sqlite) {
        const QVariant v = handle().driver()->handle();
        sqlite3* h = (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0) ? *static_cast<sqlite3* const*>(v.data())
                                                                             : nullptr;
        const QByteArray path = QFile::encodeName(m_config.path);
        if (::access(path.constData(), W_OK) != 0 || (h && sqlite3_db_readonly(h, "main") == 1))
            why = QCoreApplication::translate("data::Database",
                                              "The database file %1 can only be read by this user (its permissions, or "
                                              "a file system mounted read-only). Nothing can be saved; the "
                                              "administrator lets this user write it (for example: chmod u+w %1).")
                      .arg(m_config.path);
    } else {
        QSqlQuery q(handle());
        if (q.exec(QStringLiteral("SELECT @@global.read_only, @@global.innodb_read_only")) && q.next()
            && (q.value(0).toInt() != 0 || q.value(1).toInt() != 0))
            why = QCoreApplication::translate("data::Database",
                                              "The MariaDB server only reads (read_only is on). Nothing can be saved "
                                              "until its administrator switches read_only off.");
    }
    if (why.isEmpty())
        return QString();
    setReadOnly(why);
    return why;
}

void Database::requireEncryption()
{
    // The driver goes on without TLS when the server has none: never silently.
    QSqlQuery q(handle());
    if (!q.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Ssl_cipher'")) || !q.next()
        || q.value(1).toString().trimmed().isEmpty()) {
        const QString where = m_config.socket.isEmpty() ? m_config.host : m_config.socket;
        DatabaseError error(QStringLiteral("The MariaDB server %1 did not encrypt the connection although the alias "
                                           "requires TLS; the connection was closed. Turn on TLS on the server "
                                           "(ssl_cert, ssl_key).")
                                .arg(where.isEmpty() ? m_config.database : where));
        logFailure(error, QStringLiteral("(open)"));
        throw error;
    }
}

void Database::close()
{
    if (m_inTransaction)
        m_transactionBroken = true;
    dropPrepared();
    if (QSqlDatabase::contains(m_name)) {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    m_inTransaction = false;
}

QSqlQuery* Database::prepared(const QString& text, QSqlError* error)
{
    if (const auto it = m_prepared.find(text); it != m_prepared.end())
        return it->second.get();
    // A bounded cache: the program runs a few dozen different statements; generated text
    // must not pile up prepared statements on the server.
    if (m_prepared.size() >= 200)
        dropPrepared();
    auto q = std::make_unique<QSqlQuery>(handle());
    q->setForwardOnly(true);
    if (!q->prepare(text)) {
        *error = q->lastError();
        return nullptr;
    }
    return m_prepared.emplace(text, std::move(q)).first->second.get();
}

MariaDbWrite* Database::preparedWrite(const QString& text, QSqlError* error)
{
    if (m_config.engine != Engine::MariaDb)
        return nullptr;
    if (const auto it = m_writes.find(text); it != m_writes.end())
        return it->second.get();
    if (m_writes.size() >= 200)
        dropPrepared();
    std::unique_ptr<MariaDbWrite> w = MariaDbWrite::prepare(handle().driver()->handle(), text, error);
    if (error->isValid())
        return nullptr;
    return m_writes.emplace(text, std::move(w)).first->second.get();
}

void Database::forgetPrepared(const QString& text)
{
    m_prepared.erase(text);
    m_writes.erase(text);
}

void Database::dropPrepared()
{
    // Before the connection they were prepared on closes.
    m_writes.clear();
    m_prepared.clear();
}

bool Database::Connected() const
{
    if (!QSqlDatabase::contains(m_name))
        return false;
    return QSqlDatabase::database(m_name, false).isOpen();
}

void Database::ensureConnected()
{
    const statementwatch::Running running;
    if (Connected() && m_config.engine == Engine::MariaDb && !m_inTransaction) {
        // A restarted server leaves the client believing it is connected: ask.
        QElapsedTimer clock;
        clock.start();
        QSqlError failed;
        {
            QSqlQuery ping(handle());
            if (!ping.exec(QStringLiteral("SELECT 1")))
                failed = ping.lastError();
        }
        if (failed.isValid()) {
            close();
            // A server that stopped answering is not asked again at once: the operator would
            // wait for it twice. The next action asks again; on a cluster the next node now.
            const DatabaseError error = failure(failed, clock.elapsed());
            if (timedOut(clock.elapsed()) && m_config.nodes.size() < 2) {
                logFailure(error, QStringLiteral("SELECT 1"));
                throw error;
            }
        }
    }
    if (!Connected())
        open();
}

bool Database::timedOut(qint64 waitedMs) const
{
    return m_config.engine == Engine::MariaDb && waitedMs >= qint64(m_config.answerTimeout) * 1000 - 500;
}

DatabaseError Database::failure(const QSqlError& e, qint64 waitedMs) const
{
    DatabaseError error(errorText(e), e.nativeErrorCode());
    if (!error.isConnectionLost() || !timedOut(waitedMs))
        return error;
    return DatabaseError(QCoreApplication::translate("data", "The database server did not answer within %1 s; the "
                                                             "connection was closed and nothing of this step was "
                                                             "saved. The next step connects again. (%2)")
                             .arg(m_config.answerTimeout)
                             .arg(error.text()),
                         error.nativeCode());
}

void Database::exec(const QString& statement)
{
    const statementwatch::Running running;
    QElapsedTimer clock;
    clock.start();
    QSqlQuery q(handle());
    if (!q.exec(statement)) {
        const DatabaseError error = failure(q.lastError(), clock.elapsed());
        logFailure(error, statement);
        if (error.isConnectionLost())
            close();
        throw error;
    }
}

void Database::reopenIfAllowed()
{
    if (Connected() || m_transactionBroken || !m_reopenPolicy || !m_reopenPolicy())
        return;
    open();
}

void Database::StartTransaction()
{
    m_transactionBroken = false;
    reopenIfAllowed();
    if (!Connected())
        throw DatabaseError(QStringLiteral("The database connection is closed."));
    if (m_inTransaction)
        throw DatabaseError(QStringLiteral("A transaction is already active."));
    if (readOnly())
        throw DatabaseError(m_readOnlyReason, QStringLiteral("duredir-readonly"));
    if (m_hook)
        m_hook(QStringLiteral("BEGIN"));
    // SQLite: take the write lock at once, so two programs on one file queue up at the
    // start of a save instead of failing half-way.
    exec(m_config.engine == Engine::Sqlite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("START TRANSACTION"));
    m_inTransaction = true;
    if (m_config.engine == Engine::Sqlite)
        requireSameFile();
}

void Database::requireSameFile()
{
    // Under the write lock: a file deleted or replaced under the program would take the save
    // into a file nobody opens again, or mix two databases; nothing may be acknowledged then.
    struct stat now {};
    const bool gone = ::stat(QFile::encodeName(m_config.path).constData(), &now) != 0;
    if (!gone && quint64(now.st_dev) == m_fileDevice && quint64(now.st_ino) == m_fileInode)
        return;
    Rollback();
    m_readOnlyReason = QCoreApplication::translate("data::Database",
                                                   "The database file %1 was %2 while the program was running. Nothing "
                                                   "was saved, and nothing will be until the program is started again.")
                           .arg(m_config.path, gone ? QCoreApplication::translate("data::Database", "deleted")
                                                    : QCoreApplication::translate("data::Database", "replaced"));
    QSqlQuery readOnly(handle());
    readOnly.exec(QStringLiteral("PRAGMA query_only=ON"));
    DatabaseError error(m_readOnlyReason, QStringLiteral("duredir-readonly"));
    logFailure(error, QStringLiteral("(file check)"));
    throw error;
}

void Database::Commit()
{
    if (!m_inTransaction)
        throw DatabaseError(QStringLiteral("No transaction is active."));
    if (m_hook)
        m_hook(QStringLiteral("COMMIT"));
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (const DatabaseError& e) {
        // Lost before the answer: whether the server (or the cluster) kept the transaction
        // cannot be told from here, and the operator must not be told it was not.
        if (e.isConnectionLost())
            throw DatabaseError::commitCutOff(e);
        throw;
    }
    m_inTransaction = false;
}

void Database::Rollback()
{
    m_transactionBroken = false;
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    if (Connected()) {
        const statementwatch::Running running;
        QSqlQuery q(handle());
        q.exec(QStringLiteral("ROLLBACK")); // a lost connection has rolled back by itself
    }
}

DatabaseError gaveUp(const DatabaseError& last, int attempts, qint64 elapsedMs)
{
    DatabaseError error(QStringLiteral("Another workstation kept the data busy; the save was given up after %1 "
                                       "attempts in %2 s. Nothing was saved. (%3)")
                            .arg(attempts)
                            .arg(double(elapsedMs) / 1000.0, 0, 'f', 1)
                            .arg(last.text()),
                        last.nativeCode());
    logFailure(error, QStringLiteral("(save retries)"));
    return error;
}

Transaction::~Transaction()
{
    if (!m_done)
        m_db.Rollback();
}

void Transaction::commit()
{
    m_db.Commit();
    m_done = true;
}

} // namespace data
