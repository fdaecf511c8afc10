#pragma once

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

// The number of the newest order (by id), for an entry window opened without a list.
inline const QString newestNumber = QStringLiteral("select nalog_id from nalozi order by id desc limit 1");

// Entry and edit windows.
inline const QString partnerById = QStringLiteral("select * from komintenti where id=:aid");
inline const QString employeeById = QStringLiteral("select * from vraboteni where id=:aid");
inline const QString nextNumber = QStringLiteral("select max(nalog_id)+1 m_max from  nalozi");
inline const QString insertOrder = QStringLiteral(
    "insert into nalozi(nalog_id,datum_start,datum_finish,vraboten_id,prioritet) values(:a1,:a2,:a3,:a4,:a5)");
inline const QString insertProductRow = QStringLiteral(
    "insert into magacin_proizvodi(vid_dokument,document_id,id_komintent,id_proizvod,vlez_kol,izlez_kol,"
    "datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,document_id_label) "
    "values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11)");
inline const QString composition = QStringLiteral("select * from  proizvodi_sostav where id_proizvod=:ip");
inline const QString insertArticleRow = QStringLiteral(
    "insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,"
    "datum_referenca,firma_id,document_id_label) values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9)");

inline const QString loadOrder = QStringLiteral("select * from nalozi where id=:aid");
inline const QString loadLines = QStringLiteral(
    "select *                                                             from magacin_proizvodi    "
    "                                           left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id "
    "   where document_id=:aid and vid_dokument='N'                           ");
inline const QString loadPartner = QStringLiteral(
    "select  *,komintenti.id kid                             from magacin_proizvodi              "
    "                                    left join komintenti on magacin_proizvodi.id_komintent=komintenti.id  "
    "  where magacin_proizvodi.document_id=:id  and vid_dokument='N'           ");
inline const QString numberExists = QStringLiteral("select * from nalozi where nalog_id=:a");
inline const QString updateOrder = QStringLiteral(
    "update nalozi set nalog_id=:a1,datum_start=:a2,datum_finish=:a3,vraboten_id=:a4,prioritet=:a5 where id=:aid");
inline const QString deleteProductRows =
    QStringLiteral("delete from magacin_proizvodi where document_id=:aid and vid_dokument='N'");
inline const QString deleteArticleRows =
    QStringLiteral("delete from magacin_artikli where document_id=:aid and vid_dokument='N'");

// The stored order as a whole: its header and its ledger rows, for the check at save time
// that nobody else deleted or changed it after the edit window loaded it.
inline const QString versionHeader = QStringLiteral("select * from nalozi where id=:id");
inline const QStringList versionRows{
    QStringLiteral("select * from magacin_proizvodi where vid_dokument='N' and document_id=:id order by id"),
    // No order: the ledger of articles need not have a key column to order by.
    QStringLiteral("select * from magacin_artikli where vid_dokument='N' and document_id=:id"),
};

} // namespace nalogsql
