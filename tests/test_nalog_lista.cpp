// The work order list: master and details, the consumption by the present composition, the
// newest number, refresh on activation; and the printed work order from the Print command.
#include "app/tform1.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/maskedit.h"
#include "modules/nalog/tsnaloggraphic.h"
#include "modules/nalog/tsnaloglista.h"
#include "modules/nalog/tsnalogvnes.h"
#include "production_fixture.h"
#include "reportdata.h"
#include "reports/tsreportnalog.h"
#include "support/appmain.h"

#include <QMdiArea>
#include <QTemporaryDir>
#include <QtTest>

using namespace production;
using reportdata::textsOf;

namespace {

TSNalogLista* openList(AppFixture& app)
{
    app.main().Nalozi2->trigger();
    AppFixture::settle();
    return app.active<TSNalogLista>();
}

// "code|name|quantity" of every row of a grid with those columns first, second and last.
QStringList gridRows(const kit::DBGrid* grid, int quantityColumn)
{
    QStringList out;
    for (int r = 0; r < grid->query()->RecordCount(); ++r)
        out << grid->cellText(r, 0) + QLatin1Char('|') + grid->cellText(r, 1) + QLatin1Char('|')
                   + grid->cellText(r, quantityColumn);
    return out;
}

// The band names of a laid-out report, page after page.
QStringList bandSequence(const report::Document& doc)
{
    QStringList out;
    for (const report::Page& page : doc.pages)
        for (const report::PlacedBand& band : page.bands)
            out << band.name;
    return out;
}

// Prints the list's current order through the Print command and returns what the preview showed.
report::Document printFromList(AppFixture& app)
{
    report::Document shown;
    bool previewed = false;
    app.onNextDialog([&](QDialog*) {
        if (auto* report = app.main().findChild<reports::TSReportNalog*>()) {
            previewed = true;
            shown = report->document();
        }
        return int(kit::mrCancel);
    });
    app.main().Print1->trigger();
    AppFixture::settle();
    [&] { QVERIFY(previewed); }();
    return shown;
}

} // namespace

class TestNalogLista : public QObject {
    Q_OBJECT
private slots:
    void consumptionFollowsThePresentComposition();
    void masterAndDetailsFollowTheSelection();
    void newestNumberAndRefreshOnActivation();
    void printsLinesWithTheirArticles();
    void printsAnOrderWithoutLines();
    void printedOrderAsPdf();
};

void TestNalogLista::consumptionFollowsThePresentComposition()
{
    AppFixture app;
    const Master m = seed(app);
    TSNalogLista* list = openList(app);
    QCOMPARE(list->windowTitle(), QStringLiteral("Nalog-Lista "));
    list->Nov1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSNalogVnes>();
    w->ReceivePartner(m.acme);
    w->ReceiveEmployee(m.ana);
    w->MaskEdit1->setText(QStringLiteral("2026-03-02"));
    w->MaskEdit2->setText(QStringLiteral("2026-03-09"));
    answerProductQuantity(app, QStringLiteral("3"));
    w->ReceiveProduct(m.p);
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.active<TSNalogLista>(), list);

    QCOMPARE(gridRows(list->DBGrid3, 3), QStringList({"1|PANEL|3"}));
    QCOMPARE(gridRows(list->DBGrid2, 3), QStringList({"101|SHEET|6.0000", "102|GLUE|1.5000"}));
    const QStringList ledger = articleLedger(app);

    // The composition changes: the list multiplies the new one, the ledger keeps what was written.
    app.database().exec(QStringLiteral("update proizvodi_sostav set kolicina=2.5 where id_artikal=%1").arg(m.a));
    app.database().exec(QStringLiteral("delete from proizvodi_sostav where id_artikal=%1").arg(m.b));
    list->RefreshList();
    QCOMPARE(gridRows(list->DBGrid2, 3), QStringList({"101|SHEET|7.5000"}));
    QCOMPARE(list->Query3->FieldByName(QStringLiteral("vk_kol")).AsString(), QStringLiteral("7.5000"));
    QCOMPARE(articleLedger(app), ledger);
    QCOMPARE(ledger.size(), 2);
    QVERIFY(ledger.at(0).contains(QStringLiteral("|0.0000|6.0000|")));
    QVERIFY(ledger.at(1).contains(QStringLiteral("|0.0000|1.5000|")));
}

