#pragma once

#include "frame/printdispatch.h"
#include "modules/priemnica/documentlist.h"

// The goods receipt list (light red panel). Also opened by the dispatch windows to pick
// the receipt whose lines they import.
class TSPriemnicaLista : public DocumentList, public app::Printable {
    Q_OBJECT
    Q_INTERFACES(app::Printable)
public:
    explicit TSPriemnicaLista(QWidget* parent = nullptr);

    app::PrintReport printReport() const override;
    app::PrintSource printSource() const override;

    // The number of the newest receipt at the last refresh; 0 when there is none.
    int LastReceiptNumber() const { return lastNumber(); }
    // Asks, then removes the current receipt with its ledger rows.
    void BrisiPriemnica() { deleteCurrent(); }
};
