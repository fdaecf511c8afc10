#include "reports/engine/spool.h"

#include <QDataStream>
#include <QDir>

namespace report {

namespace {

// Item fields, in the order written.
void writeRect(QDataStream& out, const QRectF& r)
{
    out << r.x() << r.y() << r.width() << r.height();
}

QRectF readRect(QDataStream& in)
{
    double x = 0, y = 0, w = 0, h = 0;
    in >> x >> y >> w >> h;
    return QRectF(x, y, w, h);
}

} // namespace

PageSpool::PageSpool(QSizeF paperSize)
    : m_paper(paperSize),
      m_file(std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("duredir-pages-XXXXXX"))))
{
    m_ok = m_file->open();
}

PageSpool::~PageSpool() = default;

QString PageSpool::errorText() const
{
    return QStringLiteral("The pages of the report cannot be kept in %1: %2").arg(QDir::tempPath(), m_file->errorString());
}

int PageSpool::stringIndex(const QString& s)
{
    const auto it = m_stringIndex.constFind(s);
    if (it != m_stringIndex.constEnd())
        return it.value();
    const int index = int(m_strings.size());
    m_strings << s;
    m_stringIndex.insert(s, index);
    return index;
}

void PageSpool::addPage(Page&& page)
{
    const qint64 offset = m_file->size();
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << qint32(page.items.size());
        for (const Item& item : std::as_const(page.items)) {
            out << qint8(item.kind);
            writeRect(out, item.rect);
            out << item.line.x1() << item.line.y1() << item.line.x2() << item.line.y2();
            out << item.text;
            out << qint32(stringIndex(item.font.family)) << item.font.pointSize << item.font.bold << item.font.italic
                << item.font.underline;
            out << qint32(item.alignment.toInt()) << item.clip << item.penWidth;
            out << qint32(stringIndex(item.name)) << qint32(stringIndex(item.band));
        }
        out << qint32(page.bands.size());
        for (const PlacedBand& band : std::as_const(page.bands)) {
            out << qint32(stringIndex(band.name)) << qint8(band.kind);
            writeRect(out, band.rect);
        }
    }
    if (!m_file->seek(offset) || m_file->write(bytes) != bytes.size())
        m_ok = false;
    m_offsets << offset;
}

void PageSpool::setItem(int page, int item, const Item& value)
{
    m_patches[page].append({item, value});
    if (page == m_cachedIndex)
        m_cachedIndex = -1;
}

void PageSpool::finish(int)
{
    m_file->flush();
    m_complete = true;
    m_cachedIndex = -1;
}

Page PageSpool::pageAt(int index) const
{
    if (index < 0 || index >= m_offsets.size())
        return Page();
    if (index == m_cachedIndex)
        return m_cached;
    Page page;
    const qint64 from = m_offsets.at(index);
    const qint64 to = index + 1 < m_offsets.size() ? m_offsets.at(index + 1) : m_file->size();
    m_file->flush();
    if (!m_file->seek(from))
        return page;
    const QByteArray bytes = m_file->read(to - from);
    m_file->seek(m_file->size()); // the next page is written at the end
    QDataStream in(bytes);
    auto text = [this](qint32 i) { return i >= 0 && i < m_strings.size() ? m_strings.at(i) : QString(); };
    qint32 items = 0;
    in >> items;
    page.items.reserve(items);
    for (int i = 0; i < items && in.status() == QDataStream::Ok; ++i) {
        Item item;
        qint8 kind = 0;
        in >> kind;
        item.kind = ItemKind(kind);
        item.rect = readRect(in);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        in >> x1 >> y1 >> x2 >> y2;
        item.line = QLineF(x1, y1, x2, y2);
        in >> item.text;
        qint32 family = 0, alignment = 0, name = 0, band = 0;
        in >> family >> item.font.pointSize >> item.font.bold >> item.font.italic >> item.font.underline;
        item.font.family = text(family);
        in >> alignment >> item.clip >> item.penWidth;
        item.alignment = Qt::Alignment::fromInt(alignment);
        in >> name >> band;
        item.name = text(name);
        item.band = text(band);
        page.items.append(std::move(item));
    }
    qint32 bands = 0;
    in >> bands;
    for (int i = 0; i < bands && in.status() == QDataStream::Ok; ++i) {
        PlacedBand band;
        qint32 name = 0;
        qint8 kind = 0;
        in >> name >> kind;
        band.name = text(name);
        band.kind = BandKind(kind);
        band.rect = readRect(in);
        page.bands.append(band);
    }
    for (const auto& [item, value] : m_patches.value(index))
        if (item >= 0 && item < page.items.size())
            page.items[item] = value;
    m_cachedIndex = index;
    m_cached = page;
    return page;
}

} // namespace report
