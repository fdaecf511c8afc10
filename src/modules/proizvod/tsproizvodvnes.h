#pragma once

#include "modules/proizvod/productform.h"

// Entry window of a new product: the code is assigned when the product is saved.
class TSProizvodVnes : public ProductForm {
    Q_OBJECT
public:
    explicit TSProizvodVnes(QWidget* parent = nullptr);

    // "Vnesi": the product with a new code and its composition, in one transaction.
    void BitBtn3Click() override;
};
