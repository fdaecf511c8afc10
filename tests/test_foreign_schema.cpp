// The program on a database that a business's administrator made from the data model, not
// with duredir-db (tests/data/foreign-mariadb.sql): DECIMAL quantities and prices that the
// driver returns as text ("6.0000"), DATE dates, narrower VARCHAR texts, no unique indexes
// and no key in the ledger of articles. On the same data, every main flow must show the
// operator exactly what it shows on our own schema: the windows, the messages and the
// printed pages, to the last decimal shown.
#include "data/schema.h"
#include "dialogs/tsimport.h"
#include "ispratnica_fixture.h"
#include "production_fixture.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/maskedit.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "modules/nalog/tsnalogkorekcija.h"
#include "modules/nalog/tsnaloglista.h"
#include "modules/nalog/tsnalogvnes.h"
#include "modules/pregledartikal/tspregledartikallista.h"
#include "modules/pregledkomintent/tspregledkomintentlista.h"
#include "modules/reportfinan/tsreportfinanlista.h"
#include "reportdata.h"
#include "reports/reportwindow.h"
#include "support/appmain.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QtTest>

using namespace dispatches;
using reportdata::insert;

namespace {

QString ownSchema()
{
    return QString::fromUtf8(data::schemaSourceText(data::Engine::MariaDb));
}

QString foreignSchema()
{
    QFile f(QStringLiteral(DUREDIR_SOURCE_DIR "/tests/data/foreign-mariadb.sql"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The business both databases get: generated from a fixed seed, so both runs see the same
// rows under the same keys. Quantities have three decimals (none of them exact in binary);
// prices are whole even cents, discounts 0 or 20 % and the tax 18 %, so that no money figure
// lands exactly on half a cent, where DOUBLE and DECIMAL arithmetic may round apart.
struct Business {
    QList<int> partners, articles, employees, products, receipts, dispatches, orders;
};

QString day(int n)
{
    return QDate(2026, 9, 1).addDays(n).toString(QStringLiteral("yyyy-MM-dd"));
}

// Planted row by row, every column as another program would have filled it (firm numbers,
// discounts on dispatches, priced product rows): the stores write none of it.
Business generate()
{
    QRandomGenerator rnd(25);
    Business b;
    // The first name as long as the partner windows let it be (30), the foreign column's width.
    const QStringList partners{QStringLiteral("MEBEL PRODUKT DOOEL SKOPJE 300"), QStringLiteral("DRVO-KOMERC"),
                               QStringLiteral("BOJA I LAK"), QStringLiteral("KUPUVAC DOO")};
    for (const QString& name : partners)
        b.partners << insert(QStringLiteral("insert into komintenti (naziv,adresa,grad,tel,mobil,zirosmetka,edb,rabat) "
                                            "values (:p0,:p1,:p2,'02/123-456','070/111-222','300000000012345',"
                                            "'4030000123456',:p3)"),
                             {name, QStringLiteral("ULICA %1 BR. 7").arg(name.left(5)), QStringLiteral("1000 SKOPJE"),
                              int(rnd.bounded(3)) * 5});
    for (const char* name : {"ANA", "BOJAN"})
        b.employees << insert(QStringLiteral("insert into vraboteni (naziv,adresa) values (:p0,'PARTIZANSKA 1')"),
                              {QString::fromLatin1(name)});
    const QStringList units{QStringLiteral("PCS"), QStringLiteral("KG"), QStringLiteral("M2"), QStringLiteral("L")};
    for (int i = 0; i < 7; ++i)
        b.articles << insert(QStringLiteral("insert into artikli (sifra,artikal,edm) values (:p0,:p1,:p2)"),
                             {100 + i, QStringLiteral("ARTIKAL %1").arg(QChar(u'A' + i)), units.at(i % units.size())});
    // A quantity as the operator types it: at most `max`, three decimals.
    auto qty = [&](int max) { return double(rnd.bounded(1, max * 1000)) / 1000.0; };
    for (int i = 0; i < 3; ++i) {
        b.products << insert(QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) "
                                            "values (:p0,:p1,'PCS',:p2,18,0)"),
                             {i + 1, QStringLiteral("PROIZVOD %1").arg(i + 1), double(rnd.bounded(500, 50000) * 2) / 100});
        for (int a = i; a < i + 2; ++a)
            insert(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                                  "values (:p0,:p1,:p2,0)"),
                   {b.products.last(), b.articles.at(a), qty(3)});
    }
    // Receipts bring in every article; dispatches and orders take part of it out. Each
    // document has a day of its own: the article overview orders movements by date alone.
    for (int r = 0; r < 4; ++r) {
        const QString date = day(r * 9);
        b.receipts << reportdata::addReceipt(r + 1, date);
        for (int a = r; a < b.articles.size(); a += 2)
            reportdata::addMovement(QStringLiteral("P"), b.receipts.last(), b.partners.at(r % 3), b.articles.at(a),
                                    double(rnd.bounded(100000, 600000)) / 1000.0, 0, date, r + 1);
    }
    for (int d = 0; d < 3; ++d) {
        const QString date = day(d * 11 + 6);
        b.dispatches << insert(QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta,rabat) "
                                              "values (:p0,:p1,:p2,:p3)"),
                               {d + 1, date, day(d * 11 + 36), d == 1 ? 20 : 0});
        for (int a = d; a < d + 3; ++a)
            reportdata::addMovement(QStringLiteral("I"), b.dispatches.last(), b.partners.at(3), b.articles.at(a), 0,
                                    qty(40), date, d + 1);
        // What the financial report reads: products sold on the dispatch, with price and tax
        // (planted: the tables are another program's, and no store writes these rows).
        for (int p = 0; p <= d && p < b.products.size(); ++p)
            insert(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                                  "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,"
                                  "document_id_label) values ('I',:p0,:p1,:p2,0,:p3,:p4,0,:p5,18,:p6)"),
                   {b.dispatches.last(), b.partners.at(3), b.products.at(p), int(rnd.bounded(1, 10)), date,
                    double(rnd.bounded(500, 50000) * 2) / 100, d + 1});
    }
    for (int o = 0; o < 2; ++o) {
        const QString start = day(o * 14 + 2);
        b.orders << insert(QStringLiteral("insert into nalozi (nalog_id,datum_start,datum_finish,vraboten_id,prioritet) "
                                          "values (:p0,:p1,:p2,:p3,:p4)"),
                           {o + 1, start, day(o * 14 + 8), b.employees.at(o),
                            o ? QStringLiteral("BOJAN") : QStringLiteral("ANA")});
        insert(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                              "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,"
                              "document_id_label) values ('N',:p0,:p1,:p2,:p3,0,:p4,0,0,0,:p5)"),
               {b.orders.last(), b.partners.at(0), b.products.at(o), qty(5), start, o + 1});
        reportdata::addMovement(QStringLiteral("N"), b.orders.last(), b.partners.at(0), b.articles.at(o), 0, qty(9),
                                start, o + 1);
    }
    return b;
}

