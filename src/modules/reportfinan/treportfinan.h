#pragma once

#include "app/module.h"

// Module component of ReportFinan: its windows arrive with the work that builds them; until then
// its create codes open nothing.
class TReportFinan : public Module {
    Q_OBJECT
public:
    explicit TReportFinan(TForm1* mainForm);

    static const ModuleSpec& Spec();
};
