// The data layer on the engine the suite runs against (SQLite, or MariaDB when a test
// server is given): parameters, fields, dialect, transactions, keys, master-detail.
#include "data/alias.h"
#include "data/convert.h"
#include "data/datasource.h"
#include "data/dialect.h"
#include "data/errors.h"
#include "data/query.h"
#include "data/rowstore.h"
#include "data/schema.h"
#include "support/inject.h"
#include "support/testdb.h"

#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

using data::Query;
using testsupport::TestDatabase;

namespace {

void setSql(Query& q, const QStringList& lines)
{
    q.Close();
    q.SQL.Clear();
    for (const QString& l : lines)
        q.SQL.Add(l);
}

int insertArticle(Query& q, int code, const QString& name)
{
    setSql(q, {QStringLiteral("insert into artikli (sifra,artikal,edm) values (:a1,:a2,:a3)")});
    q.ParamByName(QStringLiteral("a1")).AsInteger(code);
    q.ParamByName(QStringLiteral("a2")).AsString(name);
    q.ParamByName(QStringLiteral("a3")).AsString(QStringLiteral("PCS"));
    q.ExecSQL();
    return q.LastInsertId();
}

// A ledger row written with the data layer's own query: what these tests check is the query
// and the transaction around it, not a store.
void insertLedger(Query& q, const QString& kind, int doc, int article, double in, double out, const QString& date)
{
    setSql(q, {QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,"
                              "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label)"),
               QStringLiteral("values (:vid,:aid,0,:art,:vlez,:izlez,:datum,0,:aid)")});
    q.ParamByName(QStringLiteral("vid")).AsString(kind);
    q.ParamByName(QStringLiteral("aid")).AsInteger(doc);
    q.ParamByName(QStringLiteral("art")).AsInteger(article);
    q.ParamByName(QStringLiteral("vlez")).AsFloat(in);
    q.ParamByName(QStringLiteral("izlez")).AsFloat(out);
    q.ParamByName(QStringLiteral("datum")).AsString(date);
    q.ExecSQL();
}

} // namespace

class TestData : public QObject {
    Q_OBJECT

private slots:
    void parametersByNameAndType();
    void fieldsAndEmptyResults();
    void firstColumnOfANameWins();
    void decimalCastsAndConcat_data();
    void decimalCastsAndConcat();
    void ledgerSumsAsDecimalText();
    void datesRoundTrip();
    void transactionRollbackLeavesNothing();
    void readOnlySourceIsSaidAtStart();
    void lastInsertIdIsThisConnections();
    void detailFollowsMaster();
    void statementErrorsAreDatabaseErrors();
    void likePatterns();
    void preparedStatementsAreReusedSafely();
    void writesBindLikeReads();
    void rowsComeBackAsStored();
    void clusterNodeAddresses_data();
    void clusterNodeAddresses();
    void answerTimeoutOfTheAlias_data();
    void answerTimeoutOfTheAlias();
    void aNodeThatDoesNotAnswerIsPassedOver();
};

void TestData::parametersByNameAndType()
{
    TestDatabase t;
    Query q(&t.db());
    const int id = insertArticle(q, 7, QStringLiteral("SCREW 4X30"));
    QVERIFY(id > 0);

    // One parameter used twice, names matched case-insensitively, integer and text types.
    setSql(q, {QStringLiteral("select * from artikli"),
               QStringLiteral("where sifra=:ASIF and (artikal like :a or artikal like :a)")});
    q.ParamByName(QStringLiteral("asif")).AsInteger(7);
    q.ParamByName(QStringLiteral("A")).AsString(QStringLiteral("SCREW%"));
    q.Open();
    QCOMPARE(q.RecordCount(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("id")).AsInteger(), id);

    // Text that looks like SQL is bound, never pasted into the statement.
    const QString evil = QStringLiteral("X'; drop table artikli; --");
    insertArticle(q, 8, evil);
    setSql(q, {QStringLiteral("select artikal from artikli where artikal=:a")});
    q.ParamByName(QStringLiteral("a")).AsString(evil);
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("ARTIKAL")).AsString(), evil);
    QCOMPARE(t.count(QStringLiteral("artikli")), 2);

    // A floating parameter keeps its fraction (no integer binding on the way).
    setSql(q, {QStringLiteral("select :x*2 r from info_table")});
    q.ParamByName(QStringLiteral("x")).AsFloat(1.25);
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("r")).AsFloat(), 2.5);

    // A parameter never set is NULL.
    setSql(q, {QStringLiteral("select count(*) n from artikli where sifra=:nothing")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("n")).AsInteger(), 0);
}

