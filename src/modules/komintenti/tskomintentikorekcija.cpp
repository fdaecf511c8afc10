#include "modules/komintenti/tskomintentikorekcija.h"

#include "frame/formfields.h"
#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/messagebox.h"
#include "stores/registerreads.h"

#include <QFormLayout>

TSKomintentiKorekcija::TSKomintentiKorekcija(QWidget* parent) : TSKomintentiFields(QStringLiteral("Update"), parent)
{
    setObjectName(QStringLiteral("SKomintentiKorekcija"));
    Edit2 = frame::inputField(this, QStringLiteral("Edit2"));
    Edit2->setEnabled(false);
    Edit2->setFixedWidth(90);
    auto* label = new kit::Label(QStringLiteral("ID"), this);
    label->setObjectName(QStringLiteral("Label2"));
    label->setBuddy(Edit2);
    fieldLayout()->insertRow(0, label, Edit2);
    Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, Edit3); };
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSKomintentiKorekcija::LoadRecord(int id)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(stores::partners::load());
    Query1->ParamByName(QStringLiteral("a")).AsInteger(id);
    Query1->Open();
    auto put = [this](kit::Edit* edit, const char* column) {
        edit->setText(Query1->FieldByName(QString::fromLatin1(column)).AsString());
    };
    put(Edit2, "id");
    put(Edit3, "naziv");
    put(Edit4, "adresa");
    put(Edit1, "grad");
    put(Edit5, "tel");
    put(Edit6, "mobil");
    put(Edit7, "zirosmetka");
    put(Edit8, "edb");
    put(Edit9, "deponent");
    put(Edit10, "sifdejnost");
    put(Edit11, "mb");
    put(Edit12, "zabeleska1");
    put(Edit13, "zabeleska2");
    put(Edit14, "rabat");
    m_version = stores::PartnerStore(connection()).load(id);
}

void TSKomintentiKorekcija::Button1Click()
{
    try {
        stores::PartnerStore(connection()).update(data::toInteger(Edit2->Text()), m_version, partner());
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return; // the window keeps the operator's input
    }
    Close();
}
