#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class QWidget;

namespace kit {

// Window layout remembered between runs: the main window's geometry and the column widths
// of each grid, in $XDG_CONFIG_HOME/duredir/layout.ini.
QString layoutFile();

QByteArray loadGeometry(const QString& key);
void saveGeometry(const QString& key, const QByteArray& geometry);

// Widths of a grid's columns by field name (lower case); empty when none were saved.
QList<QPair<QString, int>> loadColumnWidths(const QString& gridKey);
void saveColumnWidths(const QString& gridKey, const QList<QPair<QString, int>>& widths);

// A stable key for a grid: the class of the child window it sits in and its own name.
QString gridKey(const QWidget* grid);

} // namespace kit
