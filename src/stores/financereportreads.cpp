#include "stores/financereportreads.h"

namespace stores::financereport {

QStringList figuresAndSelection()
{
    return {
        QStringLiteral("cast(sum(izlez_kol*proizvod_cena) as decimal(18,2))vkiznos,"),
        QStringLiteral("cast(sum(-izlez_kol*proizvod_cena*(ispratnici.rabat/100)) as decimal(18,2)) rabat,"),
        QStringLiteral("cast(sum(izlez_kol*proizvod_cena*(1-ispratnici.rabat/100)) as decimal(18,2)) vkiznos_rabat,"),
        QStringLiteral(
            "cast(sum(izlez_kol*proizvod_cena*(1-ispratnici.rabat/100)*proizvod_tarifa/100) as decimal(18,2))danok,"),
        QStringLiteral("cast(sum(izlez_kol*proizvod_cena*(1-ispratnici.rabat/100)*(1+proizvod_tarifa/100)) as "
                       "decimal(18,2))bruto"),
        QString(),
        QStringLiteral("from magacin_proizvodi"),
        QStringLiteral("left join proizvodi on magacin_proizvodi.id_proizvod=proizvodi.id"),
        QStringLiteral("left join ispratnici on ispratnici.id=magacin_proizvodi.document_id"),
        QStringLiteral("where magacin_proizvodi.vid_dokument='I' "),
        QStringLiteral("and ispratnici.datum BETWEEN :date_start and :date_finish"),
        QString(),
    };
}

QStringList perDocument()
{
    QStringList lines{QStringLiteral("select ispratnici.datum,magacin_proizvodi.document_id_label,"
                                     "magacin_proizvodi.document_id,magacin_proizvodi.vid_dokument,")};
    lines << figuresAndSelection();
    lines << QStringLiteral("group by magacin_proizvodi.document_id_label,magacin_proizvodi.document_id,"
                            "magacin_proizvodi.vid_dokument");
    return lines;
}

QStringList totals()
{
    QStringList lines{QStringLiteral("select ")};
    lines << figuresAndSelection();
    return lines;
}

} // namespace stores::financereport
