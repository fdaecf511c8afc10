#include "reports/engine/band.h"

#include "data/query.h"
#include "kit/format.h"
#include "reports/engine/report.h"

namespace report {

QString DBText::text() const
{
    if (!DataSet || !DataSet->Active() || DataSet->IsEmpty())
        return {};
    return kit::formatValue(DataSet->FieldByName(DataField).Value(), Mask);
}

QString SysData::text() const
{
    const QDateTime when = m_printed.isValid() ? m_printed : QDateTime::currentDateTime();
    QString value;
    switch (Kind) {
    case SysKind::PageNumber:
        value = QString::number(m_page);
        break;
    case SysKind::PageCount:
        value = QString::number(m_pages);
        break;
    case SysKind::PageOfPages:
        value = QStringLiteral("%1 of %2").arg(m_page).arg(m_pages);
        break;
    case SysKind::Date:
        value = kit::formatDate(when.date(), Mask.isEmpty() ? QStringLiteral("dd.MM.yyyy") : Mask);
        break;
    case SysKind::Time:
        value = kit::formatDateTime(when, Mask.isEmpty() ? QStringLiteral("hh:nn") : Mask);
        break;
    case SysKind::DateTime:
        value = kit::formatDateTime(when, Mask.isEmpty() ? QStringLiteral("dd.MM.yyyy hh:nn") : Mask);
        break;
    }
    return Text + value;
}

Band::Band(Report* report, BandKind bandKind, QString bandName, double heightMm)
    : name(std::move(bandName)), kind(bandKind), height(heightMm), m_report(report)
{
}

double Band::width() const
{
    return m_report ? m_report->page.printableWidth() : 0.0;
}

template <class T>
T* Band::add(std::unique_ptr<T> element)
{
    T* raw = element.get();
    raw->m_band = this;
    m_elements.push_back(std::move(element));
    return raw;
}

template <class T>
T* Band::addText(std::unique_ptr<T> element, double left, double top, const Font& font, Qt::Alignment alignment, double width)
{
    element->geometry = QRectF(left, top, width, 0);
    element->font = font;
    element->alignment = alignment;
    return add(std::move(element));
}

Label* Band::addLabel(const QString& caption, double left, double top, const Font& font, Qt::Alignment alignment,
                      double width)
{
    auto label = std::make_unique<Label>();
    label->Caption = caption;
    return addText(std::move(label), left, top, font, alignment, width);
}

DBText* Band::addDBText(data::Query* dataSet, const QString& field, double left, double top, const Font& font,
                        const QString& mask, Qt::Alignment alignment, double width)
{
    auto text = std::make_unique<DBText>();
    text->DataSet = dataSet;
    text->DataField = field;
    text->Mask = mask;
    return addText(std::move(text), left, top, font, alignment, width);
}

ExprText* Band::addExpr(std::function<QString()> expression, double left, double top, const Font& font,
                        Qt::Alignment alignment, double width)
{
    auto text = std::make_unique<ExprText>();
    text->Expression = std::move(expression);
    return addText(std::move(text), left, top, font, alignment, width);
}

SysData* Band::addSysData(SysKind sysKind, double left, double top, const Font& font, const QString& caption,
                          Qt::Alignment alignment, double width)
{
    auto data = std::make_unique<SysData>();
    data->Kind = sysKind;
    data->Text = caption;
    return addText(std::move(data), left, top, font, alignment, width);
}

Line* Band::addLine(QPointF from, QPointF to, double penWidth)
{
    auto line = std::make_unique<Line>();
    line->from = from;
    line->to = to;
    line->penWidth = penWidth;
    line->geometry = QRectF(from, to).normalized();
    return add(std::move(line));
}

Line* Band::addHLine(double left, double top, double length, double penWidth)
{
    return addLine(QPointF(left, top), QPointF(left + length, top), penWidth);
}

Line* Band::addVLine(double left, double top, double length, double penWidth)
{
    return addLine(QPointF(left, top), QPointF(left, top + length), penWidth);
}

Shape* Band::addRect(const QRectF& rect, double penWidth)
{
    auto shape = std::make_unique<Shape>();
    shape->geometry = rect;
    shape->penWidth = penWidth;
    return add(std::move(shape));
}

Element* Band::element(const QString& elementName) const
{
    for (const auto& e : m_elements)
        if (e->name == elementName)
            return e.get();
    return nullptr;
}

} // namespace report
