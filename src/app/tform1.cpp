#include "app/tform1.h"

#include "data/schemaversion.h"

#include "app/helpviewer.h"
#include "app/resources.h"
#include "app/tsabout.h"
#include "frame/icons.h"
#include "frame/module.h"
#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"
#include "frame/tnavform.h"
#include "data/database.h"
#include "data/schema.h"
#include "kit/guard.h"
#include "kit/operatoraction.h"
#include "kit/layoutmemory.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "modules/artikli/tartikli.h"
#include "modules/faktura/tfaktura.h"
#include "modules/ispratnica/tispratnica.h"
#include "modules/komintenti/tkomintenti.h"
#include "modules/lagerlista/tlagerlista.h"
#include "modules/magacin/tmagacin.h"
#include "modules/nalog/tnalog.h"
#include "modules/pregledartikal/tpregledartikal.h"
#include "modules/pregledkomintent/tpregledkomintent.h"
#include "modules/priemnica/tpriemnica.h"
#include "modules/proizvod/tproizvod.h"
#include "modules/reportfinan/treportfinan.h"
#include "modules/vraboteni/tvraboteni.h"
#include "reports/registerreports.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScopeGuard>
#include <QStatusBar>
#include <QToolButton>

namespace {
QPointer<TForm1> g_instance;
}

TForm1* TForm1::instance()
{
    return g_instance;
}

