#include "demo.h"

#include "data/database.h"
#include "data/query.h"

#include <QDate>
#include <QMap>
#include <QRandomGenerator>
#include <QStringList>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace tools {

namespace {

// An article, the supplier it is bought from (index into kPartners) and what the opening
// delivery brings; the weekly deliveries top the stock up to that again.
struct Article {
    const char* name;
    const char* unit;
    int supplier;
    double opening;
};

const Article kArticles[] = {
    {"BOARD PINE 20MM", "M2", 0, 60},
    {"BOARD OAK 18MM", "M2", 1, 40},
    {"PLYWOOD BIRCH 12MM", "M2", 1, 30},
    {"CHIPBOARD WHITE 18MM", "M2", 0, 50},
    {"EDGE BAND WHITE 22MM", "M", 2, 300},
    {"SCREW 4X30", "PCS", 2, 2000},
    {"SCREW 4X50", "PCS", 2, 1500},
    {"SCREW 5X70", "PCS", 2, 800},
    {"NAIL 2.5X50", "KG", 2, 25},
    {"WOOD GLUE PVA", "L", 3, 30},
    {"VARNISH CLEAR MATT", "L", 3, 40},
    {"PAINT WHITE ACRYLIC", "L", 3, 40},
    {"SANDPAPER P120", "PCS", 4, 200},
    {"SANDPAPER P240", "PCS", 4, 200},
    {"HINGE CONCEALED 35MM", "PCS", 2, 120},
    {"DRAWER SLIDE 450MM", "PAIR", 2, 40},
    {"HANDLE STEEL 128MM", "PCS", 2, 100},
    {"SHELF PIN 5MM", "PCS", 2, 600},
    {"CAM LOCK 15MM", "PCS", 2, 400},
    {"DOWEL 8X35", "PCS", 4, 1000},
    {"FELT PAD 20MM", "PCS", 4, 300},
    {"TABLE LEG STEEL 72CM", "PCS", 5, 48},
    {"CASTOR WHEEL 50MM", "PCS", 5, 60},
    {"GLASS SHELF 6MM", "PCS", 5, 20},
    {"LED STRIP 5M", "PCS", 5, 15},
    {"CABLE CLIP", "PCS", 5, 300},
    {"MIRROR 60X80", "PCS", 5, 10},
    {"FOAM 40MM", "M2", 4, 20},
    {"UPHOLSTERY FABRIC GREY", "M", 4, 40},
    {"STAPLES 10MM", "BOX", 4, 30},
    {"BRACKET ANGLE 40MM", "PCS", 2, 200},
    {"WALL PLUG 8MM", "PCS", 2, 400},
};
constexpr int kArticleCount = int(sizeof(kArticles) / sizeof(kArticles[0]));

struct Partner {
    const char* name;
    const char* address;
    const char* city;
};

// The first six are the suppliers, the rest the customers.
const Partner kPartners[] = {
    {"DRVO PROMET DOO", "ILINDENSKA 12", "1000 SKOPJE"}, {"TIMBER HOUSE LTD", "RIVER ROAD 4", "7000 BITOLA"},
    {"OKOV CENTAR", "PARTIZANSKA 88", "1000 SKOPJE"},    {"BOJA I LAK DOOEL", "MARSAL TITO 3", "6000 OHRID"},
    {"MEBEL STIL", "INDUSTRISKA BB", "2000 STIP"},       {"KUJNI PLUS", "GOCE DELCEV 45", "1000 SKOPJE"},
    {"HOTEL PANORAMA", "KEJ 1", "6000 OHRID"},           {"OSNOVNO UCILISTE BRAKJA", "SKOLSKA 7", "1300 KUMANOVO"},
    {"STAKLO MAJSTOR", "ZELEZNICKA 19", "1000 SKOPJE"},  {"ELEKTRO LUKS", "BULEVAR 22", "1400 VELES"},
    {"TAPACIR DOM", "PAZARSKA 5", "7500 PRILEP"},        {"GRADBA INVEST", "AERODROMSKA 31", "1000 SKOPJE"},
    {"KAFE BAR CENTAR", "PLOSTAD 2", "7000 BITOLA"},     {"DETSKA GRADINKA SONCE", "CVETNA 14", "1000 SKOPJE"},
    {"ALAT SERVIS", "ZANAETCISKA 9", "1200 TETOVO"},     {"VINARIJA LOZA", "VINSKA 1", "1430 KAVADARCI"},
    {"ORDINACIJA DENTA", "KLINICKA 6", "1000 SKOPJE"},   {"STAN DIZAJN", "NOVA 40", "2400 STRUMICA"},
};
constexpr int kSuppliers = 6;
constexpr int kPartnerCount = int(sizeof(kPartners) / sizeof(kPartners[0]));

const char* const kEmployees[] = {"PETAR ANGELOV", "MARIJA STOJANOVA", "GORAN NIKOLOV", "ELENA TRAJKOVSKA",
                                  "BOJAN ILIEVSKI"};

struct Product {
    const char* name;
    const char* unit;
    double price;
    double tax;
    QVector<QPair<int, double>> bom; // article index, quantity per unit
};

const Product kProducts[] = {
    {"BOOKSHELF 80X200", "PCS", 4800.0, 18.0, {{0, 1.8}, {5, 24}, {17, 16}, {19, 8}}},
    {"KITCHEN CABINET 60", "PCS", 6200.0, 18.0, {{3, 1.4}, {4, 6.5}, {14, 2}, {16, 1}, {18, 4}}},
    {"DESK OAK 140", "PCS", 9900.0, 18.0, {{1, 1.2}, {21, 4}, {10, 0.4}, {6, 12}}},
    {"UPHOLSTERED STOOL", "PCS", 2100.0, 5.0, {{2, 0.3}, {27, 0.2}, {28, 0.5}, {29, 0.1}}},
    {"BATHROOM MIRROR CABINET", "PCS", 5400.0, 18.0, {{3, 0.8}, {26, 1}, {23, 2}, {14, 2}, {11, 0.3}}},
};
constexpr int kProductCount = int(sizeof(kProducts) / sizeof(kProducts[0]));

// A work order: its start and length in days from the first day of the business, the
// employee (index into kEmployees) and the products it makes.
struct Order {
    int day;
    int length;
    int employee;
    int customer;                         // index into kPartners
    QVector<QPair<int, double>> products; // product index, quantity
};

// Four employees, their orders overlapping on the chart; numbered by start date.
const Order kOrders[] = {
    {8, 6, 0, 6, {{0, 4}}},           {12, 9, 1, 11, {{1, 6}}},         {15, 5, 2, 13, {{3, 8}}},
    {22, 8, 0, 17, {{2, 2}, {3, 4}}}, {30, 12, 1, 6, {{1, 4}, {4, 2}}}, {44, 10, 3, 12, {{0, 3}}},
    {50, 14, 2, 11, {{2, 3}}},        {58, 7, 0, 15, {{4, 3}}},         {66, 9, 3, 9, {{3, 6}, {0, 2}}},
    {74, 11, 1, 16, {{1, 5}}},        {88, 8, 2, 7, {{2, 2}, {4, 2}}},  {104, 18, 3, 14, {{0, 4}, {3, 4}}},
};
constexpr int kOrderCount = int(sizeof(kOrders) / sizeof(kOrders[0]));

// How long the sample business has been running, to today.
constexpr int kDays = 119;

void exec(data::Query& q, const QStringList& lines)
{
    q.Close();
    q.SQL.Clear();
    for (const QString& l : lines)
        q.SQL.Add(l);
}

// The sample business, built day by day so that it keeps its own rules: an article is
// dispatched or consumed only from stock that came in before, a product is sold only after
// a work order made it.
class Business {
public:
    explicit Business(data::Database& db) : m_q(&db), m_rng(20261209) {}

