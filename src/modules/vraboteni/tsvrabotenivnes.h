#pragma once

#include "modules/vraboteni/tsvrabotenifields.h"

// Entry of a new employee.
class TSVraboteniVnes : public TSVraboteniFields {
    Q_OBJECT
public:
    explicit TSVraboteniVnes(QWidget* parent = nullptr);

    void Button1Click();
};
