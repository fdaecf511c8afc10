#pragma once

#include "modules/documents/documentkind.h"
#include "modules/documents/documentlist.h"
#include "stores/dispatchreads.h"

#include <QString>
#include <QStringList>

// The texts of the goods dispatch windows; their statements are the store's
// (stores::dispatches(), stores::dispatchreads).
namespace ispratnica {

// The dispatch windows' kind: 'I' rows, quantities out, a due date, receipt lines imported.
inline const DocumentKind& kind()
{
    static const DocumentKind k{
        stores::dispatches(),
        QStringLiteral("Goods Dispatch No"),
        QStringLiteral("Goods Dispatch No."),
        QStringLiteral("Customer-Company"),
        QStringLiteral("Date (God.-Mes.-Den)"),
        QStringLiteral("Save"),
        QStringLiteral("Update"),
        {QStringLiteral("No."), QStringLiteral("Product No."), QStringLiteral("Product"), QStringLiteral("Unit"),
         QStringLiteral("Quantity")},
        {QStringLiteral("No."), QStringLiteral("Product No."), QStringLiteral("Product"), QStringLiteral("Unit"),
         QStringLiteral("Quantity.")},
        stores::dispatchreads::partnerById(),
        stores::dispatchreads::editHeader(),
        stores::dispatchreads::headerOnly(),
        stores::dispatchreads::editLines(),
        stores::dispatchreads::editPartner(),
        QStringLiteral("Fill all entry fields !!!"),
        QStringLiteral("Goods dispatch, successful entered !!!"),
        QStringLiteral("Goods dispatch, not entered !!!"),
        QStringLiteral("Fill all entry fields!!!"),
        QStringLiteral("Goods dispatch, successful updated !!!"),
        QStringLiteral("Goods dispatch, not updated !!!"),
        QStringLiteral("Exist goods dispatch with the same ID"),
    };
    return k;
}

// The dispatch list: headers newest first, the lines of the current header beside them.
inline const DocumentListKind& listKind()
{
    static const DocumentListKind k{
        TSListBase::Captions::Macedonian,
        stores::dispatchreads::listHeadersPaged(),
        stores::dispatchreads::listLines(),
        stores::dispatches(),
        QStringLiteral("DELETE ,GOOD DISPATCH !!!"),
        QStringLiteral("ispratnica_id"),
        QStringLiteral("Goods Dispatch"),
        QColor(196, 255, 196),
        QColor(128, 255, 128),
        {
            {QStringLiteral("Goods dispatch No."), false, QStringLiteral("ispratnica_id"), 120},
            {QStringLiteral("Date"), false, QStringLiteral("datum"), 120},
            {QStringLiteral("Valuta"), false, QStringLiteral("datum_valuta"), 120},
            {QStringLiteral("Customer-Company"), true, QStringLiteral("naziv"), 360},
            {QStringLiteral("Address"), true, QStringLiteral("adresa"), 360},
            {QStringLiteral("Zip, City, State"), true, QStringLiteral("grad"), 360},
        },
        QStringLiteral("izlez_kol"),
        QStringLiteral("This goods dispatch was already deleted on another workstation. The list now shows what is "
                       "stored."),
        stores::dispatchreads::listPageRows,
    };
    return k;
}

} // namespace ispratnica
