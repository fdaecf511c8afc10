#include "modules/proizvod/tproizvod.h"

#include "frame/commands.h"
#include "frame/tslistbase.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "modules/proizvod/tsproizvodkorekcija.h"
#include "modules/proizvod/tsproizvodlista.h"
#include "modules/proizvod/tsproizvodvnes.h"

const ModuleTraits& TProizvod::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TProizvod",
        13,
        14,
        15,
        {NoAnswer, ArticleForProductEntry, answerTo(ProductForOrderEntry), answerTo(ArticleForDispatchEntry),
         ArticleForProductEdit, answerTo(ProductForOrderEdit), answerTo(ArticleForDispatchEdit)},
        QStringLiteral("Proizvod-Kreiraj Nov "),
        QStringLiteral("Proizvod-Koregiraj "),
        QStringLiteral("Proizvod-Lista "),
        QStringLiteral("Odberi Proizvod"),
    };
    return traits;
}

TProizvod::TProizvod(frame::Host* host) : Module(Traits(), host) {}

void TProizvod::KreirajProizvodVnes(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSProizvodVnes>(EntryForm);
    w->CommandCode = code;
    w->BitBtn1->OnClick = [this]() { BitBtn1Click(nullptr); };
    w->InitChild(form, Traits().entryCaption, 2);
}

void TProizvod::KreirajProizvodKorekcija(QObject*, QWidget* form, int code)
{
    auto* list = qobject_cast<TSListBase*>(commandList());
    const int id = list ? list->SelectedId() : -1;
    if (id == -1) {
        kit::messageBox(form, Traits().editWithoutSelection, QStringLiteral("Info"));
        return;
    }
    auto* w = makeWindow<TSProizvodKorekcija>(EditForm);
    w->CommandCode = code;
    w->BitBtn1->OnClick = [this]() { BitBtn1_2_Click(nullptr); };
    w->InitChild(form, Traits().editCaption, 2);
    w->LoadRecord(id);
}

void TProizvod::KreirajProizvodLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSProizvodLista>(ListForm);
    w->CommandCode = code;
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajProizvodNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajProizvodKorekcija(nullptr); }); };
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&] { ProcProizvodListaDBGridKeyDown(nullptr, key, shift); });
    };
    w->InitChild(form, Traits().listCaption, 2);
}

void TProizvod::ProceduraKreirajProizvodNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TProizvod::ProceduraKreirajProizvodKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TProizvod::BitBtn1Click(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ArticleForProductEntry);
}

void TProizvod::BitBtn1_2_Click(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), frame::cmd::ArticleForProductEdit);
}

void TProizvod::ProcProizvodListaDBGridKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    key = 0;
    // Only a list opened for a pick, whose asking window is still there, answers.
    TFormSrgBase* list = commandList();
    if (!list || !list->CallerForm)
        return;
    if (list->CommandCode == frame::cmd::ProductForOrderEntry)
        SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::ProductForOrderEntry));
    else if (list->CommandCode == frame::cmd::ProductForOrderEdit)
        SProccessingMessage(sender, activeChild(), frame::cmd::answerTo(frame::cmd::ProductForOrderEdit));
}
