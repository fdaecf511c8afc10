#include "support/seed.h"

#include "data/query.h"
#include "stores/documentstore.h"
#include "stores/productstore.h"
#include "stores/workorderstore.h"

namespace testsupport {

namespace {

stores::StockDocument document(const QString& date, const QString& due, int partner, const Seed::Lines& lines)
{
    stores::StockDocument d{partner, date, due, {}};
    for (const auto& [article, quantity] : lines)
        d.lines.push_back({article, quantity});
    return d;
}

// A new document under the number the store takes, then under `number` where one is given:
// the store numbers a new document itself, as the entry window does.
int saveDocument(data::Database& db, const stores::DocumentStatements& kind, int number, const stores::StockDocument& d)
{
    stores::DocumentStore store(db, kind);
    const int taken = store.saveNew(d);
    data::Query q(&db);
    q.SQL.Add(QStringLiteral("select max(id) from %1").arg(kind.headerTable));
    q.Open();
    const int key = q.value(0, 0).toInt();
    if (number > 0 && number != taken)
        store.update(key, {}, number, d);
    return key;
}

} // namespace

int Seed::lastKey(const QString& table)
{
    data::Query q(&m_db);
    q.SQL.Add(QStringLiteral("select max(id) from %1").arg(table));
    q.Open();
    return q.value(0, 0).toInt();
}

int Seed::partner(const QString& name, const QString& address, const QString& city, int discount)
{
    stores::Partner p;
    p.naziv = name;
    p.adresa = address;
    p.grad = city;
    p.rabat = discount;
    return partner(p);
}

int Seed::partner(const stores::Partner& partner)
{
    stores::PartnerStore(m_db).saveNew(partner);
    return lastKey(QStringLiteral("komintenti"));
}

int Seed::employee(const QString& name)
{
    stores::Employee e;
    e.naziv = name;
    return employee(e);
}

int Seed::employee(const stores::Employee& employee)
{
    stores::EmployeeStore(m_db).saveNew(employee);
    return lastKey(QStringLiteral("vraboteni"));
}

int Seed::article(int code, const QString& name, const QString& unit)
{
    stores::ArticleStore store(m_db);
    const stores::Article a{code, name, unit};
    const int taken = store.saveNew(a);
    const int key = lastKey(QStringLiteral("artikli"));
    if (code >= 0 && code != taken)
        store.update(key, {}, a);
    return key;
}

int Seed::product(int code, const QString& name, const Lines& parts, double price, double taxRate, const QString& unit)
{
    stores::ProductStore store(m_db);
    stores::Product p{code, name, unit, price, taxRate, 0, {}};
    for (const auto& [article, quantity] : parts)
        p.composition.push_back({article, quantity});
    const int taken = store.saveNew(p);
    const int key = lastKey(QStringLiteral("proizvodi"));
    if (code >= 0 && code != taken)
        store.update(key, {}, p);
    return key;
}

int Seed::receipt(int number, const QString& date, int partner, const Lines& lines)
{
    return saveDocument(m_db, stores::receipts(), number, document(date, QString(), partner, lines));
}

int Seed::dispatch(int number, const QString& date, const QString& due, int partner, const Lines& lines)
{
    return saveDocument(m_db, stores::dispatches(), number, document(date, due, partner, lines));
}

int Seed::workOrder(int number, const QString& start, const QString& finish, int employee, const QString& employeeName,
                    int partner, const Lines& lines)
{
    stores::WorkOrderStore store(m_db);
    stores::WorkOrder o{partner, start, finish, employee, employeeName, {}};
    for (const auto& [product, quantity] : lines)
        o.lines.push_back({product, quantity});
    const int taken = store.saveNew(o);
    const int key = lastKey(QStringLiteral("nalozi"));
    if (number > 0 && number != taken)
        store.update(key, {}, number, o);
    return key;
}

} // namespace testsupport
