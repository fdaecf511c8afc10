#pragma once

#include "reports/reportwindow.h"

// The printed financial report: one line per dispatch of the period with its five figures,
// the period's totals at the end and the director's signature line.
class TSReportFinansii : public reports::ReportWindow {
    Q_OBJECT
public:
    explicit TSReportFinansii(QWidget* owner = nullptr);

    // The per-dispatch rows, the period's totals and the period as the window shows it
    // (end date first, then start date).
    void PrepareReport(data::Query* lines, data::Query* totals, const QString& endDate, const QString& startDate);

    report::Band* QRBand1 = nullptr;      // page header: headings, period, column heads
    report::Band* QRSubDetail1 = nullptr; // one dispatch
    report::Band* QRBand2 = nullptr;      // summary: totals, signature
};
