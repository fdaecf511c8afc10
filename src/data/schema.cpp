#include "data/schema.h"

#include "data/database.h"

#include <QSqlDatabase>

namespace data {

QStringList schemaStatements(Engine engine)
{
    const QString text = QString::fromUtf8(schemaSourceText(engine));
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
            statements << s;
            current.clear();
        }
    }
    return statements;
}

QStringList schemaTableNames()
{
    return {QStringLiteral("artikli"),          QStringLiteral("komintenti"),   QStringLiteral("vraboteni"),
            QStringLiteral("proizvodi"),        QStringLiteral("proizvodi_sostav"), QStringLiteral("nalozi"),
            QStringLiteral("priemnici"),        QStringLiteral("ispratnici"),   QStringLiteral("magacin_artikli"),
            QStringLiteral("magacin_proizvodi"), QStringLiteral("info_table")};
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

} // namespace data
