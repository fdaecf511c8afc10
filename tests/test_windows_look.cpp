// Every window the operator opens from the menus, and the entry and edit windows of its
// lists, at 1280x800 and 1920x1080: captions are not cut, controls stay inside their
// window. With DUREDIR_SCREENSHOT_DIR set, a picture of each is saved there.
#include "app/application.h"
#include "frame/module.h"
#include "frame/tformsrgbase.h"
#include "frame/tslistbase.h"
#include "data/query.h"
#include "dialogs/tsimport.h"
#include "kit/stringgrid.h"
#include "kit/menuitem.h"
#include "reports/tsreportpriemnica.h"
#include "support/appfixture.h"
#include "support/seed.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QTableView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <QStyle>
#include <QtTest>

using testsupport::AppFixture;

namespace {

void seed(AppFixture& app)
{
    testsupport::Seed seed(app.database().db());
    stores::Partner drvo;
    drvo.naziv = QStringLiteral("DRVO PROMET DOO");
    drvo.adresa = QStringLiteral("ILINDENSKA 12");
    drvo.grad = QStringLiteral("1000 SKOPJE");
    drvo.tel = QStringLiteral("02/3100000");
    drvo.mobil = QStringLiteral("070/123456");
    drvo.rabat = 5;
    const int partner = seed.partner(drvo);
    stores::Employee petar;
    petar.naziv = QStringLiteral("PETAR ANGELOV");
    petar.adresa = QStringLiteral("PARTIZANSKA 3");
    petar.tel = QStringLiteral("02/222");
    const int employee = seed.employee(petar);
    const int board = seed.article(1, QStringLiteral("BOARD PINE 20MM"), QStringLiteral("M2"));
    const int screw = seed.article(2, QStringLiteral("SCREW 4X30"), QStringLiteral("PCS"));
    const int shelf = seed.product(1, QStringLiteral("BOOKSHELF 80X200"), {{board, 1.8}}, 4800, 18);
    seed.receipt(1, QStringLiteral("2026-12-01"), partner, {{board, 120}, {screw, 500}});
    seed.dispatch(1, QStringLiteral("2026-12-03"), QStringLiteral("2027-01-02"), partner, {{board, 20}});
    seed.workOrder(1, QStringLiteral("2026-12-02"), QStringLiteral("2026-12-05"), employee,
                   QStringLiteral("PETAR ANGELOV"), partner, {{shelf, 1}});
}

// Problems of one window: cut captions and controls outside it.
QStringList problems(QWidget* window)
{
    QStringList out;
    const QRect inside = window->rect();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->inherits("QMenu") || w->inherits("QScrollBar"))
            continue;
        const QString name =
            QStringLiteral("%1 %2").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
        const QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
        if (w->parentWidget() == window && !inside.contains(r.adjusted(1, 1, -1, -1)))
            out << name + QStringLiteral(" lies outside its window");
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && !label->text().isEmpty()
                                                    && label->pixmap().isNull()
                                                    && label->sizeHint().width() > label->width() + 1)
            out << name + QStringLiteral(" cuts \"%1\"").arg(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(w);
            button && !button->text().isEmpty() && !w->inherits("QToolButton")
            && button->fontMetrics().horizontalAdvance(button->text().remove(QLatin1Char('&'))) > button->width())
            out << name + QStringLiteral(" cuts \"%1\"").arg(button->text());
        if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->fontMetrics().horizontalAdvance(tabs->tabText(i)) > tabs->tabRect(i).width())
                    out << name + QStringLiteral(" cuts the tab \"%1\"").arg(tabs->tabText(i));
        }
    }
    return out;
}

} // namespace

class TestWindowsLook : public QObject {
    Q_OBJECT

private slots:
    void windowsFitTheirCaptions_data();
    void windowsFitTheirCaptions();
    void gridsOpenWithTheirColumnWidths_data();
    void gridsOpenWithTheirColumnWidths();
};

