#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

namespace data {

// The rows a query has read, kept compact: a number sits in its cell, the characters of a
// text in one buffer beside the cells, any other value in a list of QVariants. A QVariant
// per cell in a vector per row, each text in an allocation of its own, took two and a half
// times the memory, which counted once a list of every article was read whole (for a
// chart, an export or a printed list). A value comes back as the QVariant that was
// stored: the same type and value, and null with its type when it was null.
//
// Rows are appended first as pending rows, which size() does not count yet; commit()
// makes them rows, dropPending() forgets them. So a page can be read in place and shown
// to the listeners only once it is whole.
class RowStore {
public:
    // Forgets every row; the rows to come have `columns` cells.
    void clear(int columns = 0);
    int columns() const { return m_columns; }
    qsizetype size() const { return m_rows; }
    bool isEmpty() const { return m_rows == 0; }

    // Appends the next cell of the pending rows; every `columns` cells make a row.
    void append(const QVariant& value);
    qsizetype pending() const { return (m_columns > 0 ? m_cells.size() / m_columns : 0) - m_rows; }
    void commit();
    void dropPending();

    QVariant value(qsizetype row, int column) const;
    QVector<QVariant> row(qsizetype row) const;

private:
    enum class Kind : quint8 { Null, Whole, Real, Truth, Text, Other };
    struct Cell {
        union {
            qint64 whole;
            double real;
            qsizetype offset; // Text: into m_chars; Other: into m_others
        };
        union {
            int type;   // the QMetaType id of the value
            int length; // Text: its length in UTF-16 units
        };
        Kind kind;
    };
    static_assert(sizeof(Cell) == 16);

    int m_columns = 0;
    qsizetype m_rows = 0;
    qsizetype m_committedChars = 0;
    qsizetype m_committedOthers = 0;
    QVector<Cell> m_cells;
    QVector<char16_t> m_chars;
    QVector<QVariant> m_others;
};

} // namespace data
