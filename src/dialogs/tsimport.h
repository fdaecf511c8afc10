#pragma once

#include "frame/linemodel.h"

#include <QDialog>

#include <functional>
#include <vector>

namespace data {
class Query;
}
namespace kit {
class Button;
class MenuItem;
class PopupMenu;
class StringGrid;
}

// Offers the lines of one goods receipt for a goods dispatch. One row per ledger row of the
// receipt: code, article, unit and received quantity, with the article id kept beyond the
// visible columns (column 5). Column 0 is the mark: "*" takes the line, painted green.
// Every line starts marked; moving to a cell flips the mark of its row. Writes nothing;
// the caller reads the marked rows after "Import". A caller that measures the lines
// (RowsRefused) has "Import" refuse the rows it names: they lose their mark, the operator
// is told, and the dialog stays open for another "Import" or "Cancel".
class TSImport : public QDialog {
    Q_OBJECT
public:
    explicit TSImport(QWidget* owner = nullptr);

    kit::StringGrid* StringGrid1 = nullptr;
    kit::Button* Button3 = nullptr; // "Import": ends with mrOk unless rows are refused
    kit::Button* Button4 = nullptr; // "Cancel"
    kit::Button* Button1 = nullptr; // "Select"
    kit::Button* Button2 = nullptr; // "Clear"
    kit::PopupMenu* PopupMenu1 = nullptr;
    kit::MenuItem* Esc1 = nullptr; // "Close"
    data::Query* Query1 = nullptr;

    // Fills the grid with the lines of the receipt with key `id`, all marked.
    void LoadReceiptLines(int id);

    void StringGrid1SelectCell(int col, int row, bool& canSelect);
    // The marked rows it cannot take, of the marked rows it is given; none by default.
    std::function<QList<int>(const QList<int>& marked)> RowsRefused;

    void Button3Click();
    void Button1Click() { setMarks(true); }
    void Button2Click() { setMarks(false); }

    // The marked line rows, in order.
    QList<int> markedRows() const;
    // The receipt line shown in grid row `row` (1 for the first), as stored: key 0 for a
    // ledger row without an article.
    const frame::Line& lineAt(int row) const { return m_lines.at(size_t(row - 1)); }

private:
    void setMarks(bool marked);

    std::vector<frame::Line> m_lines; // the receipt's lines, in grid order
};
