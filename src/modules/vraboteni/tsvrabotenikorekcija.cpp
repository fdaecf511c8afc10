#include "modules/vraboteni/tsvrabotenikorekcija.h"

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

TSVraboteniKorekcija::TSVraboteniKorekcija(QWidget* parent) : TSVraboteniFields(QStringLiteral("Korekcija"), parent)
{
    setObjectName(QStringLiteral("SVraboteniKorekcija"));
    Edit2 = frame::inputField(this, QStringLiteral("Edit2"));
    Edit2->setReadOnly(true);
    Edit2->setFocusPolicy(Qt::ClickFocus); // shown and selectable, but Tab starts at the name
    Edit2->setFixedWidth(90);
    frame::setBackground(Edit2, Edit2->palette().color(QPalette::Window)); // reads as shown, not typed
    auto* label = new kit::Label(QStringLiteral("Sifra"), this);
    label->setObjectName(QStringLiteral("Label2"));
    label->setBuddy(Edit2);
    fieldLayout()->insertRow(0, label, Edit2);
    Edit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, Edit3); };
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSVraboteniKorekcija::LoadRecord(int id)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(stores::employees::load());
    Query1->ParamByName(QStringLiteral("a")).AsInteger(id);
    Query1->Open();
    Edit2->setText(Query1->FieldByName(QStringLiteral("id")).AsString());
    // The columns of the boxes Edit3..Edit13, top to bottom.
    static const char* const columns[] = {"naziv",    "adresa",     "tel", "mobil",      "zirosmetka", "edb",
                                          "deponent", "sifdejnost", "mb",  "zabeleska1", "zabeleska2"};
    const QList<kit::Edit*> fields = boxes();
    for (qsizetype i = 0; i < fields.size(); ++i)
        fields.at(i)->setText(Query1->FieldByName(QString::fromLatin1(columns[i])).AsString());
    m_version = stores::EmployeeStore(connection()).load(id);
}

void TSVraboteniKorekcija::Button1Click()
{
    try {
        stores::EmployeeStore(connection()).update(data::toInteger(Edit2->Text()), m_version, employee());
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return; // the window keeps the operator's input
    }
    Close();
}
