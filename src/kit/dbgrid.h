#pragma once

#include "data/datasource.h"
#include "data/query.h" // DataSource::DataSet() needs the complete type
#include "kit/dbgridmodel.h"
#include "kit/events.h"

#include <QPointer>
#include <QMenu>
#include <QHash>
#include <QTableView>


namespace kit {

// The name a CSV export writes to: the chosen name, with ".csv" added when it has no extension.
QString csvExportFileName(const QString& chosen);

// Read-only grid over the query of a DataSource, whole rows selected.
//
// The grid's current row and the query's cursor are one thing: clicking or moving in the
// grid moves the query (and so every detail query following it), and moving the query
// moves the grid. Opening, closing or rerunning the query shows its new rows; widths the
// operator set by dragging stay while the columns stay the same.
//
// Enter is handed to OnKeyDown and otherwise goes to the window; it never edits. Tab
// leaves the grid.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(data::DataSource* source);
    data::DataSource* DataSource() const { return m_source; }
    data::Query* query() const;

    // The columns to show; none: every field of the query with its name as title.
    void setColumns(const QList<DBGridColumn>& columns);
    void addColumn(const QString& fieldName, const QString& title = QString(), int width = -1,
                   const QString& displayMask = QString(), const QColor& color = QColor());
    const QList<DBGridColumn>& columns() const { return m_model->columns(); }
    // The column of `fieldName` is never narrower than `sample` in the grid's font (a date
    // column given a width chosen for another font); the given width holds when wider.
    void setColumnFits(const QString& fieldName, const QString& sample);
    // Shows the values of `fieldName`'s column below zero in `color` (on screen only).
    void setNegativeColor(const QString& fieldName, const QColor& color = negativeRed());
    int ColCount() const { return m_model->columnCount(); }
    // The text shown in a cell (row of the query, shown column), for checks and tests.
    QString cellText(int row, int column) const;
    QString columnTitle(int column) const;

    // The query's current row, -1 when there is none.
    int Row() const;

    // Background colour of the whole grid.
    void setColor(const QColor& color);
    void setBoldFont(bool bold);
    // Whether Tab reaches the grid (clicking always does).
    void setTabStop(bool tabStop);

    KeyDownHandler OnKeyDown;
    NotifyHandler OnDblClick;
    NotifyHandler OnEnter;
    NotifyHandler OnExit;

    // Adds "Export to CSV..." for this grid to a menu (the grid's right-click menu has it).
    QAction* addExportAction(QMenu* menu);
    // Writes what the grid shows to the file chosen in that menu's dialog, ".csv" added
    // to a name without an extension; a write that fails says so in a box and returns false.
    bool exportCsvTo(const QString& chosen);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void sourceChanged();
    void followQuery();
    void applyWidths();

    DBGridModel* m_model;
    QPointer<data::DataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    QStringList m_widthFields; // fields of the columns whose widths m_widths holds
    QList<int> m_widths;
    QHash<QString, QString> m_fits; // lower-case field name -> the text its column must show
    bool m_syncing = false;
    bool m_applyingWidths = false;
};

} // namespace kit
