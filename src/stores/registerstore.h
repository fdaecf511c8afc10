#pragma once

#include "data/recordversion.h"

#include <QString>
#include <QStringList>

namespace data {
class Database;
class Query;
}

namespace stores {

// The statements that save the registers: articles, company partners, employees.
namespace registersql {
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

// Saves the records of one register (`table`: artikli, komintenti or vraboteni) on one
// connection; `what` names a record for the operator ("article").
class RegisterStore {
public:
    RegisterStore(data::Database& db, QString table, QString what)
        : m_db(db), m_table(std::move(table)), m_what(std::move(what))
    {
    }

    // The stored record with key `id` as it is now, for an update.
    data::RecordVersion load(int id);

protected:
    // Runs the update `lines` for the record with key `id`, its values bound by `bind`, in one
    // transaction; throws data::StaleRecord (nothing written) when another workstation
    // deleted or changed it since it was `loaded`.
    template <class Bind>
    void update(int id, const data::RecordVersion& loaded, const QStringList& lines, Bind&& bind);

    data::Database& m_db;

private:
    QString m_table;
    QString m_what;
};

class ArticleStore : public RegisterStore {
public:
    explicit ArticleStore(data::Database& db) : RegisterStore(db, QStringLiteral("artikli"), QStringLiteral("article")) {}

    // The code an article saved now would take (1 for the first).
    int nextCode();
    bool codeExists(int code);
    // Saves a new article under the next free code, taken inside the transaction (a code
    // taken meanwhile makes the save run again with the next one); returns the code.
    int saveNew(const Article& article);
    void update(int id, const data::RecordVersion& loaded, const Article& article);
};

class PartnerStore : public RegisterStore {
public:
    explicit PartnerStore(data::Database& db)
        : RegisterStore(db, QStringLiteral("komintenti"), QStringLiteral("company partner"))
    {
    }
    void saveNew(const Partner& partner);
    void update(int id, const data::RecordVersion& loaded, const Partner& partner);
};

class EmployeeStore : public RegisterStore {
public:
    explicit EmployeeStore(data::Database& db) : RegisterStore(db, QStringLiteral("vraboteni"), QStringLiteral("employee")) {}
    void saveNew(const Employee& employee);
    void update(int id, const data::RecordVersion& loaded, const Employee& employee);
};

} // namespace stores
