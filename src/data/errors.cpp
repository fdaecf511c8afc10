#include "data/errors.h"

#include <QStringList>

namespace data {

DatabaseError DatabaseError::connectionClosed(const QString& text)
{
    DatabaseError e(text);
    e.m_closed = true;
    return e;
}

DatabaseError DatabaseError::commitCutOff(const DatabaseError& lost)
{
    DatabaseError e = lost;
    e.m_outcomeUnknown = true;
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

DatabaseError::Kind DatabaseError::kind() const
{
    if (isConnectionLost())
        return Kind::ConnectionLost;
    if (isConflict())
        return Kind::Busy;
    // SQLite (extended codes): 13 full; 8 read-only and its variants (a read-only file or
    // folder, a database moved under the program). Its numbers below 100 and the ones listed
    // are not MariaDB's, whose own start at 1000.
    static const QStringList sqliteReadOnly{QStringLiteral("8"),   QStringLiteral("264"),  QStringLiteral("520"),
                                            QStringLiteral("776"), QStringLiteral("1032"), QStringLiteral("1544"),
                                            QStringLiteral("2056")};
    if (m_code == QLatin1String("duredir-readonly")) // the connection's own refusal, with its reason
        return Kind::ReadOnly;
    if (m_code == QLatin1String("13"))
        return Kind::DiskFull;
    if (sqliteReadOnly.contains(m_code))
        return Kind::ReadOnly;
    // MariaDB: 1406 data too long; 1292, 1264, 1366 a value the column refuses; 1021, 1114 and
    // 3 (errno 28) no space; 1290 and 1792 read-only server or transaction.
    if (m_code == QLatin1String("1406"))
        return Kind::TooLong;
    if (m_code == QLatin1String("1292") || m_code == QLatin1String("1264") || m_code == QLatin1String("1366"))
        return Kind::BadValue;
    if (m_code == QLatin1String("1021") || m_code == QLatin1String("1114")
        || (m_code == QLatin1String("3") && text().contains(QLatin1String("28"))))
        return Kind::DiskFull;
    if (m_code == QLatin1String("1290") || m_code == QLatin1String("1792"))
        return Kind::ReadOnly;
    return Kind::Other;
}

} // namespace data
