// The Print command on the printable windows: confirmation, the report each window gets,
// the dispatch list's Printing flag, and the report window freed after its preview.
#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"
#include "frame/tnavform.h"
#include "data/database.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/format.h"
#include "modules/lagerlista/tlagerlista.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "modules/lagerlista/tslagerlistaplaceholders.h"
#include "modules/pregledartikal/tspregledartikallista.h"
#include "modules/pregledkomintent/tspregledkomintentlista.h"
#include "reportdata.h"
#include "reports/tsreportartikalanalitika.h"
#include "reports/tsreportispratnica.h"
#include "reports/tsreportkomintentianalitika.h"
#include "reports/tsreportlager.h"
#include "support/appfixture.h"

#include <QDate>
#include <QScrollBar>
#include <QDialog>
#include <QToolButton>
#include <QtTest>

using namespace reportdata;
using testsupport::AppFixture;

namespace {

// Stands in for the goods dispatch list: printable as the dispatches, the two queries it
// hands to the report and the Printing flag the print command sets while printing.
class TSIspratnicaLista : public TFormSrgBase, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
    Q_PROPERTY(bool Printing MEMBER Printing)
public:
    TSIspratnicaLista()
    {
        Query1 = new data::Query(&testsupport::mainDatabase(), this);
        Query1->setObjectName(QStringLiteral("Query1"));
        Query1->SQL.Add(QStringLiteral("select *"));
        Query1->SQL.Add(QStringLiteral("from ispratnici "));
        Query1->SQL.Add(QStringLiteral("order by id desc"));
        DataSource1 = new data::DataSource(Query1, this);
        Query2 = new data::Query(&testsupport::mainDatabase(), this);
        Query2->setObjectName(QStringLiteral("Query2"));
        for (const char* line :
             {"select *", "from magacin_artikli", "left join komintenti  on magacin_artikli.id_komintent=komintenti.id",
              "left join artikli on magacin_artikli.id_artikal=artikli.id",
              "where magacin_artikli.vid_dokument='I' and magacin_artikli.document_id=:id"})
            Query2->SQL.Add(QString::fromLatin1(line));
        Query2->setMasterSource(DataSource1);
        Query1->Open();
        Query2->Open();
    }
    data::Query* Query1 = nullptr;
    data::DataSource* DataSource1 = nullptr;
    data::Query* Query2 = nullptr;
    bool Printing = false;

    frame::PrintReport printReport() const override { return frame::PrintReport::Dispatches; }
    frame::PrintSource printSource() const override { return {Query1, Query2}; }
    void setPrinting(bool printing) override { Printing = printing; }
};

// The document the preview shows: taken from the report window while its preview is open.
template <class R>
struct PreviewCapture {
    report::Document document;
    bool previewed = false;
    bool reportHidden = false;
    QString dialogClass;

    void expect(AppFixture& app, const std::function<void()>& whilePreviewed = {})
    {
        app.onNextDialog([this, &app, whilePreviewed](QDialog* dialog) {
            dialogClass = QString::fromLatin1(dialog->metaObject()->className());
            if (R* report = app.main().findChild<R*>()) {
                previewed = true;
                reportHidden = !report->isVisible();
                document = report->document();
            }
            if (whilePreviewed)
                whilePreviewed();
            return kit::mrCancel;
        });
    }
};

// The running balance as a single-precision value would carry it.
QString singlePrecisionBalance(const QList<QPair<double, double>>& moves)
{
    float balance = 0;
    for (const auto& m : moves)
        balance = float(double(balance) + m.first - m.second);
    return kit::formatFloat(QStringLiteral("#,##0.00"), balance);
}

} // namespace

class TestPrint : public QObject {
    Q_OBJECT

private slots:
    void printDisabledWithEntryWindowActive();
    void cancelCreatesNoReportAndClearsPrinting();
    void dispatchListPrintsItsCurrentDispatch();
    void stockListPrintsWhatItShows();
    void articleCardEndsOnTheOverviewBalance();
    void partnerCardFollowsTheOverview();
    void printingKeepsTheListWhereItWas_data();
    void printingKeepsTheListWhereItWas();
};

