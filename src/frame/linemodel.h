#pragma once

#include "kit/stringgridmodel.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace data {
class Query;
}

namespace frame {

// One line of a document with lines (goods receipt, dispatch, work order, a product's
// composition): what it names and how much, as values. The texts a line shows are made from
// these values; nothing is read back from what a grid shows.
struct Line {
    int key = 0; // the article's or product's key; 0: a stored line that names none
    QString code;
    QString name;
    QString unit;
    double quantity = 0;
    // The quantity as the line shows it: as the operator typed it, or as the stored value
    // reads; empty: the shortest form of `quantity`.
    QString quantityText;
    // Kept beside the line where the document has them (hidden in the grid).
    std::optional<double> price;
    std::optional<double> taxRate;

    bool operator==(const Line&) const = default;
    QString shownQuantity() const;
};

// The lines of a document as a line grid shows them: column 0 empty, the key in column 1,
// code, name, unit and quantity in columns 2 to 5, price and tax rate in columns 6 and 7
// (beyond the visible columns). Row 0 holds the header texts; it is the fixed header row
// while there is a line, and an ordinary row (still showing the texts) while there is none.
//
// Whether the document is unsaved is told by its lines against those it was loaded with.
class LineModel : public kit::GridModel {
    Q_OBJECT
public:
    explicit LineModel(QObject* parent = nullptr, int columns = 6);

    int colCount() const override { return m_columns; }
    int gridRowCount() const override { return int(m_lines.size()) + 1; }
    int fixedRows() const override { return m_lines.empty() ? 0 : 1; }
    int fixedCols() const override { return 1; }
    QString cell(int col, int row) const override;

    // The texts of row 0, from column 1 on.
    void setHeader(const QStringList& texts);
    const QStringList& header() const { return m_header; }

    const std::vector<Line>& lines() const { return m_lines; }
    int lineCount() const { return int(m_lines.size()); }
    // The line shown in grid row `row` (1 for the first line).
    const Line& line(int row) const { return m_lines.at(size_t(row - 1)); }
    // The grid row of the first line naming `key`; 0 when none does.
    int rowOf(int key) const;

    void append(const Line& line);
    void setLines(std::vector<Line> lines);
    // Removes the line in grid row `row`; the lines below move up. With no line in that row
    // nothing changes. Removing the last line leaves row 0 alone, no longer fixed.
    void removeLine(int row);
    // Replaces the line in grid row `row` (a test plants values no dialog lets through).
    void replaceLine(int row, const Line& line);

    // What the lines of `key` take in all, the line in grid row `exceptRow` left out.
    double quantityOf(int key, int exceptRow = -1) const;

    // The lines now are what the document was loaded (or opened) with.
    void markLoaded() { m_loaded = m_lines; }
    bool differsFromLoaded() const { return m_lines != m_loaded; }

private:
    void changed(const std::function<void()>& change);

    int m_columns;
    QStringList m_header;
    std::vector<Line> m_lines;
    std::vector<Line> m_loaded;
};

// The lines of an open query, from its first row on: the key in `keyField` (none when
// NULL), the code in sifra, the name in `nameField`, the unit in edm and the quantity in
// `quantityField`, shown as the stored value reads.
std::vector<Line> linesOf(data::Query& query, const QString& keyField, const QString& nameField,
                          const QString& quantityField);

} // namespace frame
