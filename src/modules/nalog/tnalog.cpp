#include "modules/nalog/tnalog.h"

const ModuleSpec& TNalog::Spec()
{
    static const ModuleSpec spec{
        "TNalog", 10, 11, 12,
        {32770, 32773, 32775, 32787, 32789, 32799, 32801},
        QStringLiteral("Nalog-Kreiraj Nov "),
        QStringLiteral("Nalog-Koregiraj "),
        QStringLiteral("Nalog-Lista "),
        QString(),
    };
    return spec;
}

TNalog::TNalog(TForm1* mainForm) : Module(Spec(), mainForm) {}
