#pragma once

#include "kit/events.h"

#include <QAction>

namespace kit {

// One item of a popup menu. Its OnClick can be replaced at any time (a module wires the
// items of a list window it creates to its own operations).
class MenuItem : public QAction {
    Q_OBJECT
public:
    MenuItem(const QString& name, const QString& caption, QObject* parent = nullptr);

    QString Caption() const { return text(); }
    // Runs the item as choosing it does.
    void Click() { trigger(); }

    NotifyHandler OnClick;
};

} // namespace kit
