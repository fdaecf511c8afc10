#include "modules/priemnica/tspriemnicavnes.h"

#include "modules/priemnica/priemnicasql.h"

TSPriemnicaVnes::TSPriemnicaVnes(QWidget* parent) : DocumentForm(priemnicasql::kind(), parent)
{
    setObjectName(QStringLiteral("SPriemnicaVnes"));
    prepareEntry();
}
