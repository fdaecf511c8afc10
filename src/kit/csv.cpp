#include "kit/csv.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTableView>

namespace kit {

namespace {

// Text a spreadsheet would take for a number: digits with an optional sign, thousands
// commas, decimal point and exponent ("-5.0000", "-1,234.50", "1E20"). Nothing in it can
// form a formula.
bool looksLikeNumber(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(?:[0-9][0-9,]*(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    return number.match(text).hasMatch();
}

} // namespace

QString csvCellText(const QString& text)
{
    // A spreadsheet skips blanks before a formula, no-break ones too: look past them.
    qsizetype start = 0;
    while (start < text.size() && text.at(start) != QLatin1Char('\t') && text.at(start) != QLatin1Char('\r')
           && text.at(start).isSpace())
        ++start;
    if (start == text.size())
        return text;
    const QChar first = text.at(start);
    const bool formulaStart = first == QLatin1Char('=') || first == QLatin1Char('+') || first == QLatin1Char('-')
                              || first == QLatin1Char('@') || first == QLatin1Char('\t') || first == QLatin1Char('\r');
    if (!formulaStart || looksLikeNumber(text.mid(start)))
        return text;
    // The apostrophe a spreadsheet user types to keep a cell as text.
    return QLatin1Char('\'') + text;
}

QString csvField(const QString& raw)
{
    QString text = csvCellText(raw);
    // The separator written here is the comma; a spreadsheet set to a semicolon or a tab
    // splits on those, so a field holding one is quoted too.
    static const QRegularExpression needsQuotes(QStringLiteral("[,;\t\"\r\n]"));
    if (!text.contains(needsQuotes))
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
    // A byte order mark, so that a spreadsheet reads the file as UTF-8 and not in the
    // system's legacy code page.
    out.write("\xEF\xBB\xBF");
    line([&](int c) { return model->headerData(c, Qt::Horizontal).toString(); });
    for (int r = 0; r < model->rowCount(); ++r)
        if (!grid->isRowHidden(r))
            line([&](int c) { return model->index(r, c).data().toString(); });
}

bool exportCsv(const QTableView* grid, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        // What the stock holds is the user's alone, as the database and its backups are,
        // whatever the umask or the mode of a file replaced.
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        writeCsv(grid, file);
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace kit
