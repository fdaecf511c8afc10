#include "reports/engine/preview.h"

#include "kit/messagebox.h"
#include "kit/modal.h"
#include "reports/engine/document.h"
#include "reports/engine/spool.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPrintDialog>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace report {

namespace {

void setUpPrinter(const PageSource& pages, QPrinter* printer)
{
    const QSizeF paper = pages.paper();
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait(qMin(paper.width(), paper.height()), qMax(paper.width(), paper.height()));
    printer->setFullPage(true);
    printer->setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

// Puts the action right after the preview's own Print action, or at the end of its tool bar.
void addBesidePrint(QPrintPreviewDialog& dialog, QAction* action)
{
    QToolBar* toolbar = dialog.findChild<QToolBar*>();
    if (!toolbar) {
        dialog.addAction(action);
        return;
    }
    const QList<QAction*> actions = toolbar->actions();
    QAction* before = nullptr;
    for (int i = 0; i < actions.size(); ++i) {
        if (actions.at(i)->text() == QPrintPreviewDialog::tr("Print")) {
            before = i + 1 < actions.size() ? actions.at(i + 1) : nullptr;
            break;
        }
    }
    toolbar->insertAction(before, action);
    if (auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

} // namespace

void printDocument(const PageSource& pages, QPrinter* printer)
{
    setUpPrinter(pages, printer);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double dotsPerMm = printer->resolution() / 25.4;
    for (int i = 0; i < pages.count(); ++i) {
        if (i > 0)
            printer->newPage();
        drawPage(painter, pages.pageAt(i), dotsPerMm);
    }
    painter.end();
}

bool exportPdf(const PageSource& document, QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Export PDF"), QString(), QStringLiteral("PDF files (*.pdf)"));
    dialog.setObjectName(QStringLiteral("ExportPdfDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (kit::runModal(&dialog) != QDialog::Accepted)
        return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return false;
    QString error;
    if (!writePdf(document, files.first(), &error)) {
        kit::messageBox(parent, error, QStringLiteral("Error"));
        return false;
    }
    return true;
}

int showPreview(const Document& document, QWidget* parent, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(document, &printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.resize(900, 760); // made smaller on a smaller screen (kit::runModeless)
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&document](QPrinter* target) { printDocument(document, target); });

    auto* exportAction = new QAction(QStringLiteral("Export PDF\u2026"), &dialog);
    exportAction->setObjectName(QStringLiteral("ExportPdfAction"));
    exportAction->setIcon(dialog.style()->standardIcon(QStyle::SP_DialogSaveButton));
    exportAction->setToolTip(QStringLiteral("Export PDF\u2026"));
    QObject::connect(exportAction, &QAction::triggered, &dialog, [&document, &dialog] { exportPdf(document, &dialog); });
    addBesidePrint(dialog, exportAction);
    // The whole page in view, whatever size the window got.
    for (QAction* action : dialog.findChildren<QAction*>())
        if (action->text() == QPrintPreviewDialog::tr("Fit page")) {
            action->trigger();
            break;
        }
    // The preview does not block the program: the main window stays usable meanwhile.
    return kit::runModeless(&dialog);
}

namespace {

// Draws the page the preview stands on, as large as the view allows, whole.
class PageView : public QWidget {
public:
    PageView(const PageSpool& pages, const int& current, QWidget* parent)
        : QWidget(parent), m_pages(pages), m_current(current)
    {
        setObjectName(QStringLiteral("PageView"));
        setMinimumSize(200, 280);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        if (m_pages.count() == 0)
            return;
        const QSizeF paper = m_pages.paper();
        const QRectF room = QRectF(rect()).adjusted(12, 12, -12, -12);
        const double dotsPerMm = qMin(room.width() / paper.width(), room.height() / paper.height());
        const QSizeF size = paper * dotsPerMm;
        const QPointF origin(room.center().x() - size.width() / 2, room.center().y() - size.height() / 2);
        painter.fillRect(QRectF(origin, size), Qt::white);
        painter.translate(origin);
        drawPage(painter, m_pages.pageAt(m_current), dotsPerMm);
    }

private:
    const PageSpool& m_pages;
    const int& m_current;
};

} // namespace

SpoolPreview::SpoolPreview(const PageSpool& pages, QWidget* parent, const QString& title)
    : QDialog(parent), m_pages(pages)
{
    setObjectName(QStringLiteral("PrintPreview"));
    if (!title.isEmpty())
        setWindowTitle(title);
    resize(900, 760); // made smaller on a smaller screen (kit::runModeless)
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QToolBar(this);
    layout->addWidget(bar);
    m_view = new PageView(m_pages, m_current, this);
    layout->addWidget(m_view, 1);

    auto* first = bar->addAction(style()->standardIcon(QStyle::SP_MediaSkipBackward), QStringLiteral("First page"));
    auto* previous = bar->addAction(style()->standardIcon(QStyle::SP_MediaSeekBackward), QStringLiteral("Previous page"));
    m_number = new QSpinBox(bar);
    m_number->setObjectName(QStringLiteral("PageNumber"));
    m_number->setRange(1, 1);
    bar->addWidget(m_number);
    m_count = new QLabel(bar);
    m_count->setObjectName(QStringLiteral("PageCount"));
    m_count->setContentsMargins(6, 0, 6, 0);
    bar->addWidget(m_count);
    auto* next = bar->addAction(style()->standardIcon(QStyle::SP_MediaSeekForward), QStringLiteral("Next page"));
    auto* last = bar->addAction(style()->standardIcon(QStyle::SP_MediaSkipForward), QStringLiteral("Last page"));
    bar->addSeparator();
    PrintAction = bar->addAction(style()->standardIcon(QStyle::SP_FileIcon), QPrintPreviewDialog::tr("Print"));
    PrintAction->setObjectName(QStringLiteral("PrintAction"));
    ExportPdfAction =
        new QAction(style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Export PDF\u2026"), this);
    ExportPdfAction->setObjectName(QStringLiteral("ExportPdfAction"));
    ExportPdfAction->setToolTip(QStringLiteral("Export PDF\u2026"));
    bar->addAction(ExportPdfAction);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(ExportPdfAction)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    connect(first, &QAction::triggered, this, [this] { setCurrentPage(0); });
    connect(previous, &QAction::triggered, this, [this] { setCurrentPage(m_current - 1); });
    connect(next, &QAction::triggered, this, [this] { setCurrentPage(m_current + 1); });
    connect(last, &QAction::triggered, this, [this] { setCurrentPage(m_pages.count() - 1); });
    connect(m_number, &QSpinBox::valueChanged, this, [this](int n) { setCurrentPage(n - 1); });
    connect(PrintAction, &QAction::triggered, this, [this] { print(); });
    connect(ExportPdfAction, &QAction::triggered, this, [this] { exportPdf(m_pages, this); });
    pagesChanged();
}

void SpoolPreview::pagesChanged()
{
    const int n = m_pages.count();
    m_number->setRange(1, qMax(1, n));
    m_count->setText(pageCountText());
    // Printed or exported only whole, with every page count in place.
    PrintAction->setEnabled(m_pages.complete());
    ExportPdfAction->setEnabled(m_pages.complete());
    m_view->update();
}

int SpoolPreview::shownPageCount() const
{
    return m_pages.count();
}

QString SpoolPreview::pageCountText() const
{
    return m_pages.complete() ? QStringLiteral("of %1").arg(m_pages.count())
                              : QStringLiteral("of %1\u2026").arg(m_pages.count());
}

void SpoolPreview::setCurrentPage(int index)
{
    const int clamped = qBound(0, index, qMax(0, m_pages.count() - 1));
    if (clamped != m_current) {
        m_current = clamped;
        m_view->update();
    }
    if (m_number->value() != m_current + 1)
        m_number->setValue(m_current + 1);
}

void SpoolPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_current + 1);
        return;
    case Qt::Key_PageUp:
        setCurrentPage(m_current - 1);
        return;
    case Qt::Key_Home:
        setCurrentPage(0);
        return;
    case Qt::Key_End:
        setCurrentPage(m_pages.count() - 1);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void SpoolPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(m_pages, &printer);
    QPrintDialog dialog(&printer, this);
    if (kit::runModal(&dialog) != QDialog::Accepted)
        return;
    printDocument(m_pages, &printer);
}

} // namespace report
