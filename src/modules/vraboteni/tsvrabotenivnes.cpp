#include "modules/vraboteni/tsvrabotenivnes.h"

#include "data/query.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "modules/vraboteni/vrabotenisql.h"

TSVraboteniVnes::TSVraboteniVnes(QWidget* parent) : TSVraboteniFields(QStringLiteral("Vnes"), parent)
{
    setObjectName(QStringLiteral("SVraboteniVnes"));
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSVraboteniVnes::Button1Click()
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(vraboteni_sql::Insert);
    const QList<kit::Edit*> fields = boxes();
    for (qsizetype i = 0; i < fields.size(); ++i)
        Query1->ParamByName(QStringLiteral("a%1").arg(i + 1)).AsString(fields.at(i)->Text());
    Query1->ExecSQL();
    Close();
}
