// The stores on their own, without a window: numbering, saving whole or not at all, and the
// refusals that protect what another workstation did in the meantime.
#include "data/database.h"
#include "data/errors.h"
#include "stores/articlereads.h"
#include "stores/bounds.h"
#include "stores/dispatchstock.h"
#include "stores/documentstore.h"
#include "stores/productstore.h"
#include "stores/registerstore.h"
#include "stores/workorderstore.h"
#include "support/seed.h"
#include "support/testdb.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <functional>
#include <limits>

using testsupport::TestDatabase;

namespace {

// One kind of record as the tests drive it through its store.
struct Kind {
    // Saves a new record and returns its number (or code).
    std::function<int(data::Database&)> saveNew;
    std::function<int(data::Database&)> nextNumber;
    std::function<bool(data::Database&, int)> numberExists;
    // Loads the record with key `id` and writes it back changed, on `db`.
    std::function<void(data::Database& db, int id, const data::RecordVersion& loaded)> update;
    std::function<data::RecordVersion(data::Database&, int id)> load;
    QString table; // its header table
};

// Keys of what every test seeds: a partner, an employee, two articles, a product made of them.
struct Seed {
    int partner = 0;
    int employee = 0;
    int bolt = 0;
    int nut = 0;
    int product = 0;
};

int lastKey(TestDatabase& t, const QString& table)
{
    return t.scalar(QStringLiteral("select max(id) from %1").arg(table)).toInt();
}

Seed seed(TestDatabase& t)
{
    testsupport::Seed seed(t.db());
    Seed s;
    s.partner = seed.partner(QStringLiteral("ACME"), QStringLiteral("MAIN 1"), QStringLiteral("SKOPJE"));
    s.employee = seed.employee(QStringLiteral("MARKO"));
    s.bolt = seed.article(-1, QStringLiteral("BOLT"), QStringLiteral("PCS"));
    s.nut = seed.article(-1, QStringLiteral("NUT"), QStringLiteral("PCS"));
    s.product = seed.product(-1, QStringLiteral("BRACKET"), {{s.bolt, 2}, {s.nut, 2}}, 10, 18);
    // Stock to dispatch from.
    seed.receipt(0, QStringLiteral("2026-03-01"), s.partner, {{s.bolt, 100}, {s.nut, 100}});
    return s;
}

stores::StockDocument document(const Seed& s, double quantity)
{
    return {s.partner, QStringLiteral("2026-03-02"), QStringLiteral("2026-04-01"), {{s.bolt, quantity}, {s.nut, 1}}};
}

Kind documentKind(const stores::DocumentStatements& statements, const Seed& s)
{
    auto store = [&statements](data::Database& db) { return stores::DocumentStore(db, statements); };
    return {[=](data::Database& db) { return store(db).saveNew(document(s, 2)); },
            [=](data::Database& db) { return store(db).nextNumber(); },
            [=](data::Database& db, int n) { return store(db).numberExists(n); },
            [=](data::Database& db, int id, const data::RecordVersion& v) {
                store(db).update(id, v, 77, document(s, 3));
            },
            [=](data::Database& db, int id) { return store(db).load(id); },
            statements.headerTable};
}

// Every kind with a store, by name, over the seeded records.
Kind kindNamed(const QString& name, const Seed& s)
{
    if (name == QLatin1String("receipt"))
        return documentKind(stores::receipts(), s);
    if (name == QLatin1String("dispatch"))
        return documentKind(stores::dispatches(), s);
    if (name == QLatin1String("work order")) {
        const stores::WorkOrder order{s.partner,  QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"),
                                      s.employee, QStringLiteral("MARKO"),      {{s.product, 4}}};
        return {[=](data::Database& db) { return stores::WorkOrderStore(db).saveNew(order); },
                [](data::Database& db) { return stores::WorkOrderStore(db).nextNumber(); },
                [](data::Database& db, int n) { return stores::WorkOrderStore(db).numberExists(n); },
                [=](data::Database& db, int id, const data::RecordVersion& v) {
                    stores::WorkOrder changed = order;
                    changed.lines.push_back({s.product, 1});
                    stores::WorkOrderStore(db).update(id, v, 77, changed);
                },
                [](data::Database& db, int id) { return stores::WorkOrderStore(db).load(id); },
                QStringLiteral("nalozi")};
    }
    if (name == QLatin1String("product")) {
        const stores::Product product{0, QStringLiteral("FRAME"),  QStringLiteral("PCS"), 5, 18,
                                      0, {{s.bolt, 4}, {s.nut, 4}}};
        return {[=](data::Database& db) { return stores::ProductStore(db).saveNew(product); },
                [](data::Database& db) { return stores::ProductStore(db).nextNumber(); },
                [](data::Database& db, int n) { return stores::ProductStore(db).numberExists(n); },
                [=](data::Database& db, int id, const data::RecordVersion& v) {
                    stores::Product changed = product;
                    changed.code = 77;
                    changed.composition.pop_back();
                    stores::ProductStore(db).update(id, v, changed);
                },
                [](data::Database& db, int id) { return stores::ProductStore(db).load(id); },
                QStringLiteral("proizvodi")};
    }
    if (name == QLatin1String("article")) {
        return {[](data::Database& db) {
                    return stores::ArticleStore(db).saveNew({0, QStringLiteral("WASHER"), QStringLiteral("PCS")});
                },
                [](data::Database& db) { return stores::ArticleStore(db).nextNumber(); },
                [](data::Database& db, int n) { return stores::ArticleStore(db).numberExists(n); },
                [](data::Database& db, int id, const data::RecordVersion& v) {
                    stores::ArticleStore(db).update(id, v, {77, QStringLiteral("WASHER M8"), QStringLiteral("PCS")});
                },
                [](data::Database& db, int id) { return stores::ArticleStore(db).load(id); },
                QStringLiteral("artikli")};
    }
    if (name == QLatin1String("partner")) {
        const stores::Partner
            partner{QStringLiteral("BETA"), {}, QStringLiteral("BITOLA"), {}, {}, {}, {}, {}, {}, {}, {}, {}, 5};
        return {[=](data::Database& db) {
                    stores::PartnerStore(db).saveNew(partner);
                    return 0;
                },
                {},
                {},
                [=](data::Database& db, int id, const data::RecordVersion& v) {
                    stores::Partner changed = partner;
                    changed.grad = QStringLiteral("OHRID");
                    stores::PartnerStore(db).update(id, v, changed);
                },
                [](data::Database& db, int id) { return stores::PartnerStore(db).load(id); },
                QStringLiteral("komintenti")};
    }
    stores::Employee employee;
    employee.naziv = QStringLiteral("ANA");
    return {[=](data::Database& db) {
                stores::EmployeeStore(db).saveNew(employee);
                return 0;
            },
            {},
            {},
            [=](data::Database& db, int id, const data::RecordVersion& v) {
                stores::Employee changed = employee;
                changed.tel = QStringLiteral("070 000 000");
                stores::EmployeeStore(db).update(id, v, changed);
            },
            [](data::Database& db, int id) { return stores::EmployeeStore(db).load(id); },
            QStringLiteral("vraboteni")};
}

// Everything the stores write, row by row, to tell that a refused or failed save wrote
// nothing.
QStringList everything(TestDatabase& t)
{
    QStringList rows;
    for (const char* table : {"artikli", "komintenti", "vraboteni", "proizvodi", "proizvodi_sostav", "priemnici",
                              "ispratnici", "nalozi", "magacin_artikli", "magacin_proizvodi"}) {
        QSqlQuery q(t.db().handle());
        if (!q.exec(QStringLiteral("select * from %1").arg(QLatin1String(table))))
            rows << QStringLiteral("unreadable ") + QLatin1String(table);
        while (q.next()) {
            QStringList values{QLatin1String(table)};
            for (int i = 0; i < q.record().count(); ++i)
                values << q.value(i).toString();
            rows << values.join(QLatin1Char('|'));
        }
    }
    rows.sort();
    return rows;
}

// A second workstation on the same database.
struct Other {
    explicit Other(TestDatabase& t) : db(QStringLiteral("Other"))
    {
        db.setConfig(t.db().config());
        db.open();
    }
    data::Database db;
    void exec(const QString& statement) { db.exec(statement); }
};

// The kinds that carry a number (or code) of their own.
void addNumberedKinds()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"receipt", "dispatch", "work order", "product", "article"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

} // namespace

