#pragma once

#include "kit/events.h"

#include <QPushButton>

namespace kit {

// Push button. Enter (Return or keypad Enter) on the focused button presses it, as Space
// does, in any window. A button with a modal result other than mrNone ends the dialog it
// sits in with that result after its OnClick has run.
class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(QWidget* parent = nullptr);
    explicit Button(const QString& caption, QWidget* parent = nullptr);

    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }

    // Presses the button as the operator does: OnClick, then the modal result.
    void Click() { click(); }
    void SetFocus() { setFocus(Qt::OtherFocusReason); }

    NotifyHandler OnClick;
    KeyDownHandler OnKeyDown;
    NotifyHandler OnEnter;
    NotifyHandler OnExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void clickedByOperator();

    int m_modalResult = mrNone;
};

} // namespace kit
