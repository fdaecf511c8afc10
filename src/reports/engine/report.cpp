#include "reports/engine/report.h"

#include "data/query.h"

#include <QScopeGuard>
#include <QVariant>

namespace report {

QSizeF PageSetup::paperSize() const
{
    return orientation == Orientation::Portrait ? QSizeF(210.0, 297.0) : QSizeF(297.0, 210.0);
}

double PageSetup::printableWidth() const
{
    return paperSize().width() - leftMargin - rightMargin;
}

double PageSetup::printableHeight() const
{
    return paperSize().height() - topMargin - bottomMargin;
}

Report::Report() = default;
Report::~Report() = default;

Band* Report::addBand(BandKind kind, const QString& name, double heightMm)
{
    m_bands.push_back(std::make_unique<Band>(this, kind, name, heightMm));
    return m_bands.back().get();
}

Band* Report::addSubDetail(const QString& name, double heightMm, data::Query* dataSet, Band* master)
{
    Band* b = addBand(BandKind::SubDetail, name, heightMm);
    b->DataSet = dataSet;
    b->Master = master;
    return b;
}

Band* Report::addGroupHeader(const QString& name, double heightMm, const QString& groupField)
{
    Band* b = addBand(BandKind::GroupHeader, name, heightMm);
    b->GroupField = groupField;
    return b;
}

Band* Report::addGroupFooter(const QString& name, double heightMm, Band* groupHeader)
{
    Band* b = addBand(BandKind::GroupFooter, name, heightMm);
    b->GroupHeader = groupHeader;
    return b;
}

Band* Report::addChild(Band* parent, const QString& name, double heightMm)
{
    Band* b = addBand(BandKind::Child, name, heightMm);
    if (parent)
        parent->ChildBand = b;
    return b;
}

Band* Report::band(const QString& name) const
{
    for (const auto& b : m_bands)
        if (b->name == name)
            return b.get();
    return nullptr;
}

Element* Report::element(const QString& name) const
{
    for (const auto& b : m_bands)
        if (Element* e = b->element(name))
            return e;
    return nullptr;
}

// Runs the bands over the datasets and places them on pages, handing each finished page to
// a sink.
class Layouter {
public:
    Layouter(Report& report, PageSink& sink) : m_r(report), m_sink(sink) {}
    // Lays out until one more page is handed on, or the end; false once done.
    bool step();
    bool done() const { return m_state == State::Done; }
    int pagesOut() const { return m_pagesOut; }

private:
    struct Deferred {
        int page;
        int item;
        SysData* element;
        QPointF origin;
    };
    enum class State { Start, Rows, End, Done };

    QList<Band*> bandsOf(BandKind kind) const;
    void begin();
    void startPage();
    void finishPage(bool last);
    void newPage();
    bool printBand(Band* band, bool mayBreak = true);
    void place(Band* band, double top);
    Item textItem(const TextElement& element, const QString& text, QPointF origin) const;
    void printRecord(bool firstRow);
    void runSubDetails(Band* master);
    QVariant groupKey(const Band* header, int row) const;
    void resolveDeferred();

