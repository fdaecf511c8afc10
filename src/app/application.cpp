#include "app/application.h"

#include "kit/guard.h"
#include "kit/operatoraction.h"

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("duredir"));
    setApplicationDisplayName(QStringLiteral("Duredir"));
    setApplicationVersion(QStringLiteral(DUREDIR_VERSION));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    kit::noteEvent(event);
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        kit::showError(e);
    } catch (...) {
        kit::showUnknownError();
    }
    return false;
}

} // namespace app
