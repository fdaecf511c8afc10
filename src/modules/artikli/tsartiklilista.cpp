#include "modules/artikli/tsartiklilista.h"

#include "kit/dbgrid.h"
#include "stores/registerreads.h"

TSArtikliLista::TSArtikliLista(QWidget* parent) : TSListBase(Captions::English, parent)
{
    setObjectName(QStringLiteral("SArtikliLista"));
    HelpContext = 1;
    buildSearchList(stores::articles::list(), QStringLiteral("Search by product name"));
    DBGrid1->addColumn(QStringLiteral("sifra"), QStringLiteral("ProductID"), 90);
    DBGrid1->addColumn(QStringLiteral("artikal"), QStringLiteral("Product Name"), 420);
    DBGrid1->addColumn(QStringLiteral("edm"), QStringLiteral("Unit"), 90);
}
