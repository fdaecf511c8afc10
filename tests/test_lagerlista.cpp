// The stock list: balances over the article ledger, search, refresh on activation, the
// chart, and its use as the article picker of goods dispatches.
#include "frame/picking.h"
#include "frame/tformsrgbase.h"
#include "data/query.h"
#include "data/database.h"
#include "kit/chartcategories.h"
#include "kit/csv.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "frame/tnavform.h"
#include "kit/pagecontrol.h"
#include "stores/stocklistreads.h"
#include "modules/lagerlista/tlagerlista.h"
#include "modules/magacin/tmagacin.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "stores/dispatchstock.h"
#include "support/appfixture.h"

#include <QBarCategoryAxis>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QMdiArea>
#include <QScrollArea>
#include <QScrollBar>
#include <QMdiSubWindow>
#include <QtTest>

#include <cmath>

using testsupport::AppFixture;

// Stands in for the goods dispatch window that asks for an article.
class DispatchCaller : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    using TFormSrgBase::TFormSrgBase;
    QList<int> received;
    void VnesiArtikalID(int id) override { received << id; }
};

namespace {

int addArticle(AppFixture& app, int code, const QString& name)
{
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(QStringLiteral("insert into artikli (sifra,artikal,edm) values (:a,:b,'PCS')"));
    q.ParamByName(QStringLiteral("a")).AsInteger(code);
    q.ParamByName(QStringLiteral("b")).AsString(name);
    q.ExecSQL();
    Q_UNUSED(app);
    return q.LastInsertId();
}

// A ledger row planted as it stands: the stock list must show what no store would write
// (more out than in, rows of an article that is gone).
void move(int article, const QString& kind, double in, double out)
{
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,"
                             "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label)"));
    q.SQL.Add(QStringLiteral("values (:v,1,0,:a,:i,:o,'2026-12-01',0,1)"));
    q.ParamByName(QStringLiteral("v")).AsString(kind);
    q.ParamByName(QStringLiteral("a")).AsInteger(article);
    q.ParamByName(QStringLiteral("i")).AsFloat(in);
    q.ParamByName(QStringLiteral("o")).AsFloat(out);
    q.ExecSQL();
}

// Grid rows as "code name in out saldo".
QStringList rows(TSLagerListaLista* w)
{
    QStringList out;
    for (int r = 0; r < w->Query1->RecordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < w->DBGrid1->ColCount(); ++c)
            if (c != 2)
                cells << w->DBGrid1->cellText(r, c);
        out << cells.join(QLatin1Char(' '));
    }
    return out;
}

// The text colour of each row's cell in `col` as the grid's model gives it; "" for none.
QStringList foregrounds(kit::DBGrid* grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
        const QVariant v = grid->model()->data(grid->model()->index(r, col), Qt::ForegroundRole);
        out << (v.isValid() ? v.value<QColor>().name() : QString());
    }
    return out;
}

} // namespace

class TestLagerLista : public QObject {
    Q_OBJECT

private slots:
    void balancesOverTheLedger();
    void absurdStoredRowsLeaveTheStockWorking();
    void searchNarrowsAndActivationRefreshes();
    void chartFollowsTheQuery();
    void chartShowsEveryNameAndScrolls();
    void pickOnlyWithStock();
    void enterInAMenuListDoesNothing();
    void longListIsReadAsTheGridScrolls();
};

void TestLagerLista::balancesOverTheLedger()
{
    AppFixture app;
    const int a = addArticle(app, 1, QStringLiteral("BOARD"));
    const int b = addArticle(app, 2, QStringLiteral("NAIL"));
    const int c = addArticle(app, 3, QStringLiteral("SCREW"));
    addArticle(app, 4, QStringLiteral("UNUSED")); // no ledger row: absent
    const int gone = addArticle(app, 5, QStringLiteral("GONE"));
    move(a, QStringLiteral("P"), 10, 0);
    move(a, QStringLiteral("I"), 0, 4);
    move(a, QStringLiteral("N"), 0, 0.5); // consumed by a work order: counts as out
    move(b, QStringLiteral("P"), 2.5, 0);
    move(b, QStringLiteral("I"), 0, 2.5); // exactly zero: still listed
    move(c, QStringLiteral("I"), 0, 3);   // more out than in: negative
    move(gone, QStringLiteral("P"), 9, 0);
    app.database().exec(QStringLiteral("delete from artikli where sifra=5"));
    // Products never appear (a product row planted under no work order).
    app.database().exec(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,"
                                       "id_proizvod,vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,"
                                       "proizvod_tarifa,document_id_label) values ('N',1,0,1,5,0,'2026-12-01',0,0,0,1)"));

    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("LagerLista-Lista "));
    QCOMPARE(rows(w), (QStringList{"1 BOARD 10.0000 4.5000 5.5000", "2 NAIL 2.5000 2.5000 0.0000",
                                   "3 SCREW 0.0000 3.0000 -3.0000"}));
    QCOMPARE(w->DBGrid1->columnTitle(5), QStringLiteral("Remain Quantity"));
    // A balance below zero in red, on screen only; no other cell coloured.
    QCOMPARE(foregrounds(w->DBGrid1, 5), (QStringList{"", "", kit::negativeRed().name()}));
    QCOMPARE(foregrounds(w->DBGrid1, 4), (QStringList{"", "", ""}));
    QVERIFY(app.main().Print1->isEnabled()); // a printable window
}

