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

data::DataSource* makeSource(data::Query* query, QObject* owner, const char* name)
{
    auto* s = new data::DataSource(query, owner);
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

kit::DBGrid* makeGrid(QWidget* owner, const char* name, data::DataSource* source)
{
    auto* g = new kit::DBGrid(owner);
    g->setObjectName(QString::fromLatin1(name));
    g->setBoldFont(true);
    g->setTabStop(false);
    g->setDataSource(source);
    return g;
}

} // namespace

TSNalogLista::TSNalogLista(QWidget* parent) : TSListBase(Captions::Macedonian, parent)
{
    setObjectName(QStringLiteral("SNalogLista"));

    Query1 = makeQuery(this, "Query1", stores::workorderreads::listOrders(), nullptr);
    DataSource1 = makeSource(Query1, this, "DataSource1");
    Query2 = makeQuery(this, "Query2", stores::workorderreads::listLines(), DataSource1);
    DataSource2 = makeSource(Query2, this, "DataSource2");
    Query3 = makeQuery(this, "Query3", stores::workorderreads::listArticles(), DataSource2);
    DataSource3 = makeSource(Query3, this, "DataSource3");
    Query4 = makeQuery(this, "Query4", stores::workorderreads::listPartner(), DataSource1);
    DataSource4 = makeSource(Query4, this, "DataSource4");

    DBGrid1 = makeGrid(this, "DBGrid1", DataSource1);
    DBGrid1->addColumn(QStringLiteral("nalog_id"), QString(), 51);
    DBGrid1->addColumn(QStringLiteral("datum_start"), QString(), 75);
    DBGrid1->setColumnFits(QStringLiteral("datum_start"), QStringLiteral("0000-00-00"));
    DBGrid1->addColumn(QStringLiteral("prioritet"), QStringLiteral("Vraboten"), 160);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* fields = new QGridLayout(Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    struct Box {
        kit::Label*& label;
        kit::DBEdit*& edit;
        const char* caption;
        data::DataSource* source;
        const char* field;
        int width;
    };
    const Box boxes[] = {
        {Label1, DBEdit1, "Nalog br.", DataSource1, "Nalog_id", 120},
        {Label2, DBEdit2, "Komintent", DataSource4, "NAZIV", 380},
        {Label3, DBEdit3, "Datum na pocetok", DataSource1, "Datum_start", 120},
        {Label4, DBEdit4, "Datum na zavrsetok", DataSource1, "Datum_finish", 120},
        {Label5, DBEdit5, "Vraboten", DataSource1, "prioritet", 380},
    };
    int row = 0;
    for (const Box& b : boxes) {
        b.edit =
            frame::detailField(Panel1, QStringLiteral("DBEdit%1").arg(row + 1), b.source, QString::fromLatin1(b.field));
        b.edit->setFixedWidth(b.width);
        b.label = new kit::Label(QString::fromLatin1(b.caption), Panel1);
        b.label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
        b.label->setBuddy(b.edit);
        fields->addWidget(b.label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(b.edit, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }
    fields->setColumnStretch(2, 1);

    DBGrid3 = makeGrid(this, "DBGrid3", DataSource2);
    DBGrid3->setToolTip(QStringLiteral("Lista na proizvodi koi go socinuvaat nalogot"));
    DBGrid3->addColumn(QStringLiteral("sifra"), QString(), 96);
    DBGrid3->addColumn(QStringLiteral("proizvod"), QString(), 334);
    DBGrid3->addColumn(QStringLiteral("edm"), QString(), 31);
    DBGrid3->addColumn(QStringLiteral("vlez_kol"), QString(), 90);
    DBGrid2 = makeGrid(this, "DBGrid2", DataSource3);
    DBGrid2->setToolTip(QStringLiteral("Lista na artikli od koi se sostoi proizvodot"));
    DBGrid2->addColumn(QStringLiteral("sifra"), QString(), 107);
    DBGrid2->addColumn(QStringLiteral("artikal"), QString(), 328);
    DBGrid2->addColumn(QStringLiteral("edm"), QString(), 45);
    DBGrid2->addColumn(QStringLiteral("vk_kol"), QString(), 90);

    Splitter2 = new kit::Splitter(Qt::Vertical, this);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->addWidget(DBGrid3);
    Splitter2->addWidget(DBGrid2);
    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("Panel2"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(4);
    rightLayout->addWidget(Panel1);
    rightLayout->addWidget(Splitter2, 1);

    Splitter1 = new kit::Splitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(DBGrid1);
    Splitter1->addWidget(right);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({350, 730});
    bodyLayout()->addWidget(Splitter1, 1);

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
