#pragma once

#include "frame/printdispatch.h"
#include "frame/tformsrgbase.h"

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

// The article overview: totals per article above, the movements of the selected article
// below (oldest first). It reads only and shows the ledger as of its opening or the last
// change of the search text.
class TSPregledArtikalLista : public TFormSrgBase, public frame::Printable {
    Q_OBJECT
    Q_INTERFACES(frame::Printable)
public:
    explicit TSPregledArtikalLista(QWidget* parent = nullptr);

    frame::PrintReport printReport() const override;
    frame::PrintSource printSource() const override;

    kit::PageControl* PageControl1 = nullptr;
    kit::DBGrid* DBGrid1 = nullptr;
    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr;
    kit::Edit* Edit1 = nullptr;
    kit::DBGrid* DBGrid2 = nullptr;
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;
    data::DataSource* DataSource1 = nullptr;
    data::DataSource* DataSource2 = nullptr;

    void Edit1Change();
    void Edit1KeyDown(int& key, Qt::KeyboardModifiers shift);
};

// The article overview's entry window: nothing beyond Close (Esc).
class TSPregledArtikalVnes : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSPregledArtikalVnes(QWidget* parent = nullptr) : TFormSrgBase(parent) {}
};

// The article overview's edit window: nothing beyond Close (Esc).
class TSPregledArtikalKorekcija : public TFormSrgBase {
    Q_OBJECT
public:
    explicit TSPregledArtikalKorekcija(QWidget* parent = nullptr) : TFormSrgBase(parent) {}
};
