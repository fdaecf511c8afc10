#pragma once

#include "data/database.h"
#include "data/query.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <utility>

// What every store does with a statement on its connection.
namespace stores {

// A query on the connection of `db` holding `text` (one line or several), ready to bind.
class Statement : public data::Query {
public:
    Statement(data::Database& db, const QString& text);
    Statement(data::Database& db, const QStringList& lines);

    // Binds each parameter named to its value (a null value binds null) and runs the
    // statement; returns it for LastInsertId() or RowsAffected().
    Statement& run(std::initializer_list<std::pair<QString, QVariant>> values);
};

// How one kind of record is numbered: the statement yielding the next number (a maximum plus
// one, as m_max), the one selecting the records that carry the number :a, the one reading the
// newest record's number (by key) from its column `newestField`, and the number's name in an
// error ("work order number").
struct Numbering {
    QString next;
    QString exists;
    QString newest;
    QString newestField;
    QString what;
    int first = 1; // over an empty table
};

// A store of records that carry a number (or code) of their own.
class NumberedStore {
public:
    // The number a record saved now would take (Numbering::first for the first).
    int nextNumber();
    // The highest number (or code) stored, one below the first when there is none.
    qint64 highestNumber();
    // Whether a stored record carries `number`.
    bool numberExists(int number);
    // The number of the newest record, 0 when there is none.
    int newestNumber();

protected:
    NumberedStore(data::Database& db, Numbering numbering) : m_db(db), m_numbering(std::move(numbering)) {}

    // Runs `insert(number)` in one transaction with the next number, taken there, and returns
    // the number. When another workstation took it meanwhile, the save runs again from the
    // start with the next one; nothing is written on a failure.
    template <class Insert>
    int saveNumbered(Insert&& insert)
    {
        int number = 0;
        data::runSave(m_db, [&]() {
            number = nextNumber();
            insert(number);
        });
        return number;
    }

    data::Database& m_db;

private:
    Numbering m_numbering;
};

} // namespace stores