    void run();

private:
    void registers();
    void receipt(int day, int supplier, const QVector<QPair<int, double>>& lines);
    void restock(int day);
    void workOrder(const Order& order);
    void dispatch(int day, int index);
    void articleRow(const char* kind, int document, int label, int partner, int article, double in, double out,
                    const QString& date);
    void productRow(const char* kind, int document, int label, int partner, int product, double in, double out,
                    const QString& date, double price, double tax);
    QString date(int day) const { return m_start.addDays(day).toString(QStringLiteral("yyyy-MM-dd")); }

    data::Query m_q;
    QRandomGenerator m_rng;
    QDate m_start = QDate::currentDate().addDays(-kDays);
    QVector<int> m_articleIds, m_partnerIds, m_employeeIds, m_productIds;
    QVector<double> m_stock = QVector<double>(kArticleCount, 0.0);
    QVector<double> m_made = QVector<double>(kProductCount, 0.0);
    int m_receipts = 0, m_dispatches = 0, m_orders = 0;
};

void Business::articleRow(const char* kind, int document, int label, int partner, int article, double in, double out,
                          const QString& date)
{
    exec(m_q, {QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,"
                              "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label)"),
               QStringLiteral("values (:a0,:a1,:a2,:a3,:a4,:a5,:a6,0,:a7)")});
    m_q.ParamByName(QStringLiteral("a0")).AsString(QString::fromLatin1(kind));
    m_q.ParamByName(QStringLiteral("a1")).AsInteger(document);
    m_q.ParamByName(QStringLiteral("a2")).AsInteger(m_partnerIds.at(partner));
    m_q.ParamByName(QStringLiteral("a3")).AsInteger(m_articleIds.at(article));
    m_q.ParamByName(QStringLiteral("a4")).AsFloat(in);
    m_q.ParamByName(QStringLiteral("a5")).AsFloat(out);
    m_q.ParamByName(QStringLiteral("a6")).AsString(date);
    m_q.ParamByName(QStringLiteral("a7")).AsInteger(label);
    m_q.ExecSQL();
    m_stock[article] += in - out;
}

