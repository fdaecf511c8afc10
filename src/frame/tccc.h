#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

// The record attached to a navigator node: the company the node belongs to, the kind of
// window (chooses the node's picture) and the window itself (empty for a company node).
struct TCCC {
    int CompanyId = 0;
    QString CompanyName;
    int Kind = 0;
    QPointer<QWidget> Form;
};
