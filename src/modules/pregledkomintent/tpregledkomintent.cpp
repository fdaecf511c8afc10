#include "modules/pregledkomintent/tpregledkomintent.h"

const ModuleSpec& TPregledKomintent::Spec()
{
    static const ModuleSpec spec{
        "TPregledKomintent", 31, 32, 33,
        {32770},
        QStringLiteral("PregledKomintent-Kreiraj Nov "),
        QStringLiteral("PregledKomintent-Koregiraj "),
        QStringLiteral("PregledKomintent-Lista "),
        QString(),
    };
    return spec;
}

TPregledKomintent::TPregledKomintent(TForm1* mainForm) : Module(Spec(), mainForm) {}
