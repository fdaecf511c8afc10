#pragma once

#include "kit/events.h"

#include <QTabWidget>

namespace kit {

// Tabbed pages. OnChange runs when the operator selects another page, not when code sets
// the active page.
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    // Adds a page with the caption and returns it, ready for its controls.
    QWidget* addPage(const QString& caption);

    int ActivePageIndex() const { return currentIndex(); }
    void setActivePageIndex(int index);
    QWidget* ActivePage() const { return currentWidget(); }
    int PageCount() const { return count(); }

    // Flat tabs without the page frame.
    void setFlatTabs(bool flat) { setDocumentMode(flat); }

    NotifyHandler OnChange;

private:
    bool m_settingByCode = false;
};

} // namespace kit
