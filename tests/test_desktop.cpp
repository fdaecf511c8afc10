// The real program on a real X server (Xvfb) under a window manager: real modal boxes,
// window titles as the X server holds them, keys and clicks sent through xdotool, and a
// second workstation (a connection of this process) changing the database while the
// program's windows are open. What the in-process fixture cannot see: boxes that open
// one another, modality, changes made elsewhere between loading and saving.
#include "desktopcursor.h"
#include "support/testdb.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>

#include <sys/prctl.h>

namespace {

const QString kProgram = QStringLiteral(DUREDIR_PROGRAM);
const QString kDbTool = QStringLiteral(DUREDIR_DB_TOOL);
const QString kServerScript = QStringLiteral(DUREDIR_SOURCE_DIR "/scripts/mariadb-private");
const QString kOther = QStringLiteral("other-workstation");
// The goods receipt list's panel: where this colour shows, the list is the front window.
const QRgb kListPanel = qRgb(255, 128, 128);

// Every process started here dies with the test, even when the test itself is killed.
void dieWithTest(QProcess& p)
{
    p.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

struct Output {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

Output run(const QString& program, const QStringList& args, const QProcessEnvironment& env, int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    dieWithTest(p);
    p.start(program, args);
    Output o;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(3000);
        o.err = "timed out";
        return o;
    }
    o.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    o.out = p.readAllStandardOutput();
    o.err = p.readAllStandardError();
    return o;
}

void stop(QProcess& p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(3000)) {
        p.kill();
        p.waitForFinished(3000);
    }
}

// Polls `done` until it holds or `timeoutMs` passes; true when it held.
bool poll(const std::function<bool()>& done, int timeoutMs, int stepMs = 100)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        if (done())
            return true;
        if (t.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(stepMs);
    }
}

// A home of its own: configuration, data, cache and runtime folders.
void makeHome(const QTemporaryDir& dir)
{
    QDir d(dir.path());
    for (const char* sub : {"config", "data", "cache", "runtime"})
        d.mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir.filePath(QStringLiteral("runtime")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

using WindowId = qulonglong;

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void updateOfReceiptDeletedElsewhere();
    void closeQuestionKeepsTheWorkOnEnter();
    void focusStaysWhereTheOperatorSendsIt();
    void deleteOfReceiptDeletedElsewhere();
    void lostServerGivesOneBoxPerEvent();
    void titlesAsWrittenAndAPreviewThatDoesNotBlock();
    void frozenServerUnderAnOpenListGivesOneBox();
    void updateInFlightOnAFrozenServer();

private:
    QProcessEnvironment env() const;

    // The desktop.
    QByteArray xdotool(const QStringList& args, int timeoutMs = 10000) const;
    // Visible windows whose title is `title` (Qt appends " — <application>" on X).
    QList<WindowId> windows(const QString& title) const;
    QStringList titles() const; // every visible title, for failure messages
    bool activate(WindowId id) const;
    void keys(const QStringList& keys) const;
    // Answers the box titled `title` with Enter and waits until it is gone.
    bool answer(const QString& title) const;
    // Where the receipt list's panel shows on the screen; empty when another window covers it.
    QRect listPanel() const;
    bool listInFront() const { return !listPanel().isEmpty(); }
    QImage screen() const;
    // The navigator's selected node (the active window's), as its row shows on the screen.
    QRect navigatorSelection() const;
    // White input fields 100 to 125 pixels wide right of the navigator (the number and date
    // fields of a document window), from top to bottom.
    QList<QRect> narrowFields() const;
    void click(const QPoint& at) const;

    // The data source and the other workstation's connection.
    bool prepareDataSource(const QString& socket);
    bool exec(const QStringList& statements);
    int scalar(const QString& statement);
    bool seedReceipt();
    bool deleteReceiptElsewhere();
    void closeOther();

    // A MariaDB server of this test's own, which it stops and starts.
    QString startServer();
    void stopServer();

    // The program.
    bool startProgram();
    bool openReceiptList();
    // The program takes keys again: F1 on the main window opens the help window.
    bool programAnswers();

    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    std::unique_ptr<QTemporaryDir> m_session; // the window manager's home
    std::unique_ptr<QTemporaryDir> m_dir;     // the program's home, per test
    std::unique_ptr<QTemporaryDir> m_server;  // the own server's data, when started
    QProcess m_program;
    QString m_database; // a database made on a MariaDB server for this test
    WindowId m_main = 0;

    // A server of the test's own whose program answers within kAnswerLimit seconds; empty
    // when it cannot be had.
    QString startServerWithLimit();
    // Stops (SIGSTOP) or resumes (SIGCONT) the own server without closing its connections.
    bool freezeServer(bool frozen);
    // Every box titled "Error", "Warning" or "Information" that shows, by title.
    QStringList boxes() const;
    static constexpr int kAnswerLimit = 3;
};

QProcessEnvironment TestDesktop::env() const
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert(QStringLiteral("DISPLAY"), m_display);
    e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    e.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    const QTemporaryDir* home = m_dir ? m_dir.get() : m_session.get();
    if (home) {
        e.insert(QStringLiteral("HOME"), home->path());
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), home->filePath(QStringLiteral("config")));
        e.insert(QStringLiteral("XDG_DATA_HOME"), home->filePath(QStringLiteral("data")));
        e.insert(QStringLiteral("XDG_CACHE_HOME"), home->filePath(QStringLiteral("cache")));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), home->filePath(QStringLiteral("runtime")));
    }
    return e;
}

