#include "reports/registerreports.h"

#include "frame/printdispatch.h"
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

// Creates the report owned by the main window, fills it, shows its preview and frees it
// when the preview is closed (also when preparing or previewing fails). The printed window
// gets its current rows and scroll positions back once the report has walked its queries,
// before the preview shows.
template <class R, class Fill>
void registerRunner(frame::PrintReport kind, Fill fill)
{
    frame::registerReport(kind, [fill](QWidget* window, const frame::PrintSource& source, QWidget* owner) {
        const std::unique_ptr<R> report(new R(owner));
        const frame::ListPosition position(window);
        fill(*report, source);
        report->Preview(owner, [&position] { position.restore(); });
    });
}

} // namespace

void registerAll()
{
    using frame::PrintReport;
    using frame::PrintSource;
    registerRunner<TSReportIspratnica>(PrintReport::Dispatches, [](TSReportIspratnica& r, const PrintSource& s) {
        r.PrepareReport(s.master, s.detail);
    });
    registerRunner<TSReportPriemnica>(PrintReport::Receipts, [](TSReportPriemnica& r, const PrintSource& s) {
        r.PrepareReport(s.master, s.detail);
    });
    registerRunner<TSReportLager>(PrintReport::Stock, [](TSReportLager& r, const PrintSource& s) {
        r.PrepareReport(s.master, nullptr, s.activePage);
    });
    registerRunner<TSReportNalog>(PrintReport::WorkOrders, [](TSReportNalog& r, const PrintSource& s) {
        r.PrepareReport(s.master, s.detail, s.extra);
    });
    registerRunner<TSReportArtikalAnalitika>(PrintReport::ArticleCard,
                                             [](TSReportArtikalAnalitika& r, const PrintSource& s) {
                                                 r.PrepareReport(s.master, s.detail, s.activePage);
                                             });
    registerRunner<TSReportKomintentiAnalitika>(PrintReport::PartnerCard,
                                                [](TSReportKomintentiAnalitika& r, const PrintSource& s) {
                                                    r.PrepareReport(s.master, s.detail, s.activePage);
                                                });
    registerRunner<TSReportFinansii>(PrintReport::Finance, [](TSReportFinansii& r, const PrintSource& s) {
        r.PrepareReport(s.master, s.detail, s.to, s.from);
    });
}

} // namespace reports