void TestPrint::printDisabledWithEntryWindowActive()
{
    AppFixture app;
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    QVERIFY(app.active<TSLagerListaLista>());
    QVERIFY(app.main().Print1->isEnabled());
    app.main().LagerLista->SProccessingMessage(nullptr, nullptr, 25);
    AppFixture::settle();
    QVERIFY(app.active<TSLagerListaVnes>());
    QVERIFY(!app.main().Print1->isEnabled());
    QVERIFY(!app.main().ToolButton12->isEnabled());
    QTest::keySequence(&app.main(), QKeySequence(QStringLiteral("Ctrl+P")));
    app.main().Print1->trigger();
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(app.dialogsRun(), 0);
}

void TestPrint::cancelCreatesNoReportAndClearsPrinting()
{
    AppFixture app;
    auto* list = new TSIspratnicaLista;
    QCOMPARE(list->metaObject()->className(), "TSIspratnicaLista");
    list->Navigator = app.main().NavForm();
    list->InitChild(nullptr, QStringLiteral("Goods dispatch-list "), 2);
    AppFixture::settle();
    QVERIFY(app.main().Print1->isEnabled());

    QStringList asked;
    bool printingWhileAsked = false;
    const kit::MessageBoxHandler previous =
        kit::setMessageBoxHandler([&](QWidget*, const QString& text, const QString& title, kit::Buttons buttons) {
            asked << title + QLatin1Char('|') + text;
            printingWhileAsked = list->Printing;
            return buttons == kit::Buttons::OkCancel ? kit::mrCancel : kit::mrOk;
        });
    app.main().Print1->trigger();
    kit::setMessageBoxHandler(previous);

    QCOMPARE(asked, QStringList{QStringLiteral("Information|PRINT Goods Dispatch !!!")});
    QVERIFY(printingWhileAsked);
    QVERIFY(!list->Printing);
    QCOMPARE(app.dialogsRun(), 0);
    QVERIFY(app.main().findChildren<TSReportIspratnica*>().isEmpty());
}

void TestPrint::dispatchListPrintsItsCurrentDispatch()
{
    AppFixture app;
    const int buyer = addPartner(QStringLiteral("BUYER DOOEL"), QStringLiteral("Market 4"), QStringLiteral("Ohrid"));
    const int other = addPartner(QStringLiteral("NEWER LTD"));
    const int paint = addArticle(2001, QStringLiteral("PAINT WHITE"), QStringLiteral("L"));
    const int first = addDispatch(41, QStringLiteral("2026-12-09"));
    addMovement(QStringLiteral("I"), first, buyer, paint, 0, 1234.5, QStringLiteral("2026-12-09"), 41);
    const int second = addDispatch(42, QStringLiteral("2026-12-10"));
    addMovement(QStringLiteral("I"), second, other, paint, 0, 1, QStringLiteral("2026-12-10"), 42);
    auto* list = new TSIspratnicaLista;
    list->Navigator = app.main().NavForm();
    list->InitChild(nullptr, QStringLiteral("Goods dispatch-list "), 2);
    AppFixture::settle();
    list->Query1->Next(); // the older dispatch, no. 41

    bool printingDuringPreview = false;
    PreviewCapture<TSReportIspratnica> preview;
    preview.expect(app, [&] { printingDuringPreview = list->Printing; });
    app.main().Print1->trigger();

    QCOMPARE(app.messages().size(), 1);
    QVERIFY(preview.previewed);
    QCOMPARE(preview.dialogClass, QStringLiteral("QPrintPreviewDialog"));
    QVERIFY(preview.reportHidden);
    QVERIFY(printingDuringPreview);
    QVERIFY(!list->Printing);
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText7")), QStringList{QStringLiteral("41")});
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText4")), QStringList{QStringLiteral("BUYER DOOEL")});
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText3")), QStringList{QStringLiteral("1,234.50")});
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText5")), QStringList{QStringLiteral("09.12.2026")});
    const report::Page& page = preview.document.pages.first();
    QVERIFY(page.findText(QStringLiteral("GOODS DISPATCH No. ________________________")));
    QVERIFY(page.findText(QStringLiteral("ProductID")));
    QVERIFY(page.findText(QStringLiteral("Issued by  ______________________")));
    QVERIFY(!page.findText(QStringLiteral("Today we receive follows products:")));
    QCOMPARE(page.findText(QStringLiteral("BUYER DOOEL"))->font.pointSize, 9.75);
    QVERIFY(qAbs(page.band(QStringLiteral("QRSubDetail1"))->rect.top() - (12.7 + 95.5)) < 0.01);
    QVERIFY(app.main().findChildren<TSReportIspratnica*>().isEmpty());
    QCOMPARE(list->Query1->FieldByName(QStringLiteral("ispratnica_id")).AsInteger(), 41);
}