TForm1::TForm1(data::Database* database, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    app::initResources();
    if (database) {
        m_database = database;
    } else {
        m_ownDatabase = std::make_unique<data::Database>(QStringLiteral("Main"));
        // A data source without the program's tables is not worked on: the text says how
        // to prepare it, and nothing opens.
        data::openPrepared(*m_ownDatabase, QStringLiteral("varnok_public"));
        // An older schema opens nothing either; a newer one is only read.
        m_schemaNotice = data::requireWorkableSchema(*m_ownDatabase, QStringLiteral("varnok_public"));
        // A database the program may not write is said at once, not at the first save.
        if (m_schemaNotice.isEmpty())
            m_schemaNotice = m_ownDatabase->detectReadOnlySource();
        m_database = m_ownDatabase.get();
    }
    // A lost connection is opened again by the operator's next action: on a change of focus
    // (below), or by the first statement of the action that finds it closed.
    m_database->setReopenPolicy([] { return kit::mayReopenConnection(); });
    g_instance = this;
    setWindowTitle(QStringLiteral("Tervalo"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/duredir.svg")));
    QApplication::setWindowIcon(windowIcon());
    resize(1280, 800);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setBackground(Qt::white);
    // Closing a child window brings back the one that was in front before it (an entry
    // window returns to its list), not the next one created.
    m_mdi->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);

    reports::registerAll();
    buildMenus();
    buildToolBars();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(StatusBar1);

    connect(m_mdi, &QMdiArea::subWindowActivated, this, &TForm1::subWindowActivated);
    m_focusHook = connect(qApp, &QApplication::focusChanged, this,
                          [this]() { kit::guarded([this] { ScreenActiveControlChange(); }); });

    // The navigator: a child window of the frame that the operator cannot close.
    m_nav = new TNavForm;
    m_navSub = m_mdi->addSubWindow(m_nav, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    m_navSub->setWindowIcon(frame::navigatorPicture(1));
    // The subwindow hugs the navigator's fixed client size.
    m_navSub->setFixedSize(m_navSub->minimumSizeHint());
    m_navSub->move(0, 0);
    m_nav->OnClose = [this]() { disconnect(m_mdi, &QMdiArea::subWindowActivated, this, nullptr); };
    m_navSub->show();

    // F1 opens the help page of the window it was pressed in, wherever the focus is inside
    // it (a list's grid or search box); the main window's context is 1.
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::ApplicationShortcut);
    connect(help, &QAction::triggered, this, [this]() { kit::guarded([this] { HelpForActiveWindow(); }); });
    addAction(help);
}

TForm1::~TForm1()
{
    FormClose();
    disconnect(m_focusHook);
    m_database->setReopenPolicy({});
    if (g_instance == this)
        g_instance = nullptr;
    delete CompanyRecord;
}

// A module of the main window: its place in the order of creation, whether it holds the
// connection (its windows run transactions), how it is made and the member that names it.
struct TForm1::ModuleRow {
    int created;
    bool withConnection;
    Module* (*make)(frame::Host* host);
    void (*name)(TForm1& form, Module* module); // nullptr forgets it
};

template <class M, M* TForm1::*member>
TForm1::ModuleRow TForm1::moduleRow(int created, bool withConnection)
{
    return ModuleRow{created, withConnection, [](frame::Host* host) -> Module* { return new M(host); },
                     [](TForm1& form, Module* module) { form.*member = static_cast<M*>(module); }};
}

const QList<TForm1::ModuleRow>& TForm1::moduleRows()
{
    // In the order the modules are destroyed: the reverse of their creation, the employee
    // and financial report modules last.
    static const QList<ModuleRow> rows{
        moduleRow<TPregledKomintent, &TForm1::PregledKomintent>(10, false),
        moduleRow<TPregledArtikal, &TForm1::PregledArtikal>(9, false),
        moduleRow<TLagerLista, &TForm1::LagerLista>(8, false),
        moduleRow<TIspratnica, &TForm1::Ispratnica>(7, true),
        moduleRow<TPriemnica, &TForm1::Priemnica>(6, true),
        moduleRow<TFaktura, &TForm1::Faktura>(5, false),
        moduleRow<TProizvod, &TForm1::Proizvod>(4, true),
        moduleRow<TNalog, &TForm1::Nalog>(3, true),
        moduleRow<TMagacin, &TForm1::Magacin>(2, false),
        moduleRow<TKomintenti, &TForm1::Komintenti>(1, false),
        moduleRow<TArtikli, &TForm1::Artikli>(0, false),
        moduleRow<TVraboteni, &TForm1::Vraboteni>(11, false),
        moduleRow<TReportFinan, &TForm1::ReportFinan>(12, false),
    };
    return rows;
}

QList<Module*> TForm1::modules() const
{
    QList<Module*> out;
    const QList<ModuleRow>& rows = moduleRows();
    for (int created = 0; created < int(rows.size()); ++created)
        for (int i = 0; i < int(rows.size()); ++i)
            if (rows.at(i).created == created && i < int(m_modules.size()) && m_modules[i])
                out << m_modules[i].get();
    return out;
}

QWidget* TForm1::ActiveMDIChild() const
{
    QMdiSubWindow* sub = m_mdi->currentSubWindow();
    if (!sub)
        sub = m_mdi->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

int TForm1::MDIChildCount() const
{
    return int(m_mdi->subWindowList().size());
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    CompanyRecord = new TCCC{1, QStringLiteral("MyCompany"), 0, nullptr};
    m_nav->AddCompany(QStringLiteral("MyCompany"), CompanyRecord);

    const QList<ModuleRow>& rows = moduleRows();
    m_modules.resize(rows.size());
    for (int created = 0; created < int(rows.size()); ++created)
        for (int i = 0; i < int(rows.size()); ++i) {
            const ModuleRow& row = rows.at(i);
            if (row.created != created)
                continue;
            m_modules[i].reset(row.make(this));
            m_modules[i]->Navigator = m_nav;
            if (row.withConnection)
                m_modules[i]->Database = m_database;
            row.name(*this, m_modules[i].get());
        }
}

void TForm1::FormClose()
{
    if (m_closing)
        return;
    m_closing = true;
    // Nothing may reach the navigator or a module while they go.
    disconnect(m_mdi, &QMdiArea::subWindowActivated, this, nullptr);
    disconnect(m_focusHook);
    const QList<ModuleRow>& rows = moduleRows();
    for (int i = 0; i < int(m_modules.size()); ++i) {
        rows.at(i).name(*this, nullptr);
        m_modules[i].reset();
    }
    m_modules.clear();
    if (m_nav)
        m_nav->allowClose();
}

bool TForm1::restoreLayout()
{
    // restoreGeometry() brings a window saved on a larger screen back onto this one.
    const QByteArray geometry = kit::loadGeometry(QStringLiteral("Form1"));
    return !geometry.isEmpty() && restoreGeometry(geometry);
}

void TForm1::showAtStart()
{
    restoreLayout();
    showMaximized();
    if (!m_schemaNotice.isEmpty())
        kit::messageBox(this, m_schemaNotice, QStringLiteral("Warning"));
}

void TForm1::saveLayout()
{
    kit::saveGeometry(QStringLiteral("Form1"), saveGeometry());
}

bool TForm1::hasUnsavedInput() const
{
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* child = qobject_cast<TFormSrgBase*>(sub->widget()); child && child->hasUnsavedInput())
            return true;
    return false;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Title-bar close or Alt+F4 over an entry or edit window holding input: asked once, and
    // the program stays open unless the operator says yes; Enter keeps it open.
    if (!m_closing && hasUnsavedInput()
        && kit::messageBox(this,
                           QStringLiteral("An open window holds data that is not saved. Close the program without saving?"),
                           QStringLiteral("Warning"), kit::Buttons::YesNo, kit::mrNo)
               != kit::mrYes) {
        event->ignore();
        return;
    }
    saveLayout();
    FormClose();
    QMainWindow::closeEvent(event);
}

void TForm1::subWindowActivated(QMdiSubWindow* sub)
{
    if (m_closing || !sub)
        return;
    ScreenActiveFormChange(sub->widget());
    if (auto* child = qobject_cast<TFormSrgBase*>(sub->widget()))
        kit::guarded([child] { child->FormActivate(); });
}

void TForm1::ScreenActiveFormChange(QWidget* activeForm)
{
    if (!activeForm)
        return;
    if (m_nav)
        m_nav->SelectWindow(activeForm);
    const bool printable = qobject_cast<frame::Printable*>(ActiveMDIChild()) != nullptr;
    Print1->setEnabled(printable);
    ToolButton12->setEnabled(printable);
}

void TForm1::ScreenActiveControlChange()
{
    // Not while closing, and not again in an action that has shown its box about the lost
    // connection: that box's own focus change (and the one when it closes) would otherwise
    // raise the next box, without end. The operator's next action tries again.
    if (m_closing || kit::connectionReported())
        return;
    // Opens a closed connection; on MariaDB also one whose server was restarted meanwhile.
    m_database->ensureConnected();
}

void TForm1::RefreshDatabaseconnection1Click()
{
    m_database->ensureConnected();
}

void TForm1::Close1Click()
{
    if (MDIChildCount() == 0)
        return;
    QWidget* active = ActiveMDIChild();
    if (!active || qobject_cast<TNavForm*>(active))
        return;
    if (auto* child = qobject_cast<TFormSrgBase*>(active))
        child->Close();
    else if (QMdiSubWindow* sub = m_mdi->currentSubWindow())
        sub->close();
}

void TForm1::Cascade1Click()
{
    m_mdi->cascadeSubWindows();
}

void TForm1::Tile1Click()
{
    // Horizontal tiling: the windows one above the other, each the full width.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* w : m_mdi->subWindowList())
        if (w->isVisible() && !w->isMinimized())
            windows << w;
    if (windows.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int h = qMax(60, area.height() / int(windows.size()));
    int y = 0;
    for (QMdiSubWindow* w : windows) {
        if (w->isMaximized())
            w->showNormal();
        if (w->widget() == m_nav) {
            w->move(0, y); // the navigator keeps its fixed size
        } else {
            w->setGeometry(0, y, area.width(), h);
        }
        y += h;
    }
}

void TForm1::About1Click()
{
    TSAbout about(*m_database, this);
    kit::runModal(&about);
}

void TForm1::HelpForActiveWindow()
{
    TFormSrgBase* child = nullptr;
    for (QWidget* w = QApplication::focusWidget(); w && !child; w = w->parentWidget())
        child = qobject_cast<TFormSrgBase*>(w);
    if (!child)
        child = qobject_cast<TFormSrgBase*>(ActiveMDIChild());
    const QString page = app::HelpViewer::pageForWindow(child);
    if (!page.isEmpty())
        app::HelpViewer::showPage(page, this);
    else
        ApplicationHelp(child ? child->HelpContext : 1);
}

bool TForm1::ApplicationHelp(int context)
{
    app::HelpViewer::showContext(context, this);
    return true;
}

void TForm1::Print1Click()
{
    if (MDIChildCount() == 0)
        return;
    QWidget* active = ActiveMDIChild();
    auto* printable = qobject_cast<frame::Printable*>(active);
    if (!printable)
        return;
    // The window holds still from the question until its preview is closed.
    printable->setPrinting(true);
    const QPointer<QWidget> window = active;
    auto clearPrinting = qScopeGuard([&]() {
        if (window)
            printable->setPrinting(false);
    });
    const frame::PrintReport report = printable->printReport();
    if (kit::messageBox(this, frame::printConfirmation(report), QStringLiteral("Information"), kit::Buttons::OkCancel)
        != kit::mrOk)
        return;
    if (const frame::ReportRunner run = frame::reportFor(report))
        run(active, printable->printSource(), this);
}

Module* TForm1::moduleFor(frame::PickList list) const
{
    switch (list) {
    case frame::PickList::Articles:
        return Artikli;
    case frame::PickList::Products:
        return Proizvod;
    case frame::PickList::Partners:
        return Komintenti;
    case frame::PickList::Employees:
        return Vraboteni;
    case frame::PickList::Stock:
        return LagerLista;
    case frame::PickList::Receipts:
        return Priemnica;
    case frame::PickList::None:
        break;
    }
    return nullptr;
}

void TForm1::HandleCommand(int code)
{
    if (code < frame::FirstCommand || code > frame::LastCommand || m_closing)
        return;
    if (code % 2 == 1) {
        // Request: open the list in pick mode for the window in which the key or click happened.
        if (Module* m = moduleFor(frame::listForRequest(code)))
            m->createList(nullptr, ActiveMDIChild(), code);
        return;
    }
    answerPick(code);
}

void TForm1::answerPick(int code)
{
    const frame::CommandAnswer* answer = frame::answerFor(code);
    if (!answer)
        return;
    auto* list = qobject_cast<TFormSrgBase*>(ActiveMDIChild());
    if (!list)
        return;
    const QPointer<QWidget> target = list->CallerForm;
    std::optional<int> id;
    // A failure to read the pick, or of the window receiving it, is shown once; the list
    // stays open when the pick could not be read. A list that does not give the key the
    // answer takes (or a window that is no list) hands over nothing, and is closed.
    if (!kit::guarded([&] {
            if (auto* source = qobject_cast<frame::PickSource*>(list))
                id = source->pickedKey(answer->key);
        }))
        return;
    if (answer->key == frame::PickKey::StockArticle && id == -1) {
        kit::messageBox(list, QStringLiteral("Nema kolicina od toj artikal!!!"), QStringLiteral("Warning !"));
        return; // the list stays open
    }
    // An empty list has no key to hand over (-1): the list closes and the caller gets nothing,
    // so no line is booked for a record that does not exist and no dialog opens on none.
    if (auto* receiver = qobject_cast<frame::PickTarget*>(target.data()); receiver && id && *id != -1)
        kit::guarded([&] { (receiver->*answer->receive)(*id); });
    list->Close();
    if (target && answer->focus != frame::AfterPick::Stay) {
        if (auto* child = qobject_cast<TFormSrgBase*>(target.data()))
            if (QMdiSubWindow* sub = child->subWindow())
                m_mdi->setActiveSubWindow(sub);
        if (auto* receiver = qobject_cast<frame::PickTarget*>(target.data()))
            if (QWidget* control = receiver->controlAfterPick(answer->focus))
                control->setFocus(Qt::OtherFocusReason);
    }
}

void TForm1::Lista1Click()
{
    Artikli->createList(nullptr, nullptr, 1);
}

void TForm1::Komintenti1Click()
{
    Komintenti->createList(nullptr, nullptr, 1);
}

void TForm1::Priemnici2Click()
{
    Priemnica->createList(nullptr, nullptr, 1);
}

void TForm1::FakturaIspratnica2Click()
{
    Ispratnica->createList(nullptr, nullptr, 1);
}

void TForm1::LagerLista1Click()
{
    LagerLista->createList(nullptr, nullptr, 1);
}

void TForm1::PregledipoArtikli1Click()
{
    PregledArtikal->createList(nullptr, nullptr, 1);
}

void TForm1::PregledipoKomintenti1Click()
{
    PregledKomintent->createList(nullptr, nullptr, 1);
}

void TForm1::Nalozi2Click()
{
    Nalog->createList(nullptr, nullptr, 1);
}

void TForm1::PregledpoNalozi1Click()
{
    Nalog->KreirajNalogGraphic(nullptr, nullptr, 1);
}
