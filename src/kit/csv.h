#pragma once

#include <QString>

class QIODevice;
class QTableView;

namespace kit {

// Writes what a grid shows as CSV: UTF-8 with a byte order mark, the visible columns with
// their titles, the rows in the grid's order, fields quoted where they hold a comma, a
// semicolon, a tab, a quote or a line break. A cell whose text a spreadsheet would run as a
// formula (it begins, after any blanks, with =, +, -, @, a tab or a carriage return and is
// not a number) gets a leading apostrophe.
void writeCsv(const QTableView* grid, QIODevice& out);
// Writes the CSV to a file readable by its user only; false with a readable text in `error`
// when it cannot be written.
bool exportCsv(const QTableView* grid, const QString& path, QString* error = nullptr);
// One cell's text made safe for a spreadsheet: "'" before text that would start a formula;
// numbers ("-5.0000") and other text unchanged.
QString csvCellText(const QString& text);
// One CSV field: the cell's safe text, quoted where needed.
QString csvField(const QString& text);

} // namespace kit
