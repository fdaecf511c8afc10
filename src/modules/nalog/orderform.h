#pragma once

#include "frame/picking.h"
#include "frame/tformsrgbase.h"
#include "stores/workorderstore.h"

namespace data {
class Query;
}
namespace frame {
class LineModel;
}
namespace kit {
class BitBtn;
class Edit;
class Label;
class MaskEdit;
class Panel;
class StringGrid;
}

// What the work order entry and edit windows share: the header fields (number, partner,
// dates, employee), the buttons, the product line grid with its rules, the picks, the
// checks before saving and the order handed to its store to save.
class OrderForm : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    explicit OrderForm(QWidget* parent = nullptr);

    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr;       // "Nalog br."
    kit::Label* Label2 = nullptr;       // "Komintent"
    kit::Label* Label3 = nullptr;       // start date
    kit::Label* Label4 = nullptr;       // finish date
    kit::Label* Label5 = nullptr;       // "Vraboten"
    kit::Edit* Edit1 = nullptr;         // order number
    kit::Edit* Edit2 = nullptr;         // partner name
    kit::MaskEdit* MaskEdit1 = nullptr; // start date
    kit::MaskEdit* MaskEdit2 = nullptr; // finish date
    kit::Edit* Edit3 = nullptr;         // employee name
    kit::BitBtn* BitBtn2 = nullptr;     // "Add" (wired by the module)
    kit::BitBtn* BitBtn3 = nullptr;     // "Delete"
    kit::BitBtn* BitBtn1 = nullptr;     // save
    kit::StringGrid* StringGrid1 = nullptr;
    frame::LineModel* Lines = nullptr; // the products made, shown by StringGrid1
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;

    // The picked partner; 0 until one is picked. Typing over the name clears it.
    int PartnerId = 0;

    // Pick deliveries; -1 comes from an empty list.
    Q_INVOKABLE void ReceivePartner(int id) override;
    Q_INVOKABLE void ReceiveEmployee(int id) override = 0;
    Q_INVOKABLE void ReceiveProduct(int id) override;
    // The start date after a partner pick, "Add" after an employee pick.
    QWidget* controlAfterPick(frame::AfterPick after) override;

    void DeleteLine(int row);
    void BitBtn3Click();
    virtual void BitBtn1Click() = 0;
    // Number, partner, employee and at least one line are there (moves no focus).
    virtual bool CheckFields();

protected:
    // Whether an employee has been picked (or loaded) and not typed over since.
    virtual bool hasEmployee() const = 0;
    virtual void employeeTyped() = 0;
    // Everything the save needs: CheckFields, picked partner and employee, real dates with
    // the finish not before the start. On a gap: "Popolni gi site polinja za vnes!!!" and
    // the focus on the field to correct.
    bool checkBeforeSave();
    // The order as the save takes it, with the employee given; throws stores::InvalidValue
    // on a line that names no product.
    stores::WorkOrder orderToSave(int employee, const QString& employeeName) const;
    void prepare(data::Query* query, const QString& statement);
};
