#pragma once

#include "data/database.h"
#include "data/errors.h"

#include <QString>

#include <memory>

namespace testsupport {

// Makes the n-th statement (1-based) whose text contains `fragment` fail with a
// DatabaseError, as a lost connection or a refused write would. Removed on destruction.
class FailingStatement {
public:
    // With `error`, the failure is that error (a full disk, a text too long ...).
    FailingStatement(data::Database& db, const QString& fragment, int nth = 1,
                     const data::DatabaseError& error = data::DatabaseError(QStringLiteral("injected failure")))
        : m_db(db), m_seen(std::make_shared<int>(0))
    {
        auto seen = m_seen;
        m_db.setStatementHook([fragment, nth, seen, error](const QString& text) {
            if (text.contains(fragment, Qt::CaseInsensitive) && ++*seen == nth)
                throw error;
        });
    }
    ~FailingStatement() { m_db.setStatementHook({}); }
    int seen() const { return *m_seen; }

private:
    data::Database& m_db;
    std::shared_ptr<int> m_seen;
};

} // namespace testsupport
