#pragma once

#include <QStringList>

// The statements the invoice list reads: the work orders it invoices, newest number first;
// the product lines of the current order; the articles of the current product; the partner
// of the current order.
namespace stores::invoices {
QStringList orders();
QStringList orderProducts();
QStringList productArticles();
QStringList orderPartner();
} // namespace stores::invoices
