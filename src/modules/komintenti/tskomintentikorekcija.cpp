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
#include "modules/komintenti/komintentisql.h"

#include <QFormLayout>

TSKomintentiKorekcija::TSKomintentiKorekcija(QWidget* parent)
    : TSKomintentiFields(QStringLiteral("Update"), parent), m_version(komintenti_sql::Version, {})
{
    setObjectName(QStringLiteral("SKomintentiKorekcija"));
    Edit2 = app::inputField(this, QStringLiteral("Edit2"));
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
    Query1->SQL.Add(komintenti_sql::Load);
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
    m_version.load(connection(), id);
}

void TSKomintentiKorekcija::Button1Click()
{
    try {
        // Deleted or changed on another workstation since it was loaded: nothing is written.
        m_version.saveIfUnchanged(connection(), QStringLiteral("company partner"), [&] {
            Query1->Close();
            Query1->SQL.Clear();
            for (const QString& line : komintenti_sql::Update)
                Query1->SQL.Add(line);
            Query1->ParamByName(QStringLiteral("aid")).AsInteger(data::toInteger(Edit2->Text()));
            // In the update grad comes last (a13); the fields after it in the insert move down one.
            const kit::Edit* texts[] = {Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13};
            for (int i = 0; i < 11; ++i)
                Query1->ParamByName(QStringLiteral("a%1").arg(i + 1)).AsString(texts[i]->Text());
            Query1->ParamByName(QStringLiteral("a12")).AsInteger(data::toInteger(Edit14->Text()));
            Query1->ParamByName(QStringLiteral("a13")).AsString(Edit1->Text());
            Query1->ExecSQL();
        });
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return; // the window keeps the operator's input
    }
    Close();
}
