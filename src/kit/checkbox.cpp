#include "kit/checkbox.h"

namespace kit {

CheckBox::CheckBox(QWidget* parent) : CheckBox(QString(), parent) {}

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QAbstractButton::toggled, this, [this] { fire(OnClick); });
}

} // namespace kit
