#pragma once

#include "stores/registerstore.h"

#include <QString>
#include <QStringList>

// The statements of the partner windows.
namespace komintenti_sql {

inline const QStringList Lista{
    QStringLiteral("select *"),
    QStringLiteral("from komintenti"),
    QStringLiteral("where naziv like :a"),
};

// Saving is the store's (stores::PartnerStore); the data generator of the benchmark writes
// its partners with the same statement.
inline const QString& Insert = stores::registersql::partnerInsert;

inline const QString Load = QStringLiteral("select * from komintenti where id=:a");

} // namespace komintenti_sql
