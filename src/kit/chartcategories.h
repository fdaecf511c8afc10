#pragma once

#include <QStringList>

class QFont;

namespace kit {

// Category names for a bar chart axis, one per bar, that look like `labels`: a category
// axis keeps only the first of equal names and drops empty ones, which would shift every
// later bar under the wrong name. A repeated or empty name gets zero-width spaces
// appended until it is distinct; it reads the same on screen.
QStringList distinctCategories(const QStringList& labels);

// The name as the operator sees it (without those zero-width spaces).
QString shownCategory(QString category);

// A bar's name as its axis shows it: whole, or shortened in the middle ("BOLT M8…ZINC")
// when wider than `maxWidth` pixels in `font`.
QString categoryLabel(const QString& name, const QFont& font, int maxWidth);

// Pixels a bar takes on a category axis, label included: every label stays readable,
// however many bars there are (the chart grows and scrolls instead).
constexpr int barPitch = 26;

} // namespace kit
