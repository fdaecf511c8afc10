#include "modules/ispratnica/tispratnica.h"

const ModuleSpec& TIspratnica::Spec()
{
    static const ModuleSpec spec{
        "TIspratnica", 22, 23, 24,
        {32770, 32779, 32783, 32791, 32793, 32803, 32805, 32807, 32809},
        QStringLiteral("Goods dispatch-create new "),
        QStringLiteral("Goods dispatch-update "),
        QStringLiteral("Goods dispatch-list "),
        QString(),
    };
    return spec;
}

TIspratnica::TIspratnica(TForm1* mainForm) : Module(Spec(), mainForm) {}
