#include "kit/ganttchart.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <QVariantAnimation>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace kit {

namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");
const int kMargin = 8;
const int kMinBarWidth = 3;

qint64 msecs(const QDateTime& t)
{
    return t.toMSecsSinceEpoch();
}

QDateTime atMsecs(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms);
}

} // namespace

GanttChart::GanttChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("GanttChart"));
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_animation = new QVariantAnimation(this);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    fullSpan(m_viewStart, m_viewFinish);
}

void GanttChart::clear()
{
    m_tasks.clear();
    m_zoomed = false;
    fullSpan(m_viewStart, m_viewFinish);
    update();
}

void GanttChart::addTask(int rowKey, const QString& label, const QDateTime& start, const QDateTime& finish)
{
    GanttTask task;
    task.rowKey = rowKey;
    task.label = label;
    task.start = start;
    // A finish before the start is drawn as a bar of the start alone.
    task.finish = finish.isValid() && finish >= start ? finish : start;
    const int n = int(m_tasks.size());
    task.color = n == 0 ? BaseColor : QColor::fromHsv((std::max(BaseColor.hsvHue(), 0) + n * 137) % 360, 190, 235);
    const auto at = std::upper_bound(m_tasks.begin(), m_tasks.end(), task,
                                     [](const GanttTask& a, const GanttTask& b) { return a.start < b.start; });
    m_tasks.insert(at, task);
    if (!m_zoomed)
        fullSpan(m_viewStart, m_viewFinish);
    update();
}

QList<int> GanttChart::rowKeys() const
{
    QList<int> keys;
    for (const GanttTask& t : m_tasks)
        if (!keys.contains(t.rowKey))
            keys << t.rowKey;
    std::sort(keys.begin(), keys.end());
    return keys;
}

int GanttChart::rowOf(int taskIndex) const
{
    if (taskIndex < 0 || taskIndex >= m_tasks.size())
        return -1;
    return int(rowKeys().indexOf(m_tasks.at(taskIndex).rowKey));
}

void GanttChart::setView3D(bool on)
{
    if (m_view3D == on)
        return;
    m_view3D = on;
    update();
}

void GanttChart::fullSpan(QDateTime& from, QDateTime& to) const
{
    if (m_tasks.isEmpty()) {
        const QDateTime today = QDateTime(QDate::currentDate(), QTime(0, 0));
        from = today.addDays(-7);
        to = today.addDays(7);
        return;
    }
    QDateTime lo = m_tasks.first().start;
    QDateTime hi = m_tasks.first().finish;
    for (const GanttTask& t : m_tasks) {
        lo = std::min(lo, t.start);
        hi = std::max(hi, t.finish);
    }
    from = lo.addDays(-1);
    to = hi.addDays(1);
}

void GanttChart::zoomTo(const QDateTime& from, const QDateTime& to)
{
    if (!from.isValid() || !to.isValid() || msecs(to) - msecs(from) < qint64(60) * 60 * 1000)
        return; // less than an hour: nothing sensible to show
    m_zoomed = true;
    animateTo(from, to);
}

void GanttChart::unzoom()
{
    QDateTime from;
    QDateTime to;
    fullSpan(from, to);
    m_zoomed = false;
    animateTo(from, to);
}

void GanttChart::animateTo(const QDateTime& from, const QDateTime& to)
{
    m_animation->stop();
    m_animation->disconnect(this);
    if (AnimationMs <= 0) {
        m_viewStart = from;
        m_viewFinish = to;
        update();
        return;
    }
    const qint64 a0 = msecs(m_viewStart);
    const qint64 b0 = msecs(m_viewFinish);
    const qint64 a1 = msecs(from);
    const qint64 b1 = msecs(to);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [=, this](const QVariant& v) {
        const double f = v.toDouble();
        m_viewStart = atMsecs(a0 + qint64(std::llround(double(a1 - a0) * f)));
        m_viewFinish = atMsecs(b0 + qint64(std::llround(double(b1 - b0) * f)));
        update();
    });
    m_animation->setDuration(AnimationMs);
    m_animation->start();
}

int GanttChart::rowLabelWidth() const
{
    int w = 40;
    for (const GanttTask& t : m_tasks)
        w = std::max(w, fontMetrics().horizontalAdvance(t.label));
    return std::min(w, 180);
}

int GanttChart::legendWidth() const
{
    if (m_tasks.isEmpty())
        return 0;
    int w = 60;
    for (const GanttTask& t : m_tasks)
        w = std::max(w, fontMetrics().horizontalAdvance(t.label) + 34);
    return std::min(w, 170);
}

