#include "modules/priemnica/tspriemnicavnes.h"

#include "modules/priemnica/priemnicakind.h"

TSPriemnicaVnes::TSPriemnicaVnes(QWidget* parent) : DocumentForm(priemnica::kind(), parent)
{
    setObjectName(QStringLiteral("SPriemnicaVnes"));
    prepareEntry();
}
