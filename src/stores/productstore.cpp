#include "stores/productstore.h"

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

int ProductStore::saveNew(const Product& product)
{
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
