// Several sites on one stock: a cluster whose every node takes writes. Three workstations,
// each on its own node, save receipts through the program's own entry window at the same
// time; every number is taken once, every ledger row sits under its own header, and every
// node shows the same stock. Runs when DUREDIR_TEST_CLUSTER_SOCKETS lists the nodes'
// sockets (scripts/mariadb-cluster), the first of them also in DUREDIR_TEST_MARIADB_SOCKET;
// DUREDIR_TEST_CLUSTER_DIR names the cluster's folder, for freezing a node and killing its
// last one.
#include "data/database.h"
#include "data/query.h"
#include "data/schemaversion.h"
#include "support/receiptchecks.h"
#include "support/testdb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestCluster : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writersOnEveryNodeKeepNumbersApart();
    void compositionReplacedOnOneNodeIsTheSameOnEvery();
    // Before the kill: a frozen node is taken back into a cluster of three.
    void aFrozenNodeIsLeftForTheNext();
    void aNodeKilledMidwayFailsOver();

private:
    QStringList m_nodes;
};

void TestCluster::initTestCase()
{
    m_nodes = qEnvironmentVariable("DUREDIR_TEST_CLUSTER_SOCKETS").split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (m_nodes.size() < 2)
        QSKIP("no cluster (DUREDIR_TEST_CLUSTER_SOCKETS)");
    QCOMPARE(testsupport::mariaDbSocket(), m_nodes.first());
}

namespace {

// What the given node answers to `statement`, row by row.
QString rowsOn(const data::AliasConfig& base, const QString& socket, const QString& statement)
{
    data::AliasConfig c = base;
    c.socket = socket;
    const QString name = QStringLiteral("node-%1").arg(socket);
    data::Database db(name);
    db.setConfig(c);
    db.open();
    // Reads wait until the node has applied what the others committed.
    db.exec(QStringLiteral("SET SESSION wsrep_sync_wait=1"));
    data::Query q(&db);
    q.SQL.Add(statement);
    q.Open();
    QString out;
    for (int r = 0; r < q.RecordCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < q.fieldCount(); ++c)
            cells << q.value(r, c).toString();
        out += cells.join(QLatin1Char(':')) + QLatin1Char(';');
    }
    return out;
}

// The stock of every article as the given node sees it.
QString balances(const data::AliasConfig& base, const QString& socket)
{
    return rowsOn(base, socket,
                  QStringLiteral("select id_artikal, sum(vlez_kol)-sum(izlez_kol) s, count(*) n from magacin_artikli "
                                 "group by id_artikal order by id_artikal"));
}

} // namespace

namespace {

struct Business {
    int partner = 0;
    int article = 0;
};

Business seed(testsupport::TestDatabase& t)
{
    t.exec(QStringLiteral("insert into komintenti (naziv) values ('ACME')"));
    t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (1,'SCREW','PCS')"));
    return {t.scalar(QStringLiteral("select id from komintenti")).toInt(),
            t.scalar(QStringLiteral("select id from artikli")).toInt()};
}

// Writer w (1-based) saves `each` receipts through the node list `nodes`, each line of
// quantity w.
std::unique_ptr<QProcess> startWriter(const testsupport::TestDatabase& t, const Business& b, int w, int each,
                                      const QStringList& nodes, bool retry, const QStringList& extra = {},
                                      QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessChannelMode(channels);
    QStringList args{"--mariadb",
                     nodes.join(QLatin1Char(',')),
                     t.config().database,
                     "--count",
                     QString::number(each),
                     "--partner",
                     QString::number(b.partner),
                     "--article",
                     QString::number(b.article),
                     "--tag",
                     QString::number(w)};
    if (retry)
        args << QStringLiteral("--retry");
    args << extra;
    p->start(QStringLiteral(DUREDIR_RECEIPT_WRITER), args);
    return p;
}


} // namespace

