#include "stores/statement.h"

namespace stores {

Statement::Statement(data::Database& db, const QString& text) : data::Query(&db)
{
    SQL.Add(text);
}

Statement::Statement(data::Database& db, const QStringList& lines) : data::Query(&db)
{
    for (const QString& line : lines)
        SQL.Add(line);
}

Statement& Statement::run(std::initializer_list<std::pair<QString, QVariant>> values)
{
    for (const auto& [name, value] : values)
        ParamByName(name).AsValue(value);
    ExecSQL();
    return *this;
}

int NumberedStore::nextNumber()
{
    Statement q(m_db, m_numbering.next);
    q.Open();
    const int number = data::nextNumber(q.FieldByName(QStringLiteral("m_max")), m_numbering.what, m_numbering.first);
    q.Close();
    return number;
}

qint64 NumberedStore::highestNumber()
{
    Statement q(m_db, m_numbering.next);
    q.Open();
    const data::Field& next = q.FieldByName(QStringLiteral("m_max"));
    const qint64 highest = next.IsNull()
                               ? qint64(m_numbering.first) - 1
                               : next.Value().toString().trimmed().section(QLatin1Char('.'), 0, 0).toLongLong() - 1;
    q.Close();
    return highest;
}

bool NumberedStore::numberExists(int number)
{
    Statement q(m_db, m_numbering.exists);
    q.ParamByName(QStringLiteral("a")).AsInteger(number);
    q.Open();
    const bool found = !q.IsEmpty();
    q.Close();
    return found;
}

int NumberedStore::newestNumber()
{
    Statement q(m_db, m_numbering.newest);
    q.Open();
    return q.FieldByName(m_numbering.newestField).AsInteger();
}

} // namespace stores
