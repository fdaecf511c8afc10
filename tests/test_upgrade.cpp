// Databases the program did not make with its current schema: an earlier release's, or one its
// administrator made from the data model. The upgrade brings each to the current schema and
// keeps every row; what it cannot do safely it refuses without changing anything; the program
// does not work on a recorded version older than it works on and only reads a newer one.
// SQL that someone else planted: the program refuses triggers that are not accepted, and
// lists foreign tables and views; names read from the database are quoted.
#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "support/testdb.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QtTest>

using testsupport::TestDatabase;
using Kind = data::SchemaFinding::Kind;

class TestUpgrade : public QObject {
    Q_OBJECT

private slots:
    void upgradesAnOlderSchemaAndKeepsItsRows_data();
    void upgradesAnOlderSchemaAndKeepsItsRows();
    void refusesAndChangesNothing_data();
    void refusesAndChangesNothing();
    void convertsATableWithoutTransactionsOnlyWhenAsked();
    void programFollowsTheRecordedVersion();
    void foreignObjectsAreListed_data();
    void foreignObjectsAreListed();
    void acceptedTriggerOpensUntilReplaced();
    void versionTwoWorksAndAcceptingTakesTheUpgrade();
};

namespace {

QString readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}

// A connection with the administrator's rights (the test's own one may be the limited
// account): the upgrade changes tables.
std::unique_ptr<data::Database> adminConnection(TestDatabase& t, const QString& name = QStringLiteral("admin"))
{
    auto db = std::make_unique<data::Database>(name);
    data::AliasConfig c = t.config();
    c.optionFile.clear();
    db->setConfig(c);
    db->open();
    return db;
}

void createFrom(data::Database& admin, const QString& schemaText)
{
    for (const QString& s : data::splitSchemaText(schemaText))
        admin.exec(s);
}

// Every column of every table, in a form that ignores their order.
QStringList columns(data::Database& db)
{
    QStringList out;
    for (const QString& table : data::existingTables(db)) {
        QStringList names;
        const QSqlRecord r = db.handle().record(table);
        for (int i = 0; i < r.count(); ++i)
            names << r.fieldName(i).toLower();
        names.sort();
        out << table + QLatin1Char(':') + names.join(QLatin1Char(','));
    }
    return out;
}

// What the database holds and how it differs, to tell that a refused upgrade changed nothing.
QStringList snapshot(data::Database& db)
{
    QStringList out = columns(db);
    for (const data::SchemaFinding& f : data::inspectSchema(db).findings)
        out << f.text;
    data::Query q(&db);
    q.SQL.Add(QStringLiteral("select count(*) from priemnici"));
    q.Open();
    out << q.value(0, 0).toString();
    return out;
}

QStringList rows(data::Database& db, const QString& statement)
{
    data::Query q(&db);
    q.SQL.Add(statement);
    q.Open();
    QStringList out;
    for (int r = 0; r < q.RecordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < q.fieldCount(); ++c)
            cells << QString::number(q.value(r, c).toDouble());
        out << cells.join(QLatin1Char(' '));
    }
    return out;
}

// A statement of the engine the suite runs on.
QString onEngine(const char* sqlite, const char* mariaDb)
{
    return QString::fromUtf8(testsupport::onMariaDb() ? mariaDb : sqlite);
}

// The trigger another user plants: every new article deletes the partners.
QString plantedTrigger(const char* name = "t", const char* body = "DELETE FROM komintenti")
{
    return testsupport::onMariaDb()
               ? QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON artikli FOR EACH ROW %2").arg(name, body)
               : QStringLiteral("CREATE TRIGGER %1 AFTER INSERT ON artikli BEGIN %2; END").arg(name, body);
}

QStringList texts(const data::SchemaReport& report, Kind kind)
{
    QStringList out;
    for (const data::SchemaFinding& f : report.of(kind))
        out << f.text;
    return out;
}

