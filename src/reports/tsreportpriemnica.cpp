#include "reports/tsreportpriemnica.h"

namespace {

reports::StockDocumentLayout receiptLayout()
{
    reports::StockDocumentLayout l;
    l.titleHeight = 93.4;
    l.companyLeft = 21.2;
    l.headFont = reports::arial(9);
    l.dateCaption = QStringLiteral("Date ___________________");
    l.dateCaptionAt = QPointF(8.5, 44.5);
    l.dateAt = QPointF(21.2, 42.3);
    l.numberCaption = QStringLiteral("GOODS RECEIPT No. _________");
    l.numberCaptionAt = QPointF(6.3, 59.3);
    l.numberAt = QPointF(61.4, 59.3);
    // The number is set in the form's display font, as the receipt list shows it.
    l.numberFont = report::Font(QStringLiteral("MAC C Swiss"), 12, true);
    l.intro = QStringLiteral("Today we receive follows products:");
    l.headsTop = 88.4;
    l.codeHead = QStringLiteral("ID");
    l.issuedBy = QStringLiteral("Issued by____________________");
    l.issuedByLeft = 8.5;
    l.receivedLeft = 114.3;
    l.numberField = QStringLiteral("priemnica_id");
    l.quantityField = QStringLiteral("vlez_kol");
    return l;
}

} // namespace

TSReportPriemnica::TSReportPriemnica(QWidget* owner) : StockDocumentReport(receiptLayout(), owner)
{
    setObjectName(QStringLiteral("SReportPriemnica"));
    setWindowTitle(QStringLiteral("Goods receipt"));
}
