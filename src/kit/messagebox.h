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
int messageBox(QWidget* parent, const QString& text, const QString& title,
               Buttons buttons = Buttons::Ok);

using MessageBoxHandler = std::function<int(QWidget* parent, const QString& text,
                                            const QString& title, Buttons buttons)>;
// Replaces how messages are shown (tests answer them); an empty handler restores the
// default. Returns the handler that was installed before.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

} // namespace kit