void TestDesktop::initTestCase()
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/setup installs it)").arg(QLatin1String(tool))));

    m_session = std::make_unique<QTemporaryDir>();
    QVERIFY(m_session->isValid());
    makeHome(*m_session);

    // The server picks a free display and writes its number to stdout.
    dieWithTest(m_xvfb);
    m_xvfb.setStandardErrorFile(QProcess::nullDevice());
    m_xvfb.start(QStringLiteral("Xvfb"),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QVERIFY2(m_xvfb.waitForStarted(10000), "Xvfb did not start");
    QVERIFY2(poll(
                 [&] {
                     m_xvfb.waitForReadyRead(100);
                     return m_xvfb.canReadLine();
                 },
                 15000),
             "Xvfb named no display");
    m_display = QStringLiteral(":") + QString::fromLatin1(m_xvfb.readLine()).trimmed();

    dieWithTest(m_wm);
    m_wm.setProcessEnvironment(env());
    m_wm.setProcessChannelMode(QProcess::MergedChannels);
    m_wm.setStandardOutputFile(QProcess::nullDevice());
    m_wm.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QVERIFY2(m_wm.waitForStarted(10000), "openbox did not start");
    QVERIFY2(poll(
                 [&] {
                     const Output o = run(QStringLiteral("xprop"),
                                          {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}, env());
                     return o.out.contains("window id");
                 },
                 60000), // a machine busy with other tests can keep it waiting for a while
             "openbox did not take over the display");
}

void TestDesktop::cleanupTestCase()
{
    stop(m_wm);
    stop(m_xvfb);
}

void TestDesktop::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    makeHome(*m_dir);
    m_main = 0;
}

void TestDesktop::cleanup()
{
    if (QTest::currentTestFailed() && m_dir) {
        const QString shot = m_dir->filePath(QString::fromLatin1(QTest::currentTestFunction()) + QStringLiteral(".png"));
        run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), shot}, env());
        m_dir->setAutoRemove(false);
        qInfo().noquote() << "windows:" << titles().join(QStringLiteral(" | "));
        qInfo().noquote() << "screenshot and program output kept in" << m_dir->path();
    }
    stop(m_program);
    if (!m_database.isEmpty() && !m_server)
        exec({QStringLiteral("DROP DATABASE IF EXISTS %1").arg(m_database)});
    m_database.clear();
    closeOther();
    stopServer();
    m_server.reset();
    m_dir.reset();
}

// ---- the desktop

QByteArray TestDesktop::xdotool(const QStringList& args, int timeoutMs) const
{
    return run(QStringLiteral("xdotool"), args, env(), timeoutMs).out;
}

QList<WindowId> TestDesktop::windows(const QString& title) const
{
    // The name is a case-insensitive extended regular expression.
    const QByteArray out = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QStringLiteral("^%1( |$)").arg(title)});
    QList<WindowId> ids;
    for (const QByteArray& line : out.split('\n'))
        if (!line.trimmed().isEmpty())
            ids << line.trimmed().toULongLong();
    return ids;
}

QStringList TestDesktop::titles() const
{
    const QByteArray out = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QStringLiteral("."), QStringLiteral("getwindowname"), QStringLiteral("%@")});
    return QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool TestDesktop::activate(WindowId id) const
{
    const QString window = QString::number(id);
    xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), window}, 5000);
    return poll([&] { return xdotool({QStringLiteral("getactivewindow")}).trimmed() == window.toLatin1(); }, 5000);
}

void TestDesktop::keys(const QStringList& keys) const
{
    // To the focused window: a key sent to a named window can leave a modifier pressed.
    xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers"), QStringLiteral("--delay"),
                        QStringLiteral("60")}
            + keys);
}

