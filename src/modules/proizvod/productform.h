#pragma once

#include "frame/picking.h"
#include "frame/tformsrgbase.h"
#include "stores/productstore.h"

namespace data {
class Query;
}
namespace frame {
class LineModel;
}
namespace kit {
class BitBtn;
class Edit;
class GroupBox;
class Label;
class MaskEdit;
class Panel;
class Splitter;
class StringGrid;
}

// What the product entry and edit windows share: the fields of the product, the buttons,
// the composition grid with its rules, the article pick and the product handed to its store.
class ProductForm : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    explicit ProductForm(QWidget* parent = nullptr);

    kit::Panel* Panel1 = nullptr;
    kit::GroupBox* GroupBox1 = nullptr; // "Osnovni podatoci"
    kit::Label* Label1 = nullptr;       // "Sifra"
    kit::Label* Label2 = nullptr;       // "Proizvod"
    kit::Label* Label3 = nullptr;       // "Edm"
    kit::Label* Label4 = nullptr;       // "Cena "
    kit::Label* Label5 = nullptr;       // "Tarifa"
    kit::Label* Label6 = nullptr;       // "Rabat"
    kit::MaskEdit* MaskEdit1 = nullptr; // code
    kit::Edit* Edit2 = nullptr;         // name
    kit::Edit* Edit3 = nullptr;         // unit
    kit::Edit* Edit4 = nullptr;         // price
    kit::Edit* Edit5 = nullptr;         // tax rate
    kit::Edit* Edit6 = nullptr;         // discount
    kit::BitBtn* BitBtn1 = nullptr;     // "Add" (wired by the module)
    kit::BitBtn* BitBtn2 = nullptr;     // "Delete"
    kit::BitBtn* BitBtn3 = nullptr;     // save
    kit::Splitter* Splitter1 = nullptr;
    kit::StringGrid* StringGrid1 = nullptr;
    frame::LineModel* Lines = nullptr; // the composition, shown by StringGrid1
    data::Query* Query1 = nullptr;

    // Delivery of an article picked for the composition (-1: nothing was picked): asks the
    // quantity per product unit and adds a line on "Ok".
    Q_INVOKABLE void ReceiveArticle(int id) override;
    void DeleteLine(int row);
    void BitBtn2Click();
    virtual void BitBtn3Click() = 0;
    // Name, unit, price, tax rate, discount and at least one line are there; otherwise the
    // focus goes to the first gap and the answer is false.
    bool CheckFields();

protected:
    // The product as the save takes it (the code left 0); throws data::ConvertError on a
    // field the save refuses as it stands.
    stores::Product productToSave() const;
    // Replaces the window's Query1 statement.
    void prepare(const QString& statement);
};
