#include "stores/registerstore.h"

#include "stores/bounds.h"

namespace stores {

namespace {

// Binds `texts` to :a<first>, :a<first+1>, ...
void bindTexts(data::Query& q, int first, const QStringList& texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i)
        q.ParamByName(QStringLiteral("a%1").arg(first + i)).AsString(texts.at(i));
}

// Runs the update `lines` for the record with key `id`, its values bound by `bind`, after the
// check that nobody changed it since it was `loaded` (`what` names it), in one transaction.
template <class Bind>
void updateRecord(data::Database& db, int id, const data::RecordVersion& loaded, const QString& what,
                  const QStringList& lines, Bind&& bind)
{
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(db, what, [&] {
        Statement q(db, lines);
        q.ParamByName(QStringLiteral("aid")).AsInteger(id);
        bind(q);
        q.ExecSQL();
    });
}

QStringList employeeTexts(const Employee& e)
{
    return {e.naziv,    e.adresa,     e.tel, e.mobil,      e.zirosmetka, e.edb,
            e.deponent, e.sifdejnost, e.mb,  e.zabeleska1, e.zabeleska2};
}

void checkArticle(const Article& a)
{
    bounds::requireName(a.name, QStringLiteral("article name"));
    bounds::requireName(a.unit, QStringLiteral("unit"));
}

void checkPartner(const Partner& p)
{
    bounds::requireName(p.naziv, QStringLiteral("company partner's name"));
    bounds::requirePercent(p.rabat, QStringLiteral("discount"));
}

} // namespace

data::RecordVersion loadRecord(data::Database& db, const QString& table, int id)
{
    data::RecordVersion version(QStringLiteral("select * from %1 where id=:id").arg(table), {});
    version.load(db, id);
    return version;
}

ArticleStore::ArticleStore(data::Database& db)
    // The maximum plus one of no rows is empty and reads as 0: the first article gets code 0.
    : NumberedStore(db,
                    {registersql::articleNextCode, registersql::articleCodeExists, {}, {}, QStringLiteral("article code"), 0})
{
}

int ArticleStore::saveNew(const Article& article)
{
    checkArticle(article);
    return saveNumbered([&](int code) {
        Statement(m_db, registersql::articleInsert)
            .run({{QStringLiteral("a"), QString::number(code)},
                  {QStringLiteral("b"), article.name},
                  {QStringLiteral("c"), article.unit}});
    });
}

void ArticleStore::update(int id, const data::RecordVersion& loaded, const Article& article)
{
    bounds::requireCode(article.code, QStringLiteral("article code"));
    checkArticle(article);
    updateRecord(m_db, id, loaded, QStringLiteral("article"), registersql::articleUpdate, [&](data::Query& q) {
        q.ParamByName(QStringLiteral("a")).AsInteger(article.code);
        q.ParamByName(QStringLiteral("b")).AsString(article.name);
        q.ParamByName(QStringLiteral("c")).AsString(article.unit);
    });
}

void PartnerStore::saveNew(const Partner& p)
{
    checkPartner(p);
    Statement q(m_db, registersql::partnerInsert);
    bindTexts(q, 1,
              {p.naziv, p.adresa, p.grad, p.tel, p.mobil, p.zirosmetka, p.edb, p.deponent, p.sifdejnost, p.mb,
               p.zabeleska1, p.zabeleska2});
    q.run({{QStringLiteral("a13"), p.rabat}});
}

void PartnerStore::update(int id, const data::RecordVersion& loaded, const Partner& p)
{
    checkPartner(p);
    updateRecord(m_db, id, loaded, QStringLiteral("company partner"), registersql::partnerUpdate, [&](data::Query& q) {
        // In the update grad comes last (a13); the fields after it in the insert move down one.
        bindTexts(q, 1,
                  {p.naziv, p.adresa, p.tel, p.mobil, p.zirosmetka, p.edb, p.deponent, p.sifdejnost, p.mb, p.zabeleska1,
                   p.zabeleska2});
        q.ParamByName(QStringLiteral("a12")).AsInteger(p.rabat);
        q.ParamByName(QStringLiteral("a13")).AsString(p.grad);
    });
}

void EmployeeStore::saveNew(const Employee& employee)
{
    bounds::requireName(employee.naziv, QStringLiteral("employee's name"));
    Statement q(m_db, registersql::employeeInsert);
    bindTexts(q, 1, employeeTexts(employee));
    q.ExecSQL();
}

void EmployeeStore::update(int id, const data::RecordVersion& loaded, const Employee& employee)
{
    bounds::requireName(employee.naziv, QStringLiteral("employee's name"));
    updateRecord(m_db, id, loaded, QStringLiteral("employee"), registersql::employeeUpdate,
                 [&](data::Query& q) { bindTexts(q, 1, employeeTexts(employee)); });
}

} // namespace stores
