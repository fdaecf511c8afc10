#pragma once

#include "modules/priemnica/receiptform.h"

// The goods receipt edit window: loads a stored receipt (number, partner, date, lines) and
// saves it back in one transaction: the header updated, the ledger rows written anew.
class TSPriemnicaKorekcija : public ReceiptForm {
    Q_OBJECT
public:
    explicit TSPriemnicaKorekcija(QWidget* parent = nullptr);

    int ReceiptId = 0;
    QString LoadedNumber; // the number as loaded; the duplicate check runs only on a change

    void PocetniVrednosti(int id);
    // A receipt with the number in the number field exists (throws on a number that is
    // not an integer).
    bool ProveriPostoiPriemnica(const QString& text);
    void MaskEdit2KeyDown(int& key, Qt::KeyboardModifiers shift);
    void MaskEdit2Exit();
    void BitBtn1Click() override;

protected:
    int lastTextColumn() const override { return 7; }
    bool keepsPriceAndTax() const override { return true; }

private:
    // The number was changed to one another receipt carries: the operator is told and the
    // focus goes back to the number. False also when the number is not an integer.
    bool numberAccepted();

    bool m_checking = false;
};
