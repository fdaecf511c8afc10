#include "modules/vraboteni/tvraboteni.h"

const ModuleSpec& TVraboteni::Spec()
{
    static const ModuleSpec spec{
        "TVraboteni", 34, 35, 36,
        {32770, 32776, 32778, 32780, 32790, 32792, 32796, 32800, 32802},
        QStringLiteral("Vraboteni-Kreiraj Nov "),
        QStringLiteral("Vraboteni-Koregiraj "),
        QStringLiteral("Vraboteni-Lista "),
        QStringLiteral("Odberi Komintent"),
    };
    return spec;
}

TVraboteni::TVraboteni(TForm1* mainForm) : Module(Spec(), mainForm) {}
