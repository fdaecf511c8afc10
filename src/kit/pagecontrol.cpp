#include "kit/pagecontrol.h"

namespace kit {

PageControl::PageControl(QWidget* parent) : QTabWidget(parent)
{
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (!m_settingByCode)
            fire(OnChange);
    });
}

QWidget* PageControl::addPage(const QString& caption)
{
    auto* page = new QWidget;
    m_settingByCode = true; // the first page becomes current: not the operator's choice
    addTab(page, caption);
    m_settingByCode = false;
    return page;
}

void PageControl::setActivePageIndex(int index)
{
    m_settingByCode = true;
    setCurrentIndex(index);
    m_settingByCode = false;
}

} // namespace kit
