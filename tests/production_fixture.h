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
#include "support/seed.h"

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
    return testsupport::Seed(app.database().db()).product(code, name, parts);
}

inline Master seed(AppFixture& app)
{
    testsupport::Seed seed(app.database().db());
    Master m;
    m.acme = seed.partner(QStringLiteral("ACME"), QStringLiteral("MAIN 1"), QStringLiteral("1000 SKOPJE"));
    m.beta = seed.partner(QStringLiteral("BETA"), QStringLiteral("SIDE 2"), QStringLiteral("7000 BITOLA"));
    m.ana = seed.employee(QStringLiteral("ANA"));
    m.bojan = seed.employee(QStringLiteral("BOJAN"));
    m.a = seed.article(101, QStringLiteral("SHEET"), QStringLiteral("M2"));
    m.b = seed.article(102, QStringLiteral("GLUE"), QStringLiteral("KG"));
    m.c = seed.article(103, QStringLiteral("SCREW"), QStringLiteral("PCS"));
    m.p = storeProduct(app, 1, QStringLiteral("PANEL"), {{m.a, 2}, {m.b, 0.5}});
    m.q = storeProduct(app, 2, QStringLiteral("FRAME"), {{m.c, 1}});
    m.e = storeProduct(app, 3, QStringLiteral("EMPTY"), {});
    return m;
}

// An order under `number` as the entry window stores it, through the store: its product
// lines and the article rows of the products' compositions. Returns its key.
inline int storeOrder(AppFixture& app, int number, int employee, const QString& employeeName, const QString& start,
                      const QString& finish, int partner, const QList<QPair<int, double>>& lines)
{
    return testsupport::Seed(app.database().db()).workOrder(number, start, finish, employee, employeeName, partner, lines);
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