bool TestDesktop::answer(const QString& title) const
{
    const QList<WindowId> boxes = windows(title);
    if (boxes.isEmpty())
        return false;
    const WindowId box = boxes.first();
    if (!activate(box))
        return false;
    keys({QStringLiteral("Return")});
    return poll([&] { return !windows(title).contains(box); }, 5000);
}

QImage TestDesktop::screen() const
{
    const Output o = run(QStringLiteral("import"),
                         {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-depth"),
                          QStringLiteral("8"), QStringLiteral("ppm:-")},
                         env());
    return QImage::fromData(o.out, "PPM").convertToFormat(QImage::Format_RGB32);
}

QRect TestDesktop::listPanel() const
{
    const QImage screen = this->screen();
    QRect found;
    int count = 0;
    for (int y = 0; y < screen.height(); y += 2) {
        const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); x += 2)
            if ((row[x] & 0xffffff) == (kListPanel & 0xffffff)) {
                found |= QRect(x, y, 1, 1);
                ++count;
            }
    }
    return count > 5000 ? found : QRect();
}

// ---- the data source

bool TestDesktop::prepareDataSource(const QString& socket)
{
    QStringList alias;
    QSqlDatabase other;
    if (socket.isEmpty()) {
        const QString path = m_dir->filePath(QStringLiteral("stock.sqlite"));
        alias = {QStringLiteral("set-alias"), QStringLiteral("sqlite"), QStringLiteral("--path"), path};
        other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kOther);
        other.setDatabaseName(path);
        other.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    } else {
        static QAtomicInt counter;
        m_database =
            QStringLiteral("duredir_desk%1_%2").arg(QCoreApplication::applicationPid()).arg(counter.fetchAndAddRelaxed(1));
        other = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), kOther);
        other.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(socket));
        if (!other.open() || !exec({QStringLiteral("CREATE DATABASE %1 CHARACTER SET utf8mb4").arg(m_database)})) {
            qWarning() << "no database on" << socket << other.lastError().text();
            return false;
        }
        other.close();
        other.setDatabaseName(m_database);
        alias = {QStringLiteral("set-alias"),  QStringLiteral("mariadb"),
                 QStringLiteral("--database"), m_database,
                 QStringLiteral("--socket"),   socket};
    }
    // The administrator creates the tables; the program then logs in as the suite's limited
    // account, when there is one (not on a server of the test's own).
    QList<QStringList> steps{alias, QStringList{QStringLiteral("init")}};
    if (!socket.isEmpty() && !m_server && !testsupport::mariaDbOptionFile().isEmpty())
        steps << alias + QStringList{QStringLiteral("--option-file"), testsupport::mariaDbOptionFile()};
    for (const QStringList& args : steps) {
        const Output o = run(kDbTool, args, env());
        if (o.code != 0) {
            qWarning().noquote() << "duredir-db" << args.join(QLatin1Char(' ')) << "failed:" << o.err;
            return false;
        }
    }
    if (!other.open()) {
        qWarning() << "the other workstation cannot connect:" << other.lastError().text();
        return false;
    }
    return true;
}

bool TestDesktop::exec(const QStringList& statements)
{
    QSqlDatabase db = QSqlDatabase::database(kOther, false);
    if (!db.isOpen())
        return false;
    db.transaction();
    for (const QString& s : statements) {
        QSqlQuery q(db);
        if (!q.exec(s)) {
            qWarning().noquote() << s << "failed:" << q.lastError().text();
            db.rollback();
            return false;
        }
    }
    return db.commit();
}

int TestDesktop::scalar(const QString& statement)
{
    QSqlQuery q(QSqlDatabase::database(kOther, false));
    if (!q.exec(statement) || !q.next()) {
        qWarning().noquote() << statement << "failed:" << q.lastError().text();
        return -1;
    }
    return q.value(0).toInt();
}

void TestDesktop::closeOther()
{
    if (!QSqlDatabase::contains(kOther))
        return;
    QSqlDatabase::database(kOther, false).close();
    QSqlDatabase::removeDatabase(kOther);
}

// Receipt 77: one line of 5 pieces from a partner, as the entry window writes it.
bool TestDesktop::seedReceipt()
{
    return exec({
        QStringLiteral("insert into komintenti(id,naziv,adresa,grad) values(1,'ACME','Main 1','Town')"),
        QStringLiteral("insert into artikli(id,sifra,artikal,edm) values(1,100,'SCREW','PCS')"),
        QStringLiteral("insert into priemnici(id,priemnica_id,datum) values(1,77,'2024-03-01')"),
        QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,"
                       "datum_referenca,firma_id,document_id_label) values('P',1,1,1,5,0,'2024-03-01',0,77)"),
    });
}

