#include "modules/priemnica/tspriemnicakorekcija.h"

#include "modules/priemnica/priemnicakind.h"

TSPriemnicaKorekcija::TSPriemnicaKorekcija(QWidget* parent) : DocumentEditForm(priemnica::kind(), parent)
{
    setObjectName(QStringLiteral("SPriemnicaKorekcija"));
}
