#include "modules/documents/linegrid.h"

#include "frame/linemodel.h"
#include "kit/stringgrid.h"

namespace linegrid {

const QStringList& lineHeader()
{
    static const QStringList header{QStringLiteral("Br."), QStringLiteral("Katalog Br."), QStringLiteral("Artikal"),
                                    QStringLiteral("EDM"), QStringLiteral("Koli~ina")};
    return header;
}

void setup(kit::StringGrid* grid, frame::LineModel* lines, const QList<int>& widths, int rowHeight)
{
    grid->setGridModel(lines);
    grid->setDefaultRowHeight(rowHeight);
    grid->setRowSelect(true);
    grid->setYusciiHeader(true);
    for (int c = 0; c < widths.size() && c < 6; ++c)
        grid->setColWidths(c, widths[c]);
}

void appendLine(frame::LineModel* lines, const frame::Line& line)
{
    lines->setHeader(lineHeader());
    lines->append(line);
}

} // namespace linegrid
