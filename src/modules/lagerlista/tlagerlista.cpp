#include "modules/lagerlista/tlagerlista.h"

const ModuleSpec& TLagerLista::Spec()
{
    static const ModuleSpec spec{
        "TLagerLista", 25, 26, 27,
        {32770, 32804, 32806},
        QStringLiteral("LagerLista-Kreiraj Nov "),
        QStringLiteral("LagerLista-Koregiraj "),
        QStringLiteral("LagerLista-Lista "),
        QString(),
    };
    return spec;
}

TLagerLista::TLagerLista(TForm1* mainForm) : Module(Spec(), mainForm) {}
