#include "data/schemaversion.h"

#include "data/database.h"

#include <algorithm>
#include <optional>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QHash>
#include <QPair>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace data {

namespace {

// The columns the program reads and writes, table by table (key columns that the program
// never names, like a ledger row's own key, are not among them).
const QList<QPair<QString, QStringList>>& requiredColumns()
{
    static const QList<QPair<QString, QStringList>> columns{
        {QStringLiteral("artikli"),
         {QStringLiteral("id"), QStringLiteral("sifra"), QStringLiteral("artikal"), QStringLiteral("edm")}},
        {QStringLiteral("komintenti"),
         {QStringLiteral("id"), QStringLiteral("naziv"), QStringLiteral("adresa"), QStringLiteral("grad"),
          QStringLiteral("tel"), QStringLiteral("mobil"), QStringLiteral("zirosmetka"), QStringLiteral("edb"),
          QStringLiteral("deponent"), QStringLiteral("sifdejnost"), QStringLiteral("mb"), QStringLiteral("zabeleska1"),
          QStringLiteral("zabeleska2"), QStringLiteral("rabat")}},
        {QStringLiteral("vraboteni"),
         {QStringLiteral("id"), QStringLiteral("naziv"), QStringLiteral("adresa"), QStringLiteral("tel"),
          QStringLiteral("mobil"), QStringLiteral("zirosmetka"), QStringLiteral("edb"), QStringLiteral("deponent"),
          QStringLiteral("sifdejnost"), QStringLiteral("mb"), QStringLiteral("zabeleska1"), QStringLiteral("zabeleska2")}},
        {QStringLiteral("proizvodi"),
         {QStringLiteral("id"), QStringLiteral("sifra"), QStringLiteral("proizvod"), QStringLiteral("edm"),
          QStringLiteral("cena"), QStringLiteral("tarifa"), QStringLiteral("rabat")}},
        {QStringLiteral("proizvodi_sostav"),
         {QStringLiteral("id_proizvod"), QStringLiteral("id_artikal"), QStringLiteral("kolicina"),
          QStringLiteral("firma_id")}},
        {QStringLiteral("nalozi"),
         {QStringLiteral("id"), QStringLiteral("nalog_id"), QStringLiteral("datum_start"),
          QStringLiteral("datum_finish"), QStringLiteral("vraboten_id"), QStringLiteral("prioritet")}},
        {QStringLiteral("priemnici"), {QStringLiteral("id"), QStringLiteral("priemnica_id"), QStringLiteral("datum")}},
        {QStringLiteral("ispratnici"),
         {QStringLiteral("id"), QStringLiteral("ispratnica_id"), QStringLiteral("datum"), QStringLiteral("datum_valuta"),
          QStringLiteral("rabat"), QStringLiteral("z1"), QStringLiteral("z2"), QStringLiteral("z3")}},
        {QStringLiteral("magacin_artikli"),
         {QStringLiteral("vid_dokument"), QStringLiteral("document_id"), QStringLiteral("id_komintent"),
          QStringLiteral("id_artikal"), QStringLiteral("vlez_kol"), QStringLiteral("izlez_kol"),
          QStringLiteral("datum_referenca"), QStringLiteral("firma_id"), QStringLiteral("document_id_label")}},
        {QStringLiteral("magacin_proizvodi"),
         {QStringLiteral("id"), QStringLiteral("vid_dokument"), QStringLiteral("document_id"),
          QStringLiteral("id_komintent"), QStringLiteral("id_proizvod"), QStringLiteral("vlez_kol"),
          QStringLiteral("izlez_kol"), QStringLiteral("datum_referenca"), QStringLiteral("firma_id"),
          QStringLiteral("proizvod_cena"), QStringLiteral("proizvod_tarifa"), QStringLiteral("document_id_label")}},
        {QStringLiteral("info_table"), {QStringLiteral("info")}},
    };
    return columns;
}

// The codes and document numbers that must stay unique: "table.column".
const QStringList& numberColumns()
{
    static const QStringList columns{QStringLiteral("artikli.sifra"), QStringLiteral("proizvodi.sifra"),
                                     QStringLiteral("priemnici.priemnica_id"),
                                     QStringLiteral("ispratnici.ispratnica_id"), QStringLiteral("nalozi.nalog_id")};
    return columns;
}

// The key column each table gets when it has no primary key, and whether it comes first
// (as in the program's own schema).
struct KeyColumn {
    QString name;
    bool first;
};
KeyColumn keyColumnOf(const QString& table)
{
    if (table == QLatin1String("proizvodi_sostav"))
        return {QStringLiteral("sostav_id"), false}; // not `id`: the composition reads the article's key as `id`
    if (table == QLatin1String("info_table"))
        return {QStringLiteral("info_id"), false};
    return {QStringLiteral("id"), true};
}

// How many characters the windows let the operator type into a text column, and who says so.
struct TextWidth {
    int characters;
    const char* why;
};
QHash<QString, TextWidth> textWidths()
{
    QHash<QString, TextWidth> widths;
    for (const QString& c : requiredColumns().at(1).second)
        if (c != QLatin1String("id") && c != QLatin1String("rabat"))
            widths.insert(QStringLiteral("komintenti.") + c, {30, "the partner windows accept 30"});
    const char* unlimited = "the windows do not limit it, and the program's own schema holds %1";
    for (const QString& c : requiredColumns().at(2).second)
        if (c != QLatin1String("id"))
            widths.insert(QStringLiteral("vraboteni.") + c, {255, unlimited});
    widths.insert(QStringLiteral("artikli.artikal"), {255, unlimited});
    widths.insert(QStringLiteral("artikli.edm"), {50, unlimited});
    widths.insert(QStringLiteral("proizvodi.proizvod"), {255, unlimited});
    widths.insert(QStringLiteral("proizvodi.edm"), {50, unlimited});
    widths.insert(QStringLiteral("nalozi.prioritet"), {255, unlimited});
    return widths;
}

struct Column {
    QString name;
    int width = -1; // characters a text column holds; -1: not a limited text column
};
struct Index {
    QString name;
    bool unique = false;
    bool primary = false;
    QStringList columns;
};
struct Table {
    QString engine;
    QList<Column> columns;
    QList<Index> indexes;
    bool hasColumn(const QString& c) const
    {
        return std::any_of(columns.cbegin(), columns.cend(), [&](const Column& x) { return x.name == c; });
    }
    bool hasIndexNamed(const QString& n) const
    {
        return std::any_of(indexes.cbegin(), indexes.cend(), [&](const Index& x) { return x.name == n; });
    }
    bool uniqueOn(const QString& c) const
    {
        return std::any_of(indexes.cbegin(), indexes.cend(),
                           [&](const Index& x) { return x.unique && x.columns == QStringList{c}; });
    }
    bool primaryKey() const
    {
        return std::any_of(indexes.cbegin(), indexes.cend(), [](const Index& x) { return x.primary; });
    }
};

QSqlQuery run(Database& db, const QString& statement)
{
    QSqlQuery q(db.handle());
    q.setForwardOnly(true);
    if (!q.exec(statement))
        throw DatabaseError(QStringLiteral("%1\n%2").arg(q.lastError().text(), statement), q.lastError().nativeErrorCode());
    return q;
}

// The program's tables as the database has them (names in lower case).
QHash<QString, Table> readTables(Database& db)
{
    QHash<QString, Table> tables;
    const QStringList own = schemaTableNames();
    if (db.engine() == Engine::Sqlite) {
        for (const QString& name : existingTables(db)) {
            if (!own.contains(name))
                continue;
            Table t;
            t.engine = QStringLiteral("SQLite");
            QSqlQuery c = run(db, QStringLiteral("PRAGMA table_info(%1)").arg(quotedName(Engine::Sqlite, name)));
            while (c.next()) {
                t.columns << Column{c.value(1).toString().toLower(), -1};
                if (c.value(5).toInt() > 0)
                    t.indexes << Index{QStringLiteral("primary"), true, true, {c.value(1).toString().toLower()}};
            }
            QSqlQuery l = run(db, QStringLiteral("PRAGMA index_list(%1)").arg(quotedName(Engine::Sqlite, name)));
            QList<Index> indexes;
            while (l.next())
                indexes << Index{l.value(1).toString().toLower(),
                                 l.value(2).toInt() != 0,
                                 l.value(3).toString() == QLatin1String("pk"),
                                 {}};
            for (Index& i : indexes) {
                // Index names are anyone's to choose: quoted, whatever they hold.
                QSqlQuery ic = run(db, QStringLiteral("PRAGMA index_info(%1)").arg(quotedName(Engine::Sqlite, i.name)));
                while (ic.next())
                    i.columns << ic.value(2).toString().toLower();
            }
            t.indexes << indexes;
            // Every SQLite table has its row key.
            if (!t.primaryKey())
                t.indexes << Index{QStringLiteral("rowid"), true, true, {QStringLiteral("rowid")}};
            tables.insert(name, t);
        }
        return tables;
    }
    QSqlQuery q = run(db, QStringLiteral("select lower(table_name), engine from information_schema.tables "
                                         "where table_schema=database() and table_type='BASE TABLE'"));
    while (q.next())
        if (own.contains(q.value(0).toString()))
            tables.insert(q.value(0).toString(), Table{q.value(1).toString(), {}, {}});
    q = run(db, QStringLiteral("select lower(table_name), lower(column_name), lower(data_type), "
                               "character_maximum_length from information_schema.columns "
                               "where table_schema=database() order by table_name, ordinal_position"));
    while (q.next()) {
        auto it = tables.find(q.value(0).toString());
        if (it == tables.end())
            continue;
        const QString type = q.value(2).toString();
        const bool limited = type == QLatin1String("varchar") || type == QLatin1String("char");
        it->columns << Column{q.value(1).toString(), limited ? q.value(3).toInt() : -1};
    }
    q = run(db, QStringLiteral("select lower(table_name), index_name, non_unique, lower(column_name) "
                               "from information_schema.statistics where table_schema=database() "
                               "order by table_name, index_name, seq_in_index"));
    while (q.next()) {
        auto it = tables.find(q.value(0).toString());
        if (it == tables.end())
            continue;
        const QString name = q.value(1).toString();
        if (it->indexes.isEmpty() || it->indexes.last().name != name)
            it->indexes << Index{name, q.value(2).toInt() == 0, name == QLatin1String("PRIMARY"), {}};
        it->indexes.last().columns << q.value(3).toString();
    }
    return tables;
}

QPair<QString, QString> split(const QString& tableColumn)
{
    const qsizetype dot = tableColumn.indexOf(QLatin1Char('.'));
    return {tableColumn.left(dot), tableColumn.mid(dot + 1)};
}

// "7 (2 rows), 9 (3 rows)" for the values of a column that occur more than once.
QString duplicatesOf(Database& db, const QString& table, const QString& column)
{
    QSqlQuery q = run(db, QStringLiteral("select %2, count(*) from %1 where %2 is not null group by %2 "
                                         "having count(*) > 1 order by %2")
                              .arg(table, column));
    QStringList values;
    while (q.next())
        values << QStringLiteral("%1 (%2 rows)").arg(q.value(0).toString()).arg(q.value(1).toInt());
    return values.join(QStringLiteral(", "));
}

QString upgradeCommand(const QString& alias, const QString& extra = QString())
{
    QString command = toolCommand(alias, QStringLiteral("upgrade"));
    if (!extra.isEmpty())
        command += QLatin1Char(' ') + extra;
    return QLatin1Char('\'') + command + QLatin1Char('\'');
}

// The statements of the program's own schema that create `table` and its indexes.
QStringList ownStatementsOf(Engine engine, const QString& table)
{
    QStringList out;
    for (const QString& s : schemaStatements(engine)) {
        const QString head = s.section(QLatin1Char('('), 0, 0).simplified();
        if (head == QStringLiteral("CREATE TABLE %1").arg(table) || head.endsWith(QStringLiteral(" ON %1").arg(table)))
            out << s;
    }
    return out;
}

// SQLite adds no key column to a table that exists: the table is made again as the
// program's own schema has it and its rows copied over, inside the upgrade's transaction.
// Dropping the old table drops its triggers: they are made again on the new one, with the
// same text (so that one accepted stays accepted).
void rebuildSqliteTable(Database& db, const QString& table, const Table& old)
{
    const QStringList statements = ownStatementsOf(Engine::Sqlite, table);
    const QString temp = table + QStringLiteral("_upgrading");
    QStringList triggers;
    {
        QSqlQuery q(db.handle());
        q.setForwardOnly(true);
        if (!q.prepare(QStringLiteral("select sql from sqlite_master where type='trigger' and lower(tbl_name)=? "
                                      "and sql is not null order by name")))
            throw DatabaseError(q.lastError().text(), q.lastError().nativeErrorCode());
        q.addBindValue(table);
        if (!q.exec())
            throw DatabaseError(q.lastError().text(), q.lastError().nativeErrorCode());
        while (q.next())
            triggers << q.value(0).toString();
    }
    db.exec(QString(statements.first())
                .replace(QStringLiteral("CREATE TABLE %1 (").arg(table), QStringLiteral("CREATE TABLE %1 (").arg(temp)));
    QStringList columns;
    for (const Column& c : old.columns)
        columns << quotedName(Engine::Sqlite, c.name);
    db.exec(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(temp, columns.join(QLatin1Char(',')), table));
    db.exec(QStringLiteral("DROP TABLE %1").arg(table));
    db.exec(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(temp, table));
    for (const QString& s : statements.mid(1))
        db.exec(s);
    for (const QString& t : triggers)
        db.exec(t);
}

// The ordinary indexes of the program's own schema: name, table and indexed columns.
struct OwnIndex {
    QString name;
    QString table;
    QString columns;
};
QList<OwnIndex> ownIndexes(Engine engine)
{
    QList<OwnIndex> out;
    static const QRegularExpression sqliteIndex(QStringLiteral("^CREATE INDEX (\\w+) ON (\\w+) \\((.*)\\)$"));
    static const QRegularExpression mariaTable(QStringLiteral("^CREATE TABLE (\\w+) \\("));
    static const QRegularExpression mariaKey(QStringLiteral("^\\s*KEY (\\w+) \\(([^)]*)\\),?$"),
                                             QRegularExpression::MultilineOption);
    for (const QString& s : schemaStatements(engine)) {
        if (engine == Engine::Sqlite) {
            const auto m = sqliteIndex.match(s.simplified());
            if (m.hasMatch())
                out << OwnIndex{m.captured(1), m.captured(2), m.captured(3)};
            continue;
        }
        const auto t = mariaTable.match(s);
        if (!t.hasMatch())
            continue;
        for (auto it = mariaKey.globalMatch(s); it.hasNext();) {
            const auto k = it.next();
            out << OwnIndex{k.captured(1), t.captured(1), k.captured(2)};
        }
    }
    return out;
}

// The statement of the program's own schema that creates `table`.
QString ownTableStatement(Engine engine, const QString& table)
{
    for (const QString& s : schemaStatements(engine))
        if (s.section(QLatin1Char('('), 0, 0).simplified() == QStringLiteral("CREATE TABLE %1").arg(table))
            return s;
    return QString();
}

const char* const kAcceptedTable = "duredir_accepted_triggers";

// The texts of the schema checks, for translators.
struct Texts {
    Q_DECLARE_TR_FUNCTIONS(data::Schema)
};

// "'duredir-db accept-triggers'", preceded by the upgrade where the database needs it first.
QString acceptCommand(const QString& alias, int recordedVersion)
{
    QString accept = QLatin1Char('\'') + toolCommand(alias, QStringLiteral("accept-triggers")) + QLatin1Char('\'');
    if (recordedVersion >= kAcceptedTriggersVersion)
        return accept;
    return Texts::tr("%1 and then %2").arg(upgradeCommand(alias), accept);
}

// A trigger's text on one line, cut where it grows long.
QString outline(const QString& definition)
{
    const QString line = definition.simplified();
    return line.size() > 240 ? line.left(240) + QStringLiteral("...") : line;
}

// Tables and views that are neither the program's nor the engine's own.
struct ForeignObject {
    bool view;
    QString name;
};
QList<ForeignObject> foreignObjects(Database& db)
{
    const QStringList own = schemaTableNames() + bookkeepingTableNames();
    QList<ForeignObject> out;
    const bool sqlite = db.engine() == Engine::Sqlite;
    QSqlQuery q = run(db, sqlite ? QStringLiteral("select name, type from sqlite_master where type in ('table','view') "
                                                  "order by name")
                                 : QStringLiteral("select table_name, table_type from information_schema.tables "
                                                  "where table_schema=database() order by table_name"));
    while (q.next()) {
        const QString name = q.value(0).toString();
        const QString lower = name.toLower();
        if (own.contains(lower) || (sqlite && lower.startsWith(QLatin1String("sqlite_"))))
            continue;
        out << ForeignObject{q.value(1).toString().compare(QLatin1String("view"), Qt::CaseInsensitive) == 0, name};
    }
    return out;
}

void recordVersion(Database& db)
{
    db.exec(db.engine() == Engine::Sqlite
                ? QStringLiteral("CREATE TABLE IF NOT EXISTS duredir_schema (version INTEGER NOT NULL PRIMARY KEY)")
                : QStringLiteral("CREATE TABLE IF NOT EXISTS duredir_schema (version INT NOT NULL PRIMARY KEY) "
                                 "ENGINE=InnoDB"));
    db.exec(QStringLiteral("DELETE FROM duredir_schema"));
    db.exec(QStringLiteral("INSERT INTO duredir_schema (version) VALUES (%1)").arg(kSchemaVersion));
}

} // namespace

