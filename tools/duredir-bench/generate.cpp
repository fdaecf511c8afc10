#include "generate.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/schema.h"
#include "data/query.h"
#include "stores/registerstore.h"
#include "stores/documentstore.h"
#include "stores/productstore.h"
#include "stores/workorderstore.h"

#include <QDate>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

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
    "BOARD", "BOLT",  "BRACKET", "CABLE", "CAM",     "CASTOR",  "CHIPBOARD", "CLAMP",   "DOWEL",     "DRAWER", "EDGE",
    "FELT",  "FOAM",  "GLASS",   "GLUE",  "HANDLE",  "HINGE",   "KNOB",      "LACQUER", "LED",       "MIRROR", "NAIL",
    "NUT",   "OIL",   "PAINT",   "PANEL", "PLUG",    "PLYWOOD", "RAIL",      "RIVET",   "SANDPAPER", "SCREW",  "SHELF",
    "SLIDE", "STAIN", "STAPLE",  "TAPE",  "VARNISH", "VENEER",  "WASHER",    "WAX",     "ZIP",
};
const char* const kSecond[] = {"PINE",  "OAK",    "BIRCH", "BEECH", "WHITE", "BLACK", "GREY", "STEEL",
                               "BRASS", "CHROME", "MATT",  "GLOSS", "CLEAR", "RED",   "BLUE", "GREEN"};
const char* const kUnits[] = {"PCS", "M", "M2", "KG", "L", "BOX", "PAIR"};

// Rows of one table are committed in slices of about this many.
constexpr int kSlice = 200000;

