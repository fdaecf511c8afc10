#include "modules/reportfinan/treportfinan.h"

#include "frame/commands.h"
#include "modules/reportfinan/tsreportfinanlista.h"

const ModuleTraits& TReportFinan::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TReportFinan",
        37,
        38,
        39,
        {NoAnswer},
        QStringLiteral("ReportFinan-Kreiraj Nov "),
        QStringLiteral("ReportFinan-Koregiraj "),
        QStringLiteral("ReportFinan-Lista "),
        QString(),
    };
    return traits;
}

TReportFinan::TReportFinan(frame::Host* host) : Module(Traits(), host) {}

void TReportFinan::KreirajReportFinanVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanVnes>(EntryForm, form, Traits().entryCaption);
}

void TReportFinan::KreirajReportFinanKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanKorekcija>(EditForm, form, Traits().editCaption);
}

void TReportFinan::KreirajReportFinanLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSReportFinanLista>(ListForm, form, Traits().listCaption);
}
