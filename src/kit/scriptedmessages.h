#pragma once

#include "kit/messagebox.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace kit {

// For tests: while it lives, every message box is recorded instead of shown and answered
// from a queue of answers; with the queue empty the answer is the first button (OK, or Yes
// for Yes/No boxes). Restores the previous handler when it goes.
class ScriptedMessages {
public:
    struct Message {
        QString title;
        QString text;
        Buttons buttons = Buttons::Ok;
    };

    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues the answer to the next unanswered message (mrOk, mrCancel, mrYes, mrNo).
    void answer(int result) { m_answers.enqueue(result); }

    const QList<Message>& messages() const { return m_messages; }
    int count() const { return int(m_messages.size()); }
    bool isEmpty() const { return m_messages.isEmpty(); }
    Message last() const { return m_messages.isEmpty() ? Message() : m_messages.last(); }
    QStringList texts() const;
    QStringList titles() const;
    void clear() { m_messages.clear(); }

private:
    QList<Message> m_messages;
    QQueue<int> m_answers;
    MessageBoxHandler m_previous;
};

} // namespace kit
