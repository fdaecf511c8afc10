#pragma once

#include "kit/edit.h"

namespace kit {

// Masked input field. It starts with the date mask "0000\-00\-00;1;_": four digits, a
// dash, two digits, a dash, two digits; the dashes are part of the text and empty
// positions show "_".
//
// Text() is the field as the operator sees it with every empty position as a blank:
// an empty date field reads "    -  -  ", a full one "2026-05-01". A field without a mask
// behaves as a plain Edit.
//
// When the field gets the focus the cursor goes to the first empty position (to the start
// of a full field), so the operator types over the digits from there.
class MaskEdit : public Edit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);

    static QString dateMask() { return QStringLiteral("0000\\-00\\-00;1;_"); }

    // Sets a mask written in the original notation ("0000\-00\-00;1;_"); empty: no mask.
    void setEditMask(const QString& mask);
    QString editMask() const { return m_editMask; }
    // The Qt input mask for a mask in the original notation.
    static QString qtInputMask(const QString& mask);

    QString Text() const override;
    // The text is a complete, real calendar date "YYYY-MM-DD".
    bool isCompleteDate() const;
    // Position of the first empty place of the mask, or 0 when every place is filled.
    int firstBlank() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_editMask;
    QChar m_blank = QLatin1Char('_');
    bool m_focusByMouse = false;
};

} // namespace kit
