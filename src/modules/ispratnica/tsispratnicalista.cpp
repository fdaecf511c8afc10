#include "modules/ispratnica/tsispratnicalista.h"

#include "modules/ispratnica/ispratnicasql.h"

TSIspratnicaLista::TSIspratnicaLista(QWidget* parent) : DocumentList(ispratnicasql::listKind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaLista"));
}

app::PrintReport TSIspratnicaLista::printReport() const
{
    return app::PrintReport::Dispatches;
}

app::PrintSource TSIspratnicaLista::printSource() const
{
    return {Query1, Query2};
}
