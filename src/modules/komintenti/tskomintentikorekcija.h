#pragma once

#include "data/recordversion.h"
#include "modules/komintenti/tskomintentifields.h"

// Edit of a company partner: the entry window's boxes and the partner's id, which cannot be
// changed.
class TSKomintentiKorekcija : public TSKomintentiFields {
    Q_OBJECT
public:
    explicit TSKomintentiKorekcija(QWidget* parent = nullptr);

    kit::Edit* Edit2 = nullptr; // id, disabled

    void LoadRecord(int id);
    // Writes the 13 fields back to the partner whose id is shown, then closes; when the
    // partner was deleted or changed elsewhere since it was loaded, writes nothing and stays
    // open.
    void Button1Click();

private:
    data::RecordVersion m_version; // the partner as loaded
};
