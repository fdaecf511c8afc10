#include "stores/workorderstore.h"

#include "data/database.h"
#include "data/query.h"
#include "stores/statement.h"

namespace stores {

int WorkOrderStore::nextNumber()
{
    return stores::nextNumber(m_db, workordersql::nextNumber, QStringLiteral("work order number"));
}

int WorkOrderStore::newestNumber()
{
    Statement q(m_db, workordersql::newestNumber);
    q.Open();
    return q.FieldByName(QStringLiteral("nalog_id")).AsInteger();
}

bool WorkOrderStore::numberExists(int number)
{
    return anyRowFor(m_db, workordersql::numberExists, number);
}

void WorkOrderStore::insertLedgerRows(int orderId, int number, const WorkOrder& order)
{
    Statement product(m_db, workordersql::insertProductRow);
    Statement composition(m_db, workordersql::composition);
    Statement article(m_db, workordersql::insertArticleRow);
    for (const WorkOrder::Line& line : order.lines) {
        product.ParamByName(QStringLiteral("a1")).AsString(QStringLiteral("N"));
        product.ParamByName(QStringLiteral("a2")).AsInteger(orderId);
        product.ParamByName(QStringLiteral("a3")).AsInteger(order.partner);
        product.ParamByName(QStringLiteral("a4")).AsInteger(line.product);
        product.ParamByName(QStringLiteral("a5")).AsFloat(line.quantity);
        product.ParamByName(QStringLiteral("a6")).AsFloat(0.0);
        product.ParamByName(QStringLiteral("a7")).AsString(order.start);
        product.ParamByName(QStringLiteral("a8")).AsInteger(0);
        product.ParamByName(QStringLiteral("a9")).AsInteger(0);
        product.ParamByName(QStringLiteral("a10")).AsInteger(0);
        product.ParamByName(QStringLiteral("a11")).AsInteger(number);
        product.ExecSQL();

        // The consumption follows the composition the product has now.
        composition.ParamByName(QStringLiteral("ip")).AsInteger(line.product);
        composition.Open();
        for (composition.First(); !composition.Eof(); composition.Next()) {
            article.ParamByName(QStringLiteral("a1")).AsString(QStringLiteral("N"));
            article.ParamByName(QStringLiteral("a2")).AsInteger(orderId);
            article.ParamByName(QStringLiteral("a3")).AsInteger(order.partner);
            article.ParamByName(QStringLiteral("a4")).AsInteger(int(composition.FieldByName(QStringLiteral("id_artikal")).AsFloat()));
            article.ParamByName(QStringLiteral("a5")).AsFloat(0.0);
            article.ParamByName(QStringLiteral("a6")).AsFloat(line.quantity * composition.FieldByName(QStringLiteral("kolicina")).AsFloat());
            article.ParamByName(QStringLiteral("a7")).AsString(order.start);
            article.ParamByName(QStringLiteral("a8")).AsInteger(0);
            article.ParamByName(QStringLiteral("a9")).AsInteger(number);
            article.ExecSQL();
        }
        composition.Close();
    }
}

int WorkOrderStore::saveNew(const WorkOrder& order)
{
    int number = 0;
    // One number for the order and all its ledger rows, taken inside the transaction; when
    // another workstation took it meanwhile, the save runs again with the next one.
    data::runSave(m_db, [&]() {
        number = nextNumber();
        Statement insert(m_db, workordersql::insertOrder);
        insert.ParamByName(QStringLiteral("a1")).AsInteger(number);
        insert.ParamByName(QStringLiteral("a2")).AsString(order.start);
        insert.ParamByName(QStringLiteral("a3")).AsString(order.finish);
        insert.ParamByName(QStringLiteral("a4")).AsInteger(order.employee);
        insert.ParamByName(QStringLiteral("a5")).AsString(order.employeeName);
        insert.ExecSQL();
        insertLedgerRows(insert.LastInsertId(), number, order);
    });
    return number;
}

data::RecordVersion WorkOrderStore::load(int id)
{
    data::RecordVersion version(workordersql::versionHeader, workordersql::versionRows);
    version.load(m_db, id);
    return version;
}

void WorkOrderStore::update(int id, const data::RecordVersion& loaded, int number, const WorkOrder& order)
{
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, QStringLiteral("work order"), [&] {
        Statement header(m_db, workordersql::updateOrder);
        header.ParamByName(QStringLiteral("a1")).AsInteger(number);
        header.ParamByName(QStringLiteral("a2")).AsString(order.start);
        header.ParamByName(QStringLiteral("a3")).AsString(order.finish);
        header.ParamByName(QStringLiteral("a4")).AsInteger(order.employee);
        header.ParamByName(QStringLiteral("a5")).AsString(order.employeeName);
        header.ParamByName(QStringLiteral("aid")).AsInteger(id);
        header.ExecSQL();

        for (const QString& statement : {workordersql::deleteProductRows, workordersql::deleteArticleRows}) {
            Statement rows(m_db, statement);
            rows.ParamByName(QStringLiteral("aid")).AsInteger(id);
            rows.ExecSQL();
        }
        insertLedgerRows(id, number, order);
    });
}

} // namespace stores
