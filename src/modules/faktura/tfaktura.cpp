#include "modules/faktura/tfaktura.h"

#include "frame/commands.h"
#include "kit/menuitem.h"
#include "modules/faktura/tsfaktura.h"

const ModuleTraits& TFaktura::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TFaktura",
        16,
        17,
        18,
        {NoAnswer},
        QStringLiteral("Faktura-Kreiraj Nov "),
        QStringLiteral("Faktura-Koregiraj "),
        QStringLiteral("Faktura-Lista "),
        QString(),
    };
    return traits;
}

TFaktura::TFaktura(frame::Host* host) : Module(Traits(), host) {}

void TFaktura::KreirajFakturaVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSFakturaVnes>(EntryForm, form, Traits().entryCaption);
}

void TFaktura::KreirajFakturaKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSFakturaKorekcija>(EditForm, form, Traits().editCaption);
}

void TFaktura::KreirajFakturaLista(QObject*, QWidget* form, int)
{
    auto* w = makeWindow<TSFakturaLista>(ListForm);
    w->Nov1->OnClick = [this]() { ProceduraKreirajFakturaNov(nullptr); };
    w->Korekcija1->OnClick = [this]() { ProceduraKreirajFakturaKorekcija(nullptr); };
    w->InitChild(form, Traits().listCaption, 2);
}

void TFaktura::ProceduraKreirajFakturaNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TFaktura::ProceduraKreirajFakturaKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}