// The program's gate: empty when it works on the database, else why not.
QString refusal(data::Database& db)
{
    try {
        data::requireWorkableSchema(db, QStringLiteral("varnok_public"));
        return QString();
    } catch (const data::TriggersNotAccepted& e) {
        return e.text();
    }
}

} // namespace

void TestUpgrade::upgradesAnOlderSchemaAndKeepsItsRows_data()
{
    QTest::addColumn<QString>("schemaFile");
    QTest::addColumn<bool>("mariaDbOnly");
    QTest::newRow("version 1") << (testsupport::onMariaDb() ? QStringLiteral("schema-v1-mariadb.sql")
                                                            : QStringLiteral("schema-v1-sqlite.sql"))
                               << false;
    QTest::newRow("made by its administrator") << QStringLiteral("foreign-mariadb.sql") << true;
}

void TestUpgrade::upgradesAnOlderSchemaAndKeepsItsRows()
{
    QFETCH(QString, schemaFile);
    QFETCH(bool, mariaDbOnly);
    if (mariaDbOnly && !testsupport::onMariaDb())
        QSKIP("a schema of MariaDB types");
    TestDatabase older(false);
    auto admin = adminConnection(older);
    createFrom(*admin, readFile(QStringLiteral(DUREDIR_SOURCE_DIR "/tests/data/") + schemaFile));
    const QString composition = QStringLiteral("select id_proizvod, id_artikal, kolicina from proizvodi_sostav "
                                               "order by id_proizvod, id_artikal");
    // Rows planted in the older schema as it stands, before any upgrade: the stores write only
    // the present one.
    admin->exec(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                               "values (1,2,1.5,0), (1,3,2,0), (2,2,0.25,0)"));
    admin->exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (0,'2026-01-05'), (1,'2026-01-06')"));
    admin->exec(QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                               "izlez_kol,datum_referenca,firma_id,document_id_label) "
                               "values ('P',1,1,2,10,0,'2026-01-05',0,0), ('P',2,1,3,4,0,'2026-01-06',0,1)"));
    const QStringList before = rows(*admin, composition);
    const QStringList ledger = rows(*admin, QStringLiteral("select document_id, id_artikal, vlez_kol from "
                                                           "magacin_artikli order by document_id"));

    data::SchemaReport report = data::inspectSchema(*admin);
    QVERIFY(report.fit());
    QCOMPARE(report.recordedVersion, 0);
    // The administrator's own trigger on a table the upgrade makes again (SQLite) stays as it
    // was, to be accepted once the database records accepted triggers.
    admin->exec(onEngine("CREATE TRIGGER kept AFTER INSERT ON proizvodi_sostav BEGIN SELECT 1; END",
                         "CREATE TRIGGER kept AFTER INSERT ON proizvodi_sostav FOR EACH ROW SET @kept = 1"));
    const QList<data::Trigger> triggers = data::readTriggers(*admin);
    QCOMPARE(triggers.size(), 1);
    QVERIFY(!data::upgradeSchema(*admin).isEmpty());
    QCOMPARE(data::acceptTriggers(*admin).size(), 1);

    report = data::inspectSchema(*admin);
    QVERIFY(report.fit());
    QCOMPARE(report.recordedVersion, data::kSchemaVersion);
    for (const Kind k : {Kind::VersionNotRecorded, Kind::MissingUniqueIndex, Kind::NoPrimaryKey, Kind::MissingIndex})
        QVERIFY2(!report.has(k), qPrintable(report.findings.isEmpty() ? QString() : report.findings.first().text));
    QCOMPARE(rows(*admin, composition), before);
    QCOMPARE(data::readTriggers(*admin).size(), 1);
    QCOMPARE(data::readTriggers(*admin).first().sha256(), triggers.first().sha256());
    QCOMPARE(rows(*admin, QStringLiteral("select document_id, id_artikal, vlez_kol from magacin_artikli "
                                         "order by document_id")),
             ledger);

    // The same tables and columns as a database made now.
    TestDatabase current(false);
    auto currentAdmin = adminConnection(current, QStringLiteral("admin of the current"));
    data::createSchema(*currentAdmin);
    QCOMPARE(columns(*admin), columns(*currentAdmin));
    admin->exec(QStringLiteral("DROP TRIGGER kept"));

    // The new key is the database's to give, and the program's statements still work.
    older.exec(QStringLiteral("insert into proizvodi_sostav(id_proizvod,id_artikal,kolicina,firma_id) values(3,2,1,0)"));
    older.exec(QStringLiteral("delete from proizvodi_sostav where id_proizvod=1"));
    QCOMPARE(older.count(QStringLiteral("proizvodi_sostav")), 2);
    older.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (2,'2026-01-07')"));
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError,
                             older.exec(
                                 QStringLiteral("insert into priemnici (priemnica_id,datum) values (2,'2026-01-08')")));

    // Running it again finds nothing to do.
    QCOMPARE(data::upgradeSchema(*admin), QStringList());
}

