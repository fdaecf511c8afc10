// The application shell as the operator meets it: start-up, menus, the navigator, closing
// windows, the print command's enabling, commands between windows, the error box.
#include "app/application.h"
#include "app/commandline.h"
#include "frame/commands.h"
#include "app/helpviewer.h"
#include "frame/module.h"
#include "frame/tformsrgbase.h"
#include "frame/tnavform.h"
#include "app/tsabout.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "dialogs/tsimport.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "kit/edit.h"
#include "modules/magacin/tmagacin.h"
#include "modules/magacin/tsmagacin.h"
#include "support/appfixture.h"

#include <QDirIterator>
#include <QProcess>
#include <QImage>
#include <QMdiArea>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolButton>
#include <QtTest>

using testsupport::AppFixture;

// A window that asks for picks, as the document windows do; its date field is the child
// named MaskEdit1, added by the test.
class PickCaller : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    using TFormSrgBase::TFormSrgBase;
    QList<int> received;
    void VnesiKomintentiID(int id) override { received << id; }
    void VnesiArtikalID(int id) override { received << id; }
    QWidget* controlAfterPick(frame::AfterPick after) override
    {
        return after == frame::AfterPick::DateField ? findChild<QWidget*>(QStringLiteral("MaskEdit1")) : nullptr;
    }
};

// A list answering picks with a fixed key, whatever key the pick takes.
class PickList : public TFormSrgBase, public frame::PickSource {
    Q_OBJECT
    Q_INTERFACES(frame::PickSource)
public:
    using TFormSrgBase::TFormSrgBase;
    int key = 7;
    std::optional<int> pickedKey(frame::PickKey) override { return key; }
};

class TestShell : public QObject {
    Q_OBJECT

private slots:
    void startUpCreatesModulesAndCompanyNode();
    void startUpOnUnpreparedDataSourceOpensNothing();
    void startUpOnAPlantedTriggerOpensNothingUntilAccepted();
    void versionAndHelpAreAnsweredWithoutADisplay();
    void menuCaptionsShortcutsAndHints_data();
    void menuCaptionsShortcutsAndHints();
    void toolButtonsFollowTheirItems();
    void closeCommand();
    void printEnabledOnlyForPrintableWindows();
    void navigatorNodes();
    void navigatorEnterAndCompanyClick();
    void closingTheMainWindowClosesChildrenWithoutAsking();
    void mainWindowOpensMaximizedAtEveryStart();
    void modulesAreDestroyedInOrder();
    void errorInAHandlerShowsTheErrorBox();
    void lostConnectionIsReopenedOnFocusChange();
    void refreshOnOpenConnectionChangesNothing();
    void moduleIgnoresUnlistedCodes();
    void pickAnswerDeliversFocusesAndCloses();
    void pickAnswerToClosedCallerIsDropped();
    void stockPickRefusesWithoutBalance();
    void helpOpensThePageOfTheContext();
    void f1OpensThePageOfTheWindowItWasPressedIn_data();
    void f1OpensThePageOfTheWindowItWasPressedIn();
    void helpPagesLinksAndPicturesAreComplete();
    void aboutShowsInfoTable();
    void childWindowsArePlacedBesideTheNavigator();
    void windowsAndTheirDialogsRunOnTheConnectionHanded();

private:
    template <class W>
    W* openChild(AppFixture& app, const QString& caption, QWidget* caller = nullptr)
    {
        auto* w = new W;
        w->Navigator = app.main().NavForm();
        w->InitChild(caller, caption, 2);
        AppFixture::settle();
        return w;
    }
};

void TestShell::startUpCreatesModulesAndCompanyNode()
{
    AppFixture app;
    QStringList names;
    for (Module* m : app.main().modules())
        names << m->objectName();
    QCOMPARE(names, (QStringList{"TArtikli", "TKomintenti", "TMagacin", "TNalog", "TProizvod", "TFaktura", "TPriemnica",
                                 "TIspratnica", "TLagerLista", "TPregledArtikal", "TPregledKomintent", "TVraboteni",
                                 "TReportFinan"}));
    // Exactly the four modules whose windows run transactions hold the connection.
    for (Module* m : app.main().modules()) {
        const bool holds = QStringList{"TNalog", "TProizvod", "TPriemnica", "TIspratnica"}.contains(m->objectName());
        QCOMPARE(m->Database != nullptr, holds);
        QCOMPARE(m->Navigator.data(), app.main().NavForm());
    }
    QTreeWidget* tree = app.main().NavForm()->TreeView1;
    QCOMPARE(tree->topLevelItemCount(), 1);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("MyCompany"));
    QCOMPARE(TNavForm::recordOf(tree->topLevelItem(0))->CompanyId, 1);
    QCOMPARE(app.main().windowTitle(), QStringLiteral("Tervalo"));
    // Nothing is appended to the titles by the desktop, and nothing goes into the status bar.
    QCOMPARE(QApplication::applicationDisplayName(), QApplication::applicationName());
    for (const QAction* a : app.main().findChildren<QAction*>())
        QVERIFY2(a->statusTip().isEmpty(), qPrintable(a->objectName()));
}

