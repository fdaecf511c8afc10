#pragma once

#include <QList>
#include <QStringList>

namespace frame {
class LineModel;
struct Line;
}
namespace kit {
class StringGrid;
}

// The line grid of the production windows (product composition, work order lines): six
// columns, column 0 empty; column 1 shows the key of the line's article or product, columns
// 2 to 5 its code, name, unit and quantity. The grid starts as one ordinary row; the first
// line added makes row 0 the fixed header.
namespace linegrid {

// The header of a line as it is added: "Br.", "Katalog Br.", "Artikal", "EDM", "Koli~ina"
// (shown with the letters the display font gives them).
const QStringList& lineHeader();

// Prepares an empty grid showing `lines`, with the given widths of columns 0 to 5 and row
// height.
void setup(kit::StringGrid* grid, frame::LineModel* lines, const QList<int>& widths, int rowHeight);

// Adds a line at the bottom, the line header in row 0.
void appendLine(frame::LineModel* lines, const frame::Line& line);

} // namespace linegrid
