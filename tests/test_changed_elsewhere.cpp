// Another workstation acts on the same database while a window is open: a receipt or
// dispatch deleted or changed between loading and saving is not written over, a delete of a
// document already gone says so. And the data layer's own guards: keys of inserts only,
// retries that give up in time and only on conflicts, numbers that cannot wrap, detail
// queries whose failure does not silence the others.
#include "data/datasource.h"
#include "kit/bitbtn.h"
#include "kit/maskedit.h"
#include "data/recordversion.h"
#include "modules/artikli/tsartiklilista.h"
#include "ispratnica_fixture.h"
#include "priemnica_fixture.h"
#include "support/appmain.h"
#include "support/inject.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <limits>

using testsupport::AppFixture;
using testsupport::Shown;
using namespace dispatches;

class TestChangedElsewhere : public QObject {
    Q_OBJECT

private slots:
    void editOfADocumentChangedElsewhere_data();
    void editOfADocumentChangedElsewhere();
    void deleteOfADocumentGoneElsewhere();
    void numbersCannotWrap();
    void refreshKeepsTheRecord();
    void keysRetriesAndFailingDetails();
};

namespace {

// The other workstation: its own connection on the same data source.
struct Workstation {
    explicit Workstation(AppFixture& app) : db(QStringLiteral("Other"))
    {
        db.setConfig(app.database().config());
        db.open();
    }
    data::Database db;
};

// Every row of the document tables and the ledger, as text, to show that nothing was written.
QStringList dump(AppFixture& app)
{
    QStringList out;
    for (const char* sql : {"select * from priemnici order by id", "select * from ispratnici order by id",
                            "select * from magacin_artikli order by id"}) {
        QSqlQuery q(app.database().db().handle());
        q.exec(QLatin1String(sql));
        while (q.next()) {
            QStringList row;
            for (int c = 0; c < q.record().count(); ++c)
                row << q.value(c).toString();
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

} // namespace

void TestChangedElsewhere::editOfADocumentChangedElsewhere_data()
{
    QTest::addColumn<bool>("dispatch");
    QTest::addColumn<QString>("elsewhere"); // statement of the other workstation; %1 the key
    QTest::addColumn<bool>("deleted");
    for (const bool dispatch : {false, true}) {
        const QString table = dispatch ? QStringLiteral("ispratnici") : QStringLiteral("priemnici");
        const char* kind = dispatch ? "dispatch" : "receipt";
        QTest::addRow("%s deleted", kind) << dispatch
                                          << QStringLiteral("delete from %1 where id=%2;"
                                                            "delete from magacin_artikli where document_id=%2")
                                                 .arg(table, QStringLiteral("%1"))
                                          << true;
        QTest::addRow("%s header changed", kind)
            << dispatch
            << QStringLiteral("update %1 set datum='2026-03-03' where id=%2").arg(table, QStringLiteral("%1")) << false;
        QTest::addRow("%s line changed", kind)
            << dispatch
            << QStringLiteral("update magacin_artikli set vlez_kol=vlez_kol+1, izlez_kol=izlez_kol+1 where document_id=%1")
            << false;
        QTest::addRow("%s untouched", kind) << dispatch << QString() << false;
    }
}

void TestChangedElsewhere::editOfADocumentChangedElsewhere()
{
    QFETCH(bool, dispatch);
    QFETCH(QString, elsewhere);
    QFETCH(bool, deleted);

    AppFixture app;
    const receipts::Master m = receipts::seed(app);
    receipts::store(app, 1, QStringLiteral("2026-01-10"), m.acme, {{m.screw, 20}});
    int id = 0;
    DocumentEditForm* w = nullptr;
    if (dispatch) {
        id = storeDispatch(app, 77, QStringLiteral("2026-02-01"), QStringLiteral("2026-02-15"), m.acme, {{m.screw, 4}});
        w = openDispatchEdit(app, openDispatchList(app));
    } else {
        id = receipts::store(app, 77, QStringLiteral("2026-02-01"), m.beta, {{m.nut, 3}});
        w = receipts::openEdit(app, receipts::openList(app));
    }
    QVERIFY(w);
    QCOMPARE(w->DocumentId, id);
    receipts::addLine(app, w, m.screw, QStringLiteral("2"));
    const QStringList input = receipts::gridLines(w);

    Workstation other(app);
    if (!elsewhere.isEmpty())
        for (const QString& statement : elsewhere.arg(id).split(QLatin1Char(';')))
            other.db.exec(statement);
    const QStringList before = dump(app);

    app.clearMessages();
    const QPointer<DocumentEditForm> window = w;
    w->BitBtn1->Click();
    AppFixture::settle();

    const QString what = dispatch ? QStringLiteral("goods dispatch") : QStringLiteral("goods receipt");
    if (elsewhere.isEmpty()) {
        // Nobody else touched it: the save goes through as always.
        QCOMPARE(app.messages().size(), 1);
        QCOMPARE(app.messages().first().title, QStringLiteral("Information"));
        QVERIFY(!window);
        QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"),
                                      QStringLiteral("document_id=%1 and vid_dokument='%2'").arg(id).arg(dispatch ? "I" : "P")),
                 2);
        return;
    }
    const QString text = deleted ? data::RecordVersion::deletedText(what) : data::RecordVersion::changedText(what);
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", text}}));
    QVERIFY(window);
    QCOMPARE(receipts::gridLines(w), input);
    QCOMPARE(dump(app), before);
    // No ledger row without its header, whatever happened elsewhere.
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"),
                                  QStringLiteral("vid_dokument='P' and document_id not in (select id from priemnici)")),
             0);
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"),
                                  QStringLiteral("vid_dokument='I' and document_id not in (select id from ispratnici)")),
             0);
}

