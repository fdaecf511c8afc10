#pragma once

#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"

namespace data {
class DataSource;
class Query;
}
namespace kit {
class Button;
class DBEdit;
class DBGrid;
class Label;
class MaskEdit;
class Panel;
}

// The list of outgoing invoices: for every goods dispatch dated within the period its
// value, discount, value after discount, tax and gross amount, and the same figures over
// the whole period in the strip below. Reads only; the period applies on Ok.
class TSReportFinanLista : public TFormSrgBase, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
public:
    explicit TSReportFinanLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    kit::Panel* Panel1 = nullptr; // period
    kit::Label* Label1 = nullptr; // title
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::MaskEdit* MaskEdit1 = nullptr; // start date
    kit::MaskEdit* MaskEdit2 = nullptr; // end date
    kit::Button* Button1 = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;
    kit::Panel* Panel2 = nullptr; // totals
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr;
    kit::Label* Label6 = nullptr;
    kit::Label* Label7 = nullptr;
    kit::Label* Label8 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr; // vkiznos
    kit::DBEdit* DBEdit2 = nullptr; // rabat
    kit::DBEdit* DBEdit3 = nullptr; // vkiznos_rabat
    kit::DBEdit* DBEdit4 = nullptr; // danok
    kit::DBEdit* DBEdit5 = nullptr; // bruto
    data::Query* Query1 = nullptr;  // one row per dispatch
    data::Query* Query2 = nullptr;  // totals of the period
    data::DataSource* DataSource1 = nullptr;
    data::DataSource* DataSource2 = nullptr;

    void MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void MaskEdit2KeyDown(int& key, Qt::KeyboardModifiers shift);
    void Button1Click();
};

// The financial report's entry window: nothing beyond Close (Esc).
class TSReportFinanVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSReportFinanVnes(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SReportFinanVnes"));
    }
};

// The financial report's edit window: nothing beyond Close (Esc).
class TSReportFinanKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSReportFinanKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SReportFinanKorekcija"));
    }
};
