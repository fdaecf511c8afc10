#pragma once

#include "frame/tformsrgbase.h"

namespace data {
class DataSource;
class Query;
}
namespace kit {
class CheckBox;
class DBGrid;
class GanttChart;
class PageControl;
class Panel;
}

// Every work order as a bar from its start to its finish on the row of its employee, and
// the same orders in a table. The orders are read once, when the window is created.
class TSNalogGraphic : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSNalogGraphic(QWidget* parent = nullptr);

    kit::PageControl* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr; // "Gantt Chart"
    QWidget* TabSheet2 = nullptr; // "Tabela"
    kit::GanttChart* DBChart1 = nullptr;
    kit::Panel* Panel1 = nullptr; // strip under the chart
    kit::CheckBox* CheckBox1 = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;
    data::Query* Query1 = nullptr;
    data::DataSource* DataSource1 = nullptr;

    // The chart is drawn with depth exactly when "3D View" is ticked.
    void CheckBox1Click();

private:
    void loadChart();
};