bool SchemaFinding::blocking() const
{
    switch (kind) {
    case Kind::MissingTable:
    case Kind::MissingColumn:
    case Kind::OlderVersion:
    case Kind::NewerVersion:
    case Kind::NotTransactional:
    case Kind::ForeignTrigger:
        return true;
    default:
        return false;
    }
}

bool SchemaReport::fit() const
{
    return std::none_of(findings.cbegin(), findings.cend(), [](const SchemaFinding& f) { return f.blocking(); });
}

bool SchemaReport::has(SchemaFinding::Kind kind) const
{
    return !of(kind).isEmpty();
}

QList<SchemaFinding> SchemaReport::of(SchemaFinding::Kind kind) const
{
    QList<SchemaFinding> out;
    for (const SchemaFinding& f : findings)
        if (f.kind == kind)
            out << f;
    return out;
}

bool isAssignedKeyColumn(const QString& table, const QString& column)
{
    return (table == QLatin1String("proizvodi_sostav") || table == QLatin1String("info_table")
            || table == QLatin1String("magacin_artikli"))
           && keyColumnOf(table).name == column;
}

int recordedSchemaVersion(Database& db)
{
    if (!existingTables(db).contains(QLatin1String("duredir_schema")))
        return 0;
    QSqlQuery q = run(db, QStringLiteral("select max(version) from duredir_schema"));
    return q.next() ? q.value(0).toInt() : 0;
}

