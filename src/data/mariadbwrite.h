#pragma once

#include <QList>
#include <QSqlError>
#include <QStringList>
#include <QVariant>

#include <memory>

struct st_mysql_stmt;

namespace data {

// A statement that returns no rows (insert, update, delete), prepared on a MariaDB server
// once and run with its values straight through the client library. Qt's driver asks the
// server to reset a prepared statement before every run, one more round trip per
// statement; a statement that returns no rows has nothing to reset. The values are bound
// as Qt's driver binds them.
class MariaDbWrite {
public:
    ~MariaDbWrite();
    MariaDbWrite(const MariaDbWrite&) = delete;
    MariaDbWrite& operator=(const MariaDbWrite&) = delete;

    // Prepares `text` (with named parameters, as the program writes them) on the
    // connection whose driver handle is `connection`. Null without `error` set when the
    // statement returns rows (it runs through Qt); null with `error` set when it cannot be
    // prepared.
    static std::unique_ptr<MariaDbWrite> prepare(const QVariant& connection, const QString& text, QSqlError* error);
    // Whether this path binds the value as Qt's driver would (null, whole numbers, floating
    // numbers, text, dates); a statement with any other value runs through Qt.
    static bool binds(const QVariant& value);

    // The parameter bound to each placeholder, in order, as written (a name may repeat).
    const QStringList& names() const { return m_names; }
    // The same names in lower case, as a query keeps its parameters.
    const QStringList& keys() const { return m_keys; }
    bool exec(const QList<QVariant>& values, QSqlError* error);
    qint64 rowsAffected() const { return m_rowsAffected; }
    quint64 insertId() const { return m_insertId; }

private:
    MariaDbWrite() = default;
    QSqlError error(const QString& what) const;

    st_mysql_stmt* m_stmt = nullptr;
    QStringList m_names;
    QStringList m_keys;
    qint64 m_rowsAffected = 0;
    quint64 m_insertId = 0;
};

} // namespace data
