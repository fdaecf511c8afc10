#pragma once

#include "app/module.h"

// Module component of Faktura: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TFaktura : public Module {
    Q_OBJECT
public:
    explicit TFaktura(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
