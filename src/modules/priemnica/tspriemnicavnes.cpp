#include "modules/priemnica/tspriemnicavnes.h"

#include "data/database.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "modules/priemnica/priemnicasql.h"

#include <exception>

TSPriemnicaVnes::TSPriemnicaVnes(QWidget* parent) : ReceiptForm(parent)
{
    setObjectName(QStringLiteral("SPriemnicaVnes"));
    Label1->setCaption(QStringLiteral("GoodsReceipt ID"));
    Label1->setVisible(false);
    MaskEdit2->setVisible(false);
    MaskEdit2->setReadOnly(true);
    BitBtn1->setText(QStringLiteral("Save"));
    MaskEdit1->setText(kit::today());
}

void TSPriemnicaVnes::BitBtn1Click()
{
    if (!checkBeforeSave(QStringLiteral("Please, fill all fields!!!")))
        return;
    int number = 0;
    try {
        // One number for the header and its lines, taken inside the transaction; when another
        // workstation took it meanwhile, the save runs again with the next one.
        data::runSave(connection(), [&]() {
            Query1->Close();
            Query1->SQL.Clear();
            Query1->SQL.Add(priemnicasql::nextNumber);
            Query1->Open();
            const data::Field next = Query1->FieldByName(QStringLiteral("m_max"));
            number = next.IsNull() ? 1 : next.AsInteger();
            Query1->Close();

            Query1->SQL.Clear();
            Query1->SQL.Add(priemnicasql::insertHeader);
            Query1->ParamByName(QStringLiteral("a1")).AsInteger(number);
            Query1->ParamByName(QStringLiteral("a2")).AsString(MaskEdit1->Text());
            Query1->ExecSQL();
            const int headerId = Query1->LastInsertId();

            insertLedgerRows(headerId, number);
        });
    } catch (const std::exception&) {
        kit::messageBox(this, QStringLiteral("Goods Receipt,is not entered !!!"), QStringLiteral("Warning"));
        return; // nothing written; the window keeps partner, date and lines
    }
    MaskEdit2->setText(QString::number(number));
    kit::messageBox(this, QStringLiteral("Goods Receipt,successful entered!!!"), QStringLiteral("Information"));
    Close();
}
