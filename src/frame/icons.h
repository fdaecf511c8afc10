#pragma once

#include <QIcon>
#include <QString>

namespace frame {

// Pictures of the navigator: 1 company; 2..15 the seven window kinds, each as
// (selected picture, picture) = (2k, 2k+1).
QIcon navigatorPicture(int index);

// Tool bar and menu icons: the program's own drawings, one style with the navigator's
// pictures, the same on every desktop (no theme is consulted).
enum class ToolIcon { ReceiptList, DispatchList, StockList, Articles, Partners, Print, Close };
QIcon toolIcon(ToolIcon which);

} // namespace frame
