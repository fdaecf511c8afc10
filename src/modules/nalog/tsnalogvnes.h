#pragma once

#include "modules/nalog/orderform.h"

// Entry window of a new work order. The order gets its number when it is saved.
class TSNalogVnes : public OrderForm {
    Q_OBJECT
public:
    explicit TSNalogVnes(QWidget* parent = nullptr);

    int EmployeeId = 0;

    Q_INVOKABLE void ReceiveEmployee(int id) override;
    // "Vnesi": the order, its product ledger rows and its article ledger rows, in one
    // transaction.
    void BitBtn1Click() override;

protected:
    bool hasEmployee() const override { return EmployeeId != 0; }
    void employeeTyped() override { EmployeeId = 0; }
};
