#pragma once

#include "app/module.h"

// Module component of Priemnica: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TPriemnica : public Module {
    Q_OBJECT
public:
    explicit TPriemnica(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
