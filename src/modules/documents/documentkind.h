#pragma once

#include "stores/documentstore.h"

#include <QString>
#include <QStringList>

// What tells a goods receipt window from a goods dispatch window: the document as its store
// keeps it (ledger kind and side, numbering and saving), the statements that load it and the
// texts. The windows themselves share everything else.
struct DocumentKind {
    const stores::DocumentStatements& statements;
    // Quantities go out; due date and receipt import present.
    bool dispatch() const { return statements.dispatch; }

    // Captions.
    QString entryNumberCaption;
    QString editNumberCaption;
    QString partnerCaption;
    QString dateCaption;
    QString saveCaptionEntry;
    QString saveCaptionEdit;
    QStringList addedLineHeader;  // row 0 once a line has been added
    QStringList loadedLineHeader; // row 0 right after loading a stored document

    // Statements that load a document into the windows.
    QString partnerById;
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
};