void TestUpgrade::refusesAndChangesNothing_data()
{
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QString>("why");
    const bool maria = testsupport::onMariaDb();
    const QString dropIndex = maria ? QStringLiteral("ALTER TABLE priemnici DROP INDEX priemnici_priemnica_id")
                                    : QStringLiteral("DROP INDEX priemnici_priemnica_id");
    QTest::newRow("numbers taken twice")
        << QStringList{dropIndex, QStringLiteral("insert into priemnici (priemnica_id,datum) values (7,'2026-01-05'), "
                                                 "(7,'2026-01-06'), (8,'2026-01-06'), (9,'2026-01-06'), (9,'2026-01-07'), "
                                                 "(9,'2026-01-08')")}
        << true << QStringLiteral("priemnici.priemnica_id holds the same value more than once: 7 (2 rows), 9 (3 rows)");
    QTest::newRow("a column missing") << QStringList{QStringLiteral("ALTER TABLE artikli DROP COLUMN edm")} << false
                                      << QStringLiteral("The column artikli.edm is missing");
    QTest::newRow("a newer schema") << QStringList{QStringLiteral("update duredir_schema set version=version+1")}
                                    << false << QStringLiteral("newer than this program knows");
}

void TestUpgrade::refusesAndChangesNothing()
{
    QFETCH(QStringList, change);
    QFETCH(bool, fit);
    QFETCH(QString, why);
    TestDatabase t(false);
    auto admin = adminConnection(t);
    data::createSchema(*admin);
    for (const QString& s : change)
        admin->exec(s);
    QCOMPARE(data::inspectSchema(*admin).fit(), fit);
    const QStringList before = snapshot(*admin);
    try {
        data::upgradeSchema(*admin, data::UpgradeOptions{true});
        QFAIL("the upgrade ran");
    } catch (const data::UpgradeRefused& e) {
        QVERIFY2(e.text().contains(why), qPrintable(e.text()));
        QVERIFY(e.text().contains(QStringLiteral("nothing was changed")));
    }
    QCOMPARE(snapshot(*admin), before);
}

void TestUpgrade::convertsATableWithoutTransactionsOnlyWhenAsked()
{
    if (!testsupport::onMariaDb())
        QSKIP("every SQLite table has transactions");
    TestDatabase t(false);
    auto admin = adminConnection(t);
    data::createSchema(*admin);
    admin->exec(QStringLiteral("ALTER TABLE magacin_artikli ENGINE=MyISAM"));
    const data::SchemaReport report = data::inspectSchema(*admin);
    QVERIFY(!report.fit());
    QCOMPARE(report.of(Kind::NotTransactional).size(), 1);
    QCOMPARE(report.of(Kind::NotTransactional).first().table, QStringLiteral("magacin_artikli"));
    const QStringList before = snapshot(*admin);
    QVERIFY_THROWS_EXCEPTION(data::UpgradeRefused, data::upgradeSchema(*admin));
    QCOMPARE(snapshot(*admin), before);

    const QStringList done = data::upgradeSchema(*admin, data::UpgradeOptions{true});
    QVERIFY2(done.join(QLatin1Char('\n')).contains(QStringLiteral("Converted the table magacin_artikli from MyISAM to InnoDB")),
             qPrintable(done.join(QLatin1Char('\n'))));
    QVERIFY(data::inspectSchema(*admin).fit());
}

