#include "modules/artikli/tsartiklivnes.h"

#include "frame/formfields.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/groupbox.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "stores/registerstore.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

TSArtikliVnes::TSArtikliVnes(QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    setObjectName(QStringLiteral("SArtikliVnes"));
    HelpContext = 2;

    GroupBox1 = new kit::GroupBox(QStringLiteral("Info"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Edit2 = frame::inputField(GroupBox1, QStringLiteral("Edit2"));
    Edit3 = frame::inputField(GroupBox1, QStringLiteral("Edit3"));
    Edit2->setMinimumWidth(360);
    Edit3->setFixedWidth(120);
    QFormLayout* form = frame::fieldForm();
    Label1 = frame::addFieldRow(form, GroupBox1, QStringLiteral("Label1"), QStringLiteral("Product name"), Edit2);
    Label2 = frame::addFieldRow(form, GroupBox1, QStringLiteral("Label2"), QStringLiteral("Unit"), Edit3);
    GroupBox1->setLayout(form);

    // The code is given when saving; its field stays hidden.
    Label3 = new kit::Label(QStringLiteral("ProductID"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->hide();
    MaskEdit1 = new kit::MaskEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEnabled(false);
    MaskEdit1->hide();

    Button1 = frame::saveButton(this, QStringLiteral("Save"));

    frame::placeWithSaveButton(this, GroupBox1, Button1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit2KeyDown(key, shift); };
    Edit3->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit3KeyDown(key, shift); };
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSArtikliVnes::Edit2KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Edit3);
}

void TSArtikliVnes::Edit3KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Button1);
}

bool TSArtikliVnes::CheckFields()
{
    if (Edit2->Text().isEmpty()) {
        Edit2->SetFocus();
        return false;
    }
    if (Edit3->Text().isEmpty()) {
        Edit3->SetFocus();
        return false;
    }
    return true;
}

void TSArtikliVnes::Button1Click()
{
    if (!CheckFields())
        return;

    stores::ArticleStore(connection()).saveNew({0, Edit2->Text(), Edit3->Text()});
    // Only a saved article closes the window; a failed insert leaves the input in place.
    Close();
}
