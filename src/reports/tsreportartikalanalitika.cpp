#include "reports/tsreportartikalanalitika.h"

#include "data/query.h"
#include "kit/format.h"

#include <cmath>

using report::Band;
using report::BandKind;
using report::DBText;
using report::Label;
using reports::arial;

namespace {

// Printed dates, as on every other printed document.
const QString kDateMask = QStringLiteral("dd.MM.yyyy");

const QString kQuantityMask = QStringLiteral("#,##0.00");

// Column edges of the ruled grid (mm from the band's left edge), eight columns.
const double kCol[9] = {0, 12, 40, 70, 98, 143, 185, 227, 271.6};

double centre(int column) // 1-based
{
    return (kCol[column - 1] + kCol[column]) / 2;
}

// The balance as the overview holds it: four decimals, half away from zero.
double toFourDecimals(double value)
{
    return std::round(value * 10000.0) / 10000.0;
}

} // namespace

TSReportArtikalAnalitika::TSReportArtikalAnalitika(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportArtikalAnalitika"));
    setWindowTitle(QStringLiteral("Reports by product"));
    QuickRep1.page.orientation = report::Orientation::Landscape;
    const double width = QuickRep1.page.printableWidth();
    const report::Font caption = arial(9);
    const report::Font value = arial(10, true);
    const report::Font small = arial(8);
    const double pen = 0.25;

    QRBand2 = QuickRep1.addBand(BandKind::Title, QStringLiteral("QRBand2"), 54.0);
    QRBand2->frame = report::FrameBottom;
    named(QRBand2->addLabel(QStringLiteral("REPORTS BY PRODUCT "), width / 2, 1.5, arial(12, true), Qt::AlignHCenter),
          "QRLabel3");

    // Left: the firm's particulars, written in by hand.
    const char* firm[] = {"Company", "Address", "City", "State"};
    for (int i = 0; i < 4; ++i) {
        const double top = 10.0 + i * 6.0;
        named(QRBand2->addLabel(QString::fromLatin1(firm[i]), 0, top, caption), firm[i]);
        QRBand2->addHLine(17.0, top + 4.2, 63.0, pen);
    }
    // Middle: the article and the warehouse.
    named(QRBand2->addLabel(QStringLiteral("Product Name"), 95.0, 10.0, caption), "QRLabel4");
    QRBand2->addHLine(118.0, 14.2, 75.0, pen);
    named(QRBand2->addDBText(nullptr, QStringLiteral("artikal"), 119.0, 9.4, value, QString(), Qt::AlignLeft, 74.0),
          "QRDBText7");
    named(QRBand2->addLabel(QStringLiteral("Warehouse"), 95.0, 16.0, caption), "QRLabel5");
    QRBand2->addHLine(118.0, 20.2, 75.0, pen);
    // Right: page, date and unit.
    named(QRBand2->addLabel(QStringLiteral("Page"), 205.0, 10.0, caption), "QRLabel6");
    named(QRBand2->addSysData(report::SysKind::PageNumber, 218.0, 10.0, caption), "QRSysData1");
    named(QRBand2->addLabel(QStringLiteral("Year"), 205.0, 16.0, caption), "QRLabel7");
    named(QRBand2->addSysData(report::SysKind::Date, 218.0, 16.0, caption), "QRSysData2");
    named(QRBand2->addLabel(QStringLiteral("Unit _______________________________"), 205.0, 22.0, caption), "QRLabel8");
    named(QRBand2->addDBText(nullptr, QStringLiteral("edm"), 215.0, 21.4, value), "QRDBText8");

    // The ruled column heads: group captions, captions, column numbers.
    const double top = 36.0, row2 = 41.0, row3 = 49.0, bottom = 54.0;
    QRBand2->addRect(QRectF(0, top, width, bottom - top), pen);
    QRBand2->addHLine(kCol[2], row2, width - kCol[2], pen);
    QRBand2->addHLine(0, row3, width, pen);
    for (int c = 1; c < 8; ++c) {
        const bool groupEdge = c <= 2 || c == 5;
        QRBand2->addVLine(kCol[c], groupEdge ? top : row2, groupEdge ? bottom - top : bottom - row2, pen);
    }
    named(QRBand2->addLabel(QStringLiteral("Document Info"), (kCol[2] + kCol[5]) / 2, top + 1.0, caption, Qt::AlignHCenter),
          "QRLabel9");
    named(QRBand2->addLabel(QStringLiteral("Quantity"), (kCol[5] + kCol[8]) / 2, top + 1.0, caption, Qt::AlignHCenter),
          "QRLabel10");
    const char* heads[] = {"#",      "Date",    "Doc.No.",          "Date", "Type of Document",
                           "IN (+)", "OUT (-)", "REMAIN (quantity)"};
    for (int c = 1; c <= 8; ++c) {
        const double headTop = c <= 2 ? top + 4.5 : row2 + 2.0;
        QRBand2->addLabel(QString::fromLatin1(heads[c - 1]), centre(c), headTop, caption, Qt::AlignHCenter);
        QRBand2->addLabel(QString::number(c), centre(c), row3 + 1.0, small, Qt::AlignHCenter);
    }
    QRBand2->BeforePrint = [this](Band& band, bool& print) { QRBand2BeforePrint(band, print); };

    // One movement, ruled like the heads.
    const double lineHeight = 5.6;
    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), lineHeight, nullptr);
    // Ruled at its foot; the top rule closes the grid where a page starts (elsewhere it
    // falls on the rule above).
    QRSubDetail1->frame = report::FrameTop | report::FrameBottom;
    for (int c = 0; c <= 8; ++c)
        QRSubDetail1->addVLine(kCol[c], 0, lineHeight, pen);
    const double t = 1.0;
    named(QRSubDetail1->addLabel(QString(), centre(1), t, caption, Qt::AlignHCenter), "QRLabel1");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("datum_referenca"), centre(2), t, caption, kDateMask,
                                  Qt::AlignHCenter),
          "QRDBText1");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("br_dokument"), centre(3), t, caption, QString(), Qt::AlignHCenter),
          "QRDBText2");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("datum_referenca"), centre(4), t, caption, kDateMask,
                                  Qt::AlignHCenter),
          "QRDBText3");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vid_na_dokument"), kCol[4] + 2.0, t, caption, QString(),
                                  Qt::AlignLeft, kCol[5] - kCol[4] - 3.0),
          "QRDBText4");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vlez_kol"), kCol[6] - 2.0, t, caption, kQuantityMask,
                                  Qt::AlignRight),
          "QRDBText5");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("izlez_kol"), kCol[7] - 2.0, t, caption, kQuantityMask,
                                  Qt::AlignRight),
          "QRDBText6");
    named(QRSubDetail1->addLabel(QString(), kCol[8] - 2.0, t, caption, Qt::AlignRight), "QRLabel2");
    QRSubDetail1->BeforePrint = [this](Band& band, bool& print) { QRSubDetail1BeforePrint(band, print); };

    // Page footer: the signature line on the right.
    QRBand3 = QuickRep1.addBand(BandKind::PageFooter, QStringLiteral("QRBand3"), 16.0);
    QRBand3->addHLine(205.0, 8.0, 62.0, pen);
    named(QRBand3->addLabel(QStringLiteral("signature"), 236.0, 9.0, caption, Qt::AlignHCenter), "QRLabel11");
}

