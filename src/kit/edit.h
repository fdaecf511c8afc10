#pragma once

#include "kit/events.h"

#include <QFont>
#include <QLineEdit>

namespace kit {

// The font of input fields: bold Arial, 10 points.
QFont inputFont();

// Single-line input field.
//
// Upper-case input: every letter the operator types or pastes is shown and stored in
// upper case; text set by code is kept as given (data is shown as stored).
// Focus: when the field gets the focus by keyboard or by code its text is selected, so
// typing replaces it; a mouse click places the cursor where it was clicked.
// OnChange follows every change of the text, by the operator or by code.
//
// Typing limit: the operator cannot type or paste more than the limit allows. Text set by
// code through setText is never cut: a stored value longer than the limit is shown and kept
// whole, and typing cannot make it longer than it was set.
class Edit : public QLineEdit {
    Q_OBJECT
public:
    explicit Edit(QWidget* parent = nullptr);

    virtual QString Text() const { return text(); }
    void SetFocus();

    // Sets the text as given, whatever the typing limit.
    void setText(const QString& text);

    // 0: no limit.
    void setTypingLimit(int limit);
    int typingLimit() const { return m_typingLimit; }

    void setUpperCase(bool upper) { m_upperCase = upper; }
    bool upperCase() const { return m_upperCase; }

    KeyDownHandler OnKeyDown;
    KeyPressHandler OnKeyPress;
    NotifyHandler OnChange;
    NotifyHandler OnEnter;
    NotifyHandler OnExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Whether a focus change is one between controls (fires OnEnter/OnExit), not a
    // window activation or a popup.
    static bool isControlFocusChange(Qt::FocusReason reason);

private:
    void upperCaseEdited(const QString& text);
    // Takes out half a character that the limit cut off (a surrogate without its pair).
    void dropBrokenCharacters(const QString& text);

    // The length the operator may reach: the limit, or a longer text set by code.
    int allowedLength(const QString& text) const;

    bool m_upperCase = false;
    int m_typingLimit = 0;
};

} // namespace kit
