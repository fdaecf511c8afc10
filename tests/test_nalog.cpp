// Work orders: the entry and edit windows with their picks, the checks before saving, the
// ledger rows written from the composition at save time, one transaction per save, and the
// list's view of an order.
#include "app/tform1.h"
#include "data/convert.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "frame/linemodel.h"
#include "kit/stringgrid.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/nalog/tsnalogkorekcija.h"
#include "modules/nalog/tsnaloglista.h"
#include "modules/nalog/tsnalogvnes.h"
#include "modules/proizvod/tsproizvodlista.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "production_fixture.h"
#include "support/appmain.h"
#include "support/inject.h"

#include <QApplication>
#include <QMdiArea>
#include <QtTest>

#include <memory>

using namespace production;
using testsupport::Shown;

namespace {

const QString kFill = QStringLiteral("Popolni gi site polinja za vnes!!!");

QString noProductText()
{
    return QStringLiteral("A line names no product (it was stored without one): delete it, add the product again, "
                          "then save.");
}

// A line whose product is gone from the line's values (as a damaged ledger row loads).
void plantLineWithoutProduct(OrderForm* w, int row)
{
    frame::Line line = w->Lines->line(row);
    line.key = 0;
    w->Lines->replaceLine(row, line);
}

TSNalogLista* openList(AppFixture& app)
{
    app.main().Nalozi2->trigger();
    AppFixture::settle();
    return app.active<TSNalogLista>();
}

TSNalogVnes* openEntry(AppFixture& app)
{
    openList(app)->Nov1->trigger();
    AppFixture::settle();
    return app.active<TSNalogVnes>();
}

// The edit window of the newest order, opened from the list.
TSNalogKorekcija* openEdit(AppFixture& app)
{
    openList(app)->Korekcija1->trigger();
    AppFixture::settle();
    return app.active<TSNalogKorekcija>();
}

void addLine(AppFixture& app, OrderForm* w, int product, const QString& quantity)
{
    answerProductQuantity(app, quantity);
    w->ReceiveProduct(product);
}

// An entry window with ACME, ANA, 2026-03-02 .. 2026-03-09 and the given lines.
TSNalogVnes* filledEntry(AppFixture& app, const Master& m, const QList<QPair<int, QString>>& lines)
{
    TSNalogVnes* w = openEntry(app);
    w->ReceivePartner(m.acme);
    w->ReceiveEmployee(m.ana);
    w->MaskEdit1->setText(QStringLiteral("2026-03-02"));
    w->MaskEdit2->setText(QStringLiteral("2026-03-09"));
    for (const auto& [product, quantity] : lines)
        addLine(app, w, product, quantity);
    return w;
}

int newestOrder(AppFixture& app)
{
    return app.database().scalar("select max(id) from nalozi").toInt();
}

} // namespace

class TestNalog : public QObject {
    Q_OBJECT
private slots:
    void workedExampleWritesHeaderAndLedger();
    void twoLinesAndEmptyComposition();
    void numbersFollowOneAnother();
    void entryRefusesGaps_data();
    void entryRefusesGaps();
    void entryFailureWritesNothing_data();
    void entryFailureWritesNothing();
    void deletingLineTwoOfThree();
    void editLoadsTheOrder();
    void editOfFinishDateRewritesEqualRows();
    void editReplacingAProduct();
    void editFollowsTheCompositionAtSaveTime();
    void editFailureChangesNothing_data();
    void editFailureChangesNothing();
    void editRefusesADuplicateNumber();
    void editOnEmptyListOpensNothing();
    void listShowsOrderAndConsumption();
    void orderThroughTheRealPickLists();
};

