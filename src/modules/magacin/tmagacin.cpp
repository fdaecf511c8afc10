#include "modules/magacin/tmagacin.h"

#include "frame/commands.h"
#include "kit/menuitem.h"
#include "modules/magacin/tsmagacin.h"

const ModuleTraits& TMagacin::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TMagacin",
        7,
        8,
        9,
        {NoAnswer},
        QStringLiteral("Duredir-Kreiraj Nov "),
        QStringLiteral("Duredir-Koregiraj "),
        QStringLiteral("Duredir-Lista "),
        QString(),
    };
    return traits;
}

TMagacin::TMagacin(frame::Host* host) : Module(Traits(), host) {}

void TMagacin::KreirajMagacinVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSMagacinVnes>(EntryForm, form, Traits().entryCaption);
}

void TMagacin::KreirajMagacinKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSMagacinKorekcija>(EditForm, form, Traits().editCaption);
}

void TMagacin::KreirajMagacinLista(QObject*, QWidget* form, int)
{
    auto* w = makeWindow<TSMagacinLista>(ListForm);
    w->Nov1->OnClick = [this]() { ProceduraKreirajMagacinNov(nullptr); };
    w->Korekcija1->OnClick = [this]() { ProceduraKreirajMagacinKorekcija(nullptr); };
    w->InitChild(form, Traits().listCaption, 2);
}

void TMagacin::ProceduraKreirajMagacinNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TMagacin::ProceduraKreirajMagacinKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}
