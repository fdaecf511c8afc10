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
#include "modules/documents/linegrid.h"
#include "modules/documents/documentsave.h"
#include "stores/bounds.h"

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
    frame::moveOnEnterChain({Edit2, Edit3, Edit4, Edit5, Edit6}, BitBtn1);
}

void TSProizvodVnes::BitBtn3Click()
{
    if (!CheckFields())
        return;
    if (!documentsave::run(this, QStringLiteral("Proizvodot ne e vnesen !!!"),
                           [&] { stores::ProductStore(connection()).saveNew(productToSave()); }))
        return; // nothing written; the window keeps its input
    kit::messageBox(this, QStringLiteral("Proizvodot e uspesno vnesen !!!"), QStringLiteral("Information"));
    Close();
}
