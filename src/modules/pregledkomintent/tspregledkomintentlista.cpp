#include "modules/pregledkomintent/tspregledkomintentlista.h"

#include "frame/formfields.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/chartcategories.h"
#include "kit/guard.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/dbtext.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "stores/partneroverviewreads.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QValueAxis>
#include <QVBoxLayout>

namespace {
const QColor kSkyBlue(166, 202, 240);
}

TSPregledKomintentLista::TSPregledKomintentLista(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SPregledKomintentLista"));
    PageControl1 = frame::fillingPageControl(this, QStringLiteral("PageControl1"));
    QWidget* products = PageControl1->addPage(QStringLiteral("Products"));
    auto* outer = new QVBoxLayout(products);
    outer->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new kit::PageControl(products);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    PageControl2->setFlatTabs(true);
    PageControl2->setFocusPolicy(Qt::NoFocus);
    outer->addWidget(PageControl2);

    Query1 = frame::statementQuery(this, QStringLiteral("Query1"), stores::partneroverview::masterStatementPaged());
    // Read a page of partners at a time: the grid reads on as it is scrolled (Next past the
    // last row read, too); the detail and the chart follow the current row, the printed
    // report reads every row.
    Query1->setPaging(stores::partneroverview::masterPageKey(), stores::partneroverview::pageRows);
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    Query2 = frame::statementQuery(this, QStringLiteral("Query2"), stores::partneroverview::detailStatement());
    Query2->setMasterSource(DataSource1);
    DataSource2 = new data::DataSource(Query2, this);

    // Page "Table": partners above, their movements below.
    QWidget* table = PageControl2->addPage(QStringLiteral("Table"));
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->setSpacing(0);
    DBGrid1 = new kit::DBGrid(table);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("id"), QStringLiteral("ID"), 50);
    DBGrid1->addColumn(QStringLiteral("naziv"), QStringLiteral("Customer -Company"), 260);
    DBGrid1->addColumn(QStringLiteral("adresa"), QStringLiteral("Address"), 200);
    DBGrid1->addColumn(QStringLiteral("grad"), QStringLiteral("Zip, City, State"), 170);
    DBGrid1->addColumn(QStringLiteral("tel"), QStringLiteral("Phone"), 110);
    DBGrid1->addColumn(QStringLiteral("mobil"), QStringLiteral("Cell"), 110);
    tableLayout->addWidget(DBGrid1, 1);
    Panel1 = new kit::Panel(table);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColor(kSkyBlue);
    Panel1->setCaption(QStringLiteral("  Artikli              "));
    Panel1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Panel1->setFixedHeight(24);
    tableLayout->addWidget(Panel1);
    DBGrid2 = new kit::DBGrid(table);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setDataSource(DataSource2);
    DBGrid2->addColumn(QStringLiteral("Vid_na_dokument"), QStringLiteral("Type of doc."), 79);
    DBGrid2->addColumn(QStringLiteral("datum_referenca"), QStringLiteral("Date"), 90);
    DBGrid2->addColumn(QStringLiteral("br_dokument"), QStringLiteral("Doc. No."), 70);
    DBGrid2->addColumn(QStringLiteral("sifra"), QStringLiteral("Product ID"), 75);
    DBGrid2->addColumn(QStringLiteral("artikal"), QStringLiteral("Product Name"), 260);
    DBGrid2->addColumn(QStringLiteral("edm"), QStringLiteral("Unit"), 60);
    DBGrid2->addColumn(QStringLiteral("vlez_kol"), QStringLiteral("In(+) quantity"), 100);
    DBGrid2->addColumn(QStringLiteral("izlez_kol"), QStringLiteral("Out(-) quantity"), 100);
    tableLayout->addWidget(DBGrid2, 1);

    // Page "Graphic View": the current partner's movements as bars, stepping through partners.
    QWidget* graphic = PageControl2->addPage(QStringLiteral("Graphic View"));
    auto* graphicLayout = new QVBoxLayout(graphic);
    graphicLayout->setContentsMargins(0, 0, 0, 0);
    graphicLayout->setSpacing(0);
    Panel2 = new kit::Panel(graphic);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setColor(kSkyBlue);
    auto* strip = new QHBoxLayout(Panel2);
    strip->setContentsMargins(8, 6, 8, 6);
    auto* heading = new kit::Label(QStringLiteral("Duredir na Artikli"), Panel2);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* nameCaption = new kit::Label(QStringLiteral("Naziv na Komintent:"), Panel2);
    nameCaption->setObjectName(QStringLiteral("Label2"));
    DBText1 = new kit::DBText(Panel2);
    DBText1->setObjectName(QStringLiteral("DBText1"));
    DBText1->setDataSource(DataSource1);
    DBText1->setDataField(QStringLiteral("naziv"));
    DBText1->setFont(bold);
    DBText1->setMinimumWidth(240);
    BitBtn3 = new kit::BitBtn(QStringLiteral("Previous (<<)"), QIcon(), Panel2);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn4 = new kit::BitBtn(QStringLiteral("Next (>>)"), QIcon(), Panel2);
    BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
    strip->addWidget(heading);
    strip->addSpacing(24);
    strip->addWidget(nameCaption);
    strip->addWidget(DBText1, 1);
    strip->addWidget(BitBtn3);
    strip->addWidget(BitBtn4);
    graphicLayout->addWidget(Panel2);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Duredir na artikli -vlezna i izlezna kolicina po komintent"));
    DBChart1 = new QChartView(chart, graphic);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->setRenderHint(QPainter::Antialiasing);
    graphicLayout->addWidget(DBChart1, 1);

    BitBtn3->OnClick = [this]() { BitBtn3Click(); };
    BitBtn4->OnClick = [this]() { BitBtn4Click(); };
    // The chart follows the master's row: the detail reruns first, then the chart reloads.
    connect(Query2, &data::Query::afterOpen, this, [this]() { kit::guarded([this] { DataSource1DataChange(); }); });
    Query1->Open();
    Query2->Open();
}