void TestUpgrade::programFollowsTheRecordedVersion()
{
    TestDatabase t;
    data::Database& db = t.db();
    QCOMPARE(data::requireWorkableSchema(db, QStringLiteral("varnok_public")), QString());

    // The version before is worked on: it lacks only the table of accepted triggers.
    t.exec(QStringLiteral("update duredir_schema set version=%1").arg(data::kSchemaVersion - 1));
    QCOMPARE(data::requireWorkableSchema(db, QStringLiteral("varnok_public")), QString());
    t.exec(QStringLiteral("update duredir_schema set version=%1").arg(data::kOldestWorkableSchemaVersion - 1));
    try {
        data::requireWorkableSchema(db, QStringLiteral("varnok_public"));
        QFAIL("an older schema was worked on");
    } catch (const data::SchemaOutOfDate& e) {
        QVERIFY2(e.text().contains(QStringLiteral("'duredir-db upgrade'")), qPrintable(e.text()));
    }
    QVERIFY(!db.readOnly());

    // Without a recorded version (an earlier release's database) the program works as before.
    t.exec(QStringLiteral("delete from duredir_schema"));
    QCOMPARE(data::requireWorkableSchema(db, QStringLiteral("varnok_public")), QString());

    t.exec(QStringLiteral("insert into duredir_schema (version) values (%1)").arg(data::kSchemaVersion + 1));
    const QString notice = data::requireWorkableSchema(db, QStringLiteral("varnok_public"));
    QVERIFY2(notice.contains(QStringLiteral("saves nothing")), qPrintable(notice));
    QVERIFY(db.readOnly());
    // A save is refused before it starts, and a write outside one by the engine itself.
    try {
        data::runSave(db, [&] {
            t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (1,'2026-01-05')"));
        });
        QFAIL("a save ran on a newer schema");
    } catch (const data::DatabaseError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("Nothing was saved")), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError,
                             t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (1,'2026-01-05')")));
    QCOMPARE(t.count(QStringLiteral("priemnici")), 0);
}

void TestUpgrade::foreignObjectsAreListed_data()
{
    // What is planted, the finding it gives, a text the finding holds, and whether the
    // program refuses to work on the database.
    QTest::addColumn<QStringList>("planted");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("says");
    QTest::addColumn<bool>("refused");
    QTest::newRow("a trigger") << QStringList{plantedTrigger()} << int(Kind::ForeignTrigger)
                               << QStringLiteral("The trigger t on artikli was not created by the program") << true;
    QTest::newRow("a trigger on a table of its own")
        << QStringList{QStringLiteral("CREATE TABLE audit (id INTEGER PRIMARY KEY)"),
                       onEngine("CREATE TRIGGER watch BEFORE DELETE ON audit BEGIN SELECT 1; END",
                                "CREATE TRIGGER watch BEFORE DELETE ON audit FOR EACH ROW SET @x = 1")}
        << int(Kind::ForeignTrigger) << QStringLiteral("The trigger watch on audit") << true;
    QTest::newRow("a view") << QStringList{QStringLiteral("CREATE VIEW stock AS SELECT id, artikal FROM artikli")}
                            << int(Kind::ForeignView) << QStringLiteral("The view \"stock\" is not the program's")
                            << false;
    QTest::newRow("a table") << QStringList{QStringLiteral("CREATE TABLE notes (id INTEGER PRIMARY KEY, note TEXT)")}
                             << int(Kind::ForeignTable) << QStringLiteral("The table \"notes\" is not the program's")
                             << false;
    // Names that end a statement and begin another where they are not quoted.
    QTest::newRow("hostile names")
        << (testsupport::onMariaDb()
                ? QStringList{QStringLiteral("CREATE TABLE `x\"; drop table artikli; --` (a INT PRIMARY KEY, b INT)"),
                              QStringLiteral("CREATE INDEX `x\"; drop table artikli; --` ON `x\"; drop table artikli; --` (b)"),
                              QStringLiteral("CREATE INDEX `y``); drop table artikli; --` ON artikli (edm)")}
                : QStringList{QStringLiteral("CREATE TABLE \"x\"\"; drop table artikli; --\" (a INTEGER, b INTEGER)"),
                              QStringLiteral("CREATE INDEX \"i\"\"; drop table artikli; --\" ON \"x\"\"; drop table "
                                             "artikli; --\" (b)"),
                              QStringLiteral("CREATE INDEX \"y\"\"); drop table artikli; --\" ON artikli (edm)")})
        << int(Kind::ForeignTable) << QStringLiteral("The table \"x\"; drop table artikli; --\" is not the program's")
        << false;
}

