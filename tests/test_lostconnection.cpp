// The MariaDB server dies, or stops answering, while a goods receipt is being saved: the save
// leaves nothing half-written and says so with the window's own message, the window keeps
// its lines, the next focus change after the server is back reopens the connection, and
// saving again stores the receipt whole, once. A server that stops answering (frozen with
// SIGSTOP) costs one answer limit, never more. Runs on a private server of its own (MariaDB
// only), with a short answer limit so that the waits stay short.
#include "priemnica_fixture.h"
#include "data/database.h"
#include "data/errors.h"
#include "kit/bitbtn.h"
#include "support/appmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

using namespace receipts;
using testsupport::AppFixture;
using testsupport::Shown;

class TestLostConnection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void serverKilledDuringReceiptSave();
    void frozenServerCostsOneAnswerLimit();
    void lockHeldElsewhereEndsAsConflict();
    void serverFrozenDuringReceiptSave();
    void serverFrozenOnTheCommit();

private:
    QString m_dir;
    QString m_socket;
    std::unique_ptr<QTemporaryDir> m_home;
};

namespace {

// The receipt window's own failure words, and why.
const QString kCutOff = QStringLiteral("Goods Receipt,is not entered !!!\n\nThe connection to the database was lost. "
                                       "Nothing was saved: save again once it is back.");


// A receipt entry window for ACME with three lines (SCREW 5, NUT 2.5, SCREW 7), not saved.
TSPriemnicaVnes* filledEntry(AppFixture& app, const Master& m)
{
    auto* entry = openEntry(app, openList(app));
    if (!entry)
        return nullptr;
    entry->VnesiKomintentiID(m.acme);
    addLine(app, entry, m.screw, QStringLiteral("5"));
    addLine(app, entry, m.nut, QStringLiteral("2.5"));
    addLine(app, entry, m.screw, QStringLiteral("7"));
    return entry;
}

} // namespace

namespace {

const QString script = QStringLiteral(DUREDIR_SOURCE_DIR "/scripts/mariadb-private");

QString startServer(const QString& dir)
{
    QProcess p;
    p.start(QStringLiteral("sh"), {script, QStringLiteral("start"), dir});
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void stopServer(const QString& dir)
{
    QProcess p;
    p.start(QStringLiteral("sh"), {script, QStringLiteral("stop"), dir});
    p.waitForFinished(60000);
}

// Kills the server the hard way: no shutdown, its transactions die with it.
void killServer(const QString& dir)
{
    QFile f(dir + QStringLiteral("/mysqld.pid"));
    if (!f.open(QIODevice::ReadOnly))
        return;
    const pid_t pid = QString::fromLatin1(f.readAll()).trimmed().toInt();
    if (pid <= 0)
        return;
    ::kill(pid, SIGKILL);
    // Dead once it is gone or a zombie: its files, socket and locks are released by then.
    for (int i = 0; i < 500; ++i) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            break;
        const QByteArray fields = stat.readAll();
        const qsizetype close = fields.lastIndexOf(')');
        if (close >= 0 && fields.mid(close + 2, 1) == "Z")
            break;
        QThread::msleep(10);
    }
    // The socket file stays behind; the restart waits for a new one.
    QFile::remove(dir + QStringLiteral("/mysqld.sock"));
    QFile::remove(dir + QStringLiteral("/mysqld.pid"));
}

// True once the server accepts connections again.
bool waitForServer(const QString& socket)
{
    const QString name = QStringLiteral("lost-connection-probe");
    bool up = false;
    for (int i = 0; i < 150 && !up; ++i) {
        {
            QSqlDatabase probe = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
            probe.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(socket));
            up = probe.open();
            probe.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (!up)
            QTest::qWait(200);
    }
    return up;
}

pid_t serverPid(const QString& dir)
{
    QFile f(dir + QStringLiteral("/mysqld.pid"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return QString::fromLatin1(f.readAll()).trimmed().toInt();
}

// The server stops answering without closing its connections (as behind a pulled cable)
// until thawed; it is never left frozen.
class Freeze {
public:
    explicit Freeze(const QString& dir) : m_pid(serverPid(dir))
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGSTOP);
        // Stopped once the kernel says so.
        for (int i = 0; i < 200 && m_pid > 0 && state() != 'T'; ++i)
            QThread::msleep(5);
    }
    ~Freeze() { thaw(); }
    Freeze(const Freeze&) = delete;
    Freeze& operator=(const Freeze&) = delete;
    bool frozen() const { return m_pid > 0 && state() == 'T'; }
    void thaw()
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGCONT);
        m_pid = 0;
    }

