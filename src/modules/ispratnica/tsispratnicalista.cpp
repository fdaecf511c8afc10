#include "modules/ispratnica/tsispratnicalista.h"

#include "modules/ispratnica/ispratnicakind.h"

TSIspratnicaLista::TSIspratnicaLista(QWidget* parent) : DocumentList(ispratnica::listKind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaLista"));
}

frame::PrintReport TSIspratnicaLista::printReport() const
{
    return frame::PrintReport::Dispatches;
}

frame::PrintSource TSIspratnicaLista::printSource() const
{
    return {Query1, Query2};
}
