#pragma once

#include "reports/stockdocumentreport.h"

// The printed goods receipt.
class TSReportPriemnica : public reports::StockDocumentReport {
    Q_OBJECT
public:
    explicit TSReportPriemnica(QWidget* owner = nullptr);
};