class TestStores : public QObject {
    Q_OBJECT

private slots:
    void numbersFollowTheHighest_data() { addNumberedKinds(); }
    void numbersFollowTheHighest();
    void anEmptyRegisterStartsCodesAtZeroAndDocumentsAtOne();
    void aSaveThatFailsPartWayWritesNothing_data();
    void aSaveThatFailsPartWayWritesNothing();
    void anUpdateOfARecordChangedElsewhereIsRefused_data();
    void anUpdateOfARecordChangedElsewhereIsRefused();
    void aDispatchBeyondStockIsRefusedInsideTheSave();
    void theBalanceShownIsTheOneTheSaveMeasures();
    void aDeleteTakesTheLinesOfBothLedgersAndRefusesADocumentDeletedElsewhere();
    void valuesNoBusinessHasAreRefusedAndWriteNothing_data();
    void valuesNoBusinessHasAreRefusedAndWriteNothing();
};

void TestStores::numbersFollowTheHighest()
{
    QFETCH(QString, kind);
    TestDatabase t;
    const Seed s = seed(t);
    const Kind k = kindNamed(kind, s);
    const int first = k.nextNumber(t.db());
    QVERIFY(!k.numberExists(t.db(), first));
    QCOMPARE(k.saveNew(t.db()), first);
    QVERIFY(k.numberExists(t.db(), first));
    QCOMPARE(k.nextNumber(t.db()), first + 1);

    // A number typed into an edit window counts: the next one follows the highest.
    const int id = lastKey(t, k.table);
    k.update(t.db(), id, k.load(t.db(), id));
    QVERIFY(!k.numberExists(t.db(), first));
    QVERIFY(k.numberExists(t.db(), 77));
    QCOMPARE(k.nextNumber(t.db()), 78);
    QCOMPARE(k.saveNew(t.db()), 78);

    // Any whole number is followed, also when the largest stored one is 0 or below: only
    // the upper end of the column refuses.
    const QString column = k.table == QLatin1String("priemnici")    ? QStringLiteral("priemnica_id")
                           : k.table == QLatin1String("ispratnici") ? QStringLiteral("ispratnica_id")
                           : k.table == QLatin1String("nalozi")     ? QStringLiteral("nalog_id")
                                                                    : QStringLiteral("sifra");
    t.exec(QStringLiteral("update %1 set %2=%2-1000").arg(k.table, column));
    QCOMPARE(k.nextNumber(t.db()), 78 - 1000 + 1);
    QCOMPARE(k.saveNew(t.db()), 78 - 1000 + 1);
    t.exec(QStringLiteral("update %1 set %2=-1 where %2=%3").arg(k.table, column).arg(78 - 1000 + 1));
    t.exec(QStringLiteral("delete from %1 where %2<>-1").arg(k.table, column));
    QCOMPARE(k.nextNumber(t.db()), 0);
}