private:
    char state() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(m_pid));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray fields = stat.readAll();
        const qsizetype close = fields.lastIndexOf(')');
        return close >= 0 && close + 2 < fields.size() ? fields.at(close + 2) : '\0';
    }

    pid_t m_pid;
};

// The answer limit of these tests: short, so that a wait stays short; the connect limit
// follows it.
constexpr int kLimit = 3;

void useLimit(data::Database& db)
{
    data::AliasConfig c = db.config();
    c.answerTimeout = kLimit;
    db.setConfig(c);
    db.close();
    db.open();
}

QVariant scalarOn(data::Database& db, const QString& statement)
{
    data::Query q(&db);
    q.SQL.Add(statement);
    q.Open();
    return q.value(0, 0);
}

// A wait that ended with the answer limit, give or take the client library's and a busy
// machine's slack.
#define QVERIFY_ONE_LIMIT(ms)                                                                                          \
    QVERIFY2((ms) >= kLimit * 1000 - 300 && (ms) < kLimit * 1000 + 2000,                                               \
             qPrintable(QStringLiteral("waited %1 ms for a limit of %2 s").arg(ms).arg(kLimit)))

} // namespace

void TestLostConnection::initTestCase()
{
    if (!testsupport::onMariaDb())
        QSKIP("the server is killed, frozen and restarted: MariaDB only");
    m_home = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/duredir-lost.XXXXXX"));
    QVERIFY(m_home->isValid());
    m_dir = m_home->path();
    m_socket = startServer(m_dir);
    QVERIFY(!m_socket.isEmpty());
    qputenv("DUREDIR_TEST_MARIADB_SOCKET", m_socket.toUtf8());
}

void TestLostConnection::cleanupTestCase()
{
    if (!m_dir.isEmpty())
        stopServer(m_dir);
}

void TestLostConnection::serverKilledDuringReceiptSave()
{
    const QString socket = m_socket;
    AppFixture app;
    QCOMPARE(app.database().config().socket, socket);
    const Master m = seed(app);
    auto* entry = filledEntry(app, m);
    QVERIFY(entry);
    const QStringList lines = gridLines(entry);
    QCOMPARE(lines.size(), 3);

    // The server dies just before the second ledger row goes in.
    int ledgerInserts = 0;
    app.database().db().setStatementHook([&](const QString& text) {
        if (text.contains(QLatin1String("insert into magacin_artikli"), Qt::CaseInsensitive) && ++ledgerInserts == 2)
            killServer(m_dir);
    });
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    app.database().db().setStatementHook({});
    QCOMPARE(ledgerInserts, 2);
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", kCutOff}}));
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);
    QCOMPARE(gridLines(entry), lines);
    QVERIFY(!app.database().db().Connected());

    // The server comes back; the operator moves on to another field, which reconnects.
    QVERIFY(!startServer(m_dir).isEmpty());
    QVERIFY(waitForServer(socket));
    entry->StringGrid1->setFocus();
    AppFixture::settle();
    entry->BitBtn1->setFocus();
    AppFixture::settle();
    QVERIFY(app.database().db().Connected());

    // The cut-off save left nothing behind; saving again stores the receipt once, whole.
    QCOMPARE(app.database().count(QStringLiteral("priemnici")), 0);
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli")), 0);
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), QList<Shown>({{"Information", "Goods Receipt,successful entered!!!"}}));
    QCOMPARE(app.database().count(QStringLiteral("priemnici")), 1);
    QCOMPARE(app.database().scalar(QStringLiteral("select priemnica_id from priemnici")).toInt(), 1);
    const int header = app.database().scalar(QStringLiteral("select id from priemnici")).toInt();
    QCOMPARE(app.database()
                 .count(QStringLiteral("magacin_artikli"),
                        QStringLiteral("document_id=%1 and document_id_label=1 and id_komintent=%2").arg(header).arg(m.acme)),
             3);
    QCOMPARE(app.database().scalar(QStringLiteral("select sum(vlez_kol) from magacin_artikli")).toDouble(), 14.5);
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"), QStringLiteral("id_artikal=%1").arg(m.screw)), 2);
}