void TestNalog::workedExampleWritesHeaderAndLedger()
{
    AppFixture app;
    const Master m = seed(app);
    TSNalogVnes* w = filledEntry(app, m, {{m.p, "3"}});
    QCOMPARE(w->windowTitle(), QStringLiteral("Nalog-Kreiraj Nov "));
    QCOMPARE(w->Edit1->Text(), QStringLiteral("1"));
    QCOMPARE(gridLines(w->StringGrid1), QStringList({QStringLiteral("%1|1|PANEL|PCS|3").arg(m.p)}));
    w->BitBtn1->Click();
    AppFixture::settle();

    QCOMPARE(app.messages().last(), (Shown{"Information", "Nalogot e uspesno vnesen !!!"}));
    QVERIFY(app.windows<TSNalogVnes>().isEmpty());
    const int id = newestOrder(app);
    QCOMPARE(orders(app), QStringList({QStringLiteral("1|2026-03-02|2026-03-09|%1|ANA").arg(m.ana)}));
    QCOMPARE(productLedger(app),
             QStringList({QStringLiteral("N|%1|%2|%3|3.0000|0.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.p)}));
    QCOMPARE(articleLedger(app), QStringList({
                                     QStringLiteral("N|%1|%2|%3|0.0000|6.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.a),
                                     QStringLiteral("N|%1|%2|%3|0.0000|1.5000|2026-03-02|1").arg(id).arg(m.acme).arg(m.b),
                                 }));
}

void TestNalog::twoLinesAndEmptyComposition()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "1"}, {m.p, "2"}, {m.e, "5"}})->BitBtn1->Click();
    const int id = newestOrder(app);
    // Rows are not merged; the product without composition writes its own row only.
    QCOMPARE(productLedger(app), QStringList({
                                     QStringLiteral("N|%1|%2|%3|1.0000|0.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.p),
                                     QStringLiteral("N|%1|%2|%3|2.0000|0.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.p),
                                     QStringLiteral("N|%1|%2|%3|5.0000|0.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.e),
                                 }));
    QCOMPARE(articleLedger(app),
             QStringList({
                 QStringLiteral("N|%1|%2|%3|0.0000|2.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.a),
                 QStringLiteral("N|%1|%2|%3|0.0000|0.5000|2026-03-02|1").arg(id).arg(m.acme).arg(m.b),
                 QStringLiteral("N|%1|%2|%3|0.0000|4.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.a),
                 QStringLiteral("N|%1|%2|%3|0.0000|1.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.b),
             }));
}

void TestNalog::numbersFollowOneAnother()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.q, "1"}})->BitBtn1->Click();
    // An order saved elsewhere meanwhile: the number is taken when the order is saved.
    TSNalogVnes* w = filledEntry(app, m, {{m.q, "2"}});
    QCOMPARE(w->Edit1->Text(), QStringLiteral("2"));
    app.database().exec("insert into nalozi(nalog_id,datum_start,datum_finish,vraboten_id,prioritet) "
                        "values(2,'2026-03-01','2026-03-01',1,'ANA')");
    w->BitBtn1->Click();
    const int id = newestOrder(app);
    QCOMPARE(app.database().scalar(QStringLiteral("select nalog_id from nalozi where id=%1").arg(id)).toInt(), 3);
    QCOMPARE(rows(app, QStringLiteral("select concat(document_id_label) x from magacin_proizvodi where document_id=%1 "
                                      "union all select concat(document_id_label) x from magacin_artikli where document_id=%1")
                           .arg(id)),
             QStringList({"3", "3"}));
}

void TestNalog::entryRefusesGaps_data()
{
    QTest::addColumn<QString>("gap");
    QTest::newRow("no partner") << "partner";
    QTest::newRow("partner typed, not picked") << "typedPartner";
    QTest::newRow("no employee") << "employee";
    QTest::newRow("employee typed over") << "typedEmployee";
    QTest::newRow("start not a date") << "start";
    QTest::newRow("finish incomplete") << "finish";
    QTest::newRow("finish before start") << "order";
    QTest::newRow("no line") << "lines";
}

void TestNalog::entryRefusesGaps()
{
    QFETCH(QString, gap);
    AppFixture app;
    const Master m = seed(app);
    TSNalogVnes* w = filledEntry(app, m, {{m.p, "1"}});
    QWidget* focus = nullptr;
    if (gap == "partner") {
        w->ReceivePartner(-1);
        focus = w->Edit2;
    } else if (gap == "typedPartner") {
        w->Edit2->setText(QString());
        w->Edit2->setFocus();
        QTest::keyClicks(w->Edit2, "x"); // opens the partner list, which is closed unpicked
        AppFixture::settle();
        QCOMPARE(w->Edit2->Text(), QStringLiteral("X"));
        if (auto* partners = app.active<TSKomintentiLista>())
            partners->Close();
        AppFixture::settle();
        focus = w->Edit2;
    } else if (gap == "employee") {
        w->ReceiveEmployee(-1);
        focus = w->Edit3;
    } else if (gap == "typedEmployee") {
        w->Edit3->setFocus();
        QTest::keyClicks(w->Edit3, "x");
        AppFixture::settle();
        if (auto* employees = app.active<TSVraboteniLista>())
            employees->Close();
        AppFixture::settle();
        focus = w->Edit3;
    } else if (gap == "start") {
        w->MaskEdit1->setText(QStringLiteral("2026-02-30"));
        focus = w->MaskEdit1;
    } else if (gap == "finish") {
        w->MaskEdit2->setText(QStringLiteral("2026-03"));
        focus = w->MaskEdit2;
    } else if (gap == "order") {
        w->MaskEdit2->setText(QStringLiteral("2026-03-01"));
        focus = w->MaskEdit2;
    } else {
        w->DeleteLine(1);
        focus = w->BitBtn2;
    }
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    app.clearMessages();
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", kFill}}));
    QCOMPARE(QApplication::focusWidget(), focus);
    QCOMPARE(app.database().count("nalozi"), 0);
    QCOMPARE(app.database().count("magacin_proizvodi"), 0);
    QCOMPARE(app.windows<TSNalogVnes>().size(), 1);
}

void TestNalog::entryFailureWritesNothing_data()
{
    QTest::addColumn<bool>("inject");
    QTest::addColumn<QString>("message");
    QTest::newRow("a line that names no product") << false << noProductText();
    QTest::newRow("database refuses an article row") << true << QStringLiteral("Nalogot ne e vnesen !!!");
}

void TestNalog::entryFailureWritesNothing()
{
    QFETCH(bool, inject);
    QFETCH(QString, message);
    AppFixture app;
    const Master m = seed(app);
    TSNalogVnes* w = filledEntry(app, m, {{m.p, "3"}, {m.q, "1"}});
    if (!inject)
        plantLineWithoutProduct(w, 2);
    {
        std::unique_ptr<testsupport::FailingStatement> fail;
        if (inject)
            fail = std::make_unique<testsupport::FailingStatement>(app.database().db(), "insert into magacin_artikli", 3);
        w->BitBtn1->Click();
    }
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Warning", message}));
    QCOMPARE(app.database().count("nalozi"), 0);
    QCOMPARE(app.database().count("magacin_proizvodi"), 0);
    QCOMPARE(app.database().count("magacin_artikli"), 0);
    QCOMPARE(app.windows<TSNalogVnes>().size(), 1);
    QCOMPARE(w->StringGrid1->RowCount(), 3);
    QCOMPARE(w->Edit2->Text(), QStringLiteral("ACME"));
}

void TestNalog::deletingLineTwoOfThree()
{
    AppFixture app;
    const Master m = seed(app);
    TSNalogVnes* w = filledEntry(app, m, {{m.p, "1"}, {m.q, "2"}, {m.e, "3"}});
    const QStringList before = gridLines(w->StringGrid1);
    w->StringGrid1->setRow(2);
    w->BitBtn3->Click();
    QCOMPARE(gridLines(w->StringGrid1), QStringList({before[0], before[2]}));
    QCOMPARE(w->StringGrid1->Cells(5, 0), QStringLiteral("Koli~ina"));
    w->BitBtn1->Click();
    const int id = newestOrder(app);
    QCOMPARE(rows(app, QStringLiteral("select concat(id_proizvod) x from magacin_proizvodi where document_id=%1 order by id")
                           .arg(id)),
             QStringList({QString::number(m.p), QString::number(m.e)}));
}

void TestNalog::editLoadsTheOrder()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "3"}, {m.q, "1.5"}})->BitBtn1->Click();
    TSNalogKorekcija* w = openEdit(app);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Nalog-Koregiraj "));
    QCOMPARE(w->OrderId, newestOrder(app));
    QCOMPARE(w->Edit1->Text(), QStringLiteral("1"));
    QCOMPARE(w->Edit2->Text(), QStringLiteral("ACME"));
    QCOMPARE(w->PartnerId, m.acme);
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("2026-03-02"));
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("2026-03-09"));
    QCOMPARE(w->Edit3->Text(), QStringLiteral("ANA"));
    QCOMPARE(w->EmployeeIdText, QString::number(m.ana));
    QCOMPARE(w->StringGrid1->Cells(3, 0), QStringLiteral("Proizvod"));
    QCOMPARE(w->StringGrid1->Cells(5, 0), QStringLiteral("Vlez_Kol."));
    QCOMPARE(w->StringGrid1->RowCount(), 3);
    QCOMPARE(w->StringGrid1->Cells(1, 2), QString::number(m.q));
    QCOMPARE(data::toFloat(w->StringGrid1->Cells(5, 2)), 1.5);

    // A line added rewrites the header.
    addLine(app, w, m.e, "1");
    QCOMPARE(w->StringGrid1->Cells(3, 0), QStringLiteral("Artikal"));
}

