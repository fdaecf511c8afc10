#pragma once

#include <QGroupBox>

namespace kit {

// Framed group of controls with a caption.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
    explicit GroupBox(const QString& caption, QWidget* parent = nullptr) : QGroupBox(caption, parent) {}

    QString Caption() const { return title(); }
    void setCaption(const QString& caption) { setTitle(caption); }
};

} // namespace kit
