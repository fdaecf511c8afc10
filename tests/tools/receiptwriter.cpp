// Saves goods receipts through the program's own entry window, as fast as it can, to prove
// what several workstations saving at once leave in the database. Used by the concurrency
// tests; not a test itself.
//   duredir_receipt_writer --sqlite FILE | --mariadb SOCKET[,SOCKET...] DATABASE [--option-file FILE]
//                          --count N --partner ID --article ID --tag N [--dispatch] [--retry]
//                          [--answer-timeout SECONDS]
// Prints "saved N failed M" and exits 0 when every save succeeded. With --dispatch it saves
// goods dispatches of one line of 1 unit instead, the quantity dialog answered without its
// own check, so that only the save's check stands between the writers and the last units;
// it prints "saved N refused R failed M" (refused: not enough stock) and exits 0 when no
// save failed otherwise.
#include "app/application.h"
#include "app/tform1.h"
#include "data/database.h"
#include "data/query.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/edit.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "modules/priemnica/tpriemnica.h"
#include "modules/ispratnica/tispratnica.h"
#include "modules/ispratnica/tsispratnicavnes.h"
#include "modules/priemnica/tspriemnicavnes.h"

#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    const QStringList args = application.arguments();
    auto value = [&](const QString& name, int offset = 1) {
        const qsizetype i = args.indexOf(name);
        return i >= 0 && i + offset < args.size() ? args.at(i + offset) : QString();
    };
    data::AliasConfig cfg;
    if (!value(QStringLiteral("--sqlite")).isEmpty()) {
        cfg.engine = data::Engine::Sqlite;
        cfg.path = value(QStringLiteral("--sqlite"));
    } else {
        cfg.engine = data::Engine::MariaDb;
        // Several sockets, comma-separated, are the nodes of a cluster in the order tried.
        const QStringList nodes = value(QStringLiteral("--mariadb")).split(QLatin1Char(','));
        if (nodes.size() > 1)
            cfg.nodes = nodes;
        else
            cfg.socket = nodes.first();
        cfg.database = value(QStringLiteral("--mariadb"), 2);
        cfg.optionFile = value(QStringLiteral("--option-file"));
        if (args.contains(QStringLiteral("--answer-timeout")))
            cfg.answerTimeout =
                data::parseAnswerTimeout(value(QStringLiteral("--answer-timeout")), QStringLiteral("--answer-timeout"));
    }
    const int count = value(QStringLiteral("--count")).toInt();
    const int partner = value(QStringLiteral("--partner")).toInt();
    const int article = value(QStringLiteral("--article")).toInt();
    const QString tag = value(QStringLiteral("--tag"));
    const bool dispatch = args.contains(QStringLiteral("--dispatch"));

    data::Database db(QStringLiteral("Main"));
    db.setConfig(cfg);
    db.open();
    int saved = 0, failed = 0, refused = 0;
    QString lastFailure;
    kit::setMessageBoxHandler([&](QWidget*, const QString& text, const QString&, kit::Buttons) {
        if (text == QLatin1String("Goods Receipt,successful entered!!!")
            || text == QLatin1String("Goods dispatch, successful entered !!!"))
            ++saved;
        else if (dispatch && text == QLatin1String("Don't have requested quantity"))
            ++refused;
        else
            ++failed, lastFailure = text, fprintf(stderr, "%s\n", qPrintable(text));
        return int(kit::mrOk);
    });
    kit::setModalHandler([&](QDialog* d) {
        auto* q = qobject_cast<TSNalogVnesiProizvod*>(d);
        q->Edit4->setText(dispatch ? QStringLiteral("1") : tag); // a receipt's quantity tells its writer
        return int(kit::mrOk);
    });
    TForm1 main(&db);
    main.show();
    if (dispatch) {
        for (int i = 0; i < count; ++i) {
            main.Ispratnica->SProccessingMessage(nullptr, nullptr, 22);
            auto* entry = qobject_cast<TSIspratnicaVnes*>(main.Ispratnica->EntryForm.data());
            entry->VnesiKomintentiID(partner);
            entry->VnesiArtikalID(article);
            entry->BitBtn1Click();
            if (main.Ispratnica->EntryForm)
                main.Ispratnica->EntryForm->Close();
            QCoreApplication::processEvents();
        }
        QTextStream(stdout) << "saved " << saved << " refused " << refused << " failed " << failed << Qt::endl;
        return failed == 0 && saved + refused == count ? 0 : 1;
    }
    const bool retry = args.contains(QStringLiteral("--retry"));
    // The receipts this writer stored: their lines carry its tag as the quantity.
    auto stored = [&]() {
        try {
            // On a cluster node, after what the node has received from the others.
            db.exec(QStringLiteral("SET SESSION wsrep_sync_wait=1"));
        } catch (const data::DatabaseError&) {
        }
        data::Query q(&db);
        q.SQL.Add(QStringLiteral("select count(distinct document_id) n from magacin_artikli "
                                 "where vid_dokument='P' and vlez_kol=:q"));
        q.ParamByName(QStringLiteral("q")).AsInteger(tag.toInt());
        q.Open();
        return q.FieldByName(QStringLiteral("n")).AsInteger();
    };
    const int storedBefore = retry ? stored() : 0;
    int cut = 0, reopened = 0, landed = 0;
    for (int i = 0; i < count; ++i) {
        const int failedBefore = failed;
        TSPriemnicaVnes* entry = nullptr;
        try {
            main.Priemnica->SProccessingMessage(nullptr, nullptr, 19);
            entry = qobject_cast<TSPriemnicaVnes*>(main.Priemnica->EntryForm.data());
            entry->VnesiKomintentiID(partner);
            entry->VnesiArtikalID(article);
            entry->VnesiArtikalID(article);
            entry->BitBtn1Click();
        } catch (const data::Error& e) {
            // The server went away while the window opened or a pick read: in the program the
            // operator sees the error box; with --retry the receipt is started again.
            fprintf(stderr, "receipt writer %s: %s\n", qPrintable(tag), qPrintable(e.text()));
            if (main.Priemnica->EntryForm)
                main.Priemnica->EntryForm->Close();
            if (!retry || ++reopened > 5) {
                ++failed;
                continue;
            }
            try {
                main.RefreshDatabaseconnection1Click();
            } catch (const data::Error&) {
            }
            --i;
            continue;
        }
        // With --retry, a save cut off by a lost server is saved again, as the operator
        // would: refresh the connection from the menu, then "Save" once more.
        for (int again = 0; retry && failed > failedBefore && again < 5; ++again) {
            fprintf(stderr, "receipt writer %s: save cut off, saving again\n", qPrintable(tag));
            failed = failedBefore;
            try {
                main.RefreshDatabaseconnection1Click();
            } catch (const data::Error& e) {
                fprintf(stderr, "%s\n", qPrintable(e.text()));
            }
            // A save cut off while it was being completed may be stored all the same: the
            // operator is told to look in the list first, and so does this writer.
            if (lastFailure.contains(QLatin1String("may have been stored"))) {
                try {
                    if (stored() - storedBefore > saved) {
                        ++saved, ++landed;
                        break;
                    }
                } catch (const data::Error& e) {
                    fprintf(stderr, "%s\n", qPrintable(e.text()));
                }
            }
            ++cut;
            if (main.Priemnica->EntryForm)
                entry->BitBtn1Click();
        }
        if (main.Priemnica->EntryForm)
            main.Priemnica->EntryForm->Close();
        QCoreApplication::processEvents();
    }
    QTextStream(stdout) << "saved " << saved << " failed " << failed << Qt::endl;
    if (retry)
        fprintf(stderr, "receipt writer %s: %d saves cut off and saved again, %d found stored\n", qPrintable(tag), cut,
                landed);
    return failed == 0 && saved == count ? 0 : 1;
}
