// The main window's menus, tool bars and window list.
#include "frame/icons.h"
#include "app/tform1.h"
#include "kit/guard.h"
#include "modules/proizvod/tproizvod.h"
#include "modules/reportfinan/treportfinan.h"
#include "modules/vraboteni/tvraboteni.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {},
              const QString& hint = QString())
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        // Works whatever child window has the focus.
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    // Hints are tool tips only: nothing is written into the status bar.
    if (!hint.isEmpty())
        a->setToolTip(hint);
    return a;
}

void separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

void TForm1::buildMenus()
{
    QMenuBar* bar = menuBar();
    Tools1 = bar->addMenu(QStringLiteral("Tools"));
    Tools1->setObjectName(QStringLiteral("Tools1"));
    Lista1 = item(Tools1, "Lista1", QStringLiteral("Products-List"), {}, QStringLiteral("Products -List"));
    separator(Tools1, "N6");
    Komintenti1 = item(Tools1, "Komintenti1", QStringLiteral("Company Partners -List"), {},
                       QStringLiteral("Company Partners List"));
    separator(Tools1, "N1");
    Print1 = item(Tools1, "Print1", QStringLiteral("Print"), QKeySequence(Qt::CTRL | Qt::Key_P),
                  QStringLiteral("Print Preview"));
    separator(Tools1, "N8");
    Close1 = item(Tools1, "Close1", QStringLiteral("Close"), {}, QStringLiteral("Close"));
    RefreshDatabaseconnection1 = item(Tools1, "RefreshDatabaseconnection1", QStringLiteral("Refresh Database connection"));

    Nalog1 = bar->addMenu(QStringLiteral("Documents"));
    Nalog1->setObjectName(QStringLiteral("Nalog1"));
    Priemnici2 = item(Nalog1, "Priemnici2", QStringLiteral("Goods Receipt List"), QKeySequence(Qt::ALT | Qt::Key_P),
                      QStringLiteral("Goods receipt list"));
    FakturaIspratnica2 = item(Nalog1, "FakturaIspratnica2", QStringLiteral("Goods Dispatch List"),
                              QKeySequence(Qt::ALT | Qt::Key_I), QStringLiteral("Goods dispatch list"));

    Sostojbi1 = bar->addMenu(QStringLiteral("Reports"));
    Sostojbi1->setObjectName(QStringLiteral("Sostojbi1"));
    LagerLista1 = item(Sostojbi1, "LagerLista1", QStringLiteral("Report of products remains"),
                       QKeySequence(Qt::ALT | Qt::Key_L), QStringLiteral("Report of products remains"));
    separator(Sostojbi1, "N2");
    PregledipoArtikli1 = item(Sostojbi1, "PregledipoArtikli1", QStringLiteral("Detailed reports by products"));
    PregledipoKomintenti1 =
        item(Sostojbi1, "PregledipoKomintenti1", QStringLiteral("Detailed Reports by  company partners"));
    separator(Sostojbi1, "N10");
    QAction* finansov = item(Sostojbi1, "FinansovIzvestaj1", QStringLiteral("Financial report"), {},
                             QStringLiteral("Outgoing invoices of a period"));
    connect(finansov, &QAction::triggered, this,
            [this]() { kit::guarded([this] { ReportFinan->createList(nullptr, nullptr, 1); }); });

    Proizvodstvo1 = bar->addMenu(QStringLiteral("Production"));
    Proizvodstvo1->setObjectName(QStringLiteral("Proizvodstvo1"));
    Nalozi2 = item(Proizvodstvo1, "Nalozi2", QStringLiteral("Work Orders List"), {}, QStringLiteral("Work orders list"));
    PregledpoNalozi1 = item(Proizvodstvo1, "PregledpoNalozi1", QStringLiteral("Work Orders Gantt Chart"), {},
                            QStringLiteral("Work orders by employee and date"));
    separator(Proizvodstvo1, "N9");
    Proizvodi1 = item(Proizvodstvo1, "Proizvodi1", QStringLiteral("Manufactured Products -List"), {},
                      QStringLiteral("Manufactured products and their composition"));
    Vraboteni1 =
        item(Proizvodstvo1, "Vraboteni1", QStringLiteral("Employees -List"), {}, QStringLiteral("Employees List"));

    Window1 = bar->addMenu(QStringLiteral("Window"));
    Window1->setObjectName(QStringLiteral("Window1"));
    Cascade1 = item(Window1, "Cascade1", QStringLiteral("Cascade"));
    Tile1 = item(Window1, "Tile1", QStringLiteral("Tile"));
    connect(Window1, &QMenu::aboutToShow, this, &TForm1::rebuildWindowMenu);

    Help1 = bar->addMenu(QStringLiteral("Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Help2 = item(Help1, "Help2", QStringLiteral("Help"));
    About1 = item(Help1, "About1", QStringLiteral("About"));

    Lista1->setIcon(frame::toolIcon(frame::ToolIcon::Articles));
    Komintenti1->setIcon(frame::toolIcon(frame::ToolIcon::Partners));
    Print1->setIcon(frame::toolIcon(frame::ToolIcon::Print));
    Close1->setIcon(frame::toolIcon(frame::ToolIcon::Close));
    Priemnici2->setIcon(frame::toolIcon(frame::ToolIcon::ReceiptList));
    FakturaIspratnica2->setIcon(frame::toolIcon(frame::ToolIcon::DispatchList));
    LagerLista1->setIcon(frame::toolIcon(frame::ToolIcon::StockList));
    Print1->setEnabled(false);

    connect(Lista1, &QAction::triggered, this, [this]() { kit::guarded([this] { Lista1Click(); }); });
    connect(Komintenti1, &QAction::triggered, this, [this]() { kit::guarded([this] { Komintenti1Click(); }); });
    connect(Print1, &QAction::triggered, this, [this]() { kit::guarded([this] { Print1Click(); }); });
    connect(Close1, &QAction::triggered, this, [this]() { kit::guarded([this] { Close1Click(); }); });
    connect(RefreshDatabaseconnection1, &QAction::triggered, this,
            [this]() { kit::guarded([this] { RefreshDatabaseconnection1Click(); }); });
    connect(Priemnici2, &QAction::triggered, this, [this]() { kit::guarded([this] { Priemnici2Click(); }); });
    connect(FakturaIspratnica2, &QAction::triggered, this,
            [this]() { kit::guarded([this] { FakturaIspratnica2Click(); }); });
    connect(LagerLista1, &QAction::triggered, this, [this]() { kit::guarded([this] { LagerLista1Click(); }); });
    connect(PregledipoArtikli1, &QAction::triggered, this,
            [this]() { kit::guarded([this] { PregledipoArtikli1Click(); }); });
    connect(PregledipoKomintenti1, &QAction::triggered, this,
            [this]() { kit::guarded([this] { PregledipoKomintenti1Click(); }); });
    connect(Nalozi2, &QAction::triggered, this, [this]() { kit::guarded([this] { Nalozi2Click(); }); });
    connect(PregledpoNalozi1, &QAction::triggered, this, [this]() { kit::guarded([this] { PregledpoNalozi1Click(); }); });
    connect(Proizvodi1, &QAction::triggered, this,
            [this]() { kit::guarded([this] { Proizvod->createList(nullptr, nullptr, 1); }); });
    connect(Vraboteni1, &QAction::triggered, this,
            [this]() { kit::guarded([this] { Vraboteni->createList(nullptr, nullptr, 1); }); });
    connect(Cascade1, &QAction::triggered, this, [this]() { kit::guarded([this] { Cascade1Click(); }); });
    connect(Tile1, &QAction::triggered, this, [this]() { kit::guarded([this] { Tile1Click(); }); });
    connect(Help2, &QAction::triggered, this, [this]() { kit::guarded([this] { ApplicationHelp(0); }); });
    connect(About1, &QAction::triggered, this, [this]() { kit::guarded([this] { About1Click(); }); });
}

void TForm1::buildToolBars()
{
    auto button = [this](QToolBar* bar, const char* name, QAction* action) {
        bar->addAction(action);
        auto* b = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setToolTip(action->toolTip().isEmpty() ? action->text() : action->toolTip());
        return b;
    };
    auto toolbar = [this](const char* name) {
        auto* t = new QToolBar(this);
        t->setObjectName(QString::fromLatin1(name));
        t->setWindowTitle(QString::fromLatin1(name));
        t->setMovable(false);
        t->setIconSize(QSize(24, 24));
        return t;
    };
    ToolBar1 = toolbar("ToolBar1");
    ToolButton2 = button(ToolBar1, "ToolButton2", Priemnici2);
    ToolButton3 = button(ToolBar1, "ToolButton3", FakturaIspratnica2);
    ToolBar1->addSeparator();
    ToolButton4 = button(ToolBar1, "ToolButton4", LagerLista1);
    ToolBar4 = toolbar("ToolBar4");
    ToolButton6 = button(ToolBar4, "ToolButton6", Lista1);
    ToolButton14 = button(ToolBar4, "ToolButton14", Komintenti1);
    ToolBar3 = toolbar("ToolBar3");
    ToolButton12 = button(ToolBar3, "ToolButton12", Print1);
    ToolBar3->addSeparator();
    ToolButton8 = button(ToolBar3, "ToolButton8", Close1);
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    addToolBar(Qt::TopToolBarArea, ToolBar4);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, ToolBar3);
    ToolButton12->setEnabled(false);
}

void TForm1::rebuildWindowMenu()
{
    // Cascade and Tile, then the open child windows; the active one is checked.
    const QList<QAction*> actions = Window1->actions();
    for (QAction* a : actions)
        if (a != Cascade1 && a != Tile1)
            Window1->removeAction(a), a->deleteLater();
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty())
        return;
    Window1->addSeparator();
    int n = 0;
    for (QMdiSubWindow* sub : windows) {
        ++n;
        QString title = sub->widget() ? sub->widget()->windowTitle() : sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* a = Window1->addAction(n < 10 ? QStringLiteral("&%1 %2").arg(n).arg(title) : title);
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->currentSubWindow());
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(sub)]() {
            if (w) {
                m_mdi->setActiveSubWindow(w);
                w->showNormal();
            }
        });
    }
}
