#pragma once

#include "modules/documents/documentform.h"

// The goods receipt entry window: partner, date and lines of a new receipt. "Save" writes
// the header and one ledger row per line in one transaction, numbered at that moment.
class TSPriemnicaVnes : public DocumentForm {
    Q_OBJECT
public:
    explicit TSPriemnicaVnes(QWidget* parent = nullptr);

    void BitBtn1Click() override { saveNew(); }
};
