#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace kit {

// The cells of a StringGrid and their layout.
//
// Cells are kept by grid position (column, row) and may be written anywhere, also beyond
// the column and row counts: such cells are kept and appear once the counts include them
// (windows keep hidden values in a column past the visible ones). Shrinking the row count
// drops the rows past it; shrinking the column count keeps the values.
//
// The fixed row (row 0 when FixedRows is 1) is not a model row: it is served as the
// horizontal header, so that it stays in place, looks like a header and lets the
// operator widen columns. Model row r is grid row r + FixedRows. The fixed column (column
// 0 when FixedCols is 1) is an ordinary model column shown in the header colour.
class StringGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit StringGridModel(QObject* parent = nullptr);

    int colCount() const { return m_colCount; }
    int gridRowCount() const { return m_rowCount; }
    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }

    // At least one row and one column; fixed rows and columns are 0 or 1 and always leave
    // one ordinary row or column (the fixed count follows a shrinking count down).
    void setColCount(int count);
    void setGridRowCount(int count);
    void setFixedRows(int count);
    void setFixedCols(int count);

    QString cell(int col, int row) const;
    void setCell(int col, int row, const QString& text);

    void setFixedColor(const QColor& color) { m_fixedColor = color; }
    // Header captions written for the display font are shown with the letters they stand for.
    void setYusciiHeader(bool on) { m_yusciiHeader = on; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    int m_colCount = 5;
    int m_rowCount = 5;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    std::vector<std::vector<QString>> m_cells; // by row, then column
    QColor m_fixedColor;
    bool m_yusciiHeader = false;
};

} // namespace kit
