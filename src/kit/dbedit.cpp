#include "kit/dbedit.h"

namespace kit {

DBEdit::DBEdit(QWidget* parent)
    : QLineEdit(parent), m_link(new FieldLink([this](const QString& text) { setText(text); }, this))
{
    setReadOnly(true);
}

} // namespace kit
