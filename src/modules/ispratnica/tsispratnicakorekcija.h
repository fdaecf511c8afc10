#pragma once

#include "modules/documents/documenteditform.h"

// The goods dispatch edit window: loads a stored dispatch and saves it back in one
// transaction. The due date is kept as loaded; lines come from the stock list or a receipt.
class TSIspratnicaKorekcija : public DocumentEditForm {
    Q_OBJECT
public:
    explicit TSIspratnicaKorekcija(QWidget* parent = nullptr);

    int& DispatchId = DocumentId;

    // A dispatch with the number in `text` exists (throws on a number that is not an integer).
    bool ProveriPostoiIspratnica(const QString& text) { return numberExists(text); }
    // Delivery of the receipt list: its lines offered for import; -1 offers none.
    Q_INVOKABLE void VnesiPriemnicaID(int id) override { importReceipt(id); }
};
