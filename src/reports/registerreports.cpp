#include "reports/registerreports.h"

#include "frame/printdispatch.h"
#include "data/query.h"
#include "kit/maskedit.h"
#include "kit/pagecontrol.h"
#include "reports/tsreportartikalanalitika.h"
#include "reports/tsreportfinansii.h"
#include "reports/tsreportispratnica.h"
#include "reports/tsreportkomintentianalitika.h"
#include "reports/tsreportlager.h"
#include "reports/tsreportnalog.h"
#include "reports/tsreportpriemnica.h"

#include <QWidget>

#include <memory>

namespace reports {

namespace {

// What a printable window hands to its report: its queries by name and the index of the
// active page of its page control.
data::Query* query(QWidget* window, const char* name)
{
    return window->findChild<data::Query*>(QString::fromLatin1(name));
}

QString maskText(QWidget* window, const char* name)
{
    const auto* edit = window->findChild<kit::MaskEdit*>(QString::fromLatin1(name));
    return edit ? edit->Text() : QString();
}

int activePage(QWidget* window)
{
    const auto* pages = window->findChild<kit::PageControl*>(QStringLiteral("PageControl1"));
    return pages ? pages->ActivePageIndex() : 0;
}

// Creates the report owned by the main window, fills it, shows its preview and frees it
// when the preview is closed (also when preparing or previewing fails). The printed window
// gets its current rows and scroll positions back once the report has walked its queries,
// before the preview shows.
template <class R, class Fill>
void registerRunner(const char* className, Fill fill)
{
    app::registerReport(className, [fill](QWidget* window, QWidget* owner) {
        const std::unique_ptr<R> report(new R(owner));
        const app::ListPosition position(window);
        fill(*report, window);
        report->Preview(owner, [&position] { position.restore(); });
    });
}

} // namespace

void registerAll()
{
    registerRunner<TSReportIspratnica>("TSIspratnicaLista", [](TSReportIspratnica& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), query(w, "Query2"));
    });
    registerRunner<TSReportPriemnica>("TSPriemnicaLista", [](TSReportPriemnica& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), query(w, "Query2"));
    });
    registerRunner<TSReportLager>("TSLagerListaLista", [](TSReportLager& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), nullptr, activePage(w));
    });
    registerRunner<TSReportNalog>("TSNalogLista", [](TSReportNalog& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), query(w, "Query2"), query(w, "Query3"));
    });
    registerRunner<TSReportArtikalAnalitika>("TSPregledArtikalLista", [](TSReportArtikalAnalitika& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), query(w, "Query2"), activePage(w));
    });
    registerRunner<TSReportKomintentiAnalitika>("TSPregledKomintentLista",
                                                [](TSReportKomintentiAnalitika& r, QWidget* w) {
                                                    r.PrepareReport(query(w, "Query1"), query(w, "Query2"),
                                                                    activePage(w));
                                                });
    registerRunner<TSReportFinansii>("TSReportFinanLista", [](TSReportFinansii& r, QWidget* w) {
        r.PrepareReport(query(w, "Query1"), query(w, "Query2"), maskText(w, "MaskEdit2"), maskText(w, "MaskEdit1"));
    });
}

} // namespace reports
