#include "modules/pregledkomintent/tpregledkomintent.h"

#include "modules/pregledkomintent/tspregledkomintentlista.h"

const ModuleSpec& TPregledKomintent::Spec()
{
    static const ModuleSpec spec{
        "TPregledKomintent", 31, 32, 33, {32770}, QStringLiteral("PregledKomintent-Kreiraj Nov "),
        QStringLiteral("PregledKomintent-Koregiraj "), QStringLiteral("PregledKomintent-Lista "), QString(),
    };
    return spec;
}

TPregledKomintent::TPregledKomintent(TForm1* mainForm) : Module(Spec(), mainForm) {}

void TPregledKomintent::KreirajPregledKomintentVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentVnes>(EntryForm, form, Spec().entryCaption);
}

void TPregledKomintent::KreirajPregledKomintentKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentKorekcija>(EditForm, form, Spec().editCaption);
}

void TPregledKomintent::KreirajPregledKomintentLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledKomintentLista>(ListForm, form, Spec().listCaption);
}