// What the operator sees, in order: every text of the windows looked at, the messages shown
// and the texts of the printed pages.
class Seen {
public:
    explicit Seen(AppFixture& app) : m_app(app) {}

    void window(const QString& step, QWidget* w)
    {
        messages();
        if (!w) {
            m_lines << step + QStringLiteral(": no window");
            return;
        }
        for (QWidget* c : w->findChildren<QWidget*>()) {
            const QString at = step + QLatin1Char(' ') + c->objectName();
            if (auto* grid = qobject_cast<kit::DBGrid*>(c)) {
                const int rows = grid->query() ? grid->query()->RecordCount() : 0;
                for (int r = 0; r < rows; ++r) {
                    QStringList cells;
                    for (int col = 0; col < grid->ColCount(); ++col)
                        cells << grid->cellText(r, col);
                    m_lines << at + QStringLiteral(" row %1: ").arg(r) + cells.join(QLatin1Char('|'));
                }
            } else if (auto* grid = qobject_cast<kit::StringGrid*>(c)) {
                for (int r = 0; r < grid->RowCount(); ++r) {
                    QStringList cells;
                    for (int col = 0; col < grid->ColCount(); ++col)
                        cells << grid->Cells(col, r);
                    m_lines << at + QStringLiteral(" row %1: ").arg(r) + cells.join(QLatin1Char('|'));
                }
            } else if (auto* edit = qobject_cast<QLineEdit*>(c)) {
                m_lines << at + QStringLiteral(": ") + edit->text();
            } else if (auto* label = qobject_cast<QLabel*>(c)) {
                m_lines << at + QStringLiteral(": ") + label->text();
            } else if (auto* chart = qobject_cast<QChartView*>(c)) {
                for (QAbstractSeries* s : chart->chart()->series())
                    if (auto* bars = qobject_cast<QAbstractBarSeries*>(s))
                        for (QBarSet* set : bars->barSets())
                            for (int i = 0; i < set->count(); ++i)
                                m_lines << at + QStringLiteral(" bar %1: %2").arg(i).arg(set->at(i));
            }
        }
    }

