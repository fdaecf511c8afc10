#pragma once

class QWidget;

namespace kit {

// Puts the focus on the first control of a window in tab order that takes focus by Tab,
// is enabled and is not hidden (nor inside a hidden container); returns it, or nullptr.
// Works before the window is shown: the control then gets the focus when it appears.
QWidget* focusFirstControl(QWidget* window);

} // namespace kit
