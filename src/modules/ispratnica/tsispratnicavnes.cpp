#include "modules/ispratnica/tsispratnicavnes.h"

#include "modules/ispratnica/ispratnicakind.h"

TSIspratnicaVnes::TSIspratnicaVnes(QWidget* parent) : DocumentForm(ispratnica::kind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaVnes"));
    prepareEntry();
}