    // The Print command on the active window, confirmed; the pages its preview shows.
    void print(const QString& step)
    {
        bool previewed = false;
        m_app.onNextDialog([&](QDialog*) {
            if (auto* report = m_app.main().findChild<reports::ReportWindow*>()) {
                previewed = true;
                const report::Document& doc = report->document();
                for (int p = 0; p < doc.pages.size(); ++p)
                    for (const report::Item& item : doc.pages.at(p).items)
                        if (item.kind == report::ItemKind::Text)
                            m_lines << step + QStringLiteral(" page %1 %2: %3").arg(p).arg(item.name, item.text);
            }
            return int(kit::mrCancel);
        });
        m_app.main().Print1->trigger();
        AppFixture::settle();
        if (!previewed)
            m_lines << step + QStringLiteral(": nothing printed");
        messages();
    }

    void note(const QString& line) { m_lines << line; }

    // Messages shown since the last look.
    void messages()
    {
        for (int i = m_seenMessages; i < m_app.messages().size(); ++i)
            m_lines << QStringLiteral("message %1: %2").arg(m_app.messages().at(i).title, m_app.messages().at(i).text);
        m_seenMessages = int(m_app.messages().size());
    }

    const QStringList& lines() const { return m_lines; }

private:
    AppFixture& m_app;
    QStringList m_lines;
    int m_seenMessages = 0;
};

using Flow = void (*)(AppFixture&, const Business&, Seen&);

void receipt(AppFixture& app, const Business& b, Seen& seen)
{
    TSPriemnicaLista* list = openList(app);
    seen.window(QStringLiteral("receipt list"), list);
    TSPriemnicaVnes* entry = list ? openEntry(app, list) : nullptr;
    if (!entry)
        return seen.window(QStringLiteral("receipt entry"), entry);
    entry->VnesiKomintentiID(b.partners.at(0));
    entry->MaskEdit1->setText(day(40));
    addLine(app, entry, b.articles.at(1), QStringLiteral("12.375"));
    addLine(app, entry, b.articles.at(4), QStringLiteral("0.1"));
    addLine(app, entry, b.articles.at(6), QStringLiteral("7"));
    seen.window(QStringLiteral("receipt entry"), entry);
    entry->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("receipt saved"), list);

    TSPriemnicaKorekcija* edit = openEdit(app, list);
    seen.window(QStringLiteral("receipt edit"), edit);
    if (!edit)
        return;
    edit->MaskEdit1->setText(day(41));
    edit->StringGrid1->setRow(2);
    edit->BitBtn3->Click(); // the line of 0.1 goes
    addLine(app, edit, b.articles.at(2), QStringLiteral("3.333"));
    seen.window(QStringLiteral("receipt edited"), edit);
    edit->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("receipt updated"), list);
    seen.print(QStringLiteral("receipt print"));

    list->Query1->setRecNo(2); // an older, generated receipt
    list->Del1->trigger();
    AppFixture::settle();
    seen.window(QStringLiteral("receipt deleted"), list);
    edit = openEdit(app, list); // and the edit window of what is left opens still
    seen.window(QStringLiteral("receipt left"), edit);
}

