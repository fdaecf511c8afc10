#include "data/valuecheck.h"

#include "data/database.h"
#include "data/query.h"

#include <array>

namespace data {

namespace {

struct Rule {
    const char* table;
    const char* condition;
    const char* text;
};

// Infinity compares above any bound; NaN is stored as null by SQLite and not at all by MariaDB.
constexpr std::array<Rule, 7> kRules{{
    {"magacin_artikli", "vlez_kol < 0 or vlez_kol > 1e9 or izlez_kol < 0 or izlez_kol > 1e9",
     "a quantity below 0 or above 1,000,000,000"},
    {"magacin_proizvodi", "vlez_kol < 0 or vlez_kol > 1e9 or izlez_kol < 0 or izlez_kol > 1e9",
     "a quantity below 0 or above 1,000,000,000"},
    {"magacin_proizvodi", "proizvod_cena < 0 or proizvod_cena > 1e12 or proizvod_tarifa < 0 or proizvod_tarifa > 100",
     "a price below 0 or above 1,000,000,000,000, or a tax rate outside 0 to 100"},
    {"proizvodi_sostav", "kolicina <= 0 or kolicina > 1e9", "a composition quantity of 0 or less, or above 1,000,000,000"},
    {"proizvodi", "cena < 0 or cena > 1e12 or tarifa < 0 or tarifa > 100 or rabat < 0 or rabat > 100",
     "a price below 0, or a tax rate or discount outside 0 to 100"},
    {"komintenti", "rabat < 0 or rabat > 100", "a discount outside 0 to 100"},
    {"ispratnici", "rabat < 0 or rabat > 100", "a discount outside 0 to 100"},
}};

} // namespace

QString AbsurdRows::describe() const
{
    return QStringLiteral("%1 row(s) of %2 hold %3").arg(rows).arg(table, rule);
}

QList<AbsurdRows> findAbsurdRows(Database& db)
{
    QList<AbsurdRows> out;
    Query q(&db);
    for (const Rule& rule : kRules) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select count(*) n from %1 where %2")
                      .arg(QLatin1String(rule.table), QLatin1String(rule.condition)));
        q.Open();
        const qint64 rows = q.FieldByName(QStringLiteral("n")).AsInteger();
        q.Close();
        if (rows > 0)
            out << AbsurdRows{QLatin1String(rule.table), QLatin1String(rule.text), rows};
    }
    return out;
}

} // namespace data
