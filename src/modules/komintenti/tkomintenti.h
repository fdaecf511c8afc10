#pragma once

#include "app/module.h"

// Module component of Komintenti: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TKomintenti : public Module {
    Q_OBJECT
public:
    explicit TKomintenti(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
