#pragma once

#include <QString>
#include <QStringList>

// The statements the stock list reads.
namespace stores::stocklist {

// Balance per article over the article ledger, as first written; :a filters the article
// name. Kept as the reference the statement below is checked against.
//
// It starts from the ledger and joins the articles to it, so it aggregates the whole
// ledger before the name filter can drop anything: about a second and a half at a million
// ledger rows, on every keystroke of the search.
QStringList balanceStatementAsWritten();

// The same rows, in the same order, with the same values, read a page at a time: the
// statement the stock list runs (data::Query paging on the key `id`, :page_after and
// :page_rows).
//
// The `where` on artikli.ARTIKAL already drops ledger rows without an article, so the
// outer join is an inner join; written from the articles, the engine filters the names
// first and sums only the ledger rows of the articles left, in article order, from the
// index on (id_artikal, vlez_kol, izlez_kol) alone. Grouping by artikli.ID groups exactly
// as by magacin_artikli.ID_ARTIKAL, which equals it on every joined row; the name and unit
// follow from the key, and grouping by the key alone lets the engine read the articles in
// key order, which is also the order asked for, with no sorting, and stop after a page.
// The rows of all pages in turn are the rows of the statement as written: the key is
// unique, and each page starts after the last key of the one before.
// tests/test_stock_equivalence.cpp compares both on random ledgers on both engines.
QStringList balanceStatement();

// Rows per page: a few screens of the grid.
constexpr int pageRows = 250;

} // namespace stores::stocklist
