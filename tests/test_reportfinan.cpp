// The financial report: figures per dispatch and over the period, rounding after summing,
// the period's ends, dispatches without a discount, the module's windows and the printed form.
#include "frame/tnavform.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/maskedit.h"
#include "modules/reportfinan/treportfinan.h"
#include "modules/reportfinan/tsreportfinanlista.h"
#include "reportdata.h"
#include "reports/tsreportfinansii.h"
#include "support/appfixture.h"

#include <QDialog>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace reportdata;
using testsupport::AppFixture;

namespace {

int addProduct(int code, const QString& name, double price, double tax)
{
    return insert(QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) "
                                 "values (:p0,:p1,'PCS',:p2,:p3,0)"),
                  {code, name, price, tax});
}

// A dispatch header with its discount in percent; a negative discount stores none (NULL).
int addInvoice(int number, const QString& date, double discount)
{
    if (discount < 0)
        return insert(QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta,rabat) "
                                     "values (:p0,:p1,:p1,NULL)"),
                      {number, date});
    return insert(QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta,rabat) "
                                 "values (:p0,:p1,:p1,:p2)"),
                  {number, date, discount});
}

// One product-ledger row of a dispatch, planted: no store writes a dispatch's priced products
// (kind 'I'), yet the financial report reads them.
void addSold(int dispatch, int label, int product, double quantity, double price, double tax,
             const QString& kind = QStringLiteral("I"))
{
    insert(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,vlez_kol,"
                          "izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,document_id_label) "
                          "values (:p0,:p1,0,:p2,0,:p3,'2026-01-01',0,:p4,:p5,:p6)"),
           {kind, dispatch, product, quantity, price, tax, label});
}

TSReportFinanLista* openReport(AppFixture& app)
{
    auto* item = app.main().findChild<QAction*>(QStringLiteral("FinansovIzvestaj1"));
    if (!item)
        return nullptr;
    item->trigger();
    AppFixture::settle();
    return app.active<TSReportFinanLista>();
}

void runPeriod(TSReportFinanLista* w, const QString& start, const QString& finish)
{
    w->MaskEdit1->setText(start);
    w->MaskEdit2->setText(finish);
    w->Button1->Click();
}

QStringList gridRow(const TSReportFinanLista* w, int row)
{
    QStringList cells;
    for (int c = 0; c < w->DBGrid1->ColCount(); ++c)
        cells << w->DBGrid1->cellText(row, c);
    return cells;
}

QStringList totals(const TSReportFinanLista* w)
{
    return {w->DBEdit1->Text(), w->DBEdit2->Text(), w->DBEdit3->Text(), w->DBEdit4->Text(), w->DBEdit5->Text()};
}

} // namespace

class TestReportFinan : public QObject {
    Q_OBJECT

private slots:
    void workedExampleOnScreen();
    void sumsAreRoundedAfterSumming();
    void periodIncludesBothEnds();
    void startAfterEndSelectsNothing();
    void missingDiscountLeavesAmountsEmpty();
    void moduleOpensItsWindows();
    void printedReportCarriesLinesAndTotals();
};

