#pragma once

#include "data/errors.h"

#include <QMap>
#include <QString>

namespace data {
class Database;
}

// What a goods dispatch may take of an article. The stock is the stored balance
// (stores::articleBalance: in minus out over the whole ledger). A dispatch being edited
// gives back what it had stored of the article, since its save writes its lines anew; the
// lines the window already holds take their part first. The quantity dialog, the import of
// receipt lines and the save all measure against that.
namespace dispatchstock {

// The refusal of a quantity above what is left (title "Warning").
QString noQuantityText();

// A save found that the dispatch takes more of `article` than is left; nothing was written.
class NotEnoughStock : public data::Error {
public:
    explicit NotEnoughStock(int article) : data::Error(noQuantityText()), m_article(article) {}
    int article() const { return m_article; }

private:
    int m_article;
};

// An article as stored now: its balance, and what the stored dispatch with key
// `documentId` takes of it (0 for a dispatch not stored yet, `documentId` <= 0).
struct Stored {
    double balance = 0;
    double taken = 0;
    // What the dispatch may take of the article in all.
    double available() const { return balance + taken; }
};

// Reads `article` outside a save (for the dialog and the import).
Stored read(data::Database& db, int article, int documentId);

// Whether taking `quantity` out of `available` leaves less than nothing (a rounding error
// of the stored sums does not count).
bool exceeds(double quantity, double available);

// Inside the save's transaction, before the dispatch's lines are written: `takes` holds
// what the dispatch takes of each article in all. Each article is read again, on MariaDB
// under lock (the article row, then the ledger rows with a locking read that sees the newest
// committed rows), so two workstations saving at once take their turns; on SQLite the save
// already holds the file's write lock. Throws NotEnoughStock for the first article whose
// take exceeds what is available. An edited dispatch that takes no more of an article than
// it had stored is let through for that article: it cannot lower the stock.
void checkInsideSave(data::Database& db, const QMap<int, double>& takes, int documentId);

} // namespace dispatchstock
