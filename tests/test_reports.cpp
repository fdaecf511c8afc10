// The printed forms: goods receipt and dispatch (the dispatch also in test_print), stock list, article card and partner
// card, laid out over the same statements their windows run, and written to PDF.
#include "data/datasource.h"
#include "data/query.h"
#include "stores/stocklistreads.h"
#include "stores/articleoverviewreads.h"
#include "stores/partneroverviewreads.h"
#include "reportdata.h"
#include "reports/tsreportartikalanalitika.h"
#include "reports/tsreportispratnica.h"
#include "reports/tsreportkomintentianalitika.h"
#include "reports/tsreportlager.h"
#include "reports/tsreportpriemnica.h"
#include "support/testdb.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace reportdata;
using testsupport::TestDatabase;

namespace {

// The two queries of a receipt or dispatch list: headers newest first, lines of the current one.
struct DocumentQueries {
    data::Query headers{&testsupport::mainDatabase()};
    data::DataSource source{&headers};
    data::Query lines{&testsupport::mainDatabase()};

    DocumentQueries(const QString& table, const QString& kind)
    {
        headers.SQL.Add(QStringLiteral("select *"));
        headers.SQL.Add(QStringLiteral("from %1 ").arg(table));
        headers.SQL.Add(QStringLiteral("order by id desc"));
        lines.SQL.Add(QStringLiteral("select *"));
        lines.SQL.Add(QStringLiteral("from magacin_artikli"));
        lines.SQL.Add(QStringLiteral("left join komintenti  on magacin_artikli.id_komintent=komintenti.id"));
        lines.SQL.Add(QStringLiteral("left join artikli on magacin_artikli.id_artikal=artikli.id"));
        lines.SQL.Add(
            QStringLiteral("where magacin_artikli.vid_dokument='%1' and magacin_artikli.document_id=:id").arg(kind));
        lines.setMasterSource(&source);
        headers.Open();
        lines.Open();
    }
};

// An overview's master and detail queries, linked as the overview windows link them.
struct OverviewQueries {
    data::Query master{&testsupport::mainDatabase()};
    data::DataSource source{&master};
    data::Query detail{&testsupport::mainDatabase()};

