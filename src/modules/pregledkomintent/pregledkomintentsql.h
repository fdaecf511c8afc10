#pragma once

#include <QStringList>

// Statements of the partner overview.
namespace pregledkomintent {

// Partners with article movements, one row per partner and firm number.
inline QStringList masterStatement()
{
    return {
        QStringLiteral("select k.id,k.naziv,adresa,grad,tel,mobil,zirosmetka,edb,deponent,sifdejnost,mb,m.firma_id"),
        QStringLiteral("from magacin_artikli m"),
        QStringLiteral("left join komintenti k on m.id_komintent=k.id"),
        QStringLiteral("where k.id is not NULL"),
        QStringLiteral("group by k.id,k.naziv,adresa,tel,mobil,zirosmetka,edb,deponent,sifdejnost,mb,m.firma_id"),
        QStringLiteral("order by k.naziv"),
    };
}

// The article movements of the master's partner (:id) under its firm number (:firma_id),
// highest document number first.
inline QStringList detailStatement()
{
    return {
        QStringLiteral("select "),
        QStringLiteral("case vid_dokument"),
        QStringLiteral("when  'I' then 'DISPATCH'"),
        QStringLiteral("when  'P' then 'RECEIPT'"),
        QStringLiteral("when  'N' then 'ORDER'"),
        QStringLiteral("end"),
        QStringLiteral("Vid_na_dokument,"),
        QStringLiteral("datum_referenca,"),
        QStringLiteral("m.document_id_label br_dokument,"),
        QStringLiteral("a.sifra,a.artikal,a.edm,"),
        QStringLiteral("vlez_kol,izlez_kol"),
        QStringLiteral("from magacin_artikli m"),
        QStringLiteral("left join artikli a on m.id_artikal=a.id"),
        QStringLiteral("where id_komintent=:id and m.firma_id=:firma_id"),
        QStringLiteral("order by m.document_id_label desc"),
    };
}

} // namespace pregledkomintent
