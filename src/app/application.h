#pragma once

#include <QApplication>

#include <memory>

namespace kit {
class WaitCursor;
}

namespace app {

// The program's QApplication: an exception that escapes an event handler is shown in the
// standard error box (title "Error", the exception's text, OK) and the program goes on.
// That is the last resort: the program's handlers catch their own errors at their edge
// (kit::guarded), before they can unwind through Qt's frames.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // The wait cursor of a statement that runs long (X11 only).
    std::unique_ptr<kit::WaitCursor> m_waitCursor;
};

} // namespace app
