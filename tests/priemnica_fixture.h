#pragma once

// Shared by the goods receipt tests: master data, stored receipts, and the windows opened
// as the operator opens them.
#include "app/tform1.h"
#include "data/query.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "kit/stringgrid.h"
#include "modules/priemnica/tspriemnicakorekcija.h"
#include "modules/priemnica/tspriemnicalista.h"
#include "modules/priemnica/tspriemnicavnes.h"
#include "support/appfixture.h"
#include "support/seed.h"

#include <QAction>
#include <QList>
#include <QPair>
#include <QSqlQuery>

namespace receipts {

using testsupport::AppFixture;

struct Master {
    int acme = 0;  // partner
    int beta = 0;  // partner
    int screw = 0; // article 1001
    int nut = 0;   // article 1002
};

inline Master seed(AppFixture& app)
{
    testsupport::Seed seed(app.database().db());
    Master m;
    m.acme = seed.partner(QStringLiteral("ACME"), QStringLiteral("MAIN 1"), QStringLiteral("1000 SKOPJE"));
    m.beta = seed.partner(QStringLiteral("BETA"), QStringLiteral("SIDE 2"), QStringLiteral("7000 BITOLA"));
    m.screw = seed.article(1001, QStringLiteral("SCREW"), QStringLiteral("PCS"));
    m.nut = seed.article(1002, QStringLiteral("NUT"), QStringLiteral("KG"));
    return m;
}

// A stored receipt under `number`, saved through the store; returns the header id.
inline int store(AppFixture& app, int number, const QString& date, int partner, const QList<QPair<int, double>>& lines)
{
    return testsupport::Seed(app.database().db()).receipt(number, date, partner, lines);
}

// The next quantity dialog gets `quantity` and "Ok"; `shown` takes the balance it showed.
inline void answerQuantity(AppFixture& app, const QString& quantity, QString* shown = nullptr)
{
    app.onNextDialog([quantity, shown](QDialog* d) {
        auto* q = qobject_cast<TSNalogVnesiProizvod*>(d);
        if (!q)
            return int(kit::mrCancel);
        if (shown)
            *shown = q->Label6->Caption();
        q->Edit4->setText(quantity);
        q->Button1->Click();
        return q->result();
    });
}

inline void addLine(AppFixture& app, DocumentForm* w, int article, const QString& quantity)
{
    answerQuantity(app, quantity);
    w->VnesiArtikalID(article);
}

// Runs `command` and returns the window it made active, as a `Window`.
template <class Window>
Window* opened(AppFixture& app, QAction* command)
{
    command->trigger();
    AppFixture::settle();
    return app.active<Window>();
}

inline TSPriemnicaLista* openList(AppFixture& app)
{
    return opened<TSPriemnicaLista>(app, app.main().Priemnici2);
}
inline TSPriemnicaVnes* openEntry(AppFixture& app, TSPriemnicaLista* list)
{
    return opened<TSPriemnicaVnes>(app, list->Nov1);
}
inline TSPriemnicaKorekcija* openEdit(AppFixture& app, TSPriemnicaLista* list)
{
    return opened<TSPriemnicaKorekcija>(app, list->Korekcija1);
}

// The lines of a grid: "id|code|name|unit|quantity" per row.
inline QStringList gridLines(const DocumentForm* w)
{
    QStringList out;
    for (int r = 1; r < w->StringGrid1->RowCount(); ++r) {
        QStringList cells;
        for (int c = 1; c <= 5; ++c)
            cells << w->StringGrid1->Cells(c, r);
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// The ledger rows of receipts: "document|partner|article|in|out|date|label" ordered by key.
inline QStringList ledger(AppFixture& app)
{
    QStringList out;
    const QString sql =
        QStringLiteral("select concat(document_id,'|',id_komintent,'|',id_artikal,'|',vlez_kol,'|',izlez_kol,'|',"
                       "datum_referenca,'|',document_id_label) from magacin_artikli where vid_dokument='P' order by id");
    QSqlQuery q(app.database().db().handle());
    q.exec(sql);
    while (q.next())
        out << q.value(0).toString();
    return out;
}

} // namespace receipts