void TestData::fieldsAndEmptyResults()
{
    TestDatabase t;
    Query q(&t.db());
    insertArticle(q, 1, QStringLiteral("BOARD"));
    setSql(q, {QStringLiteral("select Sifra, ARTIKAL, edm from artikli")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("sifra")).AsInteger(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("artikal")).AsString(), QStringLiteral("BOARD"));
    QCOMPARE(q.FieldByName(QStringLiteral("EDM")).AsString(), QStringLiteral("PCS"));
    QCOMPARE(q.FieldByName(QStringLiteral("sifra")).AsString(), QStringLiteral("1"));
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, q.FieldByName(QStringLiteral("nosuch")));

    setSql(q, {QStringLiteral("select * from artikli where id=-1")});
    q.Open();
    QVERIFY(q.IsEmpty());
    QCOMPARE(q.RecordCount(), 0);
    QVERIFY(q.Eof());
    QCOMPARE(q.FieldByName(QStringLiteral("artikal")).AsString(), QString());
    QCOMPARE(q.FieldByName(QStringLiteral("sifra")).AsInteger(), 0);
    QCOMPARE(q.FieldByName(QStringLiteral("sifra")).AsFloat(), 0.0);
    QVERIFY(!q.FieldByName(QStringLiteral("sifra")).AsDateTime().isValid());

    // max() over an empty table is NULL and reads as 0: the first number is then 1.
    setSql(q, {QStringLiteral("select max(priemnica_id)+1 m_max from priemnici")});
    q.Open();
    QVERIFY(q.FieldByName(QStringLiteral("m_max")).IsNull());
    QCOMPARE(q.FieldByName(QStringLiteral("m_max")).AsInteger(), 0);

    // Walking the rows.
    insertArticle(q, 2, QStringLiteral("NAIL"));
    insertArticle(q, 3, QStringLiteral("GLUE"));
    setSql(q, {QStringLiteral("select sifra from artikli order by sifra")});
    q.Open();
    QList<int> seen;
    for (q.First(); !q.Eof(); q.Next())
        seen << q.FieldByName(QStringLiteral("sifra")).AsInteger();
    QCOMPARE(seen, (QList<int>{1, 2, 3}));
    q.Close();
    QVERIFY(!q.Active());
}

void TestData::firstColumnOfANameWins()
{
    TestDatabase t;
    Query q(&t.db());
    const int a = insertArticle(q, 1, QStringLiteral("A"));
    setSql(q,
           {QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) values (55,:a,2,0)")});
    q.ParamByName(QStringLiteral("a")).AsInteger(a);
    q.ExecSQL();
    // The composition read: no id in proizvodi_sostav, so "id" is the article's key.
    setSql(q, {QStringLiteral("select *"), QStringLiteral("from proizvodi_sostav"),
               QStringLiteral("left join artikli on proizvodi_sostav.id_artikal=artikli.id")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("id")).AsInteger(), a);
    // With two tables that both have id, the first table's id wins.
    t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (1,'2026-01-05')"));
    t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (2,'2026-01-06')"));
    const int second = t.scalar(QStringLiteral("select max(id) from priemnici")).toInt();
    setSql(q, {QStringLiteral("select * from priemnici p left join artikli on artikli.id=:a where p.id=:b")});
    q.ParamByName(QStringLiteral("a")).AsInteger(a);
    q.ParamByName(QStringLiteral("b")).AsInteger(second);
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("id")).AsInteger(), second);
}