bool TestDesktop::deleteReceiptElsewhere()
{
    return exec({QStringLiteral("delete from magacin_artikli where vid_dokument='P' and document_id=1"),
                 QStringLiteral("delete from priemnici where id=1")});
}

QString TestDesktop::startServer()
{
    const Output o = run(QStringLiteral("sh"), {kServerScript, QStringLiteral("start"), m_server->path()}, env(), 120000);
    if (o.code != 0) {
        qWarning().noquote() << "the MariaDB server did not start:" << o.err;
        return QString();
    }
    const QString socket = QString::fromUtf8(o.out).trimmed();
    // Up once it takes connections.
    const QString probe = QStringLiteral("desktop-probe");
    const bool up = poll(
        [&] {
            bool open = false;
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), probe);
                db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(socket));
                open = db.open();
            }
            QSqlDatabase::removeDatabase(probe);
            return open;
        },
        30000, 200);
    return up ? socket : QString();
}

void TestDesktop::stopServer()
{
    if (m_server)
        run(QStringLiteral("sh"), {kServerScript, QStringLiteral("stop"), m_server->path()}, env(), 60000);
}

// ---- the program

bool TestDesktop::startProgram()
{
    m_program.setProcessEnvironment(env());
    // A file, not a pipe: a program that logs much must never wait for the test to read.
    m_program.setProcessChannelMode(QProcess::MergedChannels);
    m_program.setStandardOutputFile(m_dir->filePath(QStringLiteral("program.log")));
    dieWithTest(m_program);
    m_program.start(kProgram, QStringList());
    if (!m_program.waitForStarted(10000)) {
        qWarning() << "the program did not start:" << m_program.errorString();
        return false;
    }
    if (!poll([&] { return windows(QStringLiteral("Tervalo")).size() == 1; }, 30000)) {
        qWarning().noquote() << "no main window; windows:" << titles();
        return false;
    }
    m_main = windows(QStringLiteral("Tervalo")).first();
    return activate(m_main);
}

bool TestDesktop::openReceiptList()
{
    keys({QStringLiteral("alt+p")});
    if (poll([&] { return listInFront(); }, 10000))
        return true;
    qWarning() << "Alt+P showed no goods receipt list";
    return false;
}

bool TestDesktop::programAnswers()
{
    if (m_program.state() != QProcess::Running || m_program.waitForFinished(0)) {
        qWarning() << "the program ended";
        return false;
    }
    if (!activate(m_main)) {
        qWarning().noquote() << "the main window cannot be activated; windows:" << titles();
        return false;
    }
    keys({QStringLiteral("F1")});
    if (!poll([&] { return !windows(QStringLiteral("Duredir Help")).isEmpty(); }, 10000)) {
        qWarning().noquote() << "F1 opened no help window; windows:" << titles();
        return false;
    }
    return true;
}

// ---- the tests

void TestDesktop::titlesAsWrittenAndAPreviewThatDoesNotBlock()
{
    QVERIFY(prepareDataSource(testsupport::mariaDbSocket()));
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    auto name = [&](WindowId id) {
        return QString::fromUtf8(xdotool({QStringLiteral("getwindowname"), QString::number(id)}).trimmed());
    };
    // The titles the desktop shows are the program's own, with nothing appended.
    QCOMPARE(name(m_main), QStringLiteral("Tervalo"));
    keys({QStringLiteral("ctrl+p")});
    QVERIFY2(poll([&] { return windows(QStringLiteral("Information")).size() == 1; }, 10000), "Print asked nothing");
    QCOMPARE(name(windows(QStringLiteral("Information")).first()), QStringLiteral("Information"));
    const QStringList before = titles();
    QVERIFY(answer(QStringLiteral("Information")));
    QVERIFY2(poll(
                 [&] {
                     for (const QString& t : titles())
                         if (!before.contains(t))
                             return true;
                     return false;
                 },
                 10000),
             "no preview opened");
    // While the preview is open, the main window still takes the operator's keys.
    QVERIFY2(programAnswers(), "the main window was blocked by the preview");
}

