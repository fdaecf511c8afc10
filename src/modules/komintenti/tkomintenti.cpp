#include "modules/komintenti/tkomintenti.h"

const ModuleSpec& TKomintenti::Spec()
{
    static const ModuleSpec spec{
        "TKomintenti", 4, 5, 6,
        {32770, 32776, 32778, 32780, 32790, 32792, 32796},
        QStringLiteral("Company partner-create new "),
        QStringLiteral("Company partner-update "),
        QStringLiteral("Company partner-List "),
        QStringLiteral("Select company partner"),
    };
    return spec;
}

TKomintenti::TKomintenti(TForm1* mainForm) : Module(Spec(), mainForm) {}
