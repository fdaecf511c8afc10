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

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <atomic>
#include <chrono>
#include <thread>

namespace dispatches {

using namespace receipts;

// With DUREDIR_SCREENSHOT_DIR set, saves `window` (the main window when none) as shown.
inline void screenshot(AppFixture& app, const char* name, QWidget* window = nullptr)
{
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty())
        (window ? window : &app.main())->grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// A stored dispatch under `number`, saved through the store (so within the stock); returns
// the key.
inline int storeDispatch(AppFixture& app, int number, const QString& date, const QString& due, int partner,
                         const QList<QPair<int, double>>& lines)
{
    return testsupport::Seed(app.database().db()).dispatch(number, date, due, partner, lines);
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
        out << QStringLiteral("%1|%2|%3")
                   .arg(q.value(0).toString(), q.value(1).toString().left(10), q.value(2).toString().left(10));
    return out;
}

inline TSIspratnicaLista* openDispatchList(AppFixture& app)
{
    return opened<TSIspratnicaLista>(app, app.main().FakturaIspratnica2);
}
inline TSIspratnicaVnes* openDispatchEntry(AppFixture& app, TSIspratnicaLista* list)
{
    return opened<TSIspratnicaVnes>(app, list->Nov1);
}
inline TSIspratnicaKorekcija* openDispatchEdit(AppFixture& app, TSIspratnicaLista* list)
{
    return opened<TSIspratnicaKorekcija>(app, list->Korekcija1);
}

// Adds a line of `article` through the quantity dialog given `quantity` and "Ok"; returns
// the balance the dialog showed. A refused quantity adds no line.
inline QString addLineShowing(AppFixture& app, DocumentForm* w, int article, const QString& quantity)
{
    QString shown;
    answerQuantity(app, quantity, &shown);
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

// Another workstation in the middle of its own dispatch save: on its own connection (in its
// own thread) it takes the turn on `article` as the program's save does (MariaDB: the article
// row locked; SQLite: the file's write lock), books `quantity` out, and commits only after
// `holdMs`. Constructed, it returns once the other save holds its locks.
class SavingElsewhere {
public:
    SavingElsewhere(AppFixture& app, int article, double quantity, int holdMs = 400) : m_config(app.database().config())
    {
        m_thread = std::thread([this, article, quantity, holdMs] { run(article, quantity, holdMs); });
        while (!m_holding && !m_done)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ~SavingElsewhere() { m_thread.join(); }
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

private:
    void run(int article, double quantity, int holdMs)
    {
        const QString name = QUuid::createUuid().toString();
        {
            const bool maria = m_config.engine == data::Engine::MariaDb;
            QSqlDatabase db = QSqlDatabase::addDatabase(maria ? QStringLiteral("QMYSQL") : QStringLiteral("QSQLITE"), name);
            if (maria) {
                db.setDatabaseName(m_config.database);
                db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(m_config.socket));
            } else {
                db.setDatabaseName(m_config.path);
                db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
            }
            QSqlQuery q(db);
            auto step = [&](const QString& sql) {
                if (m_error.isEmpty() && !q.exec(sql))
                    m_error = sql + QStringLiteral(": ") + q.lastError().text();
            };
            if (!db.open())
                m_error = db.lastError().text();
            step(maria ? QStringLiteral("START TRANSACTION") : QStringLiteral("BEGIN IMMEDIATE"));
            if (maria)
                step(QStringLiteral("select id from artikli where id=%1 for update").arg(article));
            step(QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                                "izlez_kol,datum_referenca,firma_id,document_id_label) "
                                "values('I',999999,0,%1,0,%2,'2026-01-01',0,999999)")
                     .arg(article)
                     .arg(quantity));
            m_holding = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
            step(QStringLiteral("COMMIT"));
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        m_done = true;
    }

    data::AliasConfig m_config;
    std::thread m_thread;
    std::atomic<bool> m_holding{false};
    std::atomic<bool> m_done{false};
    QString m_error;
};

// The next import dialog: `prepare` may change the marks, then "Import" (or "Cancel").
inline void answerImport(AppFixture& app, const std::function<void(TSImport*)>& prepare = {}, bool import = true)
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
