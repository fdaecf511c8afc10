#include "kit/guard.h"

#include "data/errors.h"
#include "kit/messagebox.h"

#include <QApplication>

namespace kit {

namespace {

void show(const QString& text)
{
    messageBox(QApplication::activeWindow(), text, QStringLiteral("Error"));
}

} // namespace

void showError(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const data::Error*>(&e))
        show(own->text());
    else
        show(QString::fromLocal8Bit(e.what()));
}

void showUnknownError()
{
    show(QStringLiteral("An unexpected error occurred."));
}

} // namespace kit