void TestShell::menuCaptionsShortcutsAndHints_data()
{
    // clang-format off
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("hint");
    QTest::newRow("Lista1") << "Lista1" << "Products-List" << "" << "Products -List";
    QTest::newRow("Komintenti1") << "Komintenti1" << "Company Partners -List" << "" << "Company Partners List";
    QTest::newRow("Print1") << "Print1" << "Print" << "Ctrl+P" << "Print Preview";
    QTest::newRow("Close1") << "Close1" << "Close" << "" << "Close";
    QTest::newRow("Refresh") << "RefreshDatabaseconnection1" << "Refresh Database connection" << "" << "";
    QTest::newRow("Priemnici2") << "Priemnici2" << "Goods Receipt List" << "Alt+P" << "Goods receipt list";
    QTest::newRow("FakturaIspratnica2") << "FakturaIspratnica2" << "Goods Dispatch List" << "Alt+I" << "Goods dispatch list";
    QTest::newRow("LagerLista1") << "LagerLista1" << "Report of products remains" << "Alt+L" << "Report of products remains";
    QTest::newRow("PregledipoArtikli1") << "PregledipoArtikli1" << "Detailed reports by products" << "" << "";
    QTest::newRow("PregledipoKomintenti1") << "PregledipoKomintenti1" << "Detailed Reports by  company partners" << ""
                                           << "";
    QTest::newRow("Cascade1") << "Cascade1" << "Cascade" << "" << "";
    QTest::newRow("Tile1") << "Tile1" << "Tile" << "" << "";
    QTest::newRow("Help2") << "Help2" << "Help" << "" << "";
    QTest::newRow("About1") << "About1" << "About" << "" << "";
    // clang-format on
}

void TestShell::menuCaptionsShortcutsAndHints()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(QString, hint);
    AppFixture app;
    auto* action = app.main().findChild<QAction*>(item);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
    if (!hint.isEmpty())
        QCOMPARE(action->toolTip(), hint);
    // The menus in order, with their captions.
    QStringList menus;
    for (QAction* a : app.main().menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{"Tools", "Documents", "Reports", "Production", "Window", "Help"}));
}

void TestShell::toolButtonsFollowTheirItems()
{
    AppFixture app;
    const QList<QPair<QToolButton*, QAction*>> pairs{{app.main().ToolButton2, app.main().Priemnici2},
                                                     {app.main().ToolButton3, app.main().FakturaIspratnica2},
                                                     {app.main().ToolButton4, app.main().LagerLista1},
                                                     {app.main().ToolButton6, app.main().Lista1},
                                                     {app.main().ToolButton14, app.main().Komintenti1},
                                                     {app.main().ToolButton12, app.main().Print1},
                                                     {app.main().ToolButton8, app.main().Close1}};
    for (const auto& [button, action] : pairs) {
        QCOMPARE(button->defaultAction(), action);
        QVERIFY(!button->icon().isNull()); // a picture even on a bare machine
    }
    QCOMPARE(app.main().ToolButton12->toolTip(), QStringLiteral("Print Preview"));
}

void TestShell::closeCommand()
{
    AppFixture app;
    const int navigatorOnly = app.main().MDIChildCount();
    QCOMPARE(navigatorOnly, 1);
    app.main().Close1Click(); // with only the navigator: nothing
    QCOMPARE(app.main().MDIChildCount(), 1);

    auto* w = openChild<TSMagacinVnes>(app, QStringLiteral("Duredir-Kreiraj Nov "));
    QCOMPARE(app.main().MDIChildCount(), 2);
    // With the navigator active nothing closes.
    app.main().mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(app.main().NavForm()->parentWidget()));
    app.main().Close1Click();
    AppFixture::settle();
    QCOMPARE(app.main().MDIChildCount(), 2);
    // With the window active it closes, and its node goes.
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    app.main().Close1->trigger();
    AppFixture::settle();
    QCOMPARE(app.main().MDIChildCount(), 1);
    QVERIFY(app.main().NavForm()->windowNodes().isEmpty());
    // The navigator itself cannot be closed.
    app.main().NavForm()->parentWidget()->close();
    AppFixture::settle();
    QCOMPARE(app.main().MDIChildCount(), 1);
}

