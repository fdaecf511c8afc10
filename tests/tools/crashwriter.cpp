// Saves one goods receipt with several lines through the program's own entry window and
// dies in the middle: killed (SIGKILL, no clean-up of any kind) before a chosen ledger
// insert, or right after the save committed. Used by the crash tests; not a test itself.
//   duredir_crash_writer --sqlite FILE | --mariadb SOCKET DATABASE [--option-file FILE]
//                        --partner ID --article ID --lines N (--kill-before-line K | --kill-after-commit)
// Exits 3 when it was not killed (the save went another way than planned).
#include "app/application.h"
#include "app/tform1.h"
#include "data/database.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/edit.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "modules/priemnica/tpriemnica.h"
#include "modules/priemnica/tspriemnicavnes.h"

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

[[noreturn]] void die()
{
    kill(getpid(), SIGKILL);
    _exit(4); // not reached
}

} // namespace

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
        cfg.socket = value(QStringLiteral("--mariadb"));
        cfg.database = value(QStringLiteral("--mariadb"), 2);
        cfg.optionFile = value(QStringLiteral("--option-file"));
    }
    const int partner = value(QStringLiteral("--partner")).toInt();
    const int article = value(QStringLiteral("--article")).toInt();
    const int lines = value(QStringLiteral("--lines")).toInt();
    const int killBefore = value(QStringLiteral("--kill-before-line")).toInt();
    const bool killAfterCommit = args.contains(QStringLiteral("--kill-after-commit"));

    data::Database db(QStringLiteral("Main"));
    db.setConfig(cfg);
    db.open();
    kit::setMessageBoxHandler([&](QWidget*, const QString& text, const QString&, kit::Buttons) {
        // The first thing after the commit is the window's success message.
        if (killAfterCommit && text == QLatin1String("Goods Receipt,successful entered!!!"))
            die();
        fprintf(stderr, "%s\n", qPrintable(text));
        return int(kit::mrOk);
    });
    int line = 0;
    kit::setModalHandler([&](QDialog* d) {
        qobject_cast<TSNalogVnesiProizvod*>(d)->Edit4->setText(QString::number(++line));
        return int(kit::mrOk);
    });
    TForm1 main(&db);
    main.show();
    main.Priemnica->SProccessingMessage(nullptr, nullptr, 19);
    auto* entry = qobject_cast<TSPriemnicaVnes*>(main.Priemnica->EntryForm.data());
    entry->VnesiKomintentiID(partner);
    for (int i = 0; i < lines; ++i)
        entry->VnesiArtikalID(article);
    int ledgerInserts = 0;
    db.setStatementHook([&](const QString& text) {
        if (killBefore > 0 && text.contains(QLatin1String("insert into magacin_artikli"), Qt::CaseInsensitive)
            && ++ledgerInserts == killBefore)
            die();
    });
    entry->BitBtn1Click();
    fprintf(stderr, "the save ended without being killed\n");
    return 3;
}