void dispatch(AppFixture& app, const Business& b, Seen& seen)
{
    TSIspratnicaLista* list = openDispatchList(app);
    seen.window(QStringLiteral("dispatch list"), list);
    TSIspratnicaVnes* entry = list ? openDispatchEntry(app, list) : nullptr;
    if (!entry)
        return seen.window(QStringLiteral("dispatch entry"), entry);
    entry->VnesiKomintentiID(b.partners.at(3));
    entry->MaskEdit1->setText(day(42));
    // "Import" from the second receipt: the receipt list in pick mode, Enter on that receipt.
    entry->BitBtn4->Click();
    AppFixture::settle();
    auto* receipts = app.active<TSPriemnicaLista>();
    seen.window(QStringLiteral("dispatch import pick"), receipts);
    if (!receipts)
        return;
    receipts->Query1->setRecNo(2);
    answerImport(app, [&](TSImport* d) { seen.window(QStringLiteral("dispatch import dialog"), d); });
    QTest::keyClick(receipts->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    seen.note(QStringLiteral("balance offered: ") + addLineShowing(app, entry, b.articles.at(0), QStringLiteral("1.5")));
    seen.note(QStringLiteral("balance offered: ") + addLineShowing(app, entry, b.articles.at(3), QStringLiteral("0.25")));
    seen.window(QStringLiteral("dispatch entry"), entry);
    entry->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("dispatch saved"), list);

    TSIspratnicaKorekcija* edit = openDispatchEdit(app, list);
    seen.window(QStringLiteral("dispatch edit"), edit);
    if (!edit)
        return;
    edit->StringGrid1->setRow(1);
    edit->BitBtn3->Click();
    seen.note(QStringLiteral("balance offered: ") + addLineShowing(app, edit, b.articles.at(3), QStringLiteral("2.125")));
    seen.window(QStringLiteral("dispatch edited"), edit);
    edit->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("dispatch updated"), list);
    seen.print(QStringLiteral("dispatch print"));

    list->Query1->setRecNo(1);
    list->Del1->trigger();
    AppFixture::settle();
    seen.window(QStringLiteral("dispatch deleted"), list);
}

void workOrder(AppFixture& app, const Business& b, Seen& seen)
{
    app.main().Nalozi2->trigger();
    AppFixture::settle();
    auto* list = app.active<TSNalogLista>();
    seen.window(QStringLiteral("order list"), list);
    if (!list)
        return;
    list->Nov1->trigger();
    AppFixture::settle();
    auto* entry = app.active<TSNalogVnes>();
    if (!entry)
        return seen.window(QStringLiteral("order entry"), entry);
    entry->ReceivePartner(b.partners.at(1));
    entry->ReceiveEmployee(b.employees.at(1));
    entry->MaskEdit1->setText(day(43));
    entry->MaskEdit2->setText(day(50));
    for (const auto& [product, quantity] : {qMakePair(0, "2.5"), qMakePair(2, "1.125")}) {
        production::answerProductQuantity(app, QString::fromLatin1(quantity));
        entry->ReceiveProduct(b.products.at(product));
    }
    seen.window(QStringLiteral("order entry"), entry);
    entry->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("order saved"), list);
    list->Query1->setRecNo(0);
    list->Query2->setRecNo(1); // the consumption of the second line
    seen.window(QStringLiteral("order second line"), list);

    list->Korekcija1->trigger();
    AppFixture::settle();
    auto* edit = app.active<TSNalogKorekcija>();
    seen.window(QStringLiteral("order edit"), edit);
    if (!edit)
        return;
    edit->MaskEdit2->setText(day(52));
    edit->StringGrid1->setRow(1);
    edit->BitBtn3->Click();
    production::answerProductQuantity(app, QStringLiteral("4.2"));
    edit->ReceiveProduct(b.products.at(1));
    seen.window(QStringLiteral("order edited"), edit);
    edit->BitBtn1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("order updated"), list);
    seen.print(QStringLiteral("order print"));
}

void stockList(AppFixture& app, const Business&, Seen& seen)
{
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* list = app.active<TSLagerListaLista>();
    seen.window(QStringLiteral("stock list"), list);
    if (!list)
        return;
    seen.print(QStringLiteral("stock print"));
    QTest::keyClicks(list->Edit1, QStringLiteral("ARTIKAL %"));
    seen.window(QStringLiteral("stock list searched"), list);
}

void articleOverview(AppFixture& app, const Business& b, Seen& seen)
{
    app.main().PregledipoArtikli1->trigger();
    AppFixture::settle();
    auto* overview = app.active<TSPregledArtikalLista>();
    if (!overview)
        return seen.window(QStringLiteral("article overview"), overview);
    for (int r = 0; r < overview->Query1->RecordCount(); ++r) {
        overview->Query1->setRecNo(r);
        seen.window(QStringLiteral("article overview %1").arg(r), overview);
    }
    overview->Query1->setRecNo(int(b.articles.size() / 2));
    seen.print(QStringLiteral("article card"));
}

