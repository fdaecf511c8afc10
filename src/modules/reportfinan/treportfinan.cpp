#include "modules/reportfinan/treportfinan.h"

#include "modules/reportfinan/tsreportfinanlista.h"

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

void TReportFinan::KreirajReportFinanVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanVnes>(EntryForm, form, Spec().entryCaption);
}

void TReportFinan::KreirajReportFinanKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanKorekcija>(EditForm, form, Spec().editCaption);
}

void TReportFinan::KreirajReportFinanLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanLista>(ListForm, form, Spec().listCaption);
}
