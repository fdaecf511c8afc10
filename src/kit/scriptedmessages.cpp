#include "kit/scriptedmessages.h"

namespace kit {

ScriptedMessages::ScriptedMessages()
{
    m_previous = setMessageBoxHandler([this](QWidget*, const QString& text, const QString& title, Buttons buttons) {
        m_messages.append({title, text, buttons});
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? int(mrYes) : int(mrOk);
    });
}

ScriptedMessages::~ScriptedMessages()
{
    setMessageBoxHandler(std::move(m_previous));
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const Message& m : m_messages)
        result.append(m.text);
    return result;
}

QStringList ScriptedMessages::titles() const
{
    QStringList result;
    for (const Message& m : m_messages)
        result.append(m.title);
    return result;
}

} // namespace kit
