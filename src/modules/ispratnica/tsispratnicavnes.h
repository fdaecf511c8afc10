#pragma once

#include "modules/documents/documentform.h"

// The goods dispatch entry window: customer, date, hidden due date (the day the window was
// opened) and lines, taken from the stock list (within the balance) or imported from a
// goods receipt. "Save" writes the header and one 'I' ledger row per line in one
// transaction, numbered at that moment.
class TSIspratnicaVnes : public DocumentForm {
    Q_OBJECT
public:
    explicit TSIspratnicaVnes(QWidget* parent = nullptr);

    // Delivery of the receipt list: its lines offered for import; -1 offers none.
    Q_INVOKABLE void VnesiPriemnicaID(int id) override { importReceipt(id); }
    void BitBtn1Click() override { saveNew(); }
};