// Another program wrote absurd quantities: the stock list, its search and what a dispatch may
// take still work for every article, and the other articles' figures are exact. (MariaDB
// refused the whole statement once two rows of 1e308 overflowed the sum; SQLite summed them
// to infinity.)
void TestLagerLista::absurdStoredRowsLeaveTheStockWorking()
{
    AppFixture app;
    const int board = addArticle(app, 1, QStringLiteral("BOARD"));
    const int huge = addArticle(app, 2, QStringLiteral("HUGE"));
    const int low = addArticle(app, 3, QStringLiteral("LOW"));
    move(board, QStringLiteral("P"), 10, 0);
    move(board, QStringLiteral("I"), 0, 4);
    move(huge, QStringLiteral("P"), 1e308, 0);
    move(huge, QStringLiteral("P"), 1e308, 0);
    move(huge, QStringLiteral("I"), 0, 1);
    move(low, QStringLiteral("I"), 0, 1e308);
    move(low, QStringLiteral("I"), 0, 1e308);

    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    QVERIFY(w);
    QCOMPARE(w->Query1->RecordCount(), 3);
    QCOMPARE(w->DBGrid1->cellText(0, 5), QStringLiteral("6.0000"));
    // Held to a bound far above any real figure, with its sign: visibly absurd, finite.
    bool ok = false;
    QVERIFY(w->DBGrid1->cellText(1, 5).toDouble(&ok) > 1e13 && ok);
    QVERIFY(w->DBGrid1->cellText(2, 5).toDouble(&ok) < -1e13 && ok);
    QTest::keyClicks(w->Edit1, QStringLiteral("HU"));
    QCOMPARE(w->Query1->RecordCount(), 1);

    QCOMPARE(dispatchstock::read(app.database().db(), board, 0).available(), 6.0);
    const dispatchstock::Stored h = dispatchstock::read(app.database().db(), huge, 0);
    QVERIFY(std::isfinite(h.balance) && h.balance > 1e13);
    // A dispatch of the absurd article is let through as far as stock goes, and so is a
    // save: nothing fails for the whole stock.
    dispatchstock::checkInsideSave(app.database().db(), {{board, 6.0}, {huge, 5.0}}, 0);
}

void TestLagerLista::searchNarrowsAndActivationRefreshes()
{
    AppFixture app;
    const int a = addArticle(app, 1, QStringLiteral("BOARD PINE"));
    const int b = addArticle(app, 2, QStringLiteral("BOLT"));
    const int c = addArticle(app, 3, QStringLiteral("NAIL"));
    for (int id : {a, b, c})
        move(id, QStringLiteral("P"), 1, 0);
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    QTest::keyClicks(w->Edit1, QStringLiteral("bo"));
    QCOMPARE(w->Edit1->text(), QStringLiteral("BO"));
    QCOMPARE(w->Query1->RecordCount(), 2);
    QTest::keyClick(w->Edit1, Qt::Key_A);
    QCOMPARE(w->Query1->RecordCount(), 1);
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QCOMPARE(w->Query1->RecordCount(), 3);
    QTest::keyClicks(w->Edit1, QStringLiteral("_O"));
    QCOMPARE(w->Query1->RecordCount(), 2); // "_" stands for any one character

    // A movement booked elsewhere shows when the list comes back to the front.
    w->Edit1->clear();
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 7);
    AppFixture::settle();
    move(c, QStringLiteral("P"), 4, 0);
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    AppFixture::settle();
    w->Query1->Last();
    QCOMPARE(w->Query1->FieldByName(QStringLiteral("saldo")).AsString(), QStringLiteral("5.0000"));
    // Enter in the search box moves to the grid.
    w->Edit1->setFocus();
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->DBGrid1);
}