void TestStores::anEmptyRegisterStartsCodesAtZeroAndDocumentsAtOne()
{
    TestDatabase t;
    QCOMPARE(stores::ArticleStore(t.db()).nextNumber(), 0);
    QCOMPARE(stores::ProductStore(t.db()).nextNumber(), 0);
    QCOMPARE(stores::DocumentStore(t.db(), stores::receipts()).nextNumber(), 1);
    QCOMPARE(stores::DocumentStore(t.db(), stores::dispatches()).nextNumber(), 1);
    QCOMPARE(stores::WorkOrderStore(t.db()).nextNumber(), 1);
    stores::ArticleStore articles(t.db());
    QCOMPARE(articles.saveNew({0, QStringLiteral("BOLT"), QStringLiteral("PCS")}), 0);
    QCOMPARE(articles.saveNew({0, QStringLiteral("NUT"), QStringLiteral("PCS")}), 1);
    stores::ProductStore products(t.db());
    QCOMPARE(products.saveNew({0, QStringLiteral("BRACKET"), QStringLiteral("PCS"), 10, 18, 0, {}}), 0);
    QCOMPARE(products.nextNumber(), 1);
}

void TestStores::aSaveThatFailsPartWayWritesNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("update");
    QTest::addColumn<QString>("failing"); // the statement that fails
    QTest::addColumn<int>("run");         // on its run number `run`, after the others wrote
    QTest::newRow("new receipt") << "receipt" << false << "insert into magacin_artikli" << 2;
    QTest::newRow("receipt update") << "receipt" << true << "insert into magacin_artikli" << 2;
    QTest::newRow("new dispatch") << "dispatch" << false << "insert into magacin_artikli" << 2;
    QTest::newRow("dispatch update") << "dispatch" << true << "insert into magacin_artikli" << 2;
    QTest::newRow("new work order") << "work order" << false << "insert into magacin_artikli" << 2;
    QTest::newRow("work order update") << "work order" << true << "insert into magacin_proizvodi" << 2;
    QTest::newRow("new product") << "product" << false << "insert into proizvodi_sostav" << 2;
    QTest::newRow("product update") << "product" << true << "insert into proizvodi_sostav" << 1;
}

