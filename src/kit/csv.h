#pragma once

#include <QString>

class QIODevice;
class QTableView;

namespace kit {

// Writes what a grid shows as CSV: UTF-8, the visible columns with their titles, the rows
// in the grid's order, fields quoted where they hold a comma, quote or line break.
void writeCsv(const QTableView* grid, QIODevice& out);
// Writes the CSV to a file; false with a readable text in `error` when it cannot be written.
bool exportCsv(const QTableView* grid, const QString& path, QString* error = nullptr);
// Quotes one CSV field.
QString csvField(const QString& text);

} // namespace kit
