#pragma once

#include <QIcon>
#include <QString>

namespace app {

// Pictures of the navigator: 1 company; 2..15 the seven window kinds, each as
// (selected picture, picture) = (2k, 2k+1).
QIcon navigatorPicture(int index);

// Tool bar and menu icons: the desktop theme's icon of that name when there is one,
// otherwise the program's own drawing, so they show on a bare machine too.
enum class ToolIcon { ReceiptList, DispatchList, StockList, Articles, Partners, Print, Close };
QIcon toolIcon(ToolIcon which);

} // namespace app
