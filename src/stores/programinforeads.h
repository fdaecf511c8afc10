#pragma once

#include <QStringList>

// What the About box reads of the database: the program's own text, in the column info.
namespace stores::programinfo {
QStringList text();
} // namespace stores::programinfo
