#pragma once

#include "modules/documents/documentkind.h"
#include "stores/receiptreads.h"

#include <QString>
#include <QStringList>

// The texts of the goods receipt windows; their statements are the store's
// (stores::receipts(), stores::receiptreads).
namespace priemnica {

// The receipt windows' kind: 'P' rows, quantities in.
inline const DocumentKind& kind()
{
    static const DocumentKind k{
        stores::receipts(),
        QStringLiteral("GoodsReceipt ID"),
        QStringLiteral("Goods Receipt ID"),
        QStringLiteral("Company Partner"),
        QStringLiteral("Date (YYYY.-MM.-DD)"),
        QStringLiteral("Save"),
        QStringLiteral("Update"),
        {QStringLiteral("No."), QStringLiteral("Product No."), QStringLiteral("Product Name"), QStringLiteral("Unit"),
         QStringLiteral("Quantity")},
        {QStringLiteral("Br."), QStringLiteral("Katalog Br."), QStringLiteral("Artikal"), QStringLiteral("Edm"),
         QStringLiteral("Vlez_Kol."), QStringLiteral("Izlez_Kol.")},
        stores::receiptreads::partnerById(),
        stores::receiptreads::editHeader(),
        stores::receiptreads::headerOnly(),
        stores::receiptreads::editLines(),
        stores::receiptreads::editPartner(),
        QStringLiteral("Please, fill all fields!!!"),
        QStringLiteral("Goods Receipt,successful entered!!!"),
        QStringLiteral("Goods Receipt,is not entered !!!"),
        QStringLiteral("Fill all entry fields!!!"),
        QStringLiteral("Goods receipt,successful updated !!!"),
        QStringLiteral("Goods receipt, not updated !!!"),
        QStringLiteral("Exist goods receipt with the same receipt_id"),
    };
    return k;
}

} // namespace priemnica
