// The Gantt chart: rows by employee, bars from start to finish, hints, zoom by dragging,
// the "3D View" box; and the chart window opened from the Production menu.
#include "app/tform1.h"
#include "kit/checkbox.h"
#include "kit/dbgrid.h"
#include "kit/ganttchart.h"
#include "kit/pagecontrol.h"
#include "modules/nalog/tsnaloggraphic.h"
#include "production_fixture.h"
#include "support/appmain.h"

#include <QImage>
#include <QtTest>

using namespace production;

namespace {

QDateTime day(const char* iso)
{
    return QDateTime(QDate::fromString(QString::fromLatin1(iso), Qt::ISODate), QTime(0, 0));
}

QImage render(QWidget* w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    w->render(&image);
    return image;
}

// Three tasks: two of employee 7 (stored under two spellings of the name), one of employee 3.
void fill(kit::GanttChart& chart)
{
    chart.addTask(7, QStringLiteral("ANA"), day("2026-03-02"), day("2026-03-09"));
    chart.addTask(3, QStringLiteral("BOJAN"), day("2026-03-04"), day("2026-03-06"));
    chart.addTask(7, QStringLiteral("ANA M."), day("2026-03-10"), day("2026-03-12"));
}

} // namespace

class TestGantt : public QObject {
    Q_OBJECT
private slots:
    void rowsPerKeyAndBarsByDate();
    void hintsOnBars();
    void view3DChangesTheImageAndBack();
    void dragZoomsAndDragBackReturns();
    void windowFromTheProductionMenu();
};

void TestGantt::rowsPerKeyAndBarsByDate()
{
    kit::GanttChart chart;
    chart.resize(800, 400);
    fill(chart);
    // Sorted by start: ANA, BOJAN, ANA M.
    QCOMPARE(chart.tasks().at(1).label, QStringLiteral("BOJAN"));
    QCOMPARE(chart.rowKeys(), QList<int>({3, 7}));
    QCOMPARE(chart.rowOf(0), 1);
    QCOMPARE(chart.rowOf(2), 1);
    QCOMPARE(chart.rowOf(1), 0);
    const QRectF ana = chart.barRect(0);
    const QRectF bojan = chart.barRect(1);
    const QRectF later = chart.barRect(2);
    QCOMPARE(ana.top(), later.top());
    QVERIFY(bojan.bottom() < ana.top());
    // Seven days against two: the lengths keep the proportion; the later order starts after the first ends.
    QVERIFY(qAbs(ana.width() / later.width() - 3.5) < 0.01);
    QVERIFY(later.left() > ana.right());
    QVERIFY(chart.plotRect().contains(ana.toRect()));
    // Every bar has its own colour, the first one the base colour.
    QCOMPARE(chart.tasks().at(0).color, QColor(Qt::red));
    QVERIFY(chart.tasks().at(1).color != chart.tasks().at(0).color);
    QVERIFY(chart.tasks().at(2).color != chart.tasks().at(1).color);
    QVERIFY(chart.tasks().at(2).color != chart.tasks().at(0).color);
}

void TestGantt::hintsOnBars()
{
    kit::GanttChart chart;
    chart.resize(800, 400);
    fill(chart);
    QCOMPARE(chart.hintAt(chart.barRect(2).center().toPoint()), QStringLiteral("ANA M.\n10.03.2026 - 12.03.2026"));
    QCOMPARE(chart.taskAt(chart.barRect(1).center().toPoint()), 1);
    QVERIFY(chart.hintAt(QPoint(2, 2)).isEmpty());
}

void TestGantt::view3DChangesTheImageAndBack()
{
    kit::GanttChart chart;
    chart.resize(800, 400);
    chart.Title = QStringLiteral("Gantt cart - Vraboteni , Nalozi");
    fill(chart);
    QVERIFY(chart.View3D());
    const QImage deep = render(&chart);
    chart.setView3D(false);
    const QImage flat = render(&chart);
    QVERIFY(deep != flat);
    // Flat: just above the middle of a bar lies the plot's white; in 3D the bar's top face is there.
    const QPoint above = chart.barRect(0).topLeft().toPoint() + QPoint(8, -3);
    QCOMPARE(flat.pixelColor(above), QColor(Qt::white));
    // No text inside a bar: its face is its colour alone (the hint keeps the details).
    const QRect face = chart.barRect(0).toRect().adjusted(2, 2, -2, -2);
    int otherPixels = 0;
    for (int y = face.top(); y <= face.bottom(); ++y)
        for (int x = face.left(); x <= face.right(); ++x)
            otherPixels += flat.pixelColor(x, y) != chart.tasks().at(0).color;
    QCOMPARE(otherPixels, 0);
    chart.setView3D(true);
    const QPoint aboveDeep = chart.barRect(0).topLeft().toPoint() + QPoint(8, -3);
    QCOMPARE(render(&chart), deep);
    QVERIFY(deep.pixelColor(aboveDeep) != QColor(Qt::white));
    chart.setView3D(false);
    QCOMPARE(render(&chart), flat);
}

