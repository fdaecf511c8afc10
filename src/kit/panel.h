#pragma once

#include <QColor>
#include <QFrame>

namespace kit {

// A raised container with an optional background colour and a caption drawn inside it
// (centred unless told otherwise). Child controls are laid over the caption.
class Panel : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

    QColor Color() const { return m_color; }
    void setColor(const QColor& color);

    Qt::Alignment Alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // Raised (default), lowered or no bevel.
    enum class Bevel { None, Raised, Lowered };
    void setBevel(Bevel bevel);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_color;
    Qt::Alignment m_alignment = Qt::AlignCenter;
};

} // namespace kit
