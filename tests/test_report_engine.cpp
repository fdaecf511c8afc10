// The banded report engine: bands flowing over pages, sub-details on their own datasets,
// masks, before-print handlers, the PDF file and the print preview.
#include "data/datasource.h"
#include "data/query.h"
#include "kit/format.h"
#include "kit/look.h"
#include "kit/modal.h"
#include "reports/engine/preview.h"
#include "reports/engine/report.h"
#include "reports/engine/spool.h"
#include "reports/reportwindow.h"
#include "reportdata.h"
#include "support/testdb.h"

#include <QAction>
#include <QFileDialog>
#include <QFontInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace report;
using reportdata::kPaperBottom;
using reportdata::pdfText;
using reportdata::textsOf;
using testsupport::TestDatabase;

namespace {

const Font kBody(9);
const double kFooterHeight = 12.0;

// Delivery lines: id, code, name, unit, quantity, date; `count` rows, quantity id * 1000.5.
void createLines(TestDatabase& db, int count)
{
    db.execAsAdmin(QStringLiteral("create table rpt_lines (id integer, sifra varchar(20), artikal varchar(80),"
                                  " edm varchar(10), kol double, datum varchar(10))"));
    for (int i = 1; i <= count; ++i)
        db.exec(QStringLiteral("insert into rpt_lines values (%1, 'A%2', 'Article number %1', 'PCS', %3,"
                               " '2026-12-09')")
                    .arg(i)
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(i * 1000.5, 0, 'f', 2));
}

void openQuery(data::Query& q, const QString& statement)
{
    q.SQL.Clear();
    q.SQL.Add(statement);
    q.Open();
}

// A one-document delivery note over the lines: title with the partner block, one detail
// per line, signatures at the foot of the last page, "Page n of m" at the foot of each page.
void buildDeliveryNote(Report& r, data::Query* lines)
{
    r.DataSet = lines;
    r.PrintDateTime = QDateTime(QDate(2026, 12, 9), QTime(10, 30));

    Band* title = r.addBand(BandKind::Title, QStringLiteral("Title"), 93.4);
    title->frame = FrameBottom;
    title->addRect(QRectF(8.5, 6.3, 84.9, 17.2), 0.4);
    title->addLabel(QStringLiteral("myCompany"), 21.2, 8.5, Font(27.75, true));
    title->addLabel(QStringLiteral("Date ___________________"), 8.5, 44.5, kBody);
    title->addDBText(lines, QStringLiteral("datum"), 21.2, 42.3, kBody, QStringLiteral("dd.MM.yyyy"))->name =
        QStringLiteral("Date");
    title->addDBText(lines, QStringLiteral("artikal"), 101.6, 42.3, kBody)->name = QStringLiteral("Partner");
    title->addLabel(QStringLiteral("Main street 1"), 101.6, 50.8, kBody);
    title->addLabel(QStringLiteral("Skopje"), 101.6, 59.3, kBody);
    title->addLabel(QStringLiteral("DELIVERY NOTE No. _________"), 6.3, 59.3, Font(14.25, true));
    title->addLabel(QStringLiteral("17"), 66.0, 59.3, Font(12, true))->name = QStringLiteral("Number");
    title->addLabel(QStringLiteral("Today we deliver the following products:"), 8.5, 82.5, kBody);
    title->addLabel(QStringLiteral("ID"), 2.1, 88.4, kBody);
    title->addLabel(QStringLiteral("Product Name"), 29.6, 88.4, kBody);
    title->addLabel(QStringLiteral("Unit"), 139.7, 88.4, kBody);
    title->addLabel(QStringLiteral("Quantity"), 169.3, 88.4, kBody);

    Band* detail = r.addSubDetail(QStringLiteral("Detail"), 6.6, lines);
    detail->addDBText(lines, QStringLiteral("sifra"), 2.1, 1.1, kBody)->name = QStringLiteral("Code");
    detail->addDBText(lines, QStringLiteral("artikal"), 29.6, 1.1, kBody);
    detail->addDBText(lines, QStringLiteral("edm"), 146.6, 1.1, kBody, QString(), Qt::AlignRight);
    detail->addDBText(lines, QStringLiteral("kol"), 150.0, 1.1, kBody, QStringLiteral("#,##0.00"), Qt::AlignRight, 30.1)->name =
        QStringLiteral("Quantity");

    Band* summary = r.addBand(BandKind::Summary, QStringLiteral("Summary"), 52.4);
    summary->AlignToBottom = true;
    summary->addHLine(0, 13.2, summary->width());
    summary->addLabel(QStringLiteral("Issued by____________________"), 8.5, 29.6, kBody);
    summary->addLabel(QStringLiteral("Received___________________________"), 114.3, 29.6, kBody);

    Band* footer = r.addBand(BandKind::PageFooter, QStringLiteral("Footer"), kFooterHeight);
    footer->frame = FrameTop;
    footer->addSysData(SysKind::Date, 0, 3.0, Font(8), QStringLiteral("Printed "));
    footer->addSysData(SysKind::PageOfPages, footer->width(), 3.0, Font(8), QStringLiteral("Page "), Qt::AlignRight)->name =
        QStringLiteral("PageNo");
}

// The delivery note over `count` lines, of which `statement` selects the printed ones.
struct DeliveryNote {
    data::Query lines{&testsupport::mainDatabase()};
    Report report;
    DeliveryNote(TestDatabase& db, int count, const QString& statement)
    {
        createLines(db, count);
        openQuery(lines, statement);
        buildDeliveryNote(report, &lines);
    }
};

QStringList bandSequence(const Document& doc)
{
    QStringList out;
    for (const Page& p : doc.pages)
        for (const PlacedBand& b : p.bands)
            out << b.name;
    return out;
}

} // namespace