QRect GanttChart::plotRect() const
{
    QFont bold = font();
    bold.setBold(true);
    const int titleHeight = QFontMetrics(bold).height() + 2 * kMargin;
    const int axisHeight = fontMetrics().height() + 12;
    const int left = kMargin + rowLabelWidth() + 10;
    const int top = titleHeight + depth();
    const int right = width() - kMargin - legendWidth() - (legendWidth() ? kMargin : 0) - depth();
    const int bottom = height() - kMargin - axisHeight;
    return QRect(QPoint(left, top), QPoint(std::max(left + 10, right), std::max(top + 10, bottom)));
}

double GanttChart::xOf(const QDateTime& t) const
{
    const QRect plot = plotRect();
    const double span = double(std::max<qint64>(1, msecs(m_viewFinish) - msecs(m_viewStart)));
    return plot.left() + double(msecs(t) - msecs(m_viewStart)) / span * plot.width();
}

QDateTime GanttChart::timeAt(double x) const
{
    const QRect plot = plotRect();
    const double span = double(msecs(m_viewFinish) - msecs(m_viewStart));
    return atMsecs(msecs(m_viewStart) + qint64(std::llround((x - plot.left()) / std::max(1, plot.width()) * span)));
}

QRectF GanttChart::barRect(int taskIndex) const
{
    const int row = rowOf(taskIndex);
    if (row < 0)
        return {};
    const QRect plot = plotRect();
    const double rowHeight = double(plot.height()) / double(std::max<qsizetype>(1, rowKeys().size()));
    const double barHeight = std::min(28.0, rowHeight * 0.55);
    const GanttTask& t = m_tasks.at(taskIndex);
    const double x1 = xOf(t.start);
    const double x2 = std::max(xOf(t.finish), x1 + kMinBarWidth);
    const double y = plot.top() + rowHeight * row + (rowHeight - barHeight) / 2;
    return QRectF(x1, y, x2 - x1, barHeight);
}

int GanttChart::taskAt(const QPoint& pos) const
{
    const QRectF plot = plotRect();
    // The bar drawn last lies on top.
    for (int i = int(m_tasks.size()) - 1; i >= 0; --i) {
        const QRectF r = barRect(i).intersected(plot);
        if (r.adjusted(0, -depth(), depth(), 0).contains(pos))
            return i;
    }
    return -1;
}

QString GanttChart::hintAt(const QPoint& pos) const
{
    const int i = taskAt(pos);
    if (i < 0)
        return {};
    const GanttTask& t = m_tasks.at(i);
    return QStringLiteral("%1\n%2 - %3").arg(t.label, t.start.toString(kDateFormat), t.finish.toString(kDateFormat));
}

void GanttChart::drawBar(QPainter& p, const QRectF& r, const QColor& c) const
{
    const int d = depth();
    p.setPen(QPen(c.darker(160), 1));
    if (d > 0) {
        // Top face and right side recede up and to the right.
        QPolygonF top;
        top << r.topLeft() << r.topLeft() + QPointF(d, -d) << r.topRight() + QPointF(d, -d) << r.topRight();
        QPolygonF side;
        side << r.topRight() << r.topRight() + QPointF(d, -d) << r.bottomRight() + QPointF(d, -d) << r.bottomRight();
        p.setBrush(c.lighter(135));
        p.drawPolygon(top);
        p.setBrush(c.darker(140));
        p.drawPolygon(side);
    }
    p.setBrush(c);
    p.drawRect(r);
}

void GanttChart::drawAxis(QPainter& p, const QRect& plot) const
{
    const qint64 spanMs = std::max<qint64>(1, msecs(m_viewFinish) - msecs(m_viewStart));
    const double dayPx = double(plot.width()) * 86400000.0 / double(spanMs);
    const int labelPx = fontMetrics().horizontalAdvance(QStringLiteral("00.00.0000")) + 14;
    static const int steps[] = {1, 2, 3, 7, 14, 28, 56, 91, 182, 364, 728};
    int step = steps[std::size(steps) - 1];
    for (int s : steps)
        if (s * dayPx >= labelPx) {
            step = s;
            break;
        }
    const bool fine = dayPx >= 12; // a day tick for every day when days are wide enough
    const QDate first = m_viewStart.date();
    const QDate last = m_viewFinish.date().addDays(1);
    p.setPen(QColor(0, 0, 0));
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (QDate day = first; day <= last; day = day.addDays(1)) {
        const double x = xOf(QDateTime(day, QTime(0, 0)));
        if (x < plot.left() - 0.5 || x > plot.right() + 0.5)
            continue;
        const bool labelled = day.toJulianDay() % step == 0;
        if (!labelled && !fine)
            continue;
        p.setPen(QColor(0, 0, 0));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + (labelled ? 5 : 3)));
        if (!labelled)
            continue;
        p.setPen(QColor(220, 220, 220));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom() - 1));
        p.setPen(QColor(0, 0, 0));
        const QString text = day.toString(kDateFormat);
        const int w = fontMetrics().horizontalAdvance(text);
        const double left = std::clamp(x - w / 2.0, 0.0, double(width() - w));
        p.drawText(QPointF(left, plot.bottom() + 6 + fontMetrics().ascent()), text);
    }
}

