#pragma once

#include <QList>
#include <QString>

namespace data {

class Database;

// Ledger rows whose document header is gone: rows of one kind in one ledger that name a
// document (`document_id`) that its header table no longer holds. An earlier release left
// them behind when it deleted a dispatch with priced product rows.
struct OrphanRows {
    QString ledger;      // magacin_artikli / magacin_proizvodi
    QString kind;        // 'P', 'I' or 'N'
    QString headerTable; // priemnici / ispratnici / nalozi
    qint64 rows = 0;
    qint64 documents = 0; // distinct document keys among them

    QString describe() const;
};

// Every group of orphan rows, by ledger and kind; empty when every row sits under its header.
// Throws DatabaseError when the tables cannot be read.
QList<OrphanRows> findOrphanRows(Database& db);

// Deletes the orphan rows in one transaction (all or nothing) and returns what was deleted.
QList<OrphanRows> removeOrphanRows(Database& db);

} // namespace data
