// duredir-db: prepares and inspects the data source behind an alias.
#include "backup.h"
#include "demo.h"

#include "data/alias.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/orphans.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "data/valuecheck.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTextStream>

#include <cstdio>

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

const char* const kUsage = "Usage: duredir-db [--alias NAME] COMMAND [OPTIONS]\n"
                           "\n"
                           "Prepares and inspects the database behind an alias (default alias: varnok_public).\n"
                           "\n"
                           "Commands:\n"
                           "  init        create the tables in an empty data source\n"
                           "  show        where the alias points and the row count of every table\n"
                           "  set-alias   write the alias section (sqlite or mariadb)\n"
                           "  demo        fill an empty database with a small sample business\n"
                           "  backup      write every table to a backup file (--force replaces an existing one)\n"
                           "  restore     fill the tables from a backup file\n"
                           "  check       say whether the data source is fit for the program, and what differs\n"
                           "  upgrade     bring an older data source up to what the program relies on\n"
                           "  accept-triggers  accept the triggers the database holds now (after 'check')\n"
                           "  remove-orphans  delete ledger rows whose document header is gone (after a backup)\n"
                           "\n"
                           "Options:\n"
                           "  --version   print the version of duredir-db\n"
                           "\n"
                           "Run 'duredir-db COMMAND --help' for the options of a command.\n";

const char* const kInitHelp = "Usage: duredir-db [--alias NAME] init [--if-needed]\n"
                              "\n"
                              "Creates every table of the program in the data source the alias names. A data source\n"
                              "that already holds tables is refused (exit code 1) and left unchanged; with\n"
                              "--if-needed it is left unchanged and the exit code is 0.\n";

const char* const kShowHelp = "Usage: duredir-db [--alias NAME] show\n"
                              "\n"
                              "Prints where the alias points, on MariaDB the session's TLS cipher (\"none\" when the\n"
                              "connection is not encrypted) and, on a cluster, the node that answered and the\n"
                              "cluster's size and state, and the number of rows of every table. A data source that\n"
                              "has not been prepared (no tables, or no SQLite file) is reported with exit code 1;\n"
                              "show never creates a file.\n";

const char* const kDemoHelp = "Usage: duredir-db [--alias NAME] demo\n"
                              "\n"
                              "Adds a small sample business to a prepared database whose article and partner\n"
                              "registers are empty: about four months of goods receipts, dispatches after the stock\n"
                              "came in (no balance ever below zero), products with their compositions, a dozen work\n"
                              "orders over four employees, and dispatched products with prices and taxes. The same\n"
                              "business every time, dated up to today.\n";

const char* const kSetAliasHelp =
    "Usage: duredir-db [--alias NAME] set-alias sqlite [--path FILE]\n"
    "       duredir-db [--alias NAME] set-alias mariadb --database NAME [--socket PATH]\n"
    "                  [--host HOST] [--port N] [--option-file FILE] [--option-group GROUP]\n"
    "                  [--ssl] [--ssl-ca FILE] [--ssl-cert FILE --ssl-key FILE]\n"
    "                  [--no-ssl-verify-server-cert] [--nodes NODE,NODE,...]\n"
    "                  [--answer-timeout SECONDS]\n"
    "\n"
    "Writes the alias section of the alias file. No password is ever written there: MariaDB\n"
    "credentials come from the option file (which must be private: chmod 600) or from\n"
    "socket authentication.\n"
    "\n"
    "TLS: --ssl, or any of the --ssl-* files, makes the connection require TLS; a server\n"
    "without it is refused. The server's certificate is checked against --ssl-ca (the\n"
    "system's certificate store without it) and its name against --host, unless\n"
    "--no-ssl-verify-server-cert is given. --ssl-cert and --ssl-key name a client\n"
    "certificate for servers that ask for one.\n"
    "\n"
    "Cluster: --nodes lists the nodes of a cluster in the order they are tried, each a\n"
    "socket path or HOST[:PORT]; when the node in use goes away, the program goes on with\n"
    "the next one that answers.\n"
    "\n"
    "Answer time: --answer-timeout sets how long a statement waits for the server's\n"
    "answer (2 to 600 seconds, 15 by default). A server that does not answer in time\n"
    "counts as lost: the operator sees one error box, nothing of a save in flight is\n"
    "stored, and the next step connects again (on a cluster to the next node).\n";

