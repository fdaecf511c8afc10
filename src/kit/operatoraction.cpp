#include "kit/operatoraction.h"

#include "data/log.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace kit {

namespace {

struct Action {
    quint64 troublesAtStart = 0;
    bool reported = false;
    bool reopenTried = false;
};

Action& current()
{
    static Action a;
    return a;
}

bool troubleInAction()
{
    return data::connectionTroubles() != current().troublesAtStart;
}

} // namespace

void noteEvent(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return;
    }
    if (!event->spontaneous())
        return;
    // Answering a box belongs to the action that raised it.
    if (qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
        return;
    current() = Action{data::connectionTroubles(), false};
}

bool connectionReported()
{
    return current().reported;
}

bool mayReopenConnection()
{
    Action& a = current();
    // Not in the action that lost the connection either: a server that stopped answering
    // would be waited for again (the operator's next action tries).
    if (a.reported || a.reopenTried || troubleInAction())
        return false;
    a.reopenTried = true;
    return true;
}

void noteBoxShown()
{
    if (troubleInAction())
        current().reported = true;
}

} // namespace kit
