// duredir-db as an administrator runs it: init refuses a second time, show and demo work,
// on the engine the suite runs against.
#include "data/alias.h"
#include "data/database.h"
#include "data/query.h"
#include "support/testdb.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

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

private:
    struct Result {
        int code;
        QString out;
        QString err;
    };
    Result run(const QStringList& args);
    void pointAliasAtFreshDatabase();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_mariaDb;
};

TestDbTool::Result TestDbTool::run(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir->filePath(QStringLiteral("data")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(DUREDIR_DB_TOOL), args);
    if (!p.waitForFinished(120000))
        return {-1, QString(), QStringLiteral("timeout")};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
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
    for (const char* c : {"init", "show", "set-alias", "demo", "backup", "restore"}) {
        const Result r = run({QString::fromLatin1(c), QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: duredir-db")));
    }
    QCOMPARE(run({QStringLiteral("frobnicate")}).code, 2);
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
    const QRegularExpression option(QStringLiteral("(?<![\\w-])(--?[a-z][a-z-]*)"));
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
        const bool documented = std::any_of(heads.begin(), heads.end(),
                                            [&](const QStringList& h) { return h.first() == command; });
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
    data::Query q(nullptr, QStringLiteral("compare"));
    for (const char* t : {"artikli", "komintenti", "vraboteni", "proizvodi", "proizvodi_sostav", "nalozi",
                             "priemnici", "ispratnici", "magacin_artikli", "magacin_proizvodi", "info_table"}) {
        q.Close();
        q.SQL.Clear();
        const QString table = QString::fromLatin1(t);
        q.SQL.Add(QStringLiteral("select * from %1 order by %2").arg(table, table == QLatin1String("info_table") ? "1" : "1,2"));
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
        QCOMPARE(run(target + QStringList{"set-alias", "mariadb", "--socket", testsupport::mariaDbSocket(),
                                          "--database", copyDb})
                     .code,
                 0);
    }
    QCOMPARE(run(target + QStringList{"init"}).code, 0);
    r = run(target + QStringList{"restore", file});
    QCOMPARE(r.code, 0);
    QCOMPARE(contents(data::resolveAlias(QStringLiteral("copy"))), before);
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

QTEST_GUILESS_MAIN(TestDbTool)
#include "test_dbtool.moc"
