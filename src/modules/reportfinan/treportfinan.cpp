#include "modules/reportfinan/treportfinan.h"

const ModuleSpec& TReportFinan::Spec()
{
    static const ModuleSpec spec{
        "TReportFinan", 37, 38, 39,
        {32770},
        QStringLiteral("ReportFinan-Kreiraj Nov "),
        QStringLiteral("ReportFinan-Koregiraj "),
        QStringLiteral("ReportFinan-Lista "),
        QString(),
    };
    return spec;
}

TReportFinan::TReportFinan(TForm1* mainForm) : Module(Spec(), mainForm) {}