class TestReportEngine : public QObject {
    Q_OBJECT

private slots:
    void longDocumentFlowsOverPages();
    void emptyDatasetPrintsTitleSummaryAndFooter();
    void masksFormatNumbersAndDates();
    void subDetailsRunForEachMasterRow();
    void beforePrintHandlersChangeAndSuppress();
    void groupsChildrenAndPageHeaders();
    void fontsAreMetricCompatible();
    void pdfHoldsTheText();
    void previewExportsPdfBesidePrint();
    void longReportIsLaidOutPageByPage();
};

void TestReportEngine::longDocumentFlowsOverPages()
{
    TestDatabase db;
    DeliveryNote note(db, 60, QStringLiteral("select * from rpt_lines order by id"));
    note.lines.setRecNo(30);
    const Document doc = note.report.layout();

    // 60 rows of 6.6 mm: 25 fit under the title, the next page takes the other 35 and the
    // signatures no longer fit under them.
    QCOMPARE(doc.pageCount(), 3);
    QCOMPARE(doc.paperSize, QSizeF(210, 297));
    QCOMPARE(doc.bandCount(QStringLiteral("Title")), 1);
    QVERIFY(doc.pages.at(0).band(QStringLiteral("Title")));
    QCOMPARE(doc.bandCount(QStringLiteral("Detail")), 60);
    QCOMPARE(doc.pages.at(0).bandCount(QStringLiteral("Detail")), 25);
    QCOMPARE(doc.pages.at(1).bandCount(QStringLiteral("Detail")), 35);
    QCOMPARE(doc.pages.at(2).bandCount(QStringLiteral("Detail")), 0);
    QCOMPARE(doc.bandCount(QStringLiteral("Summary")), 1);

    // Every row once, in the query's order; the title read the first row.
    const QStringList codes = textsOf(doc, QStringLiteral("Code"));
    QCOMPARE(codes.size(), 60);
    QCOMPARE(codes.first(), QStringLiteral("A001"));
    QCOMPARE(codes.at(25), QStringLiteral("A026"));
    QCOMPARE(codes.last(), QStringLiteral("A060"));
    QCOMPARE(textsOf(doc, QStringLiteral("Partner")), QStringList{QStringLiteral("Article number 1")});
    QCOMPARE(note.lines.RecNo(), 59); // the report moved the cursor through the rows

    for (int i = 0; i < doc.pageCount(); ++i) {
        const Page& page = doc.pages.at(i);
        const PlacedBand* footer = page.band(QStringLiteral("Footer"));
        QVERIFY2(footer, qPrintable(QStringLiteral("no footer on page %1").arg(i + 1)));
        QCOMPARE(footer->rect.bottom(), kPaperBottom);
        for (const PlacedBand& b : page.bands) {
            QVERIFY(b.rect.top() >= 12.7 - 1e-9);
            if (b.name != QStringLiteral("Footer"))
                QVERIFY2(b.rect.bottom() <= footer->rect.top() + 1e-9, qPrintable(b.name));
        }
        QCOMPARE(textsOf(QList<Page>{page}, QStringLiteral("PageNo")),
                 QStringList{QStringLiteral("Page %1 of 3").arg(i + 1)});
    }
    // Rows follow one another without gaps; a new page starts at the top margin.
    const Page& second = doc.pages.at(1);
    QCOMPARE(second.bands.first().name, QStringLiteral("Detail"));
    QCOMPARE(second.bands.first().rect.top(), 12.7);
    QCOMPARE(second.bands.at(1).rect.top(), 12.7 + 6.6);
    // The signatures sit at the foot of the last page, right above its footer.
    const PlacedBand* summary = doc.pages.at(2).band(QStringLiteral("Summary"));
    QVERIFY(summary);
    QCOMPARE(summary->rect.bottom(), kPaperBottom - kFooterHeight);
    QVERIFY(doc.pages.at(2).findText(QStringLiteral("Issued by____________________")));
    // A right-aligned text grows leftwards from its anchor; a boxed one ends at the box.
    const Item* unit = doc.pages.at(0).findText(QStringLiteral("PCS"));
    QVERIFY(unit);
    QVERIFY(qAbs(unit->rect.right() - (12.7 + 146.6)) < 1e-6);
    QVERIFY(unit->rect.width() > 4 && unit->rect.width() < 12);
    const Item* qty = doc.pages.at(0).findText(QStringLiteral("1,000.50"));
    QVERIFY(qty);
    QVERIFY(qAbs(qty->rect.right() - (12.7 + 180.1)) < 1e-6);
    QCOMPARE(qty->alignment & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // Landscape turns the paper; the bands take the wider printable width.
    Report wide;
    wide.page.orientation = Orientation::Landscape;
    Band* t = wide.addBand(BandKind::Title, QStringLiteral("T"), 10);
    t->addLabel(QStringLiteral("Wide"), t->width() / 2, 0, Font(12), Qt::AlignHCenter);
    const Document landscape = wide.layout();
    QCOMPARE(landscape.paperSize, QSizeF(297, 210));
    QCOMPARE(landscape.pages.at(0).bands.at(0).rect.width(), 297 - 25.4);
    QVERIFY(qAbs(landscape.pages.at(0).items.at(0).rect.center().x() - 297.0 / 2) < 1e-6);
}

void TestReportEngine::emptyDatasetPrintsTitleSummaryAndFooter()
{
    TestDatabase db;
    DeliveryNote note(db, 3, QStringLiteral("select * from rpt_lines where id < 0"));
    const Document doc = note.report.layout();
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(bandSequence(doc),
             (QStringList{QStringLiteral("Title"), QStringLiteral("Summary"), QStringLiteral("Footer")}));
    // The partner block and the date stay empty; nothing reads a row that is not there.
    QCOMPARE(textsOf(doc, QStringLiteral("Partner")), QStringList{QString()});
    QCOMPARE(textsOf(doc, QStringLiteral("Date")), QStringList{QString()});
    QVERIFY(doc.pages.at(0).findText(QStringLiteral("Received___________________________")));
    QCOMPARE(textsOf(doc, QStringLiteral("PageNo")), QStringList{QStringLiteral("Page 1 of 1")});

    // A closed dataset prints the same way.
    note.lines.Close();
    QCOMPARE(bandSequence(note.report.layout()), bandSequence(doc));

    // A report without a dataset prints its rows once.
    Report single;
    single.addBand(BandKind::Detail, QStringLiteral("Once"), 5)->addLabel(QStringLiteral("x"), 0, 0);
    QCOMPARE(single.layout().bandCount(QStringLiteral("Once")), 1);
}

void TestReportEngine::masksFormatNumbersAndDates()
{
    TestDatabase db;
    db.execAsAdmin(QStringLiteral("create table rpt_values (id integer, amount double, qty varchar(20),"
                                  " datum varchar(10), note varchar(20))"));
    db.exec(QStringLiteral("insert into rpt_values values (1, 1234.5, '6.0000', '2026-12-09', null)"));
    db.exec(QStringLiteral("insert into rpt_values values (2, -1234567.125, '0.005', '2026-01-31', 'x')"));
    db.exec(QStringLiteral("insert into rpt_values values (3, 0, null, null, '')"));
    data::Query q{&testsupport::mainDatabase()};
    openQuery(q, QStringLiteral("select * from rpt_values order by id"));

    Report r;
    r.DataSet = &q;
    r.PrintDateTime = QDateTime(QDate(2026, 12, 9), QTime(8, 5));
    Band* d = r.addBand(BandKind::Detail, QStringLiteral("D"), 5);
    d->addDBText(&q, QStringLiteral("amount"), 0, 0, kBody, QStringLiteral("#,##0.00"))->name = QStringLiteral("amount");
    d->addDBText(&q, QStringLiteral("qty"), 40, 0, kBody, QStringLiteral("#,##0.00"))->name = QStringLiteral("qty");
    d->addDBText(&q, QStringLiteral("datum"), 80, 0, kBody, QStringLiteral("dd.MM.yyyy"))->name = QStringLiteral("datum");
    d->addDBText(&q, QStringLiteral("amount"), 120, 0, kBody)->name = QStringLiteral("plain");
    d->addDBText(&q, QStringLiteral("note"), 160, 0, kBody)->name = QStringLiteral("note");
    Band* f = r.addBand(BandKind::PageFooter, QStringLiteral("F"), 5);
    f->addSysData(SysKind::Date, 0, 0)->name = QStringLiteral("date");
    f->addSysData(SysKind::DateTime, 50, 0)->name = QStringLiteral("datetime");
    f->addSysData(SysKind::PageNumber, 100, 0, Font(), QStringLiteral("Page "))->name = QStringLiteral("page");
    const Document doc = r.layout();

    QCOMPARE(textsOf(doc, QStringLiteral("amount")),
             (QStringList{QStringLiteral("1,234.50"), QStringLiteral("-1,234,567.13"), QStringLiteral("0.00")}));
    QCOMPARE(textsOf(doc, QStringLiteral("qty")), (QStringList{QStringLiteral("6.00"), QStringLiteral("0.01"), QString()}));
    QCOMPARE(textsOf(doc, QStringLiteral("datum")),
             (QStringList{QStringLiteral("09.12.2026"), QStringLiteral("31.01.2026"), QString()}));
    QCOMPARE(textsOf(doc, QStringLiteral("plain")),
             (QStringList{QStringLiteral("1234.5"), QStringLiteral("-1234567.125"), QStringLiteral("0")}));
    QCOMPARE(textsOf(doc, QStringLiteral("note")), (QStringList{QString(), QStringLiteral("x"), QString()}));
    QCOMPARE(textsOf(doc, QStringLiteral("date")), QStringList{QStringLiteral("09.12.2026")});
    QCOMPARE(textsOf(doc, QStringLiteral("datetime")), QStringList{QStringLiteral("09.12.2026 08:05")});
    QCOMPARE(textsOf(doc, QStringLiteral("page")), QStringList{QStringLiteral("Page 1")});

    // A field the dataset does not have is a mistake in the layout, not an empty text.
    d->addDBText(&q, QStringLiteral("no_such_field"), 0, 0);
    QVERIFY_THROWS_EXCEPTION(std::exception, r.layout());
}

void TestReportEngine::subDetailsRunForEachMasterRow()
{
    TestDatabase db;
    db.execAsAdmin(QStringLiteral("create table rpt_products (id integer, sifra varchar(10), kol double)"));
    db.execAsAdmin(QStringLiteral("create table rpt_parts (product_id integer, sifra varchar(10), per_unit double)"));
    db.exec(QStringLiteral("insert into rpt_products values (1, 'P1', 3), (2, 'P2', 1), (3, 'P3', 2)"));
    db.exec(QStringLiteral("insert into rpt_parts values (1, 'A11', 0.5), (1, 'A12', 2), (2, 'A21', 1)"));
    data::Query products{&testsupport::mainDatabase()};
    openQuery(products, QStringLiteral("select id, sifra, kol from rpt_products order by id"));
    data::DataSource productSource(&products);
    data::Query parts{&testsupport::mainDatabase()};
    parts.setMasterSource(&productSource);
    parts.SQL.Add(QStringLiteral("select p.sifra, p.per_unit * r.kol as vk_kol from rpt_parts p"));
    parts.SQL.Add(QStringLiteral("join rpt_products r on r.id = p.product_id where p.product_id = :id order by p.sifra"));
    parts.Open();

    Report r;
    r.DataSet = &products;
    r.addBand(BandKind::Title, QStringLiteral("Title"), 20)->addLabel(QStringLiteral("ORDER"), 60, 5, Font(16, true));
    Band* product = r.addSubDetail(QStringLiteral("Product"), 5, &products);
    product->frame = FrameTop | FrameBottom;
    product->addDBText(&products, QStringLiteral("sifra"), 2.1, 0.3, kBody)->name = QStringLiteral("code");
    Band* part = r.addSubDetail(QStringLiteral("Part"), 5, &parts);
    part->addDBText(&parts, QStringLiteral("sifra"), 12.7, 0.3, kBody)->name = QStringLiteral("code");
    part->addDBText(&parts, QStringLiteral("vk_kol"), 157.9, 0.3, kBody, QStringLiteral("0.0000"), Qt::AlignRight)->name =
        QStringLiteral("qty");
    r.addBand(BandKind::PageFooter, QStringLiteral("Footer"), 10)->addLabel(QStringLiteral("Izdal"), 8.5, 4);
    const Document doc = r.layout();

    // Each product line once, followed by the articles of its own composition.
    QCOMPARE(bandSequence(doc), (QStringList{QStringLiteral("Title"), QStringLiteral("Product"), QStringLiteral("Part"),
                                             QStringLiteral("Part"), QStringLiteral("Product"), QStringLiteral("Part"),
                                             QStringLiteral("Product"), QStringLiteral("Footer")}));
    QCOMPARE(textsOf(doc, QStringLiteral("code")),
             (QStringList{QStringLiteral("P1"), QStringLiteral("A11"), QStringLiteral("A12"), QStringLiteral("P2"),
                          QStringLiteral("A21"), QStringLiteral("P3")}));
    QCOMPARE(textsOf(doc, QStringLiteral("qty")),
             (QStringList{QStringLiteral("1.5000"), QStringLiteral("6.0000"), QStringLiteral("1.0000")}));
    // The product band carries its rules along its top and bottom edges.
    int rules = 0;
    for (const Item& i : doc.pages.at(0).items)
        rules += i.kind == ItemKind::Line && i.band == QStringLiteral("Product");
    QCOMPARE(rules, 6);

    // A sub-detail nested under another runs once per row of that band.
    Report nested;
    nested.DataSet = nullptr;
    Band* outer = nested.addSubDetail(QStringLiteral("Outer"), 5, &products);
    Band* inner = nested.addSubDetail(QStringLiteral("Inner"), 5, &parts, outer);
    outer->addDBText(&products, QStringLiteral("sifra"), 0, 0)->name = QStringLiteral("code");
    inner->addDBText(&parts, QStringLiteral("sifra"), 10, 0)->name = QStringLiteral("code");
    QCOMPARE(textsOf(nested.layout(), QStringLiteral("code")), textsOf(doc, QStringLiteral("code")));
}

void TestReportEngine::beforePrintHandlersChangeAndSuppress()
{
    TestDatabase db;
    createLines(db, 6);
    data::Query lines{&testsupport::mainDatabase()};
    openQuery(lines, QStringLiteral("select * from rpt_lines order by id"));

    Report r;
    r.DataSet = &lines;
    int counter = 0;
    double balance = 0;
    Band* title = r.addBand(BandKind::Title, QStringLiteral("Title"), 10);
    title->BeforePrint = [&](Band&, bool&) {
        counter = 1;
        balance = 0;
    };
    Band* detail = r.addBand(BandKind::Detail, QStringLiteral("Detail"), 5);
    Label* rowNo = detail->addLabel(QString(), 0, 0, kBody);
    rowNo->name = QStringLiteral("row");
    Label* running = detail->addLabel(QString(), 100, 0, kBody, Qt::AlignRight);
    running->name = QStringLiteral("balance");
    Label* odd = detail->addLabel(QStringLiteral("odd"), 120, 0, kBody);
    odd->name = QStringLiteral("odd");
    DBText* code = detail->addDBText(&lines, QStringLiteral("sifra"), 20, 0, kBody);
    code->name = QStringLiteral("code");
    code->OnPrint = [](QString& text) { text = QStringLiteral("[%1]").arg(text); };
    detail->BeforePrint = [&](Band& b, bool& print) {
        const int id = lines.FieldByName(QStringLiteral("id")).AsInteger();
        if (id == 3) { // rows can be left out
            print = false;
            return;
        }
        QCOMPARE(&b, detail);
        rowNo->Caption = QString::number(counter++);
        balance += lines.FieldByName(QStringLiteral("kol")).AsFloat();
        running->Caption = kit::formatFloat(QStringLiteral("#,##0.00"), balance);
        odd->Enabled = id % 2 == 1;
    };
    Band* footer = r.addBand(BandKind::PageFooter, QStringLiteral("Footer"), 5);
    footer->BeforePrint = [](Band&, bool& print) { print = false; };

    for (int run = 0; run < 2; ++run) { // a second run starts its counters afresh
        const Document doc = r.layout();
        QCOMPARE(doc.bandCount(QStringLiteral("Detail")), 5);
        QCOMPARE(doc.bandCount(QStringLiteral("Footer")), 0);
        QCOMPARE(textsOf(doc, QStringLiteral("row")),
                 (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                              QStringLiteral("5")}));
        QCOMPARE(textsOf(doc, QStringLiteral("code")).first(), QStringLiteral("[A001]"));
        QVERIFY(!textsOf(doc, QStringLiteral("code")).contains(QStringLiteral("[A003]")));
        QCOMPARE(textsOf(doc, QStringLiteral("balance")).last(), QStringLiteral("18,009.00"));
        QCOMPARE(textsOf(doc, QStringLiteral("odd")).size(), 2); // rows 1 and 5
        // A left-out row takes no room: rows stay 5 mm apart.
        const Page& p = doc.pages.at(0);
        QCOMPARE(p.bands.at(2).rect.top() - p.bands.at(1).rect.top(), 5.0);
    }
}