void partnerOverview(AppFixture& app, const Business&, Seen& seen)
{
    app.main().PregledipoKomintenti1->trigger();
    AppFixture::settle();
    auto* overview = app.active<TSPregledKomintentLista>();
    if (!overview)
        return seen.window(QStringLiteral("partner overview"), overview);
    for (int r = 0; r < overview->Query1->RecordCount(); ++r) {
        overview->Query1->setRecNo(r);
        seen.window(QStringLiteral("partner overview %1").arg(r), overview);
    }
    overview->Query1->setRecNo(0);
    overview->BitBtn4->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("partner overview report"), overview);
    seen.print(QStringLiteral("partner card"));
}

void financialReport(AppFixture& app, const Business&, Seen& seen)
{
    if (auto* item = app.main().findChild<QAction*>(QStringLiteral("FinansovIzvestaj1")))
        item->trigger();
    AppFixture::settle();
    auto* report = app.active<TSReportFinanLista>();
    if (!report)
        return seen.window(QStringLiteral("financial report"), report);
    report->MaskEdit1->setText(day(0));
    report->MaskEdit2->setText(day(30));
    report->Button1->Click();
    AppFixture::settle();
    seen.window(QStringLiteral("financial report"), report);
    seen.print(QStringLiteral("financial print"));
}

QStringList run(const QString& schema, Flow flow)
{
    AppFixture app(schema);
    const Business b = generate();
    Seen seen(app);
    flow(app, b, seen);
    seen.messages();
    return seen.lines();
}

} // namespace

Q_DECLARE_METATYPE(Flow)

class TestForeignSchema : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void operatorSeesTheSame_data();
    void operatorSeesTheSame();
};

void TestForeignSchema::initTestCase()
{
    if (!testsupport::onMariaDb())
        QSKIP("The foreign schema is a MariaDB schema: this test runs with DUREDIR_TEST_MARIADB_SOCKET set");
}

void TestForeignSchema::operatorSeesTheSame_data()
{
    QTest::addColumn<Flow>("flow");
    QTest::addColumn<QString>("expected"); // a line the flow must show on both schemas
    QTest::newRow("goods receipt: entry, edit, print, delete")
        << Flow(receipt) << QStringLiteral("message Information: Goods receipt,successful updated !!!");
    QTest::newRow("goods dispatch: import, entry, edit, print, delete")
        << Flow(dispatch) << QStringLiteral("message Information: Goods dispatch, successful updated !!!");
    QTest::newRow("work order: entry, edit, print")
        << Flow(workOrder) << QStringLiteral("message Information: Nalogot e uspesno koregiran !!!");
    QTest::newRow("stock list and its print") << Flow(stockList) << QString();
    QTest::newRow("article overview and card") << Flow(articleOverview) << QString();
    QTest::newRow("partner overview and report") << Flow(partnerOverview) << QString();
    QTest::newRow("financial report and print") << Flow(financialReport) << QString();
}

void TestForeignSchema::operatorSeesTheSame()
{
    QFETCH(Flow, flow);
    QFETCH(QString, expected);
    const QString foreign = foreignSchema();
    QVERIFY(!foreign.isEmpty());

    const QStringList own = run(ownSchema(), flow);
    const QStringList theirs = run(foreign, flow);
    for (const QStringList* lines : {&own, &theirs}) {
        QVERIFY(lines->size() > 10);
        for (const QString& line : *lines) {
            QVERIFY2(!line.startsWith(QLatin1String("message Error")), qPrintable(line));
            QVERIFY2(!line.endsWith(QLatin1String(": nothing printed")), qPrintable(line));
            QVERIFY2(!line.endsWith(QLatin1String(": no window")), qPrintable(line));
        }
        if (!expected.isEmpty())
            QVERIFY2(lines->contains(expected), qPrintable(expected));
    }
    for (int i = 0; i < qMin(own.size(), theirs.size()); ++i)
        if (own.at(i) != theirs.at(i))
            QFAIL(qPrintable(QStringLiteral("line %1 differs\n  our schema:     %2\n  foreign schema: %3")
                                 .arg(i)
                                 .arg(own.at(i), theirs.at(i))));
    QCOMPARE(theirs.size(), own.size());
}

DUREDIR_APP_TEST_MAIN(TestForeignSchema)
#include "test_foreign_schema.moc"
