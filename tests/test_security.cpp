// What an administrator relies on before putting the program on a network: no list exports
// a cell that a spreadsheet would run as a formula; a MariaDB option file with a password
// that other users can read is refused, and so is any file the program takes its settings
// or its data from that another user owns or may write; TLS to MariaDB, once asked for, is checked and never
// silently dropped; the program's account needs no more than SELECT, INSERT, UPDATE, DELETE.
#include "frame/tformsrgbase.h"
#include "data/alias.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/schema.h"
#include "kit/csv.h"
#include "kit/dbgrid.h"
#include "support/appfixture.h"
#include "support/appmain.h"
#include "support/csvread.h"
#include "support/seed.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::AppFixture;

class TestSecurity : public QObject {
    Q_OBJECT

private slots:
    void listsExportNoFormulas_data();
    void listsExportNoFormulas();
    void sqliteFileIsPrivate();
    void optionFileWithPasswordMustBePrivate_data();
    void optionFileWithPasswordMustBePrivate();
    void untrustedFilesAreRefused_data();
    void untrustedFilesAreRefused();
    void programAccountIsLimited();
    void tlsToMariaDb();
};

namespace {

struct Output {
    int code = -1;
    QString out;
    QString err;
};

Output run(const QString& program, const QStringList& args, const QString& configHome = QString())
{
    QProcess p;
    if (!configHome.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    if (!p.waitForFinished(120000))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

bool writeFile(const QString& path, const QByteArray& text, QFile::Permissions mode)
{
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text) != text.size())
            return false;
    }
    return QFile::setPermissions(path, mode);
}

// Every entry below `root` with its mode, owner and content: what a refusal must leave as it was.
QStringList snapshot(const QString& root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        QByteArray content;
        QFile f(path);
        if (S_ISREG(st.st_mode) && f.open(QIODevice::ReadOnly))
            content = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex();
        out << QStringLiteral("%1 %2 %3 %4")
                   .arg(path.mid(root.size()))
                   .arg(uint(st.st_mode), 0, 8)
                   .arg(uint(st.st_uid))
                   .arg(QString::fromLatin1(content));
    }
    out.sort();
    return out;
}

// ---- exports

// Text that a spreadsheet would run, in every text column the lists show.
const QString kHyperlink = QStringLiteral("=HYPERLINK(\"http://example.invalid\",\"Open\")");

void seedFormulas(AppFixture& app)
{
    testsupport::Seed seed(app.database().db());
    stores::Partner hostile;
    hostile.naziv = kHyperlink;
    hostile.adresa = QStringLiteral("+ILINDENSKA 12");
    hostile.grad = QStringLiteral("-1000 SKOPJE");
    hostile.tel = QStringLiteral("@02/3100000");
    hostile.mobil = QStringLiteral("=070/123456");
    hostile.rabat = 5;
    const int partner = seed.partner(hostile);
    stores::Employee petar;
    petar.naziv = QStringLiteral("@PETAR ANGELOV");
    petar.adresa = QStringLiteral("-PARTIZANSKA 3");
    petar.tel = QStringLiteral("+02/222");
    const int employee = seed.employee(petar);
    const int board = seed.article(1, QStringLiteral("=1+1 BOARD PINE"), QStringLiteral("-M2"));
    const int screw = seed.article(2, QStringLiteral("+SCREW 4X30"), QStringLiteral("@PCS"));
    const int product =
        seed.product(1, QStringLiteral("-BOOKSHELF 80X200"), {{board, 1.8}}, 4800, 18, QStringLiteral("=PCS"));
    seed.receipt(1, QStringLiteral("2026-12-01"), partner, {{board, 120}, {screw, 500}});
    const int dispatch =
        seed.dispatch(1, QStringLiteral("2026-12-03"), QStringLiteral("2027-01-02"), partner, {{board, 20}});
    seed.workOrder(1, QStringLiteral("2026-12-02"), QStringLiteral("2026-12-05"), employee,
                   QStringLiteral("@PETAR ANGELOV"), partner, {{product, 1}});
    // Planted: the dispatch's priced product row, which the financial report reads and no
    // store writes.
    app.database().exec(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,"
                                       "vlez_kol,izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,"
                                       "document_id_label) values ('I',%3,%1,%2,0,1,'2026-12-03',0,4800,18,1)")
                            .arg(partner)
                            .arg(product)
                            .arg(dispatch));
}

