#include "app/application.h"

#include "kit/guard.h"
#include "kit/look.h"
#include "kit/operatoraction.h"
#include "kit/waitcursor.h"

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("duredir"));
    // No display name: the desktop would append it to every window title ("Tervalo — ...");
    // the titles stand as they are.
    setApplicationVersion(QStringLiteral(DUREDIR_VERSION));
    kit::installLook(this);
    m_waitCursor = std::make_unique<kit::WaitCursor>();
}

Application::~Application() = default;

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
