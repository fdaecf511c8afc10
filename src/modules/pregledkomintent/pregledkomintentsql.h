#pragma once

#include <QStringList>

// Statements of the partner overview.
namespace pregledkomintent {

// Partners with article movements, one row per partner and firm number. As first written (the
// printed reports' tests read it whole): the reference the paged statement below is
// checked against. It groups the whole ledger
// on every opening.
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

// The order the statement as written leaves open (a partner's firm numbers, partners of the
// same name) fixed as the paged statement fixes it; see tests/test_stock_equivalence.cpp.
inline QStringList masterStatementInFullOrder()
{
    QStringList s = masterStatement();
    s.last() = QStringLiteral("order by k.naziv,k.id,m.firma_id");
    return s;
}

// The same rows, read a page of partners at a time (data::Query paging on the key
// (naziv, id): :page_first, :page_after_naziv, :page_after_id, :page_rows).
//
// The inner select takes the next :page_rows partners that have ledger rows, in the order
// shown (a name that is NULL comes first, as the order by name puts it), from the name
// index alone (the other columns are joined afterwards; see the article overview's
// statement for why, and for the scalar subquery); only their ledger rows are grouped by
// firm number, over the index on (id_komintent, firma_id). Every partner of a page comes
// with all its firm numbers, so the next page starts after the last row's (naziv, id).
inline QStringList masterStatementPaged()
{
    return {
        QStringLiteral("select k.id,k.naziv,adresa,grad,tel,mobil,zirosmetka,edb,deponent,sifdejnost,mb,m.firma_id"),
        QStringLiteral("from (select p.id,p.naziv from komintenti p"),
        QStringLiteral("  where (:page_first=1"),
        QStringLiteral("       or (:page_after_naziv is null and (p.naziv is not null or p.id>:page_after_id))"),
        QStringLiteral("       or p.naziv>:page_after_naziv"),
        QStringLiteral("       or (p.naziv=:page_after_naziv and p.id>:page_after_id))"),
        QStringLiteral("  and (select 1 from magacin_artikli e where e.id_komintent=p.id limit 1) is not null"),
        QStringLiteral("  order by p.naziv,p.id"),
        QStringLiteral("  limit :page_rows) q"),
        QStringLiteral("join komintenti k on k.id=q.id"),
        QStringLiteral("join magacin_artikli m on m.id_komintent=k.id"),
        QStringLiteral("group by q.naziv,q.id,m.firma_id"),
        QStringLiteral("order by q.naziv,q.id,m.firma_id"),
    };
}

// The paging key of the master statement, and partners per page.
inline QStringList masterPageKey()
{
    return {QStringLiteral("naziv"), QStringLiteral("id")};
}
constexpr int pageRows = 50;

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
