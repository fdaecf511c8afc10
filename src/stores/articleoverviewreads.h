#pragma once

#include <QString>
#include <QStringList>

// The statements the article overview reads.
namespace stores::articleoverview {

// Totals per article and firm number; :a filters the article name. As first written (the
// printed reports' tests read it whole): the reference the paged statement below is
// checked against. It sums the whole ledger on
// every opening and keystroke (seconds at a million ledger rows).
QStringList masterStatement();

// The order the statement as written leaves open (rows of one name: an article's firm
// numbers, or articles of the same name) fixed as the paged statement fixes it: the order
// by name extended by the key and the firm number. The paged statement returns exactly
// these rows in this order; tests/test_stock_equivalence.cpp checks it.
QStringList masterStatementInFullOrder();

// The same rows, read a page of articles at a time (data::Query paging on the key
// (artikal, id): :page_first, :page_after_artikal, :page_after_id, :page_rows).
//
// Only ledger rows of an article whose name is like :a survive the `having` of the
// statement as written (an unknown or missing article has no name), so the outer join is
// an inner join and the name filter can come first. The inner select takes the next
// :page_rows articles with the name, in the order shown, that have ledger rows (a group
// needs one): the engine walks the name index (which holds the key after the name) and
// stops after a page. It reads the index alone (the code and unit are joined afterwards:
// asked of the inner select, they make MariaDB sort the whole register instead), and the
// existence of a ledger row is a scalar subquery (MariaDB would turn `exists` into a
// semi-join over the whole ledger). Only the page's ledger rows are summed, per firm
// number, from the index on (id_artikal, firma_id, vlez_kol, izlez_kol) alone. Every
// article of a page comes with all its firm numbers, so the next page starts after the
// last row's (artikal, id).
QStringList masterStatementPaged();

// The paging key of the master statement, and articles per page.
QStringList masterPageKey();
constexpr int pageRows = 100;

// Every movement of the master's article (:id), oldest first.
QStringList detailStatement();

} // namespace stores::articleoverview
