#include "frame/printdispatch.h"

#include "data/datasource.h"
#include "data/query.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>

namespace app {

namespace {

QHash<QByteArray, ReportRunner>& runners()
{
    static QHash<QByteArray, ReportRunner> r;
    return r;
}

} // namespace

const QList<PrintRow>& printRows()
{
    static const QList<PrintRow> rows{
        {"TSIspratnicaLista", QStringLiteral("PRINT Goods Dispatch !!!")},
        {"TSPriemnicaLista", QStringLiteral("PRINT Goods Receipt !!!")},
        {"TSLagerListaLista", QStringLiteral("PRINT Products Remain List !!!")},
        {"TSNalogLista", QStringLiteral("PRINT Order !!!")},
        {"TSPregledArtikalLista", QStringLiteral("PRINT Detail List of Products!!!")},
        {"TSPregledKomintentLista", QStringLiteral("PRINT Detail List of Products!!!")},
        {"TSReportFinanLista", QStringLiteral("PRINT FINANSKI IZVESTAJ!!!")},
    };
    return rows;
}

const PrintRow* printRowFor(const QWidget* window)
{
    if (!window)
        return nullptr;
    const char* cls = window->metaObject()->className();
    for (const PrintRow& row : printRows())
        if (qstrcmp(row.className, cls) == 0)
            return &row;
    return nullptr;
}

void registerReport(const char* className, ReportRunner runner)
{
    runners().insert(QByteArray(className), std::move(runner));
}

ReportRunner reportFor(const char* className)
{
    return runners().value(QByteArray(className));
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

} // namespace app
