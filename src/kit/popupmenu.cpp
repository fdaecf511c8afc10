#include "kit/popupmenu.h"

#include <QApplication>

namespace kit {

namespace {
const char* const kPopupProperty = "kitPopupMenu";
}

PopupMenu::PopupMenu(QWidget* parent) : QMenu(parent)
{
    m_menuKey = new QAction(this);
    m_menuKey->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    m_menuKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(m_menuKey, &QAction::triggered, this, &PopupMenu::openFromKeyboard);
}

PopupMenu::~PopupMenu()
{
    detach();
}

MenuItem* PopupMenu::addItem(const QString& name, const QString& caption, const QKeySequence& shortcut, NotifyHandler handler)
{
    auto* action = new MenuItem(name, caption, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    action->OnClick = std::move(handler);
    addAction(action);
    if (m_window)
        m_window->addAction(action);
    return action;
}

MenuItem* PopupMenu::item(const QString& name) const
{
    for (MenuItem* action : items()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

QList<MenuItem*> PopupMenu::items() const
{
    QList<MenuItem*> result;
    for (QAction* action : actions()) {
        if (auto* item = qobject_cast<MenuItem*>(action))
            result.append(item);
    }
    return result;
}

PopupMenu* PopupMenu::of(const QWidget* window)
{
    return window ? qobject_cast<PopupMenu*>(window->property(kPopupProperty).value<QObject*>()) : nullptr;
}

void PopupMenu::attachTo(QWidget* window)
{
    if (window == m_window)
        return;
    detach();
    if (!window)
        return;
    if (PopupMenu* previous = of(window))
        previous->detach();
    m_window = window;
    window->setProperty(kPopupProperty, QVariant::fromValue<QObject*>(this));
    window->setContextMenuPolicy(Qt::CustomContextMenu);
    m_contextConnection = connect(window, &QWidget::customContextMenuRequested, this,
                                  [this](const QPoint& pos) { popupAt(m_window, pos); });
    window->addAction(m_menuKey);
    for (MenuItem* action : items())
        window->addAction(action);
}

void PopupMenu::detach()
{
    if (!m_window)
        return;
    disconnect(m_contextConnection);
    m_window->removeAction(m_menuKey);
    for (MenuItem* action : items())
        m_window->removeAction(action);
    if (of(m_window) == this)
        m_window->setProperty(kPopupProperty, QVariant());
    m_window = nullptr;
}

void PopupMenu::popupAt(QWidget* widget, const QPoint& pos)
{
    popup(widget ? widget->mapToGlobal(pos) : pos);
}

void PopupMenu::openFromKeyboard()
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !m_window || !m_window->isAncestorOf(focus))
        focus = m_window;
    if (focus)
        popupAt(focus, focus->rect().center());
}

} // namespace kit