const char* const kBackupHelp = "Usage: duredir-db [--alias NAME] backup FILE [--force]\n"
                                "\n"
                                "Writes every table to FILE, a text file that either engine can restore (a SQLite\n"
                                "backup restores into MariaDB and the other way round). The file is readable by its\n"
                                "user only (mode 0600). An existing FILE is refused (exit code 1, left as it is)\n"
                                "unless --force is given, which replaces it. Never replaced, even with --force: the\n"
                                "data source's own database file (by any name or link) and anything that is not a\n"
                                "regular file (a folder, a device, a FIFO). The backup is written under a temporary\n"
                                "name in the same folder and renamed to FILE only when complete: a backup cut off\n"
                                "half-way never replaces a good one. It ends with a trailer of the tables, their row\n"
                                "counts and a SHA-256 checksum of the content, by which restore knows it is whole.\n";

const char* const kRestoreHelp = "Usage: duredir-db [--alias NAME] restore FILE [--replace] [--accept-unchecked]\n"
                                 "\n"
                                 "Fills the tables of the data source from a backup, in one transaction: on any error\n"
                                 "nothing is changed. The whole file is checked first: a backup without its trailer\n"
                                 "(cut off), whose row counts or checksum differ from its trailer (damaged), or with a\n"
                                 "value its column does not hold (a text in a number column, a number that is not\n"
                                 "finite, a date that is not YYYY-MM-DD) is refused (exit code 1), naming what is\n"
                                 "wrong. A backup of an older version has no trailer and is restored only with\n"
                                 "--accept-unchecked. Tables that hold rows are refused unless --replace is given,\n"
                                 "which replaces their rows. Run 'duredir-db init' first on a new data source.\n"
                                 "Prints how many rows it restored into each table.\n";

const char* const kCheckHelp = "Usage: duredir-db [--alias NAME] check\n"
                               "\n"
                               "Compares the data source with what the program relies on and lists what differs:\n"
                               "missing tables or columns (the program does not work without them), tables that are\n"
                               "not transactional (a save cut off half-way stays half-written), the schema version\n"
                               "(older than 2: run upgrade; 2: worked on, and upgrade adds the table of accepted\n"
                               "triggers; newer: the program only reads), missing unique indexes on codes and\n"
                               "document numbers (two workstations can take the same number), numbers and codes\n"
                               "already taken twice, text columns narrower than what the windows accept, tables\n"
                               "without a primary key (a cluster cannot delete their rows), triggers, views and\n"
                               "tables the program's schema does not have (a trigger that is not accepted makes it\n"
                               "not fit: see accept-triggers), ledger rows whose document header is gone (by ledger\n"
                               "and document kind; 'duredir-db remove-orphans' deletes them), and rows holding\n"
                               "values the program refuses to enter (quantities below 0 or above 1e9, discounts and\n"
                               "tax rates outside 0 to 100, negative prices). Nothing is changed.\n"
                               "Exit code 0: fit (notes may follow); 1: not fit; 2: cannot tell (the data source\n"
                               "cannot be opened or read).\n";

const char* const kUpgradeHelp =
    "Usage: duredir-db [--alias NAME] upgrade [--convert-engine] [--no-backup]\n"
    "\n"
    "Brings a data source the program can work on up to what it relies on: adds the unique\n"
    "indexes on codes and document numbers, the primary keys a cluster needs, the table of\n"
    "accepted triggers (see accept-triggers), and records the schema version. Tables that\n"
    "are not transactional are converted to InnoDB only with --convert-engine. Refused,\n"
    "with nothing changed, when tables or columns are missing, the schema is newer than the\n"
    "program, numbers or codes are taken twice (listed), or a table is not transactional\n"
    "without --convert-engine. Safe to run again. Runs only after a backup of the data\n"
    "source made with 'duredir-db backup' in the last hour, unless --no-backup is given.\n";

const char* const kAcceptTriggersHelp =
    "Usage: duredir-db [--alias NAME] accept-triggers\n"
    "\n"
    "The program creates no triggers, and works on no database that holds a trigger its\n"
    "administrator has not accepted: a trigger runs its own SQL inside every save. This\n"
    "command records the triggers the database holds now as accepted (name, table and a\n"
    "SHA-256 of the SQL text), in place of those accepted before, and prints them; look at\n"
    "them first with 'duredir-db check'. A trigger replaced later under the same name is not\n"
    "accepted. Needs schema version 3 ('duredir-db upgrade' brings an older database there).\n"
    "On MariaDB the account must be allowed to read the triggers (the TRIGGER privilege).\n";

