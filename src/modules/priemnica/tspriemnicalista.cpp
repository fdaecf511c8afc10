#include "modules/priemnica/tspriemnicalista.h"

#include "stores/receiptreads.h"

namespace {

const DocumentListKind& listKind()
{
    static const DocumentListKind kind{
        TSListBase::Captions::English,
        stores::receiptreads::listHeadersPaged(),
        stores::receiptreads::listLines(),
        stores::receipts(),
        QStringLiteral("DELETE -GOODS RECEIPT !!!"),
        QStringLiteral("priemnica_id"),
        QStringLiteral("Goods_receipt_id"),
        QColor(),
        QColor(255, 128, 128),
        {
            {QStringLiteral("Goods receipt ID"), false, QStringLiteral("priemnica_id"), 120},
            {QStringLiteral("Date"), false, QStringLiteral("datum"), 120},
            {QStringLiteral("Company Partner"), true, QStringLiteral("naziv"), 360},
            {QStringLiteral("Address"), true, QStringLiteral("adresa"), 360},
            {QStringLiteral("Zip , City ,State"), true, QStringLiteral("grad"), 360},
        },
        QStringLiteral("vlez_kol"),
        QStringLiteral("This goods receipt was already deleted on another workstation. The list now shows what is "
                       "stored."),
        stores::receiptreads::listPageRows,
    };
    return kind;
}

} // namespace

TSPriemnicaLista::TSPriemnicaLista(QWidget* parent) : DocumentList(listKind(), parent)
{
    setObjectName(QStringLiteral("SPriemnicaLista"));
}

frame::PrintReport TSPriemnicaLista::printReport() const
{
    return frame::PrintReport::Receipts;
}

frame::PrintSource TSPriemnicaLista::printSource() const
{
    return {Query1, Query2};
}