void TSPregledKomintentLista::BitBtn3Click()
{
    Query1->Prior();
}

void TSPregledKomintentLista::BitBtn4Click()
{
    Query1->Next();
}

void TSPregledKomintentLista::DataSource1DataChange()
{
    m_bars.clear();
    for (int row = 0; row < Query2->RecordCount(); ++row) {
        auto value = [&](const char* field) { return Query2->value(row, Query2->fieldIndex(QLatin1String(field))); };
        m_bars.append({value("artikal").toString(), value("vlez_kol").toDouble(), value("izlez_kol").toDouble()});
    }
    QChart* chart = DBChart1->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis), delete axis;
    auto* in = new QBarSet(QStringLiteral("vlez_kol"));
    auto* out = new QBarSet(QStringLiteral("izlez_kol"));
    in->setColor(QColor(220, 40, 40));
    out->setColor(QColor(40, 160, 60));
    QStringList labels;
    double high = 0;
    for (const Bar& b : std::as_const(m_bars)) {
        *in << b.in;
        *out << b.out;
        labels << b.article;
        high = qMax(high, qMax(b.in, b.out));
    }
    auto* series = new QBarSeries;
    series->append(in);
    series->append(out);
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    chart->addSeries(series);
    auto* articles = new QBarCategoryAxis;
    articles->append(kit::distinctCategories(labels)); // one pair per detail row, even of equal names
    chart->addAxis(articles, Qt::AlignBottom);
    series->attachAxis(articles);
    auto* values = new QValueAxis;
    values->setRange(0, high > 0 ? high * 1.1 : 1);
    values->applyNiceNumbers();
    values->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

frame::PrintReport TSPregledKomintentLista::printReport() const
{
    return frame::PrintReport::PartnerCard;
}

frame::PrintSource TSPregledKomintentLista::printSource() const
{
    return {Query1, Query2, nullptr, PageControl1->ActivePageIndex()};
}
