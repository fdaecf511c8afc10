#include "kit/maskedit.h"

#include <QDate>
#include <QFocusEvent>
#include <QMouseEvent>

namespace kit {

MaskEdit::MaskEdit(QWidget* parent) : Edit(parent)
{
    setEditMask(dateMask());
}

QString MaskEdit::qtInputMask(const QString& mask)
{
    if (mask.isEmpty())
        return {};
    const QStringList fields = mask.split(QLatin1Char(';'));
    const QString& format = fields.at(0);
    const QString blank = fields.size() > 2 && !fields.at(2).isEmpty() ? fields.at(2).left(1) : QStringLiteral("_");
    // Characters that Qt reads as mask characters; a literal one needs a backslash.
    static const QString qtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><![]{}\\");
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        switch (c.unicode()) {
        case '0':
            out += QLatin1Char('9');
            break; // digit required
        case '9':
            out += QLatin1Char('0');
            break; // digit permitted
        case '#':
            out += QLatin1Char('#');
            break; // digit or sign permitted
        case 'L':
            out += QLatin1Char('A');
            break; // letter required
        case 'l':
            out += QLatin1Char('a');
            break;
        case 'A':
            out += QLatin1Char('N');
            break; // letter or digit required
        case 'a':
            out += QLatin1Char('n');
            break;
        case 'C':
            out += QLatin1Char('X');
            break; // any character required
        case 'c':
            out += QLatin1Char('x');
            break;
        case '>':
        case '<':
            out += c;
            break;
        case '!':
            break; // leading blanks: no Qt counterpart
        case '\\':
            if (i + 1 < format.size()) {
                const QChar lit = format.at(++i);
                if (qtSpecial.contains(lit))
                    out += QLatin1Char('\\');
                out += lit;
            }
            break;
        default:
            if (qtSpecial.contains(c))
                out += QLatin1Char('\\');
            out += c;
        }
    }
    return out + QLatin1Char(';') + blank;
}

void MaskEdit::setEditMask(const QString& mask)
{
    m_editMask = mask;
    const QString qtMask = qtInputMask(mask);
    m_blank = qtMask.isEmpty() ? QLatin1Char('_') : qtMask.back();
    setInputMask(qtMask);
}

QString MaskEdit::Text() const
{
    if (inputMask().isEmpty())
        return text();
    QString shown = displayText();
    shown.replace(m_blank, QLatin1Char(' '));
    return shown;
}

bool MaskEdit::isCompleteDate() const
{
    const QString t = Text();
    if (t.size() != 10 || t.contains(QLatin1Char(' ')))
        return false;
    return QDate::fromString(t, QStringLiteral("yyyy-MM-dd")).isValid();
}

int MaskEdit::firstBlank() const
{
    if (inputMask().isEmpty())
        return 0;
    const int pos = int(displayText().indexOf(m_blank));
    return pos < 0 ? 0 : pos;
}

void MaskEdit::focusInEvent(QFocusEvent* event)
{
    Edit::focusInEvent(event);
    m_focusByMouse = event->reason() == Qt::MouseFocusReason;
    if (!m_focusByMouse && isControlFocusChange(event->reason()) && !inputMask().isEmpty()) {
        deselect();
        setCursorPosition(firstBlank());
    }
}

void MaskEdit::mousePressEvent(QMouseEvent* event)
{
    Edit::mousePressEvent(event);
    if (!m_focusByMouse || inputMask().isEmpty())
        return;
    // The click that brought the focus: a click past the filled part lands on the first
    // empty place, a click past the end of a full field on its start.
    m_focusByMouse = false;
    if (hasSelectedText())
        return;
    const bool full = !displayText().contains(m_blank);
    if (!full && cursorPosition() > firstBlank())
        setCursorPosition(firstBlank());
    else if (full && cursorPosition() >= int(displayText().size()))
        setCursorPosition(0);
}

} // namespace kit
