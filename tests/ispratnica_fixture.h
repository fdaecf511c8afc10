#pragma once

// Shared by the goods dispatch tests: stored dispatches, balances, and the dispatch windows
// opened as the operator opens them. Master data and receipts come from the receipt tests.
#include "dialogs/tsimport.h"
#include "kit/button.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "modules/ispratnica/tsispratnicakorekcija.h"
#include "modules/ispratnica/tsispratnicalista.h"
#include "modules/ispratnica/tsispratnicavnes.h"
#include "priemnica_fixture.h"

#include <QSqlQuery>

namespace dispatches {

using namespace receipts;

// With DUREDIR_SCREENSHOT_DIR set, saves `window` (the main window when none) as shown.
inline void screenshot(AppFixture& app, const char* name, QWidget* window = nullptr)
{
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty())
        (window ? window : &app.main())->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// A stored dispatch: header and 'I' ledger rows (article, quantity out); returns the key.
inline int storeDispatch(AppFixture& app, int number, const QString& date, const QString& due, int partner,
                         const QList<QPair<int, double>>& lines)
{
    auto& db = app.database();
    db.exec(QStringLiteral("insert into ispratnici(ispratnica_id,datum,datum_valuta) values(%1,'%2','%3')")
                .arg(number).arg(date, due));
    const int id = db.scalar("select max(id) from ispratnici").toInt();
    for (const auto& [article, quantity] : lines)
        db.exec(QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                               "izlez_kol,datum_referenca,firma_id,document_id_label) "
                               "values('I',%1,%2,%3,0,%4,'%5',0,%6)")
                    .arg(id).arg(partner).arg(article).arg(quantity).arg(date).arg(number));
    return id;
}

// In minus out over the whole ledger.
inline double balance(AppFixture& app, int article)
{
    return app.database()
        .scalar(QStringLiteral("select coalesce(sum(vlez_kol)-sum(izlez_kol),0) from magacin_artikli where id_artikal=%1")
                    .arg(article))
        .toDouble();
}

// The 'I' ledger rows: "document|partner|article|in|out|date|label" ordered by key.
inline QStringList dispatchLedger(AppFixture& app)
{
    QStringList out;
    QSqlQuery q(app.database().db().handle());
    q.exec(QStringLiteral("select document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,datum_referenca,"
                          "document_id_label from magacin_artikli where vid_dokument='I' order by id"));
    while (q.next()) {
        QStringList cells;
        for (int c = 0; c < 7; ++c)
            cells << (c == 3 || c == 4 ? QString::number(q.value(c).toDouble()) : q.value(c).toString().left(10));
        out << cells.join(QLatin1Char('|'));
    }
    return out;
}

// "number|date|due" of every dispatch header, by key.
inline QStringList headers(AppFixture& app)
{
    QStringList out;
    QSqlQuery q(app.database().db().handle());
    q.exec(QStringLiteral("select ispratnica_id,datum,datum_valuta from ispratnici order by id"));
    while (q.next())
        out << QStringLiteral("%1|%2|%3").arg(q.value(0).toString(), q.value(1).toString().left(10),
                                               q.value(2).toString().left(10));
    return out;
}

inline TSIspratnicaLista* openDispatchList(AppFixture& app)
{
    app.main().FakturaIspratnica2->trigger();
    AppFixture::settle();
    return app.active<TSIspratnicaLista>();
}

inline TSIspratnicaVnes* openDispatchEntry(AppFixture& app, TSIspratnicaLista* list)
{
    list->Nov1->trigger();
    AppFixture::settle();
    return app.active<TSIspratnicaVnes>();
}

inline TSIspratnicaKorekcija* openDispatchEdit(AppFixture& app, TSIspratnicaLista* list)
{
    list->Korekcija1->trigger();
    AppFixture::settle();
    return app.active<TSIspratnicaKorekcija>();
}

// Adds a line of `article` through the quantity dialog given `quantity` and "Ok"; returns
// the balance the dialog showed. A refused quantity adds no line.
inline QString addLineShowing(AppFixture& app, DocumentForm* w, int article, const QString& quantity)
{
    QString shown;
    app.onNextDialog([&shown, quantity](QDialog* d) {
        auto* q = qobject_cast<TSNalogVnesiProizvod*>(d);
        if (!q)
            return int(kit::mrCancel);
        shown = q->Label6->Caption();
        q->Edit4->setText(quantity);
        q->Button1->Click();
        return q->result();
    });
    w->VnesiArtikalID(article);
    return shown;
}

// Another workstation: its own connection on the same data source, dispatching `quantity`
// of `article` (a ledger row under no header is enough to take the stock).
inline void takeElsewhere(AppFixture& app, int article, double quantity)
{
    data::Database other(QStringLiteral("Other"));
    other.setConfig(app.database().config());
    other.open();
    other.exec(QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                              "izlez_kol,datum_referenca,firma_id,document_id_label) "
                              "values('I',999999,0,%1,0,%2,'2026-01-01',0,999999)")
                   .arg(article)
                   .arg(quantity));
    other.close();
}

// The next import dialog: `prepare` may change the marks, then "Import" (or "Cancel").
inline void answerImport(AppFixture& app, std::function<void(TSImport*)> prepare = {}, bool import = true)
{
    app.onNextDialog([prepare, import](QDialog* d) {
        auto* dialog = qobject_cast<TSImport*>(d);
        if (!dialog)
            return int(kit::mrCancel);
        if (prepare)
            prepare(dialog);
        (import ? dialog->Button3 : dialog->Button4)->Click();
        return dialog->result();
    });
}

} // namespace dispatches
