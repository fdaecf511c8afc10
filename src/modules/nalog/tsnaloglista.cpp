#include "modules/nalog/tsnaloglista.h"

#include "frame/formfields.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/label.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "stores/workorderreads.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace {

data::Query* makeQuery(QObject* owner, const char* name, const QStringList& lines, data::DataSource* master)
{
    auto* q = new data::Query(TFormSrgBase::databaseOf(owner), owner);
    q->setObjectName(QString::fromLatin1(name));
    for (const QString& line : lines)
        q->SQL.Add(line);
    if (master)
        q->setMasterSource(master);
    return q;
}

} // namespace

TSNalogLista::TSNalogLista(QWidget* parent) : TSListBase(Captions::Macedonian, parent)
{
    setObjectName(QStringLiteral("SNalogLista"));

    Query1 = makeQuery(this, "Query1", stores::workorderreads::listOrders(), nullptr);
    DataSource1 = frame::namedSource(Query1, this, "DataSource1");
    Query2 = makeQuery(this, "Query2", stores::workorderreads::listLines(), DataSource1);
    DataSource2 = frame::namedSource(Query2, this, "DataSource2");
    Query3 = makeQuery(this, "Query3", stores::workorderreads::listArticles(), DataSource2);
    DataSource3 = frame::namedSource(Query3, this, "DataSource3");
    Query4 = makeQuery(this, "Query4", stores::workorderreads::listPartner(), DataSource1);
    DataSource4 = frame::namedSource(Query4, this, "DataSource4");

    DBGrid1 = frame::listGrid(this, "DBGrid1", DataSource1);
    DBGrid1->addColumn(QStringLiteral("nalog_id"), QString(), 51);
    DBGrid1->addColumn(QStringLiteral("datum_start"), QString(), 75);
    DBGrid1->setColumnFits(QStringLiteral("datum_start"), QStringLiteral("0000-00-00"));
    DBGrid1->addColumn(QStringLiteral("prioritet"), QStringLiteral("Vraboten"), 160);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    frame::placeDetailBoxes(Panel1,
                            {
                                {&Label1, &DBEdit1, QStringLiteral("Nalog br."), DataSource1, QStringLiteral("Nalog_id"), 120},
                                {&Label2, &DBEdit2, QStringLiteral("Komintent"), DataSource4, QStringLiteral("NAZIV"), 380},
                                {&Label3, &DBEdit3, QStringLiteral("Datum na pocetok"), DataSource1,
                                 QStringLiteral("Datum_start"), 120},
                                {&Label4, &DBEdit4, QStringLiteral("Datum na zavrsetok"), DataSource1,
                                 QStringLiteral("Datum_finish"), 120},
                                {&Label5, &DBEdit5, QStringLiteral("Vraboten"), DataSource1, QStringLiteral("prioritet"), 380},
                            },
                            1);

    DBGrid3 = frame::listGrid(this, "DBGrid3", DataSource2);
    DBGrid3->setToolTip(QStringLiteral("Lista na proizvodi koi go socinuvaat nalogot"));
    DBGrid3->addColumn(QStringLiteral("sifra"), QString(), 96);
    DBGrid3->addColumn(QStringLiteral("proizvod"), QString(), 334);
    DBGrid3->addColumn(QStringLiteral("edm"), QString(), 31);
    DBGrid3->addColumn(QStringLiteral("vlez_kol"), QString(), 90);
    DBGrid2 = frame::listGrid(this, "DBGrid2", DataSource3);
    DBGrid2->setToolTip(QStringLiteral("Lista na artikli od koi se sostoi proizvodot"));
    DBGrid2->addColumn(QStringLiteral("sifra"), QString(), 107);
    DBGrid2->addColumn(QStringLiteral("artikal"), QString(), 328);
    DBGrid2->addColumn(QStringLiteral("edm"), QString(), 45);
    DBGrid2->addColumn(QStringLiteral("vk_kol"), QString(), 90);

    Splitter2 = frame::gridAboveGrid(this, DBGrid3, DBGrid2);
    Splitter1 = frame::listBesideDetails(this, bodyLayout(), DBGrid1, Panel1, Splitter2, {350, 730});

    setFocusProxy(DBGrid1);
    Query1->Open();
    Query2->Open();
    Query3->Open();
    Query4->Open();
    RefreshList();
}

void TSNalogLista::RefreshList()
{
    Query1->Close();
    Query1->Open();
    Query1->First();
    m_lastNumber = Query1->IsEmpty() ? 0 : Query1->FieldByName(QStringLiteral("nalog_id")).AsInteger();
}

frame::PrintReport TSNalogLista::printReport() const
{
    return frame::PrintReport::WorkOrders;
}

frame::PrintSource TSNalogLista::printSource() const
{
    return {Query1, Query2, Query3};
}
