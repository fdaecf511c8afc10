#include "data/alias.h"

#include "data/errors.h"
#include "data/filetrust.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace data {

namespace {

QString xdgDir(const char* variable, const QString& fallbackBelowHome)
{
    QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return QDir::homePath() + QLatin1Char('/') + fallbackBelowHome;
}

} // namespace

NodeAddress parseNode(const QString& raw)
{
    NodeAddress n;
    n.text = raw.trimmed();
    if (n.text.startsWith(QLatin1Char('/'))) {
        n.socket = n.text;
        return n;
    }
    QString host = n.text, port;
    if (host.startsWith(QLatin1Char('['))) {
        const qsizetype close = host.indexOf(QLatin1Char(']'));
        if (close > 0) {
            port = host.mid(close + 1).startsWith(QLatin1Char(':')) ? host.mid(close + 2) : QString();
            host = host.mid(1, close - 1);
        }
    } else if (host.count(QLatin1Char(':')) == 1) {
        port = host.section(QLatin1Char(':'), 1);
        host = host.section(QLatin1Char(':'), 0, 0);
    }
    bool ok = true;
    n.port = port.isEmpty() ? 0 : port.toInt(&ok);
    if (!ok || n.port < 0 || n.port > 65535 || host.isEmpty())
        throw DatabaseError(
            QStringLiteral("The node \"%1\" of the alias is neither a socket path nor host:port.").arg(n.text));
    n.host = host;
    return n;
}

int parseAnswerTimeout(const QString& text, const QString& where)
{
    bool ok = false;
    const int seconds = text.trimmed().toInt(&ok);
    if (!ok || seconds < kMinAnswerTimeout || seconds > kMaxAnswerTimeout)
        throw DatabaseError(QStringLiteral("%1: answer_timeout \"%2\" is not a number of seconds from %3 to %4.")
                                .arg(where, text.trimmed())
                                .arg(kMinAnswerTimeout)
                                .arg(kMaxAnswerTimeout));
    return seconds;
}

QString AliasConfig::describe() const
{
    if (engine == Engine::Sqlite)
        return QStringLiteral("sqlite file %1%2").arg(path, fromFile ? QString() : QStringLiteral(" (embedded default)"));
    QStringList parts;
    if (!nodes.isEmpty())
        parts << QStringLiteral("nodes %1").arg(nodes.join(QStringLiteral(", ")));
    if (!socket.isEmpty())
        parts << QStringLiteral("socket %1").arg(socket);
    if (!host.isEmpty())
        parts << QStringLiteral("host %1%2").arg(host, port ? QStringLiteral(":%1").arg(port) : QString());
    if (!optionFile.isEmpty())
        parts << QStringLiteral("option file %1").arg(optionFile);
    if (!optionGroup.isEmpty())
        parts << QStringLiteral("option group %1").arg(optionGroup);
    if (tlsRequested()) {
        QString tls = QStringLiteral("TLS required, server checked against %1")
                          .arg(sslCa.isEmpty() ? QStringLiteral("the system's certificates") : sslCa);
        tls += sslVerifyServerCert ? QStringLiteral(" with its name") : QStringLiteral(" without its name");
        if (!sslCert.isEmpty())
            tls += QStringLiteral(", client certificate %1").arg(sslCert);
        parts << tls;
    }
    parts << QStringLiteral("answer within %1 s").arg(answerTimeout);
    return QStringLiteral("mariadb database %1 (%2)").arg(database, parts.join(QStringLiteral(", ")));
}

QString aliasFilePath()
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/duredir/aliases.ini");
}

QString defaultSqlitePath(const QString& alias)
{
    return xdgDir("XDG_DATA_HOME", QStringLiteral(".local/share")) + QStringLiteral("/duredir/") + alias
           + QStringLiteral(".sqlite");
}

