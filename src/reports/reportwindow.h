#pragma once

#include "reports/engine/document.h"
#include "reports/engine/report.h"

#include <QWidget>

#include <functional>

namespace data {
class Query;
}

namespace reports {

// A window that carries a report design and is never shown itself: the print command
// creates it, fills it from the printed window's queries, previews it and frees it.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget* owner = nullptr);

    report::Report QuickRep1;

    // Runs the report over its datasets; the pages are kept for document().
    const report::Document& layout();
    // The pages of the last run (none when the last preview was of a long report, whose
    // pages are never held in memory together).
    const report::Document& document() const { return m_document; }
    // Runs the report and shows its print preview; returns when the preview is closed.
    // `laidOut` runs once the report has run, before the preview can be used. A report of
    // up to pagesHeldWhole pages is previewed whole (QPrintPreviewDialog); a longer one is
    // laid out into a spool, and its preview (report::SpoolPreview) shows the first page
    // while the rest is laid out.
    int Preview(QWidget* parent, const std::function<void()>& laidOut = {});
    static constexpr int pagesHeldWhole = 20;

protected:
    // Names an element as the design does, so that its printed items carry the name.
    template <class T>
    static T* named(T* element, const char* name)
    {
        element->name = QString::fromLatin1(name);
        return element;
    }

private:
    report::Document m_document;
};

// Common fonts of the printed forms.
inline report::Font arial(double size, bool bold = false, bool italic = false)
{
    return report::Font(size, bold, italic);
}

} // namespace reports
