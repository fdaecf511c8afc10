#include "modules/nalog/tsnaloggraphic.h"

#include "data/datasource.h"
#include "data/query.h"
#include "kit/checkbox.h"
#include "kit/dbgrid.h"
#include "kit/ganttchart.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "stores/workorderreads.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TSNalogGraphic::TSNalogGraphic(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SNalogGraphic"));

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    for (const QString& line : stores::workorderreads::chartOrders())
        Query1->SQL.Add(line);
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new kit::PageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    body->addWidget(PageControl1);

    TabSheet1 = PageControl1->addPage(QStringLiteral("Gantt Chart"));
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* chartPage = new QVBoxLayout(TabSheet1);
    chartPage->setContentsMargins(0, 0, 0, 0);
    chartPage->setSpacing(0);
    DBChart1 = new kit::GanttChart(TabSheet1);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->Title = QStringLiteral("Gantt cart - Vraboteni , Nalozi");
    chartPage->addWidget(DBChart1, 1);
    Panel1 = new kit::Panel(TabSheet1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(10, 4, 10, 4);
    CheckBox1 = new kit::CheckBox(QStringLiteral("3D View"), Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setChecked(true);
    CheckBox1->OnClick = [this]() { CheckBox1Click(); };
    strip->addWidget(CheckBox1);
    strip->addStretch(1);
    chartPage->addWidget(Panel1);

    TabSheet2 = PageControl1->addPage(QStringLiteral("Tabela"));
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* tablePage = new QVBoxLayout(TabSheet2);
    tablePage->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new kit::DBGrid(TabSheet2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setBoldFont(true);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("id"), QString(), 35);
    DBGrid1->addColumn(QStringLiteral("prioritet"), QStringLiteral("vraboten"), 267);
    DBGrid1->addColumn(QStringLiteral("nalog_id"), QString(), 80);
    DBGrid1->addColumn(QStringLiteral("datum_start"), QString(), 167);
    DBGrid1->addColumn(QStringLiteral("datum_finish"), QString(), 121);
    tablePage->addWidget(DBGrid1);

    Query1->Open();
    loadChart();
    resize(1000, 560);
}

void TSNalogGraphic::loadChart()
{
    DBChart1->clear();
    for (Query1->First(); !Query1->Eof(); Query1->Next())
        DBChart1->addTask(Query1->FieldByName(QStringLiteral("Vraboten_id")).AsInteger(),
                          Query1->FieldByName(QStringLiteral("prioritet")).AsString(),
                          Query1->FieldByName(QStringLiteral("Datum_start")).AsDateTime(),
                          Query1->FieldByName(QStringLiteral("Datum_finish")).AsDateTime());
    Query1->First();
}

void TSNalogGraphic::CheckBox1Click()
{
    DBChart1->setView3D(CheckBox1->Checked());
}