void TestChangedElsewhere::deleteOfADocumentGoneElsewhere()
{
    AppFixture app;
    const receipts::Master m = receipts::seed(app);
    const int receipt = receipts::store(app, 5, QStringLiteral("2026-01-10"), m.acme, {{m.screw, 20}});
    const int dispatch =
        storeDispatch(app, 6, QStringLiteral("2026-01-11"), QStringLiteral("2026-01-20"), m.acme, {{m.screw, 4}});
    Workstation other(app);
    // The list shows the document; meanwhile another workstation deletes its header; then
    // the operator deletes it from the list.
    auto deleteGone = [&](DocumentList* list, const QString& statement) {
        QVERIFY(list);
        other.db.exec(statement);
        app.clearMessages();
        list->Del1->trigger();
        AppFixture::settle();
        QCOMPARE(app.messages().size(), 2);
        QCOMPARE(app.messages().last().title, QStringLiteral("Warning"));
        QVERIFY(app.messages().last().text.contains(QLatin1String("already deleted on another workstation")));
    };
    deleteGone(receipts::openList(app), QStringLiteral("delete from priemnici where id=%1").arg(receipt));
    deleteGone(openDispatchList(app), QStringLiteral("delete from ispratnici where id=%1").arg(dispatch));
    // The delete that found the header gone wrote nothing.
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli")), 2);
}

void TestChangedElsewhere::numbersCannotWrap()
{
    AppFixture app;
    const receipts::Master m = receipts::seed(app);
    const int largest = std::numeric_limits<int>::max();
    receipts::store(app, largest, QStringLiteral("2026-01-10"), m.acme, {{m.screw, 20}});
    TSPriemnicaLista* list = receipts::openList(app);
    TSPriemnicaVnes* entry = receipts::openEntry(app, list);
    QVERIFY(entry);
    // The proposed number does not turn negative...
    QCOMPARE(entry->MaskEdit2->Text(), QString::number(qint64(largest) + 1));
    entry->VnesiKomintentiID(m.acme);
    receipts::addLine(app, entry, m.screw, QStringLiteral("1"));
    const QStringList before = dump(app);
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    // ...and the save is refused with a message that says why, writing nothing.
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().first().title, QStringLiteral("Warning"));
    QVERIFY(app.messages().first().text.contains(QString::number(largest)));
    QCOMPARE(dump(app), before);
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);
}

