#include "stores/productstore.h"

#include "data/database.h"
#include "data/query.h"
#include "stores/statement.h"

namespace stores {

int ProductStore::nextCode()
{
    // Over an empty register the maximum counts as 0, so the first product gets code 1.
    return nextNumber(m_db, productsql::nextCode, QStringLiteral("product code"));
}

bool ProductStore::codeExists(int code)
{
    return anyRowFor(m_db, productsql::codeExists, code);
}

void ProductStore::insertComposition(int productId, const Product& product)
{
    Statement q(m_db, productsql::insertComposition);
    for (const Product::Part& part : product.composition) {
        q.ParamByName(QStringLiteral("a")).AsInteger(productId);
        q.ParamByName(QStringLiteral("b")).AsInteger(part.article);
        q.ParamByName(QStringLiteral("c")).AsFloat(part.quantity);
        q.ParamByName(QStringLiteral("d")).AsInteger(0);
        q.ExecSQL();
    }
}

int ProductStore::saveNew(const Product& product)
{
    int code = 0;
    // The code is taken inside the transaction; when another workstation took it meanwhile,
    // the save runs again with the next one.
    data::runSave(m_db, [&]() {
        code = nextCode();
        Statement insert(m_db, productsql::insertProduct);
        insert.ParamByName(QStringLiteral("a")).AsInteger(code);
        insert.ParamByName(QStringLiteral("b")).AsString(product.name);
        insert.ParamByName(QStringLiteral("c")).AsString(product.unit);
        insert.ParamByName(QStringLiteral("d")).AsFloat(product.price);
        insert.ParamByName(QStringLiteral("e")).AsFloat(product.taxRate);
        insert.ParamByName(QStringLiteral("f")).AsFloat(product.discount);
        insert.ExecSQL();
        insertComposition(insert.LastInsertId(), product);
    });
    return code;
}

data::RecordVersion ProductStore::load(int id)
{
    data::RecordVersion version(productsql::versionHeader, {productsql::versionComposition});
    version.load(m_db, id);
    return version;
}

void ProductStore::update(int id, const data::RecordVersion& loaded, const Product& product)
{
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, QStringLiteral("product"), [&] {
        Statement q(m_db, productsql::update);
        q.ParamByName(QStringLiteral("asif")).AsInteger(product.code);
        q.ParamByName(QStringLiteral("aprod")).AsString(product.name);
        q.ParamByName(QStringLiteral("aedm")).AsString(product.unit);
        q.ParamByName(QStringLiteral("acena")).AsFloat(product.price);
        q.ParamByName(QStringLiteral("atar")).AsFloat(product.taxRate);
        q.ParamByName(QStringLiteral("arab")).AsFloat(product.discount);
        q.ParamByName(QStringLiteral("aid")).AsInteger(id);
        q.ExecSQL();

        Statement composition(m_db, productsql::deleteComposition);
        composition.ParamByName(QStringLiteral("aid")).AsInteger(id);
        composition.ExecSQL();

        insertComposition(id, product);
    });
}

} // namespace stores
