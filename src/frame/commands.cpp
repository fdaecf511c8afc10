#include "frame/commands.h"

#include <array>

namespace app {

namespace {

struct Request {
    int code;
    PickList list;
};

constexpr std::array<Request, 20> kRequests{{
    {32771, PickList::Articles},  {32773, PickList::Products},  {32775, PickList::Partners},
    {32777, PickList::Partners},  {32779, PickList::Partners},  {32781, PickList::Articles},
    {32783, PickList::Articles},  {32785, PickList::Articles},  {32787, PickList::Products},
    {32789, PickList::Partners},  {32791, PickList::Partners},  {32793, PickList::Articles},
    {32795, PickList::Partners},  {32797, PickList::Articles},  {32799, PickList::Employees},
    {32801, PickList::Employees}, {32803, PickList::Stock},     {32805, PickList::Stock},
    {32807, PickList::Receipts},  {32809, PickList::Receipts},
}};

constexpr std::array<CommandAnswer, 20> kAnswers{{
    {32772, "ReceiveArticle", nullptr, false},
    {32774, "ReceiveProduct", nullptr, false},
    {32776, "ReceivePartner", "MaskEdit1", false},
    {32778, "VnesiKomintentiID", "MaskEdit1", false},
    {32780, "VnesiKomintentiID", "MaskEdit1", false},
    {32782, "VnesiArtikalID", "BitBtn2", false},
    {32784, "VnesiArtikalID", "BitBtn2", false},
    {32786, "ReceiveArticle", nullptr, false},
    {32788, "ReceiveProduct", nullptr, false},
    {32790, "ReceivePartner", "MaskEdit1", false},
    {32792, "VnesiKomintentiID", "MaskEdit1", false},
    {32794, "VnesiArtikalID", "BitBtn2", false},
    {32796, "VnesiKomintentiID", "MaskEdit1", false},
    {32798, "VnesiArtikalID", "BitBtn2", false},
    {32800, "ReceiveEmployee", "BitBtn2", false},
    {32802, "ReceiveEmployee", "BitBtn2", false},
    {32804, "VnesiArtikalID", nullptr, true},
    {32806, "VnesiArtikalID", nullptr, true},
    {32808, "VnesiPriemnicaID", nullptr, false},
    {32810, "VnesiPriemnicaID", nullptr, false},
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
    // The product list also answers the article requests 32783 and 32793 of the dispatch
    // windows; the article list answers them too.
    QList<int> out;
    for (const Request& r : kRequests)
        if (r.list == list)
            out << r.code;
    if (list == PickList::Products)
        out << 32783 << 32793;
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace app