void TestReportEngine::groupsChildrenAndPageHeaders()
{
    TestDatabase db;
    db.execAsAdmin(QStringLiteral("create table rpt_groups (grp varchar(5), n integer)"));
    db.exec(QStringLiteral("insert into rpt_groups values ('a', 1), ('a', 2), ('b', 3), ('c', 4), ('c', 5)"));
    data::Query q{&testsupport::mainDatabase()};
    openQuery(q, QStringLiteral("select grp, n from rpt_groups order by grp, n"));

    Report r;
    r.DataSet = &q;
    r.PageHeaderOnFirstPage = false;
    r.addBand(BandKind::PageHeader, QStringLiteral("PH"), 10);
    r.addBand(BandKind::ColumnHeader, QStringLiteral("CH"), 6);
    Band* gh = r.addGroupHeader(QStringLiteral("GH"), 6, QStringLiteral("grp"));
    r.addBand(BandKind::Detail, QStringLiteral("D"), 100);
    r.addChild(r.band(QStringLiteral("D")), QStringLiteral("C"), 40);
    r.addGroupFooter(QStringLiteral("GF"), 6, gh);
    r.addBand(BandKind::Summary, QStringLiteral("S"), 6);
    const Document doc = r.layout();

    QCOMPARE(bandSequence(doc).filter(QRegularExpression(QStringLiteral("^G|^D$|^S$"))),
             (QStringList{QStringLiteral("GH"), QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("GF"),
                          QStringLiteral("GH"), QStringLiteral("D"), QStringLiteral("GF"), QStringLiteral("GH"),
                          QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("GF"), QStringLiteral("S")}));
    QCOMPARE(doc.bandCount(QStringLiteral("C")), 5);
    QCOMPARE(doc.pages.at(0).bandCount(QStringLiteral("PH")), 0);
    for (int i = 0; i < doc.pageCount(); ++i) {
        const Page& p = doc.pages.at(i);
        QCOMPARE(p.bandCount(QStringLiteral("CH")), 1);
        QCOMPARE(p.bands.first().name, i == 0 ? QStringLiteral("CH") : QStringLiteral("PH"));
        // A child stays with its band.
        for (int k = 0; k < p.bands.size(); ++k)
            if (p.bands.at(k).name == QStringLiteral("D")) {
                QVERIFY(k + 1 < p.bands.size());
                QCOMPARE(p.bands.at(k + 1).name, QStringLiteral("C"));
            }
    }
    QVERIFY(doc.pageCount() >= 3);
}

