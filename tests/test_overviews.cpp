// The article and partner overviews: totals and movements read from the ledger, per firm
// number, the search, the chart and the stepping through partners.
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/chartcategories.h"
#include "kit/dbgrid.h"
#include "kit/dbtext.h"
#include "kit/edit.h"
#include "kit/pagecontrol.h"
#include "modules/magacin/tmagacin.h"
#include "modules/pregledartikal/tspregledartikallista.h"
#include "modules/pregledkomintent/tspregledkomintentlista.h"
#include "reportdata.h"
#include "support/appfixture.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using reportdata::insert;
using testsupport::AppFixture;

namespace {

int article(const QString& name)
{
    return insert(QStringLiteral("insert into artikli (sifra,artikal,edm) values (:p0,:p1,'KG')"),
                  {int(qHash(name) % 1000), name});
}

int partner(const QString& name)
{
    return insert(QStringLiteral("insert into komintenti (naziv,adresa,grad,tel,mobil,rabat) values "
                                 "(:p0,'MAIN 1','1000 CITY','02/111','070/222',0)"),
                  {name});
}

// A ledger row planted as it stands: the overviews are read over rows the stores never write
// (firm numbers, articles that are gone).
void movement(const QString& kind, int doc, int partnerId, int articleId, double in, double out, const QString& date,
              int firm = 0)
{
    insert(QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                          "izlez_kol,datum_referenca,firma_id,document_id_label) "
                          "values (:p0,:p1,:p2,:p3,:p4,:p5,:p6,:p7,:p1)"),
           {kind, doc, partnerId, articleId, in, out, date, firm});
}

QStringList column(kit::DBGrid* grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->cellText(r, col);
    return out;
}

} // namespace

class TestOverviews : public QObject {
    Q_OBJECT

private slots:
    void articleTotalsAndMovements();
    void articleOverviewPerFirmAndSearch();
    void partnerOverviewPerFirmOrderedByNumber();
    void partnerChartFollowsAndStepping();
    void partnerChartHasAPairPerRowEvenOfEqualNames();
};

void TestOverviews::articleTotalsAndMovements()
{
    AppFixture app;
    const int board = article(QStringLiteral("BOARD"));
    const int supplier = partner(QStringLiteral("TIMBER LTD"));
    movement(QStringLiteral("P"), 1, supplier, board, 10, 0, QStringLiteral("2026-03-01"));
    movement(QStringLiteral("I"), 2, 999, board, 0, 4, QStringLiteral("2026-03-05")); // partner gone
    movement(QStringLiteral("N"), 3, supplier, board, 0, 7, QStringLiteral("2026-03-04"));
    movement(QStringLiteral("X"), 4, supplier, board, 1, 0, QStringLiteral("2026-03-06")); // unknown kind
    movement(QStringLiteral("I"), 5, supplier, article(QStringLiteral("NAIL")), 0, 2, QStringLiteral("2026-03-07"));
    app.main().PregledipoArtikli1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSPregledArtikalLista>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("PregledArtikal-Lista "));
    QCOMPARE(column(w->DBGrid1, 1), (QStringList{"BOARD", "NAIL"}));
    QCOMPARE(column(w->DBGrid1, 5), (QStringList{"0.0000", "-2.0000"})); // BOARD 11 in, 11 out
    // The balance below zero in red (on screen only), zero not.
    const auto colour = [w](int row, int col) {
        return w->DBGrid1->model()->data(w->DBGrid1->model()->index(row, col), Qt::ForegroundRole);
    };
    QVERIFY(!colour(0, 5).isValid());
    QCOMPARE(colour(1, 5).value<QColor>(), kit::negativeRed());
    QVERIFY(!colour(1, 4).isValid());
    // Movements oldest first, kinds as words, gone partner and unknown kind empty.
    QCOMPARE(column(w->DBGrid2, 0), (QStringList{"TIMBER LTD", "TIMBER LTD", "", "TIMBER LTD"}));
    QCOMPARE(column(w->DBGrid2, 1), (QStringList{"RECEIPT", "ORDER", "DISPATCH", ""}));
    QCOMPARE(column(w->DBGrid2, 2), (QStringList{"1", "3", "2", "4"}));
    QCOMPARE(column(w->DBGrid2, 5).first(), QStringLiteral("2026-03-01"));
    QCOMPARE(w->DBGrid2->columnTitle(0), QStringLiteral("Customer -Company"));
    QVERIFY(app.main().Print1->isEnabled());
}

