// The MariaDB server dies while a goods receipt is being saved: the save leaves nothing
// half-written and says so with the window's own message, the window keeps its lines, the
// next focus change after the server is back reopens the connection, and saving again
// stores the receipt whole, once. Runs on a private server of its own (MariaDB only).
#include "priemnica_fixture.h"
#include "kit/bitbtn.h"
#include "support/appmain.h"

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
    void serverKilledDuringReceiptSave();
};

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

struct ServerGuard {
    QString dir;
    ~ServerGuard() { stopServer(dir); }
};

} // namespace

void TestLostConnection::serverKilledDuringReceiptSave()
{
    if (!testsupport::onMariaDb())
        QSKIP("the server is killed and restarted: MariaDB only");
    QTemporaryDir dir(QStringLiteral("/tmp/duredir-lost.XXXXXX"));
    QVERIFY(dir.isValid());
    ServerGuard guard{dir.path()};
    const QString socket = startServer(dir.path());
    QVERIFY(!socket.isEmpty());
    qputenv("DUREDIR_TEST_MARIADB_SOCKET", socket.toUtf8());

    AppFixture app;
    QCOMPARE(app.database().config().socket, socket);
    const Master m = seed(app);
    auto* entry = openEntry(app, openList(app));
    QVERIFY(entry);
    entry->VnesiKomintentiID(m.acme);
    addLine(app, entry, m.screw, QStringLiteral("5"));
    addLine(app, entry, m.nut, QStringLiteral("2.5"));
    addLine(app, entry, m.screw, QStringLiteral("7"));
    const QStringList lines = gridLines(entry);
    QCOMPARE(lines.size(), 3);

    // The server dies just before the second ledger row goes in.
    int ledgerInserts = 0;
    app.database().db().setStatementHook([&](const QString& text) {
        if (text.contains(QLatin1String("insert into magacin_artikli"), Qt::CaseInsensitive) && ++ledgerInserts == 2)
            killServer(dir.path());
    });
    app.clearMessages();
    entry->BitBtn1->Click();
    AppFixture::settle();
    app.database().db().setStatementHook({});
    QCOMPARE(ledgerInserts, 2);
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", "Goods Receipt,is not entered !!!"}}));
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);
    QCOMPARE(gridLines(entry), lines);
    QVERIFY(!app.database().db().Connected());

    // The server comes back; the operator moves on to another field, which reconnects.
    QVERIFY(!startServer(dir.path()).isEmpty());
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
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"),
                                  QStringLiteral("document_id=%1 and document_id_label=1 and id_komintent=%2")
                                      .arg(header)
                                      .arg(m.acme)),
             3);
    QCOMPARE(app.database().scalar(QStringLiteral("select sum(vlez_kol) from magacin_artikli")).toDouble(), 14.5);
    QCOMPARE(app.database().count(QStringLiteral("magacin_artikli"), QStringLiteral("id_artikal=%1").arg(m.screw)), 2);
}

DUREDIR_APP_TEST_MAIN(TestLostConnection)
#include "test_lostconnection.moc"