void Business::productRow(const char* kind, int document, int label, int partner, int product, double in, double out,
                          const QString& date, double price, double tax)
{
    exec(m_q, {QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                              "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,"
                              "document_id_label)"),
               QStringLiteral("values (:a0,:a1,:a2,:a3,:a4,:a5,:a6,0,:a7,:a8,:a9)")});
    m_q.ParamByName(QStringLiteral("a0")).AsString(QString::fromLatin1(kind));
    m_q.ParamByName(QStringLiteral("a1")).AsInteger(document);
    m_q.ParamByName(QStringLiteral("a2")).AsInteger(m_partnerIds.at(partner));
    m_q.ParamByName(QStringLiteral("a3")).AsInteger(m_productIds.at(product));
    m_q.ParamByName(QStringLiteral("a4")).AsFloat(in);
    m_q.ParamByName(QStringLiteral("a5")).AsFloat(out);
    m_q.ParamByName(QStringLiteral("a6")).AsString(date);
    m_q.ParamByName(QStringLiteral("a7")).AsFloat(price);
    m_q.ParamByName(QStringLiteral("a8")).AsFloat(tax);
    m_q.ParamByName(QStringLiteral("a9")).AsInteger(label);
    m_q.ExecSQL();
    m_made[product] += in - out;
}

