#pragma once

#include <QString>

#include <exception>

namespace frame {

// The window's own failure message (`described`, "Goods Receipt,is not entered !!!") followed
// by why the save failed, in plain words: the data busy elsewhere, a full disk, a database
// that takes no writes, a text too long for its column, a value the database refuses, the
// connection lost. Only `described` when the failure has no reason worth telling.
QString saveFailureText(const QString& described, const std::exception& failure);

} // namespace frame
