#include "modules/priemnica/tpriemnica.h"

#include "frame/commands.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "modules/priemnica/tspriemnicakorekcija.h"
#include "stores/documentstore.h"
#include "modules/priemnica/tspriemnicalista.h"
#include "modules/priemnica/tspriemnicavnes.h"

const ModuleTraits& TPriemnica::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TPriemnica",
        19,
        20,
        21,
        {NoAnswer, PartnerForReceiptEntry, ArticleForReceiptEntry, PartnerForReceiptEdit, ArticleForReceiptEdit,
         answerTo(ReceiptForDispatchEntry), answerTo(ReceiptForDispatchEdit)},
        QStringLiteral("Goods receipt-create new "),
        QStringLiteral("Goods receipt-update "),
        QStringLiteral("Goods receipt-List "),
        QString(),
    };
    return traits;
}

TPriemnica::TPriemnica(frame::Host* host) : Module(Traits(), host) {}

TSPriemnicaLista* TPriemnica::sourceList() const
{
    return qobject_cast<TSPriemnicaLista*>(commandList());
}

void TPriemnica::KreirajPriemnicaLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSPriemnicaLista>(ListForm);
    w->CommandCode = code;
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajPriemnicaNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajPriemnicaKorekcija(nullptr); }); };
    w->Del1->OnClick = [this, w]() { fromList(w, [&] { ProceduraBrisiPriemnica(nullptr); }); };
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&] { ProceduraDBGrid1KeyDown(nullptr, key, shift); });
    };
    w->InitChild(form, Traits().listCaption, 2);
}

void TPriemnica::KreirajPriemnicaVnes(QObject*, QWidget* form, int)
{
    auto* w = makeWindow<TSPriemnicaVnes>(EntryForm);
    // The newest number as the list noted it, or looked up when no list is open.
    const int newest = DocumentList::newestNumber(sourceList(), w->connection(), stores::receipts());
    w->MaskEdit2->setText(QString::number(qint64(newest) + 1)); // no wrap past the largest number
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { ProcPovikajKomintent(nullptr, key, shift); };
    w->BitBtn2->OnClick = [this]() { ProcPovikajArtikli(nullptr); };
    w->InitChild(form, Traits().entryCaption, 2);
}

void TPriemnica::KreirajPriemnicaKorekcija(QObject*, QWidget* form, int)
{
    // Without a receipt to edit (no list, an empty list) there is nothing to open: an edit
    // window on no receipt would write its lines under a header that does not exist.
    TSPriemnicaLista* list = sourceList();
    const int id = list ? list->SelectedId() : -1;
    if (id == -1)
        return;
    auto* w = makeWindow<TSPriemnicaKorekcija>(EditForm);
    w->Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        ProcKorekcijaPovikajKomintent(nullptr, key, shift);
    };
    w->BitBtn2->OnClick = [this]() { ProcKorekcijaPovikajArtikal(nullptr); };
    w->PocetniVrednosti(id);
    w->InitChild(form, Traits().editCaption, 2);
}

void TPriemnica::ProceduraKreirajPriemnicaNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TPriemnica::ProceduraKreirajPriemnicaKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TPriemnica::ProceduraBrisiPriemnica(QObject*)
{
    if (TSPriemnicaLista* list = sourceList())
        list->BrisiPriemnica();
}

void TPriemnica::ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (key != Qt::Key_Return)
        return;
    TSPriemnicaLista* list = sourceList();
    if (list && list->CallerForm) {
        if (list->CommandCode == frame::cmd::ReceiptForDispatchEntry)
            SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::ReceiptForDispatchEntry));
        else if (list->CommandCode == frame::cmd::ReceiptForDispatchEdit)
            SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::ReceiptForDispatchEdit));
    }
    key = 0;
}

void TPriemnica::ProcPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForReceiptEntry);
}

void TPriemnica::ProcPovikajArtikli(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ArticleForReceiptEntry);
}

void TPriemnica::ProcKorekcijaPovikajKomintent(QObject* sender, int&, Qt::KeyboardModifiers)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::PartnerForReceiptEdit);
}

void TPriemnica::ProcKorekcijaPovikajArtikal(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ArticleForReceiptEdit);
}
