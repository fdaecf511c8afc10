#pragma once

#include "data/alias.h"
#include "data/errors.h"
#include "data/mariadbwrite.h"
#include "data/statementwatch.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <QVariantMap>
#include <QElapsedTimer>

#include <chrono>

#include <functional>
#include <memory>
#include <unordered_map>

namespace data {

// A named connection; "Main" is the program's own. Queries run on the one handed to them.
class Database {
public:
    explicit Database(const QString& connectionName = QStringLiteral("Main"));
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void setConfig(const AliasConfig& config) { m_config = config; }
    const AliasConfig& config() const { return m_config; }
    // Resolves the alias and opens the connection; throws DatabaseError on failure.
    void openAlias(const QString& alias);
    void open();
    void close();
    bool Connected() const;
    // Opens the connection when it is closed or no longer answers; does nothing otherwise.
    void ensureConnected();

    // Whether a statement that finds the connection closed may open it again first (the
    // program allows one try per action of the operator). Never while a transaction that
    // lost its connection has not been rolled back: its statements must not run outside it.
    using ReopenPolicy = std::function<bool()>;
    void setReopenPolicy(ReopenPolicy policy) { m_reopenPolicy = std::move(policy); }
    // Opens a closed connection when the policy allows it; throws when that fails.
    void reopenIfAllowed();

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const { return m_inTransaction; }

    Engine engine() const { return m_config.engine; }
    QString connectionName() const { return m_name; }
    QSqlDatabase handle() const;

    // Runs a statement outside the Query machinery (schema set-up, session settings).
    void exec(const QString& statement);

    // How long a SQLite statement waits for a file another connection keeps busy.
    static constexpr int kBusyWaitMs = 15000;
    // SQLite: the statements that follow wait at most `ms` (and never more than kBusyWaitMs)
    // for a busy file; 0 or less does not wait. MariaDB: nothing (its lock wait is set per
    // session).
    void limitBusyWait(qint64 ms);

    // The error of a statement that failed after waiting `waitedMs`: one that ran out of the
    // alias's answer limit says so (and still counts as a lost connection).
    DatabaseError failure(const QSqlError& error, qint64 waitedMs) const;
    // Whether a statement that waited `waitedMs` ran out of the answer limit (MariaDB).
    bool timedOut(qint64 waitedMs) const;

    // The database registered under a connection name, or nullptr.
    static Database* byName(const QString& connectionName);

    // Test hook: called before every statement a Query runs on this connection, with the
    // statement text; a hook that throws makes the statement fail.
    using StatementHook = std::function<void(const QString&)>;
    void setStatementHook(StatementHook hook) { m_hook = std::move(hook); }
    const StatementHook& statementHook() const { return m_hook; }

    // The statement `text`, prepared on this connection, for a Query to bind and run; the
    // same text is prepared once and reused (a receipt's fifty lines are one statement,
    // prepared once). Null with `error` set when it cannot be prepared. Dropped when the
    // connection closes.
    QSqlQuery* prepared(const QString& text, QSqlError* error);
    // MariaDB: the statement `text` prepared to run straight through the client library,
    // when it returns no rows (see MariaDbWrite); null when it runs through Qt (it returns
    // rows, or the engine is SQLite). Null with `error` set when it cannot be prepared.
    MariaDbWrite* preparedWrite(const QString& text, QSqlError* error);
    // Drops a prepared statement whose run failed: the next run prepares it afresh.
    void forgetPrepared(const QString& text);

    // Measuring hook: called after a Query has bound a statement and before it runs, with
    // the text as written and the value bound to each parameter (by name, lower case).
    using TraceHook = std::function<void(const QString& text, const QVariantMap& values)>;
    void setTraceHook(TraceHook hook) { m_trace = std::move(hook); }
    const TraceHook& traceHook() const { return m_trace; }

    // The node of the alias's node list this connection is on (empty without a list).
    QString currentNode() const;

    // A connection that only reads (a database newer than the program): the engine refuses
    // every write of the session, and a save is refused before it starts with `reason`.
    void setReadOnly(const QString& reason);
    // Whether the data source lets this program write: a SQLite file this user may not write
    // (its mode, a file system mounted read-only), a MariaDB server switched to read only.
    // When it does not, the connection becomes read-only with the reason, and the text for
    // the operator at start is returned; empty when it may write.
    QString detectReadOnlySource();
    bool readOnly() const { return !m_readOnlyReason.isEmpty(); }

private:
    void openMariaDb();
    void openMariaDbNode(const NodeAddress& node);
    // Throws when the server is a cluster node that does not take work.
    void requireClusterReady();
    void configureSession();
    // Throws unless the session is encrypted (an alias that asks for TLS).
    void requireEncryption();
    void dropPrepared();

    QString m_name;
    AliasConfig m_config;
    int m_currentNode = -1;
    bool m_inTransaction = false;
    bool m_transactionBroken = false; // lost inside a transaction, not yet rolled back
    QString m_readOnlyReason;
    // TLS was asked for by the alias or its option file (MariaDB).
    bool m_tlsInForce = false;
    // SQLite: the file opened, by device and inode, to tell it from one put in its place.
    quint64 m_fileDevice = 0;
    quint64 m_fileInode = 0;
    // Throws (and turns the connection read-only) when the file at the alias's path is no
    // longer the one opened: deleted, or replaced by another.
    void requireSameFile();
    ReopenPolicy m_reopenPolicy;
    StatementHook m_hook;
    TraceHook m_trace;
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_prepared;
    // Null for a statement known to run through Qt.
    std::unordered_map<QString, std::unique_ptr<MariaDbWrite>> m_writes;
};

// Runs a save in a transaction. When another workstation got in the way (a number taken
// meanwhile, a deadlock, a file kept busy), the transaction is rolled back and the save runs
// again from the start, so it takes the next free number; any other failure is thrown after
// the rollback. The retries stop after `attempts` runs or once `budget` has passed, with an
// error that says so; a busy SQLite file is waited for within the budget, not per run.
template <class F>
void runSave(Database& db, F&& save, int attempts = 25, std::chrono::milliseconds budget = std::chrono::seconds(20));

// The error a save gives up with after its retries; logged.
DatabaseError gaveUp(const DatabaseError& last, int attempts, qint64 elapsedMs);

// Rolls back in its destructor unless commit() was called.
class Transaction {
public:
    explicit Transaction(Database& db) : m_db(db) { m_db.StartTransaction(); }
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    bool m_done = false;
};

template <class F>
void runSave(Database& db, F&& save, int attempts, std::chrono::milliseconds budget)
{
    // A save is one wait for the operator, however many statements it runs.
    const statementwatch::Running running;
    QElapsedTimer clock;
    clock.start();
    // A busy SQLite file is waited for only as long as the budget has left, so that the
    // whole save (every run) stays within it; the usual wait comes back afterwards.
    struct BusyWaitBack {
        Database& db;
        ~BusyWaitBack() { db.limitBusyWait(Database::kBusyWaitMs); }
    } busyWaitBack{db};
    for (int attempt = 1;; ++attempt) {
        db.limitBusyWait(budget.count() - clock.elapsed());
        try {
            Transaction transaction(db);
            save();
            transaction.commit();
            return;
        } catch (const DatabaseError& e) {
            if (!e.isConflict())
                throw;
            if (attempt >= attempts || clock.elapsed() >= budget.count())
                throw gaveUp(e, attempt, clock.elapsed());
        }
    }
}

} // namespace data