void TestCluster::compositionReplacedOnOneNodeIsTheSameOnEvery()
{
    // A product's composition is replaced whole: its rows deleted, the new ones inserted.
    // Galera supports deletes only on tables with a primary key (a simple one may still
    // replicate without, as below would): every table has one.
    testsupport::TestDatabase t;
    for (const data::SchemaFinding& f : data::inspectSchema(t.db()).of(data::SchemaFinding::Kind::NoPrimaryKey))
        QFAIL(qPrintable(f.text));
    t.exec(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                          "values (1,1,2,0), (1,2,3,0), (2,1,1,0)"));
    data::AliasConfig second = t.config();
    second.socket = m_nodes.at(1);
    data::Database db(QStringLiteral("second node"));
    db.setConfig(second);
    db.open();
    // The second node may not have applied the first node's rows yet (on a busy machine it
    // has not): its delete is to meet them.
    db.exec(QStringLiteral("SET SESSION wsrep_sync_wait=15"));
    data::runSave(db, [&] {
        data::Query q(&db);
        q.SQL.Add(QStringLiteral("delete from proizvodi_sostav where id_proizvod=1"));
        q.ExecSQL();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) "
                                 "values (1,2,5,0)"));
        q.ExecSQL();
    });
    const QString composition = QStringLiteral("select id_proizvod, id_artikal, kolicina from proizvodi_sostav "
                                               "order by id_proizvod, id_artikal");
    const QString first = rowsOn(t.config(), m_nodes.first(), composition);
    QCOMPARE(first, QStringLiteral("1:2:5;2:1:1;"));
    for (const QString& node : m_nodes)
        QCOMPARE(rowsOn(t.config(), node, composition), first);
}

void TestCluster::aFrozenNodeIsLeftForTheNext()
{
    const QString dir = qEnvironmentVariable("DUREDIR_TEST_CLUSTER_DIR");
    if (dir.isEmpty() || m_nodes.size() < 3)
        QSKIP("no cluster folder of three nodes (DUREDIR_TEST_CLUSTER_DIR)");
    testsupport::TestDatabase t; // on the first node, which stays up
    const Business b = seed(t);
    const int each = 60;
    const int writers = 3;
    // The limit outlasts the others' stall until the cluster has left the frozen node out
    // (a few seconds), so that only the writer on it runs out of time.
    const QStringList limit{QStringLiteral("--answer-timeout"), QStringLiteral("10")};
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w) {
        QStringList nodes = m_nodes.mid(w - 1) + m_nodes.mid(0, w - 1);
        processes.push_back(startWriter(t, b, w, each, nodes, true, limit,
                                        w == 2 ? QProcess::SeparateChannels : QProcess::ForwardedErrorChannel));
    }
    // The second writer's node stops answering, its connections left open, while every
    // writer is busy; it stays frozen until they are done.
    QTRY_VERIFY_WITH_TIMEOUT(t.count(QStringLiteral("priemnici")) >= each / 2, 300000);
    QFile pidFile(dir + QStringLiteral("/node2/mysqld.pid"));
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = QString::fromLatin1(pidFile.readAll()).trimmed().toInt();
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid, SIGSTOP), 0);
    struct Thaw {
        pid_t pid;
        ~Thaw()
        {
            if (pid > 0)
                ::kill(pid, SIGCONT);
        }
    } thaw{pid};
    int cut = 0;
    for (int w = 1; w <= writers; ++w) {
        QProcess& p = *processes.at(size_t(w - 1));
        QVERIFY(p.waitForFinished(600000));
        if (w == 2) {
            const QString log = QString::fromUtf8(p.readAllStandardError());
            qInfo().noquote() << log.trimmed();
            const QRegularExpressionMatch m =
                QRegularExpression(QStringLiteral("(\\d+) saves cut off and saved again")).match(log);
            QVERIFY2(m.hasMatch(), qPrintable(log));
            cut = m.captured(1).toInt();
        }
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("saved %1 failed 0").arg(each));
        QCOMPARE(p.exitCode(), 0);
    }
    // Its node never answered again meanwhile: the writer went on on another node.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    QVERIFY(stat.open(QIODevice::ReadOnly));
    QVERIFY(stat.readAll().contains(") T "));

    // Every number once and without a gap, every header with its lines. A save cut off
    // while its commit was on the way may have been stored after all (its answer never
    // came): saved again, it is a receipt more, never a number twice or a header without
    // its lines.
    const int total = t.count(QStringLiteral("priemnici"));
    QVERIFY2(total >= writers * each && total <= writers * each + cut,
             qPrintable(QStringLiteral("%1 receipts, %2 saves cut off").arg(total).arg(cut)));
    testsupport::checkWrittenReceipts(t, total);

    // Thawed, the node comes back into the cluster (the kill below needs three).
    ::kill(pid, SIGCONT);
    thaw.pid = 0;
    auto status = [&](const QString& socket, const QString& name) {
        try {
            return rowsOn(t.config(), socket, QStringLiteral("show status like '%1'").arg(name)).section(QLatin1Char(':'), 1);
        } catch (const data::Error&) {
            return QString();
        }
    };
    QTRY_VERIFY_WITH_TIMEOUT(status(m_nodes.at(1), QStringLiteral("wsrep_local_state_comment")) == QLatin1String("Synced;")
                                 && status(m_nodes.first(), QStringLiteral("wsrep_cluster_size")) == QLatin1String("3;"),
                             120000);
}

