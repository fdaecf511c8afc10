#include "modules/komintenti/tkomintenti.h"

#include "frame/commands.h"
#include "kit/dbgrid.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "modules/komintenti/tskomintentikorekcija.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/komintenti/tskomintentivnes.h"

const ModuleTraits& TKomintenti::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TKomintenti",
        4,
        5,
        6,
        {NoAnswer, answerTo(PartnerForOrderEntry), answerTo(PartnerForReceiptEntry), answerTo(PartnerForDispatchEntry),
         answerTo(PartnerForOrderEdit), answerTo(PartnerForDispatchEdit), answerTo(PartnerForReceiptEdit)},
        QStringLiteral("Company partner-create new "),
        QStringLiteral("Company partner-update "),
        QStringLiteral("Company partner-List "),
        QStringLiteral("Select company partner"),
    };
    return traits;
}

TKomintenti::TKomintenti(frame::Host* host) : Module(Traits(), host) {}

void TKomintenti::KreirajKomintentiVnes(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSKomintentiVnes>(EntryForm);
    w->InitChild(form, Traits().entryCaption, 2);
    w->CommandCode = code;
}

void TKomintenti::KreirajKomintentiKorekcija(QObject*, QWidget* form, int code)
{
    auto* list = qobject_cast<TSListBase*>(commandList());
    const int id = list ? list->SelectedId() : -1;
    if (id == -1) {
        kit::messageBox(form, Traits().editWithoutSelection, QStringLiteral("Info"));
        return;
    }
    auto* w = makeWindow<TSKomintentiKorekcija>(EditForm);
    w->InitChild(form, Traits().editCaption, 2);
    w->CommandCode = code;
    w->LoadRecord(id);
}

void TKomintenti::KreirajKomintentiLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSKomintentiLista>(ListForm);
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajKomintentiNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajKomintentiKorekcija(nullptr); }); };
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&] { ProcVratiKomintent(nullptr, key, shift); });
    };
    // The code is set before the window shows, so the list is in its mode from the start.
    w->CommandCode = code;
    w->InitChild(form, Traits().listCaption, 2);
}

void TKomintenti::ProceduraKreirajKomintentiNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TKomintenti::ProceduraKreirajKomintentiKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TKomintenti::ProcVratiKomintent(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    // The partner list answers without asking for its caller: an answer to a window that
    // has gone is dropped by the main window, which closes the list all the same.
    if (TFormSrgBase* list = commandList();
        list && frame::requestsServedBy(frame::PickList::Partners).contains(list->CommandCode))
        SProccessingMessage(sender, activeChild(), list->CommandCode + 1);
    key = 0;
}
