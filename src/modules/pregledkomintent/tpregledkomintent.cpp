#include "modules/pregledkomintent/tpregledkomintent.h"

#include "frame/commands.h"
#include "modules/pregledkomintent/tspregledkomintentlista.h"

const ModuleTraits& TPregledKomintent::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TPregledKomintent",
        31,
        32,
        33,
        {NoAnswer},
        QStringLiteral("PregledKomintent-Kreiraj Nov "),
        QStringLiteral("PregledKomintent-Koregiraj "),
        QStringLiteral("PregledKomintent-Lista "),
        QString(),
    };
    return traits;
}

TPregledKomintent::TPregledKomintent(frame::Host* host) : Module(Traits(), host) {}

void TPregledKomintent::KreirajPregledKomintentVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentVnes>(EntryForm, form, Traits().entryCaption);
}

void TPregledKomintent::KreirajPregledKomintentKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentKorekcija>(EditForm, form, Traits().editCaption);
}

void TPregledKomintent::KreirajPregledKomintentLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentLista>(ListForm, form, Traits().listCaption);
}
