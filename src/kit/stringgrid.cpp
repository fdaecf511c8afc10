#include "kit/stringgrid.h"

#include "kit/stringgridmodel.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace kit {

namespace {

// Lets the grid refuse a new current cell (fixed cells, OnSelectCell saying no). Every
// current-cell change of the view, by mouse or keyboard, passes through here.
class CellSelectionModel : public QItemSelectionModel {
public:
    CellSelectionModel(QAbstractItemModel* model, StringGrid* grid) : QItemSelectionModel(model, grid), m_grid(grid) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (m_grid->acceptCurrent(index))
            QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    StringGrid* m_grid;
};

// The view selects nothing itself: the current cell (or row) is drawn as selected here,
// then OnDrawCell may paint over the cell.
class CellDelegate : public QStyledItemDelegate {
public:
    explicit CellDelegate(StringGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const GridDrawState state = m_grid->drawState(index);
        QStyleOptionViewItem opt(option);
        if (state & gdSelected)
            opt.state |= QStyle::State_Selected;
        else
            opt.state &= ~QStyle::State_Selected;
        if (state & gdFixed)
            opt.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, opt, index);
        if (m_grid->OnDrawCell) {
            painter->save();
            m_grid->OnDrawCell(index.column(), m_grid->gridRow(index), option.rect, state, painter);
            painter->restore();
        }
    }

private:
    StringGrid* m_grid;
};

} // namespace

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), m_cells(new StringGridModel(this))
{
    showModel(m_cells);
    setItemDelegate(new CellDelegate(this));

    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(m_defaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    // A caption wider than its column ends in an ellipsis rather than being clipped.
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(m_defaultColWidth);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (m_applyingWidths)
            return;
        if (m_colWidths.size() <= size_t(col))
            m_colWidths.resize(size_t(col) + 1, m_defaultColWidth);
        m_colWidths[size_t(col)] = size;
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { fire(OnDblClick); });
    layoutChanged();
}

void StringGrid::showModel(GridModel* model)
{
    for (const auto& c : m_modelConnections)
        disconnect(c);
    m_modelConnections.clear();
    m_model = model;
    m_model->setFixedColor(palette().color(QPalette::Button));
    m_model->setYusciiHeader(m_yusciiHeader);
    QItemSelectionModel* previous = selectionModel();
    setModel(m_model);
    QItemSelectionModel* replaced = selectionModel(); // setModel made a default one
    setSelectionModel(new CellSelectionModel(m_model, this));
    delete replaced;
    if (previous != replaced)
        delete previous;
    if (m_model == m_cells)
        return; // the setters below follow their own changes
    // Another model changes by itself: rows added or removed, the header row fixed or not.
    const auto follow = [this] { layoutChanged(); };
    m_modelConnections << connect(m_model, &QAbstractItemModel::modelReset, this, follow)
                       << connect(m_model, &QAbstractItemModel::rowsInserted, this, follow)
                       << connect(m_model, &QAbstractItemModel::rowsRemoved, this, follow)
                       << connect(m_model, &QAbstractItemModel::columnsInserted, this, follow)
                       << connect(m_model, &QAbstractItemModel::columnsRemoved, this, follow);
}

void StringGrid::setGridModel(GridModel* model)
{
    showModel(model ? model : m_cells);
    layoutChanged();
}

int StringGrid::ColCount() const
{
    return m_model->colCount();
}
int StringGrid::RowCount() const
{
    return m_model->gridRowCount();
}
int StringGrid::FixedRows() const
{
    return m_model->fixedRows();
}
int StringGrid::FixedCols() const
{
    return m_model->fixedCols();
}

void StringGrid::setColCount(int count)
{
    m_cells->setColCount(count);
    layoutChanged();
}

void StringGrid::setRowCount(int count)
{
    m_cells->setGridRowCount(count);
    layoutChanged();
}

void StringGrid::setFixedRows(int count)
{
    m_cells->setFixedRows(count);
    layoutChanged();
}

void StringGrid::setFixedCols(int count)
{
    m_cells->setFixedCols(count);
    layoutChanged();
}

