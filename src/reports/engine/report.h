#pragma once

#include "reports/engine/band.h"
#include "reports/engine/document.h"
#include "reports/engine/elements.h"

#include <QDateTime>

#include <memory>
#include <vector>

namespace report {

enum class Orientation { Portrait, Landscape };

// A4 paper with margins in millimetres.
struct PageSetup {
    Orientation orientation = Orientation::Portrait;
    double leftMargin = 12.7;
    double topMargin = 12.7;
    double rightMargin = 12.7;
    double bottomMargin = 12.7;

    QSizeF paperSize() const; // 210 x 297, or 297 x 210 in landscape
    double printableWidth() const;
    double printableHeight() const;
};

// A banded report. Bands print in this order: on every page the page header and the
// column headers (the title comes once, between them, on the first page); then for each
// row of the master DataSet the group headers whose group starts there, the detail band,
// the sub-details (each over its own dataset, nested under their master band), the group
// footers whose group ends there; after the last row the summary; the page footer at the
// foot of every page. A band that does not fit above the page footer starts a new page.
// Without a DataSet the rows are printed once; an empty DataSet prints no rows but
// everything else. The report moves the cursors of the datasets as it runs (First/Next),
// so detail queries linked to them follow.
// Receives the pages of a report as they are laid out, in order. A page may still carry
// items whose text is only known once the last page is laid out (page count, "page n of
// m"): they come afterwards through setItem, before finish.
class PageSink {
public:
    virtual ~PageSink() = default;
    virtual void addPage(Page&& page) = 0;
    virtual void setItem(int page, int item, const Item& value) = 0;
    // The last page was laid out; every item is final.
    virtual void finish(int pageCount) { Q_UNUSED(pageCount); }
};

// Keeps every page in a Document.
class DocumentSink : public PageSink {
public:
    Document document;
    void addPage(Page&& page) override { document.pages.append(std::move(page)); }
    void setItem(int page, int item, const Item& value) override { document.pages[page].items[item] = value; }
};

class Layouter;
class Report;

// One run of a report, a page at a time: step() lays out until one more page is complete
// (or the report ends) and hands it to the sink, so that a preview can show the first page
// while the rest is still being laid out. The report moves its datasets' cursors as it runs;
// nothing else may move them between steps.
class LayoutRun {
public:
    LayoutRun(Report& report, PageSink& sink);
    ~LayoutRun();
    LayoutRun(const LayoutRun&) = delete;
    LayoutRun& operator=(const LayoutRun&) = delete;

    // Lays out up to the end of the next page; false once the report is complete.
    bool step();
    bool done() const;
    int pagesLaidOut() const;

private:
    std::unique_ptr<Layouter> m_layouter;
};

class Report {
public:
    Report();
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    PageSetup page;
    data::Query* DataSet = nullptr;
    bool PageHeaderOnFirstPage = true;
    bool PageFooterOnLastPage = true;
    QDateTime PrintDateTime; // what system dates print; invalid: the time of layout()

    Band* addBand(BandKind kind, const QString& name, double heightMm);
    Band* addSubDetail(const QString& name, double heightMm, data::Query* dataSet, Band* master = nullptr);
    Band* addGroupHeader(const QString& name, double heightMm, const QString& groupField);
    Band* addGroupFooter(const QString& name, double heightMm, Band* groupHeader);
    Band* addChild(Band* parent, const QString& name, double heightMm);

    const std::vector<std::unique_ptr<Band>>& bands() const { return m_bands; }
    Band* band(const QString& name) const;
    Element* element(const QString& name) const; // searched in every band
    template <class T>
    T* find(const QString& name) const
    {
        return dynamic_cast<T*>(element(name));
    }

    // Runs the report over its datasets and returns the pages.
    Document layout();
    // Runs the report over its datasets, handing each page to `sink` as soon as it is laid
    // out (see LayoutRun): a long report is never held whole.
    void layout(PageSink& sink);

    // While layout() runs: the number of the page being filled (1-based).
    int PageNumber() const { return m_pageNumber; }

private:
    friend class Layouter;
    std::vector<std::unique_ptr<Band>> m_bands;
    int m_pageNumber = 0;
};

} // namespace report
