#pragma once

#include "app/module.h"

// Module component of LagerLista: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TLagerLista : public Module {
    Q_OBJECT
public:
    explicit TLagerLista(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
