#pragma once

#include "kit/events.h"

#include <QLabel>

namespace kit {

// Static caption.
class Label : public QLabel {
    Q_OBJECT
public:
    explicit Label(QWidget* parent = nullptr) : QLabel(parent) {}
    explicit Label(const QString& caption, QWidget* parent = nullptr) : QLabel(caption, parent) {}

    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }

    NotifyHandler OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace kit
