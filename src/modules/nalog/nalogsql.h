#pragma once

#include "stores/workorderstore.h"

#include <QString>
#include <QStringList>

// The statements of the work order windows, as they are sent to the server.
namespace nalogsql {

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

// Entry and edit windows. Numbering and saving are the store's (stores::workordersql); the
// data generator of the benchmark writes its orders with the same statements.
inline const QString& insertOrder = stores::workordersql::insertOrder;
inline const QString& insertProductRow = stores::workordersql::insertProductRow;
inline const QString partnerById = QStringLiteral("select * from komintenti where id=:aid");
inline const QString employeeById = QStringLiteral("select * from vraboteni where id=:aid");

inline const QString loadOrder = QStringLiteral("select * from nalozi where id=:aid");
inline const QString loadLines = QStringLiteral(
    "select *                                                             from magacin_proizvodi    "
    "                                           left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id "
    "   where document_id=:aid and vid_dokument='N'                           ");
inline const QString loadPartner = QStringLiteral(
    "select  *,komintenti.id kid                             from magacin_proizvodi              "
    "                                    left join komintenti on magacin_proizvodi.id_komintent=komintenti.id  "
    "  where magacin_proizvodi.document_id=:id  and vid_dokument='N'           ");
} // namespace nalogsql
