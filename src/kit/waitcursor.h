#pragma once

#include <memory>

namespace kit {

// The wait cursor while a statement (a connect, a save) runs longer than about a second.
// The statements run on the GUI thread, which cannot react while one blocks; a small
// watcher thread sees the statement through data::statementwatch and sets the X server's
// cursor of the program's window under the pointer itself (the X connection may be used
// from any thread). When the statement ends, the GUI thread gives every window Qt's own
// cursor back. A fast statement costs nothing more than noting its start and end. On a
// display that is not X11 (offscreen, Wayland) it does nothing.
class WaitCursor {
public:
    // After the application object exists, on the GUI thread.
    WaitCursor();
    // Before the application object goes.
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Whether the watcher runs (an X11 display).
    bool active() const { return m_impl != nullptr; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace kit