void TestCluster::aNodeKilledMidwayFailsOver()
{
    const QString dir = qEnvironmentVariable("DUREDIR_TEST_CLUSTER_DIR");
    if (dir.isEmpty())
        QSKIP("no cluster folder (DUREDIR_TEST_CLUSTER_DIR)");
    testsupport::TestDatabase t;
    const Business b = seed(t);
    const int each = 150;
    const int writers = int(m_nodes.size());
    // Each writer starts on its own node and lists the others after it.
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w) {
        QStringList nodes = m_nodes.mid(w - 1) + m_nodes.mid(0, w - 1);
        processes.push_back(startWriter(t, b, w, each, nodes, true));
    }
    // The last node dies while every writer is busy.
    QTRY_VERIFY_WITH_TIMEOUT(t.count(QStringLiteral("priemnici")) >= each, 300000);
    QCOMPARE(QProcess::execute(QStringLiteral(DUREDIR_SOURCE_DIR "/scripts/mariadb-cluster"),
                               {QStringLiteral("kill"), dir, QString::number(writers)}),
             0);
    for (auto& p : processes) {
        QVERIFY(p->waitForFinished(600000));
        QCOMPARE(QString::fromUtf8(p->readAllStandardOutput()).trimmed(), QStringLiteral("saved %1 failed 0").arg(each));
        QCOMPARE(p->exitCode(), 0);
    }
    testsupport::checkWrittenReceipts(t, writers * each);
    const QString expected = balances(t.config(), m_nodes.first());
    for (const QString& node : m_nodes.mid(0, writers - 1))
        QCOMPARE(balances(t.config(), node), expected);
}

void TestCluster::writersOnEveryNodeKeepNumbersApart()
{
    testsupport::TestDatabase t;
    const Business b = seed(t);
    const int each = qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT") > 0
                         ? qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT")
                         : 300;
    const int writers = int(m_nodes.size());
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w)
        processes.push_back(startWriter(t, b, w, each, {m_nodes.at(w - 1)}, false));
    for (auto& p : processes) {
        QVERIFY(p->waitForFinished(600000));
        QCOMPARE(QString::fromUtf8(p->readAllStandardOutput()).trimmed(), QStringLiteral("saved %1 failed 0").arg(each));
        QCOMPARE(p->exitCode(), 0);
    }
    const int total = writers * each;
    testsupport::checkWrittenReceipts(t, total);
    // Every node gives the same balances.
    const QString expected =
        QStringLiteral("%1:%2:%3;").arg(b.article).arg(2 * each * (writers * (writers + 1) / 2)).arg(2 * total);
    for (const QString& node : m_nodes)
        QCOMPARE(balances(t.config(), node), expected);

    // The administrator's view: which node answered, and the cluster it sees.
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    auto tool = [&](const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(DUREDIR_DB_TOOL), args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    };
    tool({"set-alias", "mariadb", "--database", t.config().database, "--nodes", m_nodes.join(QLatin1Char(','))});
    const QString shown = tool({"show"});
    QVERIFY2(shown.contains(QStringLiteral("Node:     %1\n").arg(m_nodes.first())), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("Cluster:  %1 nodes, Primary, this node Synced").arg(m_nodes.size())),
             qPrintable(shown));
}

QTEST_GUILESS_MAIN(TestCluster)
#include "test_cluster.moc"
