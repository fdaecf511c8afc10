#include "dialogs/tsproizvodvnesiartikal.h"

#include "dialogs/linedialog.h"
#include "data/convert.h"
#include "data/errors.h"
#include "data/query.h"
#include "frame/tformsrgbase.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/messagebox.h"
#include "data/database.h"
#include "stores/articlereads.h"
#include "stores/bounds.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TSProizvodVnesiArtikal::TSProizvodVnesiArtikal(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("SProizvodVnesiArtikal"));
    setWindowTitle(QStringLiteral("VnesiArtikal"));

    auto label = [this](const char* name, const char* caption) {
        auto* l = new kit::Label(QString::fromLatin1(caption), this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto edit = [this](const char* name) {
        auto* e = new kit::Edit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setFont(kit::inputFont());
        e->setUpperCase(true);
        return e;
    };
    Label1 = label("Label1", "Artikal Id");
    Label2 = label("Label2", "Artikal");
    Label3 = label("Label3", "Edm");
    Label4 = label("Label4", "Kol");
    Edit1 = edit("Edit1");
    Edit2 = edit("Edit2");
    Edit3 = edit("Edit3");
    Edit4 = edit("Edit4");
    for (kit::Edit* e : {Edit1, Edit2, Edit3})
        e->setEnabled(false);
    Edit1->setFixedWidth(140);
    Edit2->setMinimumWidth(320);
    Edit3->setFixedWidth(90);
    Edit4->setFixedWidth(140);

    Button1 = new kit::Button(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setModalResult(1);
    Button2 = new kit::Button(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setModalResult(2);

    linedialog::place(this, linedialog::fieldRows({{Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}, {Label4, Edit4}}),
                      Edit4, Button1, Button2);
    Edit4->setFocus(Qt::OtherFocusReason);

    Query1 = new data::Query(TFormSrgBase::databaseOf(owner), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    Edit4->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit4KeyDown(key, shift); };
}

void TSProizvodVnesiArtikal::LoadArticle(int id)
{
    m_key = id;
    const stores::articlereads::Article article = stores::articlereads::article(linedialog::connectionOf(Query1), id);
    Edit1->setText(article.code);
    Edit2->setText(article.name);
    Edit3->setText(article.unit);
}

void TSProizvodVnesiArtikal::Edit4KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Button1);
}

void TSProizvodVnesiArtikal::done(int result)
{
    if (result == 1) {
        QString problem;
        try {
            stores::bounds::requireQuantity(data::toFloat(Edit4->Text()), tr("quantity"));
        } catch (const data::ConvertError&) {
            problem = tr("The quantity \"%1\" is not a number.").arg(Edit4->Text());
        } catch (const stores::InvalidValue& e) {
            problem = e.text();
        }
        if (!problem.isEmpty()) {
            kit::messageBox(this, problem, QStringLiteral("Warning"));
            Edit4->SetFocus();
            Edit4->selectAll();
            return; // the dialog stays open with what was typed
        }
    }
    QDialog::done(result);
}

frame::Line TSProizvodVnesiArtikal::line() const
{
    return linedialog::lineOf(m_key, Edit1, Edit2, Edit3, Edit4);
}
