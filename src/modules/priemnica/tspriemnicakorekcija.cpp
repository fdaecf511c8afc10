#include "modules/priemnica/tspriemnicakorekcija.h"

#include "modules/priemnica/priemnicasql.h"

TSPriemnicaKorekcija::TSPriemnicaKorekcija(QWidget* parent) : DocumentEditForm(priemnicasql::kind(), parent)
{
    setObjectName(QStringLiteral("SPriemnicaKorekcija"));
}