void TestOverviews::articleOverviewPerFirmAndSearch()
{
    AppFixture app;
    const int board = article(QStringLiteral("BOARD"));
    const int nail = article(QStringLiteral("NAIL"));
    movement(QStringLiteral("P"), 1, 0, board, 5, 0, QStringLiteral("2026-01-01"), 0);
    movement(QStringLiteral("P"), 2, 0, board, 3, 0, QStringLiteral("2026-01-02"), 7);
    movement(QStringLiteral("P"), 3, 0, nail, 1, 0, QStringLiteral("2026-01-03"), 0);
    app.main().PregledipoArtikli1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSPregledArtikalLista>();
    // Two rows of BOARD (one per firm number); each detail lists the movements of both.
    QCOMPARE(column(w->DBGrid1, 1), (QStringList{"BOARD", "BOARD", "NAIL"}));
    QCOMPARE(w->Query2->RecordCount(), 2);
    w->Query1->setRecNo(1);
    QCOMPARE(w->Query2->RecordCount(), 2);
    w->Query1->setRecNo(2);
    QCOMPARE(w->Query2->RecordCount(), 1);
    // The search narrows the master; the detail follows its new current row.
    QTest::keyClicks(w->Edit1, QStringLiteral("na"));
    QCOMPARE(column(w->DBGrid1, 1), QStringList{"NAIL"});
    QCOMPARE(w->Query2->RecordCount(), 1);
    QTest::keyClicks(w->Edit1, QStringLiteral("X"));
    QVERIFY(w->Query1->IsEmpty());
    QVERIFY(w->Query2->IsEmpty());
    // It does not refresh by itself on activation: a new movement shows after a search change.
    w->Edit1->clear();
    movement(QStringLiteral("I"), 4, 0, nail, 0, 1, QStringLiteral("2026-01-04"));
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 7);
    AppFixture::settle();
    w->subWindow()->mdiArea()->setActiveSubWindow(w->subWindow());
    AppFixture::settle();
    w->Query1->setRecNo(2);
    QCOMPARE(w->Query1->FieldByName(QStringLiteral("saldo")).AsString(), QStringLiteral("1.0000"));
    QTest::keyClicks(w->Edit1, QStringLiteral("N"));
    QCOMPARE(w->Query1->FieldByName(QStringLiteral("saldo")).AsString(), QStringLiteral("0.0000"));
    QCOMPARE(w->Query2->RecordCount(), 2);
}

void TestOverviews::partnerOverviewPerFirmOrderedByNumber()
{
    AppFixture app;
    const int board = article(QStringLiteral("BOARD"));
    const int alpha = partner(QStringLiteral("ALPHA"));
    const int beta = partner(QStringLiteral("BETA"));
    partner(QStringLiteral("IDLE")); // no movements: absent
    movement(QStringLiteral("P"), 3, alpha, board, 5, 0, QStringLiteral("2026-01-09"));
    movement(QStringLiteral("I"), 10, alpha, board, 0, 2, QStringLiteral("2026-01-01"));
    movement(QStringLiteral("P"), 7, alpha, board, 1, 0, QStringLiteral("2026-01-05"), 2);
    movement(QStringLiteral("I"), 4, beta, 999, 0, 1, QStringLiteral("2026-01-02")); // article gone
    // Planted: a product row under no work order, of a partner with no article rows.
    app.database().exec(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,"
                                       "id_proizvod,vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,"
                                       "proizvod_tarifa,document_id_label) values ('N',1,%1,1,5,0,'2026-01-01',0,0,0,1)")
                            .arg(partner(QStringLiteral("ONLY PRODUCTS"))));
    app.main().PregledipoKomintenti1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSPregledKomintentLista>();
    QVERIFY(w);
    QCOMPARE(column(w->DBGrid1, 1), (QStringList{"ALPHA", "ALPHA", "BETA"}));
    // Highest document number first, only the movements of the row's firm number.
    w->Query1->First();
    const QString firstFirm = w->Query1->FieldByName(QStringLiteral("firma_id")).AsString();
    QCOMPARE(column(w->DBGrid2, 2), firstFirm == QLatin1String("0") ? (QStringList{"10", "3"}) : QStringList{"7"});
    QCOMPARE(column(w->DBGrid2, 0).first(),
             firstFirm == QLatin1String("0") ? QStringLiteral("DISPATCH") : QStringLiteral("RECEIPT"));
    w->Query1->setRecNo(1);
    QCOMPARE(w->Query2->RecordCount(), firstFirm == QLatin1String("0") ? 1 : 2);
    // A movement whose article is gone shows empty code, name and unit.
    w->Query1->Last();
    QCOMPARE(column(w->DBGrid2, 4), QStringList{QString()});
    QCOMPARE(column(w->DBGrid2, 3), QStringList{QString()});
}

