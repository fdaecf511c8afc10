#include "kit/menuitem.h"

namespace kit {

MenuItem::MenuItem(const QString& name, const QString& caption, QObject* parent) : QAction(caption, parent)
{
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this] { fire(OnClick); });
}

} // namespace kit