const char* const kRemoveOrphansHelp =
    "Usage: duredir-db [--alias NAME] remove-orphans [--no-backup]\n"
    "\n"
    "Deletes the rows of both ledgers (magacin_artikli, magacin_proizvodi) whose document\n"
    "header (goods receipt, goods dispatch, work order) is gone, in one transaction, and\n"
    "says how many of each kind it deleted. 'duredir-db check' lists them first. Runs only\n"
    "after a backup of the data source made with 'duredir-db backup' in the last hour,\n"
    "unless --no-backup is given.\n";

bool wantsHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

// The options of a command as given: those that take a value, with it, and the switches.
// Anything else, a value missing (or looking like the next option) and an option given
// twice are usage errors, said in `error`.
struct Options {
    QHash<QString, QString> values;
    QStringList switches;
    QString value(const QString& name) const { return values.value(name); }
    bool has(const QString& name) const { return values.contains(name) || switches.contains(name); }
};

bool parseOptions(const QStringList& args, const QStringList& valued, const QStringList& switches, Options* out,
                  QString* error)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (out->has(a)) {
            *error = QStringLiteral("%1 is given twice.").arg(a);
            return false;
        }
        if (switches.contains(a)) {
            out->switches << a;
        } else if (valued.contains(a)) {
            if (i + 1 >= args.size() || args.at(i + 1).startsWith(QLatin1String("--"))) {
                *error = QStringLiteral("%1 needs a value.").arg(a);
                return false;
            }
            out->values.insert(a, args.at(++i));
        } else {
            *error = QStringLiteral("Unknown option or argument \"%1\".").arg(a);
            return false;
        }
    }
    return true;
}

// A command that takes no arguments but `switches`: anything else is a usage error.
bool onlySwitches(const QStringList& args, const QStringList& switches, const char* help)
{
    Options given;
    QString error;
    if (parseOptions(args, {}, switches, &given, &error))
        return true;
    err() << error << "\n\n" << help;
    return false;
}

// Alias names are plain names: they name a section of the alias file and a file of their own.
bool isPlainAliasName(const QString& name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]{1,64}$"));
    return plain.match(name).hasMatch();
}

int cmdInit(const QString& alias, bool ifNeeded)
{
    data::Database db(QStringLiteral("duredir-db"));
    db.openAlias(alias);
    const QStringList tables = data::existingTables(db);
    if (!tables.isEmpty() && ifNeeded)
        return 0;
    if (!tables.isEmpty()) {
        err() << "The data source of alias \"" << alias << "\" (" << db.config().describe() << ") already has tables ("
              << tables.join(QStringLiteral(", ")) << "); nothing was changed.\n";
        return 1;
    }
    data::createSchema(db);
    out() << "Created the tables in " << db.config().describe() << ".\n";
    return 0;
}