// ---- MariaDB servers of the test's own

const QString kScript = QStringLiteral(DUREDIR_SOURCE_DIR "/scripts/mariadb-private");

int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

struct Server {
    QString dir;
    ~Server() { run(QStringLiteral("sh"), {kScript, QStringLiteral("stop"), dir}); }
    // Starts (or restarts) the server on 127.0.0.1:port with the options given.
    QString start(int port, const QStringList& options)
    {
        run(QStringLiteral("sh"), {kScript, QStringLiteral("stop"), dir});
        const Output o = run(QStringLiteral("sh"), QStringList{kScript, QStringLiteral("start"), dir,
                                                               QStringLiteral("--port"), QString::number(port)}
                                                       + options);
        if (o.code != 0)
            qWarning().noquote() << "the server did not start:" << o.err;
        return o.code == 0 ? o.out.trimmed() : QString();
    }
};

bool adminExec(const QString& socket, const QStringList& statements)
{
    const QString name = QStringLiteral("security-admin");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(socket));
        ok = db.open();
        for (const QString& s : statements) {
            QSqlQuery q(db);
            if (ok && !q.exec(s)) {
                qWarning().noquote() << s << q.lastError().text();
                ok = false;
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// Opens the alias's connection: the session's cipher, or the error text with "ERROR: ".
QString cipherOf(const data::AliasConfig& config)
{
    data::Database db(QStringLiteral("security-tls"));
    db.setConfig(config);
    try {
        db.open();
        QSqlQuery q(db.handle());
        if (!q.exec(QStringLiteral("SHOW SESSION STATUS LIKE 'Ssl_cipher'")) || !q.next())
            return QStringLiteral("ERROR: no status");
        return q.value(1).toString();
    } catch (const data::DatabaseError& e) {
        return QStringLiteral("ERROR: ") + e.text();
    }
}

} // namespace

// Every list the operator opens from the menus, its grids exported as the right-click menu
// does: a cell that begins with =, +, -, @, a tab or a carriage return is either a number or
// carries the apostrophe that keeps it text.
void TestSecurity::listsExportNoFormulas_data()
{
    QTest::addColumn<QString>("menu");
    for (const char* menu : {"Lista1", "Komintenti1", "Priemnici2", "FakturaIspratnica2", "LagerLista1", "PregledipoArtikli1",
                             "PregledipoKomintenti1", "Nalozi2", "Proizvodi1", "Vraboteni1", "PregledpoNalozi1"})
        QTest::newRow(menu) << QString::fromLatin1(menu);
}

void TestSecurity::listsExportNoFormulas()
{
    QFETCH(QString, menu);
    AppFixture app;
    seedFormulas(app);
    auto* item = app.main().findChild<QAction*>(menu);
    QVERIFY(item);
    item->trigger();
    AppFixture::settle();
    auto* window = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
    QVERIFY(window);
    static const QRegularExpression formulaStart(QStringLiteral("^[=+\\-@\\t\\r]"));
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9][0-9,]*(\\.[0-9]*)?$"));
    int exported = 0, neutralised = 0;
    QStringList unsafe;
    for (kit::DBGrid* grid : window->findChildren<kit::DBGrid*>()) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        kit::writeCsv(grid, buffer);
        QVERIFY(buffer.data().startsWith("\xEF\xBB\xBF"));
        for (const QStringList& row : testsupport::readCsv(buffer.data()))
            for (const QString& cell : row) {
                ++exported;
                if (cell.startsWith(QLatin1Char('\'')) && formulaStart.match(cell.mid(1)).hasMatch())
                    ++neutralised;
                else if (formulaStart.match(cell).hasMatch() && !number.match(cell).hasMatch())
                    unsafe << cell;
            }
    }
    QVERIFY2(unsafe.isEmpty(), qPrintable(unsafe.join(QStringLiteral(" | "))));
    // The list did show the seeded names (the test would prove nothing otherwise).
    QVERIFY2(neutralised > 0, qPrintable(QStringLiteral("%1 cells exported").arg(exported)));
}

