#pragma once

#include "reports/reportwindow.h"

// The article card: every movement of the article current in the overview, with a row
// number and the running balance after each movement.
class TSReportArtikalAnalitika : public reports::ReportWindow {
    Q_OBJECT
public:
    explicit TSReportArtikalAnalitika(QWidget* owner = nullptr);

    // The overview's totals (current row = the article) and its movements of that article;
    // the page index is not used.
    void PrepareReport(data::Query* master, data::Query* detail, int pageIndex = 0);

    report::Band* QRBand2 = nullptr;      // title with the ruled column heads
    report::Band* QRSubDetail1 = nullptr; // one movement
    report::Band* QRBand3 = nullptr;      // page footer with the signature

    void QRBand2BeforePrint(report::Band& band, bool& printBand);
    void QRSubDetail1BeforePrint(report::Band& band, bool& printBand);

private:
    data::Query* m_detail = nullptr;
    int m_row = 0;
    // Kept in double precision and rounded only where it is printed, so the last line
    // always matches the article's balance in the overview.
    double m_saldo = 0;
};
