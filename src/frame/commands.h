#pragma once

#include "frame/picking.h"

#include <QList>

namespace frame {

// The numbered commands exchanged between windows through the main window: each request
// asks for a list in pick mode, and the code after it (answerTo) answers with the picked key.
// A request is named by what it asks for and the window that asks.
namespace cmd {
constexpr int NoRequest = 32769; // asks for nothing
constexpr int NoAnswer = 32770;  // answers nothing
constexpr int ArticleForProductEntry = 32771;
constexpr int ProductForOrderEntry = 32773;
constexpr int PartnerForOrderEntry = 32775;
constexpr int PartnerForReceiptEntry = 32777;
constexpr int PartnerForDispatchEntry = 32779;
constexpr int ArticleForReceiptEntry = 32781;
constexpr int ArticleForDispatchEntry = 32783;
constexpr int ArticleForProductEdit = 32785;
constexpr int ProductForOrderEdit = 32787;
constexpr int PartnerForOrderEdit = 32789;
constexpr int PartnerForDispatchEdit = 32791;
constexpr int ArticleForDispatchEdit = 32793;
constexpr int PartnerForReceiptEdit = 32795;
constexpr int ArticleForReceiptEdit = 32797;
constexpr int EmployeeForOrderEntry = 32799;
constexpr int EmployeeForOrderEdit = 32801;
constexpr int StockForDispatchEntry = 32803;
constexpr int StockForDispatchEdit = 32805;
constexpr int ReceiptForDispatchEntry = 32807;
constexpr int ReceiptForDispatchEdit = 32809;

constexpr int answerTo(int request)
{
    return request + 1;
}
} // namespace cmd

constexpr int FirstCommand = cmd::NoRequest;
constexpr int LastCommand = cmd::answerTo(cmd::ReceiptForDispatchEdit);

enum class PickList { None, Articles, Products, Partners, Employees, Stock, Receipts };

// The list a request code opens (None for NoRequest, which means nothing).
PickList listForRequest(int code);

struct CommandAnswer {
    int code;
    void (PickTarget::*receive)(int); // receiving operation of the caller window
    AfterPick focus;                  // control of the caller that gets the focus after
    PickKey key;                      // the key the list hands over (the stock list's refuses -1)
};

// The answer for an answer code, or nullptr (NoAnswer and codes outside the range).
const CommandAnswer* answerFor(int code);

// The request codes a pick list answers.
QList<int> requestsServedBy(PickList list);

} // namespace frame
