#pragma once

#include <QString>
#include <QStringList>

// The statements of the partner windows.
namespace komintenti_sql {

inline const QStringList Lista{
    QStringLiteral("select *"),
    QStringLiteral("from komintenti"),
    QStringLiteral("where naziv like :a"),
};

inline const QString Insert = QStringLiteral(
    "insert into komintenti(naziv,adresa,grad,tel, "
    "mobil,zirosmetka,edb,deponent,sifdejnost,mb,zabeleska1,zabeleska2,rabat) "
    "values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11,:a12,:a13)");

inline const QString Load = QStringLiteral("select * from komintenti where id=:a");

inline const QStringList Update{
    QStringLiteral("update komintenti "),
    QStringLiteral("set naziv=:a1, "),
    QStringLiteral("adresa=:a2, "),
    QStringLiteral("tel=:a3, "),
    QStringLiteral("mobil=:a4, "),
    QStringLiteral("zirosmetka=:a5, "),
    QStringLiteral("edb=:a6, "),
    QStringLiteral("deponent=:a7, "),
    QStringLiteral("sifdejnost=:a8, "),
    QStringLiteral("mb=:a9, "),
    QStringLiteral("zabeleska1=:a10, "),
    QStringLiteral("zabeleska2=:a11, "),
    QStringLiteral("rabat=:a12, "),
    QStringLiteral("grad=:a13 "),
    QStringLiteral("where id=:aid"),
};

// The stored partner, for the check at save time that nobody else deleted or changed it
// after the edit window loaded it.
inline const QString Version = QStringLiteral("select * from komintenti where id=:id");

} // namespace komintenti_sql