AliasConfig resolveAlias(const QString& alias)
{
    AliasConfig c;
    const QString file = aliasFilePath();
    if (QFileInfo::exists(file)) {
        requireTrustedFile(file, TrustedFile::AliasFile);
        QSettings ini(file, QSettings::IniFormat);
        if (ini.status() != QSettings::NoError)
            throw DatabaseError(QStringLiteral("The alias file %1 cannot be read.").arg(file));
        if (ini.childGroups().contains(alias)) {
            ini.beginGroup(alias);
            const QString driver = ini.value(QStringLiteral("driver")).toString().trimmed().toLower();
            c.fromFile = true;
            if (driver == QLatin1String("sqlite")) {
                c.engine = Engine::Sqlite;
                c.path = ini.value(QStringLiteral("path")).toString();
                if (c.path.isEmpty())
                    c.path = defaultSqlitePath(alias);
            } else if (driver == QLatin1String("mariadb") || driver == QLatin1String("mysql")) {
                c.engine = Engine::MariaDb;
                c.host = ini.value(QStringLiteral("host")).toString();
                c.port = ini.value(QStringLiteral("port"), 0).toInt();
                c.socket = ini.value(QStringLiteral("socket")).toString();
                // "nodes=a.sock, db2:3307" comes back as a list; one node as a text.
                for (const QString& n : ini.value(QStringLiteral("nodes")).toStringList())
                    for (const QString& part : n.split(QLatin1Char(','), Qt::SkipEmptyParts))
                        if (!part.trimmed().isEmpty())
                            c.nodes << part.trimmed();
                c.database = ini.value(QStringLiteral("database")).toString();
                c.optionFile = ini.value(QStringLiteral("option_file")).toString();
                c.optionGroup = ini.value(QStringLiteral("option_group")).toString();
                c.ssl = ini.value(QStringLiteral("ssl"), false).toBool();
                c.sslCa = ini.value(QStringLiteral("ssl_ca")).toString();
                c.sslCert = ini.value(QStringLiteral("ssl_cert")).toString();
                c.sslKey = ini.value(QStringLiteral("ssl_key")).toString();
                c.sslVerifyServerCert = ini.value(QStringLiteral("ssl_verify_server_cert"), true).toBool();
                // A list ("15,") or an empty value is refused as any other text that is no number.
                const QVariant answer = ini.value(QStringLiteral("answer_timeout"));
                if (answer.isValid())
                    c.answerTimeout = parseAnswerTimeout(answer.typeId() == QMetaType::QStringList
                                                             ? answer.toStringList().join(QLatin1Char(','))
                                                             : answer.toString(),
                                                         QStringLiteral("The alias \"%1\" in %2").arg(alias, file));
            } else {
                throw DatabaseError(QStringLiteral("The alias \"%1\" in %2 names an unknown driver \"%3\" "
                                                   "(expected sqlite or mariadb).")
                                        .arg(alias, file, driver));
            }
            ini.endGroup();
            // A relative path would be looked up in whatever folder the program starts in,
            // where another user may have put a file of that name: every file by its full path.
            const QList<std::pair<const char*, QString>> files{{"path", c.engine == Engine::Sqlite ? c.path : QString()},
                                                               {"socket", c.socket},
                                                               {"option_file", c.optionFile},
                                                               {"ssl_ca", c.sslCa},
                                                               {"ssl_cert", c.sslCert},
                                                               {"ssl_key", c.sslKey}};
            for (const auto& [key, value] : files)
                if (!value.isEmpty() && QFileInfo(value).isRelative())
                    throw DatabaseError(QStringLiteral("The alias \"%1\" in %2 gives %3 as the relative path \"%4\"; "
                                                       "it was not used. Give the full path (duredir-db set-alias "
                                                       "writes it so).")
                                            .arg(alias, file, QLatin1String(key), value));
            return c;
        }
    }
    c.engine = Engine::Sqlite;
    c.path = defaultSqlitePath(alias);
    return c;
}

void writeAlias(const QString& alias, const AliasConfig& config)
{
    const QString file = aliasFilePath();
    // The other sections are read back and kept: from a file that is trusted only.
    requireTrustedFile(file, TrustedFile::AliasFile);
    // QSettings replaces the file by a new one with the old one's mode: private from the start.
    if (!preparePrivateFile(file))
        throw DatabaseError(QStringLiteral("The alias file %1 cannot be written.").arg(file));
    QSettings ini(file, QSettings::IniFormat);
    ini.remove(alias);
    ini.beginGroup(alias);
    if (config.engine == Engine::Sqlite) {
        ini.setValue(QStringLiteral("driver"), QStringLiteral("sqlite"));
        ini.setValue(QStringLiteral("path"), config.path);
    } else {
        ini.setValue(QStringLiteral("driver"), QStringLiteral("mariadb"));
        auto put = [&](const char* key, const QString& v) {
            if (!v.isEmpty())
                ini.setValue(QLatin1String(key), v);
        };
        put("host", config.host);
        if (config.port)
            ini.setValue(QStringLiteral("port"), config.port);
        put("socket", config.socket);
        if (!config.nodes.isEmpty())
            ini.setValue(QStringLiteral("nodes"), config.nodes.join(QLatin1Char(',')));
        put("database", config.database);
        put("option_file", config.optionFile);
        put("option_group", config.optionGroup);
        if (config.ssl)
            ini.setValue(QStringLiteral("ssl"), true);
        put("ssl_ca", config.sslCa);
        put("ssl_cert", config.sslCert);
        put("ssl_key", config.sslKey);
        if (config.tlsRequested() && !config.sslVerifyServerCert)
            ini.setValue(QStringLiteral("ssl_verify_server_cert"), false);
        if (config.answerTimeout != kDefaultAnswerTimeout)
            ini.setValue(QStringLiteral("answer_timeout"), config.answerTimeout);
    }
    ini.endGroup();
    ini.sync();
    if (ini.status() != QSettings::NoError)
        throw DatabaseError(QStringLiteral("The alias file %1 cannot be written.").arg(file));
}

} // namespace data
