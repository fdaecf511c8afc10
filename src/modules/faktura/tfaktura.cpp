#include "modules/faktura/tfaktura.h"

const ModuleSpec& TFaktura::Spec()
{
    static const ModuleSpec spec{
        "TFaktura", 16, 17, 18,
        {32770},
        QStringLiteral("Faktura-Kreiraj Nov "),
        QStringLiteral("Faktura-Koregiraj "),
        QStringLiteral("Faktura-Lista "),
        QString(),
    };
    return spec;
}

TFaktura::TFaktura(TForm1* mainForm) : Module(Spec(), mainForm) {}
