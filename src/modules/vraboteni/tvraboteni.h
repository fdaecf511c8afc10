#pragma once

#include "app/module.h"

// Module component of Vraboteni: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TVraboteni : public Module {
    Q_OBJECT
public:
    explicit TVraboteni(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