int cmdShow(const QString& alias)
{
    const data::AliasConfig cfg = data::resolveAlias(alias);
    out() << "Alias:    " << alias << "\n";
    out() << "File:     " << data::aliasFilePath() << (cfg.fromFile ? "" : " (no section for this alias)") << "\n";
    out() << "Points to " << cfg.describe() << "\n";
    out().flush();
    // Never creates a SQLite file where none was.
    data::Database db(QStringLiteral("duredir-db"));
    data::openPrepared(db, alias);
    if (cfg.engine == data::Engine::MariaDb) {
        QSqlQuery q(db.handle());
        const QString cipher = q.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Ssl_cipher'")) && q.next()
                                   ? q.value(1).toString()
                                   : QString();
        out() << "TLS:      " << (cipher.isEmpty() ? QStringLiteral("none") : cipher) << "\n";
        // A cluster node says how many nodes it sees and whether they form the working majority.
        QHash<QString, QString> wsrep;
        if (q.exec(QStringLiteral("SHOW STATUS LIKE 'wsrep_%'")))
            while (q.next())
                wsrep.insert(q.value(0).toString(), q.value(1).toString());
        if (!db.currentNode().isEmpty())
            out() << "Node:     " << db.currentNode() << "\n";
        if (wsrep.value(QStringLiteral("wsrep_ready")).compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0)
            out() << "Cluster:  " << wsrep.value(QStringLiteral("wsrep_cluster_size")) << " nodes, "
                  << wsrep.value(QStringLiteral("wsrep_cluster_status")) << ", this node "
                  << wsrep.value(QStringLiteral("wsrep_local_state_comment")) << "\n";
    }
    const int version = data::recordedSchemaVersion(db);
    out() << "Schema:   " << (version ? QStringLiteral("version %1").arg(version) : QStringLiteral("version not recorded"))
          << (version != data::kSchemaVersion ? QStringLiteral(" (this program: version %1)").arg(data::kSchemaVersion)
                                              : QString())
          << "\n";
    const QStringList unprotected = data::unprotectedNumbers(db);
    out() << "Numbers:  "
          << (unprotected.isEmpty() ? QStringLiteral("protected by unique indexes")
                                    : QStringLiteral("NOT protected: no unique index on %1; two workstations can take "
                                                     "the same number ('duredir-db upgrade' adds them)")
                                          .arg(unprotected.join(QStringLiteral(", "))))
          << "\n";
    data::Query q(&db);
    for (const QString& t : data::schemaTableNames()) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select count(*) n from %1").arg(t));
        q.Open();
        out() << QStringLiteral("  %1 %2\n").arg(t, -20).arg(q.FieldByName(QStringLiteral("n")).AsInteger(), 8);
    }
    return 0;
}

int cmdCheck(const QString& alias)
{
    data::Database db(QStringLiteral("duredir-db"));
    try {
        data::openPrepared(db, alias);
    } catch (const data::NotPrepared& e) {
        out() << e.text() << "\nNot fit for the program.\n";
        return 1;
    } catch (const data::Error& e) {
        err() << "Cannot tell: " << e.text() << "\n";
        return 2;
    }
    data::SchemaReport report;
    try {
        report = data::inspectSchema(db);
    } catch (const data::Error& e) {
        err() << "Cannot tell: " << e.text() << "\n";
        return 2;
    }
    out() << "Checked " << db.config().describe() << ".\n";
    for (const data::SchemaFinding& f : report.findings)
        out() << (f.blocking() ? "  not fit: " : "  note:    ") << f.text << "\n";
    QList<data::OrphanRows> orphans;
    QList<data::AbsurdRows> absurd;
    if (report.fit()) {
        try {
            orphans = data::findOrphanRows(db);
            absurd = data::findAbsurdRows(db);
        } catch (const data::Error& e) {
            err() << "Cannot tell: " << e.text() << "\n";
            return 2;
        }
    }
    for (const data::OrphanRows& group : std::as_const(orphans))
        out() << "  note:    " << group.describe() << "; 'duredir-db remove-orphans' deletes them.\n";
    for (const data::AbsurdRows& group : std::as_const(absurd))
        out() << "  note:    " << group.describe() << ", which the program refuses to enter; correct them in "
              << "their windows.\n";
    if (!report.fit()) {
        out() << "Not fit for the program.\n";
        return 1;
    }
    out() << (report.findings.isEmpty() && orphans.isEmpty() && absurd.isEmpty()
                  ? "Fit for the program; nothing differs.\n"
                  : "Fit for the program, with the notes above.\n");
    return 0;
}

// Whether a backup of `source` was made in the last hour; says which one, or what to do.
bool recentBackup(const QString& source)
{
    const tools::BackupRecord backup = tools::lastBackup(source);
    const qint64 age = backup.path.isEmpty() ? -1 : backup.made.secsTo(QDateTime::currentDateTimeUtc());
    if (age < 0 || age > 3600) {
        err() << "No backup of " << source << " made in the last hour was found";
        if (!backup.path.isEmpty())
            err() << " (the last one is " << backup.path << ", made "
                  << backup.made.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << ")";
        err() << "; nothing was changed.\nMake one with 'duredir-db backup FILE' first, or give --no-backup.\n";
        return false;
    }
    out() << "Backup: " << backup.path << ", made "
          << backup.made.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) << ".\n";
    return true;
}

