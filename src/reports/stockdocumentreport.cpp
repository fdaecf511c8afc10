#include "reports/stockdocumentreport.h"

#include "kit/yuscii.h"

namespace reports {

using report::Band;
using report::BandKind;
using report::DBText;

namespace {
const QString kQuantityMask = QStringLiteral("#,##0.00");
const QString kDateMask = QStringLiteral("dd.MM.yyyy");
const double kDetailHeight = 6.6;
const double kSummaryHeight = 52.4;
} // namespace

StockDocumentReport::StockDocumentReport(const StockDocumentLayout& layout, QWidget* owner)
    : ReportWindow(owner), m_layout(layout)
{
    const report::Font& f = m_layout.headFont;
    QuickRep1.page.orientation = report::Orientation::Portrait;

    QRBand1 = QuickRep1.addBand(BandKind::Title, QStringLiteral("QRBand1"), m_layout.titleHeight);
    QRBand1->frame = report::FrameBottom;
    named(QRBand1->addRect(QRectF(8.5, 6.3, 84.9, 17.2), 0.35), "QRShape1");
    named(QRBand1->addLabel(QStringLiteral("myCompany"), m_layout.companyLeft, 8.5, arial(27.75, true)), "QRLabel1");
    named(QRBand1->addLabel(m_layout.dateCaption, m_layout.dateCaptionAt.x(), m_layout.dateCaptionAt.y(), f), "QRLabel2");
    named(QRBand1->addDBText(nullptr, QString(), m_layout.dateAt.x(), m_layout.dateAt.y(), f, kDateMask), "QRDBText5");
    named(QRBand1->addDBText(nullptr, QStringLiteral("naziv"), 101.6, 42.3, f, QString(), Qt::AlignLeft, 83.1),
          "QRDBText4");
    named(QRBand1->addDBText(nullptr, QStringLiteral("adresa"), 101.6, 50.8, f, QString(), Qt::AlignLeft, 83.1),
          "QRDBText23");
    named(QRBand1->addDBText(nullptr, QStringLiteral("grad"), 101.6, 59.3, f, QString(), Qt::AlignLeft, 83.1),
          "QRDBText24");
    named(QRBand1->addLabel(m_layout.numberCaption, m_layout.numberCaptionAt.x(), m_layout.numberCaptionAt.y(),
                            arial(14.25, true)),
          "QRLabel3");
    DBText* number =
        named(QRBand1->addDBText(nullptr, QString(), m_layout.numberAt.x(), m_layout.numberAt.y(), m_layout.numberFont),
              "QRDBText7");
    if (m_layout.numberFont.family == QLatin1String("MAC C Swiss"))
        number->OnPrint = [](QString& text) { text = kit::yusciiToUnicode(text); };
    if (!m_layout.intro.isEmpty())
        named(QRBand1->addLabel(m_layout.intro, 8.5, 82.5, f), "QRLabel4");
    const double heads = m_layout.headsTop;
    named(QRBand1->addLabel(m_layout.codeHead, 2.1, heads, f), "QRLabel5");
    named(QRBand1->addLabel(QStringLiteral("Product Name"), 29.6, heads, f), "QRLabel6");
    named(QRBand1->addLabel(QStringLiteral("Unit"), 139.7, heads, f), "QRLabel7");
    named(QRBand1->addLabel(QStringLiteral("Quantity"), 169.3, heads, f), "QRLabel8");

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), kDetailHeight, nullptr);
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("sifra"), 2.1, 1.1, f, QString(), Qt::AlignLeft, 26.5),
          "QRDBText1");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("artikal"), 29.6, 1.1, f, QString(), Qt::AlignLeft, 100.0),
          "QRDBText2");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("edm"), 146.6, 1.1, f, QString(), Qt::AlignRight), "QRDBText6");
    named(QRSubDetail1->addDBText(nullptr, m_layout.quantityField, 180.1, 1.1, f, kQuantityMask, Qt::AlignRight),
          "QRDBText3");

    QRBand2 = QuickRep1.addBand(BandKind::Summary, QStringLiteral("QRBand2"), kSummaryHeight);
    QRBand2->AlignToBottom = true;
    named(QRBand2->addHLine(0, 13.2, QuickRep1.page.printableWidth(), 0.35), "QRShape2");
    named(QRBand2->addLabel(m_layout.issuedBy, m_layout.issuedByLeft, 29.6, f), "QRLabel9");
    named(QRBand2->addLabel(QStringLiteral("Received___________________________"), m_layout.receivedLeft, 29.6, f),
          "QRLabel10");
}

void StockDocumentReport::PrepareReport(data::Query* headers, data::Query* lines)
{
    // The report and its detail run over the lines, so every line prints once; the title
    // prints while the lines stand on their first row, with that line's partner.
    QuickRep1.DataSet = lines;
    QRSubDetail1->DataSet = lines;
    const auto bind = [](Band* band, const char* name, data::Query* dataSet, const QString& field) {
        DBText* text = band->find<DBText>(QString::fromLatin1(name));
        text->DataSet = dataSet;
        if (!field.isEmpty())
            text->DataField = field;
    };
    bind(QRBand1, "QRDBText7", headers, m_layout.numberField);
    bind(QRBand1, "QRDBText5", headers, QStringLiteral("datum"));
    bind(QRBand1, "QRDBText4", lines, QString());
    bind(QRBand1, "QRDBText23", lines, QString());
    bind(QRBand1, "QRDBText24", lines, QString());
    bind(QRSubDetail1, "QRDBText1", lines, QString());
    bind(QRSubDetail1, "QRDBText2", lines, QString());
    bind(QRSubDetail1, "QRDBText6", lines, QString());
    bind(QRSubDetail1, "QRDBText3", lines, QString());
}

} // namespace reports
