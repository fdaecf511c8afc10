#include "frame/printdispatch.h"

#include "data/datasource.h"
#include "data/query.h"

#include <QAbstractScrollArea>
#include <QMap>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace frame {

namespace {

QMap<PrintReport, ReportRunner>& runners()
{
    static QMap<PrintReport, ReportRunner> r;
    return r;
}

} // namespace

QString printConfirmation(PrintReport report)
{
    switch (report) {
    case PrintReport::Dispatches:
        return QStringLiteral("PRINT Goods Dispatch !!!");
    case PrintReport::Receipts:
        return QStringLiteral("PRINT Goods Receipt !!!");
    case PrintReport::Stock:
        return QStringLiteral("PRINT Products Remain List !!!");
    case PrintReport::WorkOrders:
        return QStringLiteral("PRINT Order !!!");
    case PrintReport::ArticleCard:
    case PrintReport::PartnerCard:
        return QStringLiteral("PRINT Detail List of Products!!!");
    case PrintReport::Finance:
        return QStringLiteral("PRINT FINANSKI IZVESTAJ!!!");
    }
    return QString();
}

void registerReport(PrintReport report, const ReportRunner& runner)
{
    runners().insert(report, runner);
}

ReportRunner reportFor(PrintReport report)
{
    return runners().value(report);
}

ListPosition::ListPosition(QWidget* window)
{
    if (!window)
        return;
    for (data::Query* q : window->findChildren<data::Query*>()) {
        if (!q->Active())
            continue;
        int depth = 0;
        for (const data::Query* m = q; m->masterSource() && m->masterSource()->DataSet() && depth < 8;
             m = m->masterSource()->DataSet())
            ++depth;
        m_rows.append({q, depth, q->RecNo()});
    }
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const Row& a, const Row& b) { return a.depth < b.depth; });
    for (QAbstractScrollArea* view : window->findChildren<QAbstractScrollArea*>())
        m_scrolls.append({view, view->horizontalScrollBar()->value(), view->verticalScrollBar()->value()});
}

void ListPosition::restore() const
{
    for (const Row& row : m_rows)
        if (row.query && row.query->Active() && row.recNo >= 0 && row.query->RecNo() != row.recNo)
            row.query->setRecNo(row.recNo);
    for (const Scroll& s : m_scrolls) {
        if (!s.view)
            continue;
        s.view->horizontalScrollBar()->setValue(s.horizontal);
        s.view->verticalScrollBar()->setValue(s.vertical);
    }
}

} // namespace frame
