#include "stores/registerstore.h"

#include "data/database.h"
#include "data/query.h"
#include "stores/statement.h"

namespace stores {

namespace {

// Binds `texts` to :a<first>, :a<first+1>, ...
void bindTexts(data::Query& q, int first, const QStringList& texts)
{
    for (qsizetype i = 0; i < texts.size(); ++i)
        q.ParamByName(QStringLiteral("a%1").arg(first + i)).AsString(texts.at(i));
}

} // namespace

data::RecordVersion RegisterStore::load(int id)
{
    data::RecordVersion version(QStringLiteral("select * from %1 where id=:id").arg(m_table), {});
    version.load(m_db, id);
    return version;
}

template <class Bind>
void RegisterStore::update(int id, const data::RecordVersion& loaded, const QStringList& lines, Bind&& bind)
{
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, m_what, [&] {
        Statement q(m_db, lines);
        q.ParamByName(QStringLiteral("aid")).AsInteger(id);
        bind(q);
        q.ExecSQL();
    });
}

int ArticleStore::nextCode()
{
    // Over an empty table the maximum counts as 0, so the first article gets code 1.
    return nextNumber(m_db, registersql::articleNextCode, QStringLiteral("article code"));
}

bool ArticleStore::codeExists(int code)
{
    return anyRowFor(m_db, registersql::articleCodeExists, code);
}

int ArticleStore::saveNew(const Article& article)
{
    int code = 0;
    // The code is taken inside the transaction; when another workstation took it meanwhile,
    // the save runs again with the next one.
    data::runSave(m_db, [&]() {
        code = nextCode();
        Statement q(m_db, registersql::articleInsert);
        q.ParamByName(QStringLiteral("a")).AsString(QString::number(code));
        q.ParamByName(QStringLiteral("b")).AsString(article.name);
        q.ParamByName(QStringLiteral("c")).AsString(article.unit);
        q.ExecSQL();
    });
    return code;
}

void ArticleStore::update(int id, const data::RecordVersion& loaded, const Article& article)
{
    RegisterStore::update(id, loaded, registersql::articleUpdate, [&](data::Query& q) {
        q.ParamByName(QStringLiteral("a")).AsInteger(article.code);
        q.ParamByName(QStringLiteral("b")).AsString(article.name);
        q.ParamByName(QStringLiteral("c")).AsString(article.unit);
    });
}

void PartnerStore::saveNew(const Partner& p)
{
    Statement q(m_db, registersql::partnerInsert);
    bindTexts(q, 1, {p.naziv, p.adresa, p.grad, p.tel, p.mobil, p.zirosmetka, p.edb, p.deponent, p.sifdejnost, p.mb,
                     p.zabeleska1, p.zabeleska2});
    q.ParamByName(QStringLiteral("a13")).AsInteger(p.rabat);
    q.ExecSQL();
}

void PartnerStore::update(int id, const data::RecordVersion& loaded, const Partner& p)
{
    RegisterStore::update(id, loaded, registersql::partnerUpdate, [&](data::Query& q) {
        // In the update grad comes last (a13); the fields after it in the insert move down one.
        bindTexts(q, 1, {p.naziv, p.adresa, p.tel, p.mobil, p.zirosmetka, p.edb, p.deponent, p.sifdejnost, p.mb,
                         p.zabeleska1, p.zabeleska2});
        q.ParamByName(QStringLiteral("a12")).AsInteger(p.rabat);
        q.ParamByName(QStringLiteral("a13")).AsString(p.grad);
    });
}

namespace {

QStringList employeeTexts(const Employee& e)
{
    return {e.naziv, e.adresa, e.tel, e.mobil, e.zirosmetka, e.edb, e.deponent, e.sifdejnost, e.mb, e.zabeleska1,
            e.zabeleska2};
}

} // namespace

void EmployeeStore::saveNew(const Employee& employee)
{
    Statement q(m_db, registersql::employeeInsert);
    bindTexts(q, 1, employeeTexts(employee));
    q.ExecSQL();
}

void EmployeeStore::update(int id, const data::RecordVersion& loaded, const Employee& employee)
{
    RegisterStore::update(id, loaded, registersql::employeeUpdate,
                          [&](data::Query& q) { bindTexts(q, 1, employeeTexts(employee)); });
}

} // namespace stores
