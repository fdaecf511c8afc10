#include "modules/vraboteni/tsvrabotenivnes.h"

#include "kit/button.h"
#include "kit/edit.h"
#include "stores/registerstore.h"

TSVraboteniVnes::TSVraboteniVnes(QWidget* parent) : TSVraboteniFields(QStringLiteral("Vnes"), parent)
{
    setObjectName(QStringLiteral("SVraboteniVnes"));
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSVraboteniVnes::Button1Click()
{
    stores::EmployeeStore(connection()).saveNew(employee());
    Close();
}
