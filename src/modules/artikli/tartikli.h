#pragma once

#include "app/module.h"

// Module component of Artikli: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TArtikli : public Module {
    Q_OBJECT
public:
    explicit TArtikli(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