void TestData::decimalCastsAndConcat_data()
{
    // clang-format off
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("expected");
    // The same expected text on both engines is what makes the statements portable.
    QTest::newRow("half up") << "cast(2.00005e0 as decimal(18,4))" << "2.0001";
    QTest::newRow("half away below zero") << "cast(-0.00005e0 as decimal(18,4))" << "-0.0001";
    QTest::newRow("tiny to zero") << "cast(0.00001e0 as decimal(18,4))" << "0.0000";
    QTest::newRow("tiny negative no sign") << "cast(-0.00001e0 as decimal(18,4))" << "0.0000";
    QTest::newRow("whole") << "cast(6 as decimal(18,4))" << "6.0000";
    QTest::newRow("money") << "cast(212.4e0 as decimal(18,2))" << "212.40";
    QTest::newRow("money half") << "cast(0.125e0 as decimal(18,2))" << "0.13";
    QTest::newRow("carry") << "cast(9.99995e0 as decimal(18,4))" << "10.0000";
    QTest::newRow("nested parens") << "cast((10e0-4e0)*(1+18e0/100) as decimal(18,2))" << "7.08";
    QTest::newRow("null stays null") << "cast(null as decimal(18,4))" << "<null>";
    QTest::newRow("concat") << "concat('A',' - ','B')" << "A - B";
    QTest::newRow("concat null") << "concat('A',null)" << "<null>";
    QTest::newRow("concat cast char") << "concat(cast(12 as Char),' - Nalog br:',cast(3 as Char))" << "12 - Nalog br:3";
    QTest::newRow("cast inside quotes untouched") << "concat('cast(1 as decimal(18,4))','')" << "cast(1 as decimal(18,4))";
    // clang-format on
}

void TestData::decimalCastsAndConcat()
{
    QFETCH(QString, expression);
    QFETCH(QString, expected);
    TestDatabase t;
    Query q(&t.db());
    setSql(q, {QStringLiteral("select %1 v").arg(expression), QStringLiteral("from info_table")});
    q.Open();
    const data::Field f = q.FieldByName(QStringLiteral("v"));
    QCOMPARE(f.IsNull() ? QStringLiteral("<null>") : f.AsString(), expected);
}

void TestData::ledgerSumsAsDecimalText()
{
    TestDatabase t;
    Query q(&t.db());
    const int a = insertArticle(q, 1, QStringLiteral("A"));
    insertLedger(q, QStringLiteral("P"), 1, a, 10, 0, QStringLiteral("2026-01-01"));
    insertLedger(q, QStringLiteral("I"), 1, a, 0, 4, QStringLiteral("2026-01-02"));
    insertLedger(q, QStringLiteral("P"), 2, a, 0.1, 0, QStringLiteral("2026-01-03"));
    insertLedger(q, QStringLiteral("P"), 3, a, 0.2, 0, QStringLiteral("2026-01-03"));
    setSql(q, {QStringLiteral("select id_artikal,"), QStringLiteral("cast(sum(vlez_kol) as decimal(18,4)) vk_vlez, "),
               QStringLiteral("cast(sum(izlez_kol) as decimal(18,4))vk_izlez,  "),
               QStringLiteral("cast((sum(vlez_kol)-sum(izlez_kol)) as decimal(18,4)) saldo "),
               QStringLiteral("from magacin_artikli group by id_artikal")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("vk_vlez")).AsString(), QStringLiteral("10.3000"));
    QCOMPARE(q.FieldByName(QStringLiteral("vk_izlez")).AsString(), QStringLiteral("4.0000"));
    QCOMPARE(q.FieldByName(QStringLiteral("saldo")).AsString(), QStringLiteral("6.3000"));
    QCOMPARE(q.FieldByName(QStringLiteral("saldo")).AsFloat(), 6.3);
    // Plain quantity columns read the same way on both engines.
    setSql(q, {QStringLiteral("select vlez_kol from magacin_artikli where document_id=1 and vid_dokument='P'")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("vlez_kol")).AsString(), QStringLiteral("10"));
    QCOMPARE(q.FieldByName(QStringLiteral("vlez_kol")).AsInteger(), 10);
    // A quantity column divided by a whole number is no integer division on either engine.
    setSql(q, {QStringLiteral("select cast(vlez_kol/100 as decimal(18,4)) d from magacin_artikli "
                              "where document_id=1 and vid_dokument='P'")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("d")).AsString(), QStringLiteral("0.1000"));
}

