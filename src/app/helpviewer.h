#pragma once

#include <QDialog>

class QTextBrowser;

namespace app {

// The program's own help viewer: pages from docs/help, opened by context number.
// Context 1 main window, 2 article entry, 3 article edit, 4 product list, 5 product entry,
// 6 product edit; 0 opens the index.
class HelpViewer : public QDialog {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the (single) viewer on the page of a context.
    static HelpViewer* showContext(int context, QWidget* parent);
    static QString pageFor(int context);
    // Shows the (single) viewer on a page of the help folder, by file name ("see-stock.html").
    static HelpViewer* showPage(const QString& page, QWidget* parent);
    // The page file name of a child window (by its class: a list and its entry and edit
    // windows share their task's page); empty for a window without a page of its own.
    static QString pageForWindow(const QWidget* window);
    // The file name of the page shown by the last request ("main-window.html").
    static QString currentPage();

    QTextBrowser* browser() const { return m_browser; }
    // The help file name asked for by the last request, as the program names it.
    static QString helpFile();

private:
    QTextBrowser* m_browser;
};

} // namespace app