void TestPrint::stockListPrintsWhatItShows()
{
    AppFixture app;
    const int bolt = addArticle(500, QStringLiteral("BOLT"));
    const int nut = addArticle(501, QStringLiteral("NUT"));
    const int beam = addArticle(502, QStringLiteral("BEAM"), QStringLiteral("M"));
    addMovement(QStringLiteral("P"), 1, 0, bolt, 20, 0, QStringLiteral("2026-12-01"), 1);
    addMovement(QStringLiteral("P"), 1, 0, nut, 5, 0, QStringLiteral("2026-12-01"), 1);
    addMovement(QStringLiteral("I"), 2, 0, beam, 0, 1.25, QStringLiteral("2026-12-02"), 2);
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* list = app.active<TSLagerListaLista>();
    QVERIFY(list);
    QTest::keyClicks(list->Edit1, QStringLiteral("B"));
    QCOMPARE(list->Query1->RecordCount(), 2);

    app.answerNextMessage(kit::mrCancel);
    app.main().Print1->trigger();
    QCOMPARE(app.messages().last(),
             (testsupport::Shown{QStringLiteral("Information"), QStringLiteral("PRINT Products Remain List !!!")}));
    QCOMPARE(app.dialogsRun(), 0);

    PreviewCapture<TSReportLager> preview;
    preview.expect(app);
    app.main().Print1->trigger();
    QVERIFY(preview.previewed);
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText2")),
             (QStringList{QStringLiteral("BOLT"), QStringLiteral("BEAM")}));
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText9")),
             (QStringList{QStringLiteral("20.00"), QStringLiteral("-1.25")}));
    QVERIFY(app.main().findChildren<TSReportLager*>().isEmpty());
}

void TestPrint::articleCardEndsOnTheOverviewBalance()
{
    AppFixture app;
    const int partner = addPartner(QStringLiteral("ACME DOO"));
    const int wire = addArticle(900, QStringLiteral("WIRE"), QStringLiteral("M"));
    addMovement(QStringLiteral("P"), 1, partner, addArticle(901, QStringLiteral("ZINC")), 3, 0,
                QStringLiteral("2026-01-01"), 1);
    // A long history of fractional quantities, one movement a day.
    QList<QPair<double, double>> moves;
    const QDate start(2025, 1, 1);
    for (int i = 0; i < 240; ++i) {
        const bool out = i % 3 == 2;
        const double in = out ? 0 : 12345.678 + (i % 7) * 0.011;
        const double outQty = out ? 9876.543 + (i % 5) * 0.013 : 0;
        moves << qMakePair(in, outQty);
        addMovement(out ? QStringLiteral("I") : QStringLiteral("P"), i + 1, partner, wire, in, outQty,
                    start.addDays(i).toString(QStringLiteral("yyyy-MM-dd")), i + 1);
    }
    app.main().PregledipoArtikli1->trigger();
    AppFixture::settle();
    auto* overview = app.active<TSPregledArtikalLista>();
    QVERIFY(overview);
    QCOMPARE(overview->Query1->FieldByName(QStringLiteral("artikal")).AsString(), QStringLiteral("WIRE"));
    const QString balance =
        kit::formatFloat(QStringLiteral("#,##0.00"), overview->Query1->FieldByName(QStringLiteral("saldo")).AsFloat());
    QCOMPARE(balance, QStringLiteral("1,185,188.20"));
    // The history is long enough that a single-precision balance would end elsewhere.
    QVERIFY(singlePrecisionBalance(moves) != balance);

    PreviewCapture<TSReportArtikalAnalitika> preview;
    preview.expect(app);
    app.main().Print1->trigger();
    QCOMPARE(app.messages().last().text, QStringLiteral("PRINT Detail List of Products!!!"));
    QVERIFY(preview.previewed);
    const QStringList rows = textsOf(preview.document, QStringLiteral("QRLabel1"));
    const QStringList balances = textsOf(preview.document, QStringLiteral("QRLabel2"));
    QCOMPARE(rows.size(), 240);
    QCOMPARE(rows.last(), QStringLiteral("240"));
    QCOMPARE(balances.first(), QStringLiteral("12,345.68"));
    QCOMPARE(balances.last(), balance);
    QVERIFY(preview.document.pageCount() > 1);
    QCOMPARE(preview.document.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(preview.document.bandCount(QStringLiteral("QRBand3")), preview.document.pageCount());
    QVERIFY(app.main().findChildren<TSReportArtikalAnalitika*>().isEmpty());
}

void TestPrint::partnerCardFollowsTheOverview()
{
    AppFixture app;
    const int alpha = addPartner(QStringLiteral("ALPHA"), QStringLiteral("First 1"), QStringLiteral("Skopje"));
    const int beta = addPartner(QStringLiteral("BETA"), QStringLiteral("Second 2"), QStringLiteral("Struga"));
    const int glue = addArticle(10, QStringLiteral("GLUE"), QStringLiteral("KG"));
    addMovement(QStringLiteral("P"), 1, alpha, glue, 3, 0, QStringLiteral("2026-01-01"), 1);
    addMovement(QStringLiteral("P"), 2, beta, glue, 8, 0, QStringLiteral("2026-01-02"), 2);
    addMovement(QStringLiteral("I"), 3, beta, glue, 0, 2.5, QStringLiteral("2026-01-03"), 3);
    app.main().PregledipoKomintenti1->trigger();
    AppFixture::settle();
    auto* overview = app.active<TSPregledKomintentLista>();
    QVERIFY(overview);
    overview->BitBtn4->Click();

    PreviewCapture<TSReportKomintentiAnalitika> preview;
    preview.expect(app);
    app.main().Print1->trigger();
    QVERIFY(preview.previewed);
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText2")), QStringList{QStringLiteral("BETA")});
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText6")),
             (QStringList{QStringLiteral("3"), QStringLiteral("2")}));
    QCOMPARE(textsOf(preview.document, QStringLiteral("QRDBText11")),
             (QStringList{QStringLiteral("2.50"), QStringLiteral("0.00")}));
    QVERIFY(app.main().findChildren<TSReportKomintentiAnalitika*>().isEmpty());
}

