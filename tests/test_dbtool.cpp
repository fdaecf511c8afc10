// duredir-db as an administrator runs it: init refuses a second time, show and demo work,
// on the engine the suite runs against.
#include "data/alias.h"
#include "data/database.h"
#include "data/query.h"
#include "support/testdb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestDbTool : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void initTwiceRefusesAndChangesNothing();
    void demoFillsAnEmptyDatabaseOnce();
    void helpForEveryCommand();

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
    for (const char* c : {"init", "show", "set-alias", "demo"}) {
        const Result r = run({QString::fromLatin1(c), QStringLiteral("--help")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("Usage: duredir-db")));
    }
    QCOMPARE(run({QStringLiteral("frobnicate")}).code, 2);
}

QTEST_GUILESS_MAIN(TestDbTool)
#include "test_dbtool.moc"
