#pragma once

#include "app/module.h"

// Module component of Ispratnica: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TIspratnica : public Module {
    Q_OBJECT
public:
    explicit TIspratnica(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
