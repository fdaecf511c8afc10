#include "frame/icons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace frame {

namespace {

QPixmap badge(const QColor& fill, const QString& glyph, int size, bool outlined)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, size - 2, size - 2);
    p.setPen(QPen(fill.darker(150), 1));
    p.setBrush(outlined ? QColor(Qt::white) : fill);
    p.drawRoundedRect(r, size / 5.0, size / 5.0);
    if (glyph == QLatin1String("print")) {
        // A sheet coming out of a printer.
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(size * 0.3, size * 0.15, size * 0.4, size * 0.35));
        p.setBrush(outlined ? fill : QColor(Qt::white).darker(115));
        p.drawRoundedRect(QRectF(size * 0.18, size * 0.45, size * 0.64, size * 0.3), size / 12.0, size / 12.0);
        return pm;
    }
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(int(size * 0.62));
    p.setFont(f);
    p.setPen(outlined ? fill.darker(130) : QColor(Qt::white));
    p.drawText(r, Qt::AlignCenter, glyph);
    return pm;
}

QIcon drawn(const QColor& fill, const QString& glyph)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48})
        icon.addPixmap(badge(fill, glyph, size, false));
    return icon;
}

} // namespace

QIcon navigatorPicture(int index)
{
    static QHash<int, QIcon> cache;
    if (auto it = cache.constFind(index); it != cache.cend())
        return *it;
    static const QColor kinds[] = {QColor(0x2e, 0x7d, 0x32), QColor(0x15, 0x65, 0xc0), QColor(0x6a, 0x1b, 0x9a),
                                   QColor(0xef, 0x6c, 0x00), QColor(0x00, 0x83, 0x8f), QColor(0xad, 0x14, 0x57),
                                   QColor(0x45, 0x5a, 0x64)};
    QIcon icon;
    if (index == 1 || index == 0) {
        icon = drawn(QColor(0x37, 0x47, 0x4f), QStringLiteral("C"));
    } else if (index >= 2 && index <= 15) {
        const int kind = index / 2;
        const bool selected = index % 2 == 0;
        icon.addPixmap(badge(kinds[kind - 1], QString::number(kind), 16, !selected));
    }
    cache.insert(index, icon);
    return icon;
}

QIcon toolIcon(ToolIcon which)
{
    struct Entry {
        QColor color;
        const char* glyph;
    };
    static const QHash<int, Entry> entries{
        {int(ToolIcon::ReceiptList), {QColor(0xc6, 0x28, 0x28), "\u2193"}},
        {int(ToolIcon::DispatchList), {QColor(0x2e, 0x7d, 0x32), "\u2191"}},
        {int(ToolIcon::StockList), {QColor(0x15, 0x65, 0xc0), "\u2261"}},
        {int(ToolIcon::Articles), {QColor(0x8d, 0x6e, 0x63), "A"}},
        {int(ToolIcon::Partners), {QColor(0x6a, 0x1b, 0x9a), "P"}},
        {int(ToolIcon::Print), {QColor(0x45, 0x5a, 0x64), "print"}},
        {int(ToolIcon::Close), {QColor(0x75, 0x75, 0x75), "\u00d7"}},
    };
    const Entry e = entries.value(int(which));
    return drawn(e.color, QString::fromUtf8(e.glyph));
}

} // namespace frame
