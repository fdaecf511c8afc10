#pragma once

// Shared by the product and work order tests: master data, stored products and orders, the
// windows opened as the operator opens them, and the ledger as text.
#include "app/tform1.h"
#include "data/query.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "dialogs/tsproizvodvnesiartikal.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/menuitem.h"
#include "kit/stringgrid.h"
#include "support/appfixture.h"

#include <QAction>
#include <QList>
#include <QPair>

namespace production {

using testsupport::AppFixture;

struct Master {
    int acme = 0;  // partner
    int beta = 0;  // partner
    int ana = 0;   // employee
    int bojan = 0; // employee
    int a = 0;     // article 101
    int b = 0;     // article 102
    int c = 0;     // article 103
    int p = 0;     // product 1: 2 A + 0.5 B
    int q = 0;     // product 2: 1 C
    int e = 0;     // product 3: no composition
};

inline int storeProduct(AppFixture& app, int code, const QString& name, const QList<QPair<int, double>>& parts)
{
    auto& db = app.database();
    db.exec(QStringLiteral("insert into proizvodi(sifra,proizvod,edm,cena,tarifa,rabat) values(%1,'%2','PCS',100,18,0)")
                .arg(code).arg(name));
    const int id = db.scalar(QStringLiteral("select id from proizvodi where sifra=%1").arg(code)).toInt();
    for (const auto& [article, quantity] : parts)
        db.exec(QStringLiteral("insert into proizvodi_sostav(id_proizvod,id_artikal,kolicina,firma_id) values(%1,%2,%3,0)")
                    .arg(id).arg(article).arg(quantity));
    return id;
}

inline Master seed(AppFixture& app)
{
    auto& db = app.database();
    db.exec("insert into komintenti(naziv,adresa,grad) values('ACME','MAIN 1','1000 SKOPJE')");
    db.exec("insert into komintenti(naziv,adresa,grad) values('BETA','SIDE 2','7000 BITOLA')");
    db.exec("insert into vraboteni(naziv) values('ANA')");
    db.exec("insert into vraboteni(naziv) values('BOJAN')");
    db.exec("insert into artikli(sifra,artikal,edm) values(101,'SHEET','M2')");
    db.exec("insert into artikli(sifra,artikal,edm) values(102,'GLUE','KG')");
    db.exec("insert into artikli(sifra,artikal,edm) values(103,'SCREW','PCS')");
    Master m;
    m.acme = db.scalar("select id from komintenti where naziv='ACME'").toInt();
    m.beta = db.scalar("select id from komintenti where naziv='BETA'").toInt();
    m.ana = db.scalar("select id from vraboteni where naziv='ANA'").toInt();
    m.bojan = db.scalar("select id from vraboteni where naziv='BOJAN'").toInt();
    m.a = db.scalar("select id from artikli where sifra=101").toInt();
    m.b = db.scalar("select id from artikli where sifra=102").toInt();
    m.c = db.scalar("select id from artikli where sifra=103").toInt();
    m.p = storeProduct(app, 1, QStringLiteral("PANEL"), {{m.a, 2}, {m.b, 0.5}});
    m.q = storeProduct(app, 2, QStringLiteral("FRAME"), {{m.c, 1}});
    m.e = storeProduct(app, 3, QStringLiteral("EMPTY"), {});
    return m;
}

// An order stored as the entry window stores it (header and product lines; the article
// ledger is left out): returns its key.
inline int storeOrder(AppFixture& app, int number, int employee, const QString& employeeName, const QString& start,
                      const QString& finish, int partner, const QList<QPair<int, double>>& lines)
{
    auto& db = app.database();
    db.exec(QStringLiteral("insert into nalozi(nalog_id,datum_start,datum_finish,vraboten_id,prioritet) "
                           "values(%1,'%2','%3',%4,'%5')")
                .arg(number).arg(start, finish).arg(employee).arg(employeeName));
    const int id = db.scalar(QStringLiteral("select max(id) from nalozi")).toInt();
    for (const auto& [product, quantity] : lines)
        db.exec(QStringLiteral("insert into magacin_proizvodi(vid_dokument,document_id,id_komintent,id_proizvod,vlez_kol,"
                               "izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,document_id_label) "
                               "values('N',%1,%2,%3,%4,0,'%5',0,0,0,%6)")
                    .arg(id).arg(partner).arg(product).arg(quantity).arg(start).arg(number));
    return id;
}

// The next quantity dialog of a work order line gets `quantity` and "Ok".
inline void answerProductQuantity(AppFixture& app, const QString& quantity)
{
    app.onNextDialog([quantity](QDialog* d) {
        auto* q = qobject_cast<TSNalogVnesiProizvod*>(d);
        if (!q)
            return int(kit::mrCancel);
        q->Edit4->setText(quantity);
        q->Button1->Click();
        return q->result();
    });
}

// The next composition dialog gets `quantity` and "Ok".
inline void answerArticleQuantity(AppFixture& app, const QString& quantity)
{
    app.onNextDialog([quantity](QDialog* d) {
        auto* q = qobject_cast<TSProizvodVnesiArtikal*>(d);
        if (!q)
            return int(kit::mrCancel);
        q->Edit4->setText(quantity);
        q->Button1->Click();
        return q->result();
    });
}

// The lines of a line grid: "key|code|name|unit|quantity" per row.
inline QStringList gridLines(const kit::StringGrid* grid)
{
    QStringList out;
    for (int r = 1; r < grid->RowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c <= 5; ++c)
            cells << grid->Cells(c, r);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The column x of every row of a statement, run as the program runs its statements.
inline QStringList rows(AppFixture& app, const QString& sql)
{
    QStringList out;
    data::Query q(&app.database().db());
    q.SQL.Add(sql);
    q.Open();
    for (q.First(); !q.Eof(); q.Next())
        out << q.FieldByName(QStringLiteral("x")).AsString();
    return out;
}

// Work order ledger rows: "kind|document|partner|product|in|out|date|label" by key.
inline QStringList productLedger(AppFixture& app)
{
    return rows(app, QStringLiteral("select concat(vid_dokument,'|',document_id,'|',id_komintent,'|',id_proizvod,'|',"
                                    "cast(vlez_kol as decimal(18,4)),'|',cast(izlez_kol as decimal(18,4)),'|',"
                                    "datum_referenca,'|',document_id_label) x from magacin_proizvodi order by id"));
}

// "kind|document|partner|article|in|out|date|label" by key.
inline QStringList articleLedger(AppFixture& app)
{
    return rows(app, QStringLiteral("select concat(vid_dokument,'|',document_id,'|',id_komintent,'|',id_artikal,'|',"
                                    "cast(vlez_kol as decimal(18,4)),'|',cast(izlez_kol as decimal(18,4)),'|',"
                                    "datum_referenca,'|',document_id_label) x from magacin_artikli order by id"));
}

// "number|start|finish|employee|name" by key.
inline QStringList orders(AppFixture& app)
{
    return rows(app, QStringLiteral("select concat(nalog_id,'|',datum_start,'|',datum_finish,'|',vraboten_id,'|',"
                                    "prioritet) x from nalozi order by id"));
}

} // namespace production
