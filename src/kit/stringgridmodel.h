#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace kit {

// What a StringGrid shows, addressed as the grid addresses it: cells by (column, row), row 0
// at the top. The fixed row (row 0 when fixedRows() is 1) is not a model row: it is served as
// the horizontal header, so that it stays in place, looks like a header and lets the
// operator widen columns. Model row r is grid row r + fixedRows(). The fixed column (column
// 0 when fixedCols() is 1) is an ordinary model column shown in the header colour.
//
// A model other than the grid's own cells (a document's lines, say) emits the usual model
// signals when its rows or header change; the grid follows them.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    virtual int colCount() const = 0;
    virtual int gridRowCount() const = 0;
    virtual int fixedRows() const = 0;
    virtual int fixedCols() const = 0;
    // The text shown in a cell; empty outside the counts.
    virtual QString cell(int col, int row) const = 0;

    void setFixedColor(const QColor& color) { m_fixedColor = color; }
    // Header captions written for the display font are shown with the letters they stand for.
    void setYusciiHeader(bool on) { m_yusciiHeader = on; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QColor m_fixedColor;
    bool m_yusciiHeader = false;
};

// The cells of a StringGrid and their layout.
//
// Cells are kept by grid position (column, row) and may be written anywhere, also beyond
// the column and row counts: such cells are kept and appear once the counts include them
// (windows keep hidden values in a column past the visible ones). Shrinking the row count
// drops the rows past it; shrinking the column count keeps the values.
class StringGridModel : public GridModel {
    Q_OBJECT
public:
    explicit StringGridModel(QObject* parent = nullptr);

    int colCount() const override { return m_colCount; }
    int gridRowCount() const override { return m_rowCount; }
    int fixedRows() const override { return m_fixedRows; }
    int fixedCols() const override { return m_fixedCols; }

    // At least one row and one column; fixed rows and columns are 0 or 1 and always leave
    // one ordinary row or column (the fixed count follows a shrinking count down).
    void setColCount(int count);
    void setGridRowCount(int count);
    void setFixedRows(int count);
    void setFixedCols(int count);

    QString cell(int col, int row) const override;
    void setCell(int col, int row, const QString& text);

private:
    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    std::vector<std::vector<QString>> m_cells; // by row, then column
};

} // namespace kit
