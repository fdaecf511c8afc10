#include "reports/reportwindow.h"

#include "reports/engine/preview.h"

namespace reports {

ReportWindow::ReportWindow(QWidget* owner) : QWidget(owner)
{
    setAttribute(Qt::WA_DontShowOnScreen);
    hide();
}

const report::Document& ReportWindow::layout()
{
    m_document = QuickRep1.layout();
    return m_document;
}

int ReportWindow::Preview(QWidget* parent, const std::function<void()>& laidOut)
{
    layout();
    if (laidOut)
        laidOut();
    return report::showPreview(m_document, parent, windowTitle());
}

} // namespace reports
