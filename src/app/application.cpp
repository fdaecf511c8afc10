#include "app/application.h"

#include "data/errors.h"
#include "kit/messagebox.h"

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("duredir"));
    setApplicationDisplayName(QStringLiteral("Duredir"));
    setApplicationVersion(QStringLiteral(DUREDIR_VERSION));
}

void Application::showError(const QString& text)
{
    kit::messageBox(activeWindow(), text, QStringLiteral("Error"));
}

void Application::showException(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const data::Error*>(&e))
        showError(own->text());
    else
        showError(QString::fromLocal8Bit(e.what()));
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException(e);
    } catch (...) {
        showError(QStringLiteral("An unexpected error occurred."));
    }
    return false;
}

} // namespace app