    OverviewQueries(const QStringList& masterSql, const QStringList& detailSql)
    {
        for (const QString& line : masterSql)
            master.SQL.Add(line);
        for (const QString& line : detailSql)
            detail.SQL.Add(line);
        if (master.paramNamesInText().contains(QStringLiteral("a"), Qt::CaseInsensitive))
            master.ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
        detail.setMasterSource(&source);
        master.Open();
        detail.Open();
    }
};

// A receipt no. 17 of 2026-12-09 from one partner with the given quantities (and an older
// receipt of another partner that must not print).
int receiptWithLines(const QList<double>& quantities)
{
    const int other = addPartner(QStringLiteral("OTHER LTD"), QStringLiteral("Side road 9"), QStringLiteral("Bitola"));
    const int partner =
        addPartner(QStringLiteral("ACME DOO"), QStringLiteral("Main street 1"), QStringLiteral("1000 Skopje"));
    const int old = addReceipt(16, QStringLiteral("2026-12-01"));
    addMovement(QStringLiteral("P"), old, other, addArticle(999, QStringLiteral("OLD ITEM")), 5, 0,
                QStringLiteral("2026-12-01"), 16);
    const int receipt = addReceipt(17, QStringLiteral("2026-12-09"));
    for (int i = 0; i < quantities.size(); ++i) {
        const int article = addArticle(1001 + i, QStringLiteral("ARTICLE %1").arg(i + 1),
                                       i % 2 ? QStringLiteral("KG") : QStringLiteral("PCS"));
        addMovement(QStringLiteral("P"), receipt, partner, article, quantities.at(i), 0, QStringLiteral("2026-12-09"), 17);
    }
    return receipt;
}

// The receipt form laid out over the receipt list's queries (newest receipt current).
report::Document receiptDocument()
{
    DocumentQueries q(QStringLiteral("priemnici"), QStringLiteral("P"));
    TSReportPriemnica report;
    report.PrepareReport(&q.headers, &q.lines);
    return report.layout();
}

// An overview's card laid out over the overview's statements (first master row current).
template <class Card>
report::Document cardDocument(const QStringList& masterSql, const QStringList& detailSql)
{
    OverviewQueries q(masterSql, detailSql);
    Card card;
    card.PrepareReport(&q.master, &q.detail, 0);
    return card.layout();
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

private slots:
    void receiptPrintsTheCurrentDocument();
    void longReceiptFlowsOverPages();
    void emptyReceiptPrintsTitleAndSummary();
    void stockListPrintsTheListQuery();
    void articleCardRunningBalance();
    void partnerCardListsTheCurrentPartner();
    void emptyOverviewsPrintTitlesOnly_data();
    void emptyOverviewsPrintTitlesOnly();
    void everyReportWritesPdf();
};

void TestReports::receiptPrintsTheCurrentDocument()
{
    TestDatabase db;
    receiptWithLines({1234.5, 0.125, 2});
    const report::Document doc = receiptDocument();

    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand1")), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail1")), 3);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText7")), QStringList{QStringLiteral("17")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText5")), QStringList{QStringLiteral("09.12.2026")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText4")), QStringList{QStringLiteral("ACME DOO")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText23")), QStringList{QStringLiteral("Main street 1")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText24")), QStringList{QStringLiteral("1000 Skopje")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText1")),
             (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText3")),
             (QStringList{QStringLiteral("1,234.50"), QStringLiteral("0.13"), QStringLiteral("2.00")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText6")),
             (QStringList{QStringLiteral("PCS"), QStringLiteral("KG"), QStringLiteral("PCS")}));

    const report::Page& page = doc.pages.first();
    for (const char* caption : {"myCompany", "Date ___________________", "GOODS RECEIPT No. _________",
                                "Today we receive follows products:", "ID", "Product Name", "Unit", "Quantity",
                                "Issued by____________________", "Received___________________________"})
        QVERIFY2(page.findText(QString::fromLatin1(caption)), caption);
    // Unit and quantity end at their column edges; the lines follow the title directly.
    const report::Item* quantity = page.findText(QStringLiteral("1,234.50"));
    QVERIFY(qAbs(quantity->rect.right() - (12.7 + 180.1)) < 0.01);
    QVERIFY(qAbs(page.findText(QStringLiteral("KG"))->rect.right() - (12.7 + 146.6)) < 0.01);
    QVERIFY(qAbs(page.band(QStringLiteral("QRSubDetail1"))->rect.top() - (12.7 + 93.4)) < 0.01);
    // The signatures stand at the foot of the page.
    QVERIFY(qAbs(page.band(QStringLiteral("QRBand2"))->rect.bottom() - kPaperBottom) < 0.01);
}

void TestReports::longReceiptFlowsOverPages()
{
    TestDatabase db;
    QList<double> quantities;
    for (int i = 1; i <= 60; ++i)
        quantities << i * 10.25;
    receiptWithLines(quantities);
    const report::Document doc = receiptDocument();

    QVERIFY(doc.pageCount() >= 2);
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail1")), 60);
    QCOMPARE(doc.pages.first().bandCount(QStringLiteral("QRBand1")), 1);
    for (int i = 1; i < doc.pageCount(); ++i) {
        const report::Page& page = doc.pages.at(i);
        QCOMPARE(page.bandCount(QStringLiteral("QRBand1")), 0);
        QVERIFY(!page.findText(QStringLiteral("Product Name")));
        QVERIFY(!page.findText(QStringLiteral("ACME DOO")));
        QVERIFY(page.bandCount(QStringLiteral("QRSubDetail1")) > 0);
    }
    for (int i = 0; i < doc.pageCount(); ++i) {
        const bool last = i == doc.pageCount() - 1;
        const report::Page& page = doc.pages.at(i);
        QCOMPARE(page.bandCount(QStringLiteral("QRBand2")), last ? 1 : 0);
        QCOMPARE(bool(page.findText(QStringLiteral("Issued by____________________"))), last);
        for (const report::PlacedBand& band : page.bands)
            QVERIFY(band.rect.bottom() <= kPaperBottom + 0.01);
    }
    const report::Page& last = doc.pages.last();
    const report::PlacedBand* summary = last.band(QStringLiteral("QRBand2"));
    QVERIFY(qAbs(summary->rect.bottom() - kPaperBottom) < 0.01);
    for (const report::PlacedBand& band : last.bands)
        if (band.name == QLatin1String("QRSubDetail1"))
            QVERIFY(band.rect.bottom() <= summary->rect.top() + 0.01);
    const QStringList amounts = textsOf(doc, QStringLiteral("QRDBText3"));
    QCOMPARE(amounts.first(), QStringLiteral("10.25"));
    QCOMPARE(amounts.last(), QStringLiteral("615.00"));
}

void TestReports::emptyReceiptPrintsTitleAndSummary()
{
    TestDatabase db;
    addReceipt(3, QStringLiteral("2026-01-31"));
    const report::Document doc = receiptDocument();
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand1")), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail1")), 0);
    QCOMPARE(doc.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText7")), QStringList{QStringLiteral("3")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText5")), QStringList{QStringLiteral("31.01.2026")});
    for (const char* partner : {"QRDBText4", "QRDBText23", "QRDBText24"})
        QVERIFY(textsOf(doc, QString::fromLatin1(partner)).join(QString()).isEmpty());
}