void TestNalog::editOfFinishDateRewritesEqualRows()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "3"}, {m.q, "2"}})->BitBtn1->Click();
    const QStringList products = productLedger(app);
    const QStringList articles = articleLedger(app);
    TSNalogKorekcija* w = openEdit(app);
    w->MaskEdit2->setText(QStringLiteral("2026-04-30"));
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Nalogot e uspesno koregiran !!!"}));
    QVERIFY(app.windows<TSNalogKorekcija>().isEmpty());
    QCOMPARE(orders(app), QStringList({QStringLiteral("1|2026-03-02|2026-04-30|%1|ANA").arg(m.ana)}));
    QCOMPARE(productLedger(app), products);
    QCOMPARE(articleLedger(app), articles);
}

void TestNalog::editReplacingAProduct()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "3"}})->BitBtn1->Click();
    const int id = newestOrder(app);
    TSNalogKorekcija* w = openEdit(app);
    w->DeleteLine(1);
    addLine(app, w, m.q, "4");
    w->ReceivePartner(m.beta);
    w->ReceiveEmployee(m.bojan);
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(orders(app), QStringList({QStringLiteral("1|2026-03-02|2026-03-09|%1|BOJAN").arg(m.bojan)}));
    QCOMPARE(productLedger(app),
             QStringList({QStringLiteral("N|%1|%2|%3|4.0000|0.0000|2026-03-02|1").arg(id).arg(m.beta).arg(m.q)}));
    QCOMPARE(articleLedger(app),
             QStringList({QStringLiteral("N|%1|%2|%3|0.0000|4.0000|2026-03-02|1").arg(id).arg(m.beta).arg(m.c)}));
}

