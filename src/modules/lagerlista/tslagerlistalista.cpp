#include "modules/lagerlista/tslagerlistalista.h"

#include "frame/formfields.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/chartcategories.h"
#include "kit/guard.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "stores/stocklistreads.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHorizontalStackedBarSeries>
#include <QScrollArea>
#include <QValueAxis>
#include <QVBoxLayout>

TSLagerListaLista::TSLagerListaLista(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SLagerListaLista"));
    PageControl1 = frame::fillingPageControl(this, QStringLiteral("PageControl1"));

    TabSheet1 = PageControl1->addPage(QStringLiteral("Products Remain-Tabela"));
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* table = new QVBoxLayout(TabSheet1);
    table->setContentsMargins(0, 0, 0, 0);
    table->setSpacing(0);
    const frame::SearchStrip search =
        frame::searchStrip(TabSheet1, QStringLiteral("Search by product name"), QColor(166, 202, 240)); // sky blue
    Panel1 = search.panel;
    Label1 = search.label;
    Edit1 = search.edit;
    table->addWidget(Panel1);

    Query1 = frame::statementQuery(this, QStringLiteral("Query1"), stores::stocklist::balanceStatement());
    // Read a page at a time: the grid shows a screenful, and a keystroke in the search
    // must not wait for the balances of every article.
    Query1->setPaging(QStringLiteral("id"), stores::stocklist::pageRows);
    Query1->ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
    DataSource1 = new data::DataSource(Query1, this);
    DBGrid1 = new kit::DBGrid(TabSheet1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("sifra"), QStringLiteral("ID"), 60);
    DBGrid1->addColumn(QStringLiteral("ARTIKAL"), QStringLiteral("Product Name"), 320);
    DBGrid1->addColumn(QStringLiteral("EDM"), QStringLiteral("Unit"), 101);
    DBGrid1->addColumn(QStringLiteral("vk_vlez"), QStringLiteral("Quantity (+) in"), 105);
    DBGrid1->addColumn(QStringLiteral("vk_izlez"), QStringLiteral("Quantity (-) out"), 98);
    DBGrid1->addColumn(QStringLiteral("saldo"), QStringLiteral("Remain Quantity"), 102);
    DBGrid1->setNegativeColor(QStringLiteral("saldo")); // a balance below zero stands out
    table->addWidget(DBGrid1, 1);

    TabSheet2 = PageControl1->addPage(QStringLiteral("Products Remain -Graphic View"));
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* chartLayout = new QVBoxLayout(TabSheet2);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto* chart = new QChart;
    chart->setTitle(QStringLiteral("Vlezen Duredir na Artikli - Saldo"));
    chart->legend()->hide();
    ChartScroll = new QScrollArea(TabSheet2);
    ChartScroll->setObjectName(QStringLiteral("ChartScroll"));
    ChartScroll->setWidgetResizable(true);
    ChartScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ChartScroll->setFrameShape(QFrame::NoFrame);
    DBChart1 = new QChartView(chart);
    DBChart1->setObjectName(QStringLiteral("DBChart1"));
    DBChart1->setRenderHint(QPainter::Antialiasing);
    // The view itself never scrolls: the scroll area around it does.
    DBChart1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBChart1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ChartScroll->setWidget(DBChart1);
    chartLayout->addWidget(ChartScroll);

    Edit1->OnChange = [this]() { Edit1Change(); };
    Edit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit1KeyDown(key, shift); };
    // The chart follows the query; it is drawn when its page is shown. Drawing reads the
    // rows not read yet, which can fail: shown here, never thrown through Qt's signals.
    connect(Query1, &data::Query::afterOpen, this, [this]() {
        m_chartStale = true;
        if (PageControl1->ActivePage() == TabSheet2)
            kit::guarded([this] { rebuildChart(); });
    });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this]() {
        if (PageControl1->ActivePage() == TabSheet2 && m_chartStale)
            kit::guarded([this] { rebuildChart(); });
    });
    Query1->Open();
}

void TSLagerListaLista::rerun()
{
    // Reopened in place: the grid is reset once per keystroke, not twice.
    Query1->ParamByName(QStringLiteral("a")).AsString(Edit1->Text() + QLatin1Char('%'));
    Query1->Open();
}

void TSLagerListaLista::Edit1Change()
{
    rerun();
}

void TSLagerListaLista::FormActivate()
{
    if (activatedJustAfterBuilding())
        return; // the rows just read
    rerun();
}

