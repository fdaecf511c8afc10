// duredir-db as an administrator runs it: init refuses a second time, show and demo work,
// the sample business keeps its own rules, a data source without tables is named as such,
// backups are private, never overwritten by accident and never cut off in place; on the
// engine the suite runs against.
#include "data/alias.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "support/testdb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSqlQuery>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <algorithm>

class TestDbTool : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initTwiceRefusesAndChangesNothing();
    void demoFillsAnEmptyDatabaseOnce();
    void helpForEveryCommand();
    void versionIsTheProjectVersion();
    void manualPageHasEveryCommandAndOption();
    void backupThenRestoreGivesEqualTables();
    void demoKeepsItsOwnRules();
    void unpreparedDataSourceIsNamedAndNotCreated();
    void backupIsPrivateAndReplacesOnlyWithForce();
    void checkAndUpgradeAsAnAdministratorRunsThem();
    void orphanLedgerRowsAreListedAndRemovedOnlyAfterABackup();
    void checkListsValuesNoBusinessHas();
    void badArgumentsAreRefusedAndChangeNothing_data();
    void badArgumentsAreRefusedAndChangeNothing();
    void aliasPathsAreKeptWhole();
    void whatTheToolCreatesIsPrivateWhateverTheUmask();
    void badBackupIsRefusedAndChangesNothing_data();
    void badBackupIsRefusedAndChangesNothing();
    void backupNeverReplacesTheDatabaseOrWhatIsNotAFile_data();
    void backupNeverReplacesTheDatabaseOrWhatIsNotAFile();
    void plantedTriggerIsNotFitUntilAccepted();
    void acceptingTriggersOnVersionTwoTakesAnUpgradeAfterABackup();
    void hostileNamesAreQuotedAndDropNothing();

private:
    struct Result {
        int code;
        QString out;
        QString err;
    };
    // `inChild` runs in the started process before the tool (limits, signals).
    Result run(const QStringList& args, const std::function<void()>& inChild = {});
    data::AliasConfig mainAlias();
    void pointAliasAtFreshDatabase();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_mariaDb;
};

TestDbTool::Result TestDbTool::run(const QStringList& args, const std::function<void()>& inChild)
{
    QProcess p;
    if (inChild)
        p.setChildProcessModifier(inChild);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir->filePath(QStringLiteral("state")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(DUREDIR_DB_TOOL), args);
    if (!p.waitForFinished(120000))
        return {-1, QString(), QStringLiteral("timeout")};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

data::AliasConfig TestDbTool::mainAlias()
{
    qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toUtf8());
    return data::resolveAlias(QStringLiteral("varnok_public"));
}

void TestDbTool::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    pointAliasAtFreshDatabase();
}

void TestDbTool::cleanup()
{
    if (!m_mariaDb.isEmpty())
        testsupport::dropMariaDbDatabase(m_mariaDb);
    m_mariaDb.clear();
}

void TestDbTool::pointAliasAtFreshDatabase()
{
    if (!testsupport::onMariaDb())
        return; // the embedded default under the test's own XDG folders
    m_mariaDb = testsupport::createMariaDbDatabase();
    const Result r = run({QStringLiteral("set-alias"), QStringLiteral("mariadb"), QStringLiteral("--socket"),
                          testsupport::mariaDbSocket(), QStringLiteral("--database"), m_mariaDb});
    QCOMPARE(r.code, 0);
}

void TestDbTool::initTwiceRefusesAndChangesNothing()
{
    Result r = run({QStringLiteral("init")});
    QCOMPARE(r.code, 0);
    r = run({QStringLiteral("demo")});
    QCOMPARE(r.code, 0);
    const Result before = run({QStringLiteral("show")});
    QCOMPARE(before.code, 0);

    r = run({QStringLiteral("init")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("already has tables")), qPrintable(r.err));
    const Result after = run({QStringLiteral("show")});
    QCOMPARE(after.out, before.out);
    QVERIFY(after.out.contains(QStringLiteral("artikli")));
    if (!testsupport::onMariaDb()) {
        // The embedded file is readable by its user only.
        const QString file = m_dir->filePath(QStringLiteral("data/duredir/varnok_public.sqlite"));
        QCOMPARE(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), QFileDevice::Permissions());
    }
}

void TestDbTool::demoFillsAnEmptyDatabaseOnce()
{
    QCOMPARE(run({QStringLiteral("demo")}).code, 1); // no tables yet
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const Result again = run({QStringLiteral("demo")});
    QCOMPARE(again.code, 1);
    const Result show = run({QStringLiteral("show")});
    // Every table is listed with a count; the sample business has stock movements.
    QVERIFY(show.out.contains(QStringLiteral("magacin_artikli")));
    QVERIFY(!show.out.contains(QStringLiteral("missing")));
    QRegularExpression articles(QStringLiteral("artikli\\s+(\\d+)"));
    const auto m = articles.match(show.out);
    QVERIFY(m.hasMatch());
    QVERIFY(m.captured(1).toInt() >= 24);
}

void TestDbTool::helpForEveryCommand()
{
    for (const char* c : {"init", "show", "set-alias", "demo", "backup", "restore", "check", "upgrade",
                          "remove-orphans", "accept-triggers"}) {
        const Result r = run({QString::fromLatin1(c), QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: duredir-db")));
    }
    QCOMPARE(run({QStringLiteral("frobnicate")}).code, 2);
    QVERIFY(run({QStringLiteral("--help")}).out.contains(QStringLiteral("--force")));
    QVERIFY(run({QStringLiteral("backup"), QStringLiteral("--help")}).out.contains(QStringLiteral("--force")));
}

void TestDbTool::versionIsTheProjectVersion()
{
    const Result r = run({QStringLiteral("--version")});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.out, QStringLiteral("duredir-db " DUREDIR_VERSION "\n"));
}

namespace {

// A line of troff as plain text: "\-" is "-", font changes, the macro name and quotes go.
QString plainTroff(QString line)
{
    line.replace(QLatin1String("\\-"), QLatin1String("-"));
    line.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")));
    line.remove(QRegularExpression(QStringLiteral("^\\.(B|I|BI|IB|BR|RB|IR|RI)\\s+")));
    line.remove(QLatin1Char('"'));
    return line.simplified();
}

// The words of the item heads (the line after .TP or .TQ) of a manual page, e.g.
// {"init", "[--if-needed]"} for "init [--if-needed]", brackets and commas dropped.
QList<QStringList> manualItemHeads(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QList<QStringList> heads;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines.at(i) != QLatin1String(".TP") && lines.at(i) != QLatin1String(".TQ"))
            continue;
        QString head = plainTroff(lines.at(i + 1));
        head.replace(QRegularExpression(QStringLiteral("[\\[\\],|]")), QStringLiteral(" "));
        heads << head.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return heads;
}

// The options a help text names: "--alias", "-h", not the "-db" of "duredir-db".
QStringList optionsIn(const QString& help)
{
    QStringList options;
    const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z](?:[a-z-]*[a-z])?)"));
    for (auto it = option.globalMatch(help); it.hasNext();)
        options << it.next().captured(1);
    return options;
}

} // namespace