void TestChangedElsewhere::refreshKeepsTheRecord()
{
    AppFixture app;
    for (const char* name : {"ANCHOR", "BOLT", "CLAMP", "DOWEL"})
        app.database().exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(%1,'%2','PCS')")
                                .arg(int(name[0]))
                                .arg(QLatin1String(name)));
    app.main().Lista1->trigger();
    AppFixture::settle();
    auto* list = app.active<TSArtikliLista>();
    QVERIFY(list);
    const int clamp = app.database().scalar(QStringLiteral("select id from artikli where artikal='CLAMP'")).toInt();
    list->Query1->setRecNo(2);
    QCOMPARE(list->SelectedId(), clamp);
    // A row above it goes on another workstation: the list stays on CLAMP, not on its old row.
    Workstation other(app);
    other.db.exec(QStringLiteral("delete from artikli where artikal='ANCHOR'"));
    list->RefreshList();
    QCOMPARE(list->SelectedId(), clamp);
    // CLAMP itself goes: the first row.
    other.db.exec(QStringLiteral("delete from artikli where artikal='CLAMP'"));
    list->RefreshList();
    QCOMPARE(list->Query1->RecNo(), 0);
}

void TestChangedElsewhere::keysRetriesAndFailingDetails()
{
    testsupport::TestDatabase tdb;
    data::Database& db = tdb.db();

    // A statement that inserts nothing has no key, even after an insert on the connection.
    data::Query q(&db);
    q.SQL.Add(QStringLiteral("insert into artikli(sifra,artikal,edm) values(1,'A','PCS')"));
    q.ExecSQL();
    QVERIFY(q.LastInsertId() > 0);
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("update artikli set edm='KG' where sifra=1"));
    q.ExecSQL();
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, q.LastInsertId());

    // A refused write that no retry mends (a NOT NULL column) runs once.
    tdb.execAsAdmin(QStringLiteral("create table strict_t (x integer not null)"));
    int runs = 0;
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, data::runSave(db, [&] {
                                 ++runs;
                                 data::Query ins(&db);
                                 ins.SQL.Add(QStringLiteral("insert into strict_t(x) values(null)"));
                                 ins.ExecSQL();
                             }));
    QCOMPARE(runs, 1);

    // Conflicts are retried, but not past the time allowed, and the error says it gave up.
    runs = 0;
    try {
        data::runSave(
            db,
            [&] {
                ++runs;
                QTest::qSleep(30);
                throw data::DatabaseError(QStringLiteral("Deadlock found"), QStringLiteral("1213"));
            },
            25, std::chrono::milliseconds(100));
        QFAIL("the save did not give up");
    } catch (const data::DatabaseError& e) {
        QVERIFY(runs > 1 && runs < 25);
        QVERIFY(e.text().contains(QLatin1String("given up")));
    }

    // A SQLite file that another program keeps busy is waited for within the save's time in
    // all, not the file's usual wait per run (which made 30 s of a 20 s bound).
    if (db.engine() == data::Engine::Sqlite) {
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("busy-holder"));
            other.setDatabaseName(db.config().path);
            QVERIFY(other.open());
            QSqlQuery hold(other);
            QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
            QElapsedTimer clock;
            clock.start();
            QVERIFY_THROWS_EXCEPTION(data::DatabaseError,
                                     data::runSave(
                                         db,
                                         [&] {
                                             data::Query ins(&db);
                                             ins.SQL.Add(QStringLiteral("insert into strict_t(x) values(1)"));
                                             ins.ExecSQL();
                                         },
                                         25, std::chrono::milliseconds(1500)));
            QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
            other.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("busy-holder"));
        // The usual wait is back for the next save, which now gets the file.
        data::runSave(db, [&] {
            data::Query ins(&db);
            ins.SQL.Add(QStringLiteral("insert into strict_t(x) values(2)"));
            ins.ExecSQL();
        });
    }

    // Two details follow one master; the first fails: the second still follows, and the
    // failure reaches the caller once.
    tdb.exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(2,'B','KG')"));
    data::Query master(&db);
    master.SQL.Add(QStringLiteral("select id from artikli order by id"));
    data::DataSource source(&master);
    data::Query first(&db), second(&db);
    for (data::Query* d : {&first, &second}) {
        d->SQL.Add(QStringLiteral("select artikal from artikli where id=:id"));
        d->setMasterSource(&source);
    }
    master.Open();
    first.Open();
    second.Open();
    QCOMPARE(second.FieldByName(QStringLiteral("artikal")).AsString(), QStringLiteral("A"));
    testsupport::FailingStatement failing(db, QStringLiteral("select artikal"));
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, master.Next());
    QCOMPARE(failing.seen(), 2);
    QCOMPARE(second.FieldByName(QStringLiteral("artikal")).AsString(), QStringLiteral("B"));
}

DUREDIR_APP_TEST_MAIN(TestChangedElsewhere)
#include "test_changed_elsewhere.moc"
