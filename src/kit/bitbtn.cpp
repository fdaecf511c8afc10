#include "kit/bitbtn.h"

namespace kit {

BitBtn::BitBtn(QWidget* parent) : Button(parent) {}

BitBtn::BitBtn(const QString& caption, const QIcon& glyph, QWidget* parent) : Button(caption, parent)
{
    if (!glyph.isNull())
        setIcon(glyph);
}

} // namespace kit