void TestDbTool::manualPageHasEveryCommandAndOption()
{
    // Every command and option that --help names, for the tool and for each command, must head
    // an item (.TP) of docs/man/duredir-db.1: a new one fails here until it is documented.
    const QList<QStringList> heads = manualItemHeads(QStringLiteral(DUREDIR_SOURCE_DIR "/docs/man/duredir-db.1"));
    QVERIFY(!heads.isEmpty());
    const Result usage = run({QStringLiteral("--help")});
    QCOMPARE(usage.code, 0);

    QStringList commands;
    bool inCommands = false;
    for (const QString& line : usage.out.split(QLatin1Char('\n'))) {
        if (line == QLatin1String("Commands:"))
            inCommands = true;
        else if (line.trimmed().isEmpty())
            inCommands = false;
        else if (inCommands)
            commands << line.trimmed().section(QLatin1Char(' '), 0, 0);
    }
    QVERIFY2(commands.size() >= 6, qPrintable(usage.out));

    QStringList options = optionsIn(usage.out);
    for (const QString& command : commands) {
        const bool documented =
            std::any_of(heads.begin(), heads.end(), [&](const QStringList& h) { return h.first() == command; });
        QVERIFY2(documented, qPrintable(QStringLiteral("command %1 is not an item of duredir-db.1").arg(command)));
        const Result help = run({command, QStringLiteral("--help")});
        QCOMPARE(help.code, 0);
        options << optionsIn(help.out);
    }
    options.removeDuplicates();
    for (const char* known : {"--alias", "--version", "--help", "--if-needed", "--replace", "--path"})
        QVERIFY2(options.contains(QLatin1String(known)), known); // the parsing still finds them
    for (const QString& option : options) {
        // An item of its own ("--port N"), or shared with its other spelling ("--help, -h").
        const bool documented = std::any_of(heads.begin(), heads.end(), [&](const QStringList& h) {
            return h.first().startsWith(QLatin1Char('-')) && h.contains(option);
        });
        QVERIFY2(documented, qPrintable(QStringLiteral("option %1 has no item in duredir-db.1").arg(option)));
    }
}

namespace {

// Every row of every table as text, in key order, for comparing two databases.
QStringList contents(const data::AliasConfig& cfg)
{
    data::Database db(QStringLiteral("compare"));
    db.setConfig(cfg);
    db.open();
    QStringList out;
    data::Query q(&db);
    for (const char* t : {"artikli", "komintenti", "vraboteni", "proizvodi", "proizvodi_sostav", "nalozi", "priemnici",
                          "ispratnici", "magacin_artikli", "magacin_proizvodi", "info_table"}) {
        q.Close();
        q.SQL.Clear();
        const QString table = QString::fromLatin1(t);
        q.SQL.Add(
            QStringLiteral("select * from %1 order by %2").arg(table, table == QLatin1String("info_table") ? "1" : "1,2"));
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList cells;
            for (const QString& f : q.fieldNames())
                cells << q.FieldByName(f).AsString();
            out << table + QLatin1Char(':') + cells.join(QLatin1Char('|'));
        }
    }
    return out;
}