void TestReportEngine::fontsAreMetricCompatible()
{
    const QFontInfo info(Font(10).toQFont());
    QVERIFY2(info.family() == QStringLiteral("Arial") || info.family() == QStringLiteral("Liberation Sans"),
             qPrintable(info.family()));
    // "Hello" in Arial 10 pt is 22.78 pt wide: 8.04 mm.
    QVERIFY(qAbs(textWidthMm(QStringLiteral("Hello"), Font(10)) - 8.04) < 0.15);
    QVERIFY(textWidthMm(QStringLiteral("Hello"), Font(10, true)) > textWidthMm(QStringLiteral("Hello"), Font(10)));
    QVERIFY(qAbs(lineHeightMm(Font(10)) - 4.0) < 0.5);
    // A face that is not installed still prints in a sans-serif font.
    QVERIFY(!QFontInfo(Font(QStringLiteral("MAC C Swiss"), 12, true).toQFont()).family().isEmpty());
}

void TestReportEngine::pdfHoldsTheText()
{
    TestDatabase db;
    const Document doc = DeliveryNote(db, 60, QStringLiteral("select * from rpt_lines order by id")).report.layout();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("note.pdf"));
    QString error;
    QVERIFY2(doc.writePdf(path, &error), qPrintable(error));
    const QString text = pdfText(path);
    QVERIFY2(text.contains(QStringLiteral("DELIVERY NOTE No.")), qPrintable(text.left(400)));
    QVERIFY(text.contains(QStringLiteral("09.12.2026")));
    QVERIFY(text.contains(QStringLiteral("1,000.50")));
    QVERIFY(text.contains(QStringLiteral("60,030.00")));
    QVERIFY(text.contains(QStringLiteral("Page 3 of 3")));
    QCOMPARE(text.count(QLatin1Char('\f')), 3); // one form feed per page
    QCOMPARE(text.count(QStringLiteral("myCompany")), 1);
    if (const QByteArray keep = qgetenv("DUREDIR_SAMPLE_PDF"); !keep.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(keep));
        QFile::copy(path, QString::fromLocal8Bit(keep));
    }

    // The printer path draws the same pages.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("printed.pdf")));
    printDocument(doc, &printer);
    const QString printed = pdfText(printer.outputFileName());
    QCOMPARE(printed.count(QLatin1Char('\f')), 3);
    QVERIFY(printed.contains(QStringLiteral("Received___________________________")));
    QVERIFY(printed.contains(QStringLiteral("Page 2 of 3")));

    // A place that cannot be written is reported, not passed over.
    QVERIFY(!doc.writePdf(dir.filePath(QStringLiteral("missing/x.pdf")), &error));
    QVERIFY(error.contains(QStringLiteral("missing/x.pdf")));

    // Pages render as pictures with ink on them.
    const QImage page = doc.renderPage(0, 50);
    QCOMPARE(page.size(), QSize(413, 585));
    int ink = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            ink += qGray(page.pixel(x, y)) < 128;
    QVERIFY(ink > 2000);
    QCOMPARE(page.pixelColor(5, 5), QColor(Qt::white)); // nothing in the margin
}

