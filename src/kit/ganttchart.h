#pragma once

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QWidget>

class QVariantAnimation;

namespace kit {

// One bar of a Gantt chart: a task from start to finish on the row of its key.
struct GanttTask {
    int rowKey = 0;
    QString label;
    QDateTime start;
    QDateTime finish;
    QColor color;
};

// A Gantt chart drawn with a painter: one row per row key (ascending), a bar per task from
// its start to its finish, each bar in its own colour and without text (its hint names it);
// a date axis along the bottom, a legend on the right, the title on top. Dragging from left
// to right over the plot zooms to the dragged time span (animated); dragging from right to
// left returns to the whole span. Resting the mouse on a bar shows its hint. With View3D the
// bars and the back wall are drawn with depth, otherwise flat.
class GanttChart : public QWidget {
    Q_OBJECT
public:
    explicit GanttChart(QWidget* parent = nullptr);

    QString Title;
    QColor BaseColor = QColor(Qt::red); // the colour of the first bar; the others step away from it
    int AnimationMs = 250;              // zoom animation; 0: none

    void clear();
    // Adds a task in the next bar colour; tasks are kept sorted by start.
    void addTask(int rowKey, const QString& label, const QDateTime& start, const QDateTime& finish);
    const QList<GanttTask>& tasks() const { return m_tasks; }

    // Row keys in drawing order (top to bottom) and the row of a task.
    QList<int> rowKeys() const;
    int rowOf(int taskIndex) const;

    bool View3D() const { return m_view3D; }
    void setView3D(bool on);

    // The span shown on the time axis: the whole span of the tasks unless zoomed.
    QDateTime visibleStart() const { return m_viewStart; }
    QDateTime visibleFinish() const { return m_viewFinish; }
    bool isZoomed() const { return m_zoomed; }
    void zoomTo(const QDateTime& from, const QDateTime& to);
    void unzoom();

    // The front face of a task's bar in widget coordinates; the task under a point (-1: none)
    // and the hint shown for it.
    QRectF barRect(int taskIndex) const;
    int taskAt(const QPoint& pos) const;
    QString hintAt(const QPoint& pos) const;
    QRect plotRect() const;

    QSize sizeHint() const override { return {640, 360}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    int depth() const { return m_view3D ? 10 : 0; }
    void fullSpan(QDateTime& from, QDateTime& to) const;
    void animateTo(const QDateTime& from, const QDateTime& to);
    double xOf(const QDateTime& t) const;
    QDateTime timeAt(double x) const;
    int legendWidth() const;
    int rowLabelWidth() const;
    void drawAxis(QPainter& p, const QRect& plot) const;
    void drawBar(QPainter& p, const QRectF& r, const QColor& c) const;
    void drawLegend(QPainter& p, const QRect& area) const;

    QList<GanttTask> m_tasks;
    bool m_view3D = true;
    bool m_zoomed = false;
    QDateTime m_viewStart;
    QDateTime m_viewFinish;
    QVariantAnimation* m_animation = nullptr;
    bool m_dragging = false;
    QPoint m_dragFrom;
    QPoint m_dragTo;
};

} // namespace kit
