#pragma once

#include <QList>
#include <QString>

#include <functional>

class QWidget;

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

} // namespace app
