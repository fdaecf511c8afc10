#pragma once

#include <QString>
#include <QStringList>

// The statements that read goods receipts for their windows, as they are sent to the server.
// Numbering, saving and deleting are the store's (stores::receipts()).
namespace stores::receiptreads {

// Receipt list: headers newest first, and the lines of the current header.
inline QStringList listHeaders()
{
    return {QStringLiteral("select *"), QStringLiteral("from priemnici "), QStringLiteral("order by id desc")};
}

// The same headers, in the same order, read a page at a time (data::Query paging on `id`,
// newest first: :page_before, :page_rows): opening the list reads a page of headers, not
// every receipt ever entered. The key is unique, and each page starts below the last key of
// the one before, so the pages in turn are the rows of the statement above;
// tests/test_stock_equivalence.cpp compares both.
inline QStringList listHeadersPaged()
{
    return {QStringLiteral("select *"), QStringLiteral("from priemnici "), QStringLiteral("where id < :page_before"),
            QStringLiteral("order by id desc"), QStringLiteral("limit :page_rows")};
}
constexpr int listPageRows = 250;

inline QStringList listLines()
{
    return {
        QStringLiteral("select *"),
        QStringLiteral("from magacin_artikli"),
        QStringLiteral("left join komintenti  on magacin_artikli.id_komintent=komintenti.id"),
        QStringLiteral("left join artikli on magacin_artikli.id_artikal=artikli.id"),
        QStringLiteral("where magacin_artikli.vid_dokument='P' and magacin_artikli.document_id=:id"),
    };
}

// Entry and edit windows.
inline QString partnerById()
{
    return QStringLiteral("select * from komintenti where id=:aid");
}

// Loading a receipt into the edit window.
inline QStringList editHeader()
{
    return {
        QStringLiteral("select priemnici.priemnica_id,naziv,priemnici.datum "),
        QStringLiteral("from priemnici "),
        QStringLiteral("left join magacin_artikli on priemnici.id=magacin_artikli.document_id "),
        QStringLiteral("left join komintenti on magacin_artikli.id_komintent=komintenti.id "),
        QStringLiteral("where priemnici.id=:aid and magacin_artikli.vid_dokument='P'"),
    };
}

// A receipt without lines still has its header.
inline QString headerOnly()
{
    return QStringLiteral("select priemnica_id,datum from priemnici where id=:aid");
}

inline QString editLines()
{
    return QStringLiteral(
        "select *                                                             from magacin_artikli                                               left join artikli on magacin_artikli.id_artikal=artikli.id    where document_id=:aid and vid_dokument='P'                           ");
}

inline QString editPartner()
{
    return QStringLiteral(
        "select  *,komintenti.id kid                           from magacin_artikli                                                  left join komintenti on magacin_artikli.id_komintent=komintenti.id    where magacin_artikli.document_id=:id and vid_dokument='P'       ");
}

// The lines of the receipt :id, for the import of its lines into a goods dispatch.
inline QString importLines()
{
    return QStringLiteral(
        " select *                from magacin_artikli    left join komintenti  on magacin_artikli.id_komintent=komintenti.id  "
        "left join artikli on magacin_artikli.id_artikal=artikli.id            where magacin_artikli.vid_dokument='P' and "
        "magacin_artikli.document_id=:id ");
}

} // namespace stores::receiptreads
