#pragma once

#include "app/tslistbase.h"

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBEdit;
class DBGrid;
class Label;
class MenuItem;
class Panel;
class Splitter;
}

// The goods receipt list: every receipt, newest first, and beside it the partner and the
// lines of the current one. Refreshed whenever it comes to the front, back on the newest
// receipt. "Del" removes the current receipt with all its ledger rows, in one transaction.
class TSPriemnicaLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSPriemnicaLista(QWidget* parent = nullptr);

    kit::MenuItem* Del1 = nullptr;
    kit::Splitter* Splitter1 = nullptr;
    kit::Panel* Panel1 = nullptr; // light red, the current receipt and its partner
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr;
    kit::Label* Label6 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr; // number
    kit::DBEdit* DBEdit2 = nullptr; // date
    kit::DBEdit* DBEdit3 = nullptr; // partner
    kit::DBEdit* DBEdit4 = nullptr; // address
    kit::DBEdit* DBEdit5 = nullptr; // city
    kit::DBGrid* DBGrid2 = nullptr;
    data::Query* Query2 = nullptr; // lines of the current receipt
    data::DataSource* DataSource2 = nullptr;
    data::Query* Query3 = nullptr; // deletes

    // Reopens the list on the newest receipt and notes its number.
    void RefreshList() override;
    // The number of the newest receipt at the last refresh; 0 when there is none.
    int LastReceiptNumber() const { return m_lastReceiptNumber; }
    // Asks, then removes the current receipt: header and ledger rows together or not at all.
    void BrisiPriemnica();

private:
    int m_lastReceiptNumber = 0;
};
