#pragma once

#include <QString>
#include <QStringList>

// The statements that read goods dispatches for their windows, as they are sent to the
// server. Numbering, saving and deleting are the store's (stores::dispatches()).
namespace stores::dispatchreads {

// Dispatch list headers, newest first, as first written.
inline QStringList listHeaders()
{
    return {QStringLiteral("select *"), QStringLiteral("from ispratnici "), QStringLiteral("order by id desc")};
}

// The same headers read a page at a time, newest first (see receiptreads::listHeadersPaged).
inline QStringList listHeadersPaged()
{
    return {QStringLiteral("select *"), QStringLiteral("from ispratnici "), QStringLiteral("where id < :page_before"),
            QStringLiteral("order by id desc"), QStringLiteral("limit :page_rows")};
}
constexpr int listPageRows = 250;

// The lines of the current header beside the list.
inline QStringList listLines()
{
    return {
        QStringLiteral("select *"),
        QStringLiteral("from magacin_artikli"),
        QStringLiteral("left join komintenti  on magacin_artikli.id_komintent=komintenti.id"),
        QStringLiteral("left join artikli on magacin_artikli.id_artikal=artikli.id"),
        QStringLiteral("where magacin_artikli.vid_dokument='I' and magacin_artikli.document_id=:id"),
    };
}

// Entry and edit windows.
inline QString partnerById()
{
    return QStringLiteral("select * from komintenti where id=:aid");
}

// Loading a dispatch into the edit window.
inline QStringList editHeader()
{
    return {
        QStringLiteral("select ispratnici.ispratnica_id,naziv,ispratnici.datum ,ispratnici.datum_valuta,"
                       "ispratnici.rabat,ispratnici.z1,ispratnici.z2,ispratnici.z3"),
        QStringLiteral("from ispratnici "),
        QStringLiteral("left join magacin_artikli on ispratnici.id=magacin_artikli.document_id "),
        QStringLiteral("left join komintenti on magacin_artikli.id_komintent=komintenti.id "),
        QStringLiteral("where ispratnici.id=:aid and magacin_artikli.vid_dokument='I'"),
    };
}

// A dispatch without lines still has its header.
inline QString headerOnly()
{
    return QStringLiteral("select ispratnica_id,datum,datum_valuta from ispratnici where id=:aid");
}

inline QString editLines()
{
    return QStringLiteral(
        "select *                                                             from magacin_artikli                                               left join artikli on magacin_artikli.id_artikal=artikli.id    where document_id=:aid and vid_dokument='I'                           ");
}

inline QString editPartner()
{
    return QStringLiteral(
        "select  *,komintenti.id kid                                      from magacin_artikli                                                           left join komintenti on magacin_artikli.id_komintent=komintenti.id             where magacin_artikli.document_id=:id and magacin_artikli.vid_dokument='I'   ");
}

} // namespace stores::dispatchreads
