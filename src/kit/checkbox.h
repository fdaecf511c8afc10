#pragma once

#include "kit/events.h"

#include <QCheckBox>

namespace kit {

// Check box. OnClick runs whenever the state changes, by the operator or by setChecked,
// as the original control did.
class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* parent = nullptr);
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);

    bool Checked() const { return isChecked(); }

    NotifyHandler OnClick;
};

} // namespace kit