void TestNalog::editFollowsTheCompositionAtSaveTime()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "3"}})->BitBtn1->Click();
    const int id = newestOrder(app);
    app.database().exec(
        QStringLiteral("update proizvodi_sostav set kolicina=5 where id_proizvod=%1 and id_artikal=%2").arg(m.p).arg(m.a));
    TSNalogKorekcija* w = openEdit(app);
    w->BitBtn1->Click();
    QCOMPARE(articleLedger(app), QStringList({
                                     QStringLiteral("N|%1|%2|%3|0.0000|15.0000|2026-03-02|1").arg(id).arg(m.acme).arg(m.a),
                                     QStringLiteral("N|%1|%2|%3|0.0000|1.5000|2026-03-02|1").arg(id).arg(m.acme).arg(m.b),
                                 }));
}

void TestNalog::editFailureChangesNothing_data()
{
    QTest::addColumn<bool>("inject");
    QTest::addColumn<QString>("message");
    QTest::newRow("a line that names no product") << false << noProductText();
    QTest::newRow("database refuses an article row") << true << QStringLiteral("Nalogot ne e koregiran !!!");
}

void TestNalog::editFailureChangesNothing()
{
    QFETCH(bool, inject);
    QFETCH(QString, message);
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.p, "3"}, {m.q, "2"}})->BitBtn1->Click();
    const QStringList header = orders(app);
    const QStringList products = productLedger(app);
    const QStringList articles = articleLedger(app);
    TSNalogKorekcija* w = openEdit(app);
    w->MaskEdit2->setText(QStringLiteral("2026-12-31"));
    addLine(app, w, m.p, "1");
    if (!inject)
        plantLineWithoutProduct(w, 3);
    {
        std::unique_ptr<testsupport::FailingStatement> fail;
        if (inject)
            fail = std::make_unique<testsupport::FailingStatement>(app.database().db(), "insert into magacin_artikli", 4);
        w->BitBtn1->Click();
    }
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Warning", message}));
    QCOMPARE(orders(app), header);
    QCOMPARE(productLedger(app), products);
    QCOMPARE(articleLedger(app), articles);
    QCOMPARE(app.windows<TSNalogKorekcija>().size(), 1);
    QCOMPARE(w->StringGrid1->RowCount(), 4);
}

void TestNalog::editRefusesADuplicateNumber()
{
    AppFixture app;
    const Master m = seed(app);
    filledEntry(app, m, {{m.q, "1"}})->BitBtn1->Click();
    filledEntry(app, m, {{m.q, "1"}})->BitBtn1->Click();
    TSNalogKorekcija* w = openEdit(app);
    QCOMPARE(w->Edit1->Text(), QStringLiteral("2"));
    w->Edit1->setFocus();
    w->Edit1->setText(QStringLiteral("1"));
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    QCOMPARE(app.messages().last(), (Shown{"Warning", "POSTOI NALOG SO ISTA SIFRA"}));
    QCOMPARE(QApplication::focusWidget(), w->Edit1);

    // The save does not let it through either.
    app.clearMessages();
    w->BitBtn1->Click();
    QCOMPARE(app.messages().last(), (Shown{"Warning", "POSTOI NALOG SO ISTA SIFRA"}));
    QCOMPARE(app.database().scalar("select count(*) from nalozi where nalog_id=1").toInt(), 1);

    app.clearMessages();
    w->Edit1->setText(QStringLiteral("2"));
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w->Edit2);
}

