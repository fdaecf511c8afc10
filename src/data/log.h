#pragma once

#include <QLoggingCategory>
#include <QString>

// Failed statements and connection troubles, with the driver's text and the engine's own
// error number. The operator sees the windows' messages; this is for the administrator
// (QT_LOGGING_RULES="duredir.sql.info=true" shows the boxes left out as well).
Q_DECLARE_LOGGING_CATEGORY(lcSql)

namespace data {

class DatabaseError;

void logFailure(const DatabaseError& error, const QString& statement);

// How many times a statement or an open found the connection lost or closed since the
// program started; the windows' layer tells by it whether an action of the operator ran
// into a lost connection (and reports that once).
quint64 connectionTroubles();

} // namespace data
