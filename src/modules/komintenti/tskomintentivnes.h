#pragma once

#include "modules/komintenti/tskomintentifields.h"

// Entry of a new company partner.
class TSKomintentiVnes : public TSKomintentiFields {
    Q_OBJECT
public:
    explicit TSKomintentiVnes(QWidget* parent = nullptr);

    // Inserts the partner and closes; a discount that is not a whole number stops it first.
    void Button1Click();
};
