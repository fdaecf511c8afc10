#pragma once

#include "app/tform1.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "support/testdb.h"

#include <QList>
#include <QPair>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

namespace testsupport {

// A message the program showed: title and text.
struct Shown {
    QString title;
    QString text;
    bool operator==(const Shown& o) const { return title == o.title && text == o.text; }
};

// The program as the operator meets it: a fresh database and the main window, shown, with
// every message box and modal dialog answered by the test instead of waiting for a person.
class AppFixture {
public:
    // `schemaText`: the database is made from it (see TestDatabase), not from our schema.
    explicit AppFixture(const QString& schemaText = QString());
    ~AppFixture();
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    TestDatabase& database() { return *m_db; }
    TForm1& main() { return *m_main; }

    // Messages shown so far; answers given in order (default OK).
    const QList<Shown>& messages() const { return m_messages; }
    void clearMessages() { m_messages.clear(); }
    void answerNextMessage(int button) { m_answers.push_back(button); }

    // Modal dialogs are handed to the next handler queued here (default: cancelled).
    using DialogHandler = std::function<int(QDialog*)>;
    void onNextDialog(DialogHandler handler) { m_dialogs.push_back(std::move(handler)); }
    int dialogsRun() const { return m_dialogsRun; }

    // The active child window of the frame, as its class.
    template <class T>
    T* active() const
    {
        return qobject_cast<T*>(m_main->ActiveMDIChild());
    }
    // Every open child window of a class.
    template <class T>
    QList<T*> windows() const
    {
        QList<T*> out;
        for (QObject* o : m_main->findChildren<QObject*>())
            if (T* w = qobject_cast<T*>(o); w && qstrcmp(w->metaObject()->className(), T::staticMetaObject.className()) == 0)
                out << w;
        return out;
    }
    // Lets queued events (closing windows, deferred deletes) run.
    static void settle();

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<TForm1> m_main;
    QList<Shown> m_messages;
    std::deque<int> m_answers;
    std::deque<DialogHandler> m_dialogs;
    int m_dialogsRun = 0;
    kit::MessageBoxHandler m_previousMessages;
    kit::ModalHandler m_previousModal;
};

} // namespace testsupport
