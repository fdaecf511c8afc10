#include "demo.h"

#include "data/database.h"
#include "data/query.h"

#include <QDate>
#include <QRandomGenerator>
#include <QStringList>
#include <QVector>

namespace tools {

namespace {

struct Article {
    const char* name;
    const char* unit;
};

const Article kArticles[] = {
    {"BOARD PINE 20MM", "M2"},      {"BOARD OAK 18MM", "M2"},        {"PLYWOOD BIRCH 12MM", "M2"},
    {"CHIPBOARD WHITE 18MM", "M2"}, {"EDGE BAND WHITE 22MM", "M"},   {"SCREW 4X30", "PCS"},
    {"SCREW 4X50", "PCS"},          {"SCREW 5X70", "PCS"},           {"NAIL 2.5X50", "KG"},
    {"WOOD GLUE PVA", "L"},         {"VARNISH CLEAR MATT", "L"},     {"PAINT WHITE ACRYLIC", "L"},
    {"SANDPAPER P120", "PCS"},      {"SANDPAPER P240", "PCS"},       {"HINGE CONCEALED 35MM", "PCS"},
    {"DRAWER SLIDE 450MM", "PAIR"}, {"HANDLE STEEL 128MM", "PCS"},   {"SHELF PIN 5MM", "PCS"},
    {"CAM LOCK 15MM", "PCS"},       {"DOWEL 8X35", "PCS"},           {"FELT PAD 20MM", "PCS"},
    {"TABLE LEG STEEL 72CM", "PCS"}, {"CASTOR WHEEL 50MM", "PCS"},   {"GLASS SHELF 6MM", "PCS"},
    {"LED STRIP 5M", "PCS"},        {"CABLE CLIP", "PCS"},           {"MIRROR 60X80", "PCS"},
    {"FOAM 40MM", "M2"},            {"UPHOLSTERY FABRIC GREY", "M"}, {"STAPLES 10MM", "BOX"},
    {"BRACKET ANGLE 40MM", "PCS"},  {"WALL PLUG 8MM", "PCS"},
};

struct Partner {
    const char* name;
    const char* address;
    const char* city;
};

const Partner kPartners[] = {
    {"DRVO PROMET DOO", "ILINDENSKA 12", "1000 SKOPJE"},     {"TIMBER HOUSE LTD", "RIVER ROAD 4", "7000 BITOLA"},
    {"OKOV CENTAR", "PARTIZANSKA 88", "1000 SKOPJE"},        {"BOJA I LAK DOOEL", "MARSAL TITO 3", "6000 OHRID"},
    {"MEBEL STIL", "INDUSTRISKA BB", "2000 STIP"},           {"KUJNI PLUS", "GOCE DELCEV 45", "1000 SKOPJE"},
    {"HOTEL PANORAMA", "KEJ 1", "6000 OHRID"},               {"OSNOVNO UCILISTE BRAKJA", "SKOLSKA 7", "1300 KUMANOVO"},
    {"STAKLO MAJSTOR", "ZELEZNICKA 19", "1000 SKOPJE"},      {"ELEKTRO LUKS", "BULEVAR 22", "1400 VELES"},
    {"TAPACIR DOM", "PAZARSKA 5", "7500 PRILEP"},            {"GRADBA INVEST", "AERODROMSKA 31", "1000 SKOPJE"},
    {"KAFE BAR CENTAR", "PLOSTAD 2", "7000 BITOLA"},         {"DETSKA GRADINKA SONCE", "CVETNA 14", "1000 SKOPJE"},
    {"ALAT SERVIS", "ZANAETCISKA 9", "1200 TETOVO"},         {"VINARIJA LOZA", "VINSKA 1", "1430 KAVADARCI"},
    {"ORDINACIJA DENTA", "KLINICKA 6", "1000 SKOPJE"},       {"STAN DIZAJN", "NOVA 40", "2400 STRUMICA"},
};

const char* const kEmployees[] = {"PETAR ANGELOV", "MARIJA STOJANOVA", "GORAN NIKOLOV", "ELENA TRAJKOVSKA",
                                  "BOJAN ILIEVSKI"};

struct Product {
    const char* name;
    const char* unit;
    double price;
    double tax;
    QVector<QPair<int, double>> bom; // article index, quantity per unit
};

void exec(data::Query& q, const QStringList& lines)
{
    q.Close();
    q.SQL.Clear();
    for (const QString& l : lines)
        q.SQL.Add(l);
}

} // namespace

bool fillDemo(data::Database& db)
{
    data::Query q(nullptr, db.connectionName());
    exec(q, {QStringLiteral("select count(*) n from artikli")});
    q.Open();
    const int articles = q.FieldByName(QStringLiteral("n")).AsInteger();
    exec(q, {QStringLiteral("select count(*) n from komintenti")});
    q.Open();
    if (articles > 0 || q.FieldByName(QStringLiteral("n")).AsInteger() > 0)
        return false;

    QRandomGenerator rng(20261209);
    data::Transaction t(db);

    QVector<int> articleIds;
    int code = 1;
    for (const Article& a : kArticles) {
        exec(q, {QStringLiteral("insert into artikli (sifra,artikal,edm) values (:a1,:a2,:a3)")});
        q.ParamByName(QStringLiteral("a1")).AsString(QString::number(code++));
        q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(a.name));
        q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(a.unit));
        q.ExecSQL();
        articleIds << q.LastInsertId();
    }

    QVector<int> partnerIds;
    int n = 0;
    for (const Partner& p : kPartners) {
        ++n;
        exec(q, {QStringLiteral("insert into komintenti (naziv,adresa,grad,tel,mobil,zirosmetka,edb,deponent,"
                                "sifdejnost,mb,zabeleska1,zabeleska2,rabat)"),
                 QStringLiteral("values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11,:a12,:a13)")});
        q.ParamByName(QStringLiteral("a1")).AsString(QString::fromLatin1(p.name));
        q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(p.address));
        q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(p.city));
        q.ParamByName(QStringLiteral("a4")).AsString(QStringLiteral("02/%1").arg(3100000 + n * 7919));
        q.ParamByName(QStringLiteral("a5")).AsString(QStringLiteral("07%1").arg(1000000 + n * 104729));
        q.ParamByName(QStringLiteral("a6")).AsString(QStringLiteral("300%1").arg(100000000LL + n * 1234567LL));
        q.ParamByName(QStringLiteral("a7")).AsString(QStringLiteral("40%1").arg(30000000000LL + n * 98765LL));
        q.ParamByName(QStringLiteral("a8")).AsString(n % 2 ? QStringLiteral("KOMERCIJALNA BANKA") : QStringLiteral("STOPANSKA BANKA"));
        q.ParamByName(QStringLiteral("a9")).AsString(QStringLiteral("%1").arg(16100 + n * 10));
        q.ParamByName(QStringLiteral("a10")).AsString(QStringLiteral("%1").arg(4000000 + n * 3571));
        q.ParamByName(QStringLiteral("a11")).AsString(QString());
        q.ParamByName(QStringLiteral("a12")).AsString(QString());
        q.ParamByName(QStringLiteral("a13")).AsInteger(n % 4 == 0 ? 5 : 0);
        q.ExecSQL();
        partnerIds << q.LastInsertId();
    }

    for (const char* e : kEmployees) {
        exec(q, {QStringLiteral("insert into vraboteni (naziv,adresa,tel,mobil,zirosmetka,edb,deponent,sifdejnost,mb,"
                                "zabeleska1,zabeleska2)"),
                 QStringLiteral("values (:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11)")});
        q.ParamByName(QStringLiteral("a1")).AsString(QString::fromLatin1(e));
        for (int i = 2; i <= 11; ++i)
            q.ParamByName(QStringLiteral("a%1").arg(i)).AsString(QString());
        q.ExecSQL();
    }

    const QDate start = QDate::currentDate().addDays(-120);
    // Receipts: suppliers are the first six partners.
    for (int r = 1; r <= 14; ++r) {
        const QString date = start.addDays(r * 7).toString(QStringLiteral("yyyy-MM-dd"));
        exec(q, {QStringLiteral("insert into priemnici (priemnica_id,datum) values (:a1,:a2)")});
        q.ParamByName(QStringLiteral("a1")).AsInteger(r);
        q.ParamByName(QStringLiteral("a2")).AsString(date);
        q.ExecSQL();
        const int header = q.LastInsertId();
        const int partner = partnerIds.at(rng.bounded(6));
        const int lines = 3 + rng.bounded(5);
        for (int l = 0; l < lines; ++l) {
            exec(q, {QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,"
                                    "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label)"),
                     QStringLiteral("values ('P',:a1,:a2,:a3,:a4,0,:a5,0,:a6)")});
            q.ParamByName(QStringLiteral("a1")).AsInteger(header);
            q.ParamByName(QStringLiteral("a2")).AsInteger(partner);
            q.ParamByName(QStringLiteral("a3")).AsInteger(articleIds.at(rng.bounded(int(articleIds.size()))));
            q.ParamByName(QStringLiteral("a4")).AsFloat(double(20 + rng.bounded(200)));
            q.ParamByName(QStringLiteral("a5")).AsString(date);
            q.ParamByName(QStringLiteral("a6")).AsInteger(r);
            q.ExecSQL();
        }
    }
    // Dispatches to customers (the other partners), never more than a receipt brought in.
    QVector<int> dispatchIds;
    QVector<int> dispatchPartners;
    QVector<QString> dispatchDates;
    for (int d = 1; d <= 10; ++d) {
        const QString date = start.addDays(20 + d * 9).toString(QStringLiteral("yyyy-MM-dd"));
        const QString due = start.addDays(20 + d * 9 + 30).toString(QStringLiteral("yyyy-MM-dd"));
        exec(q, {QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta) values (:a1,:a2,:a3)")});
        q.ParamByName(QStringLiteral("a1")).AsInteger(d);
        q.ParamByName(QStringLiteral("a2")).AsString(date);
        q.ParamByName(QStringLiteral("a3")).AsString(due);
        q.ExecSQL();
        const int header = q.LastInsertId();
        const int partner = partnerIds.at(6 + rng.bounded(int(partnerIds.size()) - 6));
        dispatchIds << header;
        dispatchPartners << partner;
        dispatchDates << date;
        const int lines = 2 + rng.bounded(4);
        for (int l = 0; l < lines; ++l) {
            exec(q, {QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,"
                                    "vlez_kol,izlez_kol,datum_referenca,firma_id,document_id_label)"),
                     QStringLiteral("values ('I',:a1,:a2,:a3,0,:a4,:a5,0,:a6)")});
            q.ParamByName(QStringLiteral("a1")).AsInteger(header);
            q.ParamByName(QStringLiteral("a2")).AsInteger(partner);
            q.ParamByName(QStringLiteral("a3")).AsInteger(articleIds.at(rng.bounded(int(articleIds.size()))));
            q.ParamByName(QStringLiteral("a4")).AsFloat(double(1 + rng.bounded(10)));
            q.ParamByName(QStringLiteral("a5")).AsString(date);
            q.ParamByName(QStringLiteral("a6")).AsInteger(d);
            q.ExecSQL();
        }
    }

    // Products made in the workshop, with their composition.
    const Product products[] = {
        {"BOOKSHELF 80X200", "PCS", 4800.0, 18.0, {{0, 1.8}, {5, 24}, {17, 16}, {19, 8}}},
        {"KITCHEN CABINET 60", "PCS", 6200.0, 18.0, {{3, 1.4}, {4, 6.5}, {14, 2}, {16, 1}, {18, 4}}},
        {"DESK OAK 140", "PCS", 9900.0, 18.0, {{1, 1.2}, {21, 4}, {10, 0.4}, {6, 12}}},
        {"UPHOLSTERED STOOL", "PCS", 2100.0, 18.0, {{2, 0.3}, {27, 0.2}, {28, 0.5}, {29, 0.1}}},
    };
    int pcode = 1;
    QVector<int> productIds;
    for (const Product& p : products) {
        exec(q, {QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) values "
                                "(:a1,:a2,:a3,:a4,:a5,:a6)")});
        q.ParamByName(QStringLiteral("a1")).AsInteger(pcode++);
        q.ParamByName(QStringLiteral("a2")).AsString(QString::fromLatin1(p.name));
        q.ParamByName(QStringLiteral("a3")).AsString(QString::fromLatin1(p.unit));
        q.ParamByName(QStringLiteral("a4")).AsFloat(p.price);
        q.ParamByName(QStringLiteral("a5")).AsFloat(p.tax);
        q.ParamByName(QStringLiteral("a6")).AsFloat(0);
        q.ExecSQL();
        const int productId = q.LastInsertId();
        productIds << productId;
        for (const auto& [article, qty] : p.bom) {
            exec(q, {QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                                    "values (:a1,:a2,:a3,0)")});
            q.ParamByName(QStringLiteral("a1")).AsInteger(productId);
            q.ParamByName(QStringLiteral("a2")).AsInteger(articleIds.at(article));
            q.ParamByName(QStringLiteral("a3")).AsFloat(qty);
            q.ExecSQL();
        }
    }

    // The products sold with the last six dispatches (the financial report lists them),
    // each dispatch with its discount.
    const double discounts[] = {0, 5, 10, 0, 3, 7.5};
    const int firstSold = int(dispatchIds.size()) - 6;
    for (int i = 0; i < 6; ++i) {
        const int d = firstSold + i;
        exec(q, {QStringLiteral("update ispratnici set rabat=:a1 where id=:a2")});
        q.ParamByName(QStringLiteral("a1")).AsFloat(discounts[i]);
        q.ParamByName(QStringLiteral("a2")).AsInteger(dispatchIds.at(d));
        q.ExecSQL();
        const int lines = 1 + i % 3;
        for (int l = 0; l < lines; ++l) {
            const int product = (i + l) % int(productIds.size());
            exec(q, {QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                                    "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,"
                                    "document_id_label)"),
                     QStringLiteral("values ('I',:a1,:a2,:a3,0,:a4,:a5,0,:a6,:a7,:a8)")});
            q.ParamByName(QStringLiteral("a1")).AsInteger(dispatchIds.at(d));
            q.ParamByName(QStringLiteral("a2")).AsInteger(dispatchPartners.at(d));
            q.ParamByName(QStringLiteral("a3")).AsInteger(productIds.at(product));
            q.ParamByName(QStringLiteral("a4")).AsFloat(double(1 + rng.bounded(4)));
            q.ParamByName(QStringLiteral("a5")).AsString(dispatchDates.at(d));
            q.ParamByName(QStringLiteral("a6")).AsFloat(products[product].price);
            q.ParamByName(QStringLiteral("a7")).AsFloat(products[product].tax);
            q.ParamByName(QStringLiteral("a8")).AsInteger(d + 1);
            q.ExecSQL();
        }
    }

    t.commit();
    return true;
}

} // namespace tools