void TestNalog::editOnEmptyListOpensNothing()
{
    AppFixture app;
    TSNalogLista* list = openList(app);
    QCOMPARE(list->LastOrderNumber(), 0);
    QCOMPARE(list->SelectedId(), -1);
    list->Korekcija1->trigger();
    AppFixture::settle();
    QVERIFY(app.windows<TSNalogKorekcija>().isEmpty());
}

void TestNalog::listShowsOrderAndConsumption()
{
    AppFixture app;
    const Master m = seed(app);
    TSNalogLista* list = openList(app);
    list->Nov1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSNalogVnes>();
    w->ReceivePartner(m.acme);
    w->ReceiveEmployee(m.ana);
    addLine(app, w, m.p, "3");
    w->BitBtn1->Click();
    AppFixture::settle();

    // Back in front, the list shows the new order.
    QCOMPARE(app.active<TSNalogLista>(), list);
    QCOMPARE(list->LastOrderNumber(), 1);
    QCOMPARE(list->SelectedId(), newestOrder(app));
    QCOMPARE(list->DBEdit2->text(), QStringLiteral("ACME"));
    QCOMPARE(list->DBEdit5->text(), QStringLiteral("ANA"));
    QCOMPARE(list->Query2->RecordCount(), 1);
    QStringList consumed;
    for (list->Query3->First(); !list->Query3->Eof(); list->Query3->Next())
        consumed << list->Query3->FieldByName(QStringLiteral("artikal")).AsString() + QLatin1Char('|')
                        + list->Query3->FieldByName(QStringLiteral("vk_kol")).AsString();
    consumed.sort();
    QCOMPARE(consumed, QStringList({"GLUE|1.5000", "SHEET|6.0000"}));

    list->Close2->trigger();
    AppFixture::settle();
    QVERIFY(app.windows<TSNalogLista>().isEmpty());
}

void TestNalog::orderThroughTheRealPickLists()
{
    AppFixture app;
    const Master m = seed(app);
    TSNalogVnes* w = openEntry(app);

    // A key in the partner field opens the partner list for a pick.
    w->Edit2->setFocus();
    QTest::keyClick(w->Edit2, Qt::Key_B);
    AppFixture::settle();
    auto* partners = app.active<TSKomintentiLista>();
    QVERIFY(partners);
    QCOMPARE(partners->CommandCode, 32775);
    while (partners->SelectedId() != m.beta)
        partners->Query1->Next();
    QTest::keyClick(partners->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSNalogVnes>(), w);
    QCOMPARE(w->Edit2->Text(), QStringLiteral("BETA"));
    QCOMPARE(w->PartnerId, m.beta);
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

    w->Edit3->setFocus();
    QTest::keyClick(w->Edit3, Qt::Key_A);
    AppFixture::settle();
    auto* employees = app.active<TSVraboteniLista>();
    QVERIFY(employees);
    QCOMPARE(employees->CommandCode, 32799);
    while (employees->SelectedId() != m.bojan)
        employees->Query1->Next();
    QTest::keyClick(employees->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(w->Edit3->Text(), QStringLiteral("BOJAN"));
    QCOMPARE(w->EmployeeId, m.bojan);
    QCOMPARE(QApplication::focusWidget(), w->BitBtn2);

    w->BitBtn2->Click();
    AppFixture::settle();
    auto* products = app.active<TSProizvodLista>();
    QVERIFY(products);
    QCOMPARE(products->CommandCode, 32773);
    while (products->SelectedId() != m.p)
        products->Query1->Next();
    answerProductQuantity(app, "2");
    QTest::keyClick(products->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(gridLines(w->StringGrid1), QStringList({QStringLiteral("%1|1|PANEL|PCS|2").arg(m.p)}));

    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Nalogot e uspesno vnesen !!!"}));
    QCOMPARE(orders(app).value(0).section(QLatin1Char('|'), 3), QStringLiteral("%1|BOJAN").arg(m.bojan));
    QCOMPARE(rows(app, "select concat(id_komintent,'|',cast(vlez_kol as decimal(18,4))) x from magacin_proizvodi"),
             QStringList({QStringLiteral("%1|2.0000").arg(m.beta)}));
}

DUREDIR_APP_TEST_MAIN(TestNalog)
#include "test_nalog.moc"