void TestReportFinan::workedExampleOnScreen()
{
    AppFixture app;
    const int chair = addProduct(1, QStringLiteral("CHAIR"), 100.0, 18.0);
    const int d = addInvoice(7, QStringLiteral("2026-03-10"), 10);
    addSold(d, 7, chair, 2, 100.0, 18.0);

    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("ReportFinan-Lista "));
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(w->MaskEdit1->Text(), today);
    QCOMPARE(w->MaskEdit2->Text(), today);
    // Totals are empty until the first Ok, the lines are not there yet.
    QCOMPARE(totals(w), QStringList(5, QString()));
    QVERIFY(w->Query2->Active());
    QVERIFY(!w->Query1->Active());
    QCOMPARE(w->DBGrid1->columnTitle(0), QStringLiteral("datum"));
    QCOMPARE(w->DBGrid1->columnTitle(2), QStringLiteral("Vk. Iznos"));

    // Enter walks from the start date to the end date to Ok.
    w->MaskEdit1->setFocus();
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QVERIFY(w->MaskEdit2->hasFocus());
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QVERIFY(w->Button1->hasFocus());

    runPeriod(w, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"));
    QCOMPARE(w->Query1->RecordCount(), 1);
    const QStringList row = gridRow(w, 0);
    QCOMPARE(row.mid(1), (QStringList{QStringLiteral("7"), QStringLiteral("200.00"), QStringLiteral("-20.00"),
                                      QStringLiteral("180.00"), QStringLiteral("32.40"), QStringLiteral("212.40")}));
    QVERIFY(row.at(0).contains(QStringLiteral("2026")));
    QCOMPARE(totals(w), (QStringList{QStringLiteral("200.00"), QStringLiteral("-20.00"), QStringLiteral("180.00"),
                                     QStringLiteral("32.40"), QStringLiteral("212.40")}));
    QVERIFY(app.messages().isEmpty());
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty()) {
        app.main().resize(1280, 800);
        AppFixture::settle();
        app.main().grab().save(dir + QStringLiteral("/reportfinan.png"));
    }
}

void TestReportFinan::sumsAreRoundedAfterSumming()
{
    AppFixture app;
    const int p = addProduct(1, QStringLiteral("PEG"), 1.0 / 3.0, 0);
    // Three rows of one dispatch, and three dispatches of one row each.
    const int one = addInvoice(1, QStringLiteral("2026-05-02"), 0);
    for (int i = 0; i < 3; ++i)
        addSold(one, 1, p, 1, 1.0 / 3.0, 0);
    for (int n = 2; n <= 4; ++n)
        addSold(addInvoice(n, QStringLiteral("2026-05-03"), 0), n, p, 1, 1.0 / 3.0, 0);

    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    runPeriod(w, QStringLiteral("2026-05-01"), QStringLiteral("2026-05-31"));
    QCOMPARE(w->Query1->RecordCount(), 4);
    QStringList perDocument;
    for (int r = 0; r < 4; ++r)
        perDocument << gridRow(w, r).at(1) + QLatin1Char('=') + gridRow(w, r).at(2);
    perDocument.sort();
    QCOMPARE(perDocument, (QStringList{QStringLiteral("1=1.00"), QStringLiteral("2=0.33"), QStringLiteral("3=0.33"),
                                       QStringLiteral("4=0.33")}));
    // 2.00 over six thirds, not the 1.99 that summing the rounded lines would give.
    QCOMPARE(w->DBEdit1->Text(), QStringLiteral("2.00"));
    QCOMPARE(w->DBEdit5->Text(), QStringLiteral("2.00"));
    QCOMPARE(w->DBEdit2->Text(), QStringLiteral("0.00"));
}