void TestLagerLista::chartFollowsTheQuery()
{
    AppFixture app;
    const int a = addArticle(app, 1, QStringLiteral("BOARD"));
    const int b = addArticle(app, 2, QStringLiteral("NAIL"));
    move(a, QStringLiteral("P"), 7, 0);
    move(b, QStringLiteral("P"), 3, 1);
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    w->PageControl1->setActivePageIndex(1);
    QCOMPARE(w->chartBars(), (QList<QPair<QString, double>>{{"BOARD", 7.0}, {"NAIL", 2.0}}));
    QCOMPARE(w->DBChart1->chart()->series().size(), 1);
    QTest::keyClicks(w->Edit1, QStringLiteral("N"));
    QCOMPARE(w->chartBars(), (QList<QPair<QString, double>>{{"NAIL", 2.0}}));
    // Two articles of one name: a bar each on the drawn axis, bottom up in reverse list order.
    move(addArticle(app, 3, QStringLiteral("BOARD")), QStringLiteral("P"), 4, 0);
    w->Edit1->clear();
    AppFixture::settle();
    auto* axis = qobject_cast<QBarCategoryAxis*>(w->DBChart1->chart()->axes(Qt::Vertical).value(0));
    QVERIFY(axis);
    QStringList shown;
    for (const QString& c : axis->categories())
        shown.prepend(kit::shownCategory(c));
    QCOMPARE(shown, (QStringList{"BOARD", "NAIL", "BOARD"}));
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty()) {
        w->Edit1->clear();
        AppFixture::settle();
        w->subWindow()->grab().save(dir + QStringLiteral("/stock-chart.png"));
        w->PageControl1->setActivePageIndex(0);
        w->subWindow()->grab().save(dir + QStringLiteral("/stock-list.png"));
    }
}

