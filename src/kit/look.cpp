#include "kit/look.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QPainter>
#include <QPen>
#include <QPalette>
#include <QScreen>
#include <QStyleOptionSlider>
#include <QWidget>

#include <cmath>

namespace kit {

namespace {

// Marks the window of every widget that takes the focus as reached by the keyboard, so its
// style draws the focus frame whatever moved the focus.
class FocusFrames : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            QWidget* window = static_cast<QWidget*>(watched)->window();
            if (!window->testAttribute(Qt::WA_KeyboardFocusChange)) {
                window->setAttribute(Qt::WA_KeyboardFocusChange, true);
                static_cast<QWidget*>(watched)->update();
            }
        }
        return false;
    }
};

double luminance(const QColor& colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

} // namespace

Look::Look() : QProxyStyle() {}

void Look::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element != CE_PushButton || !(option->state & State_HasFocus) || !(option->state & State_Enabled)
        || !(option->state & State_KeyboardFocusChange))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(option->palette.color(QPalette::Active, QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(option->rect).adjusted(1.5, 1.5, -1.5, -1.5), 2.5, 2.5);
    painter->restore();
}

void Look::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                              const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control != CC_ScrollBar)
        return;
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (!bar || !(bar->subControls & SC_ScrollBarSlider) || bar->maximum <= bar->minimum)
        return;
    const QRect handle = subControlRect(control, option, SC_ScrollBarSlider, widget);
    if (!handle.isValid())
        return;
    // A grey that stands out of the groove (at least 3:1 against white), darker under the
    // mouse and while dragged.
    QColor fill(0x76, 0x76, 0x76);
    if (bar->activeSubControls & SC_ScrollBarSlider)
        fill = (bar->state & State_Sunken) ? QColor(0x44, 0x44, 0x44) : QColor(0x5a, 0x5a, 0x5a);
    if (!(bar->state & State_Enabled))
        fill = QColor(0xb0, 0xb0, 0xb0);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    const QRectF inner = QRectF(handle).adjusted(2.5, 2.5, -2.5, -2.5);
    const qreal radius = qMin(inner.width(), inner.height()) / 3.0;
    painter->drawRoundedRect(inner, radius, radius);
    painter->restore();
}

void installLook(QApplication* application)
{
    QApplication::setStyle(new Look);
    application->installEventFilter(new FocusFrames(application));
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

void showReadOnly(QWidget* field)
{
    QPalette pal = field->palette();
    pal.setColor(QPalette::Disabled, QPalette::Text, pal.color(QPalette::Active, QPalette::Text));
    pal.setColor(QPalette::Disabled, QPalette::Base, pal.color(QPalette::Active, QPalette::Window));
    field->setPalette(pal);
}

QSize fittedSize(const QSize& wanted, const QRect& available, const QMargins& frame)
{
    const QSize room(available.width() - frame.left() - frame.right(), available.height() - frame.top() - frame.bottom());
    return wanted.boundedTo(room.expandedTo(QSize(1, 1)));
}

void fitToScreen(QWidget* window)
{
    QScreen* screen = window->isVisible() || !window->parentWidget() ? window->screen() : window->parentWidget()->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QMargins frame;
    if (window->isVisible()) {
        const QRect outer = window->frameGeometry(), inner = window->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    if (frame.isNull())
        frame = QMargins(6, 30, 6, 6); // a title bar and borders, before the window has its frame
    // A window not sized by the program takes its size hint when shown.
    const QSize wanted = window->testAttribute(Qt::WA_Resized) || window->isVisible()
                             ? window->size()
                             : window->sizeHint().expandedTo(window->minimumSizeHint());
    const QSize fitted = fittedSize(wanted, available, frame);
    if (fitted != wanted)
        window->resize(fitted);
    if (window->isVisible()) {
        const QRect outer = window->frameGeometry();
        QPoint topLeft = outer.topLeft();
        topLeft.setX(qBound(available.left(), topLeft.x(), qMax(available.left(), available.right() - outer.width() + 1)));
        topLeft.setY(qBound(available.top(), topLeft.y(), qMax(available.top(), available.bottom() - outer.height() + 1)));
        if (topLeft != outer.topLeft())
            window->move(topLeft);
    }
}

} // namespace kit