// The stock data of a new SQLite alias is its user's alone, even under a lax umask: every
// folder made on the way, the file, and the journal SQLite writes beside it.
void TestSecurity::sqliteFileIsPrivate()
{
    QTemporaryDir dir;
    data::AliasConfig cfg;
    cfg.engine = data::Engine::Sqlite;
    cfg.path = dir.filePath(QStringLiteral("new/deeper/stock.sqlite"));
    auto mode = [](const QString& path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    QMap<QString, int> modes;
    const mode_t previous = ::umask(0);
    {
        data::Database db(QStringLiteral("security-sqlite"));
        db.setConfig(cfg);
        db.open();
        db.exec(QStringLiteral("create table t (x integer)"));
        db.exec(QStringLiteral("insert into t values (1)"));
        for (const char* side : {"-wal", "-shm"})
            modes.insert(cfg.path + QLatin1String(side), mode(cfg.path + QLatin1String(side)));
    }
    ::umask(previous);
    modes.insert(dir.filePath(QStringLiteral("new")), mode(dir.filePath(QStringLiteral("new"))));
    modes.insert(dir.filePath(QStringLiteral("new/deeper")), mode(dir.filePath(QStringLiteral("new/deeper"))));
    modes.insert(cfg.path, mode(cfg.path));
    const QMap<QString, int> expected{{dir.filePath(QStringLiteral("new")), 0700},
                                      {dir.filePath(QStringLiteral("new/deeper")), 0700},
                                      {cfg.path, 0600},
                                      {cfg.path + QStringLiteral("-wal"), 0600},
                                      {cfg.path + QStringLiteral("-shm"), 0600}};
    QCOMPARE(modes, expected);
}

void TestSecurity::optionFileWithPasswordMustBePrivate_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("password");
    QTest::addColumn<bool>("refused");
    QTest::newRow("0644 with a password") << 0644 << true << true;
    QTest::newRow("0640 with a password") << 0640 << true << true;
    QTest::newRow("0602 with a password") << 0602 << true << true;
    QTest::newRow("0600 with a password") << 0600 << true << false;
    QTest::newRow("0644 without a password") << 0644 << false << false;
}

// The program and duredir-db both refuse the file, say which and how to mend it, as ssh
// does with its keys.
void TestSecurity::optionFileWithPasswordMustBePrivate()
{
    QFETCH(int, mode);
    QFETCH(bool, password);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    std::unique_ptr<testsupport::TestDatabase> server;
    data::AliasConfig cfg;
    if (testsupport::onMariaDb()) {
        server = std::make_unique<testsupport::TestDatabase>();
        cfg = server->config();
    } else {
        cfg.engine = data::Engine::MariaDb;
        cfg.socket = dir.filePath(QStringLiteral("no-server.sock"));
        cfg.database = QStringLiteral("duredir_none");
    }
    // The login the suite uses (the limited account), or a password the server ignores.
    QByteArray text = "[client]\n";
    if (password) {
        QFile suite(testsupport::mariaDbOptionFile());
        text = suite.open(QIODevice::ReadOnly) ? suite.readAll() : QByteArray("[client]\npassword=unused\n");
    }
    cfg.optionFile = dir.filePath(QStringLiteral("my.cnf"));
    QVERIFY(writeFile(cfg.optionFile, text, QFile::ReadOwner | QFile::WriteOwner));
    // The mode as an administrator sets it.
    QCOMPARE(run(QStringLiteral("chmod"), {QString::number(mode, 8), cfg.optionFile}).code, 0);
    const QString advice = QStringLiteral("chmod 600 %1").arg(cfg.optionFile);

    QString error;
    {
        data::Database db(QStringLiteral("security-options"));
        db.setConfig(cfg);
        try {
            db.open();
        } catch (const data::DatabaseError& e) {
            error = e.text();
        }
    }
    const QString configHome = dir.filePath(QStringLiteral("config"));
    QStringList alias{QStringLiteral("--alias"),       QStringLiteral("sec"),
                      QStringLiteral("set-alias"),     QStringLiteral("mariadb"),
                      QStringLiteral("--database"),    cfg.database,
                      QStringLiteral("--socket"),      cfg.socket,
                      QStringLiteral("--option-file"), cfg.optionFile};
    QCOMPARE(run(QStringLiteral(DUREDIR_DB_TOOL), alias, configHome).code, 0);
    const Output show = run(QStringLiteral(DUREDIR_DB_TOOL),
                            {QStringLiteral("--alias"), QStringLiteral("sec"), QStringLiteral("show")}, configHome);
    if (refused) {
        QVERIFY2(error.contains(cfg.optionFile) && error.contains(advice), qPrintable(error));
        QCOMPARE(show.code, 1);
        QVERIFY2(show.err.contains(advice), qPrintable(show.err));
    } else {
        QVERIFY2(!error.contains(QLatin1String("chmod")), qPrintable(error));
        QVERIFY2(!show.err.contains(QLatin1String("chmod")), qPrintable(show.err));
        if (testsupport::onMariaDb()) {
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QVERIFY2(show.code == 0, qPrintable(show.err));
        }
    }
}

