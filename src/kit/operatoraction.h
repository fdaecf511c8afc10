#pragma once

class QEvent;

namespace kit {

// The operator's actions: a key or mouse button pressed anywhere but in a message box. A
// connection that is lost is reported to the operator once per action: the first box that
// opens after a statement of the action found the connection lost (the standard error box,
// or a window's own failure message) is the report; further connection errors of the same
// action are logged only, and a change of focus (the boxes' own among them) does not try
// to reconnect again before the operator's next action.

// Called for every event the application delivers; starts a new action on the operator's input.
void noteEvent(const QEvent* event);

// A box about the lost connection has been shown in the current action.
bool connectionReported();

// Called by the message box service before it shows a real box.
void noteBoxShown();

// True once per action, and only while the action has had no connection trouble of its
// own: a statement that finds the connection closed (lost in an earlier action) may try to
// open it again then.
bool mayReopenConnection();

} // namespace kit