void TestWindowsLook::windowsFitTheirCaptions_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::newRow("1280x800") << QSize(1280, 800);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void TestWindowsLook::windowsFitTheirCaptions()
{
    QFETCH(QSize, screen);
    AppFixture app;
    seed(app);
    app.main().resize(screen);
    AppFixture::settle();
    const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR");
    QStringList found;
    int windows = 0;
    auto look = [&](QWidget* w, const QString& what) {
        if (!w)
            return;
        AppFixture::settle();
        ++windows;
        for (const QString& p : problems(w))
            found << what + QStringLiteral(": ") + p;
        if (!dir.isEmpty() && screen == QSize(1280, 800)) {
            QString file = what.toLower();
            file.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
            app.main().grab().save(dir + QLatin1Char('/') + file + QStringLiteral(".png"));
        }
    };
    const QList<QAction*> menus{app.main().Lista1,
                                app.main().Komintenti1,
                                app.main().Priemnici2,
                                app.main().FakturaIspratnica2,
                                app.main().LagerLista1,
                                app.main().PregledipoArtikli1,
                                app.main().PregledipoKomintenti1,
                                app.main().Nalozi2,
                                app.main().Proizvodi1,
                                app.main().Vraboteni1,
                                app.main().PregledpoNalozi1};
    for (QAction* item : menus) {
        if (!item || !item->isEnabled())
            continue;
        item->trigger();
        auto* child = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
        QVERIFY2(child, qPrintable(item->objectName()));
        look(child, item->text());
        // The entry and edit windows of a list.
        if (auto* list = qobject_cast<TSListBase*>(child)) {
            for (kit::MenuItem* open : {list->Nov1, list->Korekcija1}) {
                if (!open || !open->OnClick)
                    continue;
                app.main().mdiArea()->setActiveSubWindow(list->subWindow());
                open->Click();
                auto* opened = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
                if (opened && opened != child) {
                    look(opened, item->text() + QLatin1Char(' ') + open->Caption());
                    opened->Close();
                    AppFixture::settle();
                }
            }
        }
        child->Close();
        AppFixture::settle();
        app.clearMessages();
    }
    QVERIFY(windows >= 12);
    if (!dir.isEmpty() && screen == QSize(1280, 800)) {
        // The pictures of the README: a working main window and a printed receipt.
        app.main().LagerLista1->trigger();
        app.main().Priemnici2->trigger();
        AppFixture::settle();
        auto* receipts = app.main().ActiveMDIChild();
        if (auto* sub = qobject_cast<TFormSrgBase*>(receipts)->subWindow())
            sub->setGeometry(330, 40, 900, 520);
        AppFixture::settle();
        app.main().grab().save(dir + QStringLiteral("/main-window.png"));
        TSReportPriemnica report;
        report.PrepareReport(receipts->findChild<data::Query*>(QStringLiteral("Query1")),
                             receipts->findChild<data::Query*>(QStringLiteral("Query2")));
        QVERIFY(report.layout().writePdf(dir + QStringLiteral("/printed-receipt.pdf")));
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

// The line grids open with their columns as wide as laid out; a caption longer than its
// column is elided by the header.
void TestWindowsLook::gridsOpenWithTheirColumnWidths_data()
{
    // clang-format off
    QTest::addColumn<QString>("menu");   // the menu command; empty: the import dialog
    QTest::addColumn<QString>("open");   // the list command opening the window; empty: the window itself
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<int>("dateColumn"); // a column that must show a whole date; -1: none

    const QList<int> lines{15, 67, 93, 240, 64, 64};
    QTest::newRow("receipt entry") << "Priemnici2" << "Nov1" << "StringGrid1" << lines << -1;
    QTest::newRow("receipt edit") << "Priemnici2" << "Korekcija1" << "StringGrid1" << lines << -1;
    QTest::newRow("dispatch entry") << "FakturaIspratnica2" << "Nov1" << "StringGrid1" << lines << -1;
    QTest::newRow("dispatch edit") << "FakturaIspratnica2" << "Korekcija1" << "StringGrid1" << lines << -1;
    const QList<int> composition{17, 58, 63, 318, 98, 78};
    QTest::newRow("product entry") << "Proizvodi1" << "Nov1" << "StringGrid1" << composition << -1;
    QTest::newRow("product edit") << "Proizvodi1" << "Korekcija1" << "StringGrid1" << composition << -1;
    // Given widths chosen for a smaller font grow to show a whole date.
    QTest::newRow("financial report date") << "FinansovIzvestaj1" << "" << "DBGrid1" << QList<int>{} << 0;
    QTest::newRow("work order list date") << "Nalozi2" << "" << "DBGrid1" << QList<int>{} << 1;
    QTest::newRow("import") << "" << "" << "StringGrid1" << QList<int>{28, 89, 242, 113, 91} << -1;
    // clang-format on
}

void TestWindowsLook::gridsOpenWithTheirColumnWidths()
{
    QFETCH(QString, menu);
    QFETCH(QString, open);
    QFETCH(QString, grid);
    QFETCH(QList<int>, widths);
    AppFixture app;
    seed(app);
    QWidget* window = nullptr;
    TSImport import;
    if (menu.isEmpty()) {
        window = &import;
    } else {
        auto* item = app.main().findChild<QAction*>(menu);
        QVERIFY(item);
        item->trigger();
        AppFixture::settle();
        window = app.main().ActiveMDIChild();
        if (!open.isEmpty()) {
            auto* list = qobject_cast<TSListBase*>(window);
            QVERIFY(list);
            kit::MenuItem* command = open == QLatin1String("Nov1") ? list->Nov1 : list->Korekcija1;
            QVERIFY(command);
            command->Click();
            AppFixture::settle();
            window = app.main().ActiveMDIChild();
            QVERIFY(window != list);
        }
    }
    QVERIFY(window);
    auto* view = window->findChild<QTableView*>(grid);
    QVERIFY(view);
    QList<int> shown;
    for (int c = 0; c < widths.size(); ++c)
        shown << view->columnWidth(c);
    QCOMPARE(shown, widths);
    QCOMPARE(view->horizontalHeader()->textElideMode(), Qt::ElideRight);
    QFETCH(int, dateColumn);
    if (dateColumn >= 0) {
        // What the item delegate needs: the text and a focus-frame margin on either side.
        const int margins = 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        const int needed = view->fontMetrics().horizontalAdvance(QStringLiteral("2026-10-28")) + margins;
        QVERIFY2(view->columnWidth(dateColumn) >= qMax(needed, 74),
                 qPrintable(QStringLiteral("%1 < %2").arg(view->columnWidth(dateColumn)).arg(needed)));
    }
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestWindowsLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_windows_look.moc"