void TestStores::aSaveThatFailsPartWayWritesNothing()
{
    QFETCH(QString, kind);
    QFETCH(bool, update);
    QFETCH(QString, failing);
    QFETCH(int, run);
    TestDatabase t;
    const Seed s = seed(t);
    const Kind k = kindNamed(kind, s);
    k.saveNew(t.db());
    const int id = lastKey(t, k.table);
    const data::RecordVersion loaded = k.load(t.db(), id);
    const QStringList before = everything(t);

    int seen = 0;
    t.db().setStatementHook([&](const QString& text) {
        if (text.contains(failing) && ++seen == run)
            throw data::DatabaseError(QStringLiteral("injected failure"));
    });
    try {
        if (update)
            k.update(t.db(), id, loaded);
        else
            k.saveNew(t.db());
        QFAIL("the save went through");
    } catch (const data::DatabaseError& e) {
        QCOMPARE(e.text(), QStringLiteral("injected failure"));
    }
    t.db().setStatementHook({});
    QCOMPARE(seen, run);
    QVERIFY(!t.db().InTransaction());
    QCOMPARE(everything(t), before);
}

void TestStores::anUpdateOfARecordChangedElsewhereIsRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("deleted");
    for (const char* kind : {"receipt", "dispatch", "work order", "product", "article", "partner", "employee"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 deleted").arg(QLatin1String(kind))))
            << QString::fromLatin1(kind) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 changed").arg(QLatin1String(kind))))
            << QString::fromLatin1(kind) << false;
    }
}

void TestStores::anUpdateOfARecordChangedElsewhereIsRefused()
{
    QFETCH(QString, kind);
    QFETCH(bool, deleted);
    TestDatabase t;
    const Seed s = seed(t);
    const Kind k = kindNamed(kind, s);
    k.saveNew(t.db());
    const int id = lastKey(t, k.table);
    const data::RecordVersion loaded = k.load(t.db(), id);

    {
        Other other(t);
        if (deleted) {
            other.exec(QStringLiteral("delete from %1 where id=%2").arg(k.table).arg(id));
        } else if (kind == QLatin1String("receipt") || kind == QLatin1String("dispatch")) {
            // A line of the document changed, its header not.
            other.exec(QStringLiteral("update magacin_artikli set id_komintent=0 where document_id=%1").arg(id));
        } else if (kind == QLatin1String("product")) {
            other.exec(QStringLiteral("update proizvodi_sostav set kolicina=9 where id_proizvod=%1").arg(id));
        } else if (kind == QLatin1String("work order")) {
            other.exec(QStringLiteral("update nalozi set datum_finish='2026-03-10' where id=%1").arg(id));
        } else {
            const QString column = kind == QLatin1String("article") ? QStringLiteral("edm") : QStringLiteral("adresa");
            other.exec(QStringLiteral("update %1 set %2='ELSEWHERE' where id=%3").arg(k.table, column).arg(id));
        }
    }
    const QStringList before = everything(t);
    try {
        k.update(t.db(), id, loaded);
        QFAIL("the update went through");
    } catch (const data::StaleRecord& e) {
        QCOMPARE(e.reason(), deleted ? data::StaleRecord::Reason::Deleted : data::StaleRecord::Reason::Changed);
    }
    QVERIFY(!t.db().InTransaction());
    QCOMPARE(everything(t), before);

    // Loaded again, the same update goes through.
    if (!deleted) {
        k.update(t.db(), id, k.load(t.db(), id));
        QVERIFY(everything(t) != before);
    }
}

