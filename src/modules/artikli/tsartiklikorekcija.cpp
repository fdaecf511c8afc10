#include "modules/artikli/tsartiklikorekcija.h"

#include "frame/formfields.h"
#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/groupbox.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "stores/registerreads.h"
#include "stores/registerstore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TSArtikliKorekcija::TSArtikliKorekcija(QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    setObjectName(QStringLiteral("SArtikliKorekcija"));
    HelpContext = 3;

    GroupBox1 = new kit::GroupBox(QStringLiteral("Info"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    MaskEdit1 = new kit::MaskEdit(GroupBox1);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEditMask(QString()); // a plain code field
    MaskEdit1->setUpperCase(true);
    MaskEdit1->setFont(kit::inputFont());
    MaskEdit1->setFixedWidth(120);
    Edit3 = frame::inputField(GroupBox1, QStringLiteral("Edit3"));
    Edit4 = frame::inputField(GroupBox1, QStringLiteral("Edit4"));
    Edit3->setMinimumWidth(360);
    Edit4->setFixedWidth(120);
    QFormLayout* form = frame::fieldForm();
    Label1 = frame::addFieldRow(form, GroupBox1, QStringLiteral("Label1"), QStringLiteral("Product Id"), MaskEdit1);
    Label2 = frame::addFieldRow(form, GroupBox1, QStringLiteral("Label2"), QStringLiteral("Product Name"), Edit3);
    Label3 = frame::addFieldRow(form, GroupBox1, QStringLiteral("Label3"), QStringLiteral("Unit"), Edit4);
    GroupBox1->setLayout(form);

    Label4 = new kit::Label(QStringLiteral("Id"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->hide();
    Edit1 = frame::inputField(this, QStringLiteral("Edit1"));
    Edit1->hide();

    Button1 = frame::saveButton(this, QStringLiteral("Update"));

    frame::placeWithSaveButton(this, GroupBox1, Button1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    m_code.emplace(
        this, MaskEdit1, Edit3, LoadedCode,
        [this](int code) { return stores::ArticleStore(connection()).numberExists(code); },
        QStringLiteral("Exist Product with the same product_id"), frame::UniqueNumber::OnExit::AnyWay);
    m_code->setHighest([this] { return stores::ArticleStore(connection()).highestNumber(); });
    MaskEdit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { MaskEdit1KeyDown(key, shift); };
    MaskEdit1->OnExit = [this]() { MaskEdit1Exit(); };
    Edit3->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit3KeyDown(key, shift); };
    Edit4->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit4KeyDown(key, shift); };
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSArtikliKorekcija::LoadRecord(int id)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(stores::articles::load());
    Query1->ParamByName(QStringLiteral("a")).AsInteger(id);
    Query1->Open();
    Edit1->setText(Query1->FieldByName(QStringLiteral("id")).AsString());
    LoadedCode = Query1->FieldByName(QStringLiteral("sifra")).AsString();
    MaskEdit1->setText(LoadedCode);
    Edit3->setText(Query1->FieldByName(QStringLiteral("artikal")).AsString());
    Edit4->setText(Query1->FieldByName(QStringLiteral("edm")).AsString());
    m_version = stores::ArticleStore(connection()).load(id);
}

bool TSArtikliKorekcija::ProveriPostoiArtikal(const QString& code)
{
    return m_code->exists(code);
}

void TSArtikliKorekcija::Edit3KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Edit4);
}

void TSArtikliKorekcija::Edit4KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Button1);
}

void TSArtikliKorekcija::Button1Click()
{
    try {
        // The code must be a whole number: an empty or broken code is refused before the update.
        stores::ArticleStore(connection())
            .update(data::toInteger(Edit1->Text()), m_version,
                    {data::toInteger(MaskEdit1->Text()), Edit3->Text(), Edit4->Text()});
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return; // the window keeps the operator's input
    }
    Close();
}