void TestData::datesRoundTrip()
{
    TestDatabase t;
    Query q(&t.db());
    setSql(q, {QStringLiteral("insert into priemnici (priemnica_id,datum) values (:a1,:a2)")});
    q.ParamByName(QStringLiteral("a1")).AsInteger(1);
    q.ParamByName(QStringLiteral("a2")).AsString(QStringLiteral("2026-12-09"));
    q.ExecSQL();
    setSql(q, {QStringLiteral("select * from priemnici")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("datum")).AsDateTime().date(), QDate(2026, 12, 9));
    QCOMPARE(q.FieldByName(QStringLiteral("datum")).AsString(), QStringLiteral("2026-12-09"));
    // A date range with between includes both ends.
    setSql(q, {QStringLiteral("select count(*) n from priemnici where datum between :date_start and :date_finish")});
    q.ParamByName(QStringLiteral("date_start")).AsString(QStringLiteral("2026-12-09"));
    q.ParamByName(QStringLiteral("date_finish")).AsString(QStringLiteral("2026-12-09"));
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("n")).AsInteger(), 1);
}

void TestData::transactionRollbackLeavesNothing()
{
    TestDatabase t;
    Query q(&t.db());
    {
        data::Transaction tr(t.db());
        QVERIFY(t.db().InTransaction());
        insertArticle(q, 1, QStringLiteral("A"));
        insertArticle(q, 2, QStringLiteral("B"));
        // no commit: the guard rolls back
    }
    QVERIFY(!t.db().InTransaction());
    QCOMPARE(t.count(QStringLiteral("artikli")), 0);

    // A statement failing in the middle of a save: the earlier statements vanish too.
    try {
        data::Transaction tr(t.db());
        testsupport::FailingStatement fail(t.db(), QStringLiteral("insert into magacin_artikli"), 2);
        t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (1,'2026-01-01')"));
        insertLedger(q, QStringLiteral("P"), 1, 1, 5, 0, QStringLiteral("2026-01-01"));
        insertLedger(q, QStringLiteral("P"), 1, 2, 5, 0, QStringLiteral("2026-01-01"));
        tr.commit();
        QFAIL("the injected failure did not happen");
    } catch (const data::DatabaseError&) {
    }
    QCOMPARE(t.count(QStringLiteral("priemnici")), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 0);

    data::Transaction tr(t.db());
    insertArticle(q, 3, QStringLiteral("C"));
    tr.commit();
    QCOMPARE(t.count(QStringLiteral("artikli")), 1);
}

