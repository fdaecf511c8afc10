#pragma once

// Records for a test, saved through the program's own stores: what a test seeds is what the
// program would have written, checks and all. A row the program would refuse (an absurd
// quantity, a row of another program) is planted by the test itself, saying why.
#include "data/database.h"
#include "stores/registerstore.h"

#include <QList>
#include <QPair>
#include <QString>

namespace testsupport {

class Seed {
public:
    explicit Seed(data::Database& db) : m_db(db) {}

    // (article or product key, quantity)
    using Lines = QList<QPair<int, double>>;

    // Each returns the key of the record saved.
    int partner(const QString& name, const QString& address = QString(), const QString& city = QString(), int discount = 0);
    int partner(const stores::Partner& partner);
    int employee(const QString& name);
    int employee(const stores::Employee& employee);
    // An article under `code` (-1: the next free code, as the entry window gives it).
    int article(int code, const QString& name, const QString& unit);
    // A product under `code` (-1: the next free code) made of `parts` (article, quantity).
    int product(int code, const QString& name, const Lines& parts, double price = 100, double taxRate = 18,
                const QString& unit = QStringLiteral("PCS"));
    // A goods receipt or dispatch under `number` (0: the next number, as the entry window
    // takes it). A dispatch is checked against the stock as the program checks it.
    int receipt(int number, const QString& date, int partner, const Lines& lines);
    int dispatch(int number, const QString& date, const QString& due, int partner, const Lines& lines);
    // A work order under `number` (0: the next): its product rows and the article rows of the
    // products' present compositions.
    int workOrder(int number, const QString& start, const QString& finish, int employee, const QString& employeeName,
                  int partner, const Lines& lines);

private:
    int lastKey(const QString& table);

    data::Database& m_db;
};

} // namespace testsupport
