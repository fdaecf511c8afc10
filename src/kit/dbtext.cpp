#include "kit/dbtext.h"

namespace kit {

DBText::DBText(QWidget* parent)
    : QLabel(parent), m_link(new FieldLink([this](const QString& text) { setText(text); }, this))
{
    setTextFormat(Qt::PlainText);
}

} // namespace kit