void TestReportEngine::previewExportsPdfBesidePrint()
{
    Report r;
    r.addBand(BandKind::Title, QStringLiteral("T"), 20)->addLabel(QStringLiteral("PREVIEW SAMPLE"), 10, 5, Font(14, true));
    const Document doc = r.layout();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("exported.pdf"));

    bool sawPreview = false;
    bool cancelFile = false;
    bool besidePrint = false;
    bool writtenOnCancel = true;
    QSize previewSize;
    QRect screenRoom;
    bool wholePage = false;
    kit::ScopedModalHandler modal([&](QDialog* d) -> int {
        if (auto* file = qobject_cast<QFileDialog*>(d)) {
            if (cancelFile)
                return QDialog::Rejected;
            file->selectFile(path);
            return QDialog::Accepted;
        }
        auto* preview = qobject_cast<QPrintPreviewDialog*>(d);
        if (!preview)
            return QDialog::Rejected;
        sawPreview = true;
        previewSize = preview->size();
        screenRoom = preview->screen()->availableGeometry();
        auto* view = preview->findChild<QPrintPreviewWidget*>();
        wholePage = view && view->zoomMode() == QPrintPreviewWidget::FitInView;
        auto* action = preview->findChild<QAction*>(QStringLiteral("ExportPdfAction"));
        if (!action)
            return QDialog::Rejected;
        const QList<QAction*> bar = preview->findChild<QToolBar*>()->actions();
        const int at = int(bar.indexOf(action));
        besidePrint = action->text() == QStringLiteral("Export PDF\u2026") && at > 0
                      && bar.at(at - 1)->text() == QPrintPreviewDialog::tr("Print");
        cancelFile = true;
        action->trigger(); // cancelled: nothing written
        writtenOnCancel = QFile::exists(path);
        cancelFile = false;
        action->trigger();
        return QDialog::Rejected;
    });
    showPreview(doc, nullptr, QStringLiteral("Preview"));
    QVERIFY(sawPreview);
    // The preview fits its screen, title bar included, and shows the whole page.
    QVERIFY2(previewSize.width() <= screenRoom.width() && previewSize.height() + 30 <= screenRoom.height(),
             qPrintable(QStringLiteral("%1x%2 on %3x%4")
                            .arg(previewSize.width())
                            .arg(previewSize.height())
                            .arg(screenRoom.width())
                            .arg(screenRoom.height())));
    QVERIFY(wholePage);
    // On a 1366x768 screen it keeps its width and loses only what does not fit in height.
    QCOMPARE(kit::fittedSize(QSize(900, 760), QRect(0, 0, 1366, 768), QMargins(6, 30, 6, 6)), QSize(900, 732));
    QCOMPARE(kit::fittedSize(QSize(900, 760), QRect(0, 0, 1920, 1080), QMargins(6, 30, 6, 6)), QSize(900, 760));
    QVERIFY(besidePrint);
    QVERIFY(!writtenOnCancel);
    QCOMPARE(modal.count(), 3);
    QVERIFY(pdfText(path).contains(QStringLiteral("PREVIEW SAMPLE")));
}

