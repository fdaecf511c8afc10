#pragma once

#include <QSplitter>

namespace kit {

// Movable divider between two areas of a window. Children are never collapsed to
// nothing by dragging.
class Splitter : public QSplitter {
    Q_OBJECT
public:
    explicit Splitter(Qt::Orientation orientation = Qt::Vertical, QWidget* parent = nullptr)
        : QSplitter(orientation, parent)
    {
        setChildrenCollapsible(false);
    }
};

} // namespace kit
