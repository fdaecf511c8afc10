#include "modules/lagerlista/tlagerlista.h"

#include "frame/commands.h"
#include "kit/dbgrid.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "modules/lagerlista/tslagerlistaplaceholders.h"

const ModuleTraits& TLagerLista::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TLagerLista",
        25,
        26,
        27,
        {NoAnswer, answerTo(StockForDispatchEntry), answerTo(StockForDispatchEdit)},
        QStringLiteral("LagerLista-Kreiraj Nov "),
        QStringLiteral("LagerLista-Koregiraj "),
        QStringLiteral("LagerLista-Lista "),
        QString(),
    };
    return traits;
}

TLagerLista::TLagerLista(frame::Host* host) : Module(Traits(), host) {}

void TLagerLista::KreirajLagerListaVnes(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSLagerListaVnes>(EntryForm, form, Traits().entryCaption);
}

void TLagerLista::KreirajLagerListaKorekcija(QObject*, QWidget* form, int)
{
    openEmptyWindow<TSLagerListaKorekcija>(EditForm, form, Traits().editCaption);
}

void TLagerLista::KreirajLagerListaLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSLagerListaLista>(ListForm);
    w->CommandCode = code;
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&]() { ProceduraDBGrid1KeyDown(nullptr, key, shift); });
    };
    w->InitChild(form, Traits().listCaption, 2);
}

void TLagerLista::ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    // The list the Enter came from (a closed list is never consulted).
    if (TFormSrgBase* list = commandList(); list && list->CallerForm) {
        if (list->CommandCode == frame::cmd::StockForDispatchEntry)
            SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::StockForDispatchEntry));
        else if (list->CommandCode == frame::cmd::StockForDispatchEdit)
            SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::StockForDispatchEdit));
    }
    key = 0;
}