// The rows the tool reported for a table ("  artikli   32"), -1 when it did not.
int reported(const QString& out, const QString& table)
{
    const auto m =
        QRegularExpression(QStringLiteral("^  %1\\s+(\\d+)$").arg(table), QRegularExpression::MultilineOption).match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The number a statement gives, on a connection of its own.
int number(const data::AliasConfig& cfg, const QString& statement)
{
    data::Database db(QStringLiteral("check"));
    db.setConfig(cfg);
    db.open();
    data::Query q(&db);
    q.SQL.Add(statement);
    q.Open();
    return q.value(0, 0).toInt();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

} // namespace

void TestDbTool::backupThenRestoreGivesEqualTables()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const data::AliasConfig original = [&] {
        qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toUtf8());
        qputenv("XDG_DATA_HOME", m_dir->filePath(QStringLiteral("data")).toUtf8());
        return data::resolveAlias(QStringLiteral("varnok_public"));
    }();
    const QStringList before = contents(original);
    QVERIFY(before.size() > 100);
    const QString file = m_dir->filePath(QStringLiteral("stock.backup"));
    QCOMPARE(run({QStringLiteral("backup"), file}).code, 0);

    // Into the same, filled database: refused without --replace, nothing changed.
    Result r = run({QStringLiteral("restore"), file});
    QCOMPARE(r.code, 1);
    QVERIFY(r.err.contains(QStringLiteral("already holds rows")));
    QCOMPARE(contents(original), before);

    // Into a new database under another alias: equal contents.
    QStringList target{QStringLiteral("--alias"), QStringLiteral("copy")};
    QString copyDb;
    if (testsupport::onMariaDb()) {
        copyDb = testsupport::createMariaDbDatabase();
        QCOMPARE(run(target
                     + QStringList{"set-alias", "mariadb", "--socket", testsupport::mariaDbSocket(), "--database", copyDb})
                     .code,
                 0);
    }
    QCOMPARE(run(target + QStringList{"init"}).code, 0);
    r = run(target + QStringList{"restore", file});
    QCOMPARE(r.code, 0);
    QCOMPARE(contents(data::resolveAlias(QStringLiteral("copy"))), before);
    // It says how many rows went into each table.
    for (const char* t : {"artikli", "komintenti", "nalozi", "magacin_artikli", "magacin_proizvodi", "info_table"}) {
        const QString table = QString::fromLatin1(t);
        QCOMPARE(reported(r.out, table), number(original, QStringLiteral("select count(*) from %1").arg(table)));
    }
    // --replace over a changed database brings it back as it was.
    QCOMPARE(run({QStringLiteral("restore"), file, QStringLiteral("--replace")}).code, 0);
    QCOMPARE(contents(original), before);
    // A damaged file changes nothing.
    QFile damaged(m_dir->filePath(QStringLiteral("damaged.backup")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    QFile whole(file);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    damaged.write(whole.readAll().replace("TABLE priemnici", "TABLE nosuchtable"));
    damaged.close();
    QCOMPARE(run({QStringLiteral("restore"), damaged.fileName(), QStringLiteral("--replace")}).code, 1);
    QCOMPARE(contents(original), before);
    if (!copyDb.isEmpty())
        testsupport::dropMariaDbDatabase(copyDb);
}

void TestDbTool::demoKeepsItsOwnRules()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    const Result r = run({QStringLiteral("demo")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const data::AliasConfig cfg = mainAlias();
    struct Rule {
        const char* what;
        const char* statement; // counts what breaks the rule
    };
    const Rule broken[] = {
        // In date order, and by entry within a date, no balance ever goes below zero.
        {"article balance below zero",
         "select count(*) from magacin_artikli m where (select sum(e.vlez_kol-e.izlez_kol) from magacin_artikli e "
         "where e.id_artikal=m.id_artikal and (e.datum_referenca<m.datum_referenca or "
         "(e.datum_referenca=m.datum_referenca and e.id<=m.id))) < -0.0001"},
        {"product balance below zero",
         "select count(*) from magacin_proizvodi m where (select sum(e.vlez_kol-e.izlez_kol) from magacin_proizvodi e "
         "where e.id_proizvod=m.id_proizvod and (e.datum_referenca<m.datum_referenca or "
         "(e.datum_referenca=m.datum_referenca and e.id<=m.id))) < -0.0001"},
        {"article taken out before any receipt of it",
         "select count(*) from magacin_artikli m where m.izlez_kol>0 and not exists (select 1 from magacin_artikli r "
         "where r.vid_dokument='P' and r.id_artikal=m.id_artikal and r.datum_referenca<=m.datum_referenca)"},
        {"negative or empty movement",
         "select count(*) from magacin_artikli where vlez_kol<0 or izlez_kol<0 or vlez_kol+izlez_kol<=0"},
        {"negative or empty product movement",
         "select count(*) from magacin_proizvodi where vlez_kol<0 or izlez_kol<0 or vlez_kol+izlez_kol<=0"},
        {"product without composition",
         "select count(*) from proizvodi p where not exists (select 1 from proizvodi_sostav s where s.id_proizvod=p.id "
         "and s.kolicina>0)"},
        {"product without price or tax", "select count(*) from proizvodi where not (cena>0 and tarifa>0)"},
        {"sold product without price or tax",
         "select count(*) from magacin_proizvodi where vid_dokument='I' and not (proizvod_cena>0 and proizvod_tarifa>0)"},
        {"sold product outside a dispatch",
         "select count(*) from magacin_proizvodi m where vid_dokument='I' and not exists (select 1 from ispratnici i "
         "where i.id=m.document_id and i.datum=m.datum_referenca)"},
        {"work order without an employee of the register",
         "select count(*) from nalozi n where not exists (select 1 from vraboteni v where v.id=n.vraboten_id "
         "and v.naziv=n.prioritet)"},
        {"work order ending before it starts", "select count(*) from nalozi where datum_finish<datum_start"},
        {"work order that makes nothing",
         "select count(*) from nalozi n where not exists (select 1 from magacin_proizvodi m where m.vid_dokument='N' "
         "and m.document_id=n.id) or not exists (select 1 from magacin_artikli a where a.vid_dokument='N' "
         "and a.document_id=n.id)"},
        {"document without lines",
         "select (select count(*) from priemnici p where not exists (select 1 from magacin_artikli m where "
         "m.vid_dokument='P' and m.document_id=p.id)) + (select count(*) from ispratnici i where not exists "
         "(select 1 from magacin_artikli m where m.vid_dokument='I' and m.document_id=i.id))"},
        {"negative discount", "select count(*) from ispratnici where rabat<0"},
    };
    for (const Rule& rule : broken)
        QVERIFY2(number(cfg, QString::fromLatin1(rule.statement)) == 0, rule.what);

    // Enough of everything for every window to show something.
    struct Least {
        const char* what;
        const char* statement;
        int least;
    };
    const Least enough[] = {
        {"work orders", "select count(*) from nalozi", 10},
        {"employees with work orders", "select count(distinct vraboten_id) from nalozi", 3},
        // Bars on several rows of the Gantt chart run at the same time.
        {"employees whose orders overlap another's",
         "select count(distinct a.vraboten_id) from nalozi a join nalozi b on a.vraboten_id<>b.vraboten_id "
         "and a.datum_start<=b.datum_finish and b.datum_start<=a.datum_finish",
         3},
        {"sold product lines", "select count(*) from magacin_proizvodi where vid_dokument='I'", 10},
        {"dispatches", "select count(*) from ispratnici", 10},
        {"receipts", "select count(*) from priemnici", 10},
        {"products", "select count(*) from proizvodi", 4},
        {"days with movements", "select count(distinct datum_referenca) from magacin_artikli", 30},
    };
    for (const Least& l : enough)
        QVERIFY2(number(cfg, QString::fromLatin1(l.statement)) >= l.least, l.what);
}

void TestDbTool::unpreparedDataSourceIsNamedAndNotCreated()
{
    // The tool's own SQLite default does not exist yet (or the MariaDB database is empty).
    const QString file = m_dir->filePath(QStringLiteral("data/duredir/varnok_public.sqlite"));
    const QString backup = m_dir->filePath(QStringLiteral("never.backup"));
    QFile some(m_dir->filePath(QStringLiteral("some.backup")));
    QVERIFY(some.open(QIODevice::WriteOnly));
    some.write("DUREDIR-BACKUP 1\n");
    some.close();
    auto check = [&](bool emptyFileThere) {
        for (const QStringList& args : {QStringList{"show"}, QStringList{"backup", backup},
                                        QStringList{"restore", some.fileName()}, QStringList{"demo"}}) {
            const Result r = run(args);
            QVERIFY2(r.code == 1, qPrintable(args.join(' ') + r.err));
            QVERIFY2(r.err.contains(QStringLiteral("has not been prepared"))
                         && r.err.contains(QStringLiteral("'duredir-db init'")),
                     qPrintable(args.join(' ') + ": " + r.err));
            QVERIFY2(!r.err.contains(QStringLiteral("no such table")), qPrintable(r.err));
            QVERIFY(!QFileInfo::exists(backup));
            if (!testsupport::onMariaDb()) {
                QCOMPARE(QFileInfo::exists(file), emptyFileThere);
                QVERIFY(r.err.contains(file));
                if (emptyFileThere)
                    QCOMPARE(QFileInfo(file).size(), 0);
            }
        }
    };
    check(false);
    if (!testsupport::onMariaDb()) {
        // An empty file where the database should be is not prepared either.
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile empty(file);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        check(true);
    }
    // Another alias is named in the command to run.
    const Result other = run({QStringLiteral("--alias"), QStringLiteral("branch"), QStringLiteral("show")});
    QCOMPARE(other.code, 1);
    QVERIFY2(other.err.contains(QStringLiteral("'duredir-db --alias branch init'")), qPrintable(other.err));
    // Prepared, the same commands work.
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("show")}).code, 0);
}