void Business::registers()
{
    int code = 1;
    for (const Article& a : kArticles) {
        exec(m_q, {QStringLiteral("insert into artikli (sifra,artikal,edm) values (:a1,:a2,:a3)")});
        m_q.ParamByName(QStringLiteral("a1")).AsString(QString::number(code++));
        m_q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(a.name));
        m_q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(a.unit));
        m_q.ExecSQL();
        m_articleIds << m_q.LastInsertId();
    }

    int n = 0;
    for (const Partner& p : kPartners) {
        ++n;
        exec(m_q, {QStringLiteral("insert into komintenti (naziv,adresa,grad,tel,mobil,zirosmetka,edb,deponent,"
                                  "sifdejnost,mb,zabeleska1,zabeleska2,rabat)"),
                   QStringLiteral("values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11,:a12,:a13)")});
        m_q.ParamByName(QStringLiteral("a1")).AsString(QString::fromLatin1(p.name));
        m_q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(p.address));
        m_q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(p.city));
        m_q.ParamByName(QStringLiteral("a4")).AsString(QStringLiteral("02/%1").arg(3100000 + n * 7919));
        m_q.ParamByName(QStringLiteral("a5")).AsString(QStringLiteral("07%1").arg(1000000 + n * 104729));
        m_q.ParamByName(QStringLiteral("a6")).AsString(QStringLiteral("300%1").arg(100000000LL + n * 1234567LL));
        m_q.ParamByName(QStringLiteral("a7")).AsString(QStringLiteral("40%1").arg(30000000000LL + n * 98765LL));
        m_q.ParamByName(QStringLiteral("a8"))
            .AsString(n % 2 ? QStringLiteral("KOMERCIJALNA BANKA") : QStringLiteral("STOPANSKA BANKA"));
        m_q.ParamByName(QStringLiteral("a9")).AsString(QStringLiteral("%1").arg(16100 + n * 10));
        m_q.ParamByName(QStringLiteral("a10")).AsString(QStringLiteral("%1").arg(4000000 + n * 3571));
        m_q.ParamByName(QStringLiteral("a11")).AsString(QString());
        m_q.ParamByName(QStringLiteral("a12")).AsString(QString());
        m_q.ParamByName(QStringLiteral("a13")).AsInteger(n % 4 == 0 ? 5 : 0);
        m_q.ExecSQL();
        m_partnerIds << m_q.LastInsertId();
    }

    for (const char* e : kEmployees) {
        exec(m_q, {QStringLiteral("insert into vraboteni (naziv,adresa,tel,mobil,zirosmetka,edb,deponent,sifdejnost,"
                                  "mb,zabeleska1,zabeleska2)"),
                   QStringLiteral("values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11)")});
        m_q.ParamByName(QStringLiteral("a1")).AsString(QString::fromLatin1(e));
        for (int i = 2; i <= 11; ++i)
            m_q.ParamByName(QStringLiteral("a%1").arg(i)).AsString(QString());
        m_q.ExecSQL();
        m_employeeIds << m_q.LastInsertId();
    }

    int pcode = 1;
    for (const Product& p : kProducts) {
        exec(m_q, {QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) values "
                                  "(:a1,:a2,:a3,:a4,:a5,:a6)")});
        m_q.ParamByName(QStringLiteral("a1")).AsInteger(pcode++);
        m_q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(p.name));
        m_q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(p.unit));
        m_q.ParamByName(QStringLiteral("a4")).AsFloat(p.price);
        m_q.ParamByName(QStringLiteral("a5")).AsFloat(p.tax);
        m_q.ParamByName(QStringLiteral("a6")).AsFloat(0);
        m_q.ExecSQL();
        const int productId = m_q.LastInsertId();
        m_productIds << productId;
        for (const auto& [article, qty] : p.bom) {
            exec(m_q, {QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                                      "values (:a1,:a2,:a3,0)")});
            m_q.ParamByName(QStringLiteral("a1")).AsInteger(productId);
            m_q.ParamByName(QStringLiteral("a2")).AsInteger(m_articleIds.at(article));
            m_q.ParamByName(QStringLiteral("a3")).AsFloat(qty);
            m_q.ExecSQL();
        }
    }
}

void Business::receipt(int day, int supplier, const QVector<QPair<int, double>>& lines)
{
    if (lines.isEmpty())
        return;
    const int number = ++m_receipts;
    exec(m_q, {QStringLiteral("insert into priemnici (priemnica_id,datum) values (:a1,:a2)")});
    m_q.ParamByName(QStringLiteral("a1")).AsInteger(number);
    m_q.ParamByName(QStringLiteral("a2")).AsString(date(day));
    m_q.ExecSQL();
    const int header = m_q.LastInsertId();
    for (const auto& [article, qty] : lines)
        articleRow("P", header, number, supplier, article, qty, 0, date(day));
}

// The weekly deliveries: what has fallen below three quarters of its opening stock is
// brought back up to it, one receipt per supplier.
void Business::restock(int day)
{
    for (int s = 0; s < kSuppliers; ++s) {
        QVector<QPair<int, double>> lines;
        for (int a = 0; a < kArticleCount; ++a)
            if (kArticles[a].supplier == s && m_stock.at(a) < kArticles[a].opening * 3 / 4)
                lines.append({a, std::ceil(kArticles[a].opening - m_stock.at(a))});
        receipt(day, s, lines);
    }
}

