#pragma once

#include <QString>
#include <QStringList>

namespace data {

enum class Engine { Sqlite, MariaDb };

// How long a MariaDB statement may wait for the server's answer, in seconds, unless the
// alias sets its own (answer_timeout=); the values an alias may set.
constexpr int kDefaultAnswerTimeout = 15;
constexpr int kMinAnswerTimeout = 2;
constexpr int kMaxAnswerTimeout = 600;

// Where an alias points. Credentials never appear here: MariaDB takes them from the
// option file or socket authentication.
struct AliasConfig {
    Engine engine = Engine::Sqlite;
    QString path;        // sqlite
    QString host;        // mariadb
    int port = 0;        // mariadb, 0 = default
    QString socket;      // mariadb
    QString database;    // mariadb
    QString optionFile;  // mariadb
    QString optionGroup; // mariadb
    // TLS (mariadb): asked for with `ssl` or any of the files. The server's certificate is
    // checked against `sslCa` (the system's certificate store without one) and, unless
    // switched off, its name against the host; a server that cannot do it is refused.
    bool ssl = false;
    QString sslCa;
    QString sslCert; // client certificate, with sslKey
    QString sslKey;
    bool sslVerifyServerCert = true;
    // The nodes of a cluster (mariadb), in the order they are tried: each a socket path or
    // host[:port]. Empty: the one server of host/port/socket.
    QStringList nodes;
    // Seconds a statement waits for the server's answer (mariadb) before the connection
    // counts as lost; kMinAnswerTimeout..kMaxAnswerTimeout.
    int answerTimeout = kDefaultAnswerTimeout;
    bool fromFile = false; // false: the embedded default was used

    bool tlsRequested() const { return ssl || !sslCa.isEmpty() || !sslCert.isEmpty() || !sslKey.isEmpty(); }
    // The wait for a connection to be made: never longer than the answer limit.
    int connectTimeout() const { return qMin(10, answerTimeout); }
    // A lock wait gives up before the statement's answer limit runs out, so that it comes
    // back as a conflict the save runs again after, not as a lost connection.
    int lockWaitTimeout() const { return answerTimeout - qMax(1, answerTimeout / 3); }
    QString describe() const;
};

// One node of a cluster, from its text in the alias ("/run/mysqld/a.sock", "db2:3307",
// "[fd00::2]:3306").
struct NodeAddress {
    QString host;
    int port = 0;
    QString socket;
    QString text;
};
NodeAddress parseNode(const QString& text);

// $XDG_CONFIG_HOME/duredir/aliases.ini (~/.config/duredir/aliases.ini).
QString aliasFilePath();
// $XDG_DATA_HOME/duredir/<alias>.sqlite (~/.local/share/duredir/...).
QString defaultSqlitePath(const QString& alias);
// The answer limit as written in an alias (answer_timeout=, duredir-db --answer-timeout);
// throws DatabaseError naming `where` when it is not a whole number of seconds in range.
int parseAnswerTimeout(const QString& text, const QString& where);
// Reads the alias section; no section gives the embedded SQLite default.
AliasConfig resolveAlias(const QString& alias);
// Writes (replaces) the alias section.
void writeAlias(const QString& alias, const AliasConfig& config);

} // namespace data
