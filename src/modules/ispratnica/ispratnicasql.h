#pragma once

#include "modules/documents/documentkind.h"
#include "modules/documents/documentlist.h"

#include <QString>
#include <QStringList>

// The statements and texts of the goods dispatch windows, as they are sent to the server.
namespace ispratnicasql {

// The dispatch windows' kind: 'I' rows, quantities out, a due date, receipt lines imported.
inline const DocumentKind& kind()
{
    static const DocumentKind k{
        stores::dispatches(),
        QStringLiteral("Goods Dispatch No"), QStringLiteral("Goods Dispatch No."), QStringLiteral("Customer-Company"),
        QStringLiteral("Date (God.-Mes.-Den)"), QStringLiteral("Save"), QStringLiteral("Update"),
        {QStringLiteral("No."), QStringLiteral("Product No."), QStringLiteral("Product"), QStringLiteral("Unit"),
         QStringLiteral("Quantity")},
        {QStringLiteral("No."), QStringLiteral("Product No."), QStringLiteral("Product"), QStringLiteral("Unit"),
         QStringLiteral("Quantity.")},
        QStringLiteral("select * from komintenti where id=:aid"),
        {
            QStringLiteral("select ispratnici.ispratnica_id,naziv,ispratnici.datum ,ispratnici.datum_valuta,"
                           "ispratnici.rabat,ispratnici.z1,ispratnici.z2,ispratnici.z3"),
            QStringLiteral("from ispratnici "),
            QStringLiteral("left join magacin_artikli on ispratnici.id=magacin_artikli.document_id "),
            QStringLiteral("left join komintenti on magacin_artikli.id_komintent=komintenti.id "),
            QStringLiteral("where ispratnici.id=:aid and magacin_artikli.vid_dokument='I'"),
        },
        // A dispatch without lines still has its header.
        QStringLiteral("select ispratnica_id,datum,datum_valuta from ispratnici where id=:aid"),
        QStringLiteral("select *                                                             from magacin_artikli                                               left join artikli on magacin_artikli.id_artikal=artikli.id    where document_id=:aid and vid_dokument='I'                           "),
        QStringLiteral("select  *,komintenti.id kid                                      from magacin_artikli                                                           left join komintenti on magacin_artikli.id_komintent=komintenti.id             where magacin_artikli.document_id=:id and magacin_artikli.vid_dokument='I'   "),
        QStringLiteral("Fill all entry fields !!!"), QStringLiteral("Goods dispatch, successful entered !!!"),
        QStringLiteral("Goods dispatch, not entered !!!"), QStringLiteral("Fill all entry fields!!!"),
        QStringLiteral("Goods dispatch, successful updated !!!"), QStringLiteral("Goods dispatch, not updated !!!"),
        QStringLiteral("Exist goods dispatch with the same ID"),
    };
    return k;
}

// Dispatch list headers, newest first, as first written.
inline QStringList listHeaders()
{
    return {QStringLiteral("select *"), QStringLiteral("from ispratnici "), QStringLiteral("order by id desc")};
}

// The same headers read a page at a time, newest first (see priemnicasql::listHeadersPaged).
inline QStringList listHeadersPaged()
{
    return {QStringLiteral("select *"), QStringLiteral("from ispratnici "), QStringLiteral("where id < :page_before"),
            QStringLiteral("order by id desc"), QStringLiteral("limit :page_rows")};
}
constexpr int listPageRows = 250;

// The dispatch list: headers newest first, the lines of the current header beside them.
inline const DocumentListKind& listKind()
{
    static const DocumentListKind k{
        TSListBase::Captions::Macedonian,
        listHeadersPaged(),
        {
            QStringLiteral("select *"),
            QStringLiteral("from magacin_artikli"),
            QStringLiteral("left join komintenti  on magacin_artikli.id_komintent=komintenti.id"),
            QStringLiteral("left join artikli on magacin_artikli.id_artikal=artikli.id"),
            QStringLiteral("where magacin_artikli.vid_dokument='I' and magacin_artikli.document_id=:id"),
        },
        stores::dispatches(),
        QStringLiteral("DELETE ,GOOD DISPATCH !!!"),
        QStringLiteral("ispratnica_id"),
        QStringLiteral("Goods Dispatch"),
        QColor(196, 255, 196),
        QColor(128, 255, 128),
        {
            {QStringLiteral("Goods dispatch No."), false, QStringLiteral("ispratnica_id"), 120},
            {QStringLiteral("Date"), false, QStringLiteral("datum"), 120},
            {QStringLiteral("Valuta"), false, QStringLiteral("datum_valuta"), 120},
            {QStringLiteral("Customer-Company"), true, QStringLiteral("naziv"), 360},
            {QStringLiteral("Address"), true, QStringLiteral("adresa"), 360},
            {QStringLiteral("Zip, City, State"), true, QStringLiteral("grad"), 360},
        },
        QStringLiteral("izlez_kol"),
        QStringLiteral("This goods dispatch was already deleted on another workstation. The list now shows what is "
                       "stored."),
        listPageRows,
    };
    return k;
}

} // namespace ispratnicasql