void TestNalogLista::masterAndDetailsFollowTheSelection()
{
    AppFixture app;
    const Master m = seed(app);
    storeOrder(app, 1, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {{m.p, 3}, {m.q, 2}});
    storeOrder(app, 2, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-04"), QStringLiteral("2026-03-05"),
               m.beta, {{m.e, 1}});
    // Planted (no store writes a dispatch's product rows): a dispatch's product row that happens
    // to carry order 2's internal id, stored before it:
    // neither its partner nor its product belongs to the order.
    const int order2 = app.database().scalar(QStringLiteral("select id from nalozi where nalog_id=2")).toInt();
    app.database().exec(QStringLiteral("insert into magacin_proizvodi(id,vid_dokument,document_id,id_komintent,id_proizvod,"
                                       "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label) "
                                       "values(-1,'I',%1,%2,%3,0,5,'2026-03-04',0,7)")
                            .arg(order2)
                            .arg(m.acme)
                            .arg(m.p));
    TSNalogLista* list = openList(app);

    // Newest first: order 2 of BETA with a product without composition.
    QCOMPARE(list->DBGrid1->columnTitle(2), QStringLiteral("Vraboten"));
    QCOMPARE(list->DBEdit1->text(), QStringLiteral("2"));
    QCOMPARE(list->DBEdit2->text(), QStringLiteral("BETA"));
    QCOMPARE(list->DBEdit5->text(), QStringLiteral("BOJAN"));
    QCOMPARE(gridRows(list->DBGrid3, 3), QStringList({"3|EMPTY|1"}));
    QVERIFY(gridRows(list->DBGrid2, 3).isEmpty());

    list->Query1->Next();
    QCOMPARE(list->DBEdit1->text(), QStringLiteral("1"));
    QCOMPARE(list->DBEdit2->text(), QStringLiteral("ACME"));
    QCOMPARE(list->DBEdit5->text(), QStringLiteral("ANA"));
    QCOMPARE(gridRows(list->DBGrid3, 3), QStringList({"1|PANEL|3", "2|FRAME|2"}));
    QCOMPARE(gridRows(list->DBGrid2, 3), QStringList({"101|SHEET|6.0000", "102|GLUE|1.5000"}));
    list->Query2->Next();
    QCOMPARE(gridRows(list->DBGrid2, 3), QStringList({"103|SCREW|2.0000"}));
}

void TestNalogLista::newestNumberAndRefreshOnActivation()
{
    AppFixture app;
    const Master m = seed(app);
    // The newest order is the last one stored, whatever its number.
    storeOrder(app, 7, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-03"), m.acme,
               {});
    storeOrder(app, 5, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-04"), QStringLiteral("2026-03-05"), m.acme,
               {});
    TSNalogLista* list = openList(app);
    QCOMPARE(list->LastOrderNumber(), 5);
    QCOMPARE(list->Query1->RecordCount(), 2);

    // Another window in front; an order arrives; the list rereads when it comes back.
    app.main().PregledpoNalozi1->trigger();
    AppFixture::settle();
    QVERIFY(app.active<TSNalogGraphic>());
    storeOrder(app, 9, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-06"), QStringLiteral("2026-03-07"),
               m.beta, {});
    QCOMPARE(list->Query1->RecordCount(), 2);
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    QCOMPARE(list->Query1->RecordCount(), 3);
    QCOMPARE(list->LastOrderNumber(), 9);
    QCOMPARE(list->DBEdit5->text(), QStringLiteral("BOJAN"));

    // The entry window proposes the next number.
    list->Nov1->trigger();
    AppFixture::settle();
    QCOMPARE(app.active<TSNalogVnes>()->Edit1->text(), QStringLiteral("10"));
}

