#pragma once

#include "stores/registerstore.h"

#include <QString>
#include <QStringList>

// The statements of the article windows.
namespace artikli_sql {

inline const QStringList Lista{
    QStringLiteral("select *"),
    QStringLiteral("from artikli"),
    QStringLiteral("where artikal like :a"),
};

// Numbering and saving are the store's (stores::ArticleStore); the data generator of the
// benchmark writes its articles with the same statement.
inline const QString& Insert = stores::registersql::articleInsert;

inline const QString Load = QStringLiteral("select * from artikli where id=:a");

} // namespace artikli_sql
