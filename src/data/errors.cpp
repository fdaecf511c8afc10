#include "data/errors.h"

#include <QStringList>

namespace data {

bool DatabaseError::isConflict() const
{
    // MariaDB: 1062 duplicate key, 1213 deadlock, 1205 lock wait timeout.
    // SQLite: 5 busy, 6 locked, 19/2067/1555 unique constraint.
    static const QStringList codes{QStringLiteral("1062"), QStringLiteral("1213"), QStringLiteral("1205"),
                                   QStringLiteral("5"),    QStringLiteral("6"),    QStringLiteral("19"),
                                   QStringLiteral("2067"), QStringLiteral("1555")};
    return codes.contains(m_code);
}

bool DatabaseError::isConnectionLost() const
{
    // MariaDB client errors: 2002/2003 cannot connect, 2006 server gone away, 2013 lost
    // during query, 4031 disconnected for inactivity.
    static const QStringList codes{QStringLiteral("2002"), QStringLiteral("2003"), QStringLiteral("2006"),
                                   QStringLiteral("2013"), QStringLiteral("4031")};
    return codes.contains(m_code);
}

} // namespace data
