#include "modules/pregledartikal/tpregledartikal.h"

#include "frame/commands.h"
#include "modules/pregledartikal/tspregledartikallista.h"

const ModuleTraits& TPregledArtikal::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TPregledArtikal",
        28,
        29,
        30,
        {NoAnswer},
        QStringLiteral("PregledArtikal-Kreiraj Nov "),
        QStringLiteral("PregledArtikal-Koregiraj "),
        QStringLiteral("PregledArtikal-Lista "),
        QString(),
    };
    return traits;
}

TPregledArtikal::TPregledArtikal(frame::Host* host) : Module(Traits(), host) {}

void TPregledArtikal::KreirajPregledArtikalVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalVnes>(EntryForm, form, Traits().entryCaption);
}

void TPregledArtikal::KreirajPregledArtikalKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalKorekcija>(EditForm, form, Traits().editCaption);
}

void TPregledArtikal::KreirajPregledArtikalLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalLista>(ListForm, form, Traits().listCaption);
}
