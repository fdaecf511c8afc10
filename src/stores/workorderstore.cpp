#include "stores/workorderstore.h"

#include "stores/bounds.h"

namespace stores {

WorkOrderStore::WorkOrderStore(data::Database& db)
    : NumberedStore(db, {workordersql::nextNumber, workordersql::numberExists, workordersql::newestNumber,
                         QStringLiteral("nalog_id"), QStringLiteral("work order number")})
{
}

void WorkOrderStore::insertLedgerRows(int orderId, int number, const WorkOrder& order)
{
    Statement product(m_db, workordersql::insertProductRow);
    Statement composition(m_db, workordersql::composition);
    Statement article(m_db, workordersql::insertArticleRow);
    for (const WorkOrder::Line& line : order.lines) {
        product.run({{QStringLiteral("a1"), QStringLiteral("N")},
                     {QStringLiteral("a2"), orderId},
                     {QStringLiteral("a3"), order.partner},
                     {QStringLiteral("a4"), line.product},
                     {QStringLiteral("a5"), line.quantity},
                     {QStringLiteral("a6"), 0.0},
                     {QStringLiteral("a7"), order.start},
                     {QStringLiteral("a8"), 0},
                     {QStringLiteral("a9"), 0},
                     {QStringLiteral("a10"), 0},
                     {QStringLiteral("a11"), number}});

        // The consumption follows the composition the product has now.
        composition.ParamByName(QStringLiteral("ip")).AsInteger(line.product);
        composition.Open();
        for (composition.First(); !composition.Eof(); composition.Next()) {
            const double perUnit = composition.FieldByName(QStringLiteral("kolicina")).AsFloat();
            article.run({{QStringLiteral("a1"), QStringLiteral("N")},
                         {QStringLiteral("a2"), orderId},
                         {QStringLiteral("a3"), order.partner},
                         {QStringLiteral("a4"), int(composition.FieldByName(QStringLiteral("id_artikal")).AsFloat())},
                         {QStringLiteral("a5"), 0.0},
                         {QStringLiteral("a6"), line.quantity * perUnit},
                         {QStringLiteral("a7"), order.start},
                         {QStringLiteral("a8"), 0},
                         {QStringLiteral("a9"), number}});
        }
        composition.Close();
    }
}

void WorkOrderStore::writeHeader(Statement& statement, int number, const WorkOrder& order)
{
    statement.run({{QStringLiteral("a1"), number},
                   {QStringLiteral("a2"), order.start},
                   {QStringLiteral("a3"), order.finish},
                   {QStringLiteral("a4"), order.employee},
                   {QStringLiteral("a5"), order.employeeName}});
}

namespace {

void checkValues(const WorkOrder& order)
{
    for (const WorkOrder::Line& line : order.lines)
        bounds::requireQuantity(line.quantity, QStringLiteral("quantity"));
}

} // namespace

int WorkOrderStore::saveNew(const WorkOrder& order)
{
    checkValues(order);
    // One number for the order and all its ledger rows.
    return saveNumbered([&](int number) {
        Statement insert(m_db, workordersql::insertOrder);
        writeHeader(insert, number, order);
        insertLedgerRows(insert.LastInsertId(), number, order);
    });
}

data::RecordVersion WorkOrderStore::load(int id)
{
    data::RecordVersion version(workordersql::versionHeader, workordersql::versionRows);
    version.load(m_db, id);
    return version;
}

void WorkOrderStore::update(int id, const data::RecordVersion& loaded, int number, const WorkOrder& order)
{
    bounds::requireDocumentNumber(number, QStringLiteral("work order number"));
    checkValues(order);
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, QStringLiteral("work order"), [&] {
        Statement header(m_db, workordersql::updateOrder);
        header.ParamByName(QStringLiteral("aid")).AsInteger(id);
        writeHeader(header, number, order);
        for (const QString& statement : {workordersql::deleteProductRows, workordersql::deleteArticleRows})
            Statement(m_db, statement).run({{QStringLiteral("aid"), id}});
        insertLedgerRows(id, number, order);
    });
}

} // namespace stores
