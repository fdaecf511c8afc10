#include "kit/button.h"

#include <QDialog>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>

namespace kit {

Button::Button(QWidget* parent) : Button(QString(), parent) {}

Button::Button(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    // A focused button reacts to Enter itself; no button becomes a dialog's default
    // merely by being focused.
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, &Button::clickedByOperator);
}

void Button::clickedByOperator()
{
    QPointer<Button> self(this);
    fire(OnClick);
    if (!self || m_modalResult == mrNone)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()))
        dialog->done(m_modalResult);
}

void Button::keyPressEvent(QKeyEvent* event)
{
    if (dispatchKeyDown(OnKeyDown, event))
        return;
    if (isEnter(keyCode(event)) && !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Button::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        fire(OnEnter);
}

void Button::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        fire(OnExit);
}

} // namespace kit