    Report& m_r;
    PageSink& m_sink;
    State m_state = State::Start;
    bool m_firstRow = true;
    Page m_page;        // the page being filled
    int m_pagesOut = 0; // pages handed to the sink
    QDateTime m_printed;
    double m_y = 0;
    double m_limit = 0;
    bool m_fresh = true;
    QList<QVariant> m_groupKeys;
    QList<Deferred> m_deferred;
};

QList<Band*> Layouter::bandsOf(BandKind kind) const
{
    QList<Band*> out;
    for (const auto& b : m_r.m_bands)
        if (b->kind == kind && b->Enabled)
            out << b.get();
    return out;
}

void Layouter::begin()
{
    m_printed = m_r.PrintDateTime.isValid() ? m_r.PrintDateTime : QDateTime::currentDateTime();
    m_r.m_pageNumber = 0;
    m_groupKeys = QList<QVariant>(bandsOf(BandKind::GroupHeader).size());

    // The title prints while the master dataset stands on its first row. A paged dataset
    // reads its further rows as the report reaches them (Next past the last row read), so
    // the first page does not wait for the last row.
    if (data::Query* ds = m_r.DataSet)
        ds->First();
    startPage();
}

bool Layouter::step()
{
    const int before = m_pagesOut;
    while (m_state != State::Done && m_pagesOut == before) {
        data::Query* ds = m_r.DataSet;
        switch (m_state) {
        case State::Start:
            begin();
            if (!ds) {
                printRecord(true);
                m_state = State::End;
            } else {
                m_state = State::Rows;
            }
            break;
        case State::Rows:
            if (!ds->IsEmpty() && !ds->Eof()) {
                printRecord(m_firstRow);
                m_firstRow = false;
                ds->Next();
            } else {
                m_state = State::End;
            }
            break;
        case State::End:
            for (Band* summary : bandsOf(BandKind::Summary))
                printBand(summary);
            finishPage(true);
            resolveDeferred();
            m_r.m_pageNumber = 0;
            m_sink.finish(m_pagesOut);
            m_state = State::Done;
            break;
        case State::Done:
            break;
        }
    }
    return m_state != State::Done;
}

void Layouter::startPage()
{
    m_page = Page();
    ++m_r.m_pageNumber;
    const PageSetup& setup = m_r.page;
    m_y = setup.topMargin;
    double footer = 0;
    for (Band* b : bandsOf(BandKind::PageFooter))
        footer += b->height;
    m_limit = setup.paperSize().height() - setup.bottomMargin - footer;

    if (m_r.m_pageNumber > 1 || m_r.PageHeaderOnFirstPage)
        for (Band* b : bandsOf(BandKind::PageHeader))
            printBand(b, false);
    if (m_r.m_pageNumber == 1)
        for (Band* b : bandsOf(BandKind::Title))
            printBand(b, false);
    for (Band* b : bandsOf(BandKind::ColumnHeader))
        printBand(b, false);
    m_fresh = true;
}

void Layouter::finishPage(bool last)
{
    // The page goes to the sink once its footer is on it.
    auto handOn = qScopeGuard([this] {
        m_sink.addPage(std::move(m_page));
        m_page = Page();
        ++m_pagesOut;
    });
    if (last && !m_r.PageFooterOnLastPage)
        return;
    const PageSetup& setup = m_r.page;
    double y = setup.paperSize().height() - setup.bottomMargin;
    const QList<Band*> footers = bandsOf(BandKind::PageFooter);
    for (Band* b : footers)
        y -= b->height;
    for (Band* b : footers) {
        bool print = true;
        if (b->BeforePrint)
            b->BeforePrint(*b, print);
        if (!print)
            continue;
        place(b, y);
        y += b->height;
        if (b->AfterPrint)
            b->AfterPrint(*b);
    }
}

void Layouter::newPage()
{
    finishPage(false);
    startPage();
}

bool Layouter::printBand(Band* band, bool mayBreak)
{
    if (!band->Enabled)
        return false;
    bool print = true;
    if (band->BeforePrint)
        band->BeforePrint(*band, print);
    if (!print)
        return false;
    const double h = band->height;
    double together = h; // a band and its children start on the same page
    for (const Band* c = band->ChildBand; c && c->Enabled; c = c->ChildBand)
        together += c->height;
    if (mayBreak && !m_fresh && m_y + together > m_limit + 1e-6)
        newPage();
    double top = m_y;
    if (band->kind == BandKind::Summary && band->AlignToBottom)
        top = qMax(m_y, m_limit - h);
    place(band, top);
    m_y = top + h;
    if (mayBreak)
        m_fresh = false;
    if (band->AfterPrint)
        band->AfterPrint(*band);
    if (band->ChildBand)
        printBand(band->ChildBand, mayBreak);
    return true;
}

Item Layouter::textItem(const TextElement& element, const QString& text, QPointF origin) const
{
    Item item;
    item.kind = ItemKind::Text;
    item.text = text;
    item.font = element.font;
    item.alignment = element.alignment;
    item.name = element.name;
    item.band = element.band() ? element.band()->name : QString();
    const QRectF& g = element.geometry;
    const double h = g.height() > 0 ? g.height() : lineHeightMm(element.font);
    const double left = origin.x() + g.left();
    const double top = origin.y() + g.top();
    if (g.width() > 0) {
        item.rect = QRectF(left, top, g.width(), h);
        item.clip = true;
        return item;
    }
    const double w = textWidthMm(text, element.font);
    if (element.alignment & Qt::AlignRight)
        item.rect = QRectF(left - w, top, w, h);
    else if (element.alignment & Qt::AlignHCenter)
        item.rect = QRectF(left - w / 2, top, w, h);
    else
        item.rect = QRectF(left, top, w, h);
    return item;
}

void Layouter::place(Band* band, double top)
{
    Page& page = m_page;
    const double left = m_r.page.leftMargin;
    const double width = m_r.page.printableWidth();
    const QRectF area(left, top, width, band->height);
    page.bands.append(PlacedBand{band->name, band->kind, area});

    auto rule = [&](QPointF a, QPointF b) {
        Item item;
        item.kind = ItemKind::Line;
        item.line = QLineF(a, b);
        item.penWidth = band->framePen;
        item.band = band->name;
        page.items.append(item);
    };
    if (band->frame & FrameTop)
        rule(area.topLeft(), area.topRight());
    if (band->frame & FrameBottom)
        rule(area.bottomLeft(), area.bottomRight());
    if (band->frame & FrameLeft)
        rule(area.topLeft(), area.bottomLeft());
    if (band->frame & FrameRight)
        rule(area.topRight(), area.bottomRight());

    const QPointF origin(left, top);
    for (const auto& e : band->elements()) {
        if (!e->Enabled)
            continue;
        if (auto* sys = dynamic_cast<SysData*>(e.get())) {
            sys->m_page = m_r.m_pageNumber;
            sys->m_printed = m_printed;
            if (sys->Kind == SysKind::PageCount || sys->Kind == SysKind::PageOfPages) {
                // Known once the last page is laid out.
                m_deferred.append(Deferred{m_pagesOut, int(page.items.size()), sys, origin});
                page.items.append(textItem(*sys, QString(), origin));
                continue;
            }
        }
        if (auto* text = dynamic_cast<TextElement*>(e.get())) {
            QString value = text->text();
            if (text->OnPrint)
                text->OnPrint(value);
            page.items.append(textItem(*text, value, origin));
        } else if (auto* line = dynamic_cast<Line*>(e.get())) {
            Item item;
            item.kind = ItemKind::Line;
            item.line = QLineF(origin + line->from, origin + line->to);
            item.penWidth = line->penWidth;
            item.name = line->name;
            item.band = band->name;
            page.items.append(item);
        } else if (auto* shape = dynamic_cast<Shape*>(e.get())) {
            Item item;
            item.kind = ItemKind::Rect;
            item.rect = shape->geometry.translated(origin);
            item.penWidth = shape->penWidth;
            item.name = shape->name;
            item.band = band->name;
            page.items.append(item);
        }
    }
}

QVariant Layouter::groupKey(const Band* header, int row) const
{
    const data::Query* ds = m_r.DataSet;
    if (!ds)
        return {};
    return ds->value(row, ds->fieldIndex(header->GroupField));
}

void Layouter::printRecord(bool firstRow)
{
    const QList<Band*> groups = bandsOf(BandKind::GroupHeader);
    data::Query* ds = m_r.DataSet;
    const int row = ds ? ds->RecNo() : 0;

    // Headers of the outermost group that starts here and of every group inside it.
    int starts = -1;
    for (int i = 0; i < groups.size() && starts < 0; ++i)
        if (firstRow || groupKey(groups.at(i), row) != m_groupKeys.at(i))
            starts = i;
    if (starts >= 0) {
        for (int i = starts; i < groups.size(); ++i) {
            m_groupKeys[i] = groupKey(groups.at(i), row);
            printBand(groups.at(i));
        }
    }

    for (Band* detail : bandsOf(BandKind::Detail))
        printBand(detail);
    runSubDetails(nullptr);

    // Footers of the outermost group that ends here and of every group inside it. Whether
    // this is the last row, and the next row's group, need the next row read.
    if (ds && row + 1 >= ds->RecordCount() && ds->CanFetchMore())
        ds->FetchMore();
    const bool lastRow = !ds || row + 1 >= ds->RecordCount();
    int ends = -1;
    for (int i = 0; i < groups.size() && ends < 0; ++i)
        if (lastRow || groupKey(groups.at(i), row + 1) != groupKey(groups.at(i), row))
            ends = i;
    if (ends < 0)
        return;
    const QList<Band*> footers = bandsOf(BandKind::GroupFooter);
    for (int i = int(groups.size()) - 1; i >= ends; --i)
        for (Band* footer : footers)
            if (footer->GroupHeader == groups.at(i))
                printBand(footer);
}

void Layouter::runSubDetails(Band* master)
{
    data::Query* masterData = master ? master->DataSet : m_r.DataSet;
    for (Band* sub : bandsOf(BandKind::SubDetail)) {
        if (sub->Master != master || sub == master)
            continue;
        data::Query* ds = sub->DataSet;
        if (!ds || ds == masterData) {
            // On the master's own rows: once per master row. Bands under a band that a
            // handler suppressed still print.
            printBand(sub);
            runSubDetails(sub);
            continue;
        }
        ds->FetchAll();
        ds->First();
        while (!ds->IsEmpty() && !ds->Eof()) {
            printBand(sub);
            runSubDetails(sub);
            ds->Next();
        }
    }
}

void Layouter::resolveDeferred()
{
    const int total = m_pagesOut;
    for (const Deferred& d : m_deferred) {
        const int pageNumber = d.page + 1;
        d.element->m_page = pageNumber;
        d.element->m_pages = total;
        QString value = d.element->text();
        if (d.element->OnPrint)
            d.element->OnPrint(value);
        m_sink.setItem(d.page, d.item, textItem(*d.element, value, d.origin));
    }
}

Document Report::layout()
{
    DocumentSink sink;
    sink.document.paperSize = page.paperSize();
    layout(sink);
    return std::move(sink.document);
}

void Report::layout(PageSink& sink)
{
    Layouter layouter(*this, sink);
    while (layouter.step()) {
    }
}

LayoutRun::LayoutRun(Report& report, PageSink& sink) : m_layouter(std::make_unique<Layouter>(report, sink)) {}

LayoutRun::~LayoutRun() = default;

bool LayoutRun::step()
{
    return m_layouter->step();
}

bool LayoutRun::done() const
{
    return m_layouter->done();
}

int LayoutRun::pagesLaidOut() const
{
    return m_layouter->pagesOut();
}

} // namespace report
