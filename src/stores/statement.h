#pragma once

#include "data/query.h"

#include <QString>
#include <QStringList>

namespace data {
class Database;
}

// What every store does with a statement on its connection.
namespace stores {

// A query on the connection of `db` holding `text` (one line or several), ready to bind.
class Statement : public data::Query {
public:
    Statement(data::Database& db, const QString& text);
    Statement(data::Database& db, const QStringList& lines);
};

// Whether `statement` (which selects by the parameter :a) finds a row for `number`.
bool anyRowFor(data::Database& db, const QString& statement, int number);

// The number `statement` (a maximum plus one, as m_max) yields: 1 over an empty table.
// `what` names it in the error of a number past the largest one ("work order number").
int nextNumber(data::Database& db, const QString& statement, const QString& what);

} // namespace stores
