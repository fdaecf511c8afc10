#pragma once

#include "frame/printdispatch.h"
#include "modules/documents/documentlist.h"

// The goods receipt list (light red panel). Also opened by the dispatch windows to pick
// the receipt whose lines they import.
class TSPriemnicaLista : public DocumentList, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
public:
    explicit TSPriemnicaLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    // The number of the newest receipt at the last refresh; 0 when there is none.
    int LastReceiptNumber() const { return lastNumber(); }
    // Asks, then removes the current receipt with its ledger rows.
    void BrisiPriemnica() { deleteCurrent(); }
};