void Business::workOrder(const Order& order)
{
    // What the stock lacks for the order is bought the same morning.
    QMap<int, double> needs;
    for (const auto& [product, qty] : order.products)
        for (const auto& [article, per] : kProducts[product].bom)
            needs[article] += per * qty;
    for (int s = 0; s < kSuppliers; ++s) {
        QVector<QPair<int, double>> lines;
        for (auto it = needs.cbegin(); it != needs.cend(); ++it)
            if (kArticles[it.key()].supplier == s && m_stock.at(it.key()) < it.value())
                lines.append({it.key(), std::ceil(it.value() - m_stock.at(it.key()) + kArticles[it.key()].opening / 2)});
        receipt(order.day, s, lines);
    }

    const int number = ++m_orders;
    const QString start = date(order.day);
    exec(m_q, {QStringLiteral("insert into nalozi (nalog_id,datum_start,datum_finish,vraboten_id,prioritet) "
                              "values (:a1,:a2,:a3,:a4,:a5)")});
    m_q.ParamByName(QStringLiteral("a1")).AsInteger(number);
    m_q.ParamByName(QStringLiteral("a2")).AsString(start);
    m_q.ParamByName(QStringLiteral("a3")).AsString(date(order.day + order.length));
    m_q.ParamByName(QStringLiteral("a4")).AsInteger(m_employeeIds.at(order.employee));
    m_q.ParamByName(QStringLiteral("a5")).AsString(QString::fromLatin1(kEmployees[order.employee]));
    m_q.ExecSQL();
    const int header = m_q.LastInsertId();
    // As the work order window books it: the products made and the articles they take, by
    // the composition, on the start date.
    for (const auto& [product, qty] : order.products) {
        productRow("N", header, number, order.customer, product, qty, 0, start, 0, 0);
        for (const auto& [article, per] : kProducts[product].bom)
            articleRow("N", header, number, order.customer, article, 0, per * qty, start);
    }
}

void Business::dispatch(int day, int index)
{
    const int number = ++m_dispatches;
    const int customer = kSuppliers + (index * 5) % (kPartnerCount - kSuppliers);
    const double discounts[] = {0, 5, 10, 0, 3, 7.5};
    exec(m_q, {QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta,rabat) "
                              "values (:a1,:a2,:a3,:a4)")});
    m_q.ParamByName(QStringLiteral("a1")).AsInteger(number);
    m_q.ParamByName(QStringLiteral("a2")).AsString(date(day));
    m_q.ParamByName(QStringLiteral("a3")).AsString(date(day + 30));
    m_q.ParamByName(QStringLiteral("a4")).AsFloat(discounts[index % 6]);
    m_q.ExecSQL();
    const int header = m_q.LastInsertId();

    // Articles sold as they are: a few units of what is in stock, never more than a third of it.
    const int lines = 2 + m_rng.bounded(3);
    QVector<int> taken;
    for (int tries = 0; taken.size() < lines && tries < 50; ++tries) {
        const int article = m_rng.bounded(kArticleCount);
        const double most = std::floor(m_stock.at(article) / 3);
        if (taken.contains(article) || most < 1)
            continue;
        taken << article;
        const double qty = std::min(most, double(1 + m_rng.bounded(10)));
        articleRow("I", header, number, customer, article, 0, qty, date(day));
    }
    // Products the workshop made, two kinds at most, with their price and tax.
    for (int p = 0, sold = 0; p < kProductCount && sold < 2; ++p) {
        const int product = (p + index) % kProductCount;
        if (m_made.at(product) < 1)
            continue;
        const double qty = std::min(std::floor(m_made.at(product)), double(1 + m_rng.bounded(3)));
        productRow("I", header, number, customer, product, 0, qty, date(day), kProducts[product].price,
                   kProducts[product].tax);
        ++sold;
    }
}

void Business::run()
{
    registers();
    // The opening deliveries, from each supplier, in the first days.
    for (int s = 0; s < kSuppliers; ++s) {
        QVector<QPair<int, double>> lines;
        for (int a = 0; a < kArticleCount; ++a)
            if (kArticles[a].supplier == s)
                lines.append({a, kArticles[a].opening});
        receipt(s / 2, s, lines);
    }
    // Day by day: deliveries first, then the work orders that start, then dispatches.
    int nextOrder = 0, dispatchIndex = 0;
    for (int day = 3; day <= kDays; ++day) {
        if (day % 7 == 0)
            restock(day);
        for (; nextOrder < kOrderCount && kOrders[nextOrder].day == day; ++nextOrder)
            workOrder(kOrders[nextOrder]);
        if (day % 9 == 5)
            dispatch(day, dispatchIndex++);
    }
}

} // namespace

bool fillDemo(data::Database& db)
{
    data::Query q(&db);
    exec(q, {QStringLiteral("select count(*) n from artikli")});
    q.Open();
    const int articles = q.FieldByName(QStringLiteral("n")).AsInteger();
    exec(q, {QStringLiteral("select count(*) n from komintenti")});
    q.Open();
    if (articles > 0 || q.FieldByName(QStringLiteral("n")).AsInteger() > 0)
        return false;

    data::Transaction t(db);
    Business(db).run();
    t.commit();
    return true;
}

} // namespace tools
