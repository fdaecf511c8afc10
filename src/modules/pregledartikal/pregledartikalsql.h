#pragma once

#include <QStringList>

// Statements of the article overview.
namespace pregledartikal {

// Totals per article and firm number; :a filters the article name. As first written (the
// printed reports' tests read it whole): the reference the paged statement below is
// checked against. It sums the whole ledger on
// every opening and keystroke (seconds at a million ledger rows).
inline QStringList masterStatement()
{
    return {
        QStringLiteral("select  m.firma_id,a.id,a.sifra,a.artikal,a.edm,"),
        QStringLiteral("cast(sum(m.vlez_kol) as decimal(18,4)) vlez,"),
        QStringLiteral("cast(sum(m.izlez_kol) as decimal(18,4)) izlez,"),
        QStringLiteral("cast((sum(m.vlez_kol)-sum(m.izlez_kol)) as decimal(18,4)) saldo"),
        QStringLiteral("from magacin_artikli m"),
        QStringLiteral("left join artikli a on m.id_artikal=a.id"),
        QStringLiteral("group by a.id,a.sifra,a.artikal,a.edm,m.firma_id"),
        QStringLiteral("having a.artikal like :a"),
        QStringLiteral("order by artikal"),
    };
}

// The order the statement as written leaves open (rows of one name: an article's firm
// numbers, or articles of the same name) fixed as the paged statement fixes it: the order
// by name extended by the key and the firm number. The paged statement returns exactly
// these rows in this order; tests/test_stock_equivalence.cpp checks it.
inline QStringList masterStatementInFullOrder()
{
    QStringList s = masterStatement();
    s.last() = QStringLiteral("order by artikal,a.id,m.firma_id");
    return s;
}

// The same rows, read a page of articles at a time (data::Query paging on the key
// (artikal, id): :page_first, :page_after_artikal, :page_after_id, :page_rows).
//
// Only ledger rows of an article whose name is like :a survive the `having` of the
// statement as written (an unknown or missing article has no name), so the outer join is
// an inner join and the name filter can come first. The inner select takes the next
// :page_rows articles with the name, in the order shown, that have ledger rows (a group
// needs one): the engine walks the name index (which holds the key after the name) and
// stops after a page. It reads the index alone (the code and unit are joined afterwards:
// asked of the inner select, they make MariaDB sort the whole register instead), and the
// existence of a ledger row is a scalar subquery (MariaDB would turn `exists` into a
// semi-join over the whole ledger). Only the page's ledger rows are summed, per firm
// number, from the index on (id_artikal, firma_id, vlez_kol, izlez_kol) alone. Every
// article of a page comes with all its firm numbers, so the next page starts after the
// last row's (artikal, id).
inline QStringList masterStatementPaged()
{
    return {
        QStringLiteral("select  m.firma_id,a.id,a.sifra,a.artikal,a.edm,"),
        QStringLiteral("cast(sum(m.vlez_kol) as decimal(18,4)) vlez,"),
        QStringLiteral("cast(sum(m.izlez_kol) as decimal(18,4)) izlez,"),
        QStringLiteral("cast((sum(m.vlez_kol)-sum(m.izlez_kol)) as decimal(18,4)) saldo"),
        QStringLiteral("from (select p.id,p.artikal from artikli p"),
        QStringLiteral("  where p.artikal like :a"),
        QStringLiteral("  and (:page_first=1 or p.artikal>:page_after_artikal"),
        QStringLiteral("       or (p.artikal=:page_after_artikal and p.id>:page_after_id))"),
        QStringLiteral("  and (select 1 from magacin_artikli e where e.id_artikal=p.id limit 1) is not null"),
        QStringLiteral("  order by p.artikal,p.id"),
        QStringLiteral("  limit :page_rows) q"),
        QStringLiteral("join artikli a on a.id=q.id"),
        QStringLiteral("join magacin_artikli m on m.id_artikal=a.id"),
        QStringLiteral("group by q.artikal,q.id,m.firma_id"),
        QStringLiteral("order by q.artikal,q.id,m.firma_id"),
    };
}

// The paging key of the master statement, and articles per page.
inline QStringList masterPageKey()
{
    return {QStringLiteral("artikal"), QStringLiteral("id")};
}
constexpr int pageRows = 100;

// Every movement of the master's article (:id), oldest first.
inline QStringList detailStatement()
{
    return {
        QStringLiteral("select  "),
        QStringLiteral("komintenti.NAZIV komintent,"),
        QStringLiteral("case magacin_artikli.VID_DOKUMENT"),
        QStringLiteral("when 'P' then 'RECEIPT'"),
        QStringLiteral("when 'I' then 'DISPATCH'"),
        QStringLiteral("when 'N' then 'ORDER'"),
        QStringLiteral("end vid_na_dokument,"),
        QStringLiteral("magacin_artikli.DOCUMENT_ID_label Br_dokument,"),
        QStringLiteral("magacin_artikli.VLEZ_KOL,"),
        QStringLiteral("magacin_artikli.IZLEZ_KOL,"),
        QStringLiteral("magacin_artikli.DATUM_REFERENCA"),
        QString(),
        QStringLiteral("from magacin_artikli"),
        QStringLiteral("left join komintenti on magacin_artikli.ID_KOMINTENT=komintenti.ID"),
        QStringLiteral("left join artikli on artikli.ID=magacin_artikli.ID_ARTIKAL"),
        QStringLiteral("where artikli.ID=:id"),
        QStringLiteral("order by magacin_artikli.DATUM_REFERENCA"),
    };
}

} // namespace pregledartikal
