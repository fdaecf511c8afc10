#pragma once

#include "data/recordversion.h"
#include "frame/uniquenumber.h"
#include "modules/proizvod/productform.h"

// Edit window of a product. While a work order uses the product its composition stays as it
// is (Add and Delete are off); code, name, unit, price, tax rate and discount stay editable.
class TSProizvodKorekcija : public ProductForm {
    Q_OBJECT
public:
    explicit TSProizvodKorekcija(QWidget* parent = nullptr);

    kit::Label* Label7 = nullptr; // notice of the restricted edit

    int ProductId = 0;
    QString LoadedCode;

    void LoadRecord(int id);
    // True when no work order line uses the product; otherwise the operator is warned.
    bool CheckProductNotUsed();
    // Whether another product has the code `text` (throws when it is not a whole number).
    bool ProveriPostoiProizvod(const QString& text) { return m_code.exists(text); }
    void MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers) { m_code.keyDown(key); }
    // Checks only on a move to another control of this window; switching windows is no answer.
    void MaskEdit1Exit() { m_code.exit(); }

    // "Koregiraj": the product and its composition, in one transaction; nothing when the
    // product was deleted or changed elsewhere since it was loaded.
    void BitBtn3Click() override;

private:
    data::RecordVersion m_version; // the product as loaded
    frame::UniqueNumber m_code;    // the check of a changed code
};
