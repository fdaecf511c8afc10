#include "modules/ispratnica/tsispratnicalista.h"

#include "modules/ispratnica/ispratnicasql.h"

TSIspratnicaLista::TSIspratnicaLista(QWidget* parent) : DocumentList(ispratnicasql::listKind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaLista"));
}
