#pragma once

#include "frame/printdispatch.h"
#include "modules/documents/documentlist.h"

// The goods dispatch list (light green panel, the due date shown). While one of its
// dispatches is being printed it does not refresh on activation, so the current dispatch
// stays put under the confirmation and the preview.
class TSIspratnicaLista : public DocumentList, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
    Q_PROPERTY(bool Printing READ Printing WRITE setPrinting)
public:
    explicit TSIspratnicaLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    bool Printing() const { return m_printing; }
    void setPrinting(bool printing) override { m_printing = printing; }

    // The number of the newest dispatch at the last refresh; 0 when there is none.
    int LastDispatchNumber() const { return lastNumber(); }
    // Asks, then removes the current dispatch with its ledger rows (the stock comes back).
    void BrisiIspratnica() { deleteCurrent(); }

protected:
    bool refreshOnActivate() const override { return !m_printing; }

private:
    bool m_printing = false;
};
