#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QWidget;

namespace data {
class Query;
}

namespace app {

// The windows whose contents the main window's Print command prints, in the order they are
// tried, with the question asked first. Classes are compared exactly (a derived class does
// not count).
struct PrintRow {
    const char* className;
    QString confirmation;
};
const QList<PrintRow>& printRows();
const PrintRow* printRowFor(const QWidget* window);

// Creates the report of a printable window from that window's queries and shows its print
// preview; returns when the preview is closed. Report windows register themselves here.
using ReportRunner = std::function<void(QWidget* window, QWidget* owner)>;
void registerReport(const char* className, ReportRunner runner);
ReportRunner reportFor(const char* className);

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

} // namespace app
