#pragma once

#include <QString>
#include <QStringList>

// The statements that read work orders for their windows, as they are sent to the server.
// Numbering and saving are the store's (stores::workordersql).
namespace stores::workorderreads {

// Work order list: orders newest first; the product lines of the current order; the
// articles the current line consumes by the product's present composition; the partner.
inline QStringList listOrders()
{
    return {QStringLiteral("select *"), QStringLiteral("from nalozi "), QStringLiteral("order by id desc")};
}
inline QStringList listLines()
{
    return {QStringLiteral("select *"), QStringLiteral("from magacin_proizvodi "),
            QStringLiteral("left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id "),
            QStringLiteral("where document_id=:id and vid_dokument='N'")};
}
inline QStringList listArticles()
{
    return {QStringLiteral("select *,cast(kolicina*vlez_kol as decimal(18,4))vk_kol"),
            QStringLiteral("from proizvodi_sostav "),
            QStringLiteral("left join artikli on proizvodi_sostav.id_artikal=artikli.id"),
            QStringLiteral("left join magacin_proizvodi on magacin_proizvodi.id_proizvod=proizvodi_sostav.id_proizvod"),
            QStringLiteral("where magacin_proizvodi.id=:id")};
}
inline QStringList listPartner()
{
    return {QStringLiteral("select  *"), QStringLiteral("from magacin_proizvodi"),
            QStringLiteral("left join komintenti on magacin_proizvodi.id_komintent=komintenti.id"),
            // Only the order's own rows: a dispatch's product rows may carry the same document id.
            QStringLiteral("where magacin_proizvodi.document_id=:id and vid_dokument='N'")};
}

// Gantt chart: every order, read once.
inline QStringList chartOrders()
{
    return {QStringLiteral("select *,concat(cast(vraboten_id as Char),' - Nalog br:',cast(nalog_id as Char)) as name1"),
            QStringLiteral("from nalozi")};
}

// Entry and edit windows.
inline QString partnerById()
{
    return QStringLiteral("select * from komintenti where id=:aid");
}
inline QString employeeById()
{
    return QStringLiteral("select * from vraboteni where id=:aid");
}

// Loading an order into the edit window.
inline QString loadOrder()
{
    return QStringLiteral("select * from nalozi where id=:aid");
}
inline QString loadLines()
{
    return QStringLiteral(
        "select *                                                             from magacin_proizvodi    "
        "                                           left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id "
        "   where document_id=:aid and vid_dokument='N'                           ");
}
inline QString loadPartner()
{
    return QStringLiteral(
        "select  *,komintenti.id kid                             from magacin_proizvodi              "
        "                                    left join komintenti on magacin_proizvodi.id_komintent=komintenti.id  "
        "  where magacin_proizvodi.document_id=:id  and vid_dokument='N'           ");
}

} // namespace stores::workorderreads
