#pragma once

#include "frame/commands.h"
#include "frame/host.h"
#include "frame/tccc.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class Module;
class TNavForm;
class TArtikli;
class TKomintenti;
class TMagacin;
class TNalog;
class TProizvod;
class TFaktura;
class TPriemnica;
class TIspratnica;
class TLagerLista;
class TPregledArtikal;
class TPregledKomintent;
class TVraboteni;
class TReportFinan;

namespace data {
class Database;
}

// The main window: a multiple-document frame holding every other window, the one database
// connection, the navigator and the thirteen module components; menus and tool bars.
class TForm1 : public QMainWindow, public frame::Host {
    Q_OBJECT
public:
    // Opens the connection "Main" through the alias "varnok_public" (throws on failure), or
    // uses a connection already open under that name.
    explicit TForm1(data::Database* database = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    static TForm1* instance();

    data::Database& Database1() { return *m_database; }
    QMdiArea* mdiArea() const override { return m_mdi; }
    QSize outerSize() const override { return frameGeometry().size(); }
    TNavForm* NavForm() const { return m_nav; }
    // The active child window of the frame (its widget), or nullptr.
    QWidget* ActiveMDIChild() const override;
    data::Database& database() const override { return *m_database; }
    int MDIChildCount() const;

    TCCC* CompanyRecord = nullptr;

    // Modules, created when the window is first shown and held by its table of modules;
    // these name them for the menus, the picks and the tests.
    TArtikli* Artikli = nullptr;
    TKomintenti* Komintenti = nullptr;
    TMagacin* Magacin = nullptr;
    TNalog* Nalog = nullptr;
    TProizvod* Proizvod = nullptr;
    TFaktura* Faktura = nullptr;
    TPriemnica* Priemnica = nullptr;
    TIspratnica* Ispratnica = nullptr;
    TLagerLista* LagerLista = nullptr;
    TPregledArtikal* PregledArtikal = nullptr;
    TPregledKomintent* PregledKomintent = nullptr;
    TVraboteni* Vraboteni = nullptr;
    TReportFinan* ReportFinan = nullptr;
    // In order of creation.
    QList<Module*> modules() const;

    // Menus and their items.
    QMenu* Tools1 = nullptr;
    QAction* Lista1 = nullptr;
    QAction* Komintenti1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Close1 = nullptr;
    QAction* RefreshDatabaseconnection1 = nullptr;
    QMenu* Nalog1 = nullptr;
    QAction* Priemnici2 = nullptr;
    QAction* FakturaIspratnica2 = nullptr;
    QMenu* Sostojbi1 = nullptr;
    QAction* LagerLista1 = nullptr;
    QAction* PregledipoArtikli1 = nullptr;
    QAction* PregledipoKomintenti1 = nullptr;
    QMenu* Proizvodstvo1 = nullptr;
    QAction* Nalozi2 = nullptr;
    QAction* PregledpoNalozi1 = nullptr;
    QAction* Proizvodi1 = nullptr;
    QAction* Vraboteni1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* Cascade1 = nullptr;
    QAction* Tile1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* About1 = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QToolBar* ToolBar4 = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QToolButton* ToolButton4 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton14 = nullptr;
    QToolButton* ToolButton12 = nullptr;
    QToolButton* ToolButton8 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Handles a numbered command (frame::FirstCommand..frame::LastCommand) synchronously; other codes are ignored.
    void HandleCommand(int code) override;

    // Menu handlers.
    void Lista1Click();
    void Komintenti1Click();
    void Print1Click();
    void Close1Click();
    void RefreshDatabaseconnection1Click();
    void Priemnici2Click();
    void FakturaIspratnica2Click();
    void LagerLista1Click();
    void PregledipoArtikli1Click();
    void PregledipoKomintenti1Click();
    void Cascade1Click();
    void Tile1Click();
    void About1Click();
    void Nalozi2Click();
    void PregledpoNalozi1Click();

    // Application-wide hooks.
    void ScreenActiveFormChange(QWidget* activeForm);
    void ScreenActiveControlChange();
    // Opens the help viewer on the page of a help context (0: the index).
    bool ApplicationHelp(int context);
    // An entry or edit window holds input that is not saved.
    bool hasUnsavedInput() const;
    // F1: the help page of the child window holding the focus (else the active one).
    void HelpForActiveWindow();

    void FormShow();
    void FormClose();

    // The window's geometry from the last run; false when there is none (first run).
    bool restoreLayout();
    void saveLayout();
    // Shows the window as the program starts: maximized every time; the remembered size is
    // the one it takes when the operator restores it from maximized.
    void showAtStart();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void buildToolBars();
    void rebuildWindowMenu();
    void subWindowActivated(QMdiSubWindow* sub);
    Module* moduleFor(frame::PickList list) const;
    void answerPick(int code);

    struct ModuleRow;
    template <class M, M* TForm1::*member>
    static ModuleRow moduleRow(int created, bool withConnection);
    static const QList<ModuleRow>& moduleRows();
    // The modules, owned, one per row of moduleRows(), in the order they are destroyed.
    std::vector<std::unique_ptr<Module>> m_modules;
    std::unique_ptr<data::Database> m_ownDatabase;
    QString m_schemaNotice; // shown once the window is up: the database is only read
    data::Database* m_database = nullptr;
    QMdiArea* m_mdi = nullptr;
    TNavForm* m_nav = nullptr;
    QMdiSubWindow* m_navSub = nullptr;
    bool m_shown = false;
    bool m_closing = false;
    QMetaObject::Connection m_focusHook;
};
