#pragma once

#include "data/recordversion.h"
#include "modules/vraboteni/tsvrabotenifields.h"

// Edit of an employee: the entry window's boxes and the employee's id, shown read-only so
// that the update always writes the employee that was loaded.
class TSVraboteniKorekcija : public TSVraboteniFields {
    Q_OBJECT
public:
    explicit TSVraboteniKorekcija(QWidget* parent = nullptr);

    kit::Edit* Edit2 = nullptr; // id, read-only

    void LoadRecord(int id);
    // Writes the boxes back to the employee shown, then closes; when the employee was deleted
    // or changed elsewhere since it was loaded, writes nothing and stays open.
    void Button1Click();

private:
    data::RecordVersion m_version; // the employee as loaded
};
