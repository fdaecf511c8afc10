#include "stores/articleoverviewreads.h"

namespace stores::articleoverview {

QStringList masterStatement()
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

QStringList masterStatementInFullOrder()
{
    QStringList s = masterStatement();
    s.last() = QStringLiteral("order by artikal,a.id,m.firma_id");
    return s;
}

QStringList masterStatementPaged()
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

QStringList masterPageKey()
{
    return {QStringLiteral("artikal"), QStringLiteral("id")};
}

QStringList detailStatement()
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

} // namespace stores::articleoverview