void TestLagerLista::chartShowsEveryNameAndScrolls()
{
    AppFixture app;
    constexpr int n = 150;
    QStringList names;
    for (int i = 1; i <= n; ++i) {
        names << QStringLiteral("STEEL BOLT M8x40 ZINC %1").arg(i, 4, 10, QLatin1Char('0'));
        move(addArticle(app, i, names.last()), QStringLiteral("P"), i % 7 == 0 ? 1 : 10 * i, 0);
    }
    const QString longName = QStringLiteral("HEXAGON SOCKET HEAD CAP SCREW DIN 912 STAINLESS A4-80 M12x160 "
                                            "PARTIALLY THREADED, BOX OF TWENTY FIVE");
    move(addArticle(app, n + 1, longName), QStringLiteral("P"), 5, 0);
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    w->subWindow()->resize(1100, 650);
    w->PageControl1->setActivePageIndex(1);
    AppFixture::settle();

    // The chart grows with the articles and scrolls; it is not squeezed into the page.
    QVERIFY(w->ChartScroll && w->ChartScroll->widget() == w->DBChart1);
    QVERIFY(w->DBChart1->height() >= (n + 1) * kit::barPitch);
    QVERIFY(w->ChartScroll->verticalScrollBar()->maximum() > 0);

    // Every bar has its name on the axis, drawn whole; only the very long one is shortened.
    QStringList shown;
    for (QGraphicsItem* item : w->DBChart1->scene()->items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            shown << text->toPlainText();
    for (const QString& name : names)
        QVERIFY2(shown.count(name) == 1, qPrintable(name));
    const QStringList shortened = shown.filter(QStringLiteral("\u2026"));
    QCOMPARE(shortened.size(), 1);
    QVERIFY(shortened.first().startsWith(QStringLiteral("HEXAGON")) && shortened.first().endsWith(QStringLiteral("FIVE")));
    QVERIFY(shown.filter(QStringLiteral("...")).isEmpty());
}

void TestLagerLista::pickOnlyWithStock()
{
    AppFixture app;
    const int zero = addArticle(app, 1, QStringLiteral("ZERO"));
    const int tiny = addArticle(app, 2, QStringLiteral("TINY"));
    const int some = addArticle(app, 3, QStringLiteral("SOME"));
    move(zero, QStringLiteral("P"), 2, 2);
    move(tiny, QStringLiteral("P"), 0.00001, 0); // 0.0000 after rounding: refused
    move(some, QStringLiteral("P"), 6.5, 0);

    auto* caller = new DispatchCaller;
    caller->Navigator = app.main().NavForm();
    caller->InitChild(nullptr, QStringLiteral("Goods dispatch-create new "), 2);
    AppFixture::settle();
    app.main().HandleCommand(32803);
    AppFixture::settle();
    auto* list = app.active<TSLagerListaLista>();
    QVERIFY(list);
    QCOMPARE(list->CallerForm.data(), caller);
    QCOMPARE(list->CommandCode, 32803);

    for (int row : {0, 1}) {
        list->Query1->setRecNo(row);
        QTest::keyClick(list->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QCOMPARE(app.active<TSLagerListaLista>(), list); // refused, still open
    }
    QCOMPARE(app.messages().size(), 2);
    QCOMPARE(app.messages().at(1).title, QStringLiteral("Warning !"));
    QCOMPARE(app.messages().at(1).text, QStringLiteral("Nema kolicina od toj artikal!!!"));
    QVERIFY(caller->received.isEmpty());
    QCOMPARE(list->GetArtikalSaldo(), -1.0f);

    list->Query1->setRecNo(2);
    QCOMPARE(list->GetArtikalSaldo(), 6.5f);
    QPointer<TSLagerListaLista> guard = list;
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(caller->received, QList<int>{some});
    QVERIFY(guard.isNull());
}

void TestLagerLista::enterInAMenuListDoesNothing()
{
    AppFixture app;
    const int a = addArticle(app, 1, QStringLiteral("BOARD"));
    move(a, QStringLiteral("P"), 1, 0);
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    QTest::keyClick(w->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSLagerListaLista>(), w);
    QVERIFY(app.messages().isEmpty());
    // Esc closes it.
    QTest::keyClick(w->DBGrid1, Qt::Key_Escape);
    AppFixture::settle();
    QVERIFY(app.windows<TSLagerListaLista>().isEmpty());
}

// More articles than one page: the grid reads the next page when it scrolls to the end, and
// whatever needs every row (the chart, the CSV export, the printed list) gets every row.
void TestLagerLista::longListIsReadAsTheGridScrolls()
{
    AppFixture app;
    const int total = stores::stocklist::pageRows * 2 + 17;
    {
        data::Transaction t(app.database().db());
        for (int i = 1; i <= total; ++i)
            move(addArticle(app, i, QStringLiteral("ART %1").arg(i, 4, 10, QLatin1Char('0'))), QStringLiteral("P"), i, 0);
        t.commit();
    }
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSLagerListaLista>();
    QCOMPARE(w->Query1->RecordCount(), stores::stocklist::pageRows);
    QCOMPARE(w->DBGrid1->model()->rowCount(), stores::stocklist::pageRows);

    // Ctrl+End goes to the last row read; the view then asks for the next page.
    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_End, Qt::ControlModifier);
    AppFixture::settle();
    QVERIFY(w->Query1->RecordCount() > stores::stocklist::pageRows);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(w->DBGrid1, Qt::Key_End, Qt::ControlModifier);
        AppFixture::settle();
    }
    QCOMPARE(w->DBGrid1->model()->rowCount(), total);
    QCOMPARE(w->DBGrid1->cellText(total - 1, 1), QStringLiteral("ART %1").arg(total, 4, 10, QLatin1Char('0')));
    QCOMPARE(w->Query1->RecNo(), total - 1);

    // A new search starts from its first page again; walking with Next reads on.
    QTest::keyClicks(w->Edit1, QStringLiteral("A"));
    QCOMPARE(w->Query1->RecordCount(), stores::stocklist::pageRows);
    int walked = 1;
    for (w->Query1->First(); (w->Query1->Next(), !w->Query1->Eof());)
        ++walked;
    QCOMPARE(walked, total);
    QCOMPARE(w->Query1->FieldByName(QStringLiteral("saldo")).AsFloat(), double(total));

    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QCOMPARE(w->Query1->RecordCount(), stores::stocklist::pageRows);
    w->PageControl1->setActivePageIndex(1);
    QCOMPARE(w->chartBars().size(), total);

    QTest::keyClick(w->Edit1, Qt::Key_Backspace);
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("stock.csv"));
    QVERIFY(kit::exportCsv(w->DBGrid1, csv));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("\r\n"), total + 1); // title line and every article
}

QTEST_MAIN(TestLagerLista)
#include "test_lagerlista.moc"