void TestShell::printEnabledOnlyForPrintableWindows()
{
    AppFixture app;
    QVERIFY(!app.main().Print1->isEnabled());
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 9);
    AppFixture::settle();
    QVERIFY(app.active<TSMagacinLista>());
    QVERIFY(!app.main().Print1->isEnabled());
    QVERIFY(!app.main().ToolButton12->isEnabled());
    app.main().mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(app.main().NavForm()->parentWidget()));
    AppFixture::settle();
    QVERIFY(!app.main().Print1->isEnabled());
    // A class derived from a printable one does not count: exact classes only.
    app.main().Print1Click();
    QVERIFY(app.messages().isEmpty());
}

void TestShell::navigatorNodes()
{
    AppFixture app;
    TNavForm* nav = app.main().NavForm();
    auto* a = openChild<TSMagacinVnes>(app, QStringLiteral("Same "));
    auto* b = openChild<TSMagacinVnes>(app, QStringLiteral("Same "));
    QCOMPARE(nav->windowNodes().size(), 2);
    QCOMPARE(nav->windowNodes().at(0)->text(0), QStringLiteral("Same "));
    QCOMPARE(a->windowTitle(), QStringLiteral("Same "));
    // The active window's node is selected.
    QCOMPARE(TNavForm::recordOf(nav->TreeView1->currentItem())->Form.data(), b);
    app.main().mdiArea()->setActiveSubWindow(a->subWindow());
    AppFixture::settle();
    QCOMPARE(TNavForm::recordOf(nav->TreeView1->currentItem())->Form.data(), a);
    // Closing one removes only its own node, even with the company node selected.
    nav->TreeView1->setCurrentItem(nav->TreeView1->topLevelItem(0));
    b->Close();
    AppFixture::settle();
    QCOMPARE(nav->windowNodes().size(), 1);
    QCOMPARE(TNavForm::recordOf(nav->windowNodes().at(0))->Form.data(), a);
    // Esc closes the active child window.
    app.main().mdiArea()->setActiveSubWindow(a->subWindow());
    QTest::keyClick(a, Qt::Key_Escape);
    AppFixture::settle();
    QVERIFY(nav->windowNodes().isEmpty());
}

void TestShell::navigatorEnterAndCompanyClick()
{
    AppFixture app;
    TNavForm* nav = app.main().NavForm();
    auto* a = openChild<TSMagacinVnes>(app, QStringLiteral("First "));
    auto* b = openChild<TSMagacinKorekcija>(app, QStringLiteral("Second "));
    QCOMPARE(app.main().ActiveMDIChild(), b);
    nav->TreeView1->setCurrentItem(nav->windowNodes().at(0));
    QTest::keyClick(nav->TreeView1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.main().ActiveMDIChild(), a);
    // Clicking the company node selects it and changes nothing else.
    QTreeWidgetItem* company = nav->TreeView1->topLevelItem(0);
    nav->TreeView1->setCurrentItem(company);
    nav->TreeView1Click();
    QCOMPARE(nav->CompanyNode, company);
    QCOMPARE(nav->CompanyName, QStringLiteral("MyCompany"));
    QCOMPARE(app.main().MDIChildCount(), 3);
    QCOMPARE(app.main().ActiveMDIChild(), a);
    // A window opened now is added under the same company node.
    openChild<TSMagacinVnes>(app, QStringLiteral("Third "));
    QCOMPARE(company->childCount(), 3);
}

void TestShell::closingTheMainWindowClosesChildrenWithoutAsking()
{
    AppFixture app;
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 9);
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 7);
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 8);
    AppFixture::settle();
    QCOMPARE(app.main().MDIChildCount(), 4);
    QPointer<QWidget> list = app.main().Magacin->ListForm.data();
    QVERIFY(app.main().close());
    AppFixture::settle();
    QVERIFY(list.isNull());
    QVERIFY(app.messages().isEmpty());
    QVERIFY(app.main().modules().isEmpty());
}