// A data source this program may not write is said when it opens, and a save is refused with
// that reason before it starts; one that may write says nothing.
void TestData::readOnlySourceIsSaidAtStart()
{
    TestDatabase t;
    data::Database& db = t.db();
    QCOMPARE(db.detectReadOnlySource(), QString());
    QVERIFY(!db.readOnly());
    if (t.engine() == data::Engine::Sqlite) {
        // Root may write whatever the mode: an immutable file is read-only for everyone.
        const QString path = db.config().path;
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
            QSKIP("this file system has no immutable files");
        const auto back = qScopeGuard([&] {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
        });
        const QString notice = db.detectReadOnlySource();
        QVERIFY2(notice.contains(path) && notice.contains(QLatin1String("chmod u+w")), qPrintable(notice));
    } else {
        t.execAsAdmin(QStringLiteral("SET GLOBAL read_only=1"));
        const auto back = qScopeGuard([&] { t.execAsAdmin(QStringLiteral("SET GLOBAL read_only=0")); });
        QVERIFY(db.detectReadOnlySource().contains(QLatin1String("read_only")));
    }
    QVERIFY(db.readOnly());
    try {
        data::runSave(db, [&] { t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (1,'A','KG')")); });
        QFAIL("a save ran on a read-only source");
    } catch (const data::DatabaseError& e) {
        QVERIFY2(e.text().contains(QLatin1String("Nothing can be saved")), qPrintable(e.text()));
    }
    QCOMPARE(t.count(QStringLiteral("artikli")), 0);
}

void TestData::lastInsertIdIsThisConnections()
{
    TestDatabase t;
    Query q(&t.db());
    const int first = insertArticle(q, 1, QStringLiteral("A"));
    const int second = insertArticle(q, 2, QStringLiteral("B"));
    QVERIFY(second > first);
    QCOMPARE(q.LastInsertId(), second);
    // Keys are never reused after a delete (max(id) would hand the same key out again).
    setSql(q, {QStringLiteral("delete from artikli where id=:aid")});
    q.ParamByName(QStringLiteral("aid")).AsInteger(second);
    q.ExecSQL();
    QCOMPARE(q.RowsAffected(), 1);
    const int third = insertArticle(q, 3, QStringLiteral("C"));
    QVERIFY(third > second);
}

void TestData::detailFollowsMaster()
{
    TestDatabase t;
    Query w(&t.db());
    t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (1,'2026-01-01')"));
    t.exec(QStringLiteral("insert into priemnici (priemnica_id,datum) values (2,'2026-01-02')"));
    const int a = insertArticle(w, 1, QStringLiteral("A"));
    const int id1 = t.scalar(QStringLiteral("select id from priemnici where priemnica_id=1")).toInt();
    const int id2 = t.scalar(QStringLiteral("select id from priemnici where priemnica_id=2")).toInt();
    insertLedger(w, QStringLiteral("P"), id1, a, 1, 0, QStringLiteral("2026-01-01"));
    insertLedger(w, QStringLiteral("P"), id2, a, 2, 0, QStringLiteral("2026-01-02"));
    insertLedger(w, QStringLiteral("P"), id2, a, 3, 0, QStringLiteral("2026-01-02"));

    Query master(&t.db());
    master.SQL.Add(QStringLiteral("select *"));
    master.SQL.Add(QStringLiteral("from priemnici "));
    master.SQL.Add(QStringLiteral("order by id desc"));
    data::DataSource ds(&master);
    Query detail(&t.db());
    detail.SQL.Add(QStringLiteral("select * from magacin_artikli where document_id=:id and vid_dokument='P'"));
    detail.setMasterSource(&ds);
    master.Open();
    detail.Open();
    QCOMPARE(detail.RecordCount(), 2); // newest receipt first
    master.Next();
    QCOMPARE(detail.RecordCount(), 1);
    QCOMPARE(detail.FieldByName(QStringLiteral("vlez_kol")).AsFloat(), 1.0);
    master.First();
    QCOMPARE(detail.RecordCount(), 2);
    master.setRecNo(1);
    QCOMPARE(detail.RecordCount(), 1);
    // An empty master leaves the detail empty.
    master.Close();
    master.SQL.Clear();
    master.SQL.Add(QStringLiteral("select * from priemnici where id<0"));
    master.Open();
    QVERIFY(detail.IsEmpty());
}

void TestData::statementErrorsAreDatabaseErrors()
{
    TestDatabase t;
    Query q(&t.db());
    setSql(q, {QStringLiteral("select * from no_such_table")});
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, q.Open());
    QVERIFY(!q.Active());
    t.db().close();
    setSql(q, {QStringLiteral("select * from artikli")});
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, q.Open());
    t.db().ensureConnected();
    q.Open();
    QVERIFY(q.Active());

    // A query handed no connection, or one that no longer exists, fails as a statement
    // does: the window shows the error, nothing runs on another connection.
    Query lonely;
    setSql(lonely, {QStringLiteral("select * from artikli")});
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, lonely.Open());
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, lonely.ExecSQL());
    QVERIFY(!lonely.Active());
    {
        TestDatabase other(true, QStringLiteral("Other"));
        lonely.setDatabase(&other.db());
        lonely.Open();
        QVERIFY(lonely.Active());
        lonely.Close();
    }
    QVERIFY(!lonely.database());
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, lonely.Open());
}

// A statement prepared once serves every query that runs its text: with the values bound
// for each run, after a failed run, and after the connection was closed and opened again.
// Between runs it holds no lock: another connection can write to the SQLite file.
void TestData::preparedStatementsAreReusedSafely()
{
    TestDatabase t;
    Query a(&t.db()), b(&t.db());
    insertArticle(a, 1, QStringLiteral("BOLT"));
    insertArticle(b, 2, QStringLiteral("NUT"));
    const QStringList byCode{QStringLiteral("select artikal from artikli where sifra=:s")};
    auto nameOf = [&](Query& q, int code) {
        setSql(q, byCode);
        q.ParamByName(QStringLiteral("s")).AsInteger(code);
        q.Open();
        return q.FieldByName(QStringLiteral("artikal")).AsString();
    };
    QCOMPARE(nameOf(a, 1), QStringLiteral("BOLT"));
    QCOMPARE(nameOf(b, 2), QStringLiteral("NUT"));
    QCOMPARE(nameOf(a, 2), QStringLiteral("NUT"));
    QCOMPARE(nameOf(b, 3), QString()); // no row: nothing left over from the run before

    // A run that fails (the code is taken) does not spoil the next run of the same text.
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, insertArticle(a, 1, QStringLiteral("DUPLICATE")));
    insertArticle(a, 3, QStringLiteral("WASHER"));
    QCOMPARE(nameOf(b, 3), QStringLiteral("WASHER"));

    t.db().close();
    t.db().ensureConnected();
    QCOMPARE(nameOf(a, 1), QStringLiteral("BOLT"));
    insertArticle(b, 4, QStringLiteral("HINGE"));
    QCOMPARE(nameOf(a, 4), QStringLiteral("HINGE"));

    if (t.db().engine() == data::Engine::Sqlite) {
        data::Database other(QStringLiteral("Other"));
        other.setConfig(t.db().config());
        other.open();
        other.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (5,'CLAMP','PCS')"));
        // A statement left holding its old snapshot would make this write fail at once.
        data::Transaction write(t.db());
        insertArticle(b, 6, QStringLiteral("SPRING"));
        write.commit();
        QCOMPARE(nameOf(a, 5), QStringLiteral("CLAMP"));
    }
}

