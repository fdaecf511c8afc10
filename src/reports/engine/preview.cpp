#include "reports/engine/preview.h"

#include "kit/messagebox.h"
#include "kit/modal.h"
#include "reports/engine/document.h"

#include <QAction>
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

void setUpPrinter(const Document& document, QPrinter* printer)
{
    const QSizeF paper = document.paperSize;
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait(qMin(paper.width(), paper.height()), qMax(paper.width(), paper.height()));
    printer->setFullPage(true);
    printer->setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(),
                                                 QPageSize::FuzzyMatch),
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

void printDocument(const Document& document, QPrinter* printer)
{
    setUpPrinter(document, printer);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double dotsPerMm = printer->resolution() / 25.4;
    for (int i = 0; i < document.pages.size(); ++i) {
        if (i > 0)
            printer->newPage();
        drawPage(painter, document.pages.at(i), dotsPerMm);
    }
    painter.end();
}

bool exportPdf(const Document& document, QWidget* parent)
{
    QFileDialog dialog(parent, QStringLiteral("Export PDF"), QString(),
                       QStringLiteral("PDF files (*.pdf)"));
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
    if (!document.writePdf(files.first(), &error)) {
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
    QObject::connect(exportAction, &QAction::triggered, &dialog,
                     [&document, &dialog] { exportPdf(document, &dialog); });
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

} // namespace report
