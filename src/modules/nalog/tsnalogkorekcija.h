#pragma once

#include "data/recordversion.h"
#include "frame/uniquenumber.h"
#include "modules/nalog/orderform.h"

// Edit window of a work order: number, partner, dates, employee and lines may all change;
// the save rewrites the header and replaces every ledger row of the order.
class TSNalogKorekcija : public OrderForm {
    Q_OBJECT
public:
    explicit TSNalogKorekcija(QWidget* parent = nullptr);

    int OrderId = 0;
    QString LoadedNumber;
    QString EmployeeIdText;
    QString EmployeeName;

    void LoadRecord(int id);
    Q_INVOKABLE void ReceiveEmployee(int id) override;
    // Whether an order has the number `text` (throws when it is not a whole number).
    bool ProveriPostoiNalog(const QString& text) { return m_number.exists(text); }
    void Edit1KeyDown(int& key, Qt::KeyboardModifiers) { m_number.keyDown(key); }
    void Edit1Exit() { m_number.exit(); }
    // "Koregiraj": header, deletion of the order's ledger rows and the new rows, in one
    // transaction; nothing when the order was deleted or changed elsewhere since it was
    // loaded.
    void BitBtn1Click() override;

protected:
    bool hasEmployee() const override { return !EmployeeIdText.isEmpty(); }
    void employeeTyped() override { EmployeeIdText.clear(); }

private:
    data::RecordVersion m_version; // the order as loaded
    frame::UniqueNumber m_number;  // the check of a changed number
};