void TestShell::mainWindowOpensMaximizedAtEveryStart()
{
    {
        // The operator leaves the main window restored and smaller.
        AppFixture app;
        app.main().showNormal();
        app.main().resize(700, 500);
        AppFixture::settle();
        QVERIFY(app.main().close());
    }
    AppFixture app;
    app.main().hide();
    app.main().showAtStart();
    AppFixture::settle();
    QVERIFY(app.main().isMaximized());
}

void TestShell::modulesAreDestroyedInOrder()
{
    AppFixture app;
    QStringList order;
    for (Module* m : app.main().modules())
        connect(m, &QObject::destroyed, this, [&order, name = m->objectName()]() { order << name; });
    app.main().FormClose();
    QCOMPARE(order,
             (QStringList{"TPregledKomintent", "TPregledArtikal", "TLagerLista", "TIspratnica", "TPriemnica", "TFaktura",
                          "TProizvod", "TNalog", "TMagacin", "TKomintenti", "TArtikli", "TVraboteni", "TReportFinan"}));
}

void TestShell::errorInAHandlerShowsTheErrorBox()
{
    AppFixture app;
    auto* w = openChild<TSMagacinVnes>(app, QStringLiteral("W "));
    auto* edit = new kit::Edit(w);
    edit->show();
    edit->OnKeyDown = [](int&, Qt::KeyboardModifiers) { throw data::DatabaseError(QStringLiteral("disk full")); };
    QTest::keyClick(edit, Qt::Key_A);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().at(0), (testsupport::Shown{QStringLiteral("Error"), QStringLiteral("disk full")}));
    // The program goes on: the next key works normally.
    edit->OnKeyDown = nullptr;
    QTest::keyClicks(edit, QStringLiteral("ok"));
    QCOMPARE(edit->text(), QStringLiteral("ok"));
}

void TestShell::lostConnectionIsReopenedOnFocusChange()
{
    AppFixture app;
    auto* w = openChild<TSMagacinVnes>(app, QStringLiteral("W "));
    auto* e1 = new kit::Edit(w);
    auto* e2 = new kit::Edit(w);
    e1->show();
    e2->show();
    e1->setFocus();
    app.database().db().close();
    QVERIFY(!app.database().db().Connected());
    e2->setFocus();
    QApplication::processEvents();
    QVERIFY(app.database().db().Connected());
    QCOMPARE(app.database().count(QStringLiteral("info_table")), 1);
}

void TestShell::refreshOnOpenConnectionChangesNothing()
{
    AppFixture app;
    app.database().exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (1,'A','B')"));
    const QSqlDatabase before = app.database().db().handle();
    app.main().RefreshDatabaseconnection1->trigger();
    QVERIFY(app.database().db().Connected());
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(app.database().count(QStringLiteral("artikli")), 1);
    app.database().db().close();
    app.main().RefreshDatabaseconnection1->trigger();
    QVERIFY(app.database().db().Connected());
}

void TestShell::moduleIgnoresUnlistedCodes()
{
    AppFixture app;
    // 32777 is the receipt window's request; the warehouse module does not pass it on.
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 32777);
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 10);
    AppFixture::settle();
    QCOMPARE(app.main().MDIChildCount(), 1);
    // Codes outside the command range reach nothing in the main window either.
    app.main().HandleCommand(32768);
    app.main().HandleCommand(32811);
    app.main().HandleCommand(32769);
    app.main().HandleCommand(32770);
    QCOMPARE(app.main().MDIChildCount(), 1);
}

void TestShell::pickAnswerDeliversFocusesAndCloses()
{
    AppFixture app;
    auto* caller = openChild<PickCaller>(app, QStringLiteral("Caller "));
    auto* date = new kit::Edit(caller);
    date->setObjectName(QStringLiteral("MaskEdit1"));
    date->show();
    auto* list = openChild<PickList>(app, QStringLiteral("List "), caller);
    list->key = 42;
    QPointer<PickList> guard = list;
    app.main().HandleCommand(32778);
    AppFixture::settle();
    QCOMPARE(caller->received, QList<int>{42});
    QVERIFY(guard.isNull());
    QCOMPARE(app.main().ActiveMDIChild(), caller);
    QCOMPARE(QApplication::focusWidget(), date);
}

