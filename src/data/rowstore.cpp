#include "data/rowstore.h"

#include <algorithm>
#include <limits>

namespace data {

void RowStore::clear(int columns)
{
    m_columns = columns;
    m_rows = 0;
    m_committedChars = m_committedOthers = 0;
    m_cells.clear();
    m_chars.clear();
    m_others.clear();
}

void RowStore::append(const QVariant& value)
{
    Cell c;
    c.type = value.typeId();
    c.offset = 0;
    if (value.isNull()) {
        c.kind = Kind::Null;
    } else {
        switch (c.type) {
        case QMetaType::Int:
            c.kind = Kind::Whole;
            c.whole = value.toInt();
            break;
        case QMetaType::UInt:
            c.kind = Kind::Whole;
            c.whole = value.toUInt();
            break;
        case QMetaType::LongLong:
            c.kind = Kind::Whole;
            c.whole = value.toLongLong();
            break;
        case QMetaType::ULongLong:
            c.kind = Kind::Whole;
            c.whole = qint64(value.toULongLong());
            break;
        case QMetaType::Double:
            c.kind = Kind::Real;
            c.real = value.toDouble();
            break;
        case QMetaType::Bool:
            c.kind = Kind::Truth;
            c.whole = value.toBool() ? 1 : 0;
            break;
        case QMetaType::QString: {
            const QString text = value.toString();
            // A null text inside a valid variant keeps its nullness among the others.
            if (!text.isNull() && text.size() <= std::numeric_limits<int>::max()) {
                c.kind = Kind::Text;
                c.offset = m_chars.size();
                c.length = int(text.size());
                const qsizetype at = m_chars.size();
                if (m_chars.capacity() < at + text.size())
                    m_chars.reserve(qMax(at + text.size(), 2 * m_chars.capacity()));
                m_chars.resize(at + text.size());
                std::copy_n(reinterpret_cast<const char16_t*>(text.utf16()), text.size(), m_chars.data() + at);
                break;
            }
            [[fallthrough]];
        }
        default:
            c.kind = Kind::Other;
            c.offset = m_others.size();
            m_others.append(value);
            break;
        }
    }
    m_cells.append(c);
}

void RowStore::commit()
{
    m_rows += pending();
    m_committedChars = m_chars.size();
    m_committedOthers = m_others.size();
}

void RowStore::dropPending()
{
    m_cells.resize(m_rows * m_columns);
    m_chars.resize(m_committedChars);
    m_others.resize(m_committedOthers);
}

QVariant RowStore::value(qsizetype row, int column) const
{
    const Cell& c = m_cells.at(row * m_columns + column);
    switch (c.kind) {
    case Kind::Null:
        return c.type == QMetaType::UnknownType ? QVariant() : QVariant(QMetaType(c.type));
    case Kind::Whole:
        switch (c.type) {
        case QMetaType::Int:
            return QVariant(int(c.whole));
        case QMetaType::UInt:
            return QVariant(uint(c.whole));
        case QMetaType::LongLong:
            return QVariant(qlonglong(c.whole));
        default:
            return QVariant(qulonglong(c.whole));
        }
    case Kind::Real:
        return QVariant(c.real);
    case Kind::Truth:
        return QVariant(c.whole != 0);
    case Kind::Text:
        // Empty, not null, as it was stored.
        return c.length == 0
                   ? QVariant(QString(QLatin1String("")))
                   : QVariant(QString(reinterpret_cast<const QChar*>(m_chars.constData() + c.offset), c.length));
    case Kind::Other:
        break;
    }
    return m_others.at(c.offset);
}

QVector<QVariant> RowStore::row(qsizetype row) const
{
    QVector<QVariant> cells;
    cells.reserve(m_columns);
    for (int column = 0; column < m_columns; ++column)
        cells << value(row, column);
    return cells;
}

} // namespace data
