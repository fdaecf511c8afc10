#include "modules/proizvod/tsproizvodlista.h"

#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbgrid.h"
#include "kit/splitter.h"
#include "stores/productreads.h"

#include <QVBoxLayout>

TSProizvodLista::TSProizvodLista(QWidget* parent) : TSListBase(Captions::Macedonian, parent)
{
    setObjectName(QStringLiteral("SProizvodLista"));
    HelpContext = 4;
    buildSearchList(stores::productreads::list(), QStringLiteral("Prebaruvanje"));
    DBGrid1->addColumn(QStringLiteral("sifra"), QString(), 80);
    DBGrid1->addColumn(QStringLiteral("proizvod"), QString(), 360);
    DBGrid1->addColumn(QStringLiteral("edm"), QString(), 60);
    DBGrid1->addColumn(QStringLiteral("cena"), QString(), 100);
    DBGrid1->addColumn(QStringLiteral("tarifa"), QString(), 80);
    DBGrid1->addColumn(QStringLiteral("rabat"), QString(), 80);

    Query2 = new data::Query(database(), this);
    Query2->setObjectName(QStringLiteral("Query2"));
    for (const QString& line : stores::productreads::listComposition())
        Query2->SQL.Add(line);
    Query2->setMasterSource(DataSource1);
    DataSource2 = new data::DataSource(Query2, this);
    DataSource2->setObjectName(QStringLiteral("DataSource2"));
    DBGrid2 = new kit::DBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setTabStop(false);
    DBGrid2->addColumn(QStringLiteral("sifra"), QString(), 80);
    DBGrid2->addColumn(QStringLiteral("artikal"), QString(), 360);
    DBGrid2->addColumn(QStringLiteral("edm"), QString(), 60);
    DBGrid2->addColumn(QStringLiteral("kolicina"), QString(), 100);
    DBGrid2->setDataSource(DataSource2);

    Splitter1 = new kit::Splitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    bodyLayout()->removeWidget(DBGrid1);
    Splitter1->addWidget(DBGrid1);
    Splitter1->addWidget(DBGrid2);
    Splitter1->setStretchFactor(0, 3);
    Splitter1->setStretchFactor(1, 2);
    bodyLayout()->insertWidget(0, Splitter1, 1);
    // The search strip sits above the lists.
    if (QLayoutItem* strip = bodyLayout()->takeAt(1))
        bodyLayout()->insertItem(0, strip);
    Query2->Open();
}
