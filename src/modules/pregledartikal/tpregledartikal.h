#pragma once

#include "app/module.h"

// Module component of PregledArtikal: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TPregledArtikal : public Module {
    Q_OBJECT
public:
    explicit TPregledArtikal(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