void TestLostConnection::frozenServerCostsOneAnswerLimit()
{
    testsupport::TestDatabase t;
    data::Database& db = t.db();
    useLimit(db);
    // A lock held elsewhere is given up on before the answer limit.
    QCOMPARE(scalarOn(db, QStringLiteral("select @@session.innodb_lock_wait_timeout")).toInt(),
             db.config().lockWaitTimeout());
    QVERIFY(db.config().lockWaitTimeout() < kLimit);

    QElapsedTimer clock;
    {
        // A statement to a server that stopped answering: a lost connection after the limit.
        Freeze freeze(m_dir);
        QVERIFY(freeze.frozen());
        clock.start();
        try {
            scalarOn(db, QStringLiteral("select count(*) from artikli"));
            QFAIL("a frozen server answered");
        } catch (const data::DatabaseError& e) {
            QVERIFY_ONE_LIMIT(clock.elapsed());
            QVERIFY2(e.isConnectionLost(), qPrintable(e.nativeCode() + QLatin1Char(' ') + e.text()));
            QVERIFY2(e.text().contains(QStringLiteral("did not answer within %1 s").arg(kLimit)), qPrintable(e.text()));
        }
        QVERIFY(!db.Connected());
        // Connecting to it again gives up after the connect limit (its greeting never comes).
        clock.restart();
        try {
            db.ensureConnected();
            QFAIL("connected to a frozen server");
        } catch (const data::DatabaseError& e) {
            QVERIFY_ONE_LIMIT(clock.elapsed());
            QVERIFY(e.isConnectionLost());
            QVERIFY2(e.text().contains(QStringLiteral("did not answer within %1 s").arg(kLimit)), qPrintable(e.text()));
        }
        QVERIFY(!db.Connected());
    }
    // Thawed: the next step connects again.
    db.ensureConnected();
    QVERIFY(db.Connected());
    QCOMPARE(scalarOn(db, QStringLiteral("select count(*) from artikli")).toInt(), 0);

    {
        // The ping of a focus change on an open connection: one limit, no second wait for a
        // reconnect to the same server in the same step.
        Freeze freeze(m_dir);
        clock.restart();
        try {
            db.ensureConnected();
            QFAIL("a frozen server answered the ping");
        } catch (const data::DatabaseError& e) {
            QVERIFY_ONE_LIMIT(clock.elapsed());
            QVERIFY(e.isConnectionLost());
        }
        QVERIFY(!db.Connected());
    }
    db.ensureConnected();
    QCOMPARE(scalarOn(db, QStringLiteral("select count(*) from artikli")).toInt(), 0);
}

void TestLostConnection::lockHeldElsewhereEndsAsConflict()
{
    testsupport::TestDatabase t;
    t.exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(1,'SCREW','PCS')"));
    data::Database& db = t.db();
    useLimit(db);
    data::Database other(QStringLiteral("other workstation"));
    other.setConfig(t.config());
    other.open();
    other.StartTransaction();
    other.exec(QStringLiteral("update artikli set artikal='HELD' where sifra=1"));

    db.StartTransaction();
    QElapsedTimer clock;
    clock.start();
    try {
        data::Query q(&db);
        q.SQL.Add(QStringLiteral("update artikli set artikal='MINE' where sifra=1"));
        q.ExecSQL();
        QFAIL("the row lock held elsewhere was not waited for");
    } catch (const data::DatabaseError& e) {
        // The conflict the save runner runs again after, before the answer limit, on a
        // connection that stays open.
        QVERIFY2(e.isConflict(), qPrintable(e.nativeCode() + QLatin1Char(' ') + e.text()));
        QVERIFY(!e.isConnectionLost());
        QVERIFY2(clock.elapsed() < kLimit * 1000 - 500, qPrintable(QString::number(clock.elapsed())));
    }
    QVERIFY(db.Connected());
    db.Rollback();
    other.Rollback();
}