void TestDbTool::backupIsPrivateAndReplacesOnlyWithForce()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    auto isPrivate = [&](const QString& path) {
        const QFileDevice::Permissions p = QFile::permissions(path);
        return (p & others) == QFileDevice::Permissions() && (p & QFileDevice::ReadOwner) && (p & QFileDevice::WriteOwner);
    };
    auto writeFile = [](const QString& path, const QByteArray& text) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                        | QFileDevice::ReadOther);
    };
    QDir folder(m_dir->filePath(QStringLiteral("backups")));
    QVERIFY(folder.mkpath(QStringLiteral(".")));
    const QString file = folder.filePath(QStringLiteral("stock.backup"));

    Result r = run({QStringLiteral("backup"), file});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY(isPrivate(file));
    QCOMPARE(reported(r.out, QStringLiteral("artikli")), 32);
    const QByteArray good = readAll(file);
    QVERIFY(good.startsWith("DUREDIR-BACKUP 2\n"));

    // A second backup to the same name is refused and leaves the first as it was.
    r = run({QStringLiteral("backup"), file});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("already exists")) && r.err.contains(QStringLiteral("--force")),
             qPrintable(r.err));
    QCOMPARE(readAll(file), good);

    // --force replaces a file readable by others with a private backup.
    const QString old = folder.filePath(QStringLiteral("old.backup"));
    writeFile(old, "an older backup\n");
    r = run({QStringLiteral("backup"), old, QStringLiteral("--force")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(readAll(old), good);
    QVERIFY(isPrivate(old));

    // A write that fails half-way (the file size limit, as on a full disk) leaves the good
    // backup in place and no half-written file beside it. The backup is made larger than
    // the limit, the limit larger than what the database engine itself writes.
    {
        data::Database db(QStringLiteral("grow"));
        db.setConfig(mainAlias());
        db.open();
        db.StartTransaction();
        for (int i = 1000; i < 1600; ++i)
            db.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (%1,'%2','PCS')")
                        .arg(i)
                        .arg(QString(200, QLatin1Char('x'))));
        db.Commit();
    }
    writeFile(old, "a good backup\n");
    r = run({QStringLiteral("backup"), old, QStringLiteral("--force")}, [] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{65536, 65536};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("cannot be written")), qPrintable(r.err));
    QCOMPARE(readAll(old), QByteArray("a good backup\n"));
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden | QDir::System),
             (QStringList{QStringLiteral("old.backup"), QStringLiteral("stock.backup")}));
}


void TestDbTool::checkAndUpgradeAsAnAdministratorRunsThem()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    Result r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Fit for the program; nothing differs.")), qPrintable(r.out));

    // Numbers taken twice where no unique index kept them apart.
    {
        data::Database admin(QStringLiteral("admin"));
        admin.setConfig(mainAlias());
        admin.open();
        admin.exec(testsupport::onMariaDb() ? QStringLiteral("ALTER TABLE nalozi DROP INDEX nalozi_nalog_id")
                                            : QStringLiteral("DROP INDEX nalozi_nalog_id"));
        admin.exec(QStringLiteral("insert into nalozi (nalog_id) values (4), (4)"));
    }
    r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("No unique index protects nalozi.nalog_id"))
                 && r.out.contains(QStringLiteral("4 (2 rows)")),
             qPrintable(r.out));
    QVERIFY(run({QStringLiteral("show")}).out.contains(QStringLiteral("NOT protected: no unique index on nalozi.nalog_id")));

    r = run({QStringLiteral("upgrade")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("No backup of")), qPrintable(r.err));
    const QString backup = m_dir->filePath(QStringLiteral("before.backup"));
    QCOMPARE(run({QStringLiteral("backup"), backup}).code, 0);
    r = run({QStringLiteral("upgrade")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("4 (2 rows)")) && r.err.contains(QStringLiteral("nothing was changed")),
             qPrintable(r.err));

    {
        data::Database admin(QStringLiteral("admin"));
        admin.setConfig(mainAlias());
        admin.open();
        admin.exec(QStringLiteral("update nalozi set nalog_id=5 where id=(select max(id) from (select id from nalozi) n)"));
    }
    r = run({QStringLiteral("upgrade")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Backup: ") + backup)
                 && r.out.contains(QStringLiteral("Added the unique index nalozi_nalog_id on nalozi.nalog_id.")),
             qPrintable(r.out + r.err));
    r = run({QStringLiteral("upgrade"), QStringLiteral("--no-backup")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("up to date")), qPrintable(r.out));
    QVERIFY(run({QStringLiteral("show")}).out.contains(QStringLiteral("Numbers:  protected by unique indexes")));

    // A data source that cannot be read: the check cannot tell.
    QFile garbage(m_dir->filePath(QStringLiteral("garbage.sqlite")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    QCOMPARE(run({"--alias", "broken", "set-alias", "sqlite", "--path", garbage.fileName()}).code, 0);
    r = run({QStringLiteral("--alias"), QStringLiteral("broken"), QStringLiteral("check")});
    QVERIFY2(r.code == 2, qPrintable(r.out + r.err));
}

void TestDbTool::orphanLedgerRowsAreListedAndRemovedOnlyAfterABackup()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("remove-orphans")}).code, 0); // nothing to remove, no backup asked
    data::Database admin(QStringLiteral("admin"));
    admin.setConfig(mainAlias());
    admin.open();
    // A whole dispatch, and what deleting dispatches used to leave: priced product rows of
    // kind 'I' under no header, and article rows of a receipt and a work order gone.
    admin.exec(QStringLiteral("insert into ispratnici (id, ispratnica_id, datum) values (7, 1, '2026-03-01')"));
    admin.exec(QStringLiteral("insert into magacin_artikli (vid_dokument, document_id, id_artikal, vlez_kol, izlez_kol) "
                              "values ('I', 7, 1, 0, 2), ('P', 70, 1, 5, 0), ('N', 71, 1, 0, 1)"));
    admin.exec(QStringLiteral("insert into magacin_proizvodi (vid_dokument, document_id, id_proizvod, vlez_kol, "
                              "izlez_kol, proizvod_cena, proizvod_tarifa) values ('I', 7, 1, 0, 1, 10, 18), "
                              "('I', 80, 1, 0, 1, 10, 18), ('I', 80, 2, 0, 3, 10, 18), ('I', 81, 1, 0, 1, 10, 18)"));
    Result r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("3 row(s) of kind 'I' in magacin_proizvodi belong to 2 document(s) that "
                                           "ispratnici no longer holds"))
                 && r.out.contains(QStringLiteral("1 row(s) of kind 'P' in magacin_artikli"))
                 && r.out.contains(QStringLiteral("1 row(s) of kind 'N' in magacin_artikli"))
                 && !r.out.contains(QStringLiteral("kind 'I' in magacin_artikli"))
                 && r.out.contains(QStringLiteral("Fit for the program, with the notes above.")),
             qPrintable(r.out));

    r = run({QStringLiteral("remove-orphans")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("No backup of")), qPrintable(r.err));
    auto rows = [&admin](const char* table) {
        QSqlQuery count(admin.handle());
        return count.exec(QStringLiteral("select count(*) from %1").arg(QLatin1String(table))) && count.next()
                   ? count.value(0).toInt()
                   : -1;
    };
    QCOMPARE(rows("magacin_proizvodi"), 4); // refused: nothing changed
    QCOMPARE(run({QStringLiteral("backup"), m_dir->filePath(QStringLiteral("before.backup"))}).code, 0);
    r = run({QStringLiteral("remove-orphans")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Deleted 3 row(s) of kind 'I' from magacin_proizvodi (2 document(s) "
                                           "missing from ispratnici).")),
             qPrintable(r.out));
    // The dispatch that is still there keeps both its rows.
    QCOMPARE(rows("magacin_artikli"), 1);
    QCOMPARE(rows("magacin_proizvodi"), 1);
    r = run({QStringLiteral("check")});
    QVERIFY2(r.out.contains(QStringLiteral("Fit for the program; nothing differs.")), qPrintable(r.out));
}

