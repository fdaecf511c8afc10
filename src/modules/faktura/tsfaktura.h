#pragma once

#include "frame/tformsrgbase.h"
#include "frame/tslistbase.h"

class QDateEdit;
class QTimeEdit;

namespace data {
class DataSource;
class Query;
}
namespace kit {
class BitBtn;
class DBEdit;
class DBGrid;
class Edit;
class Label;
class Panel;
class Splitter;
class StringGrid;
}

// The invoice entry window: the fields of an order-like document, a line grid and buttons.
// It carries no behaviour: the buttons do nothing and its queries never run.
class TSFakturaVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSFakturaVnes(QWidget* parent = nullptr);

    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr;         // "Nalog br."
    kit::Label* Label2 = nullptr;         // "Komintent"
    kit::Label* Label3 = nullptr;         // "Datum na pocetok"
    kit::Label* Label4 = nullptr;         // "Datum na zavrsetok"
    kit::Label* Label5 = nullptr;         // "Vraboten"
    kit::Label* Label6 = nullptr;         // "Prioritet"
    kit::Edit* Edit1 = nullptr;           // number
    kit::Edit* Edit2 = nullptr;           // partner code
    kit::Edit* Edit3 = nullptr;           // partner name
    kit::Edit* Edit4 = nullptr;           // employee code
    kit::Edit* Edit5 = nullptr;           // employee name
    kit::Edit* Edit6 = nullptr;           // priority
    QDateEdit* DateTimePicker1 = nullptr; // start date
    QTimeEdit* DateTimePicker2 = nullptr; // start time
    QDateEdit* DateTimePicker3 = nullptr; // finish date
    QTimeEdit* DateTimePicker4 = nullptr; // finish time
    kit::BitBtn* BitBtn1 = nullptr;       // "Vnesi"
    kit::BitBtn* BitBtn2 = nullptr;       // "Add"
    kit::BitBtn* BitBtn3 = nullptr;       // "Delete"
    kit::StringGrid* StringGrid1 = nullptr;
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;
};

// The invoice edit window: nothing beyond Close (Esc).
class TSFakturaKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSFakturaKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent)
    {
        setObjectName(QStringLiteral("SFakturaKorekcija"));
    }
};

// A read-only browser of work orders: the orders newest number first, beside them the
// current order's fields, its product rows and the composition of the current product.
class TSFakturaLista : public TSListBase {
    Q_OBJECT
public:
    explicit TSFakturaLista(QWidget* parent = nullptr);

    kit::Splitter* Splitter1 = nullptr; // orders | details
    kit::Splitter* Splitter2 = nullptr; // products | articles
    kit::Panel* Panel1 = nullptr;
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr;
    kit::Label* Label6 = nullptr;
    kit::Label* Label7 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr; // number
    kit::DBEdit* DBEdit2 = nullptr; // partner
    kit::DBEdit* DBEdit3 = nullptr; // start
    kit::DBEdit* DBEdit4 = nullptr; // employee
    kit::DBEdit* DBEdit5 = nullptr; // finish
    kit::DBEdit* DBEdit6 = nullptr; // priority
    kit::DBGrid* DBGrid2 = nullptr; // products of the order
    kit::DBGrid* DBGrid3 = nullptr; // articles of the product
    data::Query* Query2 = nullptr;  // products of the current order
    data::Query* Query3 = nullptr;  // articles of the current product
    data::Query* Query4 = nullptr;  // partner of the current order
    data::DataSource* DataSource2 = nullptr;
    data::DataSource* DataSource3 = nullptr;
    data::DataSource* DataSource4 = nullptr;
};