void TestLostConnection::serverFrozenDuringReceiptSave()
{
    AppFixture app;
    useLimit(app.database().db());
    const Master m = seed(app);
    auto* entry = filledEntry(app, m);
    QVERIFY(entry);
    const QStringList lines = gridLines(entry);

    // The server stops answering just before the second ledger row goes in: the header and
    // the first row are on the server, in the save's transaction.
    std::unique_ptr<Freeze> freeze;
    int ledgerInserts = 0;
    app.database().db().setStatementHook([&](const QString& text) {
        if (text.contains(QLatin1String("insert into magacin_artikli"), Qt::CaseInsensitive) && ++ledgerInserts == 2)
            freeze = std::make_unique<Freeze>(m_dir);
    });
    app.clearMessages();
    QElapsedTimer clock;
    clock.start();
    entry->BitBtn1->Click();
    const qint64 waited = clock.elapsed();
    AppFixture::settle();
    app.database().db().setStatementHook({});
    QVERIFY(freeze && freeze->frozen());
    QVERIFY_ONE_LIMIT(waited);
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", kCutOff}}));
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);
    QCOMPARE(gridLines(entry), lines);
    QVERIFY(!app.database().db().Connected());

    // The server answers again and drops the connection it was cut from, rolling its
    // transaction back; nothing of the save is left once no transaction is open.
    freeze->thaw();
    data::Database admin(QStringLiteral("administrator"));
    admin.setConfig(app.database().config());
    admin.open();
    QTRY_COMPARE_WITH_TIMEOUT(scalarOn(admin, QStringLiteral("select count(*) from information_schema.innodb_trx")).toInt(),
                              0, 20000);
    QCOMPARE(scalarOn(admin, QStringLiteral("select count(*) from priemnici")).toInt(), 0);
    QCOMPARE(scalarOn(admin, QStringLiteral("select count(*) from magacin_artikli")).toInt(), 0);

    // The operator's next step reconnects; saving again stores the receipt once, whole.
    entry->StringGrid1->setFocus();
    AppFixture::settle();
    entry->BitBtn1->setFocus();
    AppFixture::settle();
    QVERIFY(app.database().db().Connected());
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), QList<Shown>({{"Information", "Goods Receipt,successful entered!!!"}}));
    QCOMPARE(app.database().count(QStringLiteral("priemnici")), 1);
    QCOMPARE(app.database().scalar(QStringLiteral("select priemnica_id from priemnici")).toInt(), 1);
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli")), 3);
    QCOMPARE(app.database().scalar(QStringLiteral("select sum(vlez_kol) from magacin_artikli")).toDouble(), 14.5);
}

// The server stops answering with the COMMIT on its way: the save may have been stored (a
// server that goes on reads the COMMIT it was sent), so the window must not say that nothing
// was, nor invite a blind second save; what the server kept is whole.
void TestLostConnection::serverFrozenOnTheCommit()
{
    AppFixture app;
    useLimit(app.database().db());
    const Master m = seed(app);
    auto* entry = filledEntry(app, m);
    QVERIFY(entry);
    std::unique_ptr<Freeze> freeze;
    app.database().db().setStatementHook([&](const QString& text) {
        if (text == QLatin1String("COMMIT"))
            freeze = std::make_unique<Freeze>(m_dir);
    });
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    app.database().db().setStatementHook({});
    QVERIFY(freeze && freeze->frozen());
    QCOMPARE(app.messages(),
             QList<Shown>({{"Warning", QStringLiteral("Goods Receipt,is not entered !!!\n\nThe connection to the "
                                                      "database was lost while the save was being completed, so it "
                                                      "may have been stored all the same. Once the connection is "
                                                      "back, look in the list before saving again, or it may be "
                                                      "stored twice.")}}));
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);

    freeze->thaw();
    data::Database admin(QStringLiteral("administrator"));
    admin.setConfig(app.database().config());
    admin.open();
    QTRY_COMPARE_WITH_TIMEOUT(scalarOn(admin, QStringLiteral("select count(*) from information_schema.innodb_trx")).toInt(),
                              0, 20000);
    const int receipts = scalarOn(admin, QStringLiteral("select count(*) from priemnici")).toInt();
    QVERIFY(receipts == 0 || receipts == 1);
    QCOMPARE(scalarOn(admin, QStringLiteral("select count(*) from magacin_artikli")).toInt(), 3 * receipts);
}

DUREDIR_APP_TEST_MAIN(TestLostConnection)
#include "test_lostconnection.moc"
