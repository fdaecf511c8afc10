#include "frame/savefailure.h"

#include "data/errors.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace frame {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("frame::saveFailure", text);
}

QString reason(const data::DatabaseError& e)
{
    switch (e.kind()) {
    case data::DatabaseError::Kind::Busy:
        // The save runner's own words: how long it tried, and that nothing was saved.
        return e.text();
    case data::DatabaseError::Kind::DiskFull:
        return tr("The disk that holds the database is full. Nothing was saved: make room, then save again.");
    case data::DatabaseError::Kind::ReadOnly:
        if (e.nativeCode() == QLatin1String("duredir-readonly"))
            return e.text(); // why this connection takes no changes (a newer schema, a replaced file)
        return tr("The database takes no changes (its file, its folder or the server is read-only). Nothing was "
                  "saved.");
    case data::DatabaseError::Kind::TooLong: {
        static const QRegularExpression column(QStringLiteral("column '([^']+)'"));
        const QString name = column.match(e.text()).captured(1);
        return name.isEmpty() ? tr("A text is longer than the database holds. Nothing was saved: shorten it.")
                              : tr("The text for \"%1\" is longer than the database holds. Nothing was saved: "
                                   "shorten it.")
                                    .arg(name);
    }
    case data::DatabaseError::Kind::BadValue:
        return tr("The database refused a value (a date that is not a real date, or a number out of range): %1").arg(e.text());
    case data::DatabaseError::Kind::ConnectionLost:
        if (e.outcomeUnknown())
            return tr("The connection to the database was lost while the save was being completed, so it may have "
                      "been stored all the same. Once the connection is back, look in the list before saving again, "
                      "or it may be stored twice.");
        return tr("The connection to the database was lost. Nothing was saved: save again once it is back.");
    case data::DatabaseError::Kind::Other:
        break;
    }
    // Anything else is in the log with the driver's words; the window's message stands alone.
    return QString();
}

} // namespace

QString saveFailureText(const QString& described, const std::exception& failure)
{
    QString why;
    if (const auto* db = dynamic_cast<const data::DatabaseError*>(&failure))
        why = reason(*db);
    else if (const auto* refused = dynamic_cast<const data::RangeError*>(&failure))
        why = refused->text();
    return why.isEmpty() ? described : described + QStringLiteral("\n\n") + why;
}

} // namespace frame
