#include "modules/komintenti/tskomintentivnes.h"

#include "data/convert.h"
#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "modules/komintenti/komintentisql.h"

TSKomintentiVnes::TSKomintentiVnes(QWidget* parent) : TSKomintentiFields(QStringLiteral("Save"), parent)
{
    setObjectName(QStringLiteral("SKomintentiVnes"));
    Edit14->setText(QStringLiteral("0"));
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSKomintentiVnes::Button1Click()
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(komintenti_sql::Insert);
    const kit::Edit* texts[] = {Edit3, Edit4, Edit1, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11, Edit12, Edit13};
    for (int i = 0; i < 12; ++i)
        Query1->ParamByName(QStringLiteral("a%1").arg(i + 1)).AsString(texts[i]->Text());
    Query1->ParamByName(QStringLiteral("a13")).AsInteger(data::toInteger(Edit14->Text()));
    Query1->ExecSQL();
    Close();
}
