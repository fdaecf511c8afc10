#include "reports/tsreportlager.h"

using report::BandKind;
using report::DBText;
using reports::arial;

namespace {

const QString kQuantityMask = QStringLiteral("#,##0.00");

// Right edges of the number columns and left edges of the text columns (mm).
const double kIdRight = 16.5;
const double kNameLeft = 21.0;
const double kNameWidth = 58.0;
const double kUnitRight = 90.0;
const double kInRight = 120.0;
const double kOutRight = 150.0;
const double kSaldoRight = 184.5;

} // namespace

TSReportLager::TSReportLager(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportLager"));
    setWindowTitle(QStringLiteral("Products remain list"));
    QuickRep1.page.orientation = report::Orientation::Portrait;
    const double mid = QuickRep1.page.printableWidth() / 2;
    const report::Font heads = arial(10);
    const report::Font body = arial(10);

    QRBand1 = QuickRep1.addBand(BandKind::Title, QStringLiteral("QRBand1"), 31.0);
    QRBand1->frame = report::FrameBottom;
    named(QRBand1->addLabel(QStringLiteral("REPORT of PRODUCTS REMAINS"), mid, 2.0, arial(18, true, true), Qt::AlignHCenter),
          "QRLabel2");
    named(QRBand1->addLabel(QString(), mid, 12.0, arial(12, true), Qt::AlignHCenter), "QRLabel1");
    const double headsTop = 25.5;
    named(QRBand1->addLabel(QStringLiteral("ProductID"), kIdRight, headsTop, heads, Qt::AlignRight), "QRLabel3");
    named(QRBand1->addLabel(QStringLiteral("Product Name"), kNameLeft, headsTop, heads), "QRLabel4");
    named(QRBand1->addLabel(QStringLiteral("Unit"), kUnitRight, headsTop, heads, Qt::AlignRight), "QRLabel5");
    named(QRBand1->addLabel(QStringLiteral("In(+)quantity"), kInRight, headsTop, heads, Qt::AlignRight), "QRLabel6");
    named(QRBand1->addLabel(QStringLiteral("Out(-)quantity"), kOutRight, headsTop, heads, Qt::AlignRight), "QRLabel7");
    named(QRBand1->addLabel(QStringLiteral("Remain quantity"), kSaldoRight, headsTop, heads, Qt::AlignRight), "QRLabel8");

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 5.8, nullptr);
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("id_artikal"), kIdRight, 1.0, body, QString(), Qt::AlignRight),
          "QRDBText1");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("artikal"), kNameLeft, 1.0, body, QString(), Qt::AlignLeft,
                                  kNameWidth),
          "QRDBText2");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("edm"), kUnitRight, 1.0, body, QString(), Qt::AlignRight),
          "QRDBText6");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vk_vlez"), kInRight, 1.0, body, kQuantityMask, Qt::AlignRight),
          "QRDBText3");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vk_izlez"), kOutRight, 1.0, body, kQuantityMask, Qt::AlignRight),
          "QRDBText8");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("saldo"), kSaldoRight, 1.0, body, kQuantityMask, Qt::AlignRight),
          "QRDBText9");

    QRBand2 = QuickRep1.addBand(BandKind::PageFooter, QStringLiteral("QRBand2"), 10.0);
}

void TSReportLager::PrepareReport(data::Query* dataSet, data::Query* second, int pageIndex)
{
    Q_UNUSED(second);
    Q_UNUSED(pageIndex);
    QRBand1->find<report::Label>(QStringLiteral("QRLabel1"))->Caption = QStringLiteral("ARTIKLI");
    QuickRep1.DataSet = dataSet;
    QRSubDetail1->DataSet = dataSet;
    for (const auto& element : QRSubDetail1->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = dataSet;
}
