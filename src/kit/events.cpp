#include "kit/events.h"

#include "kit/guard.h"

#include <QKeyEvent>
#include <QWidget>

namespace kit {

int keyCode(const QKeyEvent* event)
{
    const int key = event->key();
    return key == Qt::Key_Enter ? int(Qt::Key_Return) : key;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool dispatchKeyDown(const KeyDownHandler& handler, QKeyEvent* event)
{
    if (!handler)
        return false;
    int key = keyCode(event);
    if (!guarded([&] { handler(key, event->modifiers()); }))
        key = 0;
    if (key != 0)
        return false;
    event->accept();
    return true;
}

void fire(const NotifyHandler& handler)
{
    if (handler)
        guarded(handler);
}

bool moveOnEnter(int& key, QWidget* next)
{
    if (!isEnter(key))
        return false;
    key = 0;
    if (next)
        next->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace kit
