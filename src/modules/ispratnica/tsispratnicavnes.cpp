#include "modules/ispratnica/tsispratnicavnes.h"

#include "modules/ispratnica/ispratnicasql.h"

TSIspratnicaVnes::TSIspratnicaVnes(QWidget* parent) : DocumentForm(ispratnicasql::kind(), parent)
{
    setObjectName(QStringLiteral("SIspratnicaVnes"));
    prepareEntry();
}
