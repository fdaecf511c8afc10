#pragma once

#include "reports/reportwindow.h"

// The invoice print design. No command creates it: the system makes no invoices, and its
// value fields are bound to placeholder field names (every amount to "kol").
class TSReportFaktura : public reports::ReportWindow {
    Q_OBJECT
public:
    explicit TSReportFaktura(QWidget* owner = nullptr);

    report::Band* TitleBand1 = nullptr;      // picture area, heading, partner, dates, column heads
    report::Band* DetailBand1 = nullptr;     // one item on two lines
    report::Band* SummaryBand1 = nullptr;    // totals and payment terms
    report::Band* PageFooterBand1 = nullptr; // signatures
};
