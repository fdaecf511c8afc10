#pragma once

#include <QString>
#include <QStringList>

// The statements the register windows read: the lists (by name, :a the name typed) and the
// record an edit window loads (:a its key). Saving is the register store's (registerstore.h).
namespace stores::articles {
QStringList list();
QString load();
} // namespace stores::articles

namespace stores::partners {
QStringList list();
QString load();
} // namespace stores::partners

namespace stores::employees {
QStringList list();
QString load();
} // namespace stores::employees
