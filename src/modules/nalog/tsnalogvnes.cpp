#include "modules/nalog/tsnalogvnes.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "stores/workorderreads.h"
#include "modules/documents/linegrid.h"
#include "modules/documents/documentsave.h"
#include "stores/bounds.h"

#include <exception>

TSNalogVnes::TSNalogVnes(QWidget* parent) : OrderForm(parent)
{
    setObjectName(QStringLiteral("SNalogVnes"));
    Label1->setVisible(false);
    Edit1->setVisible(false);
    Edit1->setEnabled(false);
    Edit1->setReadOnly(true);
    BitBtn1->setText(QStringLiteral("Vnesi"));
}

void TSNalogVnes::ReceiveEmployee(int id)
{
    prepare(Query1, stores::workorderreads::employeeById());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    const bool found = !Query1->IsEmpty();
    Edit3->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
    Query1->Close();
    EmployeeId = found ? id : 0;
}

void TSNalogVnes::BitBtn1Click()
{
    if (!checkBeforeSave())
        return;
    int number = 0;
    if (!documentsave::run(this, QStringLiteral("Nalogot ne e vnesen !!!"), [&] {
            number = stores::WorkOrderStore(connection()).saveNew(orderToSave(EmployeeId, Edit3->Text()));
        }))
        return; // nothing written; the window keeps its input
    Edit1->setText(QString::number(number));
    kit::messageBox(this, QStringLiteral("Nalogot e uspesno vnesen !!!"), QStringLiteral("Information"));
    Close();
}
