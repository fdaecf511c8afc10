#pragma once

#include <QString>
#include <QStringList>

// What tells a goods receipt window from a goods dispatch window: the ledger kind and side
// of its lines, its statements and its texts. The windows themselves share everything else.
struct DocumentKind {
    QString vid;          // ledger document kind: "P" (receipt) or "I" (dispatch)
    bool dispatch;        // quantities go out; due date and receipt import present
    QString numberField;  // priemnica_id / ispratnica_id
    QString labelParam;   // parameter of the ledger label in insertLine (a9 / a11)

    // Captions.
    QString entryNumberCaption;
    QString editNumberCaption;
    QString partnerCaption;
    QString dateCaption;
    QString saveCaptionEntry;
    QString saveCaptionEdit;
    QStringList addedLineHeader;  // row 0 once a line has been added
    QStringList loadedLineHeader; // row 0 right after loading a stored document

    // Statements.
    QString partnerById;
    QString nextNumber;   // yields m_max
    QString insertHeader; // a1 number, a2 date (, a3 due date)
    QString insertLine;
    QString updateHeader; // a1 number, a2 date (, a4 due date), aid key
    QString deleteLines;  // aid key
    QString numberExists; // a number
    QStringList editHeader;
    QString headerOnly;
    QString editLines;
    QString editPartner;

    // Messages.
    QString entryIncomplete;
    QString entrySaved;
    QString entryFailed;
    QString editIncomplete;
    QString editSaved;
    QString editFailed;
    QString duplicateNumber;

    // The document as the operator names it, and its header table.
    QString recordName() const { return dispatch ? QStringLiteral("goods dispatch") : QStringLiteral("goods receipt"); }
    QString headerTable() const { return dispatch ? QStringLiteral("ispratnici") : QStringLiteral("priemnici"); }
    // The stored document as a whole: its header and its ledger rows, for the check that
    // nobody else changed it between loading and saving.
    QString versionHeader() const { return QStringLiteral("select * from %1 where id=:id").arg(headerTable()); }
    QString versionLines() const
    {
        // No order: the ledger of articles need not have a key column to order by.
        return QStringLiteral("select * from magacin_artikli where document_id=:id and vid_dokument='%1'")
            .arg(vid);
    }

    // The ledger column holding a line's quantity.
    QString quantityField() const { return dispatch ? QStringLiteral("izlez_kol") : QStringLiteral("vlez_kol"); }
};
