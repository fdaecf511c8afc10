#include "modules/artikli/tartikli.h"

#include "frame/commands.h"
#include "kit/dbgrid.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "modules/artikli/tsartiklikorekcija.h"
#include "modules/artikli/tsartiklilista.h"
#include "modules/artikli/tsartiklivnes.h"

const ModuleTraits& TArtikli::Traits()
{
    using namespace frame::cmd;
    static const ModuleTraits traits{
        "TArtikli",
        1,
        2,
        3,
        {NoAnswer, answerTo(ArticleForProductEntry), answerTo(ArticleForReceiptEntry), answerTo(ArticleForDispatchEntry),
         answerTo(ArticleForProductEdit), answerTo(ArticleForDispatchEdit), answerTo(ArticleForReceiptEdit)},
        QStringLiteral("Products-create new "),
        QStringLiteral("Products-update "),
        QStringLiteral("Products-List "),
        QStringLiteral("Select product"),
    };
    return traits;
}

TArtikli::TArtikli(frame::Host* host) : Module(Traits(), host) {}

void TArtikli::KreirajArtikliVnes(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSArtikliVnes>(EntryForm);
    w->CommandCode = code;
    w->InitChild(form, Traits().entryCaption, 2);
}

void TArtikli::KreirajArtikliKorekcija(QObject*, QWidget* form, int code)
{
    auto* list = qobject_cast<TSListBase*>(commandList());
    const int id = list ? list->SelectedId() : -1;
    if (id == -1) {
        kit::messageBox(form, Traits().editWithoutSelection, QStringLiteral("Info"));
        return;
    }
    auto* w = makeWindow<TSArtikliKorekcija>(EditForm);
    w->CommandCode = code;
    w->InitChild(form, Traits().editCaption, 2);
    w->LoadRecord(id);
}

void TArtikli::KreirajArtikliLista(QObject*, QWidget* form, int code)
{
    auto* w = makeWindow<TSArtikliLista>(ListForm);
    w->CommandCode = code;
    w->Nov1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajArtikliNov(nullptr); }); };
    w->Korekcija1->OnClick = [this, w]() { fromList(w, [&] { ProceduraKreirajArtikliKorekcija(nullptr); }); };
    w->DBGrid1->OnKeyDown = [this, w](int& key, Qt::KeyboardModifiers shift) {
        fromList(w, [&] { ProceduraDBGrid1KeyDown(nullptr, key, shift); });
    };
    w->InitChild(form, Traits().listCaption, 2);
}

void TArtikli::ProceduraKreirajArtikliNov(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().entryCode);
}

void TArtikli::ProceduraKreirajArtikliKorekcija(QObject* sender)
{
    SProccessingMessage(sender, activeChild(), Traits().editCode);
}

void TArtikli::ProceduraDBGrid1KeyDown(QObject* sender, int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    key = 0;
    // Only a list opened for a pick, whose asking window is still there, answers.
    TFormSrgBase* list = commandList();
    if (list && list->CallerForm && frame::requestsServedBy(frame::PickList::Articles).contains(list->CommandCode))
        SProccessingMessage(sender, activeChild(), list->CommandCode + 1);
}
