#pragma once

#include "kit/button.h"

#include <QIcon>

namespace kit {

// A button with a picture beside its caption; otherwise a Button.
class BitBtn : public Button {
    Q_OBJECT
public:
    explicit BitBtn(QWidget* parent = nullptr);
    explicit BitBtn(const QString& caption, const QIcon& glyph = QIcon(), QWidget* parent = nullptr);

    void setGlyph(const QIcon& glyph) { setIcon(glyph); }
};

} // namespace kit