void TestDbTool::checkListsValuesNoBusinessHas()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    data::Database admin(QStringLiteral("admin"));
    admin.setConfig(mainAlias());
    admin.open();
    // What another program may have written: the windows refuse to enter any of it.
    admin.exec(QStringLiteral("insert into priemnici (id, priemnica_id, datum) values (1, 1, '2026-03-01')"));
    admin.exec(QStringLiteral("insert into magacin_artikli (vid_dokument, document_id, id_artikal, vlez_kol, izlez_kol) "
                              "values ('P', 1, 1, 1e300, 0), ('P', 1, 2, 5, 0), ('P', 1, 3, -2, 0)"));
    admin.exec(QStringLiteral("insert into komintenti (naziv, rabat) values ('ACME', 150), ('BETA', 5)"));
    admin.exec(
        QStringLiteral("insert into proizvodi (sifra, proizvod, cena, tarifa, rabat) values (0, 'DOOR', -100, 18, 0)"));
    admin.exec(QStringLiteral("insert into proizvodi_sostav (id_proizvod, id_artikal, kolicina) values (1, 1, -5)"));
    const Result r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    for (const char* line :
         {"2 row(s) of magacin_artikli hold a quantity below 0 or above 1,000,000,000",
          "1 row(s) of komintenti hold a discount outside 0 to 100", "1 row(s) of proizvodi hold a price below 0",
          "1 row(s) of proizvodi_sostav hold a composition quantity of 0 or less"})
        QVERIFY2(r.out.contains(QLatin1String(line)), qPrintable(r.out));
    QVERIFY2(!r.out.contains(QLatin1String("nothing differs")), qPrintable(r.out));
}

namespace {

// The part of a backup before its trailer, and the trailer.
QByteArray bodyOf(const QByteArray& file)
{
    const qsizetype trailer = file.indexOf("\nTRAILER\n");
    return trailer < 0 ? file : file.left(trailer + 1);
}

// A backup whose trailer's checksum is made to fit its content again (the counts stay).
QByteArray resealed(const QByteArray& file)
{
    const QByteArray body = bodyOf(file);
    QByteArray trailer = file.mid(body.size());
    trailer = trailer.left(trailer.indexOf("SHA-256 "));
    return body + trailer + "SHA-256 " + QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex() + '\n';
}

// The backup with the first row of `table` given `value` in `column`.
QByteArray withValue(const QByteArray& file, const char* table, const char* column, const QJsonValue& value)
{
    QList<QByteArray> lines = file.split('\n');
    const qsizetype heading =
        std::find_if(lines.begin(), lines.end(),
                     [&](const QByteArray& l) { return l.startsWith(QByteArray("TABLE ") + table + ' '); })
        - lines.begin();
    if (heading + 2 >= lines.size())
        return {};
    const QJsonArray columns = QJsonDocument::fromJson(lines.at(heading + 1)).array();
    QJsonArray row = QJsonDocument::fromJson(lines.at(heading + 2)).array();
    const qsizetype at = columns.toVariantList().indexOf(QString::fromLatin1(column));
    if (at < 0)
        return {};
    row[at] = value;
    lines[heading + 2] = QJsonDocument(row).toJson(QJsonDocument::Compact);
    return lines.join('\n');
}

// A backup as the version before the trailer wrote it.
QByteArray older(const QByteArray& file)
{
    return bodyOf(file).replace("DUREDIR-BACKUP 2\n", "DUREDIR-BACKUP 1\n");
}

} // namespace

void TestDbTool::badBackupIsRefusedAndChangesNothing_data()
{
    // How the good backup of the sample business is changed, the options restore gets, the
    // exit code and what the message says.
    QTest::addColumn<std::function<QByteArray(const QByteArray&)>>("change");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("code");
    QTest::addColumn<QStringList>("says");
    using Change = std::function<QByteArray(const QByteArray&)>;
    const QStringList unchecked{QStringLiteral("--accept-unchecked")};
    const Change cutAtTable = [](const QByteArray& f) { return f.left(f.indexOf("TABLE priemnici ")); };
    const Change cutInRow = [](const QByteArray& f) {
        const qsizetype columns = f.indexOf("\n[", f.indexOf("TABLE nalozi "));
        return f.left(f.indexOf("\n[", columns + 1) + 5); // inside its first row
    };

    QTest::newRow("whole") << Change([](const QByteArray& f) { return f; }) << QStringList() << 0 << QStringList();
    QTest::newRow("cut at a table boundary")
        << cutAtTable << QStringList() << 1
        << QStringList{"cut off", "without the trailer", "the last table begun is nalozi"};
    QTest::newRow("cut at a table boundary, --accept-unchecked") << cutAtTable << unchecked << 1 << QStringList{"cut off"};
    QTest::newRow("cut inside a row") << cutInRow << unchecked << 1 << QStringList{"cut off inside this line"};
    QTest::newRow("cut inside the trailer") << Change([](const QByteArray& f) { return f.left(f.indexOf("SHA-256 ")); })
                                            << QStringList() << 1 << QStringList{"cut off", "inside its trailer"};
    QTest::newRow("without a trailer") << Change(bodyOf) << unchecked << 1 << QStringList{"cut off"};
    QTest::newRow("a row count changed in a heading")
        << Change([](const QByteArray& f) { return QByteArray(f).replace("TABLE artikli 32\n", "TABLE artikli 31\n"); })
        << QStringList() << 1 << QStringList{"damaged", "checksum"};
    QTest::newRow("a row count changed in the trailer")
        << Change([](const QByteArray& f) { return QByteArray(f).replace("COUNT artikli 32\n", "COUNT artikli 33\n"); })
        << QStringList() << 1 << QStringList{"damaged", "trailer counts rows as artikli 33", "the file holds artikli 32"};
    QTest::newRow("a value changed") << Change([](const QByteArray& f) {
        return withValue(f, "artikli", "artikal", QStringLiteral("NAILS"));
    }) << QStringList() << 1 << QStringList{"damaged", "checksum"};
    QTest::newRow("text after the trailer") << Change([](const QByteArray& f) { return f + "TABLE artikli 0\n"; })
                                            << QStringList() << 1 << QStringList{"damaged", "follows the trailer"};
    QTest::newRow("older backup") << Change(older) << QStringList() << 1
                                  << QStringList{"older version", "--accept-unchecked", "nothing was changed"};
    QTest::newRow("older backup, --accept-unchecked") << Change(older) << unchecked << 0 << QStringList();
    QTest::newRow("older backup cut inside a table, --accept-unchecked")
        << Change([=](const QByteArray& f) { return older(cutInRow(f)).left(older(cutInRow(f)).lastIndexOf('\n') + 1); })
        << unchecked << 1 << QStringList{"cut off", "nalozi ends after"};
    // Values a column does not hold, in files whose checksum fits.
    QTest::newRow("abc in an integer column")
        << Change([](const QByteArray& f) { return resealed(withValue(f, "artikli", "sifra", QStringLiteral("abc"))); })
        << QStringList() << 1 << QStringList{"table artikli, row 1, column sifra", "\"abc\"", "not a whole number"};
    QTest::newRow("abc in an integer column of an older backup, --accept-unchecked")
        << Change([](const QByteArray& f) { return older(withValue(f, "artikli", "sifra", QStringLiteral("abc"))); })
        << unchecked << 1 << QStringList{"table artikli, row 1, column sifra", "not a whole number"};
    QTest::newRow("a fraction in an integer column")
        << Change([](const QByteArray& f) { return resealed(withValue(f, "priemnici", "priemnica_id", 1.5)); })
        << QStringList() << 1 << QStringList{"column priemnica_id", "1.5", "not a whole number"};
    QTest::newRow("an integer beyond INT")
        << Change([](const QByteArray& f) { return resealed(withValue(f, "artikli", "sifra", 12345678901234567890.0)); })
        << QStringList() << 1 << QStringList{"column sifra", "outside the whole numbers"};
    QTest::newRow("a text in a number column") << Change([](const QByteArray& f) {
        return resealed(withValue(f, "magacin_artikli", "vlez_kol", QStringLiteral("12 kg")));
    }) << QStringList() << 1 << QStringList{"table magacin_artikli, row 1, column vlez_kol", "not a finite number"};
    QTest::newRow("a number too large for any column, as text") << Change([](const QByteArray& f) {
        return resealed(withValue(f, "magacin_artikli", "izlez_kol", QStringLiteral("1e999")));
    }) << QStringList() << 1 << QStringList{"column izlez_kol", "not a finite number"};
    QTest::newRow("a date that does not exist") << Change([](const QByteArray& f) {
        return resealed(withValue(f, "priemnici", "datum", QStringLiteral("2026-02-30")));
    }) << QStringList() << 1 << QStringList{"table priemnici, row 1, column datum", "2026-02-30", "not a date"};
    QTest::newRow("a number in a date column")
        << Change([](const QByteArray& f) { return resealed(withValue(f, "nalozi", "datum_start", 20260101)); })
        << QStringList() << 1 << QStringList{"column datum_start", "not a date"};
    QTest::newRow("a row one value short") << Change([](const QByteArray& f) {
        QByteArray g = f;
        const qsizetype columns = g.indexOf("\n[", g.indexOf("TABLE vraboteni "));
        const qsizetype row = g.indexOf("\n[", columns + 1) + 1;
        const qsizetype end = g.indexOf('\n', row);
        g.replace(row, end - row, "[1]");
        return resealed(g);
    }) << QStringList() << 1 << QStringList{"row 1 of vraboteni does not match"};
}

