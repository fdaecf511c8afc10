#pragma once

#include "stores/registerstore.h"

#include <QString>
#include <QStringList>

// The statements of the employee windows.
namespace vraboteni_sql {

inline const QStringList Lista{
    QStringLiteral("select *"),
    QStringLiteral("from vraboteni"),
    QStringLiteral("where naziv like :a"),
};

// Saving is the store's (stores::EmployeeStore); the data generator of the benchmark writes
// its employees with the same statement.
inline const QString& Insert = stores::registersql::employeeInsert;

inline const QString Load = QStringLiteral("select * from vraboteni where id=:a");

} // namespace vraboteni_sql
