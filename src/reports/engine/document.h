#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

class QImage;
class QPainter;

namespace report {

// A printed font. Sizes are in points; the family falls back to a metric-compatible
// sans-serif face when it is not installed ("Arial" prints as Liberation Sans).
struct Font {
    QString family = QStringLiteral("Arial");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    Font() = default;
    Font(double size, bool isBold = false, bool isItalic = false) : pointSize(size), bold(isBold), italic(isItalic) {}
    Font(const QString& familyName, double size, bool isBold = false, bool isItalic = false)
        : family(familyName), pointSize(size), bold(isBold), italic(isItalic)
    {
    }

    QFont toQFont() const;
    bool operator==(const Font&) const = default;
};

// Width of a text and height of one line in a font, in millimetres on paper.
double textWidthMm(const QString& text, const Font& font);
double lineHeightMm(const Font& font);

enum class ItemKind { Text, Line, Rect };

// One positioned thing on a page. Coordinates are millimetres from the paper's top-left.
struct Item {
    ItemKind kind = ItemKind::Text;
    QRectF rect; // text box or frame (texts: the whole text fits in it)
    QLineF line; // lines
    QString text;
    Font font;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool clip = false;      // a fixed-size text box cuts off what does not fit
    double penWidth = 0.25; // mm, lines and frames
    QString name;           // the element that printed it
    QString band;           // the band that printed it
};

enum class BandKind {
    Title,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    Detail,
    SubDetail,
    GroupFooter,
    Child,
    Summary,
    PageFooter,
};

// Where a band was printed on a page (mm, full printable width).
struct PlacedBand {
    QString name;
    BandKind kind = BandKind::Detail;
    QRectF rect;
};

struct Page {
    QList<Item> items;
    QList<PlacedBand> bands;

    QStringList texts() const;                       // text items in printing order
    const Item* findText(const QString& text) const; // first text item with exactly this text
    QList<const Item*> itemsOfBand(const QString& bandName) const;
    int bandCount(const QString& bandName) const;
    const PlacedBand* band(const QString& bandName) const; // first placement
};

// Pages read one at a time: a Document, or the spool of a long report (spool.h).
class PageSource {
public:
    virtual ~PageSource() = default;
    virtual QSizeF paper() const = 0; // mm, as the page is turned
    virtual int count() const = 0;
    virtual Page pageAt(int index) const = 0;
};

// Writes the pages to a PDF file one after the other (text stays searchable). False with a
// message in *error when the file cannot be written.
bool writePdf(const PageSource& pages, const QString& path, QString* error = nullptr);

// The laid-out report: what the preview shows, the printer prints and the PDF holds.
class Document : public PageSource {
public:
    QSizeF paperSize{210.0, 297.0}; // mm, as the page is turned (landscape: 297 x 210)
    QList<Page> pages;

    int pageCount() const { return int(pages.size()); }
    QStringList texts() const;                    // every page's texts in order
    int bandCount(const QString& bandName) const; // over all pages

    // Writes every page to a PDF file (text stays searchable). False with a message in
    // *error when the file cannot be written.
    bool writePdf(const QString& path, QString* error = nullptr) const;
    // One page as a picture at the given resolution (white paper).
    QImage renderPage(int index, int dotsPerInch = 100) const;

    // PageSource
    QSizeF paper() const override { return paperSize; }
    int count() const override { return pageCount(); }
    Page pageAt(int index) const override { return pages.value(index); }
};

// The one routine that draws a page: the painter's origin is the paper's top-left corner
// and dotsPerMm converts millimetres to its device units. Preview, printer and PDF use it.
void drawPage(QPainter& painter, const Page& page, double dotsPerMm);

} // namespace report
