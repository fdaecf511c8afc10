#include "data/orphans.h"

#include "data/database.h"
#include "data/query.h"

#include <array>

namespace data {

namespace {

struct Owner {
    const char* kind;
    const char* headerTable;
};

// The header that owns a ledger row of each document kind.
constexpr std::array<Owner, 3> kOwners{{{"P", "priemnici"}, {"I", "ispratnici"}, {"N", "nalozi"}}};
constexpr std::array<const char*, 2> kLedgers{{"magacin_artikli", "magacin_proizvodi"}};

QString orphanCondition(const QString& ledger, const QString& headerTable)
{
    return QStringLiteral("%1.vid_dokument=:kind and not exists (select 1 from %2 where %2.id=%1.document_id)")
        .arg(ledger, headerTable);
}

} // namespace

QString OrphanRows::describe() const
{
    return QStringLiteral("%1 row(s) of kind '%2' in %3 belong to %4 document(s) that %5 no longer holds")
        .arg(rows)
        .arg(kind, ledger)
        .arg(documents)
        .arg(headerTable);
}

QList<OrphanRows> findOrphanRows(Database& db)
{
    QList<OrphanRows> out;
    Query q(&db);
    for (const char* ledger : kLedgers) {
        for (const Owner& owner : kOwners) {
            OrphanRows found{QLatin1String(ledger), QLatin1String(owner.kind), QLatin1String(owner.headerTable)};
            q.Close();
            q.SQL.Clear();
            q.SQL.Add(QStringLiteral("select count(*) n, count(distinct document_id) d from %1 where %2")
                          .arg(found.ledger, orphanCondition(found.ledger, found.headerTable)));
            q.ParamByName(QStringLiteral("kind")).AsString(found.kind);
            q.Open();
            found.rows = q.FieldByName(QStringLiteral("n")).AsInteger();
            found.documents = q.FieldByName(QStringLiteral("d")).AsInteger();
            q.Close();
            if (found.rows > 0)
                out << found;
        }
    }
    return out;
}

QList<OrphanRows> removeOrphanRows(Database& db)
{
    QList<OrphanRows> removed;
    Transaction transaction(db);
    removed = findOrphanRows(db);
    Query q(&db);
    for (const OrphanRows& group : std::as_const(removed)) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(
            QStringLiteral("delete from %1 where %2").arg(group.ledger, orphanCondition(group.ledger, group.headerTable)));
        q.ParamByName(QStringLiteral("kind")).AsString(group.kind);
        q.ExecSQL();
    }
    transaction.commit();
    return removed;
}

} // namespace data
