#include "generate.h"

#include "data/database.h"
#include "data/query.h"
#include "modules/artikli/artiklisql.h"
#include "modules/komintenti/komintentisql.h"
#include "modules/nalog/nalogsql.h"
#include "modules/priemnica/priemnicasql.h"
#include "modules/proizvod/proizvodsql.h"
#include "modules/vraboteni/vrabotenisql.h"

#include <QDate>
#include <QElapsedTimer>

#include <cstdio>

namespace bench {

Size sizeByName(const QString& name)
{
    if (name == QLatin1String("S"))
        return {name, 1000, 10000, 50, 500, 20, 200};
    if (name == QLatin1String("M"))
        return {name, 20000, 200000, 1000, 10000, 400, 4000};
    if (name == QLatin1String("L"))
        return {name, 100000, 1000000, 5000, 50000, 2000, 20000};
    if (name == QLatin1String("XL"))
        return {name, 500000, 10000000, 50000, 500000, 10000, 100000};
    return {};
}

std::uint64_t Random::next()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

namespace {

const char* const kFirst[] = {
    "BOARD", "BOLT", "BRACKET", "CABLE", "CAM", "CASTOR", "CHIPBOARD", "CLAMP", "DOWEL", "DRAWER", "EDGE", "FELT",
    "FOAM", "GLASS", "GLUE", "HANDLE", "HINGE", "KNOB", "LACQUER", "LED", "MIRROR", "NAIL", "NUT", "OIL", "PAINT",
    "PANEL", "PLUG", "PLYWOOD", "RAIL", "RIVET", "SANDPAPER", "SCREW", "SHELF", "SLIDE", "STAIN", "STAPLE", "TAPE",
    "VARNISH", "VENEER", "WASHER", "WAX", "ZIP",
};
const char* const kSecond[] = {"PINE", "OAK", "BIRCH", "BEECH", "WHITE", "BLACK", "GREY", "STEEL", "BRASS",
                               "CHROME", "MATT", "GLOSS", "CLEAR", "RED", "BLUE", "GREEN"};
const char* const kUnits[] = {"PCS", "M", "M2", "KG", "L", "BOX", "PAIR"};

// Rows of one table are committed in slices of this many.
constexpr int kSlice = 50000;

class Writer {
public:
    explicit Writer(data::Database& db) : m_db(db) { m_db.StartTransaction(); }
    ~Writer()
    {
        if (m_db.InTransaction())
            m_db.Rollback();
    }
    // Commits every kSlice rows so that no transaction grows without bound.
    void row()
    {
        if (++m_rows % kSlice == 0) {
            m_db.Commit();
            m_db.StartTransaction();
        }
    }
    void finish() { m_db.Commit(); }

private:
    data::Database& m_db;
    long m_rows = 0;
};

void progress(const char* what, int n, const QElapsedTimer& t)
{
    std::fprintf(stderr, "  %-22s %9d rows  %7.1f s\n", what, n, double(t.elapsed()) / 1000.0);
}

QString dateOf(Random& r)
{
    return QDate(2024, 1, 1).addDays(r.below(3 * 365)).toString(Qt::ISODate);
}

} // namespace

QString articleName(Random& r, int i)
{
    const int nf = int(sizeof kFirst / sizeof *kFirst);
    const int ns = int(sizeof kSecond / sizeof *kSecond);
    return QStringLiteral("%1 %2 %3MM-%4")
        .arg(QLatin1String(kFirst[r.below(nf)]), QLatin1String(kSecond[r.below(ns)]))
        .arg(5 + r.below(95))
        .arg(i);
}

void generate(data::Database& db, const Size& size, std::uint64_t seed)
{
    Random r(seed);
    QElapsedTimer t;
    t.start();
    Writer w(db);

    data::Query q;
    q.SQL.Add(artikli_sql::Insert);
    for (int i = 0; i < size.articles; ++i) {
        q.ParamByName(QStringLiteral("a")).AsInteger(i + 1);
        q.ParamByName(QStringLiteral("b")).AsString(articleName(r, i));
        q.ParamByName(QStringLiteral("c")).AsString(QLatin1String(kUnits[r.below(7)]));
        q.ExecSQL();
        w.row();
    }
    progress("articles", size.articles, t);

    q.SQL.Clear();
    q.SQL.Add(komintenti_sql::Insert);
    for (int i = 0; i < size.partners; ++i) {
        q.ParamByName(QStringLiteral("a1")).AsString(QStringLiteral("PARTNER %1 DOO").arg(i + 1));
        q.ParamByName(QStringLiteral("a2")).AsString(QStringLiteral("STREET %1").arg(1 + r.below(200)));
        q.ParamByName(QStringLiteral("a3")).AsString(QStringLiteral("1000 SKOPJE"));
        for (int p = 4; p <= 12; ++p)
            q.ParamByName(QStringLiteral("a%1").arg(p)).AsString(QString::number(r.below(1000000)));
        q.ParamByName(QStringLiteral("a13")).AsInteger(r.below(20));
        q.ExecSQL();
        w.row();
    }
    progress("partners", size.partners, t);

    // Receipts and dispatches, each with an equal share of the ledger rows.
    const int receipts = size.documents / 2;
    const int dispatches = size.documents - receipts;
    const int perDocument = size.ledgerRows / size.documents;
    int written = 0;
    data::Query header;
    data::Query line;
    line.SQL.Add(priemnicasql::insertLine);
    // Each dispatch also carries one product at its price and tax rate: the financial
    // report sums those.
    data::Query productLine;
    productLine.SQL.Add(nalogsql::insertProductRow);
    for (int kind = 0; kind < 2; ++kind) {
        const bool receipt = kind == 0;
        header.SQL.Clear();
        header.SQL.Add(receipt ? priemnicasql::insertHeader
                               : QStringLiteral("insert into ispratnici(ispratnica_id,datum,datum_valuta) values(:a1,:a2,:a3)"));
        const int n = receipt ? receipts : dispatches;
        for (int d = 0; d < n; ++d) {
            const QString date = dateOf(r);
            header.ParamByName(QStringLiteral("a1")).AsInteger(d + 1);
            header.ParamByName(QStringLiteral("a2")).AsString(date);
            header.ParamByName(QStringLiteral("a3")).AsString(date);
            header.ExecSQL();
            const int id = header.LastInsertId();
            const int partner = 1 + r.below(size.partners);
            const int lines = (receipt && d == n - 1) || (!receipt && d == n - 1)
                                  ? (kind == 1 ? size.ledgerRows - written : perDocument)
                                  : perDocument;
            if (!receipt) {
                productLine.ParamByName(QStringLiteral("a1")).AsString(QStringLiteral("I"));
                productLine.ParamByName(QStringLiteral("a2")).AsInteger(id);
                productLine.ParamByName(QStringLiteral("a3")).AsInteger(partner);
                productLine.ParamByName(QStringLiteral("a4")).AsInteger(1 + r.below(std::max(1, size.products)));
                productLine.ParamByName(QStringLiteral("a5")).AsFloat(0.0);
                productLine.ParamByName(QStringLiteral("a6")).AsFloat(r.quantity(20));
                productLine.ParamByName(QStringLiteral("a7")).AsString(date);
                productLine.ParamByName(QStringLiteral("a8")).AsInteger(1);
                productLine.ParamByName(QStringLiteral("a9")).AsFloat(double(10 + r.below(5000)));
                productLine.ParamByName(QStringLiteral("a10")).AsFloat(18);
                productLine.ParamByName(QStringLiteral("a11")).AsInteger(d + 1);
                productLine.ExecSQL();
                w.row();
            }
            for (int l = 0; l < lines; ++l) {
                line.ParamByName(QStringLiteral("a1")).AsString(receipt ? QStringLiteral("P") : QStringLiteral("I"));
                line.ParamByName(QStringLiteral("a2")).AsInteger(id);
                line.ParamByName(QStringLiteral("a3")).AsInteger(partner);
                line.ParamByName(QStringLiteral("a4")).AsInteger(1 + r.below(size.articles));
                line.ParamByName(QStringLiteral("a5")).AsFloat(receipt ? r.quantity(100) : 0.0);
                line.ParamByName(QStringLiteral("a6")).AsFloat(receipt ? 0.0 : r.quantity(30));
                line.ParamByName(QStringLiteral("a7")).AsString(date);
                line.ParamByName(QStringLiteral("a8")).AsInteger(1);
                line.ParamByName(QStringLiteral("a9")).AsInteger(d + 1);
                line.ExecSQL();
                w.row();
                ++written;
            }
            w.row();
        }
        progress(receipt ? "receipts" : "dispatches", n, t);
    }
    progress("ledger rows", written, t);

    q.SQL.Clear();
    q.SQL.Add(proizvodsql::insertProduct);
    data::Query part;
    part.SQL.Add(proizvodsql::insertComposition);
    for (int i = 0; i < size.products; ++i) {
        q.ParamByName(QStringLiteral("a")).AsInteger(i + 1);
        q.ParamByName(QStringLiteral("b")).AsString(QStringLiteral("PRODUCT %1").arg(i + 1));
        q.ParamByName(QStringLiteral("c")).AsString(QStringLiteral("PCS"));
        q.ParamByName(QStringLiteral("d")).AsFloat(double(10 + r.below(5000)));
        q.ParamByName(QStringLiteral("e")).AsFloat(18);
        q.ParamByName(QStringLiteral("f")).AsFloat(0);
        q.ExecSQL();
        const int id = q.LastInsertId();
        for (int k = 0; k < 5; ++k) {
            part.ParamByName(QStringLiteral("a")).AsInteger(id);
            part.ParamByName(QStringLiteral("b")).AsInteger(1 + r.below(size.articles));
            part.ParamByName(QStringLiteral("c")).AsFloat(r.quantity(10));
            part.ParamByName(QStringLiteral("d")).AsInteger(1);
            part.ExecSQL();
            w.row();
        }
        w.row();
    }
    progress("products", size.products, t);

    // The employee who runs the work orders.
    q.SQL.Clear();
    q.SQL.Add(vraboteni_sql::Insert);
    for (int p = 1; p <= 11; ++p)
        q.ParamByName(QStringLiteral("a%1").arg(p)).AsString(p == 1 ? QStringLiteral("BENCH WORKER") : QString());
    q.ExecSQL();

    q.SQL.Clear();
    q.SQL.Add(nalogsql::insertOrder);
    for (int i = 0; i < size.workOrders; ++i) {
        const QString date = dateOf(r);
        q.ParamByName(QStringLiteral("a1")).AsInteger(i + 1);
        q.ParamByName(QStringLiteral("a2")).AsString(date);
        q.ParamByName(QStringLiteral("a3")).AsString(date);
        q.ParamByName(QStringLiteral("a4")).AsInteger(1);
        q.ParamByName(QStringLiteral("a5")).AsString(QStringLiteral("NORMAL"));
        q.ExecSQL();
        w.row();
    }
    progress("work orders", size.workOrders, t);
    w.finish();
}

} // namespace bench
