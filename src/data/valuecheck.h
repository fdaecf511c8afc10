#pragma once

#include <QList>
#include <QString>

namespace data {

class Database;

// Rows that hold values no business has, written by another program or an earlier release:
// quantities below zero or above 1e9 (or infinite), composition quantities of 0 or less,
// discounts and tax rates outside 0 to 100, negative prices. The program refuses such values
// when they are entered; these are already stored.
struct AbsurdRows {
    QString table;
    QString rule; // what the rows break, for the administrator
    qint64 rows = 0;

    QString describe() const;
};

// Every group of such rows; empty when there are none. Throws DatabaseError when the tables
// cannot be read.
QList<AbsurdRows> findAbsurdRows(Database& db);

} // namespace data
