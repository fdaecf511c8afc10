#pragma once

#include "data/database.h"

#include <QString>
#include <QStringList>

namespace data {

// A stored record as a window loaded it: its header row and the rows that belong to it
// (ledger lines, composition), kept as text. Checked again inside the save's transaction, it
// tells whether another workstation deleted or changed the record in the meantime.
class RecordVersion {
public:
    RecordVersion() = default;
    // `header` selects the record's one row by the parameter :id, each of `parts` the rows
    // that belong to it by :id, in any order (a part's rows are compared as a whole).
    RecordVersion(QString header, QStringList parts) : m_header(std::move(header)), m_parts(std::move(parts)) {}

    // Reads the record with key `id` as it is stored now.
    void load(Database& db, int id);
    bool loaded() const { return m_loaded; }
    int id() const { return m_id; }

    // Inside the save's transaction: reads the record again (its header row locked against
    // other writers until the commit) and throws StaleRecord when it is gone or differs from
    // what was loaded; `what` names it for the operator ("goods receipt").
    void verify(Database& db, const QString& what) const;

    // Runs `write` in one transaction after verify(): the whole save or nothing; throws
    // StaleRecord (nothing written) when the record is gone or changed.
    template <class Write>
    void saveIfUnchanged(Database& db, const QString& what, Write&& write) const;

    // The messages of a record deleted or changed elsewhere.
    static QString deletedText(const QString& what);
    static QString changedText(const QString& what);

private:
    QStringList read(Database& db, bool lock, bool* exists) const;

    QString m_header;
    QStringList m_parts;
    int m_id = 0;
    bool m_loaded = false;
    bool m_exists = false;
    QStringList m_rows;
};

template <class Write>
void RecordVersion::saveIfUnchanged(Database& db, const QString& what, Write&& write) const
{
    Transaction transaction(db);
    verify(db, what);
    write();
    transaction.commit();
}

} // namespace data
