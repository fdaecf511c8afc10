#pragma once

#include "app/module.h"

// Module component of Proizvod: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TProizvod : public Module {
    Q_OBJECT
public:
    explicit TProizvod(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
