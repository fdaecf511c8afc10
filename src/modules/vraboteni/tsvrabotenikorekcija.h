#pragma once

#include "modules/vraboteni/tsvrabotenifields.h"

// Edit of an employee: the entry window's boxes and the employee's id, shown read-only so
// that the update always writes the employee that was loaded.
class TSVraboteniKorekcija : public TSVraboteniFields {
    Q_OBJECT
public:
    explicit TSVraboteniKorekcija(QWidget* parent = nullptr);

    kit::Edit* Edit2 = nullptr; // id, read-only

    void LoadRecord(int id);
    void Button1Click();
};
