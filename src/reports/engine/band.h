#pragma once

#include "reports/engine/document.h"
#include "reports/engine/elements.h"

#include <functional>
#include <memory>
#include <vector>

namespace report {

// Edges of a band along which a rule is drawn.
enum Frame { FrameNone = 0, FrameTop = 1, FrameBottom = 2, FrameLeft = 4, FrameRight = 8 };

// A horizontal strip of the report, as wide as the printable width of the page.
// Created by Report::addBand / addSubDetail / addGroupHeader ...; the report owns it.
class Band {
public:
    Band(Report* report, BandKind kind, QString name, double heightMm);
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    QString name;
    BandKind kind;
    double height;          // mm
    bool Enabled = true;    // false: never printed
    int frame = FrameNone;  // Frame flags
    double framePen = 0.25; // mm

    // Sub-detail: the rows it runs over, once per row, for every row of its master.
    // A sub-detail on the same dataset as its master prints once per master row.
    data::Query* DataSet = nullptr;
    Band* Master = nullptr; // sub-detail under another sub-detail; nullptr: under the report
    // Group header: the master dataset's field whose change starts a new group.
    QString GroupField;
    Band* GroupHeader = nullptr; // group footer: the header whose group it closes
    // Summary: placed at the foot of the last page instead of right after the last row.
    bool AlignToBottom = false;
    // Child: a band printed right after this one whenever this one prints.
    Band* ChildBand = nullptr;

    // Called each time the band is about to print; set printBand = false to skip it.
    // Handlers may change the band's elements (captions, Enabled) for this printing.
    std::function<void(Band& band, bool& printBand)> BeforePrint;
    // Called after the band was placed on a page.
    std::function<void(Band& band)> AfterPrint;

    Report* report() const { return m_report; }
    double width() const; // the report's printable width, mm

    // Elements, positioned in mm from the band's left and top edges.
    Label* addLabel(const QString& caption, double left, double top, const Font& font = Font(),
                    Qt::Alignment alignment = Qt::AlignLeft, double width = 0);
    DBText* addDBText(data::Query* dataSet, const QString& field, double left, double top, const Font& font = Font(),
                      const QString& mask = QString(), Qt::Alignment alignment = Qt::AlignLeft, double width = 0);
    ExprText* addExpr(std::function<QString()> expression, double left, double top, const Font& font = Font(),
                      Qt::Alignment alignment = Qt::AlignLeft, double width = 0);
    SysData* addSysData(SysKind kind, double left, double top, const Font& font = Font(),
                        const QString& text = QString(), Qt::Alignment alignment = Qt::AlignLeft, double width = 0);
    Line* addLine(QPointF from, QPointF to, double penWidth = 0.25);
    Line* addHLine(double left, double top, double length, double penWidth = 0.25);
    Line* addVLine(double left, double top, double length, double penWidth = 0.25);
    Shape* addRect(const QRectF& rect, double penWidth = 0.25);

    const std::vector<std::unique_ptr<Element>>& elements() const { return m_elements; }
    Element* element(const QString& elementName) const;
    template <class T>
    T* find(const QString& elementName) const
    {
        return dynamic_cast<T*>(element(elementName));
    }

private:
    template <class T>
    T* add(std::unique_ptr<T> element);
    template <class T>
    T* addText(std::unique_ptr<T> element, double left, double top, const Font& font, Qt::Alignment alignment,
               double width);

    Report* m_report;
    std::vector<std::unique_ptr<Element>> m_elements;
};

} // namespace report