void TSLagerListaLista::Edit1KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (kit::isEnter(key)) {
        DBGrid1->setFocus(Qt::OtherFocusReason);
        key = 0;
    }
}

bool TSLagerListaLista::currentRowHasStock() const
{
    if (!Query1->Active() || Query1->IsEmpty())
        return false;
    return Query1->FieldByName(QStringLiteral("saldo")).AsFloat() > 0;
}

int TSLagerListaLista::GetArtikalId()
{
    if (!currentRowHasStock())
        return -1;
    return Query1->FieldByName(QStringLiteral("id")).AsInteger();
}

float TSLagerListaLista::GetArtikalSaldo()
{
    if (!currentRowHasStock())
        return -1;
    return float(Query1->FieldByName(QStringLiteral("saldo")).AsFloat());
}

QList<QPair<QString, double>> TSLagerListaLista::chartBars() const
{
    QList<QPair<QString, double>> out;
    for (int row = 0; row < Query1->RecordCount(); ++row) {
        const QString name = Query1->value(row, Query1->fieldIndex(QStringLiteral("ARTIKAL"))).toString();
        const double saldo = Query1->value(row, Query1->fieldIndex(QStringLiteral("saldo"))).toDouble();
        out << qMakePair(name, saldo);
    }
    return out;
}

void TSLagerListaLista::rebuildChart()
{
    m_chartStale = false;
    QChart* chart = DBChart1->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis), delete axis;
    if (!Query1->Active())
        return;
    Query1->FetchAll(); // a bar for every article, not only the rows the grid has read

    // Each bar its own colour: the rows take their colours in turn from a few sets, and a
    // set carries a row's value at that row's category only (0 elsewhere), so the stacked
    // bars show one coloured segment each. A handful of sets keeps the work linear in the
    // rows. Categories run from the bottom up, so the rows are laid in reverse to read in
    // ID_ARTIKAL order (the query's order) from the top.
    auto* series = new QHorizontalStackedBarSeries;
    const QList<QPair<QString, double>> bars = chartBars();
    QStringList categories;
    double low = 0, high = 0;
    const int n = int(bars.size());
    // Names are shown whole; only a very long one is shortened, in the middle.
    for (int i = n - 1; i >= 0; --i)
        categories << kit::categoryLabel(bars.at(i).first, chart->font(), 320);
    constexpr int colours = 12;
    QList<QList<qreal>> segments(qMin(n, colours), QList<qreal>(n, 0.0));
    for (int i = 0; i < n; ++i) {
        segments[i % colours][n - 1 - i] = bars.at(i).second;
        low = qMin(low, bars.at(i).second);
        high = qMax(high, bars.at(i).second);
    }
    for (int k = 0; k < segments.size(); ++k) {
        auto* set = new QBarSet(bars.at(k).first);
        set->append(segments.at(k));
        set->setColor(QColor::fromHsv((k * 47) % 360, 150, 220));
        set->setLabelColor(Qt::black);
        series->append(set);
    }
    series->setLabelsVisible(true);
    series->setLabelsFormat(QStringLiteral("@value"));
    // The value stands beyond the end of its bar, never over it.
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setBarWidth(0.7);
    chart->addSeries(series);
    auto* names = new QBarCategoryAxis;
    names->append(kit::distinctCategories(categories)); // a bar per row, even of equal names
    names->setTruncateLabels(false);
    chart->addAxis(names, Qt::AlignLeft);
    series->attachAxis(names);
    auto* values = new QValueAxis;
    // Room beyond the longest bars for their value labels.
    const double room = qMax(high - low, 1.0) * 0.12;
    values->setRange(low < 0 ? low - room / 3 : 0, high > 0 ? high + room : (low < 0 ? 0 : 1));
    values->applyNiceNumbers();
    values->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(values, Qt::AlignBottom);
    series->attachAxis(values);
    // A bar's height for every article (title and value axis besides): with many articles
    // the chart grows and the page scrolls rather than squeezing the names away.
    DBChart1->setMinimumHeight(n * kit::barPitch + 150);
}

frame::PrintReport TSLagerListaLista::printReport() const
{
    return frame::PrintReport::Stock;
}

frame::PrintSource TSLagerListaLista::printSource() const
{
    return {Query1, nullptr, nullptr, PageControl1->ActivePageIndex()};
}

std::optional<int> TSLagerListaLista::pickedKey(frame::PickKey kind)
{
    if (kind != frame::PickKey::StockArticle)
        return std::nullopt;
    return GetArtikalId();
}