void TSReportArtikalAnalitika::PrepareReport(data::Query* master, data::Query* detail, int pageIndex)
{
    Q_UNUSED(pageIndex);
    m_detail = detail;
    // The report has no dataset of its own: the title prints once and the detail once per
    // movement of the current article.
    QuickRep1.DataSet = nullptr;
    QRSubDetail1->DataSet = detail;
    for (const auto& element : QRSubDetail1->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = detail;
    QRBand2->find<DBText>(QStringLiteral("QRDBText7"))->DataSet = master;
    QRBand2->find<DBText>(QStringLiteral("QRDBText8"))->DataSet = master;
}

void TSReportArtikalAnalitika::QRBand2BeforePrint(Band&, bool&)
{
    QRSubDetail1->find<Label>(QStringLiteral("QRLabel1"))->Caption = QStringLiteral("1");
    m_row = 1;
    m_saldo = 0;
}

void TSReportArtikalAnalitika::QRSubDetail1BeforePrint(Band& band, bool&)
{
    band.find<Label>(QStringLiteral("QRLabel1"))->Caption = QString::number(m_row);
    ++m_row;
    if (m_detail && !m_detail->IsEmpty())
        m_saldo = m_saldo + m_detail->FieldByName(QStringLiteral("vlez_kol")).AsFloat()
                  - m_detail->FieldByName(QStringLiteral("izlez_kol")).AsFloat();
    band.find<Label>(QStringLiteral("QRLabel2"))->Caption = kit::formatFloat(kQuantityMask, toFourDecimals(m_saldo));
}