void TestShell::pickAnswerToClosedCallerIsDropped()
{
    AppFixture app;
    auto* caller = openChild<PickCaller>(app, QStringLiteral("Caller "));
    auto* list = openChild<PickList>(app, QStringLiteral("List "), caller);
    QPointer<PickList> guard = list;
    caller->Close();
    AppFixture::settle();
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    app.main().HandleCommand(32782);
    AppFixture::settle();
    QVERIFY(guard.isNull());
    QVERIFY(app.messages().isEmpty());
}

void TestShell::stockPickRefusesWithoutBalance()
{
    AppFixture app;
    auto* caller = openChild<PickCaller>(app, QStringLiteral("Caller "));
    auto* list = openChild<PickList>(app, QStringLiteral("Stock "), caller);
    list->key = -1;
    app.main().HandleCommand(32804);
    AppFixture::settle();
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().at(0),
             (testsupport::Shown{QStringLiteral("Warning !"), QStringLiteral("Nema kolicina od toj artikal!!!")}));
    QVERIFY(caller->received.isEmpty());
    QCOMPARE(app.main().ActiveMDIChild(), list); // the list stays open
    list->key = 5;
    app.main().HandleCommand(32804);
    AppFixture::settle();
    QCOMPARE(caller->received, QList<int>{5});
}

void TestShell::helpOpensThePageOfTheContext()
{
    AppFixture app;
    QCOMPARE(app::HelpViewer::pageFor(1), QStringLiteral("qrc:/help/main-window.html"));
    for (int context = 0; context <= 6; ++context) {
        app::HelpViewer* viewer = app::HelpViewer::showContext(context, &app.main());
        QVERIFY(viewer->isVisible());
        // Every page exists and has a real title.
        QVERIFY2(!viewer->browser()->documentTitle().isEmpty(), qPrintable(app::HelpViewer::pageFor(context)));
        viewer->close();
        AppFixture::settle();
    }
    QCOMPARE(app::HelpViewer::helpFile(), QStringLiteral("REDIDOZIZED.hlp"));
}

void TestShell::f1OpensThePageOfTheWindowItWasPressedIn_data()
{
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("page");
    const QList<QPair<const char*, const char*>> rows{
        {"Lista1", "article-list.html"},
        {"Komintenti1", "partner-list.html"},
        {"Priemnici2", "receive-goods.html"},
        {"FakturaIspratnica2", "dispatch-goods.html"},
        {"LagerLista1", "see-stock.html"},
        {"PregledipoArtikli1", "article-overview.html"},
        {"PregledipoKomintenti1", "partner-overview.html"},
        {"FinansovIzvestaj1", "financial-report.html"},
        {"Nalozi2", "work-order-list.html"},
        {"PregledpoNalozi1", "gantt-chart.html"},
        {"Proizvodi1", "product-list.html"},
        {"Vraboteni1", "employee-list.html"},
    };
    for (const auto& [item, page] : rows)
        QTest::newRow(item) << QString::fromLatin1(item) << QString::fromLatin1(page);
}

void TestShell::f1OpensThePageOfTheWindowItWasPressedIn()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, page);
    AppFixture app;
    auto* action = app.main().findChild<QAction*>(menuItem);
    QVERIFY(action);
    action->trigger();
    AppFixture::settle();
    auto* window = app.active<TFormSrgBase>();
    QVERIFY(window);
    // Wherever the focus is inside the window: its search box, its grid, the window itself.
    QList<QWidget*> places;
    for (QWidget* w : window->findChildren<QWidget*>())
        if ((qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w)) && w->isVisible()
            && w->focusPolicy() != Qt::NoFocus)
            places << w;
    places << window;
    for (QWidget* place : places) {
        QApplication::setActiveWindow(&app.main());
        place->setFocus(Qt::OtherFocusReason);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == window || window->isAncestorOf(focused));
        QTest::keyClick(focused, Qt::Key_F1);
        AppFixture::settle();
        QCOMPARE(app::HelpViewer::currentPage(), page);
        auto* viewer = app.main().findChild<app::HelpViewer*>();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->browser()->source().fileName(), page);
        viewer->close();
        AppFixture::settle();
    }
}

