#pragma once

#include <QApplication>

namespace app {

// The program's QApplication: an exception that escapes an event handler is shown in the
// standard error box (title "Error", the exception's text, OK) and the program goes on.
// That is the last resort: the program's handlers catch their own errors at their edge
// (kit::guarded), before they can unwind through Qt's frames.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