void TestStores::aDispatchBeyondStockIsRefusedInsideTheSave()
{
    TestDatabase t;
    const Seed s = seed(t); // 100 bolts in stock
    stores::DocumentStore dispatches(t.db(), stores::dispatches());
    dispatches.saveNew(document(s, 60));
    const int first = lastKey(t, QStringLiteral("ispratnici"));
    const data::RecordVersion loaded = dispatches.load(first);

    // Another workstation takes 30 more after this one read the stock: 10 are left.
    stores::DocumentStore(t.db(), stores::dispatches()).saveNew(document(s, 30));
    const QStringList before = everything(t);
    try {
        dispatches.saveNew(document(s, 11));
        QFAIL("a dispatch beyond stock was saved");
    } catch (const dispatchstock::NotEnoughStock& e) {
        QCOMPARE(e.article(), s.bolt);
        QCOMPARE(e.text(), QStringLiteral("Don't have requested quantity"));
    }
    QCOMPARE(everything(t), before);

    // The first dispatch may grow by what is left, its own 60 given back: 70, not 71.
    QVERIFY_THROWS_EXCEPTION(dispatchstock::NotEnoughStock, dispatches.update(first, loaded, 1, document(s, 71)));
    QCOMPARE(everything(t), before);
    dispatches.update(first, loaded, 1, document(s, 70));
    QCOMPARE(t.scalar(QStringLiteral("select sum(vlez_kol)-sum(izlez_kol) from magacin_artikli where id_artikal=%1").arg(s.bolt))
                 .toDouble(),
             0.0);
    QVERIFY_THROWS_EXCEPTION(dispatchstock::NotEnoughStock, dispatches.saveNew(document(s, 0.5)));
}

void TestStores::theBalanceShownIsTheOneTheSaveMeasures()
{
    TestDatabase t;
    const Seed s = seed(t);
    stores::ArticleStore(t.db()).saveNew({0, QStringLiteral("WASHER"), QStringLiteral("KG")});
    const int washer = lastKey(t, QStringLiteral("artikli"));

    // Not in the ledger: nothing shown, nothing to take.
    QCOMPARE(stores::articleBalance(t.db(), washer).balance, 0.0);
    QCOMPARE(stores::articleBalance(t.db(), washer).name, QString());
    QCOMPARE(dispatchstock::read(t.db(), washer, 0).available(), 0.0);

    // A receipt just short of 10 kg shows 10 at four decimals: 10 may go out, and the save,
    // measuring the same balance, lets it.
    stores::DocumentStore(t.db(), stores::receipts())
        .saveNew({s.partner, QStringLiteral("2026-03-01"), {}, {{washer, 9.99996}}});
    const stores::ArticleBalance shown = stores::articleBalance(t.db(), washer);
    QCOMPARE(shown.balance, 10.0);
    QCOMPARE(shown.name, QStringLiteral("WASHER"));
    QCOMPARE(shown.unit, QStringLiteral("KG"));
    QCOMPARE(dispatchstock::read(t.db(), washer, 0).balance, shown.balance);
    stores::DocumentStore dispatches(t.db(), stores::dispatches());
    dispatches.saveNew({s.partner, QStringLiteral("2026-03-02"), {}, {{washer, 10}}});
    QCOMPARE(stores::articleBalance(t.db(), washer).balance, 0.0);
    QVERIFY_THROWS_EXCEPTION(dispatchstock::NotEnoughStock,
                             dispatches.saveNew({s.partner, QStringLiteral("2026-03-02"), {}, {{washer, 0.001}}}));

    // The stored dispatch gives back what it took when it is edited.
    const int stored = lastKey(t, QStringLiteral("ispratnici"));
    QCOMPARE(dispatchstock::read(t.db(), washer, stored).taken, 10.0);
    QCOMPARE(dispatchstock::read(t.db(), s.bolt, stored).taken, 0.0);
}