void TestDesktop::updateOfReceiptDeletedElsewhere()
{
    QVERIFY(prepareDataSource(testsupport::mariaDbSocket()));
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    keys({QStringLiteral("F3")});
    QVERIFY2(poll([&] { return !listInFront(); }, 10000), "F3 opened no edit window over the list");

    QVERIFY(deleteReceiptElsewhere());
    // From the number field to "Update" (partner, date, Add, Delete, Update); Enter presses it.
    keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
          QStringLiteral("Tab"), QStringLiteral("Return")});
    QStringList shown;
    poll(
        [&] {
            for (const QString& title : {QStringLiteral("Warning"), QStringLiteral("Information"), QStringLiteral("Error")})
                for (qsizetype n = windows(title).size(); n > 0; --n)
                    shown << title;
            return !shown.isEmpty();
        },
        10000);
    QCOMPARE(shown, QStringList{QStringLiteral("Warning")});
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli where vid_dokument='P' and "
                                   "document_id not in (select id from priemnici)")),
             0);

    QVERIFY(answer(QStringLiteral("Warning")));
    QVERIFY2(!poll([&] { return listInFront(); }, 1000), "the edit window closed");
    QVERIFY(programAnswers());
}

// Child windows open beside the navigator, this far right of the frame's left edge.
constexpr int kChildLeft = 150;
// The colour of a selected row (the style's highlight).
const QRgb kSelection = qRgb(48, 140, 198);

QRect TestDesktop::navigatorSelection() const
{
    const QImage shot = screen();
    QRect band;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        int count = 0;
        for (int x = 0; x < qMin(kChildLeft, shot.width()); ++x)
            count += (row[x] & 0xffffff) == (kSelection & 0xffffff);
        if (count >= 60)
            band |= QRect(0, y, kChildLeft - 10, 1);
    }
    return band;
}

QList<QRect> TestDesktop::narrowFields() const
{
    const QImage shot = screen();
    QList<QRect> fields;
    for (int y = 0; y < shot.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = kChildLeft + 2; x < shot.width();) {
            if ((row[x] & 0xffffff) != 0xffffff) {
                ++x;
                continue;
            }
            int end = x;
            while (end < shot.width() && (row[end] & 0xffffff) == 0xffffff)
                ++end;
            if (end - x >= 100 && end - x <= 125) {
                // Rows of one field: the same left edge, a few rows apart at most (its text
                // breaks the white run in between).
                const QRect run(x, y, end - x, 1);
                auto same = std::find_if(fields.begin(), fields.end(), [&](const QRect& f) {
                    return qAbs(f.left() - run.left()) <= 2 && y - f.bottom() <= 14;
                });
                if (same != fields.end())
                    *same |= run;
                else
                    fields << run;
            }
            x = end;
        }
    }
    fields.removeIf([](const QRect& f) { return f.height() < 8; });
    std::sort(fields.begin(), fields.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
    return fields;
}

void TestDesktop::click(const QPoint& at) const
{
    xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
             QStringLiteral("1")});
}

// Over an entry window with input, Alt+F4 asks whether to close without saving; Enter is the
// safe answer: the program, the window and its input stay.
void TestDesktop::closeQuestionKeepsTheWorkOnEnter()
{
    QVERIFY(prepareDataSource(testsupport::mariaDbSocket()));
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    keys({QStringLiteral("F2")});
    QVERIFY2(poll([&] { return !listInFront(); }, 10000), "F2 opened no entry window over the list");
    // From the partner to the date, typed over today's.
    keys({QStringLiteral("Tab"), QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"),
          QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("5")});
    keys({QStringLiteral("alt+F4")});
    QVERIFY2(poll([&] { return windows(QStringLiteral("Warning")).size() == 1; }, 10000), "Alt+F4 asked nothing");
    QVERIFY(answer(QStringLiteral("Warning")));
    QVERIFY2(!m_program.waitForFinished(1500), qPrintable(QStringLiteral("Enter on the question closed the program (%1, %2)")
                                                              .arg(m_program.exitStatus())
                                                              .arg(m_program.exitCode())));
    QCOMPARE(windows(QStringLiteral("Tervalo")).size(), 1);
    QVERIFY2(!listInFront(), "the entry window closed");

    // The input is still there, so the program asks again; Yes closes it, saving nothing.
    QVERIFY(activate(m_main));
    keys({QStringLiteral("alt+F4")});
    QVERIFY2(poll([&] { return windows(QStringLiteral("Warning")).size() == 1; }, 10000),
             "the entry window lost its input");
    keys({QStringLiteral("alt+y")});
    QVERIFY2(m_program.waitForFinished(10000), "Yes did not close the program");
    QCOMPARE(scalar(QStringLiteral("select count(*) from priemnici")), 1);
}