// Statements without rows bind their values as reads do (on MariaDB they run without Qt's
// driver): a text never set is NULL, quoted text that looks like a parameter is text, and a
// parameter used twice has one value.
void TestData::writesBindLikeReads()
{
    TestDatabase t;
    Query q(&t.db());
    setSql(q, {QStringLiteral("insert into komintenti(naziv,adresa,grad,rabat) values(':grad',:a,:b,:r)")});
    q.ParamByName(QStringLiteral("a")).AsString(QString());
    q.ParamByName(QStringLiteral("b")).AsString(QStringLiteral(""));
    q.ParamByName(QStringLiteral("r")).AsInteger(7);
    q.ExecSQL();
    const int id = q.LastInsertId();
    setSql(q, {QStringLiteral("update komintenti set tel=:t, mobil=:t where id=:id and naziv=':grad'")});
    q.ParamByName(QStringLiteral("t")).AsInteger(42);
    q.ParamByName(QStringLiteral("id")).AsInteger(id);
    q.ExecSQL();
    QCOMPARE(q.RowsAffected(), 1);
    setSql(q, {QStringLiteral("select naziv, adresa is null a_null, grad is null g_null, rabat, tel, mobil "
                              "from komintenti where id=:id")});
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("naziv")).AsString(), QStringLiteral(":grad"));
    QCOMPARE(q.FieldByName(QStringLiteral("a_null")).AsInteger(), 1);
    QCOMPARE(q.FieldByName(QStringLiteral("g_null")).AsInteger(), 0);
    QCOMPARE(q.FieldByName(QStringLiteral("rabat")).AsInteger(), 7);
    QCOMPARE(q.FieldByName(QStringLiteral("tel")).AsString(), QStringLiteral("42"));
    QCOMPARE(q.FieldByName(QStringLiteral("mobil")).AsString(), QStringLiteral("42"));
    // An update that matches nothing changes nothing and gives no key.
    setSql(q, {QStringLiteral("update komintenti set tel='x' where id=:id")});
    q.ParamByName(QStringLiteral("id")).AsInteger(id + 1000);
    q.ExecSQL();
    QCOMPARE(q.RowsAffected(), 0);
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, q.LastInsertId());
    // A date is written as the day it reads, the leap day too.
    setSql(q, {QStringLiteral("insert into priemnici(priemnica_id,datum) values(:n,:d)")});
    q.ParamByName(QStringLiteral("n")).AsInteger(1);
    q.ParamByName(QStringLiteral("d")).AsValue(QDate(2024, 2, 29));
    q.ExecSQL();
    setSql(q, {QStringLiteral("select datum from priemnici where id=:id")});
    q.ParamByName(QStringLiteral("id")).AsInteger(q.LastInsertId());
    q.Open();
    QCOMPARE(q.FieldByName(QStringLiteral("datum")).AsDateTime().date(), QDate(2024, 2, 29));

    // On MariaDB the writes themselves went past Qt's driver, which would have asked the
    // server to reset each statement first (only the reading of the counter resets one).
    if (t.db().engine() == data::Engine::MariaDb) {
        Query status(&t.db());
        setSql(status, {QStringLiteral("show session status like 'Com_stmt_reset'")});
        auto resets = [&] {
            status.Open();
            return status.FieldByName(QStringLiteral("Value")).AsInteger();
        };
        const int before = resets();
        setSql(q, {QStringLiteral("update priemnici set datum=:d where id>:id")});
        for (int i = 0; i < 5; ++i) {
            q.ParamByName(QStringLiteral("d")).AsValue(QDate(2025, 1, 1 + i));
            q.ParamByName(QStringLiteral("id")).AsInteger(i);
            q.ExecSQL();
        }
        QCOMPARE(resets() - before, 1);
    }
}

