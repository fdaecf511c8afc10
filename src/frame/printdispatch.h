#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QWidget;

namespace data {
class Query;
}

namespace frame {

// The printed documents, one per printable window.
enum class PrintReport { Dispatches, Receipts, Stock, WorkOrders, ArticleCard, PartnerCard, Finance };

// What a printable window hands to its report.
struct PrintSource {
    PrintSource(data::Query* master, data::Query* detail = nullptr, data::Query* extra = nullptr, int activePage = 0,
                QString from = QString(), QString to = QString())
        : master(master), detail(detail), extra(extra), activePage(activePage), from(std::move(from)), to(std::move(to))
    {
    }
    data::Query* master = nullptr; // Query1
    data::Query* detail = nullptr; // Query2
    data::Query* extra = nullptr;  // Query3 (the work orders' articles)
    int activePage = 0;            // page of the window's page control
    QString from;                  // start of the financial report's period (its date fields)
    QString to;                    // end of it
};

// A window whose contents the main window's Print command prints.
class Printable {
public:
    virtual ~Printable() = default;
    virtual PrintReport printReport() const = 0;
    virtual PrintSource printSource() const = 0;
    // Set while the window is being printed (from the question until the preview closes).
    virtual void setPrinting(bool) {}
};

// The question asked before printing a window's report.
QString printConfirmation(PrintReport report);

// Creates the report from what its window hands over and shows its print preview; returns
// when the preview is closed. The reports register themselves here.
using ReportRunner = std::function<void(QWidget* window, const PrintSource& source, QWidget* owner)>;
void registerReport(PrintReport report, const ReportRunner& runner);
ReportRunner reportFor(PrintReport report);

// Where the operator stands in a printed window: the current row of each of its queries and
// the scroll position of each of its grids. A report walks the queries it prints (the list
// would be left on its last row); restore() puts all back as it was.
class ListPosition {
public:
    explicit ListPosition(QWidget* window);
    // Masters first: a detail query reread by its master's move gets its own row back after.
    void restore() const;

private:
    struct Row {
        QPointer<data::Query> query;
        int depth; // 0 for a query without a master, 1 for its detail, ...
        int recNo;
    };
    struct Scroll {
        QPointer<QAbstractScrollArea> view;
        int horizontal;
        int vertical;
    };
    QList<Row> m_rows;
    QList<Scroll> m_scrolls;
};

} // namespace frame

Q_DECLARE_INTERFACE(frame::Printable, "org.duredir.Printable")
