#pragma once

#include <QString>
#include <QStringList>

// The statements the partner overview reads.
namespace stores::partneroverview {

// Partners with article movements, one row per partner and firm number. As first written (the
// printed reports' tests read it whole): the reference the paged statement below is
// checked against. It groups the whole ledger
// on every opening.
QStringList masterStatement();

// The order the statement as written leaves open (a partner's firm numbers, partners of the
// same name) fixed as the paged statement fixes it; see tests/test_stock_equivalence.cpp.
QStringList masterStatementInFullOrder();

// The same rows, read a page of partners at a time (data::Query paging on the key
// (naziv, id): :page_first, :page_after_naziv, :page_after_id, :page_rows).
//
// The inner select takes the next :page_rows partners that have ledger rows, in the order
// shown (a name that is NULL comes first, as the order by name puts it), from the name
// index alone (the other columns are joined afterwards; see the article overview's
// statement for why, and for the scalar subquery); only their ledger rows are grouped by
// firm number, over the index on (id_komintent, firma_id). Every partner of a page comes
// with all its firm numbers, so the next page starts after the last row's (naziv, id).
QStringList masterStatementPaged();

// The paging key of the master statement, and partners per page.
QStringList masterPageKey();
constexpr int pageRows = 50;

// The article movements of the master's partner (:id) under its firm number (:firma_id),
// highest document number first.
QStringList detailStatement();

} // namespace stores::partneroverview
