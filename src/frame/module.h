#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

#include "frame/host.h"
#include "frame/tformsrgbase.h"

class TNavForm;

namespace frame {
class Host;
}

namespace data {
class Database;
}

// What distinguishes one module component from another: its create codes, the numbered
// commands it passes to the main window, and the captions of its windows.
struct ModuleTraits {
    const char* name;
    int entryCode;
    int editCode;
    int listCode;
    QList<int> passedCodes;
    QString entryCaption;
    QString editCaption;
    QString listCaption;
    QString editWithoutSelection; // message for "Update" on an empty list; empty: none
};

// A module component: no visible face; creates the windows of its kind on request and
// passes numbered commands to the main window. Windows it created are destroyed with it.
class Module : public QObject {
    Q_OBJECT
public:
    Module(const ModuleTraits& traits, frame::Host* host);
    ~Module() override;

    QPointer<TNavForm> Navigator;
    data::Database* Database = nullptr;
    QPointer<TFormSrgBase> EntryForm;
    QPointer<TFormSrgBase> EditForm;
    QPointer<TFormSrgBase> ListForm;

    const ModuleTraits& traits() const { return m_traits; }

    // Dispatch: the three create codes create windows, the listed numbered commands go to
    // the main window, anything else is ignored.
    virtual void SProccessingMessage(QObject* sender, QWidget* form, int code);
    // Sends a numbered command to the main window and returns when it has been handled.
    void PovikajProcedura(QObject* sender, QWidget* form, int code);

    // The operations behind the create codes (Kreiraj...Vnes, ...Korekcija, ...Lista).
    // A module whose windows are not built yet opens nothing.
    virtual void createEntry(QObject* sender, QWidget* form, int code);
    virtual void createEdit(QObject* sender, QWidget* form, int code);
    virtual void createList(QObject* sender, QWidget* form, int code);

    // The list a command came from: the list whose control sent the current command while
    // it is open, otherwise the list created last (ListForm).
    TFormSrgBase* commandList() const;

protected:
    // Registers a window this module created: it is destroyed with the module.
    void adopt(TFormSrgBase* window);
    // Creates a window of this module: adopted, remembered in `slot` (EntryForm, EditForm or
    // ListForm), given the navigator and the module's connection (none: the host's, the
    // program's). The caller wires it and then calls InitChild.
    template <class W>
    W* makeWindow(QPointer<TFormSrgBase>& slot)
    {
        data::Database* db = Database ? Database : (m_host ? &m_host->database() : nullptr);
        W* w = nullptr;
        {
            const TFormSrgBase::Building building(db);
            w = new W;
        }
        adopt(w);
        slot = w;
        w->Navigator = Navigator;
        w->setDatabase(db);
        return w;
    }
    // An empty window of this module (entry or edit placeholders), opened at once.
    template <class W>
    W* openEmptyWindow(QPointer<TFormSrgBase>& slot, QWidget* form, const QString& caption)
    {
        W* w = makeWindow<W>(slot);
        w->InitChild(form, caption, 2);
        return w;
    }
    // Runs f with `list` as the list the command comes from.
    template <class F>
    void fromList(TFormSrgBase* list, F&& f)
    {
        QPointer<TFormSrgBase> previous = m_commandList;
        m_commandList = list;
        try {
            f();
        } catch (...) {
            m_commandList = previous;
            throw;
        }
        m_commandList = previous;
    }
    // The main window's active child window (the window in which a key or click happened).
    QWidget* activeChild() const;
    frame::Host* host() const { return m_host; }

private:
    // Runs an operation that builds an entry or edit window; the windows it built remember
    // what their inputs hold when it returns, their record loaded, as what they opened with.
    void build(const std::function<void()>& create);

    ModuleTraits m_traits;
    frame::Host* m_host;
    QList<QPointer<TFormSrgBase>> m_windows;
    QPointer<TFormSrgBase> m_commandList;
    QList<QPointer<TFormSrgBase>>* m_built = nullptr; // while build() runs
};
