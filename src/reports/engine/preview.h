#pragma once

#include <QDialog>
#include <QString>

class QAction;
class QLabel;
class QPrinter;
class QSpinBox;
class QWidget;

namespace report {

class Document;
class PageSource;
class PageSpool;

// Prints every page on a printer, full page, as the report lays it out, one page after the
// other.
void printDocument(const PageSource& pages, QPrinter* printer);

// Asks for a file name ("Export PDF") and writes the pages there. False when the
// operator cancels or the file cannot be written (the operator is told why).
bool exportPdf(const PageSource& pages, QWidget* parent);

// Shows the print preview of the document: zoom, pages, Print, and "Export PDF…" beside
// Print (object name "ExportPdfAction"). Runs through kit::runModeless (the other windows
// stay usable) and returns when the preview is closed, with its result.
int showPreview(const Document& document, QWidget* parent = nullptr, const QString& title = QString());

// The preview of a long report, whose pages are kept in a spool rather than in memory: it
// shows one page at a time, from the first page on while the rest is still being laid out,
// with the page count once it is known ("of 12..." meanwhile). Print and "Export PDF..."
// (object name "ExportPdfAction", beside Print) write page after page once every page is
// laid out. Object name "PrintPreview", as the preview of a short report.
class SpoolPreview : public QDialog {
    Q_OBJECT
public:
    SpoolPreview(const PageSpool& pages, QWidget* parent = nullptr, const QString& title = QString());

    // The spool has more pages, or is complete.
    void pagesChanged();
    int currentPage() const { return m_current; } // 0-based
    void setCurrentPage(int index);
    int shownPageCount() const;
    QString pageCountText() const; // what the tool bar says of the page count

    QAction* PrintAction = nullptr;
    QAction* ExportPdfAction = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void print();

    const PageSpool& m_pages;
    int m_current = 0;
    QWidget* m_view = nullptr;
    QSpinBox* m_number = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace report
