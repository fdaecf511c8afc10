#pragma once

#include <QMargins>
#include <QProxyStyle>
#include <QRect>
#include <QSize>

class QApplication;
class QColor;
class QWidget;

namespace kit {

// The program's look over the desktop's style: a focused button framed in the highlight
// colour, two pixels wide; scroll bar handles drawn dark enough to tell from their groove.
// Wraps whatever style the desktop gives.
class Look : public QProxyStyle {
public:
    Look();
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
};

// Installs the look and keeps the keyboard focus visible: a widget that takes the focus,
// whatever moved it there (Enter in a field, a click, code), shows its focus frame as it
// would after Tab. Some styles draw the frame only after the keyboard moved the focus.
void installLook(QApplication* application);

// The contrast ratio of two colours (1 to 21), as accessibility guidelines measure it.
double contrastRatio(const QColor& a, const QColor& b);

// A field the operator cannot change (disabled) that stays readable: its text keeps the
// normal text colour on the window's background instead of the faint disabled grey.
void showReadOnly(QWidget* field);

// The largest size, up to `wanted`, at which a window with a frame of `frame` fits into
// `available` (a screen's available geometry).
QSize fittedSize(const QSize& wanted, const QRect& available, const QMargins& frame);
// Shrinks a top-level window that would not fit on its screen's available geometry and
// moves it onto that geometry.
void fitToScreen(QWidget* window);

} // namespace kit
