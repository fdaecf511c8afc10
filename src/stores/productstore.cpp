#include "stores/productstore.h"

#include "stores/bounds.h"

namespace stores {

ProductStore::ProductStore(data::Database& db)
    // As with articles, the first product in an empty register gets code 0.
    : NumberedStore(db, {productsql::nextCode, productsql::codeExists, {}, {}, QStringLiteral("product code"), 0})
{
}

void ProductStore::insertComposition(int productId, const Product& product)
{
    Statement q(m_db, productsql::insertComposition);
    for (const Product::Part& part : product.composition)
        q.run({{QStringLiteral("a"), productId},
               {QStringLiteral("b"), part.article},
               {QStringLiteral("c"), part.quantity},
               {QStringLiteral("d"), 0}});
}

namespace {

void checkValues(const Product& product)
{
    bounds::requireName(product.name, QStringLiteral("product name"));
    bounds::requireName(product.unit, QStringLiteral("unit"));
    bounds::requirePrice(product.price, QStringLiteral("price"));
    bounds::requirePercent(product.taxRate, QStringLiteral("tax rate"));
    bounds::requirePercent(product.discount, QStringLiteral("discount"));
    for (const Product::Part& part : product.composition)
        bounds::requireQuantity(part.quantity, QStringLiteral("composition quantity"));
}

} // namespace

int ProductStore::saveNew(const Product& product)
{
    checkValues(product);
    return saveNumbered([&](int code) {
        Statement insert(m_db, productsql::insertProduct);
        insert.run({{QStringLiteral("a"), code},
                    {QStringLiteral("b"), product.name},
                    {QStringLiteral("c"), product.unit},
                    {QStringLiteral("d"), product.price},
                    {QStringLiteral("e"), product.taxRate},
                    {QStringLiteral("f"), product.discount}});
        insertComposition(insert.LastInsertId(), product);
    });
}

data::RecordVersion ProductStore::load(int id)
{
    data::RecordVersion version(productsql::versionHeader, {productsql::versionComposition});
    version.load(m_db, id);
    return version;
}

void ProductStore::update(int id, const data::RecordVersion& loaded, const Product& product)
{
    bounds::requireCode(product.code, QStringLiteral("product code"));
    checkValues(product);
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, QStringLiteral("product"), [&] {
        Statement(m_db, productsql::update)
            .run({{QStringLiteral("asif"), product.code},
                  {QStringLiteral("aprod"), product.name},
                  {QStringLiteral("aedm"), product.unit},
                  {QStringLiteral("acena"), product.price},
                  {QStringLiteral("atar"), product.taxRate},
                  {QStringLiteral("arab"), product.discount},
                  {QStringLiteral("aid"), id}});
        Statement(m_db, productsql::deleteComposition).run({{QStringLiteral("aid"), id}});
        insertComposition(id, product);
    });
}

} // namespace stores
