#pragma once

#include <QString>
#include <QStringList>

// The statements of the article windows.
namespace artikli_sql {

inline const QStringList Lista{
    QStringLiteral("select *"),
    QStringLiteral("from artikli"),
    QStringLiteral("where artikal like :a"),
};

inline const QString NextCode = QStringLiteral("select (max(sifra)+1) m_max  from artikli");
inline const QString Insert = QStringLiteral("insert into artikli(sifra,artikal,edm) values(:a,:b,:c)");

inline const QString Load = QStringLiteral("select * from artikli where id=:a");
inline const QString ByCode = QStringLiteral("select * from artikli where sifra=:a");
inline const QStringList Update{
    QStringLiteral("update artikli "),
    QStringLiteral("set sifra=:a, "),
    QStringLiteral("artikal=:b, "),
    QStringLiteral("edm=:c "),
    QStringLiteral("where id=:aid"),
};

// The stored article, for the check at save time that nobody else deleted or changed it
// after the edit window loaded it.
inline const QString Version = QStringLiteral("select * from artikli where id=:id");

} // namespace artikli_sql
