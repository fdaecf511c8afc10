#include "stores/programinforeads.h"

namespace stores::programinfo {

QStringList text()
{
    return {QStringLiteral("select *"), QStringLiteral("from info_table")};
}

} // namespace stores::programinfo