QString StringGrid::Cells(int col, int row) const
{
    return m_model->cell(col, row);
}

void StringGrid::setCells(int col, int row, const QString& text)
{
    m_cells->setCell(col, row, text);
}

int StringGrid::ColWidths(int col) const
{
    if (col < 0)
        return 0;
    return size_t(col) < m_colWidths.size() ? m_colWidths[size_t(col)] : m_defaultColWidth;
}

void StringGrid::setColWidths(int col, int width)
{
    if (col < 0)
        return;
    if (m_colWidths.size() <= size_t(col))
        m_colWidths.resize(size_t(col) + 1, m_defaultColWidth);
    m_colWidths[size_t(col)] = width;
    applyColumnWidths();
}

void StringGrid::setDefaultColWidth(int width)
{
    m_defaultColWidth = width;
    horizontalHeader()->setDefaultSectionSize(width);
    applyColumnWidths();
}

void StringGrid::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = height;
    verticalHeader()->setDefaultSectionSize(height);
}

void StringGrid::setRow(int row)
{
    m_row = row;
    syncCurrent();
}

void StringGrid::setCol(int col)
{
    m_col = col;
    syncCurrent();
}

void StringGrid::setRowSelect(bool rowSelect)
{
    m_rowSelect = rowSelect;
    viewport()->update();
}

void StringGrid::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void StringGrid::setYusciiHeader(bool on)
{
    m_yusciiHeader = on;
    m_model->setYusciiHeader(on);
    horizontalHeader()->viewport()->update();
}

void StringGrid::Invalidate()
{
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

QRect StringGrid::CellRect(int col, int row) const
{
    if (row < FixedRows())
        return {};
    return visualRect(m_model->index(row - FixedRows(), col));
}

int StringGrid::gridRow(const QModelIndex& index) const
{
    return index.row() + FixedRows();
}

bool StringGrid::acceptCurrent(const QModelIndex& index)
{
    if (m_settingByCode || !index.isValid())
        return true;
    const int col = index.column();
    const int row = gridRow(index);
    if (col < FixedCols())
        return false;
    if (col == m_col && row == m_row)
        return true;
    bool canSelect = true;
    if (OnSelectCell)
        OnSelectCell(col, row, canSelect);
    if (!canSelect)
        return false;
    m_col = col;
    m_row = row;
    viewport()->update();
    return true;
}

GridDrawState StringGrid::drawState(const QModelIndex& index) const
{
    GridDrawState state;
    if (index.column() < FixedCols())
        return gdFixed;
    const bool currentRow = gridRow(index) == m_row;
    if (currentRow && (m_rowSelect || index.column() == m_col))
        state |= gdSelected;
    if (currentRow && index.column() == m_col && hasFocus())
        state |= gdFocused;
    return state;
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    if (dispatchKeyDown(OnKeyDown, event))
        return;
    if (isEnter(keyCode(event))) {
        event->ignore(); // nothing to edit: Enter goes to the window
        return;
    }
    QTableView::keyPressEvent(event);
}

void StringGrid::layoutChanged()
{
    horizontalHeader()->setVisible(FixedRows() > 0);
    applyColumnWidths();
    syncCurrent();
}

void StringGrid::applyColumnWidths()
{
    m_applyingWidths = true;
    for (int col = 0; col < ColCount(); ++col) {
        const int width = ColWidths(col);
        setColumnHidden(col, width <= 0);
        if (width > 0)
            setColumnWidth(col, width);
    }
    m_applyingWidths = false;
}

void StringGrid::syncCurrent()
{
    m_row = qBound(qMin(FixedRows(), RowCount() - 1), m_row, RowCount() - 1);
    m_col = qBound(qMin(FixedCols(), ColCount() - 1), m_col, ColCount() - 1);
    const QModelIndex index = m_model->index(m_row - FixedRows(), m_col);
    m_settingByCode = true;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_settingByCode = false;
    if (index.isValid())
        scrollTo(index);
    viewport()->update();
}

} // namespace kit
