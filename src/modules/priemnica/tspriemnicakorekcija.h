#pragma once

#include "modules/documents/documenteditform.h"

// The goods receipt edit window: loads a stored receipt (number, partner, date, lines) and
// saves it back in one transaction: the header updated, the ledger rows written anew.
class TSPriemnicaKorekcija : public DocumentEditForm {
    Q_OBJECT
public:
    explicit TSPriemnicaKorekcija(QWidget* parent = nullptr);

    int& ReceiptId = DocumentId;

    // A receipt with the number in the number field exists (throws on a number that is
    // not an integer).
    bool ProveriPostoiPriemnica(const QString& text) { return numberExists(text); }
};
