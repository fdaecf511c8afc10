#include "frame/commands.h"

#include <algorithm>
#include <array>

namespace frame {

namespace {

struct Request {
    int code;
    PickList list;
};

using namespace cmd;

constexpr std::array<Request, 20> kRequests{{
    {ArticleForProductEntry, PickList::Articles},  {ProductForOrderEntry, PickList::Products},
    {PartnerForOrderEntry, PickList::Partners},    {PartnerForReceiptEntry, PickList::Partners},
    {PartnerForDispatchEntry, PickList::Partners}, {ArticleForReceiptEntry, PickList::Articles},
    {ArticleForDispatchEntry, PickList::Articles}, {ArticleForProductEdit, PickList::Articles},
    {ProductForOrderEdit, PickList::Products},     {PartnerForOrderEdit, PickList::Partners},
    {PartnerForDispatchEdit, PickList::Partners},  {ArticleForDispatchEdit, PickList::Articles},
    {PartnerForReceiptEdit, PickList::Partners},   {ArticleForReceiptEdit, PickList::Articles},
    {EmployeeForOrderEntry, PickList::Employees},  {EmployeeForOrderEdit, PickList::Employees},
    {StockForDispatchEntry, PickList::Stock},      {StockForDispatchEdit, PickList::Stock},
    {ReceiptForDispatchEntry, PickList::Receipts}, {ReceiptForDispatchEdit, PickList::Receipts},
}};

constexpr CommandAnswer answer(int request, void (PickTarget::*receive)(int), AfterPick focus,
                               PickKey key = PickKey::Selected)
{
    return {answerTo(request), receive, focus, key};
}

const std::array<CommandAnswer, 20> kAnswers{{
    answer(ArticleForProductEntry, &PickTarget::ReceiveArticle, AfterPick::Stay),
    answer(ProductForOrderEntry, &PickTarget::ReceiveProduct, AfterPick::Stay),
    answer(PartnerForOrderEntry, &PickTarget::ReceivePartner, AfterPick::DateField),
    answer(PartnerForReceiptEntry, &PickTarget::VnesiKomintentiID, AfterPick::DateField),
    answer(PartnerForDispatchEntry, &PickTarget::VnesiKomintentiID, AfterPick::DateField),
    answer(ArticleForReceiptEntry, &PickTarget::VnesiArtikalID, AfterPick::AddButton),
    answer(ArticleForDispatchEntry, &PickTarget::VnesiArtikalID, AfterPick::AddButton),
    answer(ArticleForProductEdit, &PickTarget::ReceiveArticle, AfterPick::Stay),
    answer(ProductForOrderEdit, &PickTarget::ReceiveProduct, AfterPick::Stay),
    answer(PartnerForOrderEdit, &PickTarget::ReceivePartner, AfterPick::DateField),
    answer(PartnerForDispatchEdit, &PickTarget::VnesiKomintentiID, AfterPick::DateField),
    answer(ArticleForDispatchEdit, &PickTarget::VnesiArtikalID, AfterPick::AddButton),
    answer(PartnerForReceiptEdit, &PickTarget::VnesiKomintentiID, AfterPick::DateField),
    answer(ArticleForReceiptEdit, &PickTarget::VnesiArtikalID, AfterPick::AddButton),
    answer(EmployeeForOrderEntry, &PickTarget::ReceiveEmployee, AfterPick::AddButton),
    answer(EmployeeForOrderEdit, &PickTarget::ReceiveEmployee, AfterPick::AddButton),
    answer(StockForDispatchEntry, &PickTarget::VnesiArtikalID, AfterPick::Stay, PickKey::StockArticle),
    answer(StockForDispatchEdit, &PickTarget::VnesiArtikalID, AfterPick::Stay, PickKey::StockArticle),
    answer(ReceiptForDispatchEntry, &PickTarget::VnesiPriemnicaID, AfterPick::Stay),
    answer(ReceiptForDispatchEdit, &PickTarget::VnesiPriemnicaID, AfterPick::Stay),
}};

} // namespace

PickList listForRequest(int code)
{
    for (const Request& r : kRequests)
        if (r.code == code)
            return r.list;
    return PickList::None;
}

const CommandAnswer* answerFor(int code)
{
    for (const CommandAnswer& a : kAnswers)
        if (a.code == code)
            return &a;
    return nullptr;
}

QList<int> requestsServedBy(PickList list)
{
    // The product list also answers the article requests of the dispatch windows; the
    // article list answers them too.
    QList<int> out;
    for (const Request& r : kRequests)
        if (r.list == list)
            out << r.code;
    if (list == PickList::Products)
        out << ArticleForDispatchEntry << ArticleForDispatchEdit;
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace frame
