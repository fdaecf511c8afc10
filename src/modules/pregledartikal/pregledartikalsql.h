#pragma once

#include <QStringList>

// Statements of the article overview.
namespace pregledartikal {

// Totals per article and firm number; :a filters the article name.
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