void TestNalogLista::printsLinesWithTheirArticles()
{
    AppFixture app;
    const Master m = seed(app);
    storeOrder(app, 4, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {{m.p, 3}, {m.q, 2}});
    storeOrder(app, 5, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-04"), QStringLiteral("2026-03-05"),
               m.beta, {{m.q, 9}});
    // Names print as they are stored and shown on screen, letters of the display font's
    // code page ("[", "~") included: only the captions are mapped.
    app.database().exec(QStringLiteral("update proizvodi set proizvod='FRAME [~]' where id=%1").arg(m.q));
    app.database().exec(QStringLiteral("update artikli set artikal='GLUE {`}' where artikal='GLUE'"));
    TSNalogLista* list = openList(app);
    list->Query1->Next(); // order 4

    const report::Document doc = printFromList(app);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().first().text, QStringLiteral("PRINT Order !!!"));
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(bandSequence(doc), QStringList({"QRBand2", "QRSubDetail1", "QRSubDetail2", "QRSubDetail2", "QRSubDetail1",
                                             "QRSubDetail2", "QRBand1"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText3")), QStringList({"4"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText1")), QStringList({"ANA"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText5")), QStringList({"PANEL", "FRAME [~]"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText7")), QStringList({"3", "2"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText9")), QStringList({"SHEET", "GLUE {`}", "SCREW"}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText11")), QStringList({"6.0000", "1.5000", "2.0000"}));
    // The stored letters print as the display font shows them.
    QVERIFY(doc.pages.first().findText(QStringLiteral("Šifra")));
    const report::Page& page = doc.pages.first();
    QVERIFY(qAbs(page.band(QStringLiteral("QRSubDetail1"))->rect.top() - (12.7 + 77.0)) < 0.01);
    QVERIFY(qAbs(page.band(QStringLiteral("QRBand1"))->rect.bottom() - (297.0 - 12.7)) < 0.01);
    // The right-aligned quantities end where the design puts them.
    const report::Item* quantity = page.findText(QStringLiteral("1.5000"));
    QVERIFY(qAbs(quantity->rect.right() - (12.7 + 157.9)) < 0.01);
    QVERIFY(app.main().findChildren<reports::TSReportNalog*>().isEmpty());
}

void TestNalogLista::printsAnOrderWithoutLines()
{
    AppFixture app;
    const Master m = seed(app);
    storeOrder(app, 1, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {{m.e, 2}});
    storeOrder(app, 2, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {});
    TSNalogLista* list = openList(app);
    QCOMPARE(bandSequence(printFromList(app)), QStringList({"QRBand2", "QRBand1"}));
    // A product without composition prints its line alone.
    list->Query1->Next();
    QCOMPARE(bandSequence(printFromList(app)), QStringList({"QRBand2", "QRSubDetail1", "QRBand1"}));
}

void TestNalogLista::printedOrderAsPdf()
{
    // Many lines run over pages: the footer closes every page, the title opens only the first.
    AppFixture app;
    const Master m = seed(app);
    QList<QPair<int, double>> lines;
    for (int i = 0; i < 25; ++i)
        lines << qMakePair(i % 2 ? m.q : m.p, double(i + 1));
    storeOrder(app, 3, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               lines);
    openList(app);
    const report::Document doc = printFromList(app);
    QVERIFY(doc.pageCount() >= 2);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand1")), doc.pageCount());
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail1")), 25);
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail2")), 13 * 2 + 12);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("nalog.pdf"));
    QVERIFY(doc.writePdf(pdf));
    const QString text = reportdata::pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("NALOG Br.")));
    QVERIFY(text.contains(QStringLiteral("Primil")));
    if (!qEnvironmentVariableIsEmpty("DUREDIR_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("DUREDIR_KEEP_PDF"));
}

DUREDIR_APP_TEST_MAIN(TestNalogLista)
#include "test_nalog_lista.moc"