int cmdAcceptTriggers(const QString& alias)
{
    data::Database db(QStringLiteral("duredir-db"));
    data::openPrepared(db, alias);
    QList<data::Trigger> accepted;
    try {
        accepted = data::acceptTriggers(db);
    } catch (const data::AcceptRefused& e) {
        err() << e.text() << "\n";
        return 1;
    }
    if (accepted.isEmpty()) {
        out() << QCoreApplication::translate("duredir-db", "%1 holds no triggers; none are accepted now.\n")
                     .arg(db.config().describe());
        return 0;
    }
    out() << QCoreApplication::translate("duredir-db",
                                         "Accepted %n trigger(s) of %1; the program works on the "
                                         "database with them:\n",
                                         nullptr, int(accepted.size()))
                 .arg(db.config().describe());
    for (const data::Trigger& t : std::as_const(accepted)) {
        out() << "  "
              << QCoreApplication::translate("duredir-db", "%1 on %2 (SHA-256 %3):").arg(t.name, t.table, t.sha256())
              << "\n";
        for (const QString& line : t.definition.split(QLatin1Char('\n')))
            out() << "    " << line << "\n";
    }
    return 0;
}

int cmdRemoveOrphans(const QString& alias, bool noBackup)
{
    data::Database db(QStringLiteral("duredir-db"));
    data::openPrepared(db, alias);
    // It deletes rows: a trigger nobody accepted would run along.
    data::requireAcceptedTriggers(db, alias);
    if (data::findOrphanRows(db).isEmpty()) {
        out() << "Every ledger row of " << db.config().describe() << " sits under its document; nothing was changed.\n";
        return 0;
    }
    if (!noBackup && !recentBackup(db.config().describe()))
        return 1;
    for (const data::OrphanRows& group : data::removeOrphanRows(db))
        out() << "Deleted " << group.rows << " row(s) of kind '" << group.kind << "' from " << group.ledger << " ("
              << group.documents << " document(s) missing from " << group.headerTable << ").\n";
    return 0;
}

int cmdUpgrade(const QString& alias, bool convertEngine, bool noBackup)
{
    data::Database db(QStringLiteral("duredir-db"));
    data::openPrepared(db, alias);
    if (!noBackup && !recentBackup(db.config().describe()))
        return 1;
    const QStringList done = data::upgradeSchema(db, data::UpgradeOptions{convertEngine});
    if (done.isEmpty())
        out() << "The database is up to date (schema version " << data::kSchemaVersion << "); nothing was changed.\n";
    for (const QString& line : done)
        out() << line << "\n";
    // What the upgrade leaves to the administrator (narrow text columns, say).
    for (const data::SchemaFinding& f : data::inspectSchema(db).findings)
        out() << (f.blocking() ? "  not fit: " : "  note:    ") << f.text << "\n";
    return 0;
}

void printCounts(const tools::TableCounts& counts)
{
    for (const auto& [table, rows] : counts)
        out() << QStringLiteral("  %1 %2\n").arg(table, -20).arg(rows, 8);
}

int cmdDemo(const QString& alias)
{
    data::Database db(QStringLiteral("duredir-db"));
    data::openPrepared(db, alias);
    data::requireAcceptedTriggers(db, alias);
    if (!tools::fillDemo(db)) {
        err() << "The database already holds articles or partners; the sample business was not added.\n";
        return 1;
    }
    out() << "Added the sample business to " << db.config().describe() << ".\n";
    return 0;
}

