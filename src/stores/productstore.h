#pragma once

#include "data/recordversion.h"
#include "stores/statement.h"

#include <QString>

#include <vector>

namespace stores {

// The statements that number and save products and their compositions.
namespace productsql {
inline const QString nextCode = QStringLiteral("select max(sifra)+1 m_max from proizvodi");
inline const QString codeExists = QStringLiteral("select * from proizvodi where sifra=:a");
inline const QString insertProduct =
    QStringLiteral("insert into proizvodi(sifra,proizvod,edm,cena,tarifa,rabat) values(:a,:b,:c,:d,:e,:f)");
inline const QString insertComposition =
    QStringLiteral("insert into proizvodi_sostav(id_proizvod,id_artikal,kolicina,firma_id) values(:a,:b,:c,:d)");
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
} // namespace productsql

// A product as it is saved: its fields and its composition (the articles one unit of it
// takes).
struct Product {
    struct Part {
        int article = 0;
        double quantity = 0;
    };
    int code = 0; // the edit window's; a new product is given the next free code
    QString name;
    QString unit;
    double price = 0;
    double taxRate = 0;
    double discount = 0;
    std::vector<Part> composition;
};

// Numbers (by code) and saves the products on one connection.
class ProductStore : public NumberedStore {
public:
    explicit ProductStore(data::Database& db);

    // Saves a new product and its composition in one transaction under the next free code,
    // taken there (see saveNumbered), and returns the code.
    int saveNew(const Product& product);

    // The stored product with key `id` as it is now, for update().
    data::RecordVersion load(int id);
    // Writes the product with key `id` anew (its code included), its composition replaced,
    // in one transaction; throws data::StaleRecord (nothing written) when another
    // workstation deleted or changed it since it was `loaded`.
    void update(int id, const data::RecordVersion& loaded, const Product& product);

private:
    void insertComposition(int productId, const Product& product);
};

} // namespace stores
