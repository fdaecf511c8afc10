#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>

namespace data {
class Query;
}

namespace kit {

// One column of a DBGrid.
struct DBGridColumn {
    QString fieldName;
    QString title;           // empty: the field name
    int width = -1;          // pixels; -1: the grid's default
    QColor color;            // background of the column; invalid: the grid's
    QString displayMask;     // number mask ("#,##0.00") or date format ("dd.mm.yyyy")
    Qt::Alignment alignment; // empty: numbers right, everything else left
    QColor negativeColor;    // text colour of a value below zero; invalid: the grid's
};

// The text colour of a balance below zero: a red dark enough to read on white and on the
// pale list backgrounds.
inline QColor negativeRed()
{
    return QColor(192, 0, 0);
}

// The rows of a query as a table: one row per result row, one column per column given, or
// per field of the query when no columns are specified. Read-only.
class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DBGridModel(QObject* parent = nullptr);

    void setQuery(data::Query* query);
    data::Query* query() const { return m_query; }

    void setColumns(const QList<DBGridColumn>& columns);
    const QList<DBGridColumn>& columns() const { return m_columns; }
    // The columns shown: the specified ones, or one per field of the query.
    const QList<DBGridColumn>& shownColumns() const { return m_shown; }

    // Reads the query again (rows and fields may differ).
    void refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A paged query's next page is read when the view scrolls to the last row read.
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    void resolveColumns();

    QPointer<data::Query> m_query;
    QList<QMetaObject::Connection> m_connections;
    QList<DBGridColumn> m_columns;
    QList<DBGridColumn> m_shown;
    QList<int> m_fieldIndex; // query column of each shown column, -1 when missing
};

} // namespace kit
