#include "kit/csv.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QSaveFile>
#include <QTableView>

namespace kit {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void writeCsv(const QTableView* grid, QIODevice& out)
{
    QAbstractItemModel* model = grid->model();
    // Every row, not only those a lazily filled grid has read so far.
    while (model->canFetchMore(QModelIndex()))
        model->fetchMore(QModelIndex());
    QList<int> columns;
    for (int c = 0; c < model->columnCount(); ++c)
        if (!grid->isColumnHidden(c) && grid->columnWidth(c) > 0)
            columns << c;
    auto line = [&](auto cell) {
        QStringList fields;
        for (int c : columns)
            fields << csvField(cell(c));
        out.write((fields.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8());
    };
    line([&](int c) { return model->headerData(c, Qt::Horizontal).toString(); });
    for (int r = 0; r < model->rowCount(); ++r)
        if (!grid->isRowHidden(r))
            line([&](int c) { return model->index(r, c).data().toString(); });
}

bool exportCsv(const QTableView* grid, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        writeCsv(grid, file);
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace kit
