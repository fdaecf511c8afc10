#pragma once

#include "kit/events.h"

#include <QString>

#include <functional>

class QWidget;

namespace kit {

// The buttons of a message box.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };

// Every message to the operator goes through here. Returns the button pressed (mrOk,
// mrCancel, mrYes, mrNo); closing the box without a button gives mrCancel, or mrOk for a
// box with OK only. The text and title are shown exactly as given.
//
// The default shows a QMessageBox whose icon follows the title: "Error" critical,
// "Warning" warning, boxes that ask (OK/Cancel, Yes/No) a question, others information.
// `defaultButton` (mrOk, mrCancel, mrYes, mrNo) is the button Enter presses; mrNone, or a
// button the box does not have, leaves it on the first one (OK, or Yes). A question whose
// first answer throws work away names the safe one.
int messageBox(QWidget* parent, const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
               int defaultButton = mrNone);

using MessageBoxHandler = std::function<int(QWidget* parent, const QString& text, const QString& title, Buttons buttons)>;
// Replaces how messages are shown (tests answer them, whatever the default button); an
// empty handler restores the default. Returns the handler that was installed before.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace kit
