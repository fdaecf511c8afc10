#pragma once

#include "app/module.h"

// Module component of PregledKomintent: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TPregledKomintent : public Module {
    Q_OBJECT
public:
    explicit TPregledKomintent(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
