#pragma once

#include "frame/tccc.h"

#include <QPointer>
#include <QWidget>

class QMdiSubWindow;
class TNavForm;

namespace data {
class Database;
}
namespace kit {
class MenuItem;
class PopupMenu;
}

// Base of every list, entry and edit window: a child window of the main frame, registered
// in the navigator while it is open, closed by Esc.
class TFormSrgBase : public QWidget {
    Q_OBJECT
public:
    explicit TFormSrgBase(QWidget* parent = nullptr);
    ~TFormSrgBase() override;

    kit::PopupMenu* PopupMenu1 = nullptr;
    kit::MenuItem* Close1 = nullptr;

    TCCC* NodeRecord = nullptr; // belongs to the window's navigator node
    QPointer<QWidget> CallerForm;
    int CommandCode = 0;
    QPointer<TNavForm> Navigator;
    // Help page opened by F1 while the window is active (1 = main window).
    int HelpContext = 1;

    // Makes the window a child of the frame, places it, registers its navigator node and
    // gives it its caption.
    void InitChild(QWidget* caller, const QString& caption, int kind);

    // Called when the window becomes the active child window.
    virtual void FormActivate() {}
    // Removes the window's navigator node; runs when the window closes.
    virtual void FormClose();
    void Close1Click() { Close(); }
    // Closes the window (its frame in the MDI area).
    void Close();
    // While one lives, the windows built get `db` as their connection from the start, so
    // that what their constructors read runs on it: each of their queries takes database().
    // Module::makeWindow builds its windows in one, with the module's connection or the
    // host's; scopes nest.
    class Building {
    public:
        explicit Building(data::Database* db);
        ~Building();
        Building(const Building&) = delete;
        Building& operator=(const Building&) = delete;

    private:
        data::Database* m_previous;
    };
    // Hands the window the connection it reads and writes on, and its queries with it (those
    // it holds now; a query made later, a dialog's, takes database()).
    void setDatabase(data::Database* db);
    // The connection handed, or nullptr.
    data::Database* database() const { return m_database; }
    // The connection of `owner` when it is one of these windows (a dialog takes the one of
    // the window that opens it), otherwise nullptr.
    static data::Database* databaseOf(const QObject* owner);
    // The same; throws when the window was handed none.
    data::Database& connection() const;
    // The window is closing or closed: its fields no longer check what they hold on exit.
    bool isClosing() const { return m_closed; }
    // An entry or edit window whose fields, lines or boxes differ from what they held when
    // the window opened (after it was filled); always false for other windows.
    bool hasUnsavedInput() const;
    // What the inputs hold now is what the window opened with: called once its record is
    // loaded (the module does so when the operation that built the window returns), and by
    // InitChild for windows opened otherwise.
    void noteInputAsOpened();

    QMdiSubWindow* subWindow() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    // True, once, for the activation that follows the building of the window in the same
    // turn of the event loop: what the window read while being built cannot have changed,
    // so a list need not read it again.
    bool activatedJustAfterBuilding();
    // Marks an entry or edit window: what its inputs hold when it opens (noteInputAsOpened)
    // is remembered, and the main window asks before closing over changes to it.
    void trackInput() { m_tracksInput = true; }
    // What the window's inputs hold: texts of its fields and of grids of texts, checked
    // boxes. A document's lines (frame::LineModel) are compared by their values instead.
    QStringList inputState() const;

private:
    data::Database* m_database = nullptr;
    bool m_tracksInput = false;
    QStringList m_inputAtStart;
    bool m_closed = false;
    bool m_justBuilt = true; // until the event loop turns after the window was built
};
