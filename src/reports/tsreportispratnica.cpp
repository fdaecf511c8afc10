#include "reports/tsreportispratnica.h"

namespace {

reports::StockDocumentLayout dispatchLayout()
{
    reports::StockDocumentLayout l;
    l.titleHeight = 95.5;
    l.companyLeft = 23.3;
    l.headFont = reports::arial(9.75);
    l.dateCaption = QStringLiteral("Date ___________________");
    l.dateCaptionAt = QPointF(6.3, 52.9);
    l.dateAt = QPointF(16.9, 50.8);
    l.numberCaption = QStringLiteral("GOODS DISPATCH No. ________________________");
    l.numberCaptionAt = QPointF(4.2, 69.8);
    l.numberAt = QPointF(69.8, 67.7);
    l.numberFont = reports::arial(14.25, true);
    l.headsTop = 90.5;
    l.codeHead = QStringLiteral("ProductID");
    l.issuedBy = QStringLiteral("Issued by  ______________________");
    l.issuedByLeft = 0;
    l.receivedLeft = 122.8;
    l.numberField = QStringLiteral("ispratnica_id");
    l.quantityField = QStringLiteral("izlez_kol");
    return l;
}

} // namespace

TSReportIspratnica::TSReportIspratnica(QWidget* owner) : StockDocumentReport(dispatchLayout(), owner)
{
    setObjectName(QStringLiteral("SReportIspratnica"));
    setWindowTitle(QStringLiteral("Goods dispatch"));
}
