#pragma once

#include "frame/tccc.h"
#include "kit/events.h"

#include <QTreeWidget>
#include <QWidget>

namespace kit {
class PageControl;
}

// The tree behind the navigator: a key handler in front of QTreeWidget's own keys.
class NavTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit NavTree(QWidget* parent = nullptr) : QTreeWidget(parent) {}
    kit::KeyDownHandler OnKeyDown;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The navigator: a small child window of the frame with a tree of a company node and, under
// it, one node per open child window. Clicking a window node brings its window to the front;
// the node of the active window stays selected. It cannot be closed by the operator.
class TNavForm : public QWidget {
    Q_OBJECT
public:
    explicit TNavForm(QWidget* parent = nullptr);
    ~TNavForm() override;

    kit::PageControl* PageControl1 = nullptr;
    NavTree* TreeView1 = nullptr;
    QTreeWidgetItem* CompanyNode = nullptr;
    QTreeWidgetItem* LastNode = nullptr;
    int CompanyId = 0;
    QString CompanyName;

    // The company record stays the caller's; window records become the node's.
    void AddCompany(const QString& name, TCCC* record);
    void AddWindow(const QString& caption, TCCC* record);
    void RemoveWindow(QWidget* window);
    void SelectWindow(QWidget* window);

    void TreeView1Click();
    void TreeView1KeyDown(int& key, Qt::KeyboardModifiers shift);
    void FormClose();

    // The record of a node (nullptr for none).
    static TCCC* recordOf(const QTreeWidgetItem* node);
    // Window nodes in tree order (for checks and the main window).
    QList<QTreeWidgetItem*> windowNodes() const;
    // Lets the navigator close when the program ends.
    void allowClose() { m_closing = true; }

    // Called when the navigator closes (the main window unhooks itself from it).
    kit::NotifyHandler OnClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setPictures(QTreeWidgetItem* node, int kind);
    void refreshPictures();
    QTreeWidgetItem* windowNodeOf(QWidget* window) const;

    bool m_closing = false;
    bool m_selecting = false;
};