QString Trigger::sha256() const
{
    return QString::fromLatin1(QCryptographicHash::hash(definition.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QList<Trigger> readTriggers(Database& db)
{
    QList<Trigger> out;
    if (db.engine() == Engine::Sqlite) {
        QSqlQuery q = run(db, QStringLiteral("select name, tbl_name, sql from sqlite_master where type='trigger' "
                                             "order by name"));
        while (q.next())
            out << Trigger{q.value(0).toString(), q.value(1).toString(), QString(), q.value(2).toString()};
        return out;
    }
    // The server shows the body and definer only to an account with the TRIGGER privilege.
    QSqlQuery q = run(db, QStringLiteral("select trigger_name, event_object_table, action_timing, event_manipulation, "
                                         "action_statement, definer from information_schema.triggers "
                                         "where trigger_schema=database() order by trigger_name"));
    while (q.next()) {
        Trigger t{q.value(0).toString(), q.value(1).toString(),
                  QStringLiteral("%1 %2").arg(q.value(2).toString(), q.value(3).toString()), QString()};
        if (!q.value(4).isNull())
            t.definition = QStringLiteral("CREATE DEFINER=%1 TRIGGER %2 %3 ON %4 FOR EACH ROW %5")
                               .arg(q.value(5).toString(), quotedName(Engine::MariaDb, t.name), t.timingEvent,
                                    quotedName(Engine::MariaDb, t.table), q.value(4).toString());
        out << t;
    }
    return out;
}

QList<AcceptedTrigger> acceptedTriggers(Database& db)
{
    QList<AcceptedTrigger> out;
    if (!existingTables(db).contains(QLatin1String(kAcceptedTable)))
        return out;
    QSqlQuery q = run(db, QStringLiteral("select name, table_name, timing_event, sql_sha256, accepted_at from %1 "
                                         "order by name")
                              .arg(QLatin1String(kAcceptedTable)));
    while (q.next()) {
        const QVariant at = q.value(4);
        out << AcceptedTrigger{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                               at.typeId() == QMetaType::QDateTime
                                   ? at.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                                   : at.toString()};
    }
    return out;
}

QList<ForeignTrigger> foreignTriggers(Database& db)
{
    const QList<AcceptedTrigger> accepted = acceptedTriggers(db);
    QList<ForeignTrigger> out;
    for (const Trigger& t : readTriggers(db)) {
        const auto a =
            std::find_if(accepted.cbegin(), accepted.cend(), [&](const AcceptedTrigger& x) { return x.name == t.name; });
        if (a == accepted.cend()) {
            out << ForeignTrigger{t, false, QString()};
            continue;
        }
        // What an account that may not read the text sees must match all the same; the text
        // where it can be read.
        const bool same = a->table.compare(t.table, Qt::CaseInsensitive) == 0 && a->timingEvent == t.timingEvent
                          && (t.definition.isEmpty() || a->sha256 == t.sha256());
        if (!same)
            out << ForeignTrigger{t, true, a->acceptedAt};
    }
    return out;
}

QList<Trigger> acceptTriggers(Database& db)
{
    const int version = recordedSchemaVersion(db);
    if (version < kAcceptedTriggersVersion || !existingTables(db).contains(QLatin1String(kAcceptedTable)))
        throw AcceptRefused(Texts::tr("Accepting triggers needs schema version %1, which records them; this database "
                                      "%2. Run %3 first (after a backup). Nothing was changed.")
                                .arg(kAcceptedTriggersVersion)
                                .arg(version ? Texts::tr("has version %1").arg(version) : Texts::tr("records no version"))
                                .arg(upgradeCommand(openedAlias(db))));
    if (version > kSchemaVersion)
        throw AcceptRefused(Texts::tr("The database has schema version %1, newer than this program knows (version %2); "
                                      "accept its triggers with the release that upgraded it. Nothing was changed.")
                                .arg(version)
                                .arg(kSchemaVersion));
    // Read under the transaction's lock (SQLite): what is recorded is what was there.
    Transaction transaction(db);
    QList<Trigger> present = readTriggers(db);
    QStringList hidden;
    for (const Trigger& t : present)
        if (t.definition.isEmpty())
            hidden << t.name;
    if (!hidden.isEmpty())
        throw AcceptRefused(Texts::tr("This account may not read the text of the triggers %1 (it lacks the TRIGGER "
                                      "privilege), and a trigger is accepted only as it was seen. Run the command with "
                                      "an administrator's account. Nothing was changed.")
                                .arg(hidden.join(QStringLiteral(", "))));
    db.exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(kAcceptedTable)));
    const QString now = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    for (const Trigger& t : present) {
        QSqlQuery q(db.handle());
        if (!q.prepare(QStringLiteral("INSERT INTO %1 (name, table_name, timing_event, sql_sha256, accepted_at) "
                                      "VALUES (?, ?, ?, ?, ?)")
                           .arg(QLatin1String(kAcceptedTable))))
            throw DatabaseError(q.lastError().text(), q.lastError().nativeErrorCode());
        for (const QString& v : {t.name, t.table, t.timingEvent, t.sha256(), now})
            q.addBindValue(v.isNull() ? QStringLiteral("") : v); // SQLite has no timing and event apart: empty, not NULL
        if (!q.exec())
            throw DatabaseError(q.lastError().text(), q.lastError().nativeErrorCode());
    }
    transaction.commit();
    return present;
}

SchemaReport inspectSchema(Database& db)
{
    using Kind = SchemaFinding::Kind;
    SchemaReport report;
    const QHash<QString, Table> tables = readTables(db);
    for (const auto& [table, columns] : requiredColumns()) {
        const auto t = tables.constFind(table);
        if (t == tables.cend()) {
            report.findings << SchemaFinding{Kind::MissingTable,
                                             table,
                                             {},
                                             QStringLiteral("The table %1 is missing: the program does not start "
                                                            "without it.")
                                                 .arg(table)};
            continue;
        }
        for (const QString& c : columns)
            if (!t->hasColumn(c))
                report.findings << SchemaFinding{Kind::MissingColumn, table, c,
                                                 QStringLiteral("The column %1.%2 is missing: the windows that "
                                                                "read or write it fail.")
                                                     .arg(table, c)};
        if (db.engine() == Engine::MariaDb && t->engine.compare(QLatin1String("InnoDB"), Qt::CaseInsensitive) != 0)
            report.findings << SchemaFinding{Kind::NotTransactional,
                                             table,
                                             {},
                                             QStringLiteral(
                                                 "The table %1 is stored by the %2 engine, which has no transactions: a save cut off "
                                                 "half-way stays half-written there. %3 converts it to InnoDB.")
                                                 .arg(table, t->engine,
                                                      upgradeCommand(QString(), QStringLiteral("--convert-engine")))};
        if (db.engine() == Engine::MariaDb && !t->primaryKey())
            report.findings << SchemaFinding{Kind::NoPrimaryKey,
                                             table,
                                             {},
                                             QStringLiteral("The table %1 has no primary key: on a cluster its rows "
                                                            "cannot be deleted. %2 adds the key column %3.")
                                                 .arg(table, upgradeCommand(QString()), keyColumnOf(table).name)};
    }

    report.recordedVersion = recordedSchemaVersion(db);
    if (report.recordedVersion == 0)
        report.findings << SchemaFinding{Kind::VersionNotRecorded,
                                         {},
                                         {},
                                         QStringLiteral("The database records no schema version: it was made by an "
                                                        "earlier release, or by its administrator. %1 brings it to "
                                                        "version %2 and records that.")
                                             .arg(upgradeCommand(QString()))
                                             .arg(kSchemaVersion)};
    else if (report.recordedVersion < kSchemaVersion && report.recordedVersion >= kOldestWorkableSchemaVersion)
        report.findings << SchemaFinding{Kind::OlderWorkableVersion,
                                         {},
                                         {},
                                         Texts::tr("The database has schema version %1; this program's is version %2. "
                                                   "The program works on it as it is; %3 brings it to version %2, which "
                                                   "accepting triggers needs.")
                                             .arg(report.recordedVersion)
                                             .arg(kSchemaVersion)
                                             .arg(upgradeCommand(QString()))};
    else if (report.recordedVersion < kSchemaVersion)
        report.findings << SchemaFinding{Kind::OlderVersion,
                                         {},
                                         {},
                                         QStringLiteral("The database has schema version %1; this program works with "
                                                        "version %2. The program opens nothing until %3 has run.")
                                             .arg(report.recordedVersion)
                                             .arg(kSchemaVersion)
                                             .arg(upgradeCommand(QString()))};
    else if (report.recordedVersion > kSchemaVersion)
        report.findings << SchemaFinding{Kind::NewerVersion,
                                         {},
                                         {},
                                         QStringLiteral("The database has schema version %1, newer than this program "
                                                        "knows (version %2): the program only reads it. Install the "
                                                        "release that upgraded it.")
                                             .arg(report.recordedVersion)
                                             .arg(kSchemaVersion)};

    for (const QString& number : numberColumns()) {
        const auto [table, column] = split(number);
        const auto t = tables.constFind(table);
        if (t == tables.cend() || !t->hasColumn(column))
            continue;
        if (!t->uniqueOn(column))
            report.findings << SchemaFinding{Kind::MissingUniqueIndex, table, column,
                                             QStringLiteral("No unique index protects %1: two workstations saving at "
                                                            "once can take the same number. %2 adds it.")
                                                 .arg(number, upgradeCommand(QString()))};
        const QString duplicates = duplicatesOf(db, table, column);
        if (!duplicates.isEmpty())
            report.findings << SchemaFinding{Kind::Duplicates, table, column,
                                             QStringLiteral("%1 holds the same value more than once: %2. Give those "
                                                            "rows numbers of their own before the unique index can "
                                                            "be added.")
                                                 .arg(number, duplicates)};
    }

    for (const OwnIndex& i : ownIndexes(db.engine())) {
        const auto t = tables.constFind(i.table);
        if (t == tables.cend() || t->hasIndexNamed(i.name.toLower()))
            continue;
        // An index over columns the table lacks is the missing column's finding.
        const QStringList columns = i.columns.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (!std::all_of(columns.cbegin(), columns.cend(),
                         [&](const QString& c) { return t->hasColumn(c.trimmed().toLower()); }))
            continue;
        report.findings << SchemaFinding{Kind::MissingIndex, i.table, i.name,
                                         QStringLiteral("The index %1 on %2 (%3) is missing: lists and overviews read "
                                                        "more rows than they need. %4 adds it.")
                                             .arg(i.name, i.table, i.columns, upgradeCommand(QString()))};
    }

    // What someone else put into the database. A trigger runs its SQL inside the program's
    // own statements; tables and views are only there.
    const QList<AcceptedTrigger> accepted = acceptedTriggers(db);
    const QList<ForeignTrigger> foreign = foreignTriggers(db);
    QStringList hidden;
    for (const Trigger& t : readTriggers(db)) {
        if (t.definition.isEmpty())
            hidden << t.name;
        const auto f = std::find_if(foreign.cbegin(), foreign.cend(),
                                    [&](const ForeignTrigger& x) { return x.trigger.name == t.name; });
        const QString text = t.definition.isEmpty() ? Texts::tr("its text is hidden from this account")
                                                    : outline(t.definition);
        if (f == foreign.cend()) {
            const auto a = std::find_if(accepted.cbegin(), accepted.cend(),
                                        [&](const AcceptedTrigger& x) { return x.name == t.name; });
            report.findings << SchemaFinding{Kind::AcceptedTrigger, t.table, t.name,
                                             Texts::tr("The trigger %1 on %2 is not the program's; its administrator "
                                                       "accepted it on %3 (%4).")
                                                 .arg(t.name, t.table, a->acceptedAt, text)};
        } else if (f->changed) {
            report.findings << SchemaFinding{Kind::ForeignTrigger, t.table, t.name,
                                             Texts::tr("The trigger %1 on %2 has changed since its administrator "
                                                       "accepted it on %3 (%4). The program works on nothing here until "
                                                       "it is removed, or accepted again with %5.")
                                                 .arg(t.name, t.table, f->acceptedAt, text,
                                                      acceptCommand(QString(), report.recordedVersion))};
        } else {
            report.findings << SchemaFinding{Kind::ForeignTrigger, t.table, t.name,
                                             Texts::tr("The trigger %1 on %2 was not created by the program and has not "
                                                       "been accepted: it runs its own SQL inside the program's saves "
                                                       "(%3). The program works on nothing here until it is removed, or "
                                                       "accepted with %4.")
                                                 .arg(t.name, t.table, text,
                                                      acceptCommand(QString(), report.recordedVersion))};
        }
    }
    if (!hidden.isEmpty())
        report.findings << SchemaFinding{Kind::TriggerTextHidden,
                                         {},
                                         hidden.join(QStringLiteral(", ")),
                                         Texts::tr("This account may not read the text of the triggers %1 (it lacks the "
                                                   "TRIGGER privilege): one replaced under the same name, table, timing "
                                                   "and event passes for the one accepted. Run this check with an "
                                                   "administrator's account to compare their texts.")
                                             .arg(hidden.join(QStringLiteral(", ")))};
    for (const ForeignObject& o : foreignObjects(db))
        report.findings << SchemaFinding{o.view ? Kind::ForeignView : Kind::ForeignTable,
                                         o.name,
                                         {},
                                         (o.view ? Texts::tr("The view \"%1\" is not the program's: the program neither "
                                                             "reads nor changes it.")
                                                 : Texts::tr("The table \"%1\" is not the program's: the program "
                                                             "neither reads nor changes it, and its backups do not hold "
                                                             "it."))
                                             .arg(o.name)};

    const QHash<QString, TextWidth> widths = textWidths();
    for (auto it = widths.cbegin(); it != widths.cend(); ++it) {
        const auto [table, column] = split(it.key());
        const auto t = tables.constFind(table);
        if (t == tables.cend())
            continue;
        for (const Column& c : t->columns)
            if (c.name == column && c.width >= 0 && c.width < it->characters)
                report.findings << SchemaFinding{Kind::NarrowColumn, table, column,
                                                 QStringLiteral("The column %1 holds %2 characters, but %3: a longer text is refused when it is "
                                                                "saved.")
                                                     .arg(it.key())
                                                     .arg(c.width)
                                                     .arg(QString::fromLatin1(it->why).arg(it->characters))};
    }
    std::stable_sort(report.findings.begin(), report.findings.end(),
                     [](const SchemaFinding& a, const SchemaFinding& b) { return a.blocking() && !b.blocking(); });
    return report;
}

QStringList unprotectedNumbers(Database& db)
{
    QStringList out;
    for (const SchemaFinding& f : inspectSchema(db).of(SchemaFinding::Kind::MissingUniqueIndex))
        out << f.table + QLatin1Char('.') + f.column;
    return out;
}

QStringList upgradeSchema(Database& db, const UpgradeOptions& options)
{
    using Kind = SchemaFinding::Kind;
    const SchemaReport report = inspectSchema(db);
    QStringList refusals;
    for (const SchemaFinding& f : report.findings) {
        const bool refuses = f.kind == Kind::MissingTable || f.kind == Kind::MissingColumn
                             || f.kind == Kind::NewerVersion || f.kind == Kind::Duplicates
                             || (f.kind == Kind::NotTransactional && !options.convertEngine);
        if (refuses)
            refusals << f.text;
    }
    if (!refusals.isEmpty())
        throw UpgradeRefused(QStringLiteral("The database was not upgraded, and nothing was changed:\n- %1")
                                 .arg(refusals.join(QStringLiteral("\n- "))));

    const QHash<QString, Table> tables = readTables(db);
    QStringList done;
    const bool sqlite = db.engine() == Engine::Sqlite;
    // On SQLite the whole upgrade is one transaction; MariaDB commits each change of a
    // table on its own, and a run cut off is finished by running it again.
    std::optional<Transaction> transaction;
    if (sqlite)
        transaction.emplace(db);

    for (const SchemaFinding& f : report.of(Kind::NotTransactional)) {
        db.exec(QStringLiteral("ALTER TABLE %1 ENGINE=InnoDB").arg(f.table));
        done << QStringLiteral("Converted the table %1 from %2 to InnoDB.").arg(f.table, tables.value(f.table).engine);
    }
    for (const SchemaFinding& f : report.of(Kind::MissingUniqueIndex)) {
        QString name = f.table + QLatin1Char('_') + f.column;
        if (tables.value(f.table).hasIndexNamed(name))
            name += QStringLiteral("_unique");
        db.exec(sqlite ? QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%3)").arg(name, f.table, f.column)
                       : QStringLiteral("ALTER TABLE %2 ADD UNIQUE KEY %1 (%3)").arg(name, f.table, f.column));
        done << QStringLiteral("Added the unique index %1 on %2.%3.").arg(name, f.table, f.column);
    }
    // Version 2: every table has a primary key.
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        const KeyColumn key = keyColumnOf(it.key());
        if (sqlite) {
            if (it->hasColumn(key.name) || (key.name == QLatin1String("id")))
                continue;
            rebuildSqliteTable(db, it.key(), *it);
        } else if (it->primaryKey()) {
            continue;
        } else if (it->hasColumn(key.name)) {
            db.exec(QStringLiteral("ALTER TABLE %1 ADD PRIMARY KEY (%2)").arg(it.key(), key.name));
        } else {
            db.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 INT NOT NULL AUTO_INCREMENT PRIMARY KEY%3")
                        .arg(it.key(), key.name, key.first ? QStringLiteral(" FIRST") : QString()));
        }
        done << QStringLiteral("Added the primary key %1 to the table %2.").arg(key.name, it.key());
    }
    for (const OwnIndex& i : ownIndexes(db.engine())) {
        const bool missing = std::any_of(report.findings.cbegin(), report.findings.cend(), [&](const SchemaFinding& f) {
            return f.kind == Kind::MissingIndex && f.table == i.table && f.column == i.name;
        });
        if (!missing)
            continue;
        db.exec(sqlite ? QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(i.name, i.table, i.columns)
                       : QStringLiteral("ALTER TABLE %2 ADD KEY %1 (%3)").arg(i.name, i.table, i.columns));
        done << QStringLiteral("Added the index %1 on %2 (%3).").arg(i.name, i.table, i.columns);
    }
    // Version 3: the table of accepted triggers.
    if (!existingTables(db).contains(QLatin1String(kAcceptedTable))) {
        db.exec(ownTableStatement(db.engine(), QLatin1String(kAcceptedTable)));
        done << Texts::tr("Added the table %1, where 'duredir-db accept-triggers' records the triggers its "
                          "administrator accepted.")
                    .arg(QLatin1String(kAcceptedTable));
    }
    if (report.recordedVersion != kSchemaVersion) {
        recordVersion(db);
        done << QStringLiteral("Recorded schema version %1.").arg(kSchemaVersion);
    }
    if (transaction)
        transaction->commit();
    return done;
}