// The compact row store gives back each value as the QVariant stored: its type, its value,
// and null (with its type) or not; pending rows count only once committed.
void TestData::rowsComeBackAsStored()
{
    const QVariantList values{QVariant(7),
                              QVariant(uint(4000000000u)),
                              QVariant(qlonglong(-1) << 40),
                              QVariant(qulonglong(18446744073709551615ull)),
                              QVariant(2.5),
                              QVariant(true),
                              QVariant(QStringLiteral("ŠEĆER 1/2")),
                              QVariant(QLatin1String("")),
                              QVariant(QString()),
                              QVariant(QMetaType::fromType<QString>()),
                              QVariant(QMetaType::fromType<int>()),
                              QVariant(),
                              QVariant(QDate(2024, 2, 29)),
                              QVariant(QByteArray("\0x", 2))};
    data::RowStore rows;
    rows.clear(int(values.size()));
    for (int pass = 0; pass < 3; ++pass)
        for (const QVariant& v : values)
            rows.append(pass == 1 ? QVariant(QStringLiteral("pending")) : v);
    QCOMPARE(rows.size(), 0);
    QCOMPARE(rows.pending(), 3);
    rows.dropPending();
    QCOMPARE(rows.pending(), 0);
    for (int pass = 0; pass < 2; ++pass) {
        for (const QVariant& v : values)
            rows.append(v);
        rows.commit();
    }
    QCOMPARE(rows.size(), 2);
    for (int row = 0; row < 2; ++row)
        for (int c = 0; c < values.size(); ++c) {
            const QVariant got = rows.value(row, c);
            QCOMPARE(got.typeId(), values.at(c).typeId());
            QCOMPARE(got.isNull(), values.at(c).isNull());
            QCOMPARE(got, values.at(c));
            if (got.typeId() == QMetaType::QString)
                QCOMPARE(got.toString().isNull(), values.at(c).toString().isNull());
        }
}

void TestData::likePatterns()
{
    TestDatabase t;
    Query q(&t.db());
    insertArticle(q, 1, QStringLiteral("50% OFF BOARD"));
    insertArticle(q, 2, QStringLiteral("500 SCREWS"));
    insertArticle(q, 3, QStringLiteral("A_B"));
    insertArticle(q, 4, QStringLiteral("AXB"));
    setSql(q, {QStringLiteral("select * from artikli where artikal like :a")});
    auto hits = [&](const QString& text) {
        q.Close();
        q.ParamByName(QStringLiteral("a")).AsString(text + QLatin1Char('%'));
        q.Open();
        return q.RecordCount();
    };
    QCOMPARE(hits(QString()), 4);
    QCOMPARE(hits(QStringLiteral("5")), 2);
    QCOMPARE(hits(QStringLiteral("50%")), 2); // "%" is a pattern, not a literal
    QCOMPARE(hits(QStringLiteral("A_")), 2);  // "_" matches any one character
    QCOMPARE(hits(QStringLiteral("AX")), 1);
}


void TestData::clusterNodeAddresses_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("socket");
    QTest::newRow("socket") << " /run/mysqld/a.sock" << "" << 0 << "/run/mysqld/a.sock";
    QTest::newRow("host") << "db2" << "db2" << 0 << "";
    QTest::newRow("host:port") << "db2.example:3307" << "db2.example" << 3307 << "";
    QTest::newRow("ipv6") << "[fd00::2]:3306" << "fd00::2" << 3306 << "";
    QTest::newRow("bad port") << "db2:x" << "" << -1 << "";
    QTest::newRow("port out of range") << "db2:70000" << "" << -1 << "";
    QTest::newRow("no host") << ":3306" << "" << -1 << "";
    // clang-format on
}