void TestGantt::dragZoomsAndDragBackReturns()
{
    kit::GanttChart chart;
    chart.resize(800, 400);
    fill(chart);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QDateTime fullFrom = chart.visibleStart();
    const QDateTime fullTo = chart.visibleFinish();
    QCOMPARE(fullFrom, day("2026-03-01"));
    QCOMPARE(fullTo, day("2026-03-13"));

    const QRectF ana = chart.barRect(0);
    const int y = int(chart.plotRect().center().y());
    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(int(ana.left()), y));
    QTest::mouseMove(&chart, QPoint(int(ana.right()), y));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(int(ana.right()), y));
    // Animated: the span narrows over a short while to about the first bar's week.
    QVERIFY(chart.visibleStart() < day("2026-03-02").addSecs(-3600));
    QTRY_VERIFY(qAbs(chart.visibleStart().secsTo(day("2026-03-02"))) < qint64(3) * 3600);
    QTRY_VERIFY(qAbs(chart.visibleFinish().secsTo(day("2026-03-09"))) < qint64(3) * 3600);
    QVERIFY(chart.isZoomed());
    QVERIFY(chart.barRect(0).width() > ana.width() * 1.5);

    QTest::mousePress(&chart, Qt::LeftButton, {}, QPoint(int(ana.right()), y));
    QTest::mouseMove(&chart, QPoint(int(ana.left()), y));
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, QPoint(int(ana.left()), y));
    QTRY_COMPARE(chart.visibleStart(), fullFrom);
    QTRY_COMPARE(chart.visibleFinish(), fullTo);
    QVERIFY(!chart.isZoomed());
}

void TestGantt::windowFromTheProductionMenu()
{
    AppFixture app;
    const Master m = seed(app);
    storeOrder(app, 1, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {{m.p, 1}});
    storeOrder(app, 2, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-04"), QStringLiteral("2026-03-06"),
               m.acme, {});
    storeOrder(app, 3, m.ana, QStringLiteral("ANA M."), QStringLiteral("2026-03-10"), QStringLiteral("2026-03-12"),
               m.beta, {});
    QVERIFY(app.main().PregledpoNalozi1->isEnabled());
    app.main().PregledpoNalozi1->trigger();
    AppFixture::settle();
    auto* w = app.active<TSNalogGraphic>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Nalog-Kreiraj Graficki prikaz "));
    QCOMPARE(w->PageControl1->tabText(0), QStringLiteral("Gantt Chart"));
    QCOMPARE(w->PageControl1->tabText(1), QStringLiteral("Tabela"));

    // Two orders of ANA on one row, each with the name stored with it.
    kit::GanttChart* chart = w->DBChart1;
    QCOMPARE(chart->tasks().size(), 3);
    QCOMPARE(chart->rowKeys().size(), 2);
    QCOMPARE(chart->tasks().at(0).label, QStringLiteral("ANA"));
    QCOMPARE(chart->tasks().at(2).label, QStringLiteral("ANA M."));
    QCOMPARE(chart->rowOf(0), chart->rowOf(2));
    QVERIFY(chart->rowOf(1) != chart->rowOf(0));
    QCOMPARE(chart->tasks().at(0).start, day("2026-03-02"));
    QCOMPARE(chart->tasks().at(0).finish, day("2026-03-09"));

    QVERIFY(w->CheckBox1->Checked());
    QVERIFY(chart->View3D());
    const QImage deep = render(chart);
    w->CheckBox1->click();
    QVERIFY(!chart->View3D());
    QVERIFY(render(chart) != deep);
    w->CheckBox1->click();
    QCOMPARE(render(chart), deep);

    QCOMPARE(w->DBGrid1->query()->RecordCount(), 3);
    QCOMPARE(w->DBGrid1->columnTitle(1), QStringLiteral("vraboten"));
    QCOMPARE(w->DBGrid1->cellText(2, 1), QStringLiteral("ANA M."));

    // Read once: an order stored later shows in a new chart window only.
    storeOrder(app, 4, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-12"), QStringLiteral("2026-03-13"),
               m.acme, {});
    QCOMPARE(chart->tasks().size(), 3);
    w->Close1->trigger();
    AppFixture::settle();
    QVERIFY(app.windows<TSNalogGraphic>().isEmpty());
    app.main().PregledpoNalozi1->trigger();
    AppFixture::settle();
    QCOMPARE(app.active<TSNalogGraphic>()->DBChart1->tasks().size(), 4);
}

DUREDIR_APP_TEST_MAIN(TestGantt)
#include "test_gantt.moc"
