#pragma once

#include "kit/menuitem.h"

#include <QMenu>
#include <QPointer>

namespace kit {

// A window's popup menu.
//
// Attached to a window it opens on a right click anywhere in the window that no control
// takes for its own menu, and on the keyboard's menu key (and Shift+F10). Its items'
// shortcuts work while the focus is anywhere inside that window (Qt's
// WidgetWithChildrenShortcut context), so Esc on "Close" closes just that window.
//
// A window has one popup menu at a time: attaching another one detaches the previous, whose
// shortcuts then stop working (a list window replacing the base class's menu relies on it).
class PopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit PopupMenu(QWidget* parent = nullptr);
    ~PopupMenu() override;

    MenuItem* addItem(const QString& name, const QString& caption, const QKeySequence& shortcut = QKeySequence(),
                      NotifyHandler handler = NotifyHandler());
    MenuItem* item(const QString& name) const;
    QList<MenuItem*> items() const;

    void attachTo(QWidget* window);
    void detach();
    QWidget* owner() const { return m_window; }
    // The popup menu attached to a window, or nullptr.
    static PopupMenu* of(const QWidget* window);

    // Opens the menu at a point of a widget (in that widget's coordinates).
    void popupAt(QWidget* widget, const QPoint& pos);

private:
    void openFromKeyboard();

    QPointer<QWidget> m_window;
    QAction* m_menuKey = nullptr;
    QMetaObject::Connection m_contextConnection;
};

} // namespace kit
