#include "kit/edit.h"

#include "kit/guard.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace kit {

QFont inputFont()
{
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    return font;
}

Edit::Edit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this] { fire(OnChange); });
    // Typed keys are converted in keyPressEvent; this catches the rest of the operator's
    // edits (paste from the context menu, drops).
    connect(this, &QLineEdit::textEdited, this, [this](const QString& edited) {
        dropBrokenCharacters(edited);
        upperCaseEdited(text());
    });
}

void Edit::dropBrokenCharacters(const QString& text)
{
    // The limit counts 16-bit units and cuts a paste wherever it ends.
    QString whole;
    whole.reserve(text.size());
    int pos = cursorPosition();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool paired = c.isHighSurrogate() ? i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                                                : !c.isLowSurrogate() || (i > 0 && text.at(i - 1).isHighSurrogate());
        if (paired)
            whole += c;
        else if (i < pos)
            --pos;
    }
    if (whole.size() == text.size())
        return;
    QLineEdit::setText(whole);
    setCursorPosition(pos);
}

void Edit::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

int Edit::allowedLength(const QString& text) const
{
    // QLineEdit's own default: no limit.
    constexpr int unlimited = 32767;
    return m_typingLimit > 0 ? qMax(m_typingLimit, int(text.size())) : unlimited;
}

void Edit::setText(const QString& text)
{
    // QLineEdit cuts a text to its maximum length, and lowering the maximum cuts the text
    // shown: raise it before the new text, lower it after.
    if (m_typingLimit <= 0) {
        QLineEdit::setText(text);
        return;
    }
    const int allowed = allowedLength(text);
    if (allowed > maxLength())
        setMaxLength(allowed);
    QLineEdit::setText(text);
    if (allowed < maxLength())
        setMaxLength(allowed);
}

void Edit::setTypingLimit(int limit)
{
    m_typingLimit = limit;
    setMaxLength(allowedLength(text()));
}

void Edit::upperCaseEdited(const QString& text)
{
    if (!m_upperCase)
        return;
    const QString upper = text.toUpper();
    if (upper == text)
        return;
    const int pos = cursorPosition();
    // Within the operator's limit, even where an upper-case letter is longer.
    QLineEdit::setText(upper);
    setCursorPosition(qMin(pos, int(upper.size())));
}

void Edit::keyPressEvent(QKeyEvent* event)
{
    if (dispatchKeyDown(OnKeyDown, event))
        return;

    QString text = event->text();
    const bool isChar = text.size() == 1 && text.at(0).isPrint();
    if (isChar && OnKeyPress) {
        QChar ch = text.at(0);
        if (!guarded([&] { OnKeyPress(ch); }))
            ch = QChar();
        if (ch.isNull()) {
            event->accept();
            return;
        }
        text = QString(ch);
    }
    if (isChar && m_upperCase)
        text = text.toUpper();
    if (isChar && text != event->text()) {
        QKeyEvent changed(event->type(), event->key(), event->modifiers(), text, event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&changed);
        event->setAccepted(changed.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool Edit::isControlFocusChange(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

void Edit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!isControlFocusChange(event->reason()))
        return;
    if (event->reason() != Qt::MouseFocusReason && inputMask().isEmpty())
        selectAll();
    fire(OnEnter);
}

void Edit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (isControlFocusChange(event->reason()))
        fire(OnExit);
}

} // namespace kit
