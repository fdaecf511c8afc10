#pragma once

#include "app/tformsrgbase.h"

#include <QStringList>

#include <vector>

namespace data {
class Database;
class Query;
}
namespace kit {
class BitBtn;
class Edit;
class Label;
class MaskEdit;
class Panel;
class StringGrid;
}

// What the goods receipt entry and edit windows share: the header fields (number, partner,
// date), the buttons, the line grid with its rules, the partner and article picks, and
// the writing of the ledger rows.
//
// The line grid has six columns (0 stays empty): article id, code, name, unit, quantity.
// It starts as one ordinary row; the first line added makes row 0 the fixed header.
class ReceiptForm : public TFormSrgBase {
    Q_OBJECT
public:
    explicit ReceiptForm(QWidget* parent = nullptr);

    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr; // beside MaskEdit2
    kit::Label* Label2 = nullptr; // "Company Partner"
    kit::Label* Label3 = nullptr; // "Date (YYYY.-MM.-DD)"
    kit::MaskEdit* MaskEdit2 = nullptr; // receipt number
    kit::Edit* Edit2 = nullptr;         // partner name
    kit::MaskEdit* MaskEdit1 = nullptr; // date
    kit::BitBtn* BitBtn2 = nullptr;     // "Add"
    kit::BitBtn* BitBtn3 = nullptr;     // "Delete"
    kit::BitBtn* BitBtn1 = nullptr;     // save
    kit::StringGrid* StringGrid1 = nullptr;
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;

    // The chosen partner; 0 until one is picked. Typing in the partner field without a
    // pick clears it, so the name shown is always the partner saved.
    int PartnerId = 0;

    // Pick deliveries from the partner and article lists (called by name).
    Q_INVOKABLE void VnesiKomintentiID(int id);
    Q_INVOKABLE void VnesiArtikalID(int id);

    // Removes the line in `row`; the lines below move up. No line: nothing changes.
    void ProcDelete(int row);
    void BitBtn3Click() { ProcDelete(currentGridRow()); }
    // The number, the partner (picked) and at least one line are there.
    virtual bool ProcCheckVnes();
    virtual void BitBtn1Click() = 0;

    // Line rows in the grid (the header row not counted).
    int lineCount() const;

protected:
    // The grid columns copied when a line moves: 2..lastTextColumn (5 for the entry
    // window, 7 for the edit window, which keeps price and tax beside the line).
    virtual int lastTextColumn() const { return 5; }
    // Whether an added line also keeps the dialog's price and tax (columns 6 and 7).
    virtual bool keepsPriceAndTax() const { return false; }

    // Refuses an incomplete window or a date that is not a real calendar date with
    // `message` ("Warning"), the focus then in the date field when the date was wrong.
    bool checkBeforeSave(const QString& message);
    // Inserts one 'P' ledger row per line under the header id, labelled with `number`.
    void insertLedgerRows(int headerId, int number);
    void setLineHeaderTexts(const QStringList& texts);
    int currentGridRow() const;
    // The connection the window writes on (throws when there is none).
    data::Database& connection() const;

private:
    void Edit2TextEdited();
};
