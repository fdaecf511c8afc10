#include "modules/komintenti/tskomintentivnes.h"

#include "kit/button.h"
#include "kit/edit.h"
#include "stores/registerstore.h"

TSKomintentiVnes::TSKomintentiVnes(QWidget* parent) : TSKomintentiFields(QStringLiteral("Save"), parent)
{
    setObjectName(QStringLiteral("SKomintentiVnes"));
    Edit14->setText(QStringLiteral("0"));
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSKomintentiVnes::Button1Click()
{
    stores::PartnerStore(connection()).saveNew(partner());
    Close();
}