void TestDbTool::badBackupIsRefusedAndChangesNothing()
{
    QFETCH(std::function<QByteArray(const QByteArray&)>, change);
    QFETCH(QStringList, options);
    QFETCH(int, code);
    QFETCH(QStringList, says);
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const QString good = m_dir->filePath(QStringLiteral("good.backup"));
    Result r = run({QStringLiteral("backup"), good});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QByteArray whole = readAll(good);
    QVERIFY(whole.contains("\nTRAILER\nCOUNT artikli 32\n"));
    const QByteArray bad = change(whole);
    QVERIFY(!bad.isEmpty());
    const QString file = m_dir->filePath(QStringLiteral("bad.backup"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bad);
    }

    // Restored with --replace over the very rows it was made from: a refusal that changed
    // anything would leave tables emptied or half filled.
    const data::AliasConfig cfg = mainAlias();
    const QStringList before = contents(cfg);
    r = run(QStringList{QStringLiteral("restore"), file, QStringLiteral("--replace")} + options);
    QVERIFY2(r.code == code, qPrintable(r.out + r.err));
    for (const QString& text : says)
        QVERIFY2(r.err.contains(text, Qt::CaseInsensitive), qPrintable(text + QStringLiteral(" not in: ") + r.err));
    if (code != 0)
        QVERIFY2(r.err.contains(file) && r.err.contains(QStringLiteral("Nothing was changed.")), qPrintable(r.err));
    QCOMPARE(contents(cfg), before);
}

void TestDbTool::backupNeverReplacesTheDatabaseOrWhatIsNotAFile_data()
{
    // Where the backup is written (made by `prepare` in the test's folder, given the SQLite
    // database file), whether on SQLite only, and what the refusal says.
    QTest::addColumn<std::function<QString(const QString&, const QString&)>>("prepare");
    QTest::addColumn<bool>("sqliteOnly");
    QTest::addColumn<QString>("says");
    using Prepare = std::function<QString(const QString&, const QString&)>;
    QTest::newRow("the database file") << Prepare([](const QString&, const QString& db) { return db; }) << true
                                       << QStringLiteral("is the database file of this data source");
    QTest::newRow("the database file by another spelling") << Prepare([](const QString&, const QString& db) {
        const QFileInfo info(db);
        return info.absolutePath() + QStringLiteral("/../") + info.absoluteDir().dirName() + QStringLiteral("/./")
               + info.fileName();
    }) << true << QStringLiteral("is the database file of this data source");
    QTest::newRow("a link to the database file") << Prepare([](const QString& dir, const QString& db) {
        const QString link = dir + QStringLiteral("/link.backup");
        return QFile::link(db, link) ? link : QString();
    }) << true << QStringLiteral("is the database file of this data source");
    QTest::newRow("a hard link to the database file") << Prepare([](const QString& dir, const QString& db) {
        const QString link = dir + QStringLiteral("/hard.backup");
        return ::link(QFile::encodeName(db).constData(), QFile::encodeName(link).constData()) == 0 ? link : QString();
    }) << true << QStringLiteral("is the database file of this data source");
    QTest::newRow("its journal") << Prepare([](const QString&, const QString& db) {
        return db + QStringLiteral("-journal");
    }) << true << QStringLiteral("is a journal of the database file");
    QTest::newRow("a FIFO") << Prepare([](const QString& dir, const QString&) {
        const QString fifo = dir + QStringLiteral("/fifo.backup");
        return ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0 ? fifo : QString();
    }) << false << QStringLiteral("is a FIFO, not a regular file");
    QTest::newRow("a device") << Prepare([](const QString& dir, const QString&) {
        // /dev/null itself where a fault could not replace it; as root a node of our own.
        if (::geteuid() != 0)
            return QStringLiteral("/dev/null");
        const QString node = dir + QStringLiteral("/null.backup");
        return ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 3)) == 0 ? node : QString();
    }) << false << QStringLiteral("is a device, not a regular file");
    QTest::newRow("a folder") << Prepare([](const QString& dir, const QString&) { return dir; }) << false
                              << QStringLiteral("is a folder");
    QTest::newRow("a link that leads nowhere") << Prepare([](const QString& dir, const QString&) {
        const QString link = dir + QStringLiteral("/dangling.backup");
        return QFile::link(dir + QStringLiteral("/nothing"), link) ? link : QString();
    }) << false << QStringLiteral("leads nowhere");
}