void GanttChart::drawLegend(QPainter& p, const QRect& area) const
{
    const int line = fontMetrics().height() + 2;
    p.setPen(QColor(0, 0, 0));
    p.setBrush(Qt::white);
    const int shown = std::min<int>(int(m_tasks.size()), std::max(0, (area.height() - 8) / line));
    const QRect box(area.left(), area.top(), area.width(), shown * line + 8);
    p.drawRect(box);
    for (int i = 0; i < shown; ++i) {
        const GanttTask& t = m_tasks.at(i);
        const int y = box.top() + 4 + i * line;
        p.setBrush(t.color);
        p.drawRect(QRect(box.left() + 6, y + (line - 10) / 2, 12, 10));
        const QString text = fontMetrics().elidedText(t.label, Qt::ElideRight, box.width() - 28);
        p.drawText(QPoint(box.left() + 24, y + fontMetrics().ascent() + 1), text);
    }
}

void GanttChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    // Raised inner bevel.
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, 1, width() - 2, 1);
    p.drawLine(1, 1, 1, height() - 2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(1, height() - 2, width() - 2, height() - 2);
    p.drawLine(width() - 2, 1, width() - 2, height() - 2);

    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(QColor(0, 0, 80));
    p.drawText(QRect(0, kMargin, width(), QFontMetrics(bold).height()), Qt::AlignHCenter, Title);
    p.setFont(font());

    const QRect plot = plotRect();
    const int d = depth();
    p.setPen(QColor(128, 128, 128));
    if (d > 0) {
        // Left wall and floor in front of the back wall.
        QPolygon left;
        left << plot.topLeft() << plot.topLeft() + QPoint(d, -d) << plot.bottomLeft() + QPoint(d, -d) << plot.bottomLeft();
        QPolygon floor;
        floor << plot.bottomLeft() << plot.bottomLeft() + QPoint(d, -d) << plot.bottomRight() + QPoint(d, -d)
              << plot.bottomRight();
        p.setBrush(Qt::white);
        p.drawPolygon(left);
        p.setBrush(QColor(235, 235, 235));
        p.drawPolygon(floor);
        p.setBrush(Qt::NoBrush);
        p.drawRect(plot.translated(d, -d));
    } else {
        p.setBrush(Qt::white);
        p.drawRect(plot);
    }

    const QList<int> keys = rowKeys();
    const double rowHeight = double(plot.height()) / double(std::max<qsizetype>(1, keys.size()));
    for (int row = 0; row < keys.size(); ++row) {
        QString label;
        for (const GanttTask& t : m_tasks)
            if (t.rowKey == keys.at(row)) {
                label = t.label;
                break;
            }
        const QRectF cell(kMargin, plot.top() + rowHeight * row, plot.left() - kMargin - 8, rowHeight);
        p.setPen(QColor(0, 0, 0));
        p.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                   fontMetrics().elidedText(label, Qt::ElideRight, int(cell.width())));
        if (row > 0) {
            p.setPen(QColor(230, 230, 230));
            p.drawLine(QPointF(plot.left() + 1, cell.top()), QPointF(plot.right(), cell.top()));
        }
    }
    drawAxis(p, plot);

    p.save();
    p.setClipRect(QRect(plot.left(), plot.top() - d, plot.width() + d + 1, plot.height() + d + 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < m_tasks.size(); ++i) {
        const QRectF r = barRect(i);
        // No text inside the bars: resting the mouse on a bar shows its details.
        drawBar(p, r, m_tasks.at(i).color);
    }
    p.restore();

    if (legendWidth() > 0)
        drawLegend(p, QRect(width() - kMargin - legendWidth(), plot.top() - d, legendWidth(), plot.height() + d));

    if (m_dragging) {
        const QRect band = QRect(m_dragFrom, m_dragTo).normalized();
        p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(band);
    }
}

void GanttChart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && plotRect().contains(event->position().toPoint())) {
        m_dragging = true;
        m_dragFrom = m_dragTo = event->position().toPoint();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void GanttChart::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        m_dragTo = event->position().toPoint();
        update();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void GanttChart::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_dragging = false;
    m_dragTo = event->position().toPoint();
    const int dx = m_dragTo.x() - m_dragFrom.x();
    if (dx > 5)
        zoomTo(timeAt(m_dragFrom.x()), timeAt(m_dragTo.x()));
    else if (dx < -5)
        unzoom();
    update();
}

bool GanttChart::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = hintAt(help->pos());
        if (hint.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), hint, this);
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace kit
