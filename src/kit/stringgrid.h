#pragma once

#include "kit/events.h"

#include <QTableView>

#include <vector>

namespace kit {

class GridModel;
class StringGridModel;

// How a cell is drawn, handed to OnDrawCell.
enum GridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
Q_DECLARE_FLAGS(GridDrawState, GridDrawStateFlag)

// Grid of texts addressed by (column, row), row 0 at the top.
//
// The counts start as in the original control: 5 columns, 5 rows, one fixed row and one
// fixed column. With FixedRows 1, row 0 is the header: it stays at the top, is drawn as a
// header, can never become the current row and is where the operator widens columns.
// With FixedCols 1, column 0 is drawn in the header colour and never becomes current.
// No cell is ever editable; Tab leaves the grid.
//
// The current cell (Row(), Col()) moves by mouse and arrow keys. Before the operator moves
// it to another cell, OnSelectCell(col, row, canSelect) runs and may refuse the move;
// moving to the cell that is already current runs nothing. Moves made by code (setRow,
// count changes) do not run OnSelectCell.
//
// OnDrawCell(col, row, rect, state, painter) runs after the default drawing of every
// ordinary cell (not the header row) and may paint over it.
//
// The grid shows its own cells, or another GridModel handed to setGridModel (a document's
// typed lines): then the counts and Cells come from that model, and the setters of counts
// and cells, which write the grid's own cells, are not to be used.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    explicit StringGrid(QWidget* parent = nullptr);

    int ColCount() const;
    void setColCount(int count);
    int RowCount() const;
    // At least 1. A row count down to the fixed rows makes the fixed row ordinary.
    void setRowCount(int count);
    int FixedRows() const;
    void setFixedRows(int count); // 0 or 1; needs at least two rows
    int FixedCols() const;
    void setFixedCols(int count); // 0 or 1

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);

    // Shows `model` (not owned; nullptr: the grid's own cells again).
    void setGridModel(GridModel* model);
    GridModel* gridModel() const { return m_model; }

    // Width in pixels; 0 or less hides the column.
    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    int DefaultColWidth() const { return m_defaultColWidth; }
    void setDefaultColWidth(int width);
    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultRowHeight(int height);

    int Row() const { return m_row; }
    void setRow(int row);
    int Col() const { return m_col; }
    void setCol(int col);

    // The whole current row is highlighted, not only the current cell.
    void setRowSelect(bool rowSelect);
    bool rowSelect() const { return m_rowSelect; }
    // Whether Tab reaches the grid.
    void setTabStop(bool tabStop);

    // The header row shows captions written for the display font ("Koli~ina") with the
    // letters they stand for; Cells keeps the stored text.
    void setYusciiHeader(bool on);

    // Repaints every cell.
    void Invalidate();
    // The rectangle of a cell in viewport coordinates (empty when not shown).
    QRect CellRect(int col, int row) const;

    std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
    std::function<void(int col, int row, const QRect& rect, GridDrawState state, QPainter* painter)> OnDrawCell;
    KeyDownHandler OnKeyDown;
    NotifyHandler OnDblClick;

    // Used by the grid's selection model and delegate.
    bool acceptCurrent(const QModelIndex& index);
    GridDrawState drawState(const QModelIndex& index) const;
    int gridRow(const QModelIndex& index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layoutChanged();
    void showModel(GridModel* model);
    void applyColumnWidths();
    void syncCurrent();

    StringGridModel* m_cells;     // the grid's own cells
    GridModel* m_model = nullptr; // what the grid shows
    QList<QMetaObject::Connection> m_modelConnections;
    bool m_yusciiHeader = false;
    std::vector<int> m_colWidths;
    int m_defaultColWidth = 64;
    int m_defaultRowHeight = 24;
    int m_row = 1;
    int m_col = 1;
    bool m_rowSelect = false;
    bool m_settingByCode = false;
    bool m_applyingWidths = false;
};

} // namespace kit

Q_DECLARE_OPERATORS_FOR_FLAGS(kit::GridDrawState)
