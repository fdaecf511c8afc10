#include "reports/engine/document.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <utility>
#include <vector>

namespace report {

namespace {

constexpr double kMmPerInch = 25.4;
// Texts are measured at 720 dots per inch with hinting off, so one point is ten dots and
// the widths do not depend on the screen.
constexpr int kMeasureDpi = 720;

const QImage& measureDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

QPen penFor(const Item& item, double dotsPerMm)
{
    QPen pen(Qt::black);
    pen.setWidthF(qMax(item.penWidth * dotsPerMm, 1.0));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

QRectF scaled(const QRectF& r, double k)
{
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

} // namespace

QFont Font::toQFont() const
{
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(pointSize > 0 ? pointSize : 10.0);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

namespace {

// The metrics of a font, made once: a long report measures hundreds of thousands of texts
// in a handful of fonts.
const QFontMetricsF& metricsOf(const Font& font)
{
    thread_local std::vector<std::pair<Font, std::unique_ptr<QFontMetricsF>>> known;
    for (const auto& [f, metrics] : known)
        if (f == font)
            return *metrics;
    known.emplace_back(font, std::make_unique<QFontMetricsF>(font.toQFont(), &measureDevice()));
    return *known.back().second;
}

} // namespace

double textWidthMm(const QString& text, const Font& font)
{
    return metricsOf(font).horizontalAdvance(text) * kMmPerInch / kMeasureDpi;
}

double lineHeightMm(const Font& font)
{
    return metricsOf(font).height() * kMmPerInch / kMeasureDpi;
}

QStringList Page::texts() const
{
    QStringList out;
    for (const Item& item : items)
        if (item.kind == ItemKind::Text)
            out << item.text;
    return out;
}

const Item* Page::findText(const QString& text) const
{
    for (const Item& item : items)
        if (item.kind == ItemKind::Text && item.text == text)
            return &item;
    return nullptr;
}

QList<const Item*> Page::itemsOfBand(const QString& bandName) const
{
    QList<const Item*> out;
    for (const Item& item : items)
        if (item.band == bandName)
            out << &item;
    return out;
}

int Page::bandCount(const QString& bandName) const
{
    int n = 0;
    for (const PlacedBand& b : bands)
        if (b.name == bandName)
            ++n;
    return n;
}

const PlacedBand* Page::band(const QString& bandName) const
{
    for (const PlacedBand& b : bands)
        if (b.name == bandName)
            return &b;
    return nullptr;
}

QStringList Document::texts() const
{
    QStringList out;
    for (const Page& page : pages)
        out << page.texts();
    return out;
}

int Document::bandCount(const QString& bandName) const
{
    int n = 0;
    for (const Page& page : pages)
        n += page.bandCount(bandName);
    return n;
}

void drawPage(QPainter& painter, const Page& page, double dotsPerMm)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (const Item& item : page.items) {
        switch (item.kind) {
        case ItemKind::Text: {
            if (item.text.isEmpty())
                break;
            painter.setPen(Qt::black);
            painter.setFont(item.font.toQFont());
            int flags = int(item.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextSingleLine;
            if (!item.clip)
                flags |= Qt::TextDontClip;
            painter.drawText(scaled(item.rect, dotsPerMm), flags, item.text);
            break;
        }
        case ItemKind::Line:
            painter.setPen(penFor(item, dotsPerMm));
            painter.drawLine(QLineF(item.line.p1() * dotsPerMm, item.line.p2() * dotsPerMm));
            break;
        case ItemKind::Rect:
            painter.setPen(penFor(item, dotsPerMm));
            painter.drawRect(scaled(item.rect, dotsPerMm));
            break;
        }
    }
    painter.restore();
}

bool Document::writePdf(const QString& path, QString* error) const
{
    return report::writePdf(*this, path, error);
}

bool writePdf(const PageSource& pages, const QString& path, QString* error)
{
    const QSizeF paperSize = pages.paper();
    {
        QFile probe(path);
        if (!probe.open(QIODevice::WriteOnly)) {
            if (error)
                *error = QStringLiteral("Cannot write %1: %2").arg(path, probe.errorString());
            return false;
        }
    }
    const bool landscape = paperSize.width() > paperSize.height();
    const QSizeF portrait(qMin(paperSize.width(), paperSize.height()), qMax(paperSize.width(), paperSize.height()));
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("Duredir"));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error)
            *error = QStringLiteral("Cannot write %1.").arg(path);
        return false;
    }
    const double dotsPerMm = writer.resolution() / kMmPerInch;
    for (int i = 0; i < pages.count(); ++i) {
        if (i > 0)
            writer.newPage();
        drawPage(painter, pages.pageAt(i), dotsPerMm);
    }
    return painter.end();
}

QImage Document::renderPage(int index, int dotsPerInch) const
{
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    QImage image(qRound(paperSize.width() * dotsPerMm), qRound(paperSize.height() * dotsPerMm), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    if (index >= 0 && index < pages.size()) {
        QPainter painter(&image);
        drawPage(painter, pages.at(index), dotsPerMm);
    }
    return image;
}

} // namespace report
