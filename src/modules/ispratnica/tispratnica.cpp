#include "modules/ispratnica/tispratnica.h"

#include "frame/commands.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "modules/ispratnica/tsispratnicakorekcija.h"
#include "stores/documentstore.h"
#include "modules/ispratnica/tsispratnicalista.h"
#include "modules/ispratnica/tsispratnicavnes.h"

const ModuleTraits& TIspratnica::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TIspratnica",
        22,
        23,
        24,
        {NoAnswer, PartnerForDispatchEntry, ArticleForDispatchEntry, PartnerForDispatchEdit, ArticleForDispatchEdit,
         StockForDispatchEntry, StockForDispatchEdit, ReceiptForDispatchEntry, ReceiptForDispatchEdit},
        QStringLiteral("Goods dispatch-create new "),
        QStringLiteral("Goods dispatch-update "),
        QStringLiteral("Goods dispatch-list "),
        QString(),
    };
    return traits;
}

TIspratnica::TIspratnica(frame::Host* host) : Module(Traits(), host) {}

TSIspratnicaLista* TIspratnica::sourceList() const
{
    return qobject_cast<TSIspratnicaLista*>(commandList());
}

void TIspratnica::KreirajIspratnicaLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSIspratnicaLista>(ListForm);
    w->CommandCode = code;
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajIspratnicaNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajIspratnicaKorekcija(nullptr); }); };
    w->Del1->OnClick = [this, w]() { fromList(w, [&] { ProceduraBrisiIspratnica(nullptr); }); };
    w->InitChild(form, Traits().listCaption, 2);
}

void TIspratnica::KreirajIspratnicaVnes(QObject*, QWidget* form, int)
{
    auto* w = makeWindow<TSIspratnicaVnes>(EntryForm);
    // The newest number as the list noted it, or looked up when no list is open.
    const int newest = DocumentList::newestNumber(sourceList(), w->connection(), stores::dispatches());
    w->MaskEdit2->setText(QString::number(qint64(newest) + 1)); // no wrap past the largest number
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { ProcPovikajKomintent(nullptr, key, shift); };
    w->BitBtn4->OnClick = [this]() { ProcVnesPovikajPriemniciLista(nullptr); };
    w->BitBtn2->OnClick = [this]() { ProcVnesPovikajLagerLista(nullptr); };
    w->InitChild(form, Traits().entryCaption, 2);
}

void TIspratnica::KreirajIspratnicaKorekcija(QObject*, QWidget* form, int)
{
    // Without a dispatch to edit (no list, an empty list) there is nothing to open: an edit
    // window on no dispatch would write its lines under a header that does not exist.
    TSIspratnicaLista* list = sourceList();
    const int id = list ? list->SelectedId() : -1;
    if (id == -1)
        return;
    auto* w = makeWindow<TSIspratnicaKorekcija>(EditForm);
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        ProcKorekcijaPovikajKomintent(nullptr, key, shift);
    };
    w->BitBtn4->OnClick = [this]() { ProcKorekcijaPovikajPriemniciLista(nullptr); };
    w->BitBtn2->OnClick = [this]() { ProcKorekcijaPovikajLagerLista(nullptr); };
    w->PocetniVrednosti(id);
    w->InitChild(form, Traits().editCaption, 2);
}

void TIspratnica::ProceduraKreirajIspratnicaNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TIspratnica::ProceduraKreirajIspratnicaKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TIspratnica::ProceduraBrisiIspratnica(QObject*)
{
    if (TSIspratnicaLista* list = sourceList())
        list->BrisiIspratnica();
}

void TIspratnica::ProcPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForDispatchEntry);
}

void TIspratnica::ProcVnesPovikajLagerLista(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::StockForDispatchEntry);
}

void TIspratnica::ProcVnesPovikajPriemniciLista(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ReceiptForDispatchEntry);
}

void TIspratnica::ProcKorekcijaPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForDispatchEdit);
}

void TIspratnica::ProcKorekcijaPovikajLagerLista(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::StockForDispatchEdit);
}

void TIspratnica::ProcKorekcijaPovikajPriemniciLista(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ReceiptForDispatchEdit);
}
