#include "kit/stringgridmodel.h"

#include "kit/yuscii.h"

namespace kit {

StringGridModel::StringGridModel(QObject* parent) : GridModel(parent) {}

void StringGridModel::setColCount(int count)
{
    count = qMax(1, count);
    if (count == m_colCount)
        return;
    if (count > m_colCount) {
        beginInsertColumns(QModelIndex(), m_colCount, count - 1);
        m_colCount = count;
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), count, m_colCount - 1);
        m_colCount = count;
        endRemoveColumns();
    }
    if (m_fixedCols >= m_colCount)
        setFixedCols(m_colCount - 1);
}

void StringGridModel::setGridRowCount(int count)
{
    count = qMax(1, count);
    if (count == m_rowCount)
        return;
    if (count <= m_fixedRows) {
        // The fixed row would be the only row: it becomes an ordinary one.
        beginResetModel();
        m_rowCount = count;
        m_fixedRows = count - 1;
        if (m_cells.size() > size_t(count))
            m_cells.resize(size_t(count));
        endResetModel();
        return;
    }
    if (count > m_rowCount) {
        beginInsertRows(QModelIndex(), m_rowCount - m_fixedRows, count - m_fixedRows - 1);
        m_rowCount = count;
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), count - m_fixedRows, m_rowCount - m_fixedRows - 1);
        m_rowCount = count;
        if (m_cells.size() > size_t(count))
            m_cells.resize(size_t(count));
        endRemoveRows();
    }
}

void StringGridModel::setFixedRows(int count)
{
    count = qBound(0, count, qMin(1, m_rowCount - 1));
    if (count == m_fixedRows)
        return;
    beginResetModel();
    m_fixedRows = count;
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, m_colCount - 1);
}

void StringGridModel::setFixedCols(int count)
{
    count = qBound(0, count, qMin(1, m_colCount - 1));
    if (count == m_fixedCols)
        return;
    m_fixedCols = count;
    emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

QString StringGridModel::cell(int col, int row) const
{
    if (row < 0 || col < 0 || size_t(row) >= m_cells.size())
        return {};
    const auto& cells = m_cells[size_t(row)];
    return size_t(col) < cells.size() ? cells[size_t(col)] : QString();
}

void StringGridModel::setCell(int col, int row, const QString& text)
{
    if (row < 0 || col < 0)
        return;
    if (m_cells.size() <= size_t(row))
        m_cells.resize(size_t(row) + 1);
    auto& cells = m_cells[size_t(row)];
    if (cells.size() <= size_t(col))
        cells.resize(size_t(col) + 1);
    if (cells[size_t(col)] == text)
        return;
    cells[size_t(col)] = text;
    if (col >= m_colCount || row >= m_rowCount)
        return;
    if (row < m_fixedRows) {
        emit headerDataChanged(Qt::Horizontal, col, col);
    } else {
        const QModelIndex changed = index(row - m_fixedRows, col);
        emit dataChanged(changed, changed, {Qt::DisplayRole});
    }
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - fixedRows();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : colCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.column(), index.row() + fixedRows());
    case Qt::BackgroundRole:
        if (index.column() < fixedCols() && m_fixedColor.isValid())
            return m_fixedColor;
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (fixedRows() == 0)
            return QString();
        return m_yusciiHeader ? yusciiToUnicode(cell(section, 0)) : cell(section, 0);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() < fixedCols())
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable; // never editable
}

} // namespace kit
