#include "stores/statement.h"

#include "data/database.h"

namespace stores {

Statement::Statement(data::Database& db, const QString& text) : data::Query(nullptr, db.connectionName())
{
    SQL.Add(text);
}

Statement::Statement(data::Database& db, const QStringList& lines) : data::Query(nullptr, db.connectionName())
{
    for (const QString& line : lines)
        SQL.Add(line);
}

bool anyRowFor(data::Database& db, const QString& statement, int number)
{
    Statement q(db, statement);
    q.ParamByName(QStringLiteral("a")).AsInteger(number);
    q.Open();
    const bool found = !q.IsEmpty();
    q.Close();
    return found;
}

int nextNumber(data::Database& db, const QString& statement, const QString& what)
{
    Statement q(db, statement);
    q.Open();
    const int number = data::nextNumber(q.FieldByName(QStringLiteral("m_max")), what);
    q.Close();
    return number;
}

} // namespace stores