// Every page the program or another page names is there, every page is in the contents, and
// every picture exists and is shown at its own size, no wider than the viewer.
void TestShell::helpPagesLinksAndPicturesAreComplete()
{
    const QDir source(QStringLiteral(DUREDIR_HELP_DIR));
    const QDir built(QStringLiteral(":/help"));
    app::HelpViewer viewer; // registers the built-in pages
    const QStringList pages = source.entryList({QStringLiteral("*.html")}, QDir::Files);
    QVERIFY(pages.contains(QStringLiteral("index.html")));
    // The viewer shows the built-in copies: every page and picture of the folder is built in.
    QCOMPARE(built.entryList({QStringLiteral("*.html")}, QDir::Files), pages);
    QCOMPARE(QDir(built.filePath(QStringLiteral("screenshots"))).entryList(QDir::Files),
             QDir(source.filePath(QStringLiteral("screenshots"))).entryList(QDir::Files));

    auto read = [&](const QString& page) {
        QFile file(built.filePath(page));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    static const QRegularExpression link(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    static const QRegularExpression image(QStringLiteral("<img\\b([^>]*)>"));
    auto attribute = [](const QString& tag, const QString& name) {
        const QRegularExpression re(QStringLiteral("\\b%1=\"([^\"]*)\"").arg(name));
        return re.match(tag).captured(1);
    };
    QStringList fromIndex;
    for (const QString& page : pages) {
        const QString text = read(page);
        QVERIFY2(text.contains(QStringLiteral("<title>")), qPrintable(page));
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            QVERIFY2(built.exists(target), qPrintable(page + QStringLiteral(" links to missing ") + target));
            if (page == QStringLiteral("index.html"))
                fromIndex << target;
        }
        for (auto m = image.globalMatch(text); m.hasNext();) {
            const QString tag = m.next().captured(1);
            const QString src = attribute(tag, QStringLiteral("src"));
            const QImage picture(built.filePath(src));
            QVERIFY2(!picture.isNull(), qPrintable(page + QStringLiteral(": no picture ") + src));
            const QString width = attribute(tag, QStringLiteral("width"));
            const QString height = attribute(tag, QStringLiteral("height"));
            QVERIFY2(width.isEmpty() || width.toInt() == picture.width(),
                     qPrintable(page + QStringLiteral(": ") + src + QStringLiteral(" scaled")));
            QVERIFY2(height.isEmpty() || height.toInt() == picture.height(),
                     qPrintable(page + QStringLiteral(": ") + src + QStringLiteral(" scaled")));
            // The viewer opens 960 pixels wide: the picture fits beside its margins and scroll bar.
            QVERIFY2(picture.width() <= 900,
                     qPrintable(page + QStringLiteral(": ") + src + QStringLiteral(" wider than the viewer")));
        }
    }
    for (const QString& page : pages)
        QVERIFY2(page == QStringLiteral("index.html") || fromIndex.contains(page),
                 qPrintable(page + QStringLiteral(" is not in the contents")));

    // Pages the program names: by context number, and by file name anywhere in its source.
    for (int context = 0; context <= 100; ++context) {
        const QString page = app::HelpViewer::pageFor(context).section(QLatin1Char('/'), -1);
        QVERIFY2(built.exists(page), qPrintable(page));
    }
    static const QRegularExpression named(QStringLiteral("[\"/]([a-z0-9-]+\\.html)\""));
    QStringList referred{QStringLiteral("partner-list.html"),         QStringLiteral("employee-list.html"),
                         QStringLiteral("work-order-list.html"),      QStringLiteral("gantt-chart.html"),
                         QStringLiteral("financial-report.html"),     QStringLiteral("article-overview.html"),
                         QStringLiteral("partner-overview.html"),     QStringLiteral("import-on-dispatch.html"),
                         QStringLiteral("correcting-documents.html"), QStringLiteral("negative-balance.html"),
                         QStringLiteral("first-time-setup.html"),     QStringLiteral("backups.html"),
                         QStringLiteral("several-workstations.html")};
    for (QDirIterator it(source.filePath(QStringLiteral("../../src")), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                         QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (auto m = named.globalMatch(QString::fromUtf8(file.readAll())); m.hasNext();)
            referred << m.next().captured(1);
    }
    for (const QString& page : std::as_const(referred))
        QVERIFY2(pages.contains(page), qPrintable(page + QStringLiteral(" is named but missing")));
}

void TestShell::aboutShowsInfoTable()
{
    AppFixture app;
    QString shown;
    app.onNextDialog([&shown](QDialog* d) {
        shown = d->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
        return int(kit::mrOk);
    });
    app.main().About1->trigger();
    QCOMPARE(app.dialogsRun(), 1);
    QVERIFY(shown.startsWith(QStringLiteral("Duredir")));
    // Then the program's version, the data source in use (engine and file, or server and
    // database) and the Qt version the program runs on.
    QVERIFY2(shown.contains(QStringLiteral("Program version: " DUREDIR_VERSION)), qPrintable(shown));
    const data::AliasConfig& c = app.database().config();
    QVERIFY2(shown.contains(QStringLiteral("Data source: ") + c.describe()), qPrintable(shown));
    QVERIFY(shown.contains(c.engine == data::Engine::Sqlite ? c.path : c.database));
    QVERIFY2(shown.contains(QStringLiteral("Qt version: ") + QString::fromLatin1(qVersion())), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("Schema version: %1").arg(data::kSchemaVersion)), qPrintable(shown));
    QVERIFY2(!shown.contains(QStringLiteral("not protected")), qPrintable(shown));
    // Opened through an alias, the alias is named.
    QTemporaryDir dir;
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", config); });
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    data::writeAlias(QStringLiteral("varnok_public"), c);
    data::Database aliased(QStringLiteral("aliased"));
    data::openPrepared(aliased, QStringLiteral("varnok_public"));
    QVERIFY(TSAbout::details(&aliased).contains(QStringLiteral("Data source: alias \"varnok_public\", ") + c.describe()));
}

void TestShell::versionAndHelpAreAnsweredWithoutADisplay()
{
    // The real program, with no display to connect to: Qt would abort there, so an answer
    // and exit code 0 show that it ended before Qt started.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    auto run = [&env](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(DUREDIR_PROGRAM), args);
        if (!p.waitForFinished(20000))
            p.kill();
        return std::make_pair(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                              QString::fromUtf8(p.readAllStandardOutput()));
    };
    const auto [versionCode, version] = run({QStringLiteral("--version")});
    QCOMPARE(versionCode, 0);
    QCOMPARE(version, QStringLiteral("duredir " DUREDIR_VERSION "\n"));
    for (const char* help : {"--help", "-h"}) {
        const auto [code, text] = run({QString::fromLatin1(help)});
        QCOMPARE(code, 0);
        QVERIFY2(text.startsWith(QStringLiteral("Usage: duredir")) && text.contains(QStringLiteral("--version")),
                 qPrintable(text));
    }
    // Any other argument is not the program's: it starts as it would without it.
    QByteArray a0("duredir"), a1("--frobnicate"), a2("stock.sqlite");
    char* other[] = {a0.data(), a1.data(), a2.data()};
    QString printed;
    QTextStream out(&printed);
    QCOMPARE(app::answerCommandLine(3, other, out), std::optional<int>());
    QVERIFY(printed.isEmpty());
}

