#pragma once

#include "frame/printdispatch.h"
#include "frame/tslistbase.h"

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBEdit;
class DBGrid;
class Label;
class Panel;
class Splitter;
}

// The work order list: every order, newest first; beside it the header and partner of the
// current order, its product lines and the articles the current line consumes by the
// product's present composition. Read-only; refreshed whenever it comes to the front.
class TSNalogLista : public TSListBase, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
public:
    explicit TSNalogLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    kit::Splitter* Splitter1 = nullptr; // orders | details
    kit::Splitter* Splitter2 = nullptr; // lines | articles
    kit::Panel* Panel1 = nullptr;       // header of the current order
    kit::Label* Label1 = nullptr;
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr; // number
    kit::DBEdit* DBEdit2 = nullptr; // partner
    kit::DBEdit* DBEdit3 = nullptr; // start
    kit::DBEdit* DBEdit4 = nullptr; // finish
    kit::DBEdit* DBEdit5 = nullptr; // employee
    kit::DBGrid* DBGrid3 = nullptr; // product lines
    kit::DBGrid* DBGrid2 = nullptr; // articles of the current line
    data::Query* Query2 = nullptr;
    data::Query* Query3 = nullptr;
    data::Query* Query4 = nullptr;
    data::DataSource* DataSource2 = nullptr;
    data::DataSource* DataSource3 = nullptr;
    data::DataSource* DataSource4 = nullptr;

    // Reopens the orders and notes the number of the newest one.
    void RefreshList() override;
    // The number of the newest order (highest id) at the last refresh; 0 when there is none.
    int LastOrderNumber() const { return m_lastNumber; }

private:
    int m_lastNumber = 0;
};
