#include "app/printdispatch.h"

#include <QHash>
#include <QWidget>

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

} // namespace app
