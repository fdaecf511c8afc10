// Paged statements against the statements as first written: the same rows, in the same
// order, with the same values, on random ledgers (articles without rows, rows without an
// article or with an unknown one, NULL quantities, names in both cases and repeated, several
// firm numbers and NULL, partners with no name or the same name, documents with gaps in
// their keys). One check, driven by a table of statements: the stock list, the article and
// partner overviews, the receipt and dispatch lists.
//
// Where the statement as written orders by a name only, rows of one name come in an order
// it leaves open; the paged statement fixes it (key, then firm number). The rows read page
// by page must equal the written statement's rows ordered that way, and hold exactly the
// rows of the statement as written.
#include "data/database.h"
#include "data/query.h"
#include "stores/dispatchreads.h"
#include "stores/receiptreads.h"
#include "stores/stocklistreads.h"
#include "stores/articleoverviewreads.h"
#include "stores/partneroverviewreads.h"
#include "support/testdb.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

#include <map>

namespace {

QString randomName(QRandomGenerator& r)
{
    static const char* const words[] = {"screw", "SCREW", "Board", "BOLT", "bolt", "hinge", "HANDLE",
                                        "A",     "ab",    "AB",    "Z",    "%",    "_X",    "N'ail"};
    const int n = int(sizeof words / sizeof *words);
    QString name = QString::fromLatin1(words[r.bounded(n)]);
    if (r.bounded(3) != 0)
        name += QLatin1Char(' ') + QString::fromLatin1(words[r.bounded(n)]) + QString::number(r.bounded(20));
    return name;
}

QVariant quantity(QRandomGenerator& r)
{
    if (r.bounded(15) == 0)
        return QVariant(); // NULL
    const double q = double(r.bounded(-500, 20000)) / 100.0;
    return q;
}

QString randomPartner(QRandomGenerator& r)
{
    static const char* const names[] = {"ACME DOO", "acme doo", "Beta", "BETA", "Z", "", "N'ova", "_X", "ab"};
    return QString::fromLatin1(names[r.bounded(int(sizeof names / sizeof *names))]);
}

// Partners, and receipt and dispatch headers with gaps in their keys; returns the partners' keys.
QVector<int> fillRegisters(QRandomGenerator& r, int partners, int documents)
{
    QVector<int> ids;
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(QStringLiteral("insert into komintenti(naziv,adresa,grad) values(:a,:b,:c)"));
    for (int i = 0; i < partners; ++i) {
        if (r.bounded(8) == 0)
            q.ParamByName(QStringLiteral("a")).Clear();
        else
            q.ParamByName(QStringLiteral("a")).AsString(randomPartner(r));
        q.ParamByName(QStringLiteral("b")).AsString(QStringLiteral("Street %1").arg(i));
        q.ParamByName(QStringLiteral("c")).AsString(r.bounded(2) ? QStringLiteral("Skopje") : QStringLiteral("Ohrid"));
        q.ExecSQL();
        ids << q.LastInsertId();
    }
    for (const QString& table : {QStringLiteral("priemnici"), QStringLiteral("ispratnici")}) {
        const QString number = table == QLatin1String("priemnici") ? QStringLiteral("priemnica_id")
                                                                   : QStringLiteral("ispratnica_id");
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("insert into %1(%2,datum) values(:n,:d)").arg(table, number));
        QVector<int> keys;
        for (int i = 0; i < documents; ++i) {
            q.ParamByName(QStringLiteral("n")).AsInteger(i + 1);
            q.ParamByName(QStringLiteral("d"))
                .AsString(QStringLiteral("2026-0%1-1%2").arg(1 + r.bounded(9)).arg(r.bounded(10)));
            q.ExecSQL();
            keys << q.LastInsertId();
        }
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("delete from %1 where id=:k").arg(table));
        for (int key : std::as_const(keys))
            if (r.bounded(4) == 0) { // deleted documents leave gaps
                q.ParamByName(QStringLiteral("k")).AsInteger(key);
                q.ExecSQL();
            }
    }
    return ids;
}

