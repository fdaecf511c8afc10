#include "modules/proizvod/tproizvod.h"

const ModuleSpec& TProizvod::Spec()
{
    static const ModuleSpec spec{
        "TProizvod", 13, 14, 15,
        {32770, 32771, 32774, 32784, 32785, 32788, 32794},
        QStringLiteral("Proizvod-Kreiraj Nov "),
        QStringLiteral("Proizvod-Koregiraj "),
        QStringLiteral("Proizvod-Lista "),
        QStringLiteral("Odberi Proizvod"),
    };
    return spec;
}

TProizvod::TProizvod(TForm1* mainForm) : Module(Spec(), mainForm) {}