void TestDbTool::backupNeverReplacesTheDatabaseOrWhatIsNotAFile()
{
    QFETCH(std::function<QString(const QString&, const QString&)>, prepare);
    QFETCH(bool, sqliteOnly);
    QFETCH(QString, says);
    if (sqliteOnly && testsupport::onMariaDb())
        QSKIP("a MariaDB data source has no file of its own");
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const data::AliasConfig cfg = mainAlias();
    const QString folder = m_dir->filePath(QStringLiteral("backups"));
    QVERIFY(QDir().mkpath(folder));
    const QString target = prepare(folder, QFileInfo(cfg.path).absoluteFilePath());
    if (target.isEmpty())
        QSKIP("this kind of file cannot be made here");
    struct stat was {};
    const bool existed = ::stat(QFile::encodeName(target).constData(), &was) == 0;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QStringList before = contents(cfg);

    for (const QStringList& extra : {QStringList(), QStringList{QStringLiteral("--force")}}) {
        const Result r = run(QStringList{QStringLiteral("backup"), target} + extra);
        QVERIFY2(r.code == 1, qPrintable(extra.join(' ') + r.out + r.err));
        QVERIFY2(r.err.contains(says) && r.err.contains(target) && r.err.contains(QStringLiteral("Nothing was written.")),
                 qPrintable(r.err));
        if (extra.isEmpty())
            QVERIFY2(!r.err.contains(QStringLiteral("--force to replace")), qPrintable(r.err));
        // The same thing is there, and nothing beside it (no temporary file left).
        struct stat is {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &is) == 0, existed);
        if (existed) {
            QCOMPARE(is.st_ino, was.st_ino);
            QCOMPARE(is.st_mode, was.st_mode);
        }
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), entries);
        QCOMPARE(contents(cfg), before);
    }
    // The data source still opens as the program's.
    QCOMPARE(run({QStringLiteral("check")}).code, 0);
}

void TestDbTool::badArgumentsAreRefusedAndChangeNothing_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said"); // on standard error
    QTest::newRow("misspelt option") << QStringList{"set-alias", "sqlite", "--pth", "x.sqlite"}
                                     << "Unknown option or argument \"--pth\"";
    QTest::newRow("port not a number") << QStringList{"set-alias", "mariadb", "--database", "d", "--port", "abc"}
                                       << "--port takes a port number from 1 to 65535";
    QTest::newRow("port out of range") << QStringList{"set-alias", "mariadb", "--database", "d", "--port", "99999"}
                                       << "--port takes a port number from 1 to 65535";
    QTest::newRow("option as a value") << QStringList{"set-alias", "mariadb", "--database", "--socket", "/x"}
                                       << "--database needs a value";
    QTest::newRow("option twice") << QStringList{"set-alias", "sqlite", "--path", "/a", "--path", "/b"}
                                  << "--path is given twice";
    QTest::newRow("alias climbing out") << QStringList{"--alias", "../../escape", "set-alias", "sqlite"}
                                        << "may hold only letters, digits, _ and -";
    QTest::newRow("alias with a slash") << QStringList{"--alias", "a/b", "show"} << "may hold only letters";
    QTest::newRow("init with an unknown option") << QStringList{"init", "--if-neded"} << "Unknown option";
    QTest::newRow("check with an argument") << QStringList{"check", "now"} << "Unknown option or argument \"now\"";
    QTest::newRow("show with an option") << QStringList{"show", "--all"} << "Unknown option";
    QTest::newRow("accept-triggers with a name")
        << QStringList{"accept-triggers", "t"} << "Unknown option or argument \"t\"";
}

void TestDbTool::badArgumentsAreRefusedAndChangeNothing()
{
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    QFile aliases(m_dir->filePath(QStringLiteral("config/duredir/aliases.ini")));
    const QByteArray before = aliases.open(QIODevice::ReadOnly) ? aliases.readAll() : QByteArray();
    aliases.close();
    const Result r = run(args);
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(said), qPrintable(r.err));
    QVERIFY(aliases.open(QIODevice::ReadOnly) || before.isEmpty());
    QCOMPARE(aliases.readAll(), before);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("escape.sqlite"))));
}

void TestDbTool::aliasPathsAreKeptWhole()
{
    // Written by the tool: relative paths are kept as full paths, from the folder it ran in.
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(m_dir->path());
    p.start(QStringLiteral(DUREDIR_DB_TOOL), {"--alias", "rel", "set-alias", "sqlite", "--path", "rel.sqlite"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    qputenv("XDG_CONFIG_HOME", m_dir->filePath(QStringLiteral("config")).toUtf8());
    QCOMPARE(data::resolveAlias(QStringLiteral("rel")).path, m_dir->filePath(QStringLiteral("rel.sqlite")));

    // Written by hand: a relative path is refused, naming the key, before anything is opened.
    QFile aliases(m_dir->filePath(QStringLiteral("config/duredir/aliases.ini")));
    QVERIFY(aliases.open(QIODevice::Append));
    aliases.write("\n[planted]\ndriver=sqlite\npath=stock.sqlite\n");
    aliases.close();
    try {
        data::resolveAlias(QStringLiteral("planted"));
        QFAIL("a relative path was taken");
    } catch (const data::DatabaseError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("relative path \"stock.sqlite\"")), qPrintable(e.text()));
    }
    const Result r = run({QStringLiteral("--alias"), QStringLiteral("planted"), QStringLiteral("show")});
    QCOMPARE(r.code, 1);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("stock.sqlite"))));
}

// Under umask 000 the alias file (written, then rewritten), the database, the record of
// backups and every folder made for them are still their user's alone.
void TestDbTool::whatTheToolCreatesIsPrivateWhateverTheUmask()
{
    for (const char* made : {"config", "data", "state"})
        QVERIFY(QDir(m_dir->filePath(QLatin1String(made))).removeRecursively());
    const auto lax = [] { ::umask(0); };
    const QString other = m_dir->filePath(QStringLiteral("elsewhere/deeper/other.sqlite"));
    for (const QStringList& args :
         {QStringList{"--alias", "files", "set-alias", "sqlite"},
          QStringList{"--alias", "other", "set-alias", "sqlite", "--path", other},
          QStringList{"--alias", "files", "init"}, QStringList{"--alias", "other", "init"},
          QStringList{"--alias", "files", "backup", m_dir->filePath(QStringLiteral("files.backup"))}}) {
        const Result r = run(args, lax);
        QVERIFY2(r.code == 0, qPrintable(args.join(QLatin1Char(' ')) + QStringLiteral(": ") + r.err));
    }
    QStringList wrong;
    auto expect = [&](const QString& below, int mode) {
        struct stat st {};
        const QString path = below.startsWith(QLatin1Char('/')) ? below : m_dir->filePath(below);
        const int actual = ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
        if (actual != mode)
            wrong << QStringLiteral("%1 is %2, not %3").arg(below, QString::number(actual, 8), QString::number(mode, 8));
    };
    for (const char* folder :
         {"config", "config/duredir", "data", "data/duredir", "elsewhere", "elsewhere/deeper", "state", "state/duredir"})
        expect(QLatin1String(folder), 0700);
    for (const char* file :
         {"config/duredir/aliases.ini", "data/duredir/files.sqlite", "state/duredir/backups.ini", "files.backup"})
        expect(QLatin1String(file), 0600);
    expect(other, 0600);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
}

