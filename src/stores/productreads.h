#pragma once

#include <QString>
#include <QStringList>

// The statements that read products for their windows, as they are sent to the server.
// Numbering and saving are the store's (stores::productsql).
namespace stores::productreads {

inline QStringList list()
{
    return {QStringLiteral("select *"), QStringLiteral("from proizvodi"), QStringLiteral("where proizvod like :a")};
}

inline QStringList listComposition()
{
    return {QStringLiteral("select *"), QStringLiteral("from proizvodi_sostav "), QStringLiteral("left join artikli on "),
            QStringLiteral("proizvodi_sostav.id_artikal=artikli.id"), QStringLiteral("where id_proizvod=:id")};
}

// Loading a product into the edit window: the product, its composition, and whether a work
// order or a dispatch uses it.
inline QString load()
{
    return QStringLiteral("select * from proizvodi where id=:aid");
}
inline QString loadComposition()
{
    return QStringLiteral(
        "select *                                   from proizvodi_sostav                      left join artikli on  "
        "                     proizvodi_sostav.id_artikal=artikli.id     where id_proizvod=:aid                     ");
}
inline QString usedByOrders()
{
    return QStringLiteral("select * from magacin_proizvodi where id_proizvod=:aid");
}

} // namespace stores::productreads
