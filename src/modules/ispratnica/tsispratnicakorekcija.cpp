#include "modules/ispratnica/tsispratnicakorekcija.h"

#include "modules/ispratnica/ispratnicasql.h"

TSIspratnicaKorekcija::TSIspratnicaKorekcija(QWidget* parent) : DocumentEditForm(ispratnicasql::kind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaKorekcija"));
}
