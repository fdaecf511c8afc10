#pragma once

#include "reports/reportwindow.h"

namespace reports {

// The printed work order: the order's number, date and employee; every product line with
// the articles its product's composition takes for it; signature lines on every page.
class TSReportNalog : public ReportWindow {
    Q_OBJECT
public:
    explicit TSReportNalog(QWidget* owner = nullptr);

    // The orders' current row is the printed order; the lines are its product lines and the
    // articles follow the current line. The report moves the lines' cursor as it runs.
    void PrepareReport(data::Query* orders, data::Query* lines, data::Query* articles);

    report::Band* QRBand2 = nullptr;      // title
    report::Band* QRSubDetail1 = nullptr; // one product line
    report::Band* QRSubDetail2 = nullptr; // one article of the line
    report::Band* QRBand1 = nullptr;      // page footer
};

} // namespace reports