void TestData::clusterNodeAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    QFETCH(QString, socket);
    if (port < 0) {
        QVERIFY_THROWS_EXCEPTION(data::DatabaseError, data::parseNode(text));
        return;
    }
    const data::NodeAddress n = data::parseNode(text);
    QCOMPARE(n.host, host);
    QCOMPARE(n.port, port);
    QCOMPARE(n.socket, socket);

    // The list goes through the alias file unchanged, in order.
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    data::AliasConfig c;
    c.engine = data::Engine::MariaDb;
    c.database = QStringLiteral("stock");
    c.nodes = {text.trimmed(), QStringLiteral("/tmp/b.sock")};
    data::writeAlias(QStringLiteral("cluster"), c);
    QCOMPARE(data::resolveAlias(QStringLiteral("cluster")).nodes, c.nodes);
    qunsetenv("XDG_CONFIG_HOME");
}

void TestData::answerTimeoutOfTheAlias_data()
{
    QTest::addColumn<QString>("line"); // in the alias section; empty: no such line
    QTest::addColumn<int>("seconds");  // -1: refused
    QTest::newRow("not set") << "" << 15;
    QTest::newRow("shortest") << "answer_timeout=2" << 2;
    QTest::newRow("blanks") << "answer_timeout= 30 " << 30;
    QTest::newRow("longest") << "answer_timeout=600" << 600;
    QTest::newRow("too short") << "answer_timeout=1" << -1;
    QTest::newRow("zero") << "answer_timeout=0" << -1;
    QTest::newRow("negative") << "answer_timeout=-15" << -1;
    QTest::newRow("too long") << "answer_timeout=601" << -1;
    QTest::newRow("huge") << "answer_timeout=99999999999" << -1;
    QTest::newRow("text") << "answer_timeout=soon" << -1;
    QTest::newRow("fraction") << "answer_timeout=2.5" << -1;
    QTest::newRow("list") << "answer_timeout=15,30" << -1;
    QTest::newRow("empty") << "answer_timeout=" << -1;
}

void TestData::answerTimeoutOfTheAlias()
{
    QFETCH(QString, line);
    QFETCH(int, seconds);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QDir().mkpath(dir.filePath(QStringLiteral("duredir")));
    QFile f(dir.filePath(QStringLiteral("duredir/aliases.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("[stock]\ndriver=mariadb\ndatabase=stock\n%1\n").arg(line).toUtf8());
    f.close();
    if (seconds < 0) {
        try {
            data::resolveAlias(QStringLiteral("stock"));
            QFAIL("an absurd answer limit was taken");
        } catch (const data::DatabaseError& e) {
            QVERIFY2(e.text().contains(QLatin1String("answer_timeout")) && e.text().contains(QLatin1String("\"stock\"")),
                     qPrintable(e.text()));
        }
    } else {
        data::AliasConfig c = data::resolveAlias(QStringLiteral("stock"));
        QCOMPARE(c.answerTimeout, seconds);
        QVERIFY(c.describe().contains(QStringLiteral("answer within %1 s").arg(seconds)));
        // Every wait is bounded by it, the lock wait a second or more below it.
        QVERIFY(c.connectTimeout() <= seconds);
        QVERIFY(c.lockWaitTimeout() >= 1 && c.lockWaitTimeout() <= seconds - 1);
        // Written back as read; the default is not written at all.
        data::writeAlias(QStringLiteral("stock"), c);
        QCOMPARE(data::resolveAlias(QStringLiteral("stock")).answerTimeout, seconds);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().contains("answer_timeout"), seconds != data::kDefaultAnswerTimeout);
    }
    qunsetenv("XDG_CONFIG_HOME");
}

void TestData::aNodeThatDoesNotAnswerIsPassedOver()
{
    if (!testsupport::onMariaDb())
        QSKIP("MariaDB only");
    TestDatabase t;
    data::AliasConfig c = t.config();
    QTemporaryDir dir;
    const QString gone = dir.filePath(QStringLiteral("gone.sock"));
    c.nodes = {gone, c.socket};
    c.socket.clear();
    data::Database db(QStringLiteral("nodes"));
    db.setConfig(c);
    db.open();
    QCOMPARE(db.currentNode(), t.config().socket);
    // With no node answering, the error names every node tried.
    c.nodes = {gone, dir.filePath(QStringLiteral("gone too.sock"))};
    data::Database none(QStringLiteral("none"));
    none.setConfig(c);
    try {
        none.open();
        QFAIL("opened without a server");
    } catch (const data::DatabaseError& e) {
        QVERIFY(e.isConnectionLost());
        QVERIFY2(e.text().contains(gone) && e.text().contains(QLatin1String("gone too.sock")), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestData)
#include "test_data.moc"
