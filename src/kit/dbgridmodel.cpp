#include "kit/dbgridmodel.h"

#include <QRegularExpression>

#include "data/query.h"
#include "kit/format.h"
#include "kit/guard.h"

namespace kit {

DBGridModel::DBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void DBGridModel::setQuery(data::Query* query)
{
    for (const QMetaObject::Connection& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_query = query;
    if (query) {
        m_connections << connect(query, &data::Query::rowsAboutToBeAppended, this,
                                 [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
        m_connections << connect(query, &data::Query::rowsAppended, this, [this]() { endInsertRows(); });
    }
    refresh();
}

void DBGridModel::setColumns(const QList<DBGridColumn>& columns)
{
    m_columns = columns;
    refresh();
}

void DBGridModel::refresh()
{
    beginResetModel();
    resolveColumns();
    endResetModel();
}

void DBGridModel::resolveColumns()
{
    m_shown = m_columns;
    if (m_shown.isEmpty() && m_query) {
        for (const QString& name : m_query->fieldNames()) {
            DBGridColumn column;
            column.fieldName = name;
            m_shown.append(column);
        }
    }
    m_fieldIndex.clear();
    for (const DBGridColumn& column : std::as_const(m_shown))
        m_fieldIndex.append(m_query ? m_query->fieldIndex(column.fieldName) : -1);
}

int DBGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_query || !m_query->Active())
        return 0;
    return m_query->RecordCount();
}

int DBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

namespace {

// Decimal results come from the database as exact text ("6.0000"); they are numbers too.
bool isDecimalText(const QVariant& value)
{
    if (value.metaType().id() != QMetaType::QString)
        return false;
    static const QRegularExpression re(QStringLiteral("^-?\\d+\\.\\d+$"));
    return re.match(value.toString()).hasMatch();
}

} // namespace

QVariant DBGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= m_shown.size())
        return {};
    const DBGridColumn& column = m_shown.at(index.column());
    const int field = m_fieldIndex.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return field < 0 ? QString() : formatValue(m_query->value(index.row(), field), column.displayMask);
    case Qt::BackgroundRole:
        return column.color.isValid() ? QVariant(column.color) : QVariant();
    case Qt::ForegroundRole: {
        if (!column.negativeColor.isValid() || field < 0)
            return {};
        bool number = false;
        const double value = m_query->value(index.row(), field).toDouble(&number);
        return number && value < 0 ? QVariant(column.negativeColor) : QVariant();
    }
    case Qt::TextAlignmentRole: {
        if (column.alignment)
            return QVariant(column.alignment | Qt::AlignVCenter);
        const QVariant value = field < 0 ? QVariant() : m_query->value(index.row(), field);
        const int type = value.metaType().id();
        const bool number =
            type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Double
            || type == QMetaType::UInt || type == QMetaType::ULongLong
            || (column.displayMask.contains(QLatin1Char('0')) || column.displayMask.contains(QLatin1Char('#')))
            || isDecimalText(value);
        return QVariant((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_shown.size()) {
        const DBGridColumn& column = m_shown.at(section);
        return column.title.isEmpty() ? column.fieldName : column.title;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool DBGridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_query && m_query->CanFetchMore();
}

void DBGridModel::fetchMore(const QModelIndex& parent)
{
    if (canFetchMore(parent))
        guarded([this] { m_query->FetchMore(); });
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace kit
