#include "modules/documents/linegrid.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "kit/stringgrid.h"

#include <vector>

namespace linegrid {

namespace {

// A line while the grid is rebuilt: the key of column 1 and the texts of columns 2 to 5.
struct Line {
    int id;
    QStringList texts;
};

} // namespace

const QStringList& lineHeader()
{
    static const QStringList header{QStringLiteral("Br."), QStringLiteral("Katalog Br."), QStringLiteral("Artikal"),
                                    QStringLiteral("EDM"), QStringLiteral("Koli~ina")};
    return header;
}

void setup(kit::StringGrid* grid, const QList<int>& widths, int rowHeight)
{
    grid->setColCount(6);
    grid->setRowCount(1);
    grid->setFixedRows(0);
    grid->setFixedCols(1);
    grid->setDefaultRowHeight(rowHeight);
    grid->setRowSelect(true);
    grid->setYusciiHeader(true);
    for (int c = 0; c < widths.size() && c < 6; ++c)
        grid->setColWidths(c, widths[c]);
}

void setHeader(kit::StringGrid* grid, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        grid->setCells(i + 1, 0, texts[i]);
}

void appendLine(kit::StringGrid* grid, int key, const QStringList& texts)
{
    setHeader(grid, lineHeader());
    const int row = grid->RowCount();
    grid->setRowCount(row + 1);
    grid->setFixedRows(1);
    grid->setCells(1, row, QString::number(key));
    for (int i = 0; i < texts.size() && i < 4; ++i)
        grid->setCells(i + 2, row, texts[i]);
}

void deleteLine(kit::StringGrid* grid, int row)
{
    if (lineCount(grid) < 1 || row < 1 || row >= grid->RowCount())
        return;
    std::vector<Line> kept;
    for (int r = 1; r < grid->RowCount(); ++r) {
        if (r == row)
            continue;
        Line line{data::toInteger(grid->Cells(1, r)), {}};
        for (int c = 2; c <= 5; ++c)
            line.texts << grid->Cells(c, r);
        kept.push_back(line);
    }
    grid->setRowCount(grid->RowCount() - 1);
    for (size_t i = 0; i < kept.size(); ++i) {
        const int r = int(i) + 1;
        grid->setCells(1, r, QString::number(kept[i].id));
        for (int c = 2; c <= 5; ++c)
            grid->setCells(c, r, kept[i].texts[c - 2]);
    }
}

int lineCount(const kit::StringGrid* grid)
{
    return grid->RowCount() - 1;
}

} // namespace linegrid
