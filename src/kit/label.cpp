#include "kit/label.h"

#include <QMouseEvent>

namespace kit {

void Label::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        fire(OnClick);
}

} // namespace kit
