#include "stores/invoicereads.h"

namespace stores::invoices {

QStringList orders()
{
    return {QStringLiteral("select *"), QStringLiteral("from nalozi "), QStringLiteral("order by nalog_id desc")};
}

QStringList orderProducts()
{
    return {QStringLiteral("select *"), QStringLiteral("from magacin_proizvodi "),
            QStringLiteral("left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id "),
            QStringLiteral("where document_id=:id and vid_dokument='N'")};
}

QStringList productArticles()
{
    return {QStringLiteral("select *"), QStringLiteral("from proizvodi_sostav "),
            QStringLiteral("left join artikli on proizvodi_sostav.id_artikal=artikli.id"),
            QStringLiteral("where id_proizvod=:id_1")};
}

QStringList orderPartner()
{
    return {QStringLiteral("select  *"), QStringLiteral("from magacin_proizvodi"),
            QStringLiteral("left join komintenti on magacin_proizvodi.id_komintent=komintenti.id"),
            // Only the order's own rows: a dispatch's product rows may carry the same id.
            QStringLiteral("where magacin_proizvodi.document_id=:id and vid_dokument='N'")};
}

} // namespace stores::invoices
