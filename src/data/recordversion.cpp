#include "data/recordversion.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"

#include <algorithm>

namespace data {

namespace {

// One statement's rows as text, a row per entry, columns apart by a unit separator.
void appendRows(Query& q, QStringList* out)
{
    for (q.First(); !q.Eof(); q.Next()) {
        QStringList row;
        for (const QString& name : q.fieldNames())
            row << q.FieldByName(name).AsString() + (q.FieldByName(name).IsNull() ? QStringLiteral("\x01") : QString());
        *out << row.join(QChar(0x1f));
    }
}

} // namespace

QStringList RecordVersion::read(Database& db, bool lock, bool* exists) const
{
    QStringList rows;
    Query q(&db);
    auto run = [&](const QString& text) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(text);
        q.ParamByName(QStringLiteral("id")).AsInteger(m_id);
        q.Open();
        appendRows(q, &rows);
        q.Close();
    };
    // On SQLite the save holds the file's write lock already (BEGIN IMMEDIATE); on MariaDB
    // the locking read sees the newest committed row and keeps others off it until commit.
    run(lock && db.engine() == Engine::MariaDb ? m_header + QStringLiteral("\nfor update") : m_header);
    *exists = !rows.isEmpty();
    for (const QString& part : m_parts) {
        rows << QStringLiteral("\x1d"); // each part apart from what comes before
        // A part's rows in an order of their own: a table may have no key to order them by
        // (a ledger made without one), and the same rows are the same part in any order.
        const qsizetype first = rows.size();
        run(part);
        std::sort(rows.begin() + first, rows.end());
    }
    return rows;
}

void RecordVersion::load(Database& db, int id)
{
    m_id = id;
    m_rows = read(db, false, &m_exists);
    m_loaded = true;
}

void RecordVersion::verify(Database& db, const QString& what) const
{
    if (!m_loaded)
        return;
    bool exists = false;
    const QStringList now = read(db, true, &exists);
    if (!exists)
        throw StaleRecord(StaleRecord::Reason::Deleted, deletedText(what));
    if (now != m_rows)
        throw StaleRecord(StaleRecord::Reason::Changed, changedText(what));
}

QString RecordVersion::deletedText(const QString& what)
{
    return QStringLiteral("This %1 was deleted on another workstation after this window opened it.\n"
                          "Nothing was saved. Close this window; the list shows what is stored now.")
        .arg(what);
}

QString RecordVersion::changedText(const QString& what)
{
    return QStringLiteral("This %1 was changed on another workstation after this window opened it.\n"
                          "Nothing was saved. Close this window and open the %1 again to see the changes, "
                          "then make yours.")
        .arg(what);
}

} // namespace data