void TestUpgrade::foreignObjectsAreListed()
{
    QFETCH(QStringList, planted);
    QFETCH(int, kind);
    QFETCH(QString, says);
    QFETCH(bool, refused);
    TestDatabase t(false);
    auto admin = adminConnection(t);
    data::createSchema(*admin);
    admin->exec(QStringLiteral("insert into artikli (sifra, artikal, edm) values (1, 'NAIL', 'PCS')"));
    QCOMPARE(refusal(*admin), QString());
    for (const QString& s : planted)
        admin->exec(s);

    const data::SchemaReport report = data::inspectSchema(*admin);
    QCOMPARE(report.fit(), !refused);
    const QStringList found = texts(report, Kind(kind));
    QVERIFY2(found.size() == 1 && found.first().contains(says), qPrintable(found.join(QLatin1Char('\n'))));
    // The program's gate, as the administrator and, on MariaDB, as the program's own account
    // (which sees that a trigger is there but not its text).
    for (data::Database* db : {admin.get(), &t.db()}) {
        const QString why = refusal(*db);
        QCOMPARE(!why.isEmpty(), refused);
        if (refused)
            QVERIFY2(why.contains(QStringLiteral("has triggers that the program did not create"))
                         && why.contains(QStringLiteral("'duredir-db accept-triggers'")),
                     qPrintable(why));
    }
    if (testsupport::onMariaDb() && refused)
        QVERIFY(data::inspectSchema(t.db()).has(Kind::TriggerTextHidden));
    // Nothing was run that the program did not write.
    QCOMPARE(t.count(QStringLiteral("artikli")), 1);
    QVERIFY(data::missingTables(*admin).isEmpty());
}