// One of the program's insert statements of a single row, run for many rows at once: its
// values list is repeated, the parameters of row k renamed :name_k. The columns, the values
// and the order of the rows are those of the single-row statement run row by row; the
// engine parses and the program binds once per batch instead of once per row.
class BatchInsert {
public:
    BatchInsert(data::Database& db, const QString& insert) : m_db(db), m_full(&db)
    {
        const qsizetype values = insert.lastIndexOf(QLatin1String("values"), -1, Qt::CaseInsensitive);
        if (values < 0)
            throw data::DatabaseError(QStringLiteral("Not an insert of a values list: %1").arg(insert));
        m_head = insert.left(values) + QLatin1String("values");
        m_tuple = insert.mid(values + 6).trimmed();
        static const QRegularExpression param(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
        for (auto it = param.globalMatch(m_tuple); it.hasNext();)
            m_names << it.next().captured(1);
        // SQLite's oldest limit on the parameters of one statement is 999.
        m_rowsPerStatement = std::max(1, 990 / std::max(1, int(m_names.size())));
        m_full.SQL.Add(statement(m_rowsPerStatement));
    }
    BatchInsert(const BatchInsert&) = delete;
    BatchInsert& operator=(const BatchInsert&) = delete;

    // The values of one row, in the order of the parameters in the statement.
    void add(std::initializer_list<QVariant> row)
    {
        if (qsizetype(row.size()) != m_names.size())
            throw data::DatabaseError(QStringLiteral("%1 values for %2 parameters").arg(row.size()).arg(m_names.size()));
        m_rows.emplace_back(row);
        if (int(m_rows.size()) == m_rowsPerStatement)
            flush();
    }
    void flush()
    {
        if (m_rows.empty())
            return;
        data::Query rest(&m_db);
        data::Query& q = int(m_rows.size()) == m_rowsPerStatement ? m_full : rest;
        if (&q == &rest)
            rest.SQL.Add(statement(int(m_rows.size())));
        for (size_t k = 0; k < m_rows.size(); ++k)
            for (qsizetype i = 0; i < m_names.size(); ++i)
                q.ParamByName(m_names.at(i) + QLatin1Char('_') + QString::number(k)).AsValue(m_rows[k][size_t(i)]);
        q.ExecSQL();
        m_rows.clear();
    }

private:
    QString statement(int rows) const
    {
        QStringList tuples;
        for (int k = 0; k < rows; ++k) {
            QString t = m_tuple;
            for (const QString& n : m_names) // :a1\b leaves :a10 alone
                t.replace(QRegularExpression(QStringLiteral(":%1\\b").arg(n)), QStringLiteral(":%1_%2").arg(n).arg(k));
            tuples << t;
        }
        return m_head + tuples.join(QLatin1Char(','));
    }

    data::Database& m_db;
    QString m_head;
    QString m_tuple;
    QStringList m_names;
    int m_rowsPerStatement = 1;
    data::Query m_full;
    std::vector<std::vector<QVariant>> m_rows;
};

// Commits in slices, so that no transaction grows without bound; the rows held by the
// batches are written before each commit.
class Writer {
public:
    Writer(data::Database& db, std::initializer_list<BatchInsert*> batches) : m_db(db), m_batches(batches)
    {
        m_db.StartTransaction();
    }
    ~Writer()
    {
        if (m_db.InTransaction())
            m_db.Rollback();
    }
    void row()
    {
        if (++m_rows % kSlice == 0) {
            finish();
            m_db.StartTransaction();
        }
    }
    void finish()
    {
        for (BatchInsert* b : m_batches)
            b->flush();
        m_db.Commit();
    }

private:
    data::Database& m_db;
    std::vector<BatchInsert*> m_batches;
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

namespace {

// The indexes of the schema: dropped while the tables are filled and created afterwards
// by the schema's own statements, which is quicker than keeping them in step row by row
// and gives the same indexes. SQLite only (MariaDB's are declared in its tables).
QStringList schemaIndexes(data::Database& db)
{
    QStringList out;
    if (db.engine() != data::Engine::Sqlite)
        return out;
    static const QRegularExpression index(QStringLiteral("^\\s*create\\s+(unique\\s+)?index\\s"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (const QString& s : data::schemaStatements(db.engine()))
        if (index.match(s).hasMatch())
            out << s;
    return out;
}

QString indexName(const QString& create)
{
    static const QRegularExpression name(QStringLiteral("index\\s+(\\w+)\\s+on"),
                                         QRegularExpression::CaseInsensitiveOption);
    return name.match(create).captured(1);
}

QVariant pragma(data::Database& db, const QString& name)
{
    data::Query q(&db);
    q.SQL.Add(QStringLiteral("pragma ") + name);
    q.Open();
    return q.value(0, 0);
}

} // namespace

void generate(data::Database& db, const Size& size, std::uint64_t seed)
{
    Random r(seed);
    QElapsedTimer t;
    t.start();

    // A file being built: nothing is lost if the machine fails half-way, so SQLite need
    // not wait for the disk at each commit. The connection's own settings come back after.
    const QStringList indexes = schemaIndexes(db);
    QVariant synchronous, cacheSize;
    if (db.engine() == data::Engine::Sqlite) {
        synchronous = pragma(db, QStringLiteral("synchronous"));
        cacheSize = pragma(db, QStringLiteral("cache_size"));
        db.exec(QStringLiteral("pragma synchronous=OFF"));
        for (const QString& create : indexes)
            db.exec(QStringLiteral("drop index if exists ") + indexName(create));
    }

    BatchInsert articles(db, stores::registersql::articleInsert);
    BatchInsert partners(db, stores::registersql::partnerInsert);
    BatchInsert lines(db, stores::receipts().insertLine);
    // Each dispatch also carries one product at its price and tax rate: the financial
    // report sums those.
    BatchInsert productLines(db, stores::workordersql::insertProductRow);
    BatchInsert parts(db, stores::productsql::insertComposition);
    BatchInsert orders(db, stores::workordersql::insertOrder);
    Writer w(db, {&articles, &partners, &lines, &productLines, &parts, &orders});

    for (int i = 0; i < size.articles; ++i) {
        const QString name = articleName(r, i);
        articles.add({i + 1, name, QString::fromLatin1(kUnits[r.below(7)])});
        w.row();
    }
    articles.flush();
    progress("articles", size.articles, t);

    for (int i = 0; i < size.partners; ++i) {
        const QString name = QStringLiteral("PARTNER %1 DOO").arg(i + 1);
        const QString street = QStringLiteral("STREET %1").arg(1 + r.below(200));
        QVariant numbers[9];
        for (QVariant& n : numbers)
            n = QString::number(r.below(1000000));
        const int a13 = r.below(20);
        partners.add({name, street, QStringLiteral("1000 SKOPJE"), numbers[0], numbers[1], numbers[2], numbers[3],
                      numbers[4], numbers[5], numbers[6], numbers[7], numbers[8], a13});
        w.row();
    }
    partners.flush();
    progress("partners", size.partners, t);

    // Receipts and dispatches, each with an equal share of the ledger rows. A header is
    // inserted alone (its key is needed for its lines); the lines go in batches.
    const int receipts = size.documents / 2;
    const int dispatches = size.documents - receipts;
    const int perDocument = size.ledgerRows / size.documents;
    int written = 0;
    data::Query header(&db);
    for (int kind = 0; kind < 2; ++kind) {
        const bool receipt = kind == 0;
        header.SQL.Clear();
        header.SQL.Add(
            receipt ? stores::receipts().insertHeader
                    : QStringLiteral("insert into ispratnici(ispratnica_id,datum,datum_valuta) values(:a1,:a2,:a3)"));
        const int n = receipt ? receipts : dispatches;
        const QString vid = receipt ? QStringLiteral("P") : QStringLiteral("I");
        for (int d = 0; d < n; ++d) {
            const QString date = dateOf(r);
            header.ParamByName(QStringLiteral("a1")).AsInteger(d + 1);
            header.ParamByName(QStringLiteral("a2")).AsString(date);
            header.ParamByName(QStringLiteral("a3")).AsString(date);
            header.ExecSQL();
            const int id = header.LastInsertId();
            const int partner = 1 + r.below(size.partners);
            const int count = !receipt && d == n - 1 ? size.ledgerRows - written : perDocument;
            if (!receipt) {
                const int product = 1 + r.below(std::max(1, size.products));
                const double quantity = r.quantity(20);
                const double price = double(10 + r.below(5000));
                productLines.add({vid, id, partner, product, 0.0, quantity, date, 1, price, 18.0, d + 1});
                w.row();
            }
            for (int l = 0; l < count; ++l) {
                const int article = 1 + r.below(size.articles);
                const double in = receipt ? r.quantity(100) : 0.0;
                const double out = receipt ? 0.0 : r.quantity(30);
                lines.add({vid, id, partner, article, in, out, date, 1, d + 1});
                w.row();
                ++written;
            }
            w.row();
        }
        progress(receipt ? "receipts" : "dispatches", n, t);
    }
    lines.flush();
    productLines.flush();
    progress("ledger rows", written, t);

    data::Query q(&db);
    q.SQL.Add(stores::productsql::insertProduct);
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
            const int article = 1 + r.below(size.articles);
            parts.add({id, article, r.quantity(10), 1});
            w.row();
        }
        w.row();
    }
    parts.flush();
    progress("products", size.products, t);

    // The employee who runs the work orders.
    q.SQL.Clear();
    q.SQL.Add(stores::registersql::employeeInsert);
    for (int p = 1; p <= 11; ++p)
        q.ParamByName(QStringLiteral("a%1").arg(p)).AsString(p == 1 ? QStringLiteral("BENCH WORKER") : QString());
    q.ExecSQL();

    for (int i = 0; i < size.workOrders; ++i) {
        const QString date = dateOf(r);
        orders.add({i + 1, date, date, 1, QStringLiteral("NORMAL")});
        w.row();
    }
    progress("work orders", size.workOrders, t);
    w.finish();

    if (db.engine() == data::Engine::Sqlite) {
        // The sorts of the index builds get room; the connection's cache comes back after.
        db.exec(QStringLiteral("pragma cache_size=-131072"));
        for (const QString& create : indexes)
            db.exec(create);
        progress("indexes", int(indexes.size()), t);
        db.exec(QStringLiteral("pragma cache_size=%1").arg(cacheSize.toLongLong()));
        db.exec(QStringLiteral("pragma synchronous=%1").arg(synchronous.toLongLong()));
    }
}

} // namespace bench
