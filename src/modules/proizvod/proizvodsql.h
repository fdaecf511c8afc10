#pragma once

#include "stores/productstore.h"

#include <QString>
#include <QStringList>

// The statements of the product windows, as they are sent to the server.
namespace proizvodsql {

inline QStringList list()
{
    return {QStringLiteral("select *"), QStringLiteral("from proizvodi"), QStringLiteral("where proizvod like :a")};
}

inline QStringList listComposition()
{
    return {QStringLiteral("select *"), QStringLiteral("from proizvodi_sostav "), QStringLiteral("left join artikli on "),
            QStringLiteral("proizvodi_sostav.id_artikal=artikli.id"), QStringLiteral("where id_proizvod=:id")};
}

// Numbering and saving are the store's (stores::productsql); the data generator of the
// benchmark writes its products with the same statements.
inline const QString& insertProduct = stores::productsql::insertProduct;
inline const QString& insertComposition = stores::productsql::insertComposition;

inline const QString load = QStringLiteral("select * from proizvodi where id=:aid");
inline const QString loadComposition = QStringLiteral(
    "select *                                   from proizvodi_sostav                      left join artikli on  "
    "                     proizvodi_sostav.id_artikal=artikli.id     where id_proizvod=:aid                     ");
inline const QString usedByOrders = QStringLiteral("select * from magacin_proizvodi where id_proizvod=:aid");
} // namespace proizvodsql
