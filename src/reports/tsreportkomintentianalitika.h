#pragma once

#include "reports/reportwindow.h"

// The partner card: the particulars of the partner current in the overview and every
// article movement with that partner.
class TSReportKomintentiAnalitika : public reports::ReportWindow {
    Q_OBJECT
public:
    explicit TSReportKomintentiAnalitika(QWidget* owner = nullptr);

    // The overview's partners (current row = the partner) and that partner's movements;
    // the page index is not used.
    void PrepareReport(data::Query* master, data::Query* detail, int pageIndex = 0);

    report::Band* QRBand1 = nullptr;      // title: heading, partner, column heads
    report::Band* QRSubDetail1 = nullptr; // one movement
    report::Band* QRBand2 = nullptr;      // summary (empty)
    report::Band* QRBand3 = nullptr;      // page footer (empty)
};