// A long report laid out a page at a time into a spool gives the pages laid out whole, page
// counts included; the dataset is read only as far as the pages laid out need; the preview
// of a long report shows its pages from the spool and exports them to PDF.
void TestReportEngine::longReportIsLaidOutPageByPage()
{
    TestDatabase db;
    createLines(db, 900);
    const QString paged = QStringLiteral("select * from rpt_lines where id > :page_after order by id limit :page_rows");
    data::Query lines{&testsupport::mainDatabase()};
    lines.setPaging(QStringLiteral("id"), 10);
    openQuery(lines, paged);
    Report whole;
    buildDeliveryNote(whole, &lines);
    const Document doc = whole.layout();
    QVERIFY(doc.pageCount() > reports::ReportWindow::pagesHeldWhole);
    QCOMPARE(textsOf(doc, QStringLiteral("Code")).size(), 900);

    openQuery(lines, paged);
    Report streamed;
    buildDeliveryNote(streamed, &lines);
    PageSpool spool(streamed.page.paperSize());
    LayoutRun run(streamed, spool);
    QVERIFY(run.step());
    QCOMPARE(spool.count(), 1);
    QVERIFY(!spool.complete());
    QVERIFY2(lines.RecordCount() <= 40, qPrintable(QString::number(lines.RecordCount())));
    while (run.step()) {
    }
    QVERIFY(spool.complete());
    QCOMPARE(spool.count(), doc.pageCount());
    for (int i = 0; i < doc.pageCount(); ++i) {
        const Page a = spool.pageAt(i);
        const Page& b = doc.pages.at(i);
        QCOMPARE(a.texts(), b.texts());
        QCOMPARE(a.items.size(), b.items.size());
        for (int k = 0; k < a.items.size(); ++k) {
            QCOMPARE(a.items.at(k).rect, b.items.at(k).rect);
            QCOMPARE(a.items.at(k).line, b.items.at(k).line);
            QVERIFY(a.items.at(k).font == b.items.at(k).font);
            QCOMPARE(a.items.at(k).name, b.items.at(k).name);
            QCOMPARE(a.items.at(k).band, b.items.at(k).band);
        }
        QCOMPARE(a.bands.size(), b.bands.size());
        for (int k = 0; k < a.bands.size(); ++k) {
            QCOMPARE(a.bands.at(k).name, b.bands.at(k).name);
            QCOMPARE(a.bands.at(k).rect, b.bands.at(k).rect);
        }
    }
    QCOMPARE(textsOf(QList<Page>{spool.pageAt(spool.count() - 1)}, QStringLiteral("PageNo")),
             QStringList{QStringLiteral("Page %1 of %1").arg(doc.pageCount())});

    // The preview of a long report: pages from the spool, the count known, PDF page by page.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    openQuery(lines, paged);
    reports::ReportWindow window;
    buildDeliveryNote(window.QuickRep1, &lines);
    QString countText;
    int shownPages = 0;
    kit::ScopedModalHandler modal([&](QDialog* d) -> int {
        if (auto* file = qobject_cast<QFileDialog*>(d)) {
            file->selectFile(path);
            return QDialog::Accepted;
        }
        auto* preview = qobject_cast<SpoolPreview*>(d);
        if (!preview)
            return QDialog::Rejected;
        countText = preview->pageCountText();
        shownPages = preview->shownPageCount();
        preview->setCurrentPage(shownPages - 1);
        preview->ExportPdfAction->trigger();
        return QDialog::Rejected;
    });
    window.Preview(nullptr);
    QCOMPARE(shownPages, doc.pageCount());
    QCOMPARE(countText, QStringLiteral("of %1").arg(doc.pageCount()));
    QCOMPARE(window.document().pageCount(), 0); // never held whole
    const QString text = pdfText(path);
    QVERIFY(text.contains(QStringLiteral("A900")));
    QVERIFY(text.contains(QStringLiteral("Page %1 of %1").arg(doc.pageCount())));
}

QTEST_MAIN(TestReportEngine)
#include "test_report_engine.moc"