void TestStores::aDeleteTakesTheLinesOfBothLedgersAndRefusesADocumentDeletedElsewhere()
{
    TestDatabase t;
    const Seed s = seed(t);
    stores::DocumentStore receipts(t.db(), stores::receipts());
    receipts.saveNew(document(s, 5));
    const int id = lastKey(t, QStringLiteral("priemnici"));
    const QString lines = QStringLiteral("document_id=%1 and vid_dokument='P'").arg(id);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli"), lines), 2);

    receipts.remove(id, QStringLiteral("gone"));
    QCOMPARE(t.count(QStringLiteral("priemnici"), QStringLiteral("id=%1").arg(id)), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli"), lines), 0);

    const QStringList before = everything(t);
    try {
        receipts.remove(id, QStringLiteral("gone"));
        QFAIL("a deleted receipt was deleted again");
    } catch (const data::StaleRecord& e) {
        QCOMPARE(e.text(), QStringLiteral("gone"));
    }
    receipts.remove(-1, QStringLiteral("gone")); // an empty list's key: nothing, and no word
    QCOMPARE(everything(t), before);

    // A dispatch owns rows in both ledgers: its articles, and its priced products (the
    // invoices of the financial report). An update edits its articles and leaves the products
    // under their header; a delete takes both, and nothing of another kind under the same key.
    stores::DocumentStore dispatches(t.db(), stores::dispatches());
    dispatches.saveNew(document(s, 2));
    const int dispatch = lastKey(t, QStringLiteral("ispratnici"));
    // Planted: no store writes a dispatch's priced product rows (kind 'I'); they come from
    // elsewhere. One row of kind 'N' under the same key must survive.
    for (const char* kind : {"I", "I", "N"})
        t.exec(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                              "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa) "
                              "values ('%1',%2,%3,%4,0,1,'2026-03-02',0,10,18)")
                   .arg(QLatin1String(kind))
                   .arg(dispatch)
                   .arg(s.partner)
                   .arg(s.product));
    const QString products = QStringLiteral("document_id=%1 and vid_dokument='I'").arg(dispatch);
    dispatches.update(dispatch, dispatches.load(dispatch), 1, document(s, 3));
    QCOMPARE(t.count(QStringLiteral("magacin_proizvodi"), products), 2);
    // The product rows' delete failing takes back the header and the articles too.
    const QStringList whole = everything(t);
    t.db().setStatementHook([](const QString& text) {
        if (text.startsWith(QLatin1String("delete from magacin_proizvodi")))
            throw data::DatabaseError(QStringLiteral("injected failure"));
    });
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, dispatches.remove(dispatch, QStringLiteral("gone")));
    t.db().setStatementHook({});
    QCOMPARE(everything(t), whole);
    dispatches.remove(dispatch, QStringLiteral("gone"));
    QCOMPARE(t.count(QStringLiteral("magacin_proizvodi"), products), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli"), products), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_proizvodi"), QStringLiteral("vid_dokument='N'")), 1);
}

void TestStores::valuesNoBusinessHasAreRefusedAndWriteNothing_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("field"); // the field the refusal names
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("receipt line 0") << "receipt" << 0.0 << "quantity";
    QTest::newRow("receipt line -1") << "receipt" << -1.0 << "quantity";
    QTest::newRow("receipt line 1e308") << "receipt" << 1e308 << "quantity";
    QTest::newRow("receipt line 12345678901234567890") << "receipt" << 12345678901234567890.0 << "quantity";
    QTest::newRow("receipt line inf") << "receipt" << inf << "quantity";
    QTest::newRow("receipt line nan") << "receipt" << nan << "quantity";
    QTest::newRow("dispatch line 0") << "dispatch" << 0.0 << "quantity";
    QTest::newRow("work order line 0") << "work order" << 0.0 << "quantity";
    QTest::newRow("work order line 1e308") << "work order" << 1e308 << "quantity";
    QTest::newRow("receipt number 0") << "receipt number" << 0.0 << "goods receipt number";
    QTest::newRow("dispatch number -5") << "dispatch number" << -5.0 << "goods dispatch number";
    QTest::newRow("work order number 0") << "work order number" << 0.0 << "work order number";
    QTest::newRow("composition -5") << "composition" << -5.0 << "composition quantity";
    QTest::newRow("product price -100") << "price" << -100.0 << "price";
    QTest::newRow("product tax 1e308") << "tax rate" << 1e308 << "tax rate";
    QTest::newRow("product discount 150") << "product discount" << 150.0 << "discount";
    QTest::newRow("product code -1") << "product code" << -1.0 << "product code";
    QTest::newRow("article code -1") << "article code" << -1.0 << "article code";
    QTest::newRow("partner discount -5") << "partner discount" << -5.0 << "discount";
    QTest::newRow("partner discount 150") << "partner discount" << 150.0 << "discount";
    QTest::newRow("article name of blanks") << "article name" << 0.0 << "article name";
    QTest::newRow("product name of blanks") << "product name" << 0.0 << "product name";
    QTest::newRow("partner with no field") << "empty partner" << 0.0 << "company partner's name";
    QTest::newRow("employee with no field") << "empty employee" << 0.0 << "employee's name";
}

