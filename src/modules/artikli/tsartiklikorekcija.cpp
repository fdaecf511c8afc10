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
#include "modules/artikli/artiklisql.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QScopedValueRollback>
#include <QVBoxLayout>

TSArtikliKorekcija::TSArtikliKorekcija(QWidget* parent)
    : TFormSrgBase(parent), m_version(artikli_sql::Version, {})
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
    Edit3 = app::inputField(GroupBox1, QStringLiteral("Edit3"));
    Edit4 = app::inputField(GroupBox1, QStringLiteral("Edit4"));
    Edit3->setMinimumWidth(360);
    Edit4->setFixedWidth(120);
    QFormLayout* form = app::fieldForm();
    Label1 = app::addFieldRow(form, GroupBox1, QStringLiteral("Label1"), QStringLiteral("Product Id"), MaskEdit1);
    Label2 = app::addFieldRow(form, GroupBox1, QStringLiteral("Label2"), QStringLiteral("Product Name"), Edit3);
    Label3 = app::addFieldRow(form, GroupBox1, QStringLiteral("Label3"), QStringLiteral("Unit"), Edit4);
    GroupBox1->setLayout(form);

    Label4 = new kit::Label(QStringLiteral("Id"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->hide();
    Edit1 = app::inputField(this, QStringLiteral("Edit1"));
    Edit1->hide();

    Button1 = new kit::Button(QStringLiteral("Update"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setMinimumWidth(90);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    auto* column = new QVBoxLayout;
    column->addWidget(GroupBox1);
    column->addLayout(buttons);
    column->addStretch(1);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->addLayout(column);
    outer->addStretch(1);

    Query1 = new data::Query(this);
    Query1->setObjectName(QStringLiteral("Query1"));

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
    Query1->SQL.Add(artikli_sql::Load);
    Query1->ParamByName(QStringLiteral("a")).AsInteger(id);
    Query1->Open();
    Edit1->setText(Query1->FieldByName(QStringLiteral("id")).AsString());
    LoadedCode = Query1->FieldByName(QStringLiteral("sifra")).AsString();
    MaskEdit1->setText(LoadedCode);
    Edit3->setText(Query1->FieldByName(QStringLiteral("artikal")).AsString());
    Edit4->setText(Query1->FieldByName(QStringLiteral("edm")).AsString());
    m_version.load(connection(), id);
}

bool TSArtikliKorekcija::ProveriPostoiArtikal(const QString& code)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(artikli_sql::ByCode);
    Query1->ParamByName(QStringLiteral("a")).AsInteger(data::toInteger(code));
    Query1->Open();
    return !Query1->IsEmpty();
}

void TSArtikliKorekcija::checkCode()
{
    // Moving the focus from here leaves the code field; that exit must not check again.
    QScopedValueRollback<bool> guard(m_checking, true);
    if (MaskEdit1->Text() == LoadedCode) {
        Edit3->SetFocus();
        return;
    }
    if (ProveriPostoiArtikal(MaskEdit1->Text())) {
        MaskEdit1->SetFocus();
        kit::messageBox(this, QStringLiteral("Exist Product with the same product_id"), QStringLiteral("Warning"));
    } else {
        Edit3->SetFocus();
    }
}

void TSArtikliKorekcija::MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (!kit::isEnter(key))
        return;
    key = 0;
    checkCode();
}

void TSArtikliKorekcija::MaskEdit1Exit()
{
    // A window that is closing no longer checks.
    if (!m_checking && !m_closing)
        checkCode();
}

void TSArtikliKorekcija::FormClose()
{
    m_closing = true;
    TFormSrgBase::FormClose();
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
        // Deleted or changed on another workstation since it was loaded: nothing is written.
        m_version.saveIfUnchanged(connection(), QStringLiteral("article"), [&] {
            Query1->Close();
            Query1->SQL.Clear();
            for (const QString& line : artikli_sql::Update)
                Query1->SQL.Add(line);
            Query1->ParamByName(QStringLiteral("aid")).AsInteger(data::toInteger(Edit1->Text()));
            // The code must be a whole number: an empty or broken code is refused before the update.
            Query1->ParamByName(QStringLiteral("a")).AsInteger(data::toInteger(MaskEdit1->Text()));
            Query1->ParamByName(QStringLiteral("b")).AsString(Edit3->Text());
            Query1->ParamByName(QStringLiteral("c")).AsString(Edit4->Text());
            Query1->ExecSQL();
        });
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return; // the window keeps the operator's input
    }
    Close();
}
