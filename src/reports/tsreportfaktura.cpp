#include "reports/tsreportfaktura.h"

#include "kit/yuscii.h"

using report::BandKind;
using reports::arial;

namespace {

const QString kAmountMask = QStringLiteral("#,##0.00");
const QString kPlaceholder = QStringLiteral("kol");

// Column edges (mm): text columns by their left edge, figures by their right edge.
const double kCodeLeft = 0;
const double kNameLeft = 18.0;
const double kUnitLeft = 70.0;
const double kFigureRight[] = {96.0, 114.0, 132.0, 148.0, 166.0, 176.0, 184.0};

report::Label* yusciiLabel(report::Band* band, const QString& caption, double left, double top,
                           const report::Font& font, Qt::Alignment alignment = Qt::AlignLeft)
{
    report::Label* label = band->addLabel(caption, left, top, font, alignment);
    label->OnPrint = [](QString& text) { text = kit::yusciiToUnicode(text); };
    return label;
}

} // namespace

TSReportFaktura::TSReportFaktura(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportFaktura"));
    setWindowTitle(QStringLiteral("Faktura"));
    QuickRep1.page.orientation = report::Orientation::Portrait;
    const double width = QuickRep1.page.printableWidth();
    const report::Font body = arial(9);
    const report::Font bold = arial(9, true);

    TitleBand1 = QuickRep1.addBand(BandKind::Title, QStringLiteral("TitleBand1"), 92.0);
    named(TitleBand1->addRect(QRectF(0, 0, width, 24.0)), "QRImage1"); // picture area, left empty
    named(TitleBand1->addLabel(QStringLiteral("FAKTURA Br. _________"), 0, 30.0, arial(14, true)), "QRLabel1");
    named(TitleBand1->addRect(QRectF(0, 40.0, 92.0, 28.0)), "QRShape1");
    const char* partnerFields[] = {"naziv", "adresa", "grad", "edb"};
    for (int i = 0; i < 4; ++i)
        named(TitleBand1->addDBText(nullptr, QString::fromLatin1(partnerFields[i]), 3.0, 42.0 + i * 6.0,
                                    i == 0 ? bold : body, QString(), Qt::AlignLeft, 86.0),
              QStringLiteral("QRDBText%1").arg(i + 1).toLatin1().constData());
    const char* boxes[] = {"Datum :", "Valuta :", "Seriski broj :"};
    for (int i = 0; i < 3; ++i) {
        const double top = 40.0 + i * 9.5;
        named(TitleBand1->addRect(QRectF(120.0, top, width - 120.0, 8.0)),
              QStringLiteral("QRShape%1").arg(i + 2).toLatin1().constData());
        named(TitleBand1->addLabel(QString::fromLatin1(boxes[i]), 122.0, top + 1.5, bold),
              QStringLiteral("QRLabel%1").arg(i + 2).toLatin1().constData());
    }
    const double heads = 84.0;
    TitleBand1->addHLine(0, heads - 1.5, width);
    yusciiLabel(TitleBand1, QStringLiteral("[ifra"), kCodeLeft, heads, bold);
    TitleBand1->addLabel(QStringLiteral("Proizvod"), kNameLeft, heads, bold);
    TitleBand1->addLabel(QStringLiteral("Edm"), kUnitLeft, heads, bold);
    const char* figureHeads[] = {"Kol.", "Cena", "Iznos", "Rabat", "Iznos bez DDV", "DDV", "Iznos"};
    const report::Font small = arial(7, true);
    for (int i = 0; i < 7; ++i)
        TitleBand1->addLabel(QString::fromLatin1(figureHeads[i]), kFigureRight[i], heads + (i % 2 ? 3.5 : 0), small,
                             Qt::AlignRight);

    DetailBand1 = QuickRep1.addBand(BandKind::Detail, QStringLiteral("DetailBand1"), 11.0);
    DetailBand1->frame = report::FrameBottom;
    DetailBand1->addDBText(nullptr, QStringLiteral("sifra"), kCodeLeft, 1.0, body, QString(), Qt::AlignLeft, 17.0);
    DetailBand1->addDBText(nullptr, QStringLiteral("proizvod"), kNameLeft, 1.0, body, QString(), Qt::AlignLeft, 51.0);
    DetailBand1->addDBText(nullptr, QStringLiteral("edm"), kUnitLeft, 1.0, body, QString(), Qt::AlignLeft, 10.0);
    for (int i = 0; i < 7; ++i)
        DetailBand1->addDBText(nullptr, kPlaceholder, kFigureRight[i], i % 2 ? 5.5 : 1.0, body, kAmountMask,
                               Qt::AlignRight);
    DetailBand1->addLabel(QStringLiteral("Rabat (%)"), kNameLeft, 5.5, arial(7));
    DetailBand1->addDBText(nullptr, kPlaceholder, kNameLeft + 14.0, 5.5, arial(7));
    DetailBand1->addLabel(QStringLiteral("DDV(%)"), kNameLeft + 28.0, 5.5, arial(7));
    DetailBand1->addDBText(nullptr, kPlaceholder, kNameLeft + 40.0, 5.5, arial(7));

    SummaryBand1 = QuickRep1.addBand(BandKind::Summary, QStringLiteral("SummaryBand1"), 62.0);
    const char* totals[] = {"Vk Iznos", "Rabat", "Vk.Iznos bez DDV ", "DDV", "Iznos za plakawe"};
    const char* sources[] = {"QRDBText5", "QRDBText6", "QRDBText7", "QRDBText8", "QRDBText9"};
    for (int i = 0; i < 5; ++i) {
        const double top = 2.0 + i * 6.0;
        yusciiLabel(SummaryBand1, QString::fromLatin1(totals[i]), 110.0, top, i == 4 ? arial(10, true) : bold);
        SummaryBand1->addDBText(nullptr, QString::fromLatin1(sources[i]), width, top, i == 4 ? arial(10, true) : bold,
                                kAmountMask, Qt::AlignRight);
    }
    const char* terms[] = {
        "Fakturata se plaka vo rok od 8 dena od denot na prieman, dokolku ne e naveden drug rok na plakawe.",
        "Za nenavremeno plakawe se presmetuva zakonska zatezna kamata.",
        "Vo slucaj na spor nadlezen e Stopanskiot sud.",
    };
    for (int i = 0; i < 3; ++i)
        yusciiLabel(SummaryBand1, QString::fromLatin1(terms[i]), 0, 36.0 + i * 5.0, arial(8, false, true));

    PageFooterBand1 = QuickRep1.addBand(BandKind::PageFooter, QStringLiteral("PageFooterBand1"), 14.0);
    PageFooterBand1->addLabel(QStringLiteral("Primil ______________________"), 0, 6.0, body);
    PageFooterBand1->addLabel(QStringLiteral("Direktor ______________________"), width / 2, 6.0, body, Qt::AlignHCenter);
    PageFooterBand1->addLabel(QStringLiteral("Fakturiral_________________"), width, 6.0, body, Qt::AlignRight);
}