void TestShell::startUpOnUnpreparedDataSourceOpensNothing()
{
    // The program's own alias, under folders of this test: no SQLite file yet, or an empty
    // MariaDB database.
    QTemporaryDir dir;
    const QByteArray config = qgetenv("XDG_CONFIG_HOME"), dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    QString mariaDb;
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_CONFIG_HOME", config);
        qputenv("XDG_DATA_HOME", dataHome);
        if (!mariaDb.isEmpty())
            testsupport::dropMariaDbDatabase(mariaDb);
    });
    if (testsupport::onMariaDb()) {
        mariaDb = testsupport::createMariaDbDatabase();
        data::AliasConfig c;
        c.engine = data::Engine::MariaDb;
        c.socket = testsupport::mariaDbSocket();
        c.database = mariaDb;
        data::writeAlias(QStringLiteral("varnok_public"), c);
    }
    const QString file = dir.filePath(QStringLiteral("data/duredir/varnok_public.sqlite"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        QString text;
        try {
            TForm1 form;
            QFAIL("the program started on a data source without tables");
        } catch (const data::NotPrepared& e) {
            text = e.text();
        }
        QVERIFY2(text.contains(QStringLiteral("has not been prepared")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("'duredir-db init'")), qPrintable(text));
        QVERIFY(text.contains(testsupport::onMariaDb() ? mariaDb : file));
        QVERIFY(!TForm1::instance());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        if (testsupport::onMariaDb())
            break;
        // No file is made where none was; an empty file is not prepared either.
        QCOMPARE(QFileInfo::exists(file), attempt == 1);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile empty(file);
        QVERIFY(empty.open(QIODevice::WriteOnly));
    }
    if (!testsupport::onMariaDb())
        QCOMPARE(QFileInfo(file).size(), 0);
}

