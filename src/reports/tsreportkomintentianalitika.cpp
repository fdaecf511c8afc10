#include "reports/tsreportkomintentianalitika.h"

using report::BandKind;
using report::DBText;
using reports::arial;

namespace {

const QString kQuantityMask = QStringLiteral("#,##0.00");

// Left edges of the text columns and right edges of the number columns (mm).
const double kKindLeft = 0;
const double kNumberLeft = 28.0;
const double kCodeLeft = 50.0;
const double kNameLeft = 75.0;
const double kNameWidth = 95.0;
const double kUnitRight = 190.0;
const double kInRight = 230.0;
const double kOutRight = 271.0;
const double kValueLeft = 32.0;

} // namespace

TSReportKomintentiAnalitika::TSReportKomintentiAnalitika(QWidget* owner) : ReportWindow(owner)
{
    setObjectName(QStringLiteral("SReportKomintentiAnalitika"));
    setWindowTitle(QStringLiteral("Report by customer"));
    QuickRep1.page.orientation = report::Orientation::Landscape;
    const double width = QuickRep1.page.printableWidth();
    const report::Font bold = arial(10, true);
    const report::Font body = arial(10);

    QRBand1 = QuickRep1.addBand(BandKind::Title, QStringLiteral("QRBand1"), 46.0);
    QRBand1->frame = report::FrameBottom;
    named(QRBand1->addLabel(QString(), width / 2, 1.5, arial(16, true), Qt::AlignHCenter), "QRLabel1");
    const char* captions[] = {"ID", "Company", "Address", "Zip,City,State"};
    const char* fields[] = {"id", "naziv", "adresa", "grad"};
    const char* names[] = {"QRDBText1", "QRDBText2", "QRDBText3", "QRDBText4"};
    for (int i = 0; i < 4; ++i) {
        const double top = 12.0 + i * 6.0;
        QRBand1->addLabel(QString::fromLatin1(captions[i]), 0, top, bold);
        named(QRBand1->addDBText(nullptr, QString::fromLatin1(fields[i]), kValueLeft, top, bold, QString(),
                                 Qt::AlignLeft, 150.0),
              names[i]);
    }
    const double heads = 40.0;
    QRBand1->addLabel(QStringLiteral("Type"), kKindLeft, heads, bold);
    QRBand1->addLabel(QStringLiteral("No."), kNumberLeft, heads, bold);
    QRBand1->addLabel(QStringLiteral("ProductID"), kCodeLeft, heads, bold);
    QRBand1->addLabel(QStringLiteral("Product Name"), kNameLeft, heads, bold);
    QRBand1->addLabel(QStringLiteral("Unit"), kUnitRight, heads, bold, Qt::AlignRight);
    QRBand1->addLabel(QStringLiteral("In(+) quantity"), kInRight, heads, bold, Qt::AlignRight);
    QRBand1->addLabel(QStringLiteral("Out(-) quantity"), kOutRight, heads, bold, Qt::AlignRight);

    QRSubDetail1 = QuickRep1.addSubDetail(QStringLiteral("QRSubDetail1"), 5.6, nullptr);
    const double t = 1.0;
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vid_na_dokument"), kKindLeft, t, body, QString(),
                                  Qt::AlignLeft, kNumberLeft - 1.0),
          "QRDBText5");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("br_dokument"), kNumberLeft, t, body, QString(),
                                  Qt::AlignLeft, kCodeLeft - kNumberLeft - 1.0),
          "QRDBText6");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("sifra"), kCodeLeft, t, body, QString(), Qt::AlignLeft,
                                  kNameLeft - kCodeLeft - 1.0),
          "QRDBText7");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("artikal"), kNameLeft, t, body, QString(), Qt::AlignLeft,
                                  kNameWidth),
          "QRDBText8");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("edm"), kUnitRight, t, body, QString(), Qt::AlignRight),
          "QRDBText9");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("vlez_kol"), kInRight, t, body, kQuantityMask, Qt::AlignRight),
          "QRDBText10");
    named(QRSubDetail1->addDBText(nullptr, QStringLiteral("izlez_kol"), kOutRight, t, body, kQuantityMask, Qt::AlignRight),
          "QRDBText11");

    QRBand2 = QuickRep1.addBand(BandKind::Summary, QStringLiteral("QRBand2"), 6.0);
    QRBand3 = QuickRep1.addBand(BandKind::PageFooter, QStringLiteral("QRBand3"), 10.0);
}

void TSReportKomintentiAnalitika::PrepareReport(data::Query* master, data::Query* detail, int pageIndex)
{
    Q_UNUSED(pageIndex);
    QRBand1->find<report::Label>(QStringLiteral("QRLabel1"))->Caption = QStringLiteral("REPORT BY CUSTOMER - COMPANY");
    // No dataset of its own: the title prints once, the detail once per movement.
    QuickRep1.DataSet = nullptr;
    QRSubDetail1->DataSet = detail;
    for (const auto& element : QRSubDetail1->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = detail;
    for (const auto& element : QRBand1->elements())
        if (auto* text = dynamic_cast<DBText*>(element.get()))
            text->DataSet = master;
}
