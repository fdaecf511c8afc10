#include "stores/registerreads.h"

namespace stores::articles {

QStringList list()
{
    return {
        QStringLiteral("select *"),
        QStringLiteral("from artikli"),
        QStringLiteral("where artikal like :a"),
    };
}

QString load()
{
    return QStringLiteral("select * from artikli where id=:a");
}

} // namespace stores::articles

namespace stores::partners {

QStringList list()
{
    return {
        QStringLiteral("select *"),
        QStringLiteral("from komintenti"),
        QStringLiteral("where naziv like :a"),
    };
}

QString load()
{
    return QStringLiteral("select * from komintenti where id=:a");
}

} // namespace stores::partners

namespace stores::employees {

QStringList list()
{
    return {
        QStringLiteral("select *"),
        QStringLiteral("from vraboteni"),
        QStringLiteral("where naziv like :a"),
    };
}

QString load()
{
    return QStringLiteral("select * from vraboteni where id=:a");
}

} // namespace stores::employees
