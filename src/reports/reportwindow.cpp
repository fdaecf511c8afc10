#include "reports/reportwindow.h"

#include "kit/look.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "reports/engine/preview.h"
#include "reports/engine/spool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScopeGuard>

#include <memory>

namespace reports {

ReportWindow::ReportWindow(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
}

const report::Document& ReportWindow::layout()
{
    m_document = QuickRep1.layout();
    return m_document;
}

namespace {

// Keeps the pages in memory until the report proves long, then in a spool.
class PreviewSink : public report::PageSink {
public:
    explicit PreviewSink(QSizeF paper) : m_paper(paper) { memory.document.paperSize = paper; }

    report::DocumentSink memory;
    std::unique_ptr<report::PageSpool> spool;

    void toSpool()
    {
        spool = std::make_unique<report::PageSpool>(m_paper);
        for (report::Page& page : memory.document.pages)
            spool->addPage(std::move(page));
        memory.document.pages.clear();
    }
    void addPage(report::Page&& page) override
    {
        if (spool)
            spool->addPage(std::move(page));
        else
            memory.addPage(std::move(page));
    }
    void setItem(int page, int item, const report::Item& value) override
    {
        if (spool)
            spool->setItem(page, item, value);
        else
            memory.setItem(page, item, value);
    }
    void finish(int pageCount) override
    {
        if (spool)
            spool->finish(pageCount);
    }

private:
    QSizeF m_paper;
};

} // namespace

int ReportWindow::Preview(QWidget* parent, const std::function<void()>& laidOut)
{
    // While the report walks the printed window's rows, the windows under `parent` are not
    // repainted (a grid following its cursor would scroll its picture once per row); they
    // are again once the printed window has its rows and position back. Other top-level
    // windows (the preview) still paint.
    QPointer<QWidget> frozen = parent && parent->updatesEnabled() ? parent : nullptr;
    if (frozen)
        frozen->setUpdatesEnabled(false);
    auto thaw = qScopeGuard([&frozen] {
        if (frozen)
            frozen->setUpdatesEnabled(true);
    });
    auto done = [&] {
        if (laidOut)
            laidOut();
        thaw.dismiss();
        if (frozen)
            frozen->setUpdatesEnabled(true);
    };

    PreviewSink sink(QuickRep1.page.paperSize());
    report::LayoutRun run(QuickRep1, sink);
    while (run.pagesLaidOut() <= pagesHeldWhole && run.step()) {
    }
    if (run.done()) {
        m_document = std::move(sink.memory.document);
        done();
        return report::showPreview(m_document, parent, windowTitle());
    }

    // A long report: its first pages are shown at once, the rest follow page by page. The
    // operator's input waits until the last page is laid out (the report walks the printed
    // window's queries meanwhile); the preview repaints between pages.
    m_document = report::Document();
    m_document.paperSize = QuickRep1.page.paperSize();
    sink.toSpool();
    report::SpoolPreview dialog(*sink.spool, parent, windowTitle());
    kit::fitToScreen(&dialog);
    dialog.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QElapsedTimer sinceShown;
    sinceShown.start();
    while (run.step()) {
        if (sinceShown.elapsed() >= 100) {
            dialog.pagesChanged();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceShown.restart();
        }
    }
    dialog.pagesChanged();
    done();
    if (!sink.spool->ok())
        kit::messageBox(&dialog, sink.spool->errorText(), QStringLiteral("Error"));
    return kit::runModeless(&dialog);
}

} // namespace reports