void TestShell::startUpOnAPlantedTriggerOpensNothingUntilAccepted()
{
    // The program's own alias points at a database into which someone put a trigger.
    QTemporaryDir dir;
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", config); });
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    testsupport::TestDatabase t(false, QStringLiteral("planted"));
    data::writeAlias(QStringLiteral("varnok_public"), t.config());
    data::AliasConfig adminConfig = t.config();
    adminConfig.optionFile.clear(); // the administrator's account: it may make triggers
    data::Database admin(QStringLiteral("admin"));
    admin.setConfig(adminConfig);
    admin.open();
    data::createSchema(admin);
    admin.exec(testsupport::onMariaDb()
                   ? QStringLiteral("CREATE TRIGGER t AFTER INSERT ON artikli FOR EACH ROW DELETE FROM komintenti")
                   : QStringLiteral("CREATE TRIGGER t AFTER INSERT ON artikli BEGIN DELETE FROM komintenti; END"));
    try {
        TForm1 form;
        QFAIL("the program started on a database with a trigger nobody accepted");
    } catch (const data::TriggersNotAccepted& e) {
        QVERIFY2(e.text().contains(QStringLiteral("not accepted: t (on artikli)"))
                     && e.text().contains(QStringLiteral("'duredir-db accept-triggers'")),
                 qPrintable(e.text()));
    }
    QVERIFY(!TForm1::instance());
    QCOMPARE(data::acceptTriggers(admin).size(), 1);
    TForm1 form;
    QCOMPARE(TForm1::instance(), &form);
}

void TestShell::childWindowsArePlacedBesideTheNavigator()
{
    AppFixture app;
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 9);
    app.main().Magacin->SProccessingMessage(nullptr, nullptr, 7);
    AppFixture::settle();
    auto* list = app.main().Magacin->ListForm.data();
    QVERIFY(list);
    const QRect outer = app.main().frameGeometry();
    const QRect placed = list->subWindow()->geometry();
    QCOMPARE(placed.topLeft(), QPoint(150, 0));
    QCOMPARE(placed.width(), outer.width() - 165);
    QCOMPARE(placed.height(), outer.height() - 150);
    // The navigator sits left of them, not under them.
    QVERIFY(app.main().NavForm()->parentWidget()->geometry().right() < 150 + 8);
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty())
        app.main().grab().save(dir + QStringLiteral("/shell.png"));
}

// Every list a module opens reads on the connection the module hands it, whatever its name:
// no window runs a statement on a connection it looked up itself. A dialog takes the one of
// the window that opens it.
void TestShell::windowsAndTheirDialogsRunOnTheConnectionHanded()
{
    testsupport::TestDatabase other(true, QStringLiteral("Other")); // outlives the windows on it
    AppFixture app;
    other.exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(5,'ONLY ELSEWHERE','PCS')"));
    for (Module* m : app.main().modules()) {
        if (!m->traits().listCode)
            continue;
        m->Database = &other.db();
        m->createList(nullptr, nullptr, m->traits().listCode);
        AppFixture::settle();
    }
    int lists = 0;
    for (TFormSrgBase* w : app.main().findChildren<TFormSrgBase*>()) {
        ++lists;
        QCOMPARE(w->database(), &other.db());
        for (const data::Query* q : w->findChildren<data::Query*>())
            QVERIFY2(q->database() == &other.db(), qPrintable(w->objectName() + QLatin1Char('.') + q->objectName()));
    }
    QVERIFY2(lists >= 10, qPrintable(QString::number(lists)));
    QVERIFY(app.messages().isEmpty());

    TFormSrgBase window;
    window.setDatabase(&other.db());
    TSNalogVnesiProizvod quantity(&window);
    QCOMPARE(quantity.Query1->database(), &other.db());
    quantity.LoadArticle(other.scalar(QStringLiteral("select id from artikli")).toInt());
    QCOMPARE(quantity.Edit2->Text(), QStringLiteral("ONLY ELSEWHERE"));
    TSImport import(&window);
    QCOMPARE(import.Query1->database(), &other.db());
    // Opened by no window, a dialog has no connection: its statement fails as one that
    // lost its connection does, and runs nowhere else.
    TSNalogVnesiProizvod alone;
    QVERIFY(!alone.Query1->database());
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, alone.LoadArticle(1));
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestShell test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell.moc"