int cmdSetAlias(const QString& alias, const QStringList& args)
{
    if (args.isEmpty()) {
        err() << kSetAliasHelp;
        return 2;
    }
    data::AliasConfig cfg;
    const QString& driver = args.first();
    Options o;
    QString error;
    auto usage = [&](const QString& text) {
        err() << text << "\n\n" << kSetAliasHelp;
        return 2;
    };
    if (driver == QLatin1String("sqlite")) {
        if (!parseOptions(args.mid(1), {QStringLiteral("--path")}, {}, &o, &error))
            return usage(error);
        cfg.engine = data::Engine::Sqlite;
        // Kept by its full path: a relative one would be found in whatever folder the
        // program starts in, where another user may have put a file of that name.
        cfg.path = o.has(QStringLiteral("--path")) ? QFileInfo(o.value(QStringLiteral("--path"))).absoluteFilePath()
                                                   : data::defaultSqlitePath(alias);
    } else if (driver == QLatin1String("mariadb")) {
        const QStringList valued{QStringLiteral("--database"),      QStringLiteral("--socket"),
                                 QStringLiteral("--nodes"),         QStringLiteral("--host"),
                                 QStringLiteral("--port"),          QStringLiteral("--option-file"),
                                 QStringLiteral("--option-group"),  QStringLiteral("--ssl-ca"),
                                 QStringLiteral("--ssl-cert"),      QStringLiteral("--ssl-key"),
                                 QStringLiteral("--answer-timeout")};
        const QStringList flags{QStringLiteral("--ssl"), QStringLiteral("--no-ssl-verify-server-cert")};
        if (!parseOptions(args.mid(1), valued, flags, &o, &error))
            return usage(error);
        cfg.engine = data::Engine::MariaDb;
        cfg.database = o.value(QStringLiteral("--database"));
        cfg.socket = o.value(QStringLiteral("--socket"));
        for (const QString& node : o.value(QStringLiteral("--nodes")).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            try {
                data::parseNode(node);
            } catch (const data::Error& e) {
                return usage(e.text());
            }
            cfg.nodes << node.trimmed();
        }
        cfg.host = o.value(QStringLiteral("--host"));
        if (o.has(QStringLiteral("--port"))) {
            bool ok = false;
            cfg.port = o.value(QStringLiteral("--port")).toInt(&ok);
            if (!ok || cfg.port < 1 || cfg.port > 65535)
                return usage(QStringLiteral("--port takes a port number from 1 to 65535, not \"%1\".")
                                 .arg(o.value(QStringLiteral("--port"))));
        }
        cfg.optionFile = o.value(QStringLiteral("--option-file"));
        cfg.optionGroup = o.value(QStringLiteral("--option-group"));
        cfg.ssl = o.has(QStringLiteral("--ssl"));
        cfg.sslCa = o.value(QStringLiteral("--ssl-ca"));
        cfg.sslCert = o.value(QStringLiteral("--ssl-cert"));
        cfg.sslKey = o.value(QStringLiteral("--ssl-key"));
        cfg.sslVerifyServerCert = !o.has(QStringLiteral("--no-ssl-verify-server-cert"));
        if (o.has(QStringLiteral("--answer-timeout"))) {
            try {
                cfg.answerTimeout = data::parseAnswerTimeout(o.value(QStringLiteral("--answer-timeout")),
                                                             QStringLiteral("--answer-timeout"));
            } catch (const data::Error& e) {
                return usage(e.text());
            }
        }
        if (cfg.database.isEmpty() && cfg.optionFile.isEmpty()) {
            err() << "set-alias mariadb needs --database (or an option file naming it).\n";
            return 2;
        }
        if (cfg.sslCert.isEmpty() != cfg.sslKey.isEmpty()) {
            err() << "--ssl-cert and --ssl-key go together: give both or neither.\n";
            return 2;
        }
        // The alias is read from other folders: files are kept by their full path.
        if (!cfg.optionFile.isEmpty())
            cfg.optionFile = QFileInfo(cfg.optionFile).absoluteFilePath();
        if (!cfg.socket.isEmpty())
            cfg.socket = QFileInfo(cfg.socket).absoluteFilePath();
        for (QString* file : {&cfg.sslCa, &cfg.sslCert, &cfg.sslKey}) {
            if (file->isEmpty())
                continue;
            const QFileInfo info(*file);
            if (!info.isReadable()) {
                err() << "The file " << *file << " cannot be read.\n";
                return 2;
            }
            *file = info.absoluteFilePath();
        }
    } else {
        err() << "Unknown driver \"" << driver << "\" (expected sqlite or mariadb).\n" << kSetAliasHelp;
        return 2;
    }
    data::writeAlias(alias, cfg);
    out() << "Alias \"" << alias << "\" now points to " << cfg.describe() << " (" << data::aliasFilePath() << ").\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString alias = QStringLiteral("varnok_public");
    if (const qsizetype i = args.indexOf(QStringLiteral("--alias")); i >= 0) {
        if (i + 1 >= args.size()) {
            err() << "--alias needs a name.\n";
            return 2;
        }
        alias = args.at(i + 1);
        args.remove(i, 2);
        if (!isPlainAliasName(alias)) {
            err() << "The alias name \"" << alias << "\" may hold only letters, digits, _ and - (at most 64).\n";
            return 2;
        }
    }
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")
        || args.first() == QLatin1String("help")) {
        (args.isEmpty() ? err() : out()) << kUsage;
        return args.isEmpty() ? 2 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out() << "duredir-db " << DUREDIR_VERSION << "\n";
        return 0;
    }
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("init")) {
            if (wantsHelp(args))
                return out() << kInitHelp, 0;
            if (!onlySwitches(args, {QStringLiteral("--if-needed")}, kInitHelp))
                return 2;
            return cmdInit(alias, args.contains(QStringLiteral("--if-needed")));
        }
        if (command == QLatin1String("show")) {
            if (wantsHelp(args))
                return out() << kShowHelp, 0;
            if (!onlySwitches(args, {}, kShowHelp))
                return 2;
            return cmdShow(alias);
        }
        if (command == QLatin1String("demo")) {
            if (wantsHelp(args))
                return out() << kDemoHelp, 0;
            if (!onlySwitches(args, {}, kDemoHelp))
                return 2;
            return cmdDemo(alias);
        }
        if (command == QLatin1String("backup") || command == QLatin1String("restore")) {
            const bool backup = command == QLatin1String("backup");
            if (wantsHelp(args))
                return out() << (backup ? kBackupHelp : kRestoreHelp), 0;
            const bool replace = !backup && args.removeAll(QStringLiteral("--replace")) > 0;
            const bool force = backup && args.removeAll(QStringLiteral("--force")) > 0;
            const bool acceptUnchecked = !backup && args.removeAll(QStringLiteral("--accept-unchecked")) > 0;
            if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
                err() << (backup ? kBackupHelp : kRestoreHelp);
                return 2;
            }
            data::Database db(QStringLiteral("duredir-db"));
            data::openPrepared(db, alias);
            // A restore writes every row: a trigger nobody accepted would run along.
            if (!backup)
                data::requireAcceptedTriggers(db, alias);
            if (backup) {
                const tools::TableCounts counts = tools::writeBackup(db, args.first(), force);
                tools::recordBackup(db.config().describe(), args.first());
                out() << "Wrote the backup " << args.first() << " (readable by its user only), rows per table:\n";
                printCounts(counts);
            } else {
                const tools::TableCounts counts = tools::restoreBackup(db, args.first(), replace, acceptUnchecked);
                out() << "Restored " << args.first() << " into " << db.config().describe() << ", rows per table:\n";
                printCounts(counts);
            }
            return 0;
        }
        if (command == QLatin1String("check")) {
            if (wantsHelp(args))
                return out() << kCheckHelp, 0;
            if (!onlySwitches(args, {}, kCheckHelp))
                return 2;
            return cmdCheck(alias);
        }
        if (command == QLatin1String("upgrade")) {
            if (wantsHelp(args))
                return out() << kUpgradeHelp, 0;
            const bool convert = args.removeAll(QStringLiteral("--convert-engine")) > 0;
            const bool noBackup = args.removeAll(QStringLiteral("--no-backup")) > 0;
            if (!args.isEmpty()) {
                err() << kUpgradeHelp;
                return 2;
            }
            return cmdUpgrade(alias, convert, noBackup);
        }
        if (command == QLatin1String("accept-triggers")) {
            if (wantsHelp(args))
                return out() << kAcceptTriggersHelp, 0;
            if (!onlySwitches(args, {}, kAcceptTriggersHelp))
                return 2;
            return cmdAcceptTriggers(alias);
        }
        if (command == QLatin1String("remove-orphans")) {
            if (wantsHelp(args))
                return out() << kRemoveOrphansHelp, 0;
            const bool noBackup = args.removeAll(QStringLiteral("--no-backup")) > 0;
            if (!args.isEmpty()) {
                err() << kRemoveOrphansHelp;
                return 2;
            }
            return cmdRemoveOrphans(alias, noBackup);
        }
        if (command == QLatin1String("set-alias")) {
            if (wantsHelp(args))
                return out() << kSetAliasHelp, 0;
            return cmdSetAlias(alias, args);
        }
    } catch (const data::NotPrepared& e) {
        err() << e.text() << "\n";
        return 1;
    } catch (const data::Error& e) {
        err() << "duredir-db: " << e.text() << "\n";
        return 1;
    }
    err() << "Unknown command \"" << command << "\".\n\n" << kUsage;
    return 2;
}
