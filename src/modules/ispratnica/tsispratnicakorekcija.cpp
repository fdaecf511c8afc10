#include "modules/ispratnica/tsispratnicakorekcija.h"

#include "modules/ispratnica/ispratnicakind.h"

TSIspratnicaKorekcija::TSIspratnicaKorekcija(QWidget* parent) : DocumentEditForm(ispratnica::kind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaKorekcija"));
}