void TestReports::stockListPrintsTheListQuery()
{
    TestDatabase db;
    const int bolt = addArticle(500, QStringLiteral("BOLT"));
    const int beam = addArticle(501, QStringLiteral("BEAM"), QStringLiteral("M"));
    const int nut = addArticle(502, QStringLiteral("NUT"));
    addMovement(QStringLiteral("P"), 1, 0, bolt, 1234.567, 0, QStringLiteral("2026-12-01"), 1);
    addMovement(QStringLiteral("P"), 1, 0, beam, 1, 0, QStringLiteral("2026-12-01"), 1);
    addMovement(QStringLiteral("I"), 1, 0, beam, 0, 3.5, QStringLiteral("2026-12-02"), 1);
    addMovement(QStringLiteral("P"), 1, 0, nut, 7, 0, QStringLiteral("2026-12-01"), 1);
    data::Query list{&testsupport::mainDatabase()};
    for (const QString& line : stores::stocklist::balanceStatement())
        list.SQL.Add(line);
    list.setPaging(QStringLiteral("id"), 1); // one row a page: the report still prints them all
    list.ParamByName(QStringLiteral("a")).AsString(QStringLiteral("B%"));
    list.Open();
    QCOMPARE(list.RecordCount(), 1);

    TSReportLager report;
    report.PrepareReport(&list, nullptr, 0);
    const report::Document doc = report.layout();
    QVERIFY(doc.pages.first().findText(QStringLiteral("ARTIKLI")));
    QVERIFY(doc.pages.first().findText(QStringLiteral("REPORT of PRODUCTS REMAINS")));
    // The article id, not the code, in order of the id; only the filtered articles.
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText1")), (QStringList{QString::number(bolt), QString::number(beam)}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText3")), (QStringList{QStringLiteral("1,234.57"), QStringLiteral("1.00")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText8")), (QStringList{QStringLiteral("0.00"), QStringLiteral("3.50")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText9")), (QStringList{QStringLiteral("1,234.57"), QStringLiteral("-2.50")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText6")), (QStringList{QStringLiteral("PCS"), QStringLiteral("M")}));
}

void TestReports::articleCardRunningBalance()
{
    TestDatabase db;
    const int partner = addPartner(QStringLiteral("ACME DOO"));
    const int article = addArticle(700, QStringLiteral("CABLE"), QStringLiteral("M"));
    addMovement(QStringLiteral("I"), 2, partner, article, 0, 4, QStringLiteral("2026-03-02"), 21);
    addMovement(QStringLiteral("P"), 1, partner, article, 10, 0, QStringLiteral("2026-03-01"), 11);
    addMovement(QStringLiteral("I"), 3, partner, article, 0, 7, QStringLiteral("2026-03-03"), 22);
    OverviewQueries q(stores::articleoverview::masterStatement(), stores::articleoverview::detailStatement());
    TSReportArtikalAnalitika report;
    report.PrepareReport(&q.master, &q.detail, 0);
    const report::Document doc = report.layout();

    QCOMPARE(doc.bandCount(QStringLiteral("QRBand2")), 1);
    QCOMPARE(textsOf(doc, QStringLiteral("QRLabel1")),
             (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRLabel2")),
             (QStringList{QStringLiteral("10.00"), QStringLiteral("6.00"), QStringLiteral("-1.00")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText4")),
             (QStringList{QStringLiteral("RECEIPT"), QStringLiteral("DISPATCH"), QStringLiteral("DISPATCH")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText2")),
             (QStringList{QStringLiteral("11"), QStringLiteral("21"), QStringLiteral("22")}));
    // Both date columns print as every printed date does.
    const QStringList dates{QStringLiteral("01.03.2026"), QStringLiteral("02.03.2026"), QStringLiteral("03.03.2026")};
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText1")), dates);
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText3")), dates);
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText7")), QStringList{QStringLiteral("CABLE")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText8")), QStringList{QStringLiteral("M")});
    QVERIFY(!doc.pages.first().findText(QStringLiteral("ACME DOO"))); // the partner is not printed
    QVERIFY(doc.pages.first().findText(QStringLiteral("REPORTS BY PRODUCT ")));
    QVERIFY(doc.pages.first().findText(QStringLiteral("signature")));
    QCOMPARE(doc.paperSize, QSizeF(297, 210));

    // A second run starts its counter and balance afresh.
    const report::Document again = report.layout();
    QCOMPARE(textsOf(again, QStringLiteral("QRLabel1")), textsOf(doc, QStringLiteral("QRLabel1")));
    QCOMPARE(textsOf(again, QStringLiteral("QRLabel2")), textsOf(doc, QStringLiteral("QRLabel2")));
}

void TestReports::partnerCardListsTheCurrentPartner()
{
    TestDatabase db;
    const int alpha = addPartner(QStringLiteral("ALPHA"), QStringLiteral("First 1"), QStringLiteral("Skopje"));
    const int beta = addPartner(QStringLiteral("BETA"), QStringLiteral("Second 2"), QStringLiteral("Struga"));
    const int glue = addArticle(10, QStringLiteral("GLUE"), QStringLiteral("KG"));
    const int gone = addArticle(11, QStringLiteral("GONE"));
    addMovement(QStringLiteral("P"), 1, alpha, glue, 3, 0, QStringLiteral("2026-01-01"), 1);
    addMovement(QStringLiteral("P"), 2, beta, glue, 1500.25, 0, QStringLiteral("2026-01-05"), 2);
    addMovement(QStringLiteral("I"), 9, beta, glue, 0, 2, QStringLiteral("2026-01-02"), 9);
    addMovement(QStringLiteral("I"), 4, beta, gone, 0, 1, QStringLiteral("2026-01-09"), 4);
    insert(QStringLiteral("delete from artikli where id=:p0"), {gone});
    OverviewQueries q(stores::partneroverview::masterStatement(), stores::partneroverview::detailStatement());
    q.master.Next(); // BETA
    TSReportKomintentiAnalitika report;
    report.PrepareReport(&q.master, &q.detail, 0);
    const report::Document doc = report.layout();

    const report::Page& page = doc.pages.first();
    QVERIFY(page.findText(QStringLiteral("REPORT BY CUSTOMER - COMPANY")));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText1")), QStringList{QString::number(beta)});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText2")), QStringList{QStringLiteral("BETA")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText3")), QStringList{QStringLiteral("Second 2")});
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText4")), QStringList{QStringLiteral("Struga")});
    // Highest document number first, one line per movement, the missing article empty.
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText6")),
             (QStringList{QStringLiteral("9"), QStringLiteral("4"), QStringLiteral("2")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText5")),
             (QStringList{QStringLiteral("DISPATCH"), QStringLiteral("DISPATCH"), QStringLiteral("RECEIPT")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText8")),
             (QStringList{QStringLiteral("GLUE"), QString(), QStringLiteral("GLUE")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText10")),
             (QStringList{QStringLiteral("0.00"), QStringLiteral("0.00"), QStringLiteral("1,500.25")}));
    QCOMPARE(textsOf(doc, QStringLiteral("QRDBText11")),
             (QStringList{QStringLiteral("2.00"), QStringLiteral("1.00"), QStringLiteral("0.00")}));
    QVERIFY(!page.findText(QStringLiteral("ALPHA")));
}

void TestReports::emptyOverviewsPrintTitlesOnly_data()
{
    QTest::addColumn<bool>("partner"); // the partner card, else the article card
    QTest::addColumn<QString>("caption");
    QTest::newRow("article card") << false << "REMAIN (quantity)";
    QTest::newRow("partner card") << true << "Out(-) quantity";
}

void TestReports::emptyOverviewsPrintTitlesOnly()
{
    QFETCH(bool, partner);
    QFETCH(QString, caption);
    TestDatabase db;
    const report::Document doc =
        partner ? cardDocument<TSReportKomintentiAnalitika>(stores::partneroverview::masterStatement(),
                                                            stores::partneroverview::detailStatement())
                : cardDocument<TSReportArtikalAnalitika>(stores::articleoverview::masterStatement(),
                                                         stores::articleoverview::detailStatement());
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(doc.bandCount(QStringLiteral("QRSubDetail1")), 0);
    QVERIFY(doc.pages.first().findText(caption));
}

void TestReports::everyReportWritesPdf()
{
    TestDatabase db;
    receiptWithLines({1234.5, 7});
    const int dispatch = addDispatch(8, QStringLiteral("2026-12-10"));
    const int buyer = addPartner(QStringLiteral("ZETA BUYER"));
    addMovement(QStringLiteral("I"), dispatch, buyer, 1, 0, 2.5, QStringLiteral("2026-12-10"), 8);
    QTemporaryDir dir;
    // The report written to a PDF file whose text holds each of `texts`.
    const auto expectPdf = [&](reports::ReportWindow& report, const QString& name, const QStringList& texts) {
        const QString path = dir.filePath(name + QStringLiteral(".pdf"));
        QString error;
        QVERIFY2(report.layout().writePdf(path, &error), qPrintable(error));
        const QString text = pdfText(path);
        for (const QString& s : texts)
            QVERIFY2(text.contains(s), qPrintable(name + QStringLiteral(": ") + text));
    };

    DocumentQueries receipts(QStringLiteral("priemnici"), QStringLiteral("P"));
    TSReportPriemnica receipt;
    receipt.PrepareReport(&receipts.headers, &receipts.lines);
    expectPdf(receipt, "receipt", {"GOODS RECEIPT No.", "ACME DOO", "09.12.2026", "1,234.50", "Issued by"});

    DocumentQueries dispatches(QStringLiteral("ispratnici"), QStringLiteral("I"));
    TSReportIspratnica dispatchReport;
    dispatchReport.PrepareReport(&dispatches.headers, &dispatches.lines);
    expectPdf(dispatchReport, "dispatch", {"GOODS DISPATCH No.", "ZETA BUYER", "10.12.2026", "2.50"});

    data::Query list{&testsupport::mainDatabase()};
    for (const QString& line : stores::stocklist::balanceStatement())
        list.SQL.Add(line);
    list.setPaging(QStringLiteral("id"), stores::stocklist::pageRows);
    list.ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
    list.Open();
    TSReportLager stock;
    stock.PrepareReport(&list);
    expectPdf(stock, "stock", {"REPORT of PRODUCTS REMAINS", "ARTIKLI", "Remain quantity", "ARTICLE 1", "1,234.50"});

    OverviewQueries articles(stores::articleoverview::masterStatement(), stores::articleoverview::detailStatement());
    TSReportArtikalAnalitika card;
    card.PrepareReport(&articles.master, &articles.detail);
    expectPdf(card, "card", {"REPORTS BY PRODUCT", "ARTICLE 1", "Type of Document", "RECEIPT", "1,234.50"});

    OverviewQueries partners(stores::partneroverview::masterStatement(), stores::partneroverview::detailStatement());
    TSReportKomintentiAnalitika partnerCard;
    partnerCard.PrepareReport(&partners.master, &partners.detail);
    expectPdf(partnerCard, "partner", {"REPORT BY CUSTOMER - COMPANY", "ACME DOO", "Main street 1", "1,234.50"});
}

QTEST_MAIN(TestReports)
#include "test_reports.moc"
