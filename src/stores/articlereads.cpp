#include "stores/articlereads.h"

#include "data/database.h"
#include "data/query.h"
#include "stores/statement.h"

namespace stores::articlereads {

Product product(data::Database& db, int id)
{
    Statement q(db, QStringLiteral("select * from proizvodi where id=:aid"));
    q.ParamByName(QStringLiteral("aid")).AsInteger(id);
    q.Open();
    Product p;
    p.code = q.FieldByName(QStringLiteral("sifra")).AsString();
    p.name = q.FieldByName(QStringLiteral("proizvod")).AsString();
    p.unit = q.FieldByName(QStringLiteral("edm")).AsString();
    p.price = q.FieldByName(QStringLiteral("cena")).AsString();
    p.taxRate = q.FieldByName(QStringLiteral("tarifa")).AsString();
    const auto value = [](const data::Field& field) -> std::optional<double> {
        if (field.IsNull())
            return std::nullopt;
        try {
            return field.AsFloat();
        } catch (const data::ConvertError&) {
            return std::nullopt; // a text that is no number: shown, not kept
        }
    };
    p.priceValue = value(q.FieldByName(QStringLiteral("cena")));
    p.taxRateValue = value(q.FieldByName(QStringLiteral("tarifa")));
    q.Close();
    return p;
}

Article article(data::Database& db, int id)
{
    Statement q(db, QStringLiteral("select * from artikli where id=:aid"));
    q.ParamByName(QStringLiteral("aid")).AsInteger(id);
    q.Open();
    Article a;
    a.code = q.FieldByName(QStringLiteral("sifra")).AsString();
    a.name = q.FieldByName(QStringLiteral("artikal")).AsString();
    a.unit = q.FieldByName(QStringLiteral("edm")).AsString();
    q.Close();
    return a;
}

} // namespace stores::articlereads

namespace stores {

// The dialog's statement is the one that reads a balance, and the dispatch's check reads
// the same: the figure the operator is shown is the figure the save measures against, cast
// to the same decimals and with the same reading of a ledger column left empty, so a
// quantity the dialog accepts is not refused by the save on a difference of arithmetic, nor
// the other way round. It reads the code, name and unit with it, which the dialog needs
// and the check does not; one row per article, so that costs nothing.
QStringList articleBalanceStatement()
{
    return {
        QStringLiteral("select artikli.id,artikli.sifra, magacin_artikli.ID_ARTIKAL,artikli.ARTIKAL,artikli.EDM, "),
        QStringLiteral("cast(sum(vlez_kol) as decimal(18,4)) vk_vlez, "),
        QStringLiteral("cast(sum(izlez_kol) as decimal(18,4))vk_izlez,  "),
        QStringLiteral("cast((sum(vlez_kol)-sum(izlez_kol)) as decimal(18,4)) saldo "),
        QStringLiteral("from magacin_artikli  "),
        QStringLiteral("left join artikli on magacin_artikli.ID_ARTIKAL=artikli.ID "),
        QStringLiteral("where artikli.id = :aid  "),
        QStringLiteral("group by magacin_artikli.ID_ARTIKAL,artikli.ARTIKAL,artikli.EDM   "),
    };
}

ArticleBalance articleBalance(data::Database& db, int article, bool locked)
{
    Statement q(db, articleBalanceStatement());
    if (locked && db.engine() == data::Engine::MariaDb)
        q.SQL.Add(QStringLiteral("lock in share mode"));
    q.ParamByName(QStringLiteral("aid")).AsInteger(article);
    q.Open();
    ArticleBalance b;
    b.code = q.FieldByName(QStringLiteral("sifra")).AsString();
    b.name = q.FieldByName(QStringLiteral("artikal")).AsString();
    b.unit = q.FieldByName(QStringLiteral("edm")).AsString();
    b.balance = q.FieldByName(QStringLiteral("saldo")).AsFloat();
    q.Close();
    return b;
}

} // namespace stores