void TestSecurity::untrustedFilesAreRefused_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("change"); // chmod's mode, or "nobody" for another user's
    for (const char* file : {"alias file", "option file", "sqlite file", "sqlite folder"})
        for (const char* change : {"g+w", "o+w", "nobody"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(file), QLatin1String(change))))
                << QString::fromLatin1(file) << QString::fromLatin1(change);
    // Nobody can replace a file of ours in /tmp, but anyone can put a journal there first.
    QTest::newRow("sqlite folder 1777") << QStringLiteral("sqlite folder") << QStringLiteral("1777");
    // Through a link: the folder of its target, where SQLite keeps the journal.
    QTest::newRow("linked sqlite folder o+w") << QStringLiteral("linked sqlite folder") << QStringLiteral("o+w");
}

// The alias file, a MariaDB option file without a password, a SQLite database and its folder,
// each made writable by others or handed to another user: duredir-db and the program refuse
// them, name the file and how to mend it, and change nothing.
void TestSecurity::untrustedFilesAreRefused()
{
    QFETCH(QString, file);
    QFETCH(QString, change);
    if (change == QLatin1String("nobody") && ::geteuid() != 0)
        QSKIP("only root can hand a file to another user");
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString configHome = base.filePath(QStringLiteral("config"));
    const QString folder = base.filePath(QStringLiteral("data"));
    const QString shared = base.filePath(QStringLiteral("shared"));
    const QString database = folder + QStringLiteral("/stock.sqlite");
    const QString optionFile = base.filePath(QStringLiteral("my.cnf"));
    for (const QString& f : {folder, shared})
        QVERIFY(QDir().mkpath(f) && QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QString tool = QStringLiteral(DUREDIR_DB_TOOL);
    const QStringList sec{QStringLiteral("--alias"), QStringLiteral("sec")};
    if (file == QLatin1String("option file")) {
        QVERIFY(writeFile(optionFile, "[client]\nsocket=/run/elsewhere.sock\n", QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(run(tool,
                     sec
                         + QStringList{QStringLiteral("set-alias"), QStringLiteral("mariadb"), QStringLiteral("--database"),
                                       QStringLiteral("duredir_none"), QStringLiteral("--option-file"), optionFile},
                     configHome)
                     .code,
                 0);
    } else {
        const bool linked = file == QLatin1String("linked sqlite folder");
        const QString real = linked ? shared + QStringLiteral("/stock.sqlite") : database;
        auto setAlias = [&](const QString& path) {
            const Output set =
                run(tool,
                    sec + QStringList{QStringLiteral("set-alias"), QStringLiteral("sqlite"), QStringLiteral("--path"), path},
                    configHome);
            return set.code == 0;
        };
        QVERIFY(setAlias(real));
        const Output init = run(tool, sec + QStringList{QStringLiteral("init")}, configHome);
        QVERIFY2(init.code == 0, qPrintable(init.err));
        if (linked)
            QVERIFY(QFile::link(real, database) && setAlias(database));
    }
    const QMap<QString, QString> targets{{QStringLiteral("alias file"), configHome + QStringLiteral("/duredir/aliases.ini")},
                                         {QStringLiteral("option file"), optionFile},
                                         {QStringLiteral("sqlite file"), database},
                                         {QStringLiteral("sqlite folder"), folder},
                                         {QStringLiteral("linked sqlite folder"), shared}};
    const QString target = targets.value(file);
    const bool isFolder = file.endsWith(QLatin1String("folder"));
    QString advice;
    if (change == QLatin1String("nobody")) {
        QCOMPARE(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
        advice = QStringLiteral("chown root %1").arg(target);
    } else {
        QCOMPARE(run(QStringLiteral("chmod"), {change, target}).code, 0);
        advice = QStringLiteral("chmod %1 %2").arg(isFolder ? QStringLiteral("700") : QStringLiteral("600"), target);
    }
    const QStringList before = snapshot(base.path());

    const Output check = run(tool, sec + QStringList{QStringLiteral("check")}, configHome);
    QVERIFY2(check.code == 2 && check.err.contains(advice), qPrintable(check.out + check.err));
    // The program opens the alias the same way.
    const QByteArray previousConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    QString error;
    {
        data::Database db(QStringLiteral("security-trust"));
        try {
            data::openPrepared(db, QStringLiteral("sec"));
        } catch (const data::Error& e) {
            error = e.text();
        }
    }
    qputenv("XDG_CONFIG_HOME", previousConfig);
    QVERIFY2(error.contains(advice), qPrintable(error));
    QCOMPARE(snapshot(base.path()), before);
}

// The MariaDB suite logs in as an account that may only read and write rows: every other
// test passing that way proves the program needs no more.
void TestSecurity::programAccountIsLimited()
{
    if (!testsupport::onMariaDb())
        QSKIP("the account of the MariaDB suite");
    if (testsupport::mariaDbOptionFile().isEmpty())
        QSKIP("the suite runs as the administrator (no DUREDIR_TEST_MARIADB_OPTION_FILE)");
    testsupport::TestDatabase t;
    QSqlQuery q(t.db().handle());
    QVERIFY(q.exec(QStringLiteral("SHOW GRANTS")));
    QStringList privileges;
    static const QRegularExpression grant(QStringLiteral("^GRANT (.*) ON "));
    while (q.next()) {
        const auto m = grant.match(q.value(0).toString());
        QVERIFY(m.hasMatch());
        for (const QString& p : m.captured(1).split(QStringLiteral(", ")))
            privileges << p.trimmed();
    }
    privileges.removeAll(QStringLiteral("USAGE"));
    privileges.sort();
    QCOMPARE(privileges, (QStringList{"DELETE", "INSERT", "SELECT", "UPDATE"}));
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, t.db().exec(QStringLiteral("create table extra (x integer)")));
}

// A private server on 127.0.0.1 with a certificate from a CA the test makes: the session is
// encrypted; a wrong CA, a wrong server name, a server without TLS are refused.
void TestSecurity::tlsToMariaDb()
{
    if (!testsupport::onMariaDb())
        QSKIP("starts MariaDB servers of its own: runs with the MariaDB suite");
    QTemporaryDir dir(QStringLiteral("/tmp/duredir-tls.XXXXXX"));
    QVERIFY(dir.isValid());
    auto file = [&](const QString& name) { return dir.filePath(name); };
    auto openssl = [&](const QStringList& args) {
        const Output o = run(QStringLiteral("openssl"), args);
        if (o.code != 0)
            qWarning().noquote() << "openssl" << args.join(QLatin1Char(' ')) << o.err;
        return o.code == 0;
    };
    const QStringList ec{QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                         QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    auto makeCa = [&](const QString& name) {
        return openssl(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ec
                       + QStringList{QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                                     QStringLiteral("/CN=%1").arg(name), QStringLiteral("-keyout"),
                                     file(name + QStringLiteral(".key")), QStringLiteral("-out"),
                                     file(name + QStringLiteral(".pem"))});
    };
    // A certificate for `name` (and, with `ip`, for 127.0.0.1) signed by the test's CA.
    auto makeCert = [&](const QString& base, const QString& cn, const QString& altNames) {
        QFile ext(file(base + QStringLiteral(".ext")));
        if (!ext.open(QIODevice::WriteOnly))
            return false;
        ext.write(altNames.isEmpty() ? QByteArray("basicConstraints=CA:FALSE\n")
                                     : ("subjectAltName=" + altNames + "\n").toUtf8());
        ext.close();
        return openssl(QStringList{QStringLiteral("req")} + ec
                       + QStringList{QStringLiteral("-subj"), QStringLiteral("/CN=%1").arg(cn),
                                     QStringLiteral("-keyout"), file(base + QStringLiteral(".key")),
                                     QStringLiteral("-out"), file(base + QStringLiteral(".csr"))})
               && openssl({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
                           file(base + QStringLiteral(".csr")), QStringLiteral("-CA"), file(QStringLiteral("ca.pem")),
                           QStringLiteral("-CAkey"), file(QStringLiteral("ca.key")), QStringLiteral("-CAcreateserial"),
                           QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-extfile"),
                           file(base + QStringLiteral(".ext")), QStringLiteral("-out"),
                           file(base + QStringLiteral(".pem"))});
    };
    QVERIFY(makeCa(QStringLiteral("ca")));
    QVERIFY(makeCa(QStringLiteral("other-ca")));
    QVERIFY(makeCert(QStringLiteral("server"), QStringLiteral("127.0.0.1"), QStringLiteral("IP:127.0.0.1")));
    QVERIFY(makeCert(QStringLiteral("wrong-name"), QStringLiteral("db.example.invalid"),
                     QStringLiteral("DNS:db.example.invalid")));
    QVERIFY(makeCert(QStringLiteral("client"), QStringLiteral("duredir client"), QString()));

    Server server{file(QStringLiteral("server-data"))};
    const int port = freePort();
    QVERIFY(port > 0);
    const QStringList tls{QStringLiteral("--ssl-cert"), file(QStringLiteral("server.pem")),
                          QStringLiteral("--ssl-key"),  file(QStringLiteral("server.key")),
                          QStringLiteral("--ssl-ca"),   file(QStringLiteral("ca.pem"))};
    const QString socket = server.start(port, tls);
    QVERIFY(!socket.isEmpty());
    QVERIFY(adminExec(socket, {QStringLiteral("CREATE DATABASE duredir_tls"),
                               QStringLiteral("CREATE USER app@'%' IDENTIFIED BY 'tls-secret'"),
                               QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON duredir_tls.* TO app@'%'"),
                               QStringLiteral("CREATE USER certified@'%' IDENTIFIED BY 'tls-secret' REQUIRE X509"),
                               QStringLiteral("GRANT SELECT ON duredir_tls.* TO certified@'%'")}));
    // The tables, as the administrator prepares them: duredir-db shows only a prepared source.
    QVERIFY(adminExec(socket,
                      QStringList{QStringLiteral("USE duredir_tls")} + data::schemaStatements(data::Engine::MariaDb)));
    QVERIFY(writeFile(file(QStringLiteral("app.cnf")), "[client]\nuser=app\npassword=tls-secret\n",
                      QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(writeFile(file(QStringLiteral("certified.cnf")), "[client]\nuser=certified\npassword=tls-secret\n",
                      QFile::ReadOwner | QFile::WriteOwner));

    data::AliasConfig cfg;
    cfg.engine = data::Engine::MariaDb;
    cfg.host = QStringLiteral("127.0.0.1");
    cfg.port = port;
    cfg.database = QStringLiteral("duredir_tls");
    cfg.optionFile = file(QStringLiteral("app.cnf"));
    cfg.sslCa = file(QStringLiteral("ca.pem"));
    auto with = [&](auto change) {
        data::AliasConfig c = cfg;
        change(c);
        return c;
    };

    // Encrypted, checked against the CA and the name.
    QString cipher = cipherOf(cfg);
    QVERIFY2(!cipher.isEmpty() && !cipher.startsWith(QLatin1String("ERROR")), qPrintable(cipher));
    // duredir-db takes the same through set-alias and shows the cipher.
    const QString configHome = file(QStringLiteral("config"));
    const Output set = run(QStringLiteral(DUREDIR_DB_TOOL),
                           {QStringLiteral("set-alias"), QStringLiteral("mariadb"), QStringLiteral("--host"), cfg.host,
                            QStringLiteral("--port"), QString::number(port), QStringLiteral("--database"), cfg.database,
                            QStringLiteral("--option-file"), cfg.optionFile, QStringLiteral("--ssl-ca"), cfg.sslCa},
                           configHome);
    QVERIFY2(set.code == 0, qPrintable(set.err));
    const Output show = run(QStringLiteral(DUREDIR_DB_TOOL), {QStringLiteral("show")}, configHome);
    QVERIFY2(show.code == 0 && show.out.contains(QStringLiteral("TLS:      %1").arg(cipher)),
             qPrintable(show.out + show.err));
    // A CA that did not sign the server's certificate: refused, with or without the name check.
    const QString otherCa = file(QStringLiteral("other-ca.pem"));
    const QString checkFailed = QStringLiteral("the check failed");
    QVERIFY(cipherOf(with([&](data::AliasConfig& c) { c.sslCa = otherCa; })).contains(checkFailed));
    QVERIFY(cipherOf(with([&](data::AliasConfig& c) {
                c.sslCa = otherCa;
                c.sslVerifyServerCert = false;
            })).startsWith(QLatin1String("ERROR")));
    // An account that needs a client certificate gets in with one only.
    const auto certified = with([&](data::AliasConfig& c) { c.optionFile = file(QStringLiteral("certified.cnf")); });
    QVERIFY(cipherOf(certified).startsWith(QLatin1String("ERROR")));
    cipher = cipherOf(with([&](data::AliasConfig& c) {
        c.optionFile = file(QStringLiteral("certified.cnf"));
        c.sslCert = file(QStringLiteral("client.pem"));
        c.sslKey = file(QStringLiteral("client.key"));
    }));
    QVERIFY2(!cipher.isEmpty() && !cipher.startsWith(QLatin1String("ERROR")), qPrintable(cipher));

    // TLS asked for by the option file alone is honoured as the client library does: encrypted
    // and checked; a line the program cannot pass on refuses the file rather than going
    // without it.
    const QByteArray login = "[client]\nuser=app\npassword=tls-secret\n";
    QVERIFY(writeFile(file(QStringLiteral("tls.cnf")), login + "ssl-ca=" + cfg.sslCa.toUtf8() + "\nssl-verify-server-cert\n",
                      QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(writeFile(file(QStringLiteral("other-ca.cnf")), login + "ssl_ca=" + otherCa.toUtf8() + "\n",
                      QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(writeFile(file(QStringLiteral("capath.cnf")), login + "ssl\nssl-capath=/etc/ssl/certs\n",
                      QFile::ReadOwner | QFile::WriteOwner));
    const auto byFile = [&](const QString& name) {
        return with([&](data::AliasConfig& c) {
            c.sslCa.clear();
            c.optionFile = file(name);
        });
    };
    cipher = cipherOf(byFile(QStringLiteral("tls.cnf")));
    QVERIFY2(!cipher.isEmpty() && !cipher.startsWith(QLatin1String("ERROR")), qPrintable(cipher));
    QVERIFY(cipherOf(byFile(QStringLiteral("other-ca.cnf"))).contains(checkFailed));
    const QString capath = cipherOf(byFile(QStringLiteral("capath.cnf")));
    QVERIFY2(capath.contains(QLatin1String("ssl-capath")) && capath.contains(QLatin1String("capath.cnf")),
             qPrintable(capath));

    // A certificate from the right CA for another name: refused unless the name check is off.
    QVERIFY(!server
                 .start(port, {QStringLiteral("--ssl-cert"), file(QStringLiteral("wrong-name.pem")),
                               QStringLiteral("--ssl-key"), file(QStringLiteral("wrong-name.key"))})
                 .isEmpty());
    QVERIFY(cipherOf(cfg).contains(checkFailed));
    cipher = cipherOf(with([](data::AliasConfig& c) { c.sslVerifyServerCert = false; }));
    QVERIFY2(!cipher.isEmpty() && !cipher.startsWith(QLatin1String("ERROR")), qPrintable(cipher));

    // A server without TLS: refused, never used unencrypted.
    QVERIFY(!server.start(port, {}).isEmpty());
    QVERIFY(cipherOf(cfg).contains(checkFailed));
    const QString plain = cipherOf(with([](data::AliasConfig& c) { c.sslVerifyServerCert = false; }));
    QVERIFY2(plain.contains(QLatin1String("did not encrypt")), qPrintable(plain));
    QVERIFY(cipherOf(with([](data::AliasConfig& c) {
                c.sslCa.clear();
                c.ssl = true;
            })).startsWith(QLatin1String("ERROR")));
    // Nor when only the option file asks for it.
    QVERIFY(cipherOf(byFile(QStringLiteral("tls.cnf"))).contains(checkFailed));
    // Without TLS asked for, the same server is used as before.
    QCOMPARE(cipherOf(with([](data::AliasConfig& c) { c.sslCa.clear(); })), QString());
}

DUREDIR_APP_TEST_MAIN(TestSecurity)
#include "test_security.moc"
