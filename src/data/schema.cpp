#include "data/schema.h"

#include "data/database.h"
#include "data/schemaversion.h"

#include <QFileInfo>
#include <QHash>
#include <QPair>
#include <QSqlDatabase>

namespace data {

QStringList schemaStatements(Engine engine)
{
    return splitSchemaText(QString::fromUtf8(schemaSourceText(engine)));
}

QStringList splitSchemaText(const QString& text)
{
    QStringList statements;
    QString current;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            QString s = current.trimmed();
            s.chop(1);
            s.replace(QLatin1String("@VERSION@"), QStringLiteral(DUREDIR_VERSION));
            s.replace(QLatin1String("@SCHEMA_VERSION@"), QString::number(kSchemaVersion));
            statements << s;
            current.clear();
        }
    }
    return statements;
}

QStringList schemaTableNames()
{
    return {QStringLiteral("artikli"),           QStringLiteral("komintenti"),       QStringLiteral("vraboteni"),
            QStringLiteral("proizvodi"),         QStringLiteral("proizvodi_sostav"), QStringLiteral("nalozi"),
            QStringLiteral("priemnici"),         QStringLiteral("ispratnici"),       QStringLiteral("magacin_artikli"),
            QStringLiteral("magacin_proizvodi"), QStringLiteral("info_table")};
}

QStringList bookkeepingTableNames()
{
    return {QStringLiteral("duredir_schema"), QStringLiteral("duredir_accepted_triggers")};
}

QString quotedName(Engine engine, const QString& name)
{
    const QChar quote = engine == Engine::Sqlite ? QLatin1Char('"') : QLatin1Char('`');
    QString inner = name;
    inner.replace(quote, QString(2, quote));
    return quote + inner + quote;
}

QStringList existingTables(Database& db)
{
    QStringList out;
    for (const QString& t : db.handle().tables(QSql::Tables)) {
        if (t.startsWith(QLatin1String("sqlite_")))
            continue;
        out << t.toLower();
    }
    out.sort();
    return out;
}

void createSchema(Database& db)
{
    for (const QString& s : schemaStatements(db.engine()))
        db.exec(s);
}

QStringList missingTables(Database& db)
{
    const QStringList existing = existingTables(db);
    QStringList missing;
    for (const QString& t : schemaTableNames())
        if (!existing.contains(t))
            missing << t;
    return missing;
}

QString toolCommand(const QString& alias, const QString& command)
{
    return alias.isEmpty() || alias == QLatin1String("varnok_public")
               ? QStringLiteral("duredir-db %1").arg(command)
               : QStringLiteral("duredir-db --alias %1 %2").arg(alias, command);
}

namespace {

NotPrepared notPrepared(const AliasConfig& config, const QString& alias, const QStringList& missing)
{
    const QString tool = toolCommand(alias, QStringLiteral("init"));
    const QString what =
        missing.isEmpty() || missing.size() == schemaTableNames().size()
            ? QStringLiteral("has not been prepared: it holds none of the program's tables.")
            : QStringLiteral("is not prepared completely: the tables %1 are missing.").arg(missing.join(QStringLiteral(", ")));
    return NotPrepared(QStringLiteral("The data source of alias \"%1\" (%2) %3\n"
                                      "The administrator prepares it with the command '%4' "
                                      "(and may then restore a backup into it).")
                           .arg(alias, config.describe(), what, tool));
}

// Connection name -> the alias it was opened through and where that pointed then.
QHash<QString, QPair<QString, QString>>& opened()
{
    static QHash<QString, QPair<QString, QString>> aliases;
    return aliases;
}

} // namespace

void requirePrepared(Database& db, const QString& alias)
{
    const QStringList missing = missingTables(db);
    if (!missing.isEmpty())
        throw notPrepared(db.config(), alias, missing);
}

void openPrepared(Database& db, const QString& alias)
{
    const AliasConfig config = resolveAlias(alias);
    // Opening a SQLite file that is not there would create it, and opening an empty one
    // would write its header: neither holds tables, and neither is touched.
    if (config.engine == Engine::Sqlite && (!QFileInfo(config.path).isFile() || QFileInfo(config.path).size() == 0))
        throw notPrepared(config, alias, {});
    db.setConfig(config);
    db.open();
    requirePrepared(db, alias);
    opened().insert(db.connectionName(), {alias, config.describe()});
}

QString openedAlias(const Database& db)
{
    const auto it = opened().constFind(db.connectionName());
    return it != opened().cend() && it->second == db.config().describe() ? it->first : QString();
}

} // namespace data
