// libFuzzer target: the backup reader must never crash, hang or read out of bounds on any
// file, must refuse only with its own error, and what it accepts must be what it promises:
// known tables once each, one value per column that fits the column. What an older backup
// without a trailer holds, written again by the writer, reads back the same with every check.
#include "data/backupfile.h"

#include <QBuffer>
#include <QByteArray>
#include <QSet>

#include <cstdint>
#include <cstdlib>

namespace {

struct Table {
    QString name;
    QStringList columns;
    QList<QJsonArray> rows;
};

// Reads `bytes`; false when the reader refused them.
bool read(const QByteArray& bytes, bool acceptUnchecked, QList<Table>* out, data::TableCounts* counts)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    data::BackupSink sink;
    sink.table = [&](const QString& table, const QStringList& columns, int) { out->append({table, columns, {}}); };
    sink.row = [&](const QJsonArray& values) {
        if (out->isEmpty())
            std::abort(); // a row outside a table
        out->last().rows.append(values);
    };
    try {
        *counts = data::readBackup(in, QStringLiteral("fuzz.backup"), acceptUnchecked, sink);
        return true;
    } catch (const data::BackupError&) {
        return false;
    }
}

void checkAccepted(const QList<Table>& tables, const data::TableCounts& counts)
{
    if (counts.size() != tables.size())
        std::abort();
    QSet<QString> seen;
    for (qsizetype t = 0; t < tables.size(); ++t) {
        const Table& table = tables.at(t);
        if (counts.at(t).first != table.name || counts.at(t).second != table.rows.size() || seen.contains(table.name))
            std::abort();
        seen.insert(table.name);
        for (const QJsonArray& row : table.rows) {
            if (row.size() != table.columns.size())
                std::abort();
            for (qsizetype c = 0; c < row.size(); ++c) {
                data::ColumnKind kind{};
                if (data::columnKind(table.name, table.columns.at(c), &kind)
                    && !data::valueMisfit(kind, row.at(c)).isEmpty())
                    std::abort();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const QByteArray file(reinterpret_cast<const char*>(bytes), qsizetype(size));
    QList<Table> strict, lenient;
    data::TableCounts strictCounts, lenientCounts;
    const bool strictOk = read(file, false, &strict, &strictCounts);
    if (strictOk)
        checkAccepted(strict, strictCounts);
    if (!read(file, true, &lenient, &lenientCounts)) {
        if (strictOk)
            std::abort(); // accepting an older file too never refuses a current one
        return 0;
    }
    checkAccepted(lenient, lenientCounts);

    // Written again, it is a current backup that every check accepts, with the same rows.
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    {
        data::BackupWriter writer(again);
        for (const Table& t : lenient) {
            writer.table(t.name, t.columns, int(t.rows.size()));
            for (const QJsonArray& row : t.rows)
                writer.row(row);
        }
        writer.finish();
        if (!writer.ok())
            std::abort();
    }
    QList<Table> reread;
    data::TableCounts rereadCounts;
    if (!read(again.data(), false, &reread, &rereadCounts) || rereadCounts != lenientCounts)
        std::abort();
    for (qsizetype t = 0; t < lenient.size(); ++t)
        if (reread.at(t).columns != lenient.at(t).columns || reread.at(t).rows != lenient.at(t).rows)
            std::abort();
    // Cut anywhere short of its end, it is refused.
    if (again.data().size() > 1
        && read(again.data().left(qsizetype(size % size_t(again.data().size()))), false, &reread, &rereadCounts))
        std::abort();
    return 0;
}
