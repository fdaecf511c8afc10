#pragma once

#include "frame/picking.h"
#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"

class QChart;
class QChartView;
class QScrollArea;

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBGrid;
class Edit;
class Label;
class PageControl;
class Panel;
}

// The stock list: in, out and balance of every article with ledger rows, searchable by
// name, with a bar chart of the balances. In pick mode only an article with a balance
// above zero can be picked.
class TSLagerListaLista : public TFormSrgBase, public frame::Printable, public frame::PickSource {
    Q_OBJECT
    Q_INTERFACES(frame::Printable frame::PickSource)
public:
    explicit TSLagerListaLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    kit::PageControl* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr;
    kit::Edit* Edit1 = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;
    data::Query* Query1 = nullptr;
    data::DataSource* DataSource1 = nullptr;
    QChartView* DBChart1 = nullptr;
    // Holds the chart: with many articles the chart grows by a bar's height per article and
    // scrolls, every bar with its readable name.
    QScrollArea* ChartScroll = nullptr;

    // The current row's article id, or -1 when there is no row or its balance is not above 0.
    Q_INVOKABLE int GetArtikalId();
    // A pick takes the article of a row with stock (GetArtikalId).
    std::optional<int> pickedKey(frame::PickKey kind) override;
    // The current row's balance, or -1 likewise.
    float GetArtikalSaldo();

    void Edit1Change();
    void Edit1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void FormActivate() override;

    // The chart's bars: (label, value) in the order shown; for checks.
    QList<QPair<QString, double>> chartBars() const;

private:
    void rerun();
    void rebuildChart();
    bool currentRowHasStock() const;

    bool m_chartStale = true;
};
