#include "modules/nalog/tnalog.h"

#include "frame/commands.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/menuitem.h"
#include "modules/nalog/tsnalogkorekcija.h"
#include "modules/nalog/tsnaloggraphic.h"
#include "modules/nalog/tsnaloglista.h"
#include "modules/nalog/tsnalogvnes.h"
#include "stores/workorderstore.h"

const ModuleTraits& TNalog::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TNalog",
        10,
        11,
        12,
        {NoAnswer, ProductForOrderEntry, PartnerForOrderEntry, ProductForOrderEdit, PartnerForOrderEdit,
         EmployeeForOrderEntry, EmployeeForOrderEdit},
        QStringLiteral("Nalog-Kreiraj Nov "),
        QStringLiteral("Nalog-Koregiraj "),
        QStringLiteral("Nalog-Lista "),
        QString(),
    };
    return traits;
}

TNalog::TNalog(frame::Host* host) : Module(Traits(), host) {}

TSNalogLista* TNalog::sourceList() const
{
    return qobject_cast<TSNalogLista*>(commandList());
}

void TNalog::KreirajNalogLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSNalogLista>(ListForm);
    w->CommandCode = code;
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajNalogNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajNalogKorekcija(nullptr); }); };
    w->Close2->OnClick = [this, w]() { fromList(w, [&] { MSNalogListaClose(nullptr); }); };
    w->InitChild(form, Traits().listCaption, 2);
}

void TNalog::KreirajNalogGraphic(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSNalogGraphic>(GraphicForm);
    w->CommandCode = code;
    w->InitChild(form, QStringLiteral("Nalog-Kreiraj Graficki prikaz "), 2);
}

void TNalog::KreirajNalogVnes(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSNalogVnes>(EntryForm);
    w->CommandCode = code;
    int newest = 0;
    if (TSNalogLista* list = sourceList()) {
        newest = list->LastOrderNumber();
    } else {
        // No work order list open: the newest order is looked up.
        newest = stores::WorkOrderStore(w->connection()).newestNumber();
    }
    w->Edit1->setText(QString::number(newest + 1));
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { ProcPovikajKomintent(nullptr, key, shift); };
    w->Edit3->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { ProcPovikajVraboten(nullptr, key, shift); };
    w->BitBtn2->OnClick = [this]() { MSNalogVnesVnesiProizvod(nullptr); };
    w->InitChild(form, Traits().entryCaption, 2);
}

void TNalog::KreirajNalogKorekcija(QObject*, QWidget* form, int code)
{
    // Without an order to edit (no list, an empty list) no window opens.
    TSNalogLista* list = sourceList();
    const int id = list ? list->SelectedId() : -1;
    if (id == -1)
        return;
    auto* w = makeWindow<TSNalogKorekcija>(EditForm);
    w->CommandCode = code;
    w->LoadRecord(id);
    w->BitBtn2->OnClick = [this]() { MSNalogKorekcijaVnesiProizvod(nullptr); };
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        ProcKoregirajPovikajKomintent(nullptr, key, shift);
    };
    w->Edit3->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        ProcKoregirajPovikajVraboten(nullptr, key, shift);
    };
    w->InitChild(form, Traits().editCaption, 2);
}

void TNalog::ProceduraKreirajNalogNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TNalog::ProceduraKreirajNalogKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TNalog::MSNalogListaClose(QObject*)
{
    if (TSNalogLista* list = sourceList())
        list->Close();
}

void TNalog::ProcPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForOrderEntry);
}

void TNalog::ProcPovikajVraboten(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::EmployeeForOrderEntry);
}

void TNalog::MSNalogVnesVnesiProizvod(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ProductForOrderEntry);
}

void TNalog::ProcKoregirajPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForOrderEdit);
}

void TNalog::ProcKoregirajPovikajVraboten(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::EmployeeForOrderEdit);
}

void TNalog::MSNalogKorekcijaVnesiProizvod(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ProductForOrderEdit);
}