void TestReportFinan::periodIncludesBothEnds()
{
    AppFixture app;
    const int p = addProduct(1, QStringLiteral("BOX"), 10.0, 5.0);
    addSold(addInvoice(1, QStringLiteral("2026-02-28"), 0), 1, p, 1, 10.0, 5.0); // the day before
    addSold(addInvoice(2, QStringLiteral("2026-03-01"), 0), 2, p, 1, 10.0, 5.0); // the start
    addSold(addInvoice(3, QStringLiteral("2026-03-31"), 0), 3, p, 2, 10.0, 5.0); // the end
    addSold(addInvoice(4, QStringLiteral("2026-04-01"), 0), 4, p, 1, 10.0, 5.0); // the day after
    const int order = addInvoice(5, QStringLiteral("2026-03-15"), 0);
    addSold(order, 5, p, 9, 10.0, 5.0, QStringLiteral("N")); // a work order row is not an invoice
    addSold(9999, 6, p, 9, 10.0, 5.0);                       // no dispatch behind it

    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    runPeriod(w, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"));
    QStringList labels;
    for (int r = 0; r < w->Query1->RecordCount(); ++r)
        labels << gridRow(w, r).at(1);
    labels.sort();
    QCOMPARE(labels, (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(totals(w), (QStringList{QStringLiteral("30.00"), QStringLiteral("0.00"), QStringLiteral("30.00"),
                                     QStringLiteral("1.50"), QStringLiteral("31.50")}));

    // A single day: start and end the same date.
    runPeriod(w, QStringLiteral("2026-03-31"), QStringLiteral("2026-03-31"));
    QCOMPARE(w->Query1->RecordCount(), 1);
    QCOMPARE(w->DBEdit1->Text(), QStringLiteral("20.00"));
}

void TestReportFinan::startAfterEndSelectsNothing()
{
    AppFixture app;
    const int p = addProduct(1, QStringLiteral("BOX"), 10.0, 5.0);
    addSold(addInvoice(1, QStringLiteral("2026-03-10"), 0), 1, p, 1, 10.0, 5.0);
    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    runPeriod(w, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"));
    QCOMPARE(w->Query1->RecordCount(), 1);
    // The last results go as soon as a reversed period is applied.
    runPeriod(w, QStringLiteral("2026-03-31"), QStringLiteral("2026-03-01"));
    QVERIFY(w->Query1->IsEmpty());
    QCOMPARE(w->DBGrid1->model()->rowCount(), 0);
    QCOMPARE(totals(w), QStringList(5, QString()));
    QVERIFY(app.messages().isEmpty());
}

void TestReportFinan::missingDiscountLeavesAmountsEmpty()
{
    AppFixture app;
    const int p = addProduct(1, QStringLiteral("LAMP"), 50.0, 18.0);
    addSold(addInvoice(1, QStringLiteral("2026-06-01"), -1), 1, p, 2, 50.0, 18.0); // no discount stored
    addSold(addInvoice(2, QStringLiteral("2026-06-02"), 0), 2, p, 1, 50.0, 18.0);
    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    runPeriod(w, QStringLiteral("2026-06-01"), QStringLiteral("2026-06-30"));
    QCOMPARE(w->Query1->RecordCount(), 2);
    for (int r = 0; r < 2; ++r) {
        const QStringList row = gridRow(w, r);
        if (row.at(1) == QLatin1String("1"))
            QCOMPARE(row.mid(2), (QStringList{QStringLiteral("100.00"), QString(), QString(), QString(), QString()}));
        else
            QCOMPARE(row.mid(2), (QStringList{QStringLiteral("50.00"), QStringLiteral("0.00"), QStringLiteral("50.00"),
                                              QStringLiteral("9.00"), QStringLiteral("59.00")}));
    }
    // The dispatch without a discount adds to the value only.
    QCOMPARE(totals(w), (QStringList{QStringLiteral("150.00"), QStringLiteral("0.00"), QStringLiteral("50.00"),
                                     QStringLiteral("9.00"), QStringLiteral("59.00")}));
}

void TestReportFinan::moduleOpensItsWindows()
{
    AppFixture app;
    QMenu* reports = app.main().findChild<QMenu*>(QStringLiteral("Sostojbi1"));
    QVERIFY(reports);
    bool listed = false;
    for (QAction* a : reports->actions())
        listed = listed || (a->text() == QStringLiteral("Financial report") && a->isEnabled());
    QVERIFY(listed);

    TReportFinan* module = app.main().ReportFinan;
    module->SProccessingMessage(nullptr, nullptr, 37);
    module->SProccessingMessage(nullptr, nullptr, 38);
    module->SProccessingMessage(nullptr, nullptr, 39);
    module->SProccessingMessage(nullptr, nullptr, 36); // not the module's
    AppFixture::settle();
    QVERIFY(module->EntryForm && module->EditForm && module->ListForm);
    QCOMPARE(module->EntryForm->windowTitle(), QStringLiteral("ReportFinan-Kreiraj Nov "));
    QCOMPARE(module->EditForm->windowTitle(), QStringLiteral("ReportFinan-Koregiraj "));
    QVERIFY(qobject_cast<TSReportFinanLista*>(module->ListForm.data()));
    QCOMPARE(app.windows<TSReportFinanLista>().size(), 1);
    // Print is offered for the report window only.
    QVERIFY(app.main().Print1->isEnabled());
}

void TestReportFinan::printedReportCarriesLinesAndTotals()
{
    AppFixture app;
    const int chair = addProduct(1, QStringLiteral("CHAIR"), 100.0, 18.0);
    addSold(addInvoice(1, QStringLiteral("2026-03-10"), 10), 1, chair, 2, 100.0, 18.0);
    // Enough dispatches to fill more than one page.
    for (int n = 2; n <= 60; ++n)
        addSold(addInvoice(n, QStringLiteral("2026-03-20"), 0), n, chair, 1, 100.0, 18.0);
    TSReportFinanLista* w = openReport(app);
    QVERIFY(w);
    runPeriod(w, QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"));

    report::Document document;
    bool previewed = false;
    app.onNextDialog([&](QDialog*) {
        if (auto* r = app.main().findChild<TSReportFinansii*>()) {
            previewed = true;
            document = r->document();
        }
        return kit::mrCancel;
    });
    app.main().Print1->trigger();
    QVERIFY(!app.messages().isEmpty());
    QCOMPARE(app.messages().last().text, QStringLiteral("PRINT FINANSKI IZVESTAJ!!!"));
    QVERIFY(previewed);
    QVERIFY(app.main().findChildren<TSReportFinansii*>().isEmpty());

    QVERIFY(document.pageCount() > 1);
    QCOMPARE(document.bandCount(QStringLiteral("QRBand1")), document.pageCount()); // header on every page
    QCOMPARE(document.bandCount(QStringLiteral("QRSubDetail1")), 60);
    QCOMPARE(document.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(textsOf(document, QStringLiteral("QRLabel17")).first(), QStringLiteral("2026-03-01"));
    QCOMPARE(textsOf(document, QStringLiteral("QRLabel18")).first(), QStringLiteral("2026-03-31"));
    QCOMPARE(textsOf(document, QStringLiteral("QRDBText6")).size(), 60);
    QVERIFY(textsOf(document, QStringLiteral("QRDBText6")).contains(QStringLiteral("212.40")));
    // 200 + 59 x 100 = 6,100.00; discount 20.00; tax 32.40 + 59 x 18.00.
    const QStringList expected{QStringLiteral("6,100.00"), QStringLiteral("-20.00"), QStringLiteral("6,080.00"),
                               QStringLiteral("1,094.40"), QStringLiteral("7,174.40")};
    QStringList printed;
    for (const char* name : {"QRDBText7", "QRDBText8", "QRDBText9", "QRDBText10", "QRDBText11"})
        printed << textsOf(document, QString::fromLatin1(name)).value(0);
    QCOMPARE(printed, expected);
    QCOMPARE(textsOf(document, QStringLiteral("QRLabel1")).first(), QStringLiteral("FINANSOV IZVEŠTAJ"));

    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("DUREDIR_SAMPLE_PDF");
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("finansii.pdf")) : keep;
    QString error;
    QVERIFY2(document.writePdf(path, &error), qPrintable(error));
    const QString text = pdfText(path);
    QVERIFY2(text.contains(QStringLiteral("Spisok na Fakturi")), qPrintable(text.left(400)));
    QVERIFY(text.contains(QStringLiteral("7,174.40")));
    QVERIFY(text.contains(QStringLiteral("Vk.Iznos-Rabat")));
    QVERIFY(text.contains(QStringLiteral("Direktor")));
}

QTEST_MAIN(TestReportFinan)
#include "test_reportfinan.moc"