void TestOverviews::partnerChartFollowsAndStepping()
{
    AppFixture app;
    const int board = article(QStringLiteral("BOARD"));
    const int nail = article(QStringLiteral("NAIL"));
    const int alpha = partner(QStringLiteral("ALPHA"));
    const int beta = partner(QStringLiteral("BETA"));
    movement(QStringLiteral("P"), 1, alpha, board, 5, 0, QStringLiteral("2026-01-01"));
    movement(QStringLiteral("I"), 2, alpha, nail, 0, 2, QStringLiteral("2026-01-02"));
    movement(QStringLiteral("I"), 3, beta, board, 0, 1.5, QStringLiteral("2026-01-03"));
    app.main().PregledipoKomintenti1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSPregledKomintentLista>();
    using Bar = TSPregledKomintentLista::Bar;
    const QList<Bar> alphaBars{{"NAIL", 0, 2}, {"BOARD", 5, 0}};
    const QList<Bar> betaBars{{"BOARD", 0, 1.5}};
    QCOMPARE(w->chartBars(), alphaBars);
    QCOMPARE(w->DBText1->Caption(), QStringLiteral("ALPHA"));
    w->BitBtn3->Click(); // previous on the first row: nothing moves
    QCOMPARE(w->chartBars(), alphaBars);
    w->BitBtn4->Click();
    QCOMPARE(w->chartBars(), betaBars);
    QCOMPARE(w->DBText1->Caption(), QStringLiteral("BETA"));
    w->BitBtn4->Click(); // next on the last row: the chart stays
    QCOMPARE(w->chartBars(), betaBars);
    QCOMPARE(w->DBText1->Caption(), QStringLiteral("BETA"));
    w->BitBtn3->Click();
    QCOMPARE(w->chartBars(), alphaBars);
    // Selecting a row in the grid moves the chart too.
    w->DBGrid1->selectRow(1);
    QCOMPARE(w->chartBars(), betaBars);
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty()) {
        w->PageControl2->setActivePageIndex(1);
        AppFixture::settle();
        w->subWindow()->grab().save(dir + QStringLiteral("/partner-chart.png"));
        w->PageControl2->setActivePageIndex(0);
        w->subWindow()->grab().save(dir + QStringLiteral("/partner-table.png"));
    }
}

void TestOverviews::partnerChartHasAPairPerRowEvenOfEqualNames()
{
    AppFixture app;
    const int sheet = article(QStringLiteral("SHEET"));
    const int glue = article(QStringLiteral("GLUE"));
    const int p = partner(QStringLiteral("ALPHA"));
    movement(QStringLiteral("P"), 1, p, sheet, 5, 0, QStringLiteral("2026-01-01"));
    movement(QStringLiteral("P"), 2, p, sheet, 3, 0, QStringLiteral("2026-01-02"));
    movement(QStringLiteral("P"), 3, p, 999, 1, 0, QStringLiteral("2026-01-03")); // article gone: no name
    movement(QStringLiteral("P"), 4, p, glue, 4, 0, QStringLiteral("2026-01-04"));
    app.main().PregledipoKomintenti1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSPregledKomintentLista>();
    QVERIFY(w);
    // The chart as drawn: one category per detail row, in the detail's order, named as the
    // row, and the row's quantities at that category.
    QChart* chart = w->DBChart1->chart();
    auto* axis = qobject_cast<QBarCategoryAxis*>(chart->axes(Qt::Horizontal).value(0));
    auto* series = qobject_cast<QBarSeries*>(chart->series().value(0));
    QVERIFY(axis && series);
    QStringList shown;
    for (const QString& c : axis->categories())
        shown << kit::shownCategory(c);
    const QStringList names = column(w->DBGrid2, 4);
    QCOMPARE(names.size(), 4);
    QCOMPARE(shown, names);
    QCOMPARE(names.count(QStringLiteral("SHEET")), 2);
    QStringList in;
    for (int i = 0; i < series->barSets().at(0)->count(); ++i)
        in << QString::number(series->barSets().at(0)->at(i));
    QStringList inColumn;
    for (const QString& q : column(w->DBGrid2, 6))
        inColumn << QString::number(q.toDouble());
    QCOMPARE(in, inColumn);
}

QTEST_MAIN(TestOverviews)
#include "test_overviews.moc"