void fill(quint32 seed, int articles, int rows)
{
    QRandomGenerator r(seed);
    // Partners, firm numbers and documents from a generator of their own: the articles and
    // quantities are those the stock list was first compared on.
    QRandomGenerator r2(seed * 7919u + 17u);
    data::Transaction transaction(testsupport::mainDatabase()); // one write, not thousands
    // Keys as the database gives them: a reused test database does not start at 1.
    QVector<int> ids;
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(QStringLiteral("insert into artikli(sifra,artikal,edm) values(:a,:b,:c)"));
    for (int i = 0; i < articles; ++i) {
        q.ParamByName(QStringLiteral("a")).AsInteger(i + 1);
        if (r.bounded(25) == 0)
            q.ParamByName(QStringLiteral("b")).Clear();
        else
            q.ParamByName(QStringLiteral("b")).AsString(randomName(r));
        if (r.bounded(10) == 0)
            q.ParamByName(QStringLiteral("c")).Clear();
        else
            q.ParamByName(QStringLiteral("c")).AsString(r.bounded(2) ? QStringLiteral("PCS") : QStringLiteral("kg"));
        q.ExecSQL();
        ids << q.LastInsertId();
    }
    const QVector<int> partners = fillRegisters(r2, 5 + articles / 10, 20 + rows / 20);
    // Ledger rows planted as they stand, of every shape a ledger may hold: rows without an
    // article, of other firms, more out than in. No store writes most of them.
    q.SQL.Clear();
    q.SQL.Add(QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                             "izlez_kol,datum_referenca,firma_id,document_id_label)"));
    q.SQL.Add(QStringLiteral("values(:v,1,:k,:a,:i,:o,'2026-01-02',:f,1)"));
    for (int i = 0; i < rows; ++i) {
        const int pick = r.bounded(40);
        q.ParamByName(QStringLiteral("v")).AsString(r.bounded(2) ? QStringLiteral("P") : QStringLiteral("I"));
        if (pick == 0)
            q.ParamByName(QStringLiteral("a")).Clear(); // no article
        else if (pick == 1)
            q.ParamByName(QStringLiteral("a")).AsInteger(ids.last() + 1 + r.bounded(50)); // unknown article
        else
            q.ParamByName(QStringLiteral("a")).AsInteger(ids.at(r.bounded(articles * 2 / 3))); // some never move
        const int partner = r2.bounded(30);
        if (partner == 0)
            q.ParamByName(QStringLiteral("k")).Clear(); // no partner
        else if (partner == 1)
            q.ParamByName(QStringLiteral("k")).AsInteger(partners.last() + 1 + r2.bounded(9)); // unknown partner
        else
            q.ParamByName(QStringLiteral("k")).AsInteger(partners.at(r2.bounded(int(partners.size()) * 3 / 4)));
        const int firm = r2.bounded(12);
        if (firm == 0)
            q.ParamByName(QStringLiteral("f")).Clear();
        else
            q.ParamByName(QStringLiteral("f")).AsInteger(firm < 8 ? 1 : firm < 11 ? 2 : 7);
        const QVariant in = quantity(r), out = quantity(r);
        in.isNull() ? q.ParamByName(QStringLiteral("i")).Clear()
                    : q.ParamByName(QStringLiteral("i")).AsFloat(in.toDouble());
        out.isNull() ? q.ParamByName(QStringLiteral("o")).Clear()
                     : q.ParamByName(QStringLiteral("o")).AsFloat(out.toDouble());
        q.ExecSQL();
    }
    transaction.commit();
}

// A statement read a page at a time: its paging key, and the statement as written that it
// must match.
struct PagedStatement {
    QStringList written;   // as first written
    QStringList fullOrder; // as written, with the order it leaves open fixed as the paged one fixes it
    QStringList paged;     // the statement the window runs
    QStringList keys;      // the paging key; one key: rows per page, several: units per page
    bool descending = false;
    int windowPageRows = 0; // the window's page size
    bool filtered = false;  // has the name filter :a
};

const std::map<QString, PagedStatement>& statements()
{
    static const std::map<QString, PagedStatement> table{
        {QStringLiteral("stock list"),
         {stores::stocklist::balanceStatementAsWritten(),
          stores::stocklist::balanceStatementAsWritten(),
          stores::stocklist::balanceStatement(),
          {QStringLiteral("id")},
          false,
          stores::stocklist::pageRows,
          true}},
        {QStringLiteral("article overview"),
         {stores::articleoverview::masterStatement(), stores::articleoverview::masterStatementInFullOrder(),
          stores::articleoverview::masterStatementPaged(), stores::articleoverview::masterPageKey(), false,
          stores::articleoverview::pageRows, true}},
        {QStringLiteral("partner overview"),
         {stores::partneroverview::masterStatement(), stores::partneroverview::masterStatementInFullOrder(),
          stores::partneroverview::masterStatementPaged(), stores::partneroverview::masterPageKey(), false,
          stores::partneroverview::pageRows, false}},
        {QStringLiteral("receipt list"),
         {stores::receiptreads::listHeaders(),
          stores::receiptreads::listHeaders(),
          stores::receiptreads::listHeadersPaged(),
          {QStringLiteral("id")},
          true,
          stores::receiptreads::listPageRows,
          false}},
        {QStringLiteral("dispatch list"),
         {stores::dispatchreads::listHeaders(),
          stores::dispatchreads::listHeaders(),
          stores::dispatchreads::listHeadersPaged(),
          {QStringLiteral("id")},
          true,
          stores::dispatchreads::listPageRows,
          false}},
    };
    return table;
}

