#pragma once

#include <QList>

class QWidget;

namespace app {

// The numbered commands exchanged between windows through the main window: odd codes ask
// for a list in pick mode, the even code after it answers with the picked key.
constexpr int FirstCommand = 32769;
constexpr int LastCommand = 32810;

enum class PickList { None, Articles, Products, Partners, Employees, Stock, Receipts };

// The list a request code opens (None for 32769, which means nothing).
PickList listForRequest(int code);

struct CommandAnswer {
    int code;
    const char* receiver; // receive operation of the caller window, called with the key
    const char* focus;    // control of the caller that gets the focus, or nullptr
    bool fromStockList;   // the key is the stock list's GetArtikalId, refused at -1
};

// The answer for an even code, or nullptr (32770 and codes outside the range).
const CommandAnswer* answerFor(int code);

// The request codes a pick list answers (answer = request + 1).
QList<int> requestsServedBy(PickList list);

} // namespace app