void TestPrint::printingKeepsTheListWhereItWas_data()
{
    QTest::addColumn<bool>("overview"); // the article overview's movements, else the stock list
    QTest::newRow("stock list, more than a page") << false;
    QTest::newRow("article overview, its movements") << true;
}

void TestPrint::printingKeepsTheListWhereItWas()
{
    QFETCH(bool, overview);
    AppFixture app;
    {
        data::Transaction t(app.database().db());
        const int many = overview ? 3 : 300; // the stock list reads 250 rows a page
        for (int i = 1; i <= many; ++i) {
            const int article = addArticle(i, QStringLiteral("ART %1").arg(i, 4, 10, QLatin1Char('0')));
            for (int m = 1; m <= (overview && i == 1 ? 120 : 1); ++m)
                addMovement(QStringLiteral("P"), m, 0, article, m, 0, QStringLiteral("2026-01-01"), m);
        }
        t.commit();
    }
    if (overview)
        app.main().PregledipoArtikli1->trigger();
    else
        app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* window = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
    QVERIFY(window);
    auto* master = window->findChild<data::Query*>(QStringLiteral("Query1"));
    auto* printed = overview ? window->findChild<data::Query*>(QStringLiteral("Query2")) : master;
    auto* grid = window->findChild<kit::DBGrid*>(QString::fromLatin1(overview ? "DBGrid2" : "DBGrid1"));
    printed->setRecNo(100);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->value() - 3);
    AppFixture::settle();
    const int masterRow = master->RecNo();
    const int scroll = grid->verticalScrollBar()->value();
    QVERIFY(scroll > 0);

    int rowShown = -1, scrollShown = -1;
    app.onNextDialog([&](QDialog*) {
        rowShown = printed->RecNo();
        scrollShown = grid->verticalScrollBar()->value();
        return int(kit::mrCancel);
    });
    app.main().Print1->trigger();
    AppFixture::settle();
    QCOMPARE(app.dialogsRun(), 1);
    // Already while the preview is open, and after it: the row and the scroll position as they were.
    QCOMPARE(rowShown, 100);
    QCOMPARE(scrollShown, scroll);
    QCOMPARE(printed->RecNo(), 100);
    QCOMPARE(master->RecNo(), masterRow);
    QCOMPARE(grid->verticalScrollBar()->value(), scroll);
    QCOMPARE(grid->currentIndex().row(), 100);
}

QTEST_MAIN(TestPrint)
#include "test_print.moc"
