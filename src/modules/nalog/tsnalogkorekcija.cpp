#include "modules/nalog/tsnalogkorekcija.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/guard.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/format.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "kit/stringgrid.h"
#include "frame/linemodel.h"
#include "stores/workorderreads.h"
#include "modules/documents/linegrid.h"
#include "modules/documents/documentsave.h"
#include "stores/bounds.h"

#include <QApplication>

#include <exception>

namespace {

QString dateText(const data::Field& field)
{
    const QDateTime value = field.AsDateTime();
    return value.isValid() ? kit::formatDate(value.date(), QStringLiteral("yyyy-mm-dd")) : QString();
}

} // namespace

TSNalogKorekcija::TSNalogKorekcija(QWidget* parent)
    : OrderForm(parent), m_number(
                             this, Edit1, Edit2, LoadedNumber,
                             [this](int number) { return stores::WorkOrderStore(connection()).numberExists(number); },
                             QStringLiteral("POSTOI NALOG SO ISTA SIFRA"), frame::UniqueNumber::OnExit::AnyWay)
{
    setObjectName(QStringLiteral("SNalogKorekcija"));
    m_number.setHighest([this] { return stores::WorkOrderStore(connection()).highestNumber(); });
    BitBtn1->setText(QStringLiteral("Koregiraj"));
    Edit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit1KeyDown(key, shift); };
    Edit1->OnExit = [this]() { Edit1Exit(); };
}

void TSNalogKorekcija::LoadRecord(int id)
{
    OrderId = id;
    prepare(Query1, stores::workorderreads::loadOrder());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    Edit1->setText(Query1->FieldByName(QStringLiteral("nalog_id")).AsString());
    LoadedNumber = Edit1->Text();
    MaskEdit1->setText(dateText(Query1->FieldByName(QStringLiteral("datum_start"))));
    MaskEdit2->setText(dateText(Query1->FieldByName(QStringLiteral("datum_finish"))));
    EmployeeIdText = Query1->FieldByName(QStringLiteral("vraboten_id")).AsString();
    EmployeeName = Query1->FieldByName(QStringLiteral("prioritet")).AsString();
    Edit3->setText(EmployeeName);

    prepare(Query1, stores::workorderreads::loadLines());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    Query1->First();
    Lines->setHeader({QStringLiteral("Br."), QStringLiteral("Katalog Br."), QStringLiteral("Proizvod"),
                      QStringLiteral("Edm"), QStringLiteral("Vlez_Kol.")});
    Lines->setLines(
        frame::linesOf(*Query1, QStringLiteral("id_proizvod"), QStringLiteral("Proizvod"), QStringLiteral("vlez_kol")));

    prepare(Query1, stores::workorderreads::loadPartner());
    Query1->ParamByName(QStringLiteral("id")).AsInteger(id);
    Query1->Open();
    if (!Query1->IsEmpty()) {
        Edit2->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
        PartnerId = Query1->FieldByName(QStringLiteral("kid")).AsInteger();
    }
    Query1->Close();
    m_version = stores::WorkOrderStore(connection()).load(id);
}

void TSNalogKorekcija::ReceiveEmployee(int id)
{
    prepare(Query1, stores::workorderreads::employeeById());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    const bool found = !Query1->IsEmpty();
    Edit3->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
    Query1->Close();
    EmployeeIdText = found ? QString::number(id) : QString();
    EmployeeName = Edit3->Text();
}

void TSNalogKorekcija::BitBtn1Click()
{
    if (!checkBeforeSave())
        return;
    int number = 0;
    try {
        number = data::toInteger(Edit1->Text());
    } catch (const data::ConvertError&) {
        kit::messageBox(nullptr, QStringLiteral("Popolni gi site polinja za vnes!!!"), QStringLiteral("Warning"));
        Edit1->SetFocus();
        return;
    }
    // The number may have been changed without leaving the field.
    if (!m_number.accepted())
        return;
    if (!documentsave::run(this, QStringLiteral("Nalogot ne e koregiran !!!"), [&] {
            stores::WorkOrderStore(connection())
                .update(OrderId, m_version, number, orderToSave(data::toInteger(EmployeeIdText), EmployeeName));
        }))
        return; // the order and its ledger rows are as they were; the window keeps its input
    kit::messageBox(this, QStringLiteral("Nalogot e uspesno koregiran !!!"), QStringLiteral("Information"));
    Close();
}