void TestUpgrade::acceptedTriggerOpensUntilReplaced()
{
    TestDatabase t(false);
    auto admin = adminConnection(t);
    data::createSchema(*admin);
    admin->exec(plantedTrigger());
    QVERIFY(!refusal(*admin).isEmpty());

    const QList<data::Trigger> accepted = data::acceptTriggers(*admin);
    QCOMPARE(accepted.size(), 1);
    QCOMPARE(accepted.first().name, QStringLiteral("t"));
    QVERIFY(accepted.first().definition.contains(QStringLiteral("DELETE FROM komintenti")));
    for (data::Database* db : {admin.get(), &t.db()})
        QCOMPARE(refusal(*db), QString());
    data::SchemaReport report = data::inspectSchema(*admin);
    QVERIFY(report.fit());
    QVERIFY2(texts(report, Kind::AcceptedTrigger)
                 .join(QString())
                 .contains(QStringLiteral("The trigger t on artikli is not "
                                          "the program's; its administrator "
                                          "accepted it on")),
             qPrintable(texts(report, Kind::AcceptedTrigger).join(QString())));

    // Replaced under the same name, table and event: another body is not what was accepted.
    admin->exec(QStringLiteral("DROP TRIGGER t"));
    admin->exec(plantedTrigger("t", "DELETE FROM vraboteni"));
    QString why = refusal(*admin);
    QVERIFY2(why.contains(QStringLiteral("t (on artikli, changed since it was accepted on")), qPrintable(why));
    report = data::inspectSchema(*admin);
    QVERIFY(!report.fit());
    QVERIFY(texts(report, Kind::ForeignTrigger).join(QString()).contains(QStringLiteral("has changed since")));

    // Accepted again; then a second one beside it is named alone. On another event the
    // program's own account, which cannot read the text, tells it apart too.
    QCOMPARE(data::acceptTriggers(*admin).size(), 1);
    QCOMPARE(refusal(*admin), QString());
    admin->exec(QStringLiteral("CREATE TABLE audit (id INTEGER PRIMARY KEY)"));
    admin->exec(onEngine("CREATE TRIGGER second AFTER INSERT ON audit BEGIN SELECT 1; END",
                         "CREATE TRIGGER second AFTER INSERT ON audit FOR EACH ROW SET @x = 1"));
    why = refusal(*admin);
    QVERIFY2(why.contains(QStringLiteral(": second (on audit).")), qPrintable(why));
    QCOMPARE(data::acceptTriggers(*admin).size(), 2);
    admin->exec(QStringLiteral("DROP TRIGGER t"));
    admin->exec(onEngine("CREATE TRIGGER t AFTER DELETE ON artikli BEGIN DELETE FROM vraboteni; END",
                         "CREATE TRIGGER t AFTER DELETE ON artikli FOR EACH ROW DELETE FROM vraboteni"));
    for (data::Database* db : {admin.get(), &t.db()}) {
        why = refusal(*db);
        QVERIFY2(why.contains(QStringLiteral("t (on artikli, changed")) && !why.contains(QStringLiteral("second")),
                 qPrintable(why));
    }
    // Triggers that are gone are accepted no more: accepting again records what is there.
    admin->exec(QStringLiteral("DROP TRIGGER t"));
    admin->exec(QStringLiteral("DROP TRIGGER second"));
    QCOMPARE(data::acceptTriggers(*admin).size(), 0);
    QCOMPARE(data::acceptedTriggers(*admin).size(), 0);
}

void TestUpgrade::versionTwoWorksAndAcceptingTakesTheUpgrade()
{
    TestDatabase t(false);
    auto admin = adminConnection(t);
    data::createSchema(*admin);
    admin->exec(QStringLiteral("DROP TABLE duredir_accepted_triggers"));
    admin->exec(QStringLiteral("update duredir_schema set version=2"));
    // Worked on as it is, with a note.
    QCOMPARE(refusal(t.db()), QString());
    data::SchemaReport report = data::inspectSchema(*admin);
    QVERIFY(report.fit());
    QVERIFY(report.has(Kind::OlderWorkableVersion));

    admin->exec(plantedTrigger());
    const QString why = refusal(*admin);
    QVERIFY2(why.contains(QStringLiteral("'duredir-db upgrade' and then 'duredir-db accept-triggers'")), qPrintable(why));
    try {
        data::acceptTriggers(*admin);
        QFAIL("triggers were accepted without the table that records them");
    } catch (const data::AcceptRefused& e) {
        QVERIFY2(e.text().contains(QStringLiteral("needs schema version 3")), qPrintable(e.text()));
    }
    QVERIFY(!data::existingTables(*admin).contains(QStringLiteral("duredir_accepted_triggers")));

    const QStringList done = data::upgradeSchema(*admin);
    QVERIFY2(done.join(QLatin1Char('\n')).contains(QStringLiteral("Added the table duredir_accepted_triggers"))
                 && done.contains(QStringLiteral("Recorded schema version 3.")),
             qPrintable(done.join(QLatin1Char('\n'))));
    report = data::inspectSchema(*admin);
    QCOMPARE(report.recordedVersion, 3);
    QVERIFY(!report.has(Kind::OlderWorkableVersion));
    QVERIFY(!refusal(*admin).isEmpty()); // the upgrade accepts nothing by itself
    QCOMPARE(data::acceptTriggers(*admin).size(), 1);
    QCOMPARE(refusal(t.db()), QString());
    QCOMPARE(data::upgradeSchema(*admin), QStringList());
}

QTEST_GUILESS_MAIN(TestUpgrade)
#include "test_upgrade.moc"
