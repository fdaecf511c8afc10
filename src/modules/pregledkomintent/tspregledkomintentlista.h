#pragma once

#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"

class QChartView;

namespace data {
class DataSource;
class Query;
}
namespace kit {
class BitBtn;
class DBGrid;
class DBText;
class Label;
class PageControl;
class Panel;
}

// The partner overview: partners with article movements, the movements of the selected
// partner (highest document number first) and a chart of them; Previous/Next step through
// the partners. It reads only.
class TSPregledKomintentLista : public TFormSrgBase, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
public:
    explicit TSPregledKomintentLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    kit::PageControl* PageControl1 = nullptr; // outer: "Products"
    kit::PageControl* PageControl2 = nullptr; // inner: "Table", "Graphic View"
    kit::DBGrid* DBGrid1 = nullptr;
    kit::Panel* Panel1 = nullptr;
    kit::DBGrid* DBGrid2 = nullptr;
    kit::Panel* Panel2 = nullptr;
    kit::DBText* DBText1 = nullptr;
    kit::BitBtn* BitBtn3 = nullptr;
    kit::BitBtn* BitBtn4 = nullptr;
    QChartView* DBChart1 = nullptr;
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;
    data::DataSource* DataSource1 = nullptr;
    data::DataSource* DataSource2 = nullptr;

    void BitBtn3Click();
    void BitBtn4Click();
    void DataSource1DataChange();

    // The chart's bar pairs: (article, in, out) in the order of the detail; for checks.
    struct Bar {
        QString article;
        double in;
        double out;
        bool operator==(const Bar& o) const { return article == o.article && in == o.in && out == o.out; }
    };
    QList<Bar> chartBars() const { return m_bars; }

private:
    QList<Bar> m_bars;
};

// The partner overview's entry window: nothing beyond Close (Esc).
class TSPregledKomintentVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSPregledKomintentVnes(QWidget* parent = nullptr) : TFormSrgBase(parent) {}
};

// The partner overview's edit window: nothing beyond Close (Esc).
class TSPregledKomintentKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSPregledKomintentKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent) {}
};
