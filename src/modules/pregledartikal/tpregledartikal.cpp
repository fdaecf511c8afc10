#include "modules/pregledartikal/tpregledartikal.h"

const ModuleSpec& TPregledArtikal::Spec()
{
    static const ModuleSpec spec{
        "TPregledArtikal", 28, 29, 30,
        {32770},
        QStringLiteral("PregledArtikal-Kreiraj Nov "),
        QStringLiteral("PregledArtikal-Koregiraj "),
        QStringLiteral("PregledArtikal-Lista "),
        QString(),
    };
    return spec;
}

TPregledArtikal::TPregledArtikal(TForm1* mainForm) : Module(Spec(), mainForm) {}