namespace {

// The trigger another user plants in the database: every new article deletes the partners.
QString plantedTrigger(const char* body = "DELETE FROM komintenti")
{
    return testsupport::onMariaDb()
               ? QStringLiteral("CREATE TRIGGER t AFTER INSERT ON artikli FOR EACH ROW %1").arg(QLatin1String(body))
               : QStringLiteral("CREATE TRIGGER t AFTER INSERT ON artikli BEGIN %1; END").arg(QLatin1String(body));
}

} // namespace

void TestDbTool::plantedTriggerIsNotFitUntilAccepted()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    data::Database admin(QStringLiteral("admin"));
    admin.setConfig(mainAlias());
    admin.open();
    admin.exec(QStringLiteral("insert into komintenti (naziv) values ('ACME')"));
    admin.exec(plantedTrigger());

    Result r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(QStringLiteral("not fit: The trigger t on artikli was not created by the program"))
                 && r.out.contains(QStringLiteral("DELETE FROM komintenti"))
                 && r.out.contains(QStringLiteral("'duredir-db accept-triggers'"))
                 && r.out.contains(QStringLiteral("Not fit for the program.")),
             qPrintable(r.out));
    // The commands that write rows refuse too, before writing any.
    const QString backup = m_dir->filePath(QStringLiteral("planted.backup"));
    QCOMPARE(run({QStringLiteral("backup"), backup}).code, 0);
    for (const QStringList& args : {QStringList{"restore", backup, "--replace"}, QStringList{"remove-orphans"}}) {
        r = run(args);
        QVERIFY2(r.code == 1 && r.err.contains(QStringLiteral("has triggers that the program did not create"))
                     && r.err.contains(QStringLiteral("not accepted: t (on artikli).")),
                 qPrintable(args.join(' ') + r.err));
    }
    auto partners = [&admin] {
        QSqlQuery q(admin.handle());
        return q.exec(QStringLiteral("select count(*) from komintenti")) && q.next() ? q.value(0).toInt() : -1;
    };
    QCOMPARE(partners(), 1);

    r = run({QStringLiteral("accept-triggers")});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains(QStringLiteral("Accepted 1 trigger(s)"))
                 && r.out.contains(QStringLiteral("t on artikli (SHA-256 "))
                 && r.out.contains(QStringLiteral("DELETE FROM komintenti")),
             qPrintable(r.out));
    r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("note:    The trigger t on artikli is not the program's; its administrator "
                                           "accepted it on")),
             qPrintable(r.out));

    // Replaced under the accepted name: not fit again.
    admin.exec(QStringLiteral("DROP TRIGGER t"));
    admin.exec(plantedTrigger("DELETE FROM vraboteni"));
    r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(QStringLiteral("not fit: The trigger t on artikli has changed since its administrator "
                                           "accepted it")),
             qPrintable(r.out));
}

void TestDbTool::acceptingTriggersOnVersionTwoTakesAnUpgradeAfterABackup()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    data::Database admin(QStringLiteral("admin"));
    admin.setConfig(mainAlias());
    admin.open();
    admin.exec(QStringLiteral("DROP TABLE duredir_accepted_triggers"));
    admin.exec(QStringLiteral("update duredir_schema set version=2"));
    Result r = run({QStringLiteral("check")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("The program works on it as it is")), qPrintable(r.out));
    admin.exec(plantedTrigger());

    r = run({QStringLiteral("accept-triggers")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("needs schema version 3"))
                 && r.err.contains(QStringLiteral("'duredir-db upgrade'")),
             qPrintable(r.err));
    r = run({QStringLiteral("upgrade")});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(QStringLiteral("No backup of")), qPrintable(r.err));
    QCOMPARE(run({QStringLiteral("accept-triggers")}).code, 1); // still version 2

    QCOMPARE(run({QStringLiteral("backup"), m_dir->filePath(QStringLiteral("before.backup"))}).code, 0);
    r = run({QStringLiteral("upgrade")});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.contains(QStringLiteral("Added the table duredir_accepted_triggers"))
                 && r.out.contains(QStringLiteral("Recorded schema version 3."))
                 && r.out.contains(QStringLiteral("not fit: The trigger t on artikli")),
             qPrintable(r.out));
    QCOMPARE(run({QStringLiteral("accept-triggers")}).code, 0);
    QCOMPARE(run({QStringLiteral("check")}).code, 0);
}

void TestDbTool::hostileNamesAreQuotedAndDropNothing()
{
    QCOMPARE(run({QStringLiteral("init")}).code, 0);
    QCOMPARE(run({QStringLiteral("demo")}).code, 0);
    const data::AliasConfig cfg = mainAlias();
    const QStringList before = contents(cfg);
    {
        data::Database admin(QStringLiteral("admin"));
        admin.setConfig(cfg);
        admin.open();
        const QStringList planted =
            testsupport::onMariaDb()
                ? QStringList{QStringLiteral("CREATE TABLE `x\"; drop table artikli; --` (a INT PRIMARY KEY, b INT)"),
                              QStringLiteral(
                                  "CREATE INDEX `i``; drop table artikli; --` ON `x\"; drop table artikli; --` (b)"),
                              QStringLiteral("CREATE INDEX `y\"); drop table artikli; --` ON artikli (edm)")}
                : QStringList{QStringLiteral("CREATE TABLE \"x\"\"; drop table artikli; --\" (a INTEGER, b INTEGER)"),
                              QStringLiteral("CREATE INDEX \"i\"\"; drop table artikli; --\" ON \"x\"\"; drop table "
                                             "artikli; --\" (b)"),
                              QStringLiteral("CREATE INDEX \"y\"\"); drop table artikli; --\" ON artikli (edm)")};
        for (const QString& s : planted)
            admin.exec(s);
    }
    for (const QStringList& args : {QStringList{"check"}, QStringList{"upgrade", "--no-backup"}, QStringList{"show"}}) {
        const Result r = run(args);
        QVERIFY2(r.code == 0, qPrintable(args.join(' ') + r.out + r.err));
        if (args.first() == QLatin1String("check"))
            QVERIFY2(r.out.contains(QStringLiteral("note:    The table \"x\"; drop table artikli; --\" is not the "
                                                   "program's")),
                     qPrintable(r.out));
    }
    QCOMPARE(contents(cfg), before);
}

QTEST_GUILESS_MAIN(TestDbTool)
#include "test_dbtool.moc"
