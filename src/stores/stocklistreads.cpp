#include "stores/stocklistreads.h"

namespace stores::stocklist {

QStringList balanceStatementAsWritten()
{
    return {
        QStringLiteral("select artikli.id, artikli.sifra, magacin_artikli.ID_ARTIKAL,artikli.ARTIKAL,artikli.EDM,"),
        QStringLiteral("cast(sum(vlez_kol) as decimal(18,4)) vk_vlez,"),
        QStringLiteral("cast(sum(izlez_kol) as decimal(18,4))vk_izlez,"),
        QStringLiteral("cast((sum(vlez_kol)-sum(izlez_kol)) as decimal(18,4)) saldo"),
        QStringLiteral("from magacin_artikli "),
        QStringLiteral("left join artikli on magacin_artikli.ID_ARTIKAL=artikli.ID"),
        QStringLiteral("where artikli.ARTIKAL like :a"),
        QStringLiteral("group by magacin_artikli.ID_ARTIKAL,artikli.ARTIKAL,artikli.EDM"),
        QStringLiteral("order by artikli.ID"),
    };
}

QStringList balanceStatement()
{
    return {
        QStringLiteral("select artikli.id, artikli.sifra, magacin_artikli.ID_ARTIKAL,artikli.ARTIKAL,artikli.EDM,"),
        QStringLiteral("cast(sum(vlez_kol) as decimal(18,4)) vk_vlez,"),
        QStringLiteral("cast(sum(izlez_kol) as decimal(18,4))vk_izlez,"),
        QStringLiteral("cast((sum(vlez_kol)-sum(izlez_kol)) as decimal(18,4)) saldo"),
        QStringLiteral("from artikli "),
        QStringLiteral("join magacin_artikli on magacin_artikli.ID_ARTIKAL=artikli.ID"),
        QStringLiteral("where artikli.ARTIKAL like :a and artikli.ID > :page_after"),
        QStringLiteral("group by artikli.ID"),
        QStringLiteral("order by artikli.ID"),
        QStringLiteral("limit :page_rows"),
    };
}

} // namespace stores::stocklist
