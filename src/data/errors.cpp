#include "data/errors.h"

#include <QStringList>

namespace data {

DatabaseError DatabaseError::connectionClosed(const QString& text)
{
    DatabaseError e(text);
    e.m_closed = true;
    return e;
}

bool DatabaseError::isConflict() const
{
    // MariaDB: 1062 duplicate key, 1213 deadlock, 1205 lock wait timeout.
    // SQLite (extended codes): 5 busy, 6 locked, 2067/1555 unique constraint. The plain
    // constraint code 19 also stands for NOT NULL and CHECK failures, which no retry mends.
    static const QStringList codes{QStringLiteral("1062"), QStringLiteral("1213"), QStringLiteral("1205"),
                                   QStringLiteral("5"),    QStringLiteral("6"),    QStringLiteral("2067"),
                                   QStringLiteral("1555"), QStringLiteral("517"),  QStringLiteral("261")};
    return codes.contains(m_code);
}

bool DatabaseError::isConnectionLost() const
{
    if (m_closed)
        return true;
    // MariaDB client errors: 2002/2003 cannot connect, 2006 server gone away, 2013 lost
    // during query, 4031 disconnected for inactivity; 1047 a cluster node that has left the
    // cluster's working majority (it answers but takes no work).
    static const QStringList codes{QStringLiteral("2002"), QStringLiteral("2003"), QStringLiteral("2006"),
                                   QStringLiteral("2013"), QStringLiteral("4031"), QStringLiteral("1047")};
    return codes.contains(m_code);
}

} // namespace data
