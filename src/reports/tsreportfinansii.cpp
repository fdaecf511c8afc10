#include "reports/tsreportfinansii.h"

#include "kit/yuscii.h"

using report::BandKind;
using report::DBText;
using reports::arial;

namespace {

const QString kMoneyMask = QStringLiteral("#,##0.00");
const QString kDisplayFont = QStringLiteral("MAC C Swiss");

// Left edges of the text columns and right edges of the figures (mm).
const double kDateLeft = 0;
const double kLabelLeft = 26.0;
const double kFigureRight[] = {84.0, 109.0, 134.0, 159.0, 184.0};

// A caption in the display font: its letters print as the font shows them.
report::Label* displayLabel(report::Band* band, const QString& caption, double left, double top, double size,
                            Qt::Alignment alignment = Qt::AlignLeft, bool bold = false)
{
    report::Label* label = band->addLabel(caption, left, top, report::Font(kDisplayFont, size, bold), alignment);
    label->OnPrint = [](QString& text) { text = kit::yusciiToUnicode(text); };
    return label;
}

} // namespace

TSReportFinansii::TSReportFinansii(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportFinansii"));
    setWindowTitle(QStringLiteral("Finansov izvestaj"));
    QuickRep1.page.orientation = report::Orientation::Portrait;
    const double width = QuickRep1.page.printableWidth();
    const report::Font body = arial(10);

    QRBand1 = QuickRep1.addBand(BandKind::PageHeader, QStringLiteral("QRBand1"), 40.0);
    QRBand1->frame = report::FrameBottom;
    named(displayLabel(QRBand1, QStringLiteral("FINANSOV IZVE[TAJ"), width / 2, 0.5, 18, Qt::AlignHCenter), "QRLabel1");
    named(displayLabel(QRBand1, QStringLiteral("Spisok na Fakturi"), width / 2, 9.0, 16, Qt::AlignHCenter), "QRLabel2");
    // The period: the start date in the gap between "od" and "do", the end date after "do".
    const QString period = QStringLiteral("za period od                        do");
    const double periodLeft = 30.0;
    const report::Font periodFont(kDisplayFont, 16);
    named(displayLabel(QRBand1, period, periodLeft, 17.0, 16), "QRLabel3");
    const double odEnd = periodLeft + report::textWidthMm(QStringLiteral("za period od "), periodFont);
    const double doLeft = periodLeft + report::textWidthMm(period, periodFont);
    named(QRBand1->addLabel(QString(), odEnd + 2.0, 17.0, periodFont), "QRLabel17");
    named(QRBand1->addLabel(QString(), doLeft + 3.0, 17.0, periodFont), "QRLabel18");
    const double heads = 33.0;
    named(displayLabel(QRBand1, QStringLiteral("Datum"), kDateLeft, heads, 10, Qt::AlignLeft, true), "QRLabel4");
    named(displayLabel(QRBand1, QStringLiteral("[ifra"), kLabelLeft, heads, 10, Qt::AlignLeft, true), "QRLabel5");
    const char* heads5[] = {"Vk.Iznos", "Rabat", "Iznos", "Danok", "Bruto"};
    const char* headNames[] = {"QRLabel6", "QRLabel7", "QRLabel8", "QRLabel9", "QRLabel10"};
    for (int i = 0; i < 5; ++i)
        named(displayLabel(QRBand1, QString::fromLatin1(heads5[i]), kFigureRight[i], heads, 10, Qt::AlignRight, true),
              headNames[i]);

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 6.0, nullptr);
    QRSubDetail1->frame = report::FrameBottom;
    const double t = 1.0;
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("datum"), kDateLeft, t, body, QStringLiteral("dd.MM.yyyy"),
                                  Qt::AlignLeft, kLabelLeft - 1.0),
          "QRDBText12");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("document_id_label"), kLabelLeft, t, body, QString(),
                                  Qt::AlignLeft, 28.0),
          "QRDBText1");
    const char* fields[] = {"vkiznos", "rabat", "vkiznos_rabat", "danok", "bruto"};
    const char* lineNames[] = {"QRDBText2", "QRDBText3", "QRDBText4", "QRDBText5", "QRDBText6"};
    for (int i = 0; i < 5; ++i)
        named(QRSubDetail1->addDBText(nullptr, QString::fromLatin1(fields[i]), kFigureRight[i], t, body, kMoneyMask,
                                      Qt::AlignRight),
              lineNames[i]);

    QRBand2 = QuickRep1.addBand(BandKind::Summary, QStringLiteral("QRBand2"), 62.0);
    const char* captions[] = {"Vk.Iznos", "Vk.Rabat", "Vk.Iznos-Rabat", "VK.Danok", "Vk.Bruto"};
    const char* totalNames[] = {"QRDBText7", "QRDBText8", "QRDBText9", "QRDBText10", "QRDBText11"};
    const char* captionNames[] = {"QRLabel11", "QRLabel12", "QRLabel13", "QRLabel14", "QRLabel15"};
    const double captionLeft = 100.0;
    for (int i = 0; i < 5; ++i) {
        const double top = 3.0 + i * 6.0;
        named(QRBand2->addLabel(QString::fromLatin1(captions[i]), captionLeft, top, arial(10, true)), captionNames[i]);
        named(QRBand2->addDBText(nullptr, QString::fromLatin1(fields[i]), kFigureRight[4], top, arial(10, true),
                                 kMoneyMask, Qt::AlignRight),
              totalNames[i]);
    }
    named(QRBand2->addLabel(QStringLiteral("Direktor"), 130.0, 42.0, body), "QRLabel16");
    named(QRBand2->addLabel(QStringLiteral("___________________________"), 118.0, 52.0, body), "QRLabel19");
}

void TSReportFinansii::PrepareReport(data::Query* lines, data::Query* totals, const QString& endDate,
                                     const QString& startDate)
{
    QuickRep1.DataSet = lines;
    QRSubDetail1->DataSet = lines;
    for (const auto& element : QRSubDetail1->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = lines;
    for (const auto& element : QRBand2->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = totals;
    QRBand1->find<report::Label>(QStringLiteral("QRLabel17"))->Caption = startDate;
    QRBand1->find<report::Label>(QStringLiteral("QRLabel18"))->Caption = endDate;
}
