#pragma once

#include "data/recordversion.h"
#include "stores/statement.h"

#include <QString>
#include <QStringList>

namespace stores {

// The statements that save the registers: articles, company partners, employees.
namespace registersql {
// A statement keeps one part per line; the formatter would pack these short ones.
// clang-format off
inline const QString articleNextCode = QStringLiteral("select (max(sifra)+1) m_max  from artikli");
inline const QString articleCodeExists = QStringLiteral("select * from artikli where sifra=:a");
inline const QString articleInsert = QStringLiteral("insert into artikli(sifra,artikal,edm) values(:a,:b,:c)");
inline const QStringList articleUpdate{
    QStringLiteral("update artikli "),
    QStringLiteral("set sifra=:a, "),
    QStringLiteral("artikal=:b, "),
    QStringLiteral("edm=:c "),
    QStringLiteral("where id=:aid"),
};

inline const QString partnerInsert = QStringLiteral(
    "insert into komintenti(naziv,adresa,grad,tel, "
    "mobil,zirosmetka,edb,deponent,sifdejnost,mb,zabeleska1,zabeleska2,rabat) "
    "values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11,:a12,:a13)");
inline const QStringList partnerUpdate{
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

inline const QString employeeInsert = QStringLiteral(
    "insert into vraboteni(naziv,adresa,tel, "
    "mobil,zirosmetka,edb,deponent,sifdejnost,mb,zabeleska1,zabeleska2) "
    "values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11)");
inline const QStringList employeeUpdate{
    QStringLiteral("update vraboteni "),
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
    QStringLiteral("zabeleska2=:a11 "),
    QStringLiteral("where id=:aid"),
};
// clang-format on
} // namespace registersql

// An article as it is saved (a new one is given the next free code).
struct Article {
    int code = 0;
    QString name; // artikal
    QString unit; // edm
};

// A company partner as it is saved, field by column.
struct Partner {
    QString naziv, adresa, grad, tel, mobil, zirosmetka, edb, deponent, sifdejnost, mb, zabeleska1, zabeleska2;
    int rabat = 0;
};

// An employee as it is saved, field by column.
struct Employee {
    QString naziv, adresa, tel, mobil, zirosmetka, edb, deponent, sifdejnost, mb, zabeleska1, zabeleska2;
};

// The stored record with key `id` of a register's `table`, as it is now, for an update.
data::RecordVersion loadRecord(data::Database& db, const QString& table, int id);

// Numbers (by code) and saves the articles.
class ArticleStore : public NumberedStore {
public:
    explicit ArticleStore(data::Database& db);
    // Saves a new article under the next free code, taken inside the transaction (see
    // saveNumbered); returns the code.
    int saveNew(const Article& article);
    data::RecordVersion load(int id) { return loadRecord(m_db, QStringLiteral("artikli"), id); }
    // Writes the article with key `id` anew, its code included, in one transaction; throws
    // data::StaleRecord (nothing written) when another workstation deleted or changed it
    // since it was `loaded`. So do the other registers' updates.
    void update(int id, const data::RecordVersion& loaded, const Article& article);
};

class PartnerStore {
public:
    explicit PartnerStore(data::Database& db) : m_db(db) {}
    void saveNew(const Partner& partner);
    data::RecordVersion load(int id) { return loadRecord(m_db, QStringLiteral("komintenti"), id); }
    void update(int id, const data::RecordVersion& loaded, const Partner& partner);

private:
    data::Database& m_db;
};

class EmployeeStore {
public:
    explicit EmployeeStore(data::Database& db) : m_db(db) {}
    void saveNew(const Employee& employee);
    data::RecordVersion load(int id) { return loadRecord(m_db, QStringLiteral("vraboteni"), id); }
    void update(int id, const data::RecordVersion& loaded, const Employee& employee);

private:
    data::Database& m_db;
};

} // namespace stores
