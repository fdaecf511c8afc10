#include "modules/pregledartikal/tpregledartikal.h"

#include "modules/pregledartikal/tspregledartikallista.h"

const ModuleSpec& TPregledArtikal::Spec()
{
    static const ModuleSpec spec{
        "TPregledArtikal", 28, 29, 30, {32770}, QStringLiteral("PregledArtikal-Kreiraj Nov "),
        QStringLiteral("PregledArtikal-Koregiraj "), QStringLiteral("PregledArtikal-Lista "), QString(),
    };
    return spec;
}

TPregledArtikal::TPregledArtikal(TForm1* mainForm) : Module(Spec(), mainForm) {}

void TPregledArtikal::KreirajPregledArtikalVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalVnes>(EntryForm, form, Spec().entryCaption);
}

void TPregledArtikal::KreirajPregledArtikalKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalKorekcija>(EditForm, form, Spec().editCaption);
}

void TPregledArtikal::KreirajPregledArtikalLista(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSPregledArtikalLista>(ListForm, form, Spec().listCaption);
}
