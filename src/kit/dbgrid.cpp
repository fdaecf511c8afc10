#include "kit/dbgrid.h"

#include <algorithm>

#include "data/datasource.h"
#include "data/query.h"
#include "kit/csv.h"
#include "kit/guard.h"
#include "kit/layoutmemory.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "kit/popupmenu.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>

namespace kit {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DBGridModel(this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    // A caption wider than its column ends in an ellipsis rather than being clipped.
    horizontalHeader()->setTextElideMode(Qt::ElideRight);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!m_applyingWidths && col < m_widths.size()) {
            m_widths[col] = size;
            // The operator's widths are remembered for the next run.
            if (!objectName().isEmpty() && col < m_widthFields.size())
                saveColumnWidths(gridKey(this), {{m_widthFields.at(col), size}});
        }
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { fire(OnDblClick); });
}

data::Query* DBGrid::query() const
{
    return m_source ? m_source->DataSet() : nullptr;
}

void DBGrid::setDataSource(data::DataSource* source)
{
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (source) {
        m_connections.append(connect(source, &data::DataSource::changed, this, &DBGrid::sourceChanged));
        m_connections.append(connect(source, &data::DataSource::currentChanged, this, &DBGrid::followQuery));
    }
    sourceChanged();
}

void DBGrid::setColumns(const QList<DBGridColumn>& columns)
{
    m_model->setColumns(columns);
    applyWidths();
    followQuery();
}

void DBGrid::setColumnFits(const QString& fieldName, const QString& sample)
{
    m_fits.insert(fieldName.toLower(), sample);
    m_widthFields.clear(); // measured again
    applyWidths();
}

void DBGrid::addColumn(const QString& fieldName, const QString& title, int width, const QString& displayMask,
                       const QColor& color)
{
    QList<DBGridColumn> columns = m_model->columns();
    DBGridColumn column;
    column.fieldName = fieldName;
    column.title = title;
    column.width = width;
    column.displayMask = displayMask;
    column.color = color;
    columns.append(column);
    setColumns(columns);
}

void DBGrid::setNegativeColor(const QString& fieldName, const QColor& color)
{
    QList<DBGridColumn> columns = m_model->columns();
    for (DBGridColumn& column : columns)
        if (column.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            column.negativeColor = color;
    setColumns(columns);
}

QString DBGrid::cellText(int row, int column) const
{
    return m_model->data(m_model->index(row, column)).toString();
}

QString DBGrid::columnTitle(int column) const
{
    return m_model->headerData(column, Qt::Horizontal).toString();
}

int DBGrid::Row() const
{
    data::Query* q = query();
    return q && q->Active() ? q->RecNo() : -1;
}

void DBGrid::setColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, color);
    setPalette(pal);
}

void DBGrid::setBoldFont(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

void DBGrid::setTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void DBGrid::sourceChanged()
{
    m_syncing = true;
    m_model->setQuery(query());
    m_syncing = false;
    applyWidths();
    followQuery();
}

void DBGrid::applyWidths()
{
    // Widths are kept across reruns of the same columns; new columns start from their given widths.
    QStringList fields;
    for (const DBGridColumn& column : m_model->shownColumns())
        fields.append(column.fieldName.toLower());
    if (fields != m_widthFields) {
        m_widthFields = fields;
        m_widths.clear();
        // A given width never cuts the column's title: fonts differ from those the widths
        // were chosen for.
        const QFontMetrics fm(horizontalHeader()->font());
        const QFontMetrics cells(font());
        int col = 0;
        for (const DBGridColumn& column : m_model->shownColumns()) {
            const int title = fm.horizontalAdvance(m_model->headerData(col++, Qt::Horizontal).toString()) + 16;
            const QString sample = m_fits.value(column.fieldName.toLower());
            const int value = sample.isEmpty() ? 0 : cells.horizontalAdvance(sample) + 16;
            m_widths.append(
                std::max({column.width > 0 ? column.width : horizontalHeader()->defaultSectionSize(), title, value}));
        }
        // Widths the operator set in an earlier run win, within reason.
        if (!objectName().isEmpty()) {
            for (const auto& [field, width] : loadColumnWidths(gridKey(this))) {
                const qsizetype i = m_widthFields.indexOf(field);
                if (i >= 0)
                    m_widths[i] = qBound(20, width, 2000);
            }
        }
    }
    m_applyingWidths = true;
    for (int col = 0; col < m_widths.size(); ++col)
        setColumnWidth(col, m_widths.at(col));
    m_applyingWidths = false;
}

void DBGrid::followQuery()
{
    if (m_syncing)
        return;
    const int row = Row();
    const QModelIndex current = currentIndex();
    if (row < 0 || row >= m_model->rowCount()) {
        return;
    }
    if (current.isValid() && current.row() == row && selectionModel()->isRowSelected(row, QModelIndex()))
        return;
    const QModelIndex target = m_model->index(row, current.isValid() ? current.column() : 0);
    m_syncing = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_syncing = false;
    scrollTo(target);
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (m_syncing || !current.isValid())
        return;
    data::Query* q = query();
    if (!q || !q->Active() || q->RecNo() == current.row())
        return;
    // Moving the query reruns its detail queries, which can fail.
    m_syncing = true;
    guarded([&] { q->setRecNo(current.row()); });
    m_syncing = false;
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    if (dispatchKeyDown(OnKeyDown, event))
        return;
    if (isEnter(keyCode(event))) {
        event->ignore(); // never edits; the window may take it
        return;
    }
    QTableView::keyPressEvent(event);
}

QString csvExportFileName(const QString& chosen)
{
    if (chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty())
        return chosen;
    return chosen.endsWith(QLatin1Char('.')) ? chosen + QStringLiteral("csv") : chosen + QStringLiteral(".csv");
}

bool DBGrid::exportCsvTo(const QString& chosen)
{
    const QString path = csvExportFileName(chosen);
    QString error;
    if (exportCsv(this, path, &error))
        return true;
    // Written through a temporary file: whatever stood under that name is left as it was.
    messageBox(this,
               QStringLiteral("The list was not exported. The file %1 cannot be written: %2")
                   .arg(QDir::toNativeSeparators(path), error),
               QStringLiteral("Warning"));
    return false;
}

QAction* DBGrid::addExportAction(QMenu* menu)
{
    QAction* a = menu->addAction(QStringLiteral("Export to CSV..."));
    a->setObjectName(QStringLiteral("ExportCsv"));
    connect(a, &QAction::triggered, this, [this]() {
        QFileDialog dialog(this, QStringLiteral("Export to CSV"), QString(),
                           QStringLiteral("CSV files (*.csv);;All files (*)"));
        dialog.setObjectName(QStringLiteral("ExportCsvDialog"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("csv")); // asks before replacing the file really written
        if (runModal(&dialog) != QDialog::Accepted)
            return;
        const QStringList files = dialog.selectedFiles();
        if (!files.isEmpty() && !files.first().isEmpty())
            exportCsvTo(files.first());
    });
    return a;
}

void DBGrid::contextMenuEvent(QContextMenuEvent* event)
{
    // The window's own menu, then the export.
    QMenu menu(this);
    QWidget* window = this;
    for (QWidget* w = this; w; w = w->parentWidget())
        if (PopupMenu::of(w)) {
            window = w;
            break;
        }
    if (PopupMenu* own = PopupMenu::of(window)) {
        menu.addActions(own->actions());
        menu.addSeparator();
    }
    addExportAction(&menu);
    menu.exec(event->globalPos());
    event->accept();
}

void DBGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        fire(OnEnter);
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        fire(OnExit);
}

} // namespace kit
