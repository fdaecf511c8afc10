#include "kit/guard.h"

#include "data/errors.h"
#include "kit/messagebox.h"
#include "kit/operatoraction.h"
#include "data/log.h"

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
    // The lost connection has been reported in this action already: once is enough.
    if (const auto* db = dynamic_cast<const data::DatabaseError*>(&e);
        db && db->isConnectionLost() && connectionReported()) {
        qCInfo(lcSql).noquote() << "not shown again in this action:" << db->text();
        return;
    }
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
