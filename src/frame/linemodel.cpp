#include "frame/linemodel.h"

#include "data/dialect.h"
#include "data/query.h"

namespace frame {

QString Line::shownQuantity() const
{
    return quantityText.isEmpty() ? data::dialect::doubleText(quantity) : quantityText;
}

LineModel::LineModel(QObject* parent, int columns) : kit::GridModel(parent), m_columns(columns) {}

QString LineModel::cell(int col, int row) const
{
    if (row == 0)
        return col >= 1 && col <= m_header.size() ? m_header[col - 1] : QString();
    if (row < 0 || row > lineCount())
        return {};
    const Line& l = line(row);
    const auto optional = [](const std::optional<double>& value) {
        return value ? data::dialect::doubleText(*value) : QString();
    };
    switch (col) {
    case 1:
        return l.key > 0 ? QString::number(l.key) : QString();
    case 2:
        return l.code;
    case 3:
        return l.name;
    case 4:
        return l.unit;
    case 5:
        return l.shownQuantity();
    case 6:
        return optional(l.price);
    case 7:
        return optional(l.taxRate);
    default:
        return {};
    }
}

void LineModel::changed(const std::function<void()>& change)
{
    // Every change may fix or free row 0, which moves every model row: a reset keeps the
    // view's rows and header in step at no cost for the few lines of a document.
    beginResetModel();
    change();
    endResetModel();
}

void LineModel::setHeader(const QStringList& texts)
{
    if (texts == m_header)
        return;
    m_header = texts;
    emit headerDataChanged(Qt::Horizontal, 0, m_columns - 1);
    if (m_lines.empty())
        emit dataChanged(index(0, 0), index(0, m_columns - 1));
}

int LineModel::rowOf(int key) const
{
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].key == key)
            return int(i) + 1;
    return 0;
}

void LineModel::append(const Line& line)
{
    changed([&] { m_lines.push_back(line); });
}

void LineModel::setLines(std::vector<Line> lines)
{
    changed([&] { m_lines = std::move(lines); });
}

void LineModel::removeLine(int row)
{
    if (row < 1 || row > lineCount())
        return;
    changed([&] { m_lines.erase(m_lines.begin() + (row - 1)); });
}

void LineModel::replaceLine(int row, const Line& line)
{
    if (row < 1 || row > lineCount())
        return;
    m_lines[size_t(row - 1)] = line;
    emit dataChanged(index(row - 1, 0), index(row - 1, m_columns - 1));
}

double LineModel::quantityOf(int key, int exceptRow) const
{
    double total = 0;
    for (int r = 1; r <= lineCount(); ++r)
        if (r != exceptRow && line(r).key == key)
            total += line(r).quantity;
    return total;
}

std::vector<Line> linesOf(data::Query& query, const QString& keyField, const QString& nameField, const QString& quantityField)
{
    std::vector<Line> lines;
    query.First();
    for (int i = 0; i < query.RecordCount(); ++i) {
        const data::Field key = query.FieldByName(keyField);
        const data::Field quantity = query.FieldByName(quantityField);
        Line line;
        line.key = key.IsNull() ? 0 : key.AsInteger();
        line.code = query.FieldByName(QStringLiteral("sifra")).AsString();
        line.name = query.FieldByName(nameField).AsString();
        line.unit = query.FieldByName(QStringLiteral("edm")).AsString();
        line.quantity = quantity.AsFloat();
        line.quantityText = quantity.AsString();
        lines.push_back(line);
        query.Next();
    }
    return lines;
}

} // namespace frame
