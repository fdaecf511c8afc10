#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace data {
class Database;
}

// What the quantity dialogs read of the product or article picked for a document line,
// each field as the dialog shows it (empty when there is no such record).
namespace stores::articlereads {

struct Product {
    QString code;
    QString name;
    QString unit;
    QString price;
    QString taxRate;
    // The same as values; none where the product has none.
    std::optional<double> priceValue;
    std::optional<double> taxRateValue;
};

struct Article {
    QString code;
    QString name;
    QString unit;
};

Product product(data::Database& db, int id);
Article article(data::Database& db, int id);

} // namespace stores::articlereads

namespace stores {

// An article with its balance in the ledger of articles (what came in less what went out).
struct ArticleBalance {
    QString code;
    QString name;
    QString unit;
    double balance = 0;
};

// The statement that reads an article with its balance (:aid), line by line.
QStringList articleBalanceStatement();

// The balance of `article`, with its code, name and unit. Every balance of one article is
// read here: the quantity dialog shows it, and a goods dispatch measures its lines against it
// (dispatchstock), outside a save and inside it. With `locked` on MariaDB the ledger rows
// are read with a locking read that sees the newest committed rows; the caller holds the
// transaction.
ArticleBalance articleBalance(data::Database& db, int article, bool locked = false);

} // namespace stores
