#include "reports/tsreportnalog.h"

#include "kit/yuscii.h"

namespace reports {

using report::Band;
using report::BandKind;
using report::DBText;
using report::TextElement;

namespace {

const QString kDisplayFont = QStringLiteral("MAC C Swiss");

report::Font display(double size, bool bold = false)
{
    return report::Font(kDisplayFont, size, bold);
}

// The captions are written in the display font's code page; they print with their own
// letters. Data prints as it is stored, as on every screen and every other printed list:
// a name with "[" or "~" in it keeps them.
template <class T>
T* inDisplayFont(T* element)
{
    element->OnPrint = [](QString& text) { text = kit::yusciiToUnicode(text); };
    return element;
}

} // namespace

TSReportNalog::TSReportNalog(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportNalog"));
    setWindowTitle(QStringLiteral("Work order"));
    QuickRep1.page.orientation = report::Orientation::Portrait;

    const auto label = [this](Band* band, const char* name, const char* caption, double left, double top,
                              const report::Font& font) {
        inDisplayFont(named(band->addLabel(QString::fromLatin1(caption), left, top, font), name));
    };
    const auto field = [this](Band* band, const char* name, const char* dataField, double left, double top,
                              const report::Font& font, Qt::Alignment alignment = Qt::AlignLeft) {
        named(band->addDBText(nullptr, QString::fromLatin1(dataField), left, top, font, QString(), alignment), name);
    };

    QRBand2 = QuickRep1.addBand(BandKind::Title, QStringLiteral("QRBand2"), 77.0);
    QRBand2->frame = report::FrameBottom;
    label(QRBand2, "QRLabel12", "Vraboten ________________________________________________", 8.5, 31.8, display(9));
    field(QRBand2, "QRDBText1", "prioritet", 27.5, 30.2, display(10));
    label(QRBand2, "QRLabel10", "datum ___________________", 8.5, 38.1, display(9));
    field(QRBand2, "QRDBText2", "datum_start", 23.3, 36.5, display(10));
    label(QRBand2, "QRLabel9", "NALOG Br. _________", 63.5, 52.9, display(16, true));
    field(QRBand2, "QRDBText3", "nalog_id", 95.2, 51.9, display(12));
    label(QRBand2, "QRLabel11", "Denes  vraboteniot gi zadol`i slednite artikli za da gi izraboti navedenite proizvodi",
          8.5, 65.6, display(9));
    label(QRBand2, "QRLabel13", "[ifra", 2.1, 71.4, display(9));
    label(QRBand2, "QRLabel14", "Proizvod", 23.3, 71.4, display(9));
    label(QRBand2, "QRLabel16", "Kol.", 139.7, 71.4, display(9));
    label(QRBand2, "QRLabel15", "Edm", 148.2, 71.4, display(9));

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 5.0, nullptr);
    QRSubDetail1->frame = report::FrameTop | report::FrameBottom;
    field(QRSubDetail1, "QRDBText4", "sifra", 2.1, 0.3, display(9));
    field(QRSubDetail1, "QRDBText5", "proizvod", 23.3, 0.3, display(9));
    field(QRSubDetail1, "QRDBText7", "vlez_kol", 145.5, 0.3, display(9), Qt::AlignRight);
    field(QRSubDetail1, "QRDBText6", "edm", 150.3, 0.3, display(9));

    QRSubDetail2 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail2"), 5.0, nullptr, QRSubDetail1);
    field(QRSubDetail2, "QRDBText8", "sifra", 12.7, 0.3, display(9));
    field(QRSubDetail2, "QRDBText9", "artikal", 57.1, 0.3, display(9));
    field(QRSubDetail2, "QRDBText11", "vk_kol", 157.9, 0.3, display(9), Qt::AlignRight);
    field(QRSubDetail2, "QRDBText10", "edm", 163.0, 0.3, display(9));

    QRBand1 = QuickRep1.addBand(BandKind::PageFooter, QStringLiteral("QRBand1"), 29.1);
    QRBand1->frame = report::FrameTop;
    label(QRBand1, "QRLabel8", "Izdal ______________________", 8.5, 14.8, display(10));
    label(QRBand1, "QRLabel19", "Primil___________________________", 114.3, 14.8, display(10));
}

void TSReportNalog::PrepareReport(data::Query* orders, data::Query* lines, data::Query* articles)
{
    // The report and the product band both run over the lines, so each line prints once.
    QuickRep1.DataSet = lines;
    QRSubDetail1->DataSet = lines;
    QRSubDetail2->DataSet = articles;
    const auto bind = [](Band* band, data::Query* dataSet) {
        for (const auto& element : band->elements())
            if (auto* text = dynamic_cast<DBText*>(element.get()))
                text->DataSet = dataSet;
    };
    bind(QRBand2, orders);
    bind(QRSubDetail1, lines);
    bind(QRSubDetail2, articles);
}

} // namespace reports
