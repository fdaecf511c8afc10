#include "stores/partneroverviewreads.h"

namespace stores::partneroverview {

QStringList masterStatement()
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

QStringList masterStatementInFullOrder()
{
    QStringList s = masterStatement();
    s.last() = QStringLiteral("order by k.naziv,k.id,m.firma_id");
    return s;
}

QStringList masterStatementPaged()
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

QStringList masterPageKey()
{
    return {QStringLiteral("naziv"), QStringLiteral("id")};
}

QStringList detailStatement()
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

} // namespace stores::partneroverview