// The number field's check on leaving lets the focus go where the operator sends it: to the
// list window (Ctrl+Tab, a click on its node in the navigator), whose Print then asks, and to
// the date field, which takes the digits typed next.
void TestDesktop::focusStaysWhereTheOperatorSendsIt()
{
    QVERIFY(prepareDataSource(testsupport::mariaDbSocket()));
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    const auto printAsks = [&] {
        keys({QStringLiteral("ctrl+p")});
        if (!poll([&] { return windows(QStringLiteral("Information")).size() == 1; }, 5000))
            return false;
        keys({QStringLiteral("Escape")}); // Cancel
        return poll([&] { return windows(QStringLiteral("Information")).isEmpty(); }, 5000);
    };
    keys({QStringLiteral("F3")}); // the focus in the number field
    QVERIFY2(poll([&] { return !listInFront(); }, 10000), "F3 opened no edit window over the list");

    keys({QStringLiteral("ctrl+Tab")});
    QVERIFY2(poll([&] { return listInFront(); }, 5000), "Ctrl+Tab did not bring the list to the front");
    QVERIFY2(printAsks(), "after Ctrl+Tab to the list, Print asked nothing");

    keys({QStringLiteral("ctrl+Tab")}); // back to the edit window, its number field
    QVERIFY2(poll([&] { return !listInFront(); }, 5000), "Ctrl+Tab did not bring the edit window back");
    // The list's node is the row above the edit window's.
    QRect node = navigatorSelection();
    QVERIFY2(node.height() >= 10, "no node selected in the navigator");
    click(QPoint(node.center().x(), node.center().y() - node.height()));
    QVERIFY2(poll([&] { return listInFront(); }, 5000), "a click on the list's node did not bring it to the front");
    QVERIFY2(printAsks(), "after a click to the list, Print asked nothing");

    node = navigatorSelection();
    click(QPoint(node.center().x(), node.center().y() + node.height()));
    QVERIFY2(poll([&] { return !listInFront(); }, 5000), "a click on the edit window's node did not bring it back");
    const QList<QRect> fields = narrowFields(); // the number, then the date
    QVERIFY2(fields.size() >= 2, qPrintable(QStringLiteral("%1 narrow fields on the screen").arg(fields.size())));
    // Past the end of the full date: the typing starts at its first digit.
    click(QPoint(fields.last().right() - 4, fields.last().center().y()));
    keys({QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("0"),
          QStringLiteral("4"), QStringLiteral("0"), QStringLiteral("7")});
    // Date, Add, Delete, Update.
    keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Return")});
    QVERIFY2(poll([&] { return windows(QStringLiteral("Information")).size() == 1; }, 10000),
             "the update with the typed date did not go through");
    QCOMPARE(scalar(QStringLiteral("select count(*) from priemnici where priemnica_id=77 and datum='2025-04-07'")), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli where document_id=1 and id_komintent=1")), 1);
    QVERIFY(answer(QStringLiteral("Information")));
    QVERIFY(programAnswers());
}

void TestDesktop::deleteOfReceiptDeletedElsewhere()
{
    QVERIFY(prepareDataSource(testsupport::mariaDbSocket()));
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    QVERIFY(deleteReceiptElsewhere());

    // The list's popup menu from the keyboard opens with nothing chosen: "New", "Update", "Del".
    keys({QStringLiteral("Menu"), QStringLiteral("Down"), QStringLiteral("Down"), QStringLiteral("Down"),
          QStringLiteral("Return")});
    QVERIFY2(poll([&] { return windows(QStringLiteral("Warning")).size() == 1; }, 10000), "Del asked nothing");
    QVERIFY(answer(QStringLiteral("Warning"))); // OK
    QVERIFY2(poll([&] { return !windows(QStringLiteral("Warning")).isEmpty(); }, 5000),
             "deleting a receipt that another workstation deleted first said nothing");
    QVERIFY(windows(QStringLiteral("Information")).isEmpty());
    QVERIFY(answer(QStringLiteral("Warning")));
    QVERIFY(programAnswers());
}

void TestDesktop::lostServerGivesOneBoxPerEvent()
{
    if (!testsupport::onMariaDb())
        QSKIP("stops and restarts a MariaDB server of its own: runs with the MariaDB suite");
    m_server = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/duredir-desktop.XXXXXX"));
    QVERIFY(m_server->isValid());
    const QString socket = startServer();
    QVERIFY(!socket.isEmpty());
    QVERIFY(prepareDataSource(socket));
    QVERIFY(seedReceipt());
    closeOther();
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    // The lines grid fills the window below the panel.
    const QRect panel = listPanel();
    const QPoint lines(panel.center().x(), panel.bottom() + 150);

    stopServer();
    xdotool({QStringLiteral("mousemove"), QString::number(lines.x()), QString::number(lines.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    QElapsedTimer t;
    t.start();
    qsizetype most = 0;
    while (t.elapsed() < 3000 && most <= 1) {
        most = qMax(most, windows(QStringLiteral("Error")).size());
        QThread::msleep(200);
    }
    QVERIFY2(most <= 1,
             qPrintable(
                 QStringLiteral("%1 boxes titled \"Error\" %2 ms after one click on the lines").arg(most).arg(t.elapsed())));
    if (most == 1)
        QVERIFY(answer(QStringLiteral("Error")));
    QVERIFY2(!poll([&] { return !windows(QStringLiteral("Error")).isEmpty(); }, 2000),
             "another box titled \"Error\" opened after the first was answered");

    // The server comes back: the operator's next step reconnects and the list opens without a word.
    QCOMPARE(startServer(), socket);
    QVERIFY(activate(m_main));
    keys({QStringLiteral("alt+p")});
    QVERIFY2(!poll([&] { return !windows(QStringLiteral("Error")).isEmpty(); }, 2000),
             "the list failed after the server came back");
    QVERIFY(programAnswers());
    QVERIFY(windows(QStringLiteral("Error")).isEmpty());
}

// ---- a server that stops answering

QString TestDesktop::startServerWithLimit()
{
    m_server = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/duredir-desktop.XXXXXX"));
    if (!m_server->isValid())
        return QString();
    QString socket = startServer();
    if (socket.isEmpty() || !prepareDataSource(socket))
        return QString();
    const Output o =
        run(kDbTool,
            {QStringLiteral("set-alias"), QStringLiteral("mariadb"), QStringLiteral("--database"), m_database,
             QStringLiteral("--socket"), socket, QStringLiteral("--answer-timeout"), QString::number(kAnswerLimit)},
            env());
    if (o.code != 0 || !o.out.contains(QByteArray("answer within ") + QByteArray::number(kAnswerLimit) + " s")) {
        qWarning().noquote() << "set-alias --answer-timeout failed:" << o.out << o.err;
        return QString();
    }
    return socket;
}

bool TestDesktop::freezeServer(bool frozen)
{
    QFile f(m_server->filePath(QStringLiteral("mysqld.pid")));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const pid_t pid = QString::fromLatin1(f.readAll()).trimmed().toInt();
    if (pid <= 0 || ::kill(pid, frozen ? SIGSTOP : SIGCONT) != 0)
        return false;
    return poll(
        [&] {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            return stat.open(QIODevice::ReadOnly) && stat.readAll().contains(") T ") == frozen;
        },
        2000, 10);
}

QStringList TestDesktop::boxes() const
{
    QStringList shown;
    for (const QString& title : {QStringLiteral("Error"), QStringLiteral("Warning"), QStringLiteral("Information")})
        for (qsizetype n = windows(title).size(); n > 0; --n)
            shown << title;
    return shown;
}

void TestDesktop::frozenServerUnderAnOpenListGivesOneBox()
{
    if (!testsupport::onMariaDb())
        QSKIP("freezes a MariaDB server of its own: runs with the MariaDB suite");
    QVERIFY(!startServerWithLimit().isEmpty());
    QVERIFY(seedReceipt());
    closeOther();
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    // The pointer rests on the list's lines.
    const QRect panel = listPanel();
    xdotool({QStringLiteral("mousemove"), QString::number(panel.center().x()), QString::number(panel.bottom() + 150)});
    QThread::msleep(300);
    const QString normal = shownCursor(m_display);

    // The server stops answering, its connections left open; the operator opens the
    // dispatch list. One box, within the answer limit and a margin for a busy machine.
    QVERIFY(freezeServer(true));
    struct Thaw {
        TestDesktop* test;
        ~Thaw() { test->freezeServer(false); }
    } thaw{this};
    keys({QStringLiteral("alt+i")});
    QElapsedTimer t;
    t.start();
    if (!normal.isEmpty()) {
        // About a second into the wait, the wait cursor shows.
        QVERIFY2(poll([&] { return shownCursor(m_display) != normal; }, 2500, 50),
                 qPrintable(QStringLiteral("the cursor stayed %1").arg(normal)));
        QVERIFY2(t.elapsed() >= 600, qPrintable(QStringLiteral("wait cursor after %1 ms").arg(t.elapsed())));
    }
    QVERIFY2(poll([&] { return !boxes().isEmpty(); }, kAnswerLimit * 1000 + 4000),
             qPrintable(QStringLiteral("no box %1 ms after Alt+I; windows: %2")
                            .arg(t.elapsed())
                            .arg(titles().join(QStringLiteral(" | ")))));
    const qint64 shownAfter = t.elapsed();
    QVERIFY2(shownAfter >= kAnswerLimit * 1000 - 500, qPrintable(QString::number(shownAfter)));
    QThread::msleep(1500);
    QCOMPARE(boxes(), QStringList{QStringLiteral("Error")});
    // The program still answers: the box goes with Enter, and no other one follows.
    QVERIFY(answer(QStringLiteral("Error")));
    QVERIFY2(!poll([&] { return !boxes().isEmpty(); }, 1500), qPrintable(boxes().join(QLatin1Char(' '))));
    // The wait is over: the window's own cursor is back.
    if (!normal.isEmpty())
        QCOMPARE(shownCursor(m_display), normal);

    // The server answers again: the next action reconnects and opens the list without a word.
    QVERIFY(freezeServer(false));
    QVERIFY(activate(m_main));
    keys({QStringLiteral("alt+i")});
    QVERIFY2(!poll([&] { return !boxes().isEmpty(); }, 2500), qPrintable(boxes().join(QLatin1Char(' '))));
    QVERIFY(programAnswers());
    QVERIFY(boxes().isEmpty());
}

void TestDesktop::updateInFlightOnAFrozenServer()
{
    if (!testsupport::onMariaDb())
        QSKIP("freezes a MariaDB server of its own: runs with the MariaDB suite");
    QVERIFY(!startServerWithLimit().isEmpty());
    QVERIFY(seedReceipt());
    QVERIFY(startProgram());
    QVERIFY(openReceiptList());
    keys({QStringLiteral("F3")});
    QVERIFY2(poll([&] { return !listInFront(); }, 10000), "F3 opened no edit window over the list");

    // The other workstation holds the receipt's header (a save of its own in progress), so
    // that the program's update waits inside its transaction; then the server freezes.
    QSqlDatabase other = QSqlDatabase::database(kOther, false);
    QVERIFY(other.transaction());
    {
        QSqlQuery hold(other);
        QVERIFY(hold.exec(QStringLiteral("select id from priemnici where id=1 for update")));
    }
    auto waiting = [&] {
        QSqlQuery q(other);
        return q.exec(QStringLiteral("select count(*) from information_schema.innodb_trx where trx_state='LOCK WAIT'"))
               && q.next() && q.value(0).toInt() > 0;
    };
    // From the number field to "Update" (partner, date, Add, Delete, Update); Enter presses it.
    keys({QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"), QStringLiteral("Tab"),
          QStringLiteral("Tab"), QStringLiteral("Return")});
    QVERIFY2(poll(waiting, 5000, 20), "the update did not wait for the header held elsewhere");
    QVERIFY(freezeServer(true));
    struct Thaw {
        TestDesktop* test;
        ~Thaw() { test->freezeServer(false); }
    } thaw{this};
    QElapsedTimer t;
    t.start();
    QVERIFY2(poll([&] { return !boxes().isEmpty(); }, kAnswerLimit * 1000 + 4000),
             qPrintable(QStringLiteral("no box %1 ms after the freeze").arg(t.elapsed())));
    QThread::msleep(1500);
    // The window's own failure message, once; the window stays with the operator's input.
    QCOMPARE(boxes(), QStringList{QStringLiteral("Warning")});
    QVERIFY(answer(QStringLiteral("Warning")));
    QVERIFY2(!poll([&] { return listInFront(); }, 1000), "the edit window closed");

    // The server answers again and the other workstation gives up its save: nothing of the
    // update cut off was stored.
    QVERIFY(freezeServer(false));
    QVERIFY(other.rollback());
    QCOMPARE(scalar(QStringLiteral("select count(*) from priemnici")), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli where document_id=1 and vlez_kol=5")), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli")), 1);

    // The focus is back on "Update": pressed again, the next action reconnects and the
    // receipt is saved with the lines the window kept.
    keys({QStringLiteral("Return")});
    QVERIFY2(poll([&] { return !boxes().isEmpty(); }, 10000), "the second update said nothing");
    QCOMPARE(boxes(), QStringList{QStringLiteral("Information")});
    QVERIFY(answer(QStringLiteral("Information")));
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli where document_id=1 and vlez_kol=5")), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from magacin_artikli")), 1);
    QVERIFY(programAnswers());
}

QTEST_GUILESS_MAIN(TestDesktop)
#include "test_desktop.moc"