void TestStores::valuesNoBusinessHasAreRefusedAndWriteNothing()
{
    QFETCH(QString, record);
    QFETCH(double, value);
    QFETCH(QString, field);
    TestDatabase t;
    const Seed s = seed(t);
    stores::DocumentStore receipts(t.db(), stores::receipts());
    stores::DocumentStore dispatches(t.db(), stores::dispatches());
    receipts.saveNew(document(s, 5));
    const int receipt = lastKey(t, QStringLiteral("priemnici"));
    dispatches.saveNew(document(s, 1));
    const int dispatch = lastKey(t, QStringLiteral("ispratnici"));
    const stores::WorkOrder order{s.partner,  QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"),
                                  s.employee, QStringLiteral("MARKO"),      {{s.product, 4}}};
    stores::WorkOrderStore orders(t.db());
    orders.saveNew(order);
    const int orderId = lastKey(t, QStringLiteral("nalozi"));
    const QStringList before = everything(t);

    stores::Product product{7, QStringLiteral("BRACKET"), QStringLiteral("PCS"), 10, 18, 0, {{s.bolt, 2}}};
    stores::Partner partner{QStringLiteral("ACME"), {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, 0};
    stores::WorkOrder badOrder = order;
    badOrder.lines.front().quantity = value;
    try {
        if (record == QLatin1String("receipt"))
            receipts.saveNew(document(s, value));
        else if (record == QLatin1String("dispatch"))
            dispatches.saveNew(document(s, value));
        else if (record == QLatin1String("work order"))
            orders.saveNew(badOrder);
        else if (record == QLatin1String("receipt number"))
            receipts.update(receipt, receipts.load(receipt), int(value), document(s, 5));
        else if (record == QLatin1String("dispatch number"))
            dispatches.update(dispatch, dispatches.load(dispatch), int(value), document(s, 1));
        else if (record == QLatin1String("work order number"))
            orders.update(orderId, orders.load(orderId), int(value), order);
        else if (record == QLatin1String("article code"))
            stores::ArticleStore(t.db()).update(s.bolt, stores::ArticleStore(t.db()).load(s.bolt),
                                                {int(value), QStringLiteral("BOLT"), QStringLiteral("PCS")});
        else if (record == QLatin1String("article name"))
            stores::ArticleStore(t.db()).saveNew({0, QStringLiteral("   "), QStringLiteral("PCS")});
        else if (record == QLatin1String("empty partner"))
            stores::PartnerStore(t.db()).saveNew({});
        else if (record == QLatin1String("partner discount")) {
            partner.rabat = int(value);
            stores::PartnerStore(t.db()).saveNew(partner);
        } else if (record == QLatin1String("empty employee"))
            stores::EmployeeStore(t.db()).saveNew({});
        else {
            if (record == QLatin1String("composition"))
                product.composition.front().quantity = value;
            else if (record == QLatin1String("price"))
                product.price = value;
            else if (record == QLatin1String("tax rate"))
                product.taxRate = value;
            else if (record == QLatin1String("product discount"))
                product.discount = value;
            else if (record == QLatin1String("product name"))
                product.name = QStringLiteral(" \t ");
            if (record == QLatin1String("product code")) {
                product.code = int(value);
                stores::ProductStore(t.db()).update(s.product, stores::ProductStore(t.db()).load(s.product), product);
            } else {
                stores::ProductStore(t.db()).saveNew(product);
            }
        }
        QFAIL("the value was taken");
    } catch (const stores::InvalidValue& e) {
        QCOMPARE(e.field(), field);
        QVERIFY2(e.text().contains(field, Qt::CaseInsensitive), qPrintable(e.text()));
    }
    QVERIFY(!t.db().InTransaction());
    QCOMPARE(everything(t), before);
}

QTEST_GUILESS_MAIN(TestStores)
#include "test_stores.moc"
