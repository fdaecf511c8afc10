#include "kit/focus.h"

#include <QWidget>

namespace kit {

QWidget* focusFirstControl(QWidget* window)
{
    if (!window)
        return nullptr;
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain()) {
        if (!window->isAncestorOf(w))
            continue;
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() || !w->isVisibleTo(window))
            continue;
        w->setFocus(Qt::TabFocusReason);
        return w;
    }
    return nullptr;
}

} // namespace kit
