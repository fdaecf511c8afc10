#pragma once

#include "reports/engine/document.h"

#include <QDateTime>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>

namespace data {
class Query;
}

namespace report {

class Band;
class Report;

// Something printed in a band. Geometry is in millimetres from the band's left and top edges.
class Element {
public:
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    QString name;        // e.g. "QRLabel1"; the items it prints carry it
    QRectF geometry;     // left, top, width, height
    bool Enabled = true; // false: not printed (a before-print handler may switch it)

    Band* band() const { return m_band; }

protected:
    Element() = default;

private:
    friend class Band;
    Band* m_band = nullptr;
};

// A text element. With a width of 0 the box grows with the text: to the right of `left`
// when aligned left, to the left of it when aligned right (left is then the right edge),
// both ways when centred. With a width the text is aligned inside a fixed box and clipped.
// A height of 0 is one line of the font.
class TextElement : public Element {
public:
    Font font;
    Qt::Alignment alignment = Qt::AlignLeft;
    // Called with the text just before it prints; may change it.
    std::function<void(QString& text)> OnPrint;

    // The text as it would print now (before OnPrint).
    virtual QString text() const = 0;
};

// Fixed text.
class Label : public TextElement {
public:
    QString Caption;
    QString text() const override { return Caption; }
};

// A field of the current row of a dataset, formatted with a display mask: number masks
// as "#,##0.00" (1234.5 prints "1,234.50"), date masks as "dd.MM.yyyy". Without a mask
// the value prints as a grid shows it. A closed or empty dataset prints nothing.
class DBText : public TextElement {
public:
    data::Query* DataSet = nullptr;
    QString DataField;
    QString Mask;
    QString text() const override;
};

// A text computed when the element prints.
class ExprText : public TextElement {
public:
    std::function<QString()> Expression;
    QString text() const override { return Expression ? Expression() : QString(); }
};

enum class SysKind {
    PageNumber,  // "3"
    PageCount,   // "7"
    PageOfPages, // "3 of 7"
    Date,        // the report's print date with Mask (default "dd.MM.yyyy")
    Time,        // with Mask (default "hh:nn")
    DateTime,    // with Mask (default "dd.MM.yyyy hh:nn")
};

// System data, printed after the caption Text ("Page " + "3").
class SysData : public TextElement {
public:
    SysKind Kind = SysKind::PageNumber;
    QString Text;
    QString Mask;
    // Filled in by the layout: the page being printed, the page count, the print time.
    QString text() const override;

private:
    friend class Layouter;
    int m_page = 0;
    int m_pages = 0;
    QDateTime m_printed;
};

// A straight line from `from` to `to` (mm within the band).
class Line : public Element {
public:
    QPointF from;
    QPointF to;
    double penWidth = 0.25;
};

// A rectangular frame around `geometry`.
class Shape : public Element {
public:
    double penWidth = 0.25;
};

} // namespace report
