#include "modules/proizvod/tsproizvodvnes.h"

#include "frame/formfields.h"
#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "modules/proizvod/linegrid.h"
#include "modules/proizvod/proizvodsql.h"

#include <exception>

TSProizvodVnes::TSProizvodVnes(QWidget* parent) : ProductForm(parent)
{
    setObjectName(QStringLiteral("SProizvodVnes"));
    HelpContext = 5;
    Label1->setVisible(false);
    MaskEdit1->setVisible(false);
    BitBtn3->setText(QStringLiteral("Vnesi"));
    for (kit::Edit* e : {Edit4, Edit5, Edit6})
        e->setText(QStringLiteral("0"));
    app::moveOnEnterChain({Edit2, Edit3, Edit4, Edit5, Edit6}, BitBtn1);
}

void TSProizvodVnes::BitBtn3Click()
{
    if (!CheckFields())
        return;
    try {
        // The code is taken inside the transaction; when another workstation took it
        // meanwhile, the save runs again with the next one.
        data::runSave(connection(), [&]() {
            prepare(proizvodsql::nextCode);
            Query1->Open();
            // Over an empty register the maximum counts as 0, so the first product gets code 1.
            const int code = data::nextNumber(Query1->FieldByName(QStringLiteral("m_max")), QStringLiteral("product code"));

            prepare(proizvodsql::insertProduct);
            Query1->ParamByName(QStringLiteral("a")).AsInteger(code);
            Query1->ParamByName(QStringLiteral("b")).AsString(Edit2->Text());
            Query1->ParamByName(QStringLiteral("c")).AsString(Edit3->Text());
            Query1->ParamByName(QStringLiteral("d")).AsFloat(data::toFloat(Edit4->Text()));
            Query1->ParamByName(QStringLiteral("e")).AsFloat(data::toFloat(Edit5->Text()));
            Query1->ParamByName(QStringLiteral("f")).AsFloat(data::toFloat(Edit6->Text()));
            Query1->ExecSQL();
            const int productId = Query1->LastInsertId();

            insertComposition(productId);
        });
    } catch (const data::RangeError& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return;
    } catch (const std::exception&) {
        kit::messageBox(this, QStringLiteral("Proizvodot ne e vnesen !!!"), QStringLiteral("Warning"));
        return; // nothing written; the window keeps its input
    }
    kit::messageBox(this, QStringLiteral("Proizvodot e uspesno vnesen !!!"), QStringLiteral("Information"));
    Close();
}
