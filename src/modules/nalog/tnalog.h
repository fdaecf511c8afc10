#pragma once

#include "app/module.h"

// Module component of Nalog: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TNalog : public Module {
    Q_OBJECT
public:
    explicit TNalog(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
