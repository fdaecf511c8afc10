#pragma once

#include "reports/stockdocumentreport.h"

// The printed goods dispatch.
class TSReportIspratnica : public reports::StockDocumentReport {
    Q_OBJECT
public:
    explicit TSReportIspratnica(QWidget* owner = nullptr);
};
