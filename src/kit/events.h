#pragma once

#include <QChar>
#include <QString>
#include <Qt>

#include <functional>

class QKeyEvent;
class QWidget;

namespace kit {

// Event handlers are single assignable functions: assigning one replaces the previous.
//
// Key handlers receive the Qt key code. Keypad Enter arrives as Qt::Key_Return, so a
// handler tests one code for both Enter keys. A handler that sets key to 0 consumes the
// key; any other value lets the control process the key as usual.
using KeyDownHandler = std::function<void(int& key, Qt::KeyboardModifiers shift)>;
// Character input; setting the character to QChar() consumes it, changing it replaces it.
using KeyPressHandler = std::function<void(QChar& key)>;
using NotifyHandler = std::function<void()>;

// Results of modal dialogs and message boxes.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

// The key code handed to key handlers (keypad Enter folded into Return).
int keyCode(const QKeyEvent* event);
bool isEnter(int key);

// Runs a key-down handler for a key press. True when the handler consumed the key; the
// event is then accepted and the control must not process it. A handler that throws has
// its error shown and consumes the key.
bool dispatchKeyDown(const KeyDownHandler& handler, QKeyEvent* event);

// Calls a handler when it is set; an error it throws is shown here (kit::guarded).
void fire(const NotifyHandler& handler);

// For Enter key handlers of entry fields: on Enter, consume the key and focus `next`.
// Returns true when the key was Enter.
bool moveOnEnter(int& key, QWidget* next);

} // namespace kit
