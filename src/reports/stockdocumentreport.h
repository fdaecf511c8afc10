#pragma once

#include "reports/reportwindow.h"

namespace reports {

// Where the printed receipt and the printed dispatch differ; everything else is common.
struct StockDocumentLayout {
    double titleHeight;
    double companyLeft;    // "myCompany" inside its frame
    report::Font headFont; // date, partner block, column heads, lines, signatures
    QString dateCaption;
    QPointF dateCaptionAt;
    QPointF dateAt;
    QString numberCaption;
    QPointF numberCaptionAt;
    QPointF numberAt;
    report::Font numberFont;
    QString intro; // the line above the column heads; empty: none
    double headsTop;
    QString codeHead;
    QString issuedBy;
    double issuedByLeft;
    double receivedLeft;
    QString numberField;   // of the headers
    QString quantityField; // of the lines
};

// A one-document print of a goods receipt or dispatch: the title with the company frame,
// the document number and date (from the headers' current row) and the partner of the
// first line; one detail per line; the signatures at the foot of the last page.
class StockDocumentReport : public ReportWindow {
    Q_OBJECT
public:
    // The headers' current row is the document; the lines are its ledger rows joined with
    // the partner and the article. The report moves the lines' cursor as it runs.
    void PrepareReport(data::Query* headers, data::Query* lines);

protected:
    StockDocumentReport(const StockDocumentLayout& layout, QWidget* owner);

    report::Band* QRBand1 = nullptr;      // title
    report::Band* QRSubDetail1 = nullptr; // one line
    report::Band* QRBand2 = nullptr;      // summary

private:
    StockDocumentLayout m_layout;
};

} // namespace reports
