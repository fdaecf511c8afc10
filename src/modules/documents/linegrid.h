#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace data {
class Database;
}
namespace kit {
class StringGrid;
}

// The line grid of the production windows (product composition, work order lines): six
// columns, column 0 empty; column 1 holds the key of the line's article or product, columns
// 2 to 5 its code, name, unit and quantity as texts. The grid starts as one ordinary row;
// the first line added makes row 0 the fixed header.
namespace linegrid {

// The header of a line as it is added: "Br.", "Katalog Br.", "Artikal", "EDM", "Koli~ina"
// (shown with the letters the display font gives them).
const QStringList& lineHeader();

// Prepares an empty grid with the given widths of columns 0 to 5 and row height.
void setup(kit::StringGrid* grid, const QList<int>& widths, int rowHeight);

// Writes header texts into row 0, columns 1 on.
void setHeader(kit::StringGrid* grid, const QStringList& texts);

// Adds a line at the bottom: the line header into row 0, one more row, one fixed row, the
// key in column 1 and `texts` in columns 2 to 5.
void appendLine(kit::StringGrid* grid, int key, const QStringList& texts);

// Removes the line in `row`; the lines below move up. The header stays; removing the last
// line leaves row 0 alone, no longer fixed. With no line nothing changes. A key that is not
// a whole number throws data::ConvertError before anything changes.
void deleteLine(kit::StringGrid* grid, int row);

// Number of lines (the header not counted).
int lineCount(const kit::StringGrid* grid);


} // namespace linegrid
