#include "kit/panel.h"

#include <QPainter>

namespace kit {

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    setBevel(Bevel::Raised);
}

void Panel::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void Panel::setColor(const QColor& color)
{
    m_color = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, color);
    setPalette(pal);
    setAutoFillBackground(color.isValid());
}

void Panel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Panel::setBevel(Bevel bevel)
{
    switch (bevel) {
    case Bevel::None:
        setFrameStyle(QFrame::NoFrame);
        break;
    case Bevel::Raised:
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        break;
    case Bevel::Lowered:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        break;
    }
}

void Panel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect().adjusted(2, 0, -2, 0), int(m_alignment), m_caption);
}

} // namespace kit
