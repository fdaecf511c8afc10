#pragma once

#include <QStringList>

namespace kit {

// Category names for a bar chart axis, one per bar, that look like `labels`: a category
// axis keeps only the first of equal names and drops empty ones, which would shift every
// later bar under the wrong name. A repeated or empty name gets zero-width spaces
// appended until it is distinct; it reads the same on screen.
QStringList distinctCategories(const QStringList& labels);

// The name as the operator sees it (without those zero-width spaces).
QString shownCategory(QString category);

} // namespace kit