QString requireWorkableSchema(Database& db, const QString& alias)
{
    const int version = recordedSchemaVersion(db);
    const QString where = QStringLiteral("The database of alias \"%1\" (%2)").arg(alias, db.config().describe());
    if (version > 0 && version < kOldestWorkableSchemaVersion)
        throw SchemaOutOfDate(QStringLiteral("%1 has schema version %2; this program works with version %3.\n"
                                             "The administrator brings it up to date with the command %4 "
                                             "(after a backup).")
                                  .arg(where)
                                  .arg(version)
                                  .arg(kSchemaVersion)
                                  .arg(upgradeCommand(alias)));
    if (version > kSchemaVersion) {
        db.setReadOnly(QStringLiteral("This program only reads this database: its schema (version %1) is newer than "
                                      "the program knows (version %2). Nothing was saved.")
                           .arg(version)
                           .arg(kSchemaVersion));
        return QStringLiteral("%1 has schema version %2, newer than this program knows (version %3).\n"
                              "The program shows what it holds but saves nothing. Install the newer release to "
                              "work on it.")
            .arg(where)
            .arg(version)
            .arg(kSchemaVersion);
    }
    requireAcceptedTriggers(db, alias);
    return QString();
}

void requireAcceptedTriggers(Database& db, const QString& alias)
{
    const QList<ForeignTrigger> foreign = foreignTriggers(db);
    if (!foreign.isEmpty()) {
        const int version = recordedSchemaVersion(db);
        const QString where = QStringLiteral("The database of alias \"%1\" (%2)").arg(alias, db.config().describe());
        QStringList names;
        for (const ForeignTrigger& f : foreign)
            names << (f.changed ? Texts::tr("%1 (on %2, changed since it was accepted on %3)")
                                      .arg(f.trigger.name, f.trigger.table, f.acceptedAt)
                                : Texts::tr("%1 (on %2)").arg(f.trigger.name, f.trigger.table));
        throw TriggersNotAccepted(
            Texts::tr("%1 has triggers that the program did not create and its administrator has not accepted: %2.\nA "
                      "trigger runs its own SQL inside every save, so the program works on nothing here. The "
                      "administrator looks at them with %3 and removes them, or accepts them with %4.")
                .arg(where, names.join(QStringLiteral(", ")),
                     QLatin1Char('\'') + toolCommand(alias, QStringLiteral("check")) + QLatin1Char('\''),
                     acceptCommand(alias, version)));
    }
}

} // namespace data
