#include "stores/dispatchstock.h"

#include "data/database.h"
#include "data/query.h"
#include "stores/articlereads.h"
#include "stores/statement.h"

namespace dispatchstock {

namespace {

// What the dispatch with key :doc has stored of the article :id.
const QString kTakenStatement = QStringLiteral(
    "select coalesce(sum(case when vid_dokument='I' and document_id=:doc then izlez_kol else 0 end),0) taken\n"
    "from magacin_artikli where id_artikal=:id");

Stored readStored(data::Database& db, int article, int documentId, bool locked)
{
    const bool lock = locked && db.engine() == data::Engine::MariaDb;
    if (lock) {
        // The article row serves as the turn: a second save of the same article waits here
        // until the first one has committed.
        stores::Statement turn(db, QStringLiteral("select id from artikli where id=:id for update"));
        turn.ParamByName(QStringLiteral("id")).AsInteger(article);
        turn.Open();
        turn.Close();
    }
    Stored s;
    s.balance = stores::articleBalance(db, article, locked).balance;
    if (documentId <= 0)
        return s; // a dispatch not stored yet has taken nothing
    stores::Statement q(db, kTakenStatement);
    if (lock)
        q.SQL.Add(QStringLiteral("lock in share mode"));
    q.ParamByName(QStringLiteral("id")).AsInteger(article);
    q.ParamByName(QStringLiteral("doc")).AsInteger(documentId);
    q.Open();
    s.taken = q.FieldByName(QStringLiteral("taken")).AsFloat();
    q.Close();
    return s;
}

} // namespace

QString noQuantityText()
{
    return QStringLiteral("Don't have requested quantity");
}

Stored read(data::Database& db, int article, int documentId)
{
    return readStored(db, article, documentId, false);
}

bool exceeds(double quantity, double available)
{
    return quantity - available > 1e-6;
}

void checkInsideSave(data::Database& db, const QMap<int, double>& takes, int documentId)
{
    // In key order, so that two saves lock their articles in the same order.
    for (auto it = takes.cbegin(); it != takes.cend(); ++it) {
        if (it.value() <= 0)
            continue;
        const Stored s = readStored(db, it.key(), documentId, true);
        if (exceeds(it.value(), s.available()) && exceeds(it.value(), s.taken))
            throw NotEnoughStock(it.key());
    }
}

} // namespace dispatchstock