// Every row as text, columns by name, in the order returned; read `pageRows` rows (or units
// of the key) a page when `paging` is given.
QStringList result(const QStringList& statement, const QString& filter, QStringList* names = nullptr, int pageRows = 0,
                   const PagedStatement* paging = nullptr)
{
    data::Query q(&testsupport::mainDatabase());
    for (const QString& line : statement)
        q.SQL.Add(line);
    if (pageRows > 0) {
        if (!paging || paging->keys.size() == 1) {
            if (paging && paging->descending)
                q.setPagingDescending(paging->keys.first(), pageRows);
            else
                q.setPaging(QStringLiteral("id"), pageRows);
        } else {
            q.setPaging(paging->keys, pageRows);
        }
    }
    q.ParamByName(QStringLiteral("a")).AsString(filter);
    q.Open();
    if (pageRows > 0) {
        // A page holds at most a page of rows, or of keys when it is paged on several columns.
        QSet<QString> units;
        const QStringList keys = paging ? paging->keys : QStringList{QStringLiteral("id")};
        for (int row = 0; row < q.RecordCount(); ++row) {
            QStringList key;
            for (const QString& k : keys)
                key << q.value(row, q.fieldIndex(k)).toString();
            units.insert(key.join(QLatin1Char('|')));
        }
        if (units.size() > pageRows || (keys.size() == 1 && q.RecordCount() > pageRows))
            return {QStringLiteral("the first page has more rows than a page")};
        while (q.CanFetchMore()) // page by page, so that every page boundary is crossed
            q.FetchMore();
    }
    if (names)
        *names = q.fieldNames();
    QStringList out;
    for (int row = 0; row < q.RecordCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < q.fieldCount(); ++c) {
            const QVariant v = q.value(row, c);
            cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        }
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

QStringList sorted(QStringList rows)
{
    rows.sort();
    return rows;
}

} // namespace

class TestStockEquivalence : public QObject {
    Q_OBJECT
private slots:
    void sameRowsOnRandomLedgers_data()
    {
        QTest::addColumn<QString>("statement");
        for (const auto& [name, statement] : statements())
            QTest::newRow(qPrintable(name)) << name;
    }

    void sameRowsOnRandomLedgers()
    {
        QFETCH(QString, statement);
        const PagedStatement& s = statements().at(statement);
        const QStringList filters =
            s.filtered ? QStringList{QStringLiteral("%"),   QStringLiteral("S%"),  QStringLiteral("s%"),
                                     QStringLiteral("SC%"), QStringLiteral("AB%"), QStringLiteral("A%"),
                                     QStringLiteral("%X%"), QStringLiteral("_%"),  QStringLiteral("N'%"),
                                     QStringLiteral(""),    QStringLiteral("Z"),   QStringLiteral("QQQ%")}
                       : QStringList{QStringLiteral("%")};
        int compared = 0;
        for (quint32 seed = 1; seed <= 6; ++seed) {
            testsupport::TestDatabase db;
            fill(seed, 60 + int(seed) * 40, 400 + int(seed) * 500);
            for (const QString& filter : filters) {
                QStringList oldNames, newNames;
                const QStringList expected = result(s.fullOrder, filter, &oldNames);
                // Pages of one row, of a few rows (ends fall anywhere), and of the window's size.
                const int pageRows = seed % 3 == 0 ? s.windowPageRows : int(seed % 3 == 1 ? 1 : 2 + seed);
                const QStringList actual = result(s.paged, filter, &newNames, pageRows, &s);
                QCOMPARE(newNames, oldNames);
                if (actual != expected) {
                    qWarning() << statement << "seed" << seed << "filter" << filter;
                    QCOMPARE(actual.size(), expected.size());
                    for (int i = 0; i < actual.size(); ++i)
                        QCOMPARE(actual.at(i), expected.at(i));
                }
                // The order fixed or not, the rows are those of the statement as written.
                if (s.fullOrder != s.written)
                    QCOMPARE(sorted(actual), sorted(result(s.written, filter)));
                compared += int(expected.size());
            }
        }
        // Hundreds of documents and partners, thousands of rows under a dozen name filters.
        QVERIFY2(compared > (s.filtered ? 1000 : 100), qPrintable(QStringLiteral("%1 rows compared").arg(compared)));
    }

    // An empty ledger, and a ledger whose rows all lack an article, give no rows either way.
    void emptyAndOrphanLedgers()
    {
        testsupport::TestDatabase db;
        QVERIFY(result(stores::stocklist::balanceStatement(), QStringLiteral("%"), nullptr, 3).isEmpty());
        db.exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(1,'BOLT','PCS')"));
        db.exec(QStringLiteral("insert into magacin_artikli(vid_dokument,id_artikal,vlez_kol,izlez_kol) "
                               "values('P',7,5,0)"));
        db.exec(QStringLiteral("insert into magacin_artikli(vid_dokument,id_artikal,vlez_kol,izlez_kol) "
                               "values('P',NULL,5,0)"));
        QCOMPARE(result(stores::stocklist::balanceStatement(), QStringLiteral("%"), nullptr, 3),
                 result(stores::stocklist::balanceStatementAsWritten(), QStringLiteral("%")));
        QVERIFY(result(stores::stocklist::balanceStatement(), QStringLiteral("%"), nullptr, 3).isEmpty());
        for (const auto& [name, s] : statements()) {
            QCOMPARE(result(s.paged, QStringLiteral("%"), nullptr, 3, &s), result(s.fullOrder, QStringLiteral("%")));
        }
    }
};

QTEST_GUILESS_MAIN(TestStockEquivalence)
#include "test_stock_equivalence.moc"
