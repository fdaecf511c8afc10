#include "modules/vraboteni/tvraboteni.h"

#include "frame/commands.h"
#include "kit/dbgrid.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "modules/vraboteni/tsvrabotenikorekcija.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "modules/vraboteni/tsvrabotenivnes.h"

const ModuleTraits& TVraboteni::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TVraboteni",
        34,
        35,
        36,
        {NoAnswer, answerTo(PartnerForOrderEntry), answerTo(PartnerForReceiptEntry), answerTo(PartnerForDispatchEntry),
         answerTo(PartnerForOrderEdit), answerTo(PartnerForDispatchEdit), answerTo(PartnerForReceiptEdit),
         answerTo(EmployeeForOrderEntry), answerTo(EmployeeForOrderEdit)},
        QStringLiteral("Vraboteni-Kreiraj Nov "),
        QStringLiteral("Vraboteni-Koregiraj "),
        QStringLiteral("Vraboteni-Lista "),
        QStringLiteral("Odberi Komintent"),
    };
    return traits;
}

TVraboteni::TVraboteni(frame::Host* host) : Module(Traits(), host) {}

void TVraboteni::KreirajVraboteniVnes(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSVraboteniVnes>(EntryForm);
    w->InitChild(form, Traits().entryCaption, 2);
    w->CommandCode = code;
}

void TVraboteni::KreirajVraboteniKorekcija(QObject*, QWidget* form, int code)
{
    auto* list = qobject_cast<TSListBase*>(commandList());
    const int id = list ? list->SelectedId() : -1;
    if (id == -1) {
        kit::messageBox(form, Traits().editWithoutSelection, QStringLiteral("Info"));
        return;
    }
    auto* w = makeWindow<TSVraboteniKorekcija>(EditForm);
    w->InitChild(form, Traits().editCaption, 2);
    w->CommandCode = code;
    w->LoadRecord(id);
}

void TVraboteni::KreirajVraboteniLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSVraboteniLista>(ListForm);
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajVraboteniNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajVraboteniKorekcija(nullptr); }); };
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&] { ProcVratiKomintent(nullptr, key, shift); });
    };
    // The code is set before the window shows, so the list is in its mode from the start.
    w->CommandCode = code;
    w->InitChild(form, Traits().listCaption, 2);
}

void TVraboteni::ProceduraKreirajVraboteniNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TVraboteni::ProceduraKreirajVraboteniKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TVraboteni::ProcVratiKomintent(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    // The employee list answers without asking for its caller: an answer to a window that
    // has gone is dropped by the main window, which closes the list all the same.
    if (TFormSrgBase* list = commandList();
        list && frame::requestsServedBy(frame::PickList::Employees).contains(list->CommandCode))
        SProccessingMessage(sender, activeChild(), list->CommandCode + 1);
    key = 0;
}
