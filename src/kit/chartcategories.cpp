#include "kit/chartcategories.h"

#include <QFontMetrics>
#include <QSet>

namespace kit {

namespace {
constexpr QChar kZeroWidthSpace(0x200B);
}

QStringList distinctCategories(const QStringList& labels)
{
    QStringList out;
    out.reserve(labels.size());
    QSet<QString> taken;
    taken.reserve(labels.size());
    for (const QString& label : labels) {
        QString category = label;
        while (category.isEmpty() || taken.contains(category))
            category += kZeroWidthSpace;
        taken.insert(category);
        out << category;
    }
    return out;
}

QString shownCategory(QString category)
{
    return category.remove(kZeroWidthSpace);
}

QString categoryLabel(const QString& name, const QFont& font, int maxWidth)
{
    return QFontMetrics(font).elidedText(name.simplified(), Qt::ElideMiddle, maxWidth);
}

} // namespace kit
