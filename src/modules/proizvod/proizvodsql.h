#pragma once

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

inline const QString nextCode = QStringLiteral("select max(sifra)+1 m_max from proizvodi");
inline const QString insertProduct =
    QStringLiteral("insert into proizvodi(sifra,proizvod,edm,cena,tarifa,rabat) values(:a,:b,:c,:d,:e,:f)");
inline const QString insertComposition = QStringLiteral(
    "insert into proizvodi_sostav(id_proizvod,id_artikal,kolicina,firma_id) values(:a,:b,:c,:d)");

inline const QString load = QStringLiteral("select * from proizvodi where id=:aid");
inline const QString loadComposition = QStringLiteral(
    "select *                                   from proizvodi_sostav                      left join artikli on  "
    "                     proizvodi_sostav.id_artikal=artikli.id     where id_proizvod=:aid                     ");
inline const QString usedByOrders = QStringLiteral("select * from magacin_proizvodi where id_proizvod=:aid");
inline const QString codeExists = QStringLiteral("select * from proizvodi where sifra=:a");
inline const QString update = QStringLiteral(
    "  update proizvodi              set sifra=:asif,              proizvod=:aprod,              edm=:aedm,  "
    "                  cena=:acena,                  tarifa=:atar,               rabat=:arab                  "
    "where id=:aid                 ");
inline const QString deleteComposition = QStringLiteral("delete from proizvodi_sostav   where  id_proizvod=:aid        ");

// The stored product as a whole: the product and its composition (a table without a key,
// hence ordered by every column that tells its rows apart), for the check at save time that
// nobody else deleted or changed it after the edit window loaded it.
inline const QString versionHeader = QStringLiteral("select * from proizvodi where id=:id");
inline const QString versionComposition =
    QStringLiteral("select * from proizvodi_sostav where id_proizvod=:id order by id_artikal, kolicina, firma_id");

} // namespace proizvodsql
