#pragma once

#include "reports/reportwindow.h"

// The printed stock list: in, out and balance of every article of the list's query.
class TSReportLager : public reports::ReportWindow {
    Q_OBJECT
public:
    explicit TSReportLager(QWidget* owner = nullptr);

    // The list's balance query with its current filter; the second dataset and the page
    // index are not used by this report.
    void PrepareReport(data::Query* dataSet, data::Query* second = nullptr, int pageIndex = 0);

    report::Band* QRBand1 = nullptr;      // title with the column heads
    report::Band* QRSubDetail1 = nullptr; // one article
    report::Band* QRBand2 = nullptr;      // page footer
};
