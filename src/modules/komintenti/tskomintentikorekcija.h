#pragma once

#include "modules/komintenti/tskomintentifields.h"

// Edit of a company partner: the entry window's boxes and the partner's id, which cannot be
// changed.
class TSKomintentiKorekcija : public TSKomintentiFields {
    Q_OBJECT
public:
    explicit TSKomintentiKorekcija(QWidget* parent = nullptr);

    kit::Edit* Edit2 = nullptr; // id, disabled

    void LoadRecord(int id);
    // Writes the 13 fields back to the partner whose id is shown, then closes.
    void Button1Click();
};
