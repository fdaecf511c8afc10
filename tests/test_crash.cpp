// A program killed in the middle of a save (SIGKILL: no rollback, no clean-up) leaves the
// goods receipt either whole or absent, on SQLite (WAL) and on MariaDB.
#include "support/testdb.h"

#include <QProcess>
#include <QtTest>

class TestCrash : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesDocumentWholeOrAbsent();
};

namespace {

struct Run {
    QProcess::ExitStatus status;
    int code;
    QString output;
};

Run runWriter(testsupport::TestDatabase& t, int partner, int article, const QStringList& how)
{
    QStringList args;
    if (t.engine() == data::Engine::Sqlite)
        args << QStringLiteral("--sqlite") << t.config().path;
    else
        args << QStringLiteral("--mariadb") << t.config().socket << t.config().database
             << QStringLiteral("--option-file") << t.config().optionFile;
    args << QStringLiteral("--partner") << QString::number(partner) << QStringLiteral("--article")
         << QString::number(article) << QStringLiteral("--lines") << QStringLiteral("4") << how;
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(DUREDIR_CRASH_WRITER), args);
    if (!p.waitForFinished(120000))
        p.kill();
    return {p.exitStatus(), p.exitCode(), QString::fromUtf8(p.readAll())};
}

} // namespace

void TestCrash::killedSaveLeavesDocumentWholeOrAbsent()
{
    testsupport::TestDatabase t;
    t.exec(QStringLiteral("insert into komintenti (naziv) values ('ACME')"));
    t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (1,'SCREW','PCS')"));
    const int partner = t.scalar(QStringLiteral("select id from komintenti")).toInt();
    const int article = t.scalar(QStringLiteral("select id from artikli")).toInt();

    // Killed between the second and the third of four ledger inserts: nothing of it stays.
    const Run cut = runWriter(t, partner, article, {QStringLiteral("--kill-before-line"), QStringLiteral("3")});
    QVERIFY2(cut.status == QProcess::CrashExit, qPrintable(cut.output));
    QCOMPARE(t.count(QStringLiteral("priemnici")), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 0);

    // Killed before the very first line: the header written before it is gone too.
    const Run early = runWriter(t, partner, article, {QStringLiteral("--kill-before-line"), QStringLiteral("1")});
    QVERIFY2(early.status == QProcess::CrashExit, qPrintable(early.output));
    QCOMPARE(t.count(QStringLiteral("priemnici")), 0);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 0);

    // Killed right after the commit: the receipt is there whole, number 1, four lines.
    const Run done = runWriter(t, partner, article, {QStringLiteral("--kill-after-commit")});
    QVERIFY2(done.status == QProcess::CrashExit, qPrintable(done.output));
    QCOMPARE(t.count(QStringLiteral("priemnici")), 1);
    QCOMPARE(t.scalar(QStringLiteral("select priemnica_id from priemnici")).toInt(), 1);
    const int header = t.scalar(QStringLiteral("select id from priemnici")).toInt();
    QCOMPARE(t.count(QStringLiteral("magacin_artikli"),
                     QStringLiteral("document_id=%1 and document_id_label=1 and vid_dokument='P'").arg(header)),
             4);
    QCOMPARE(t.scalar(QStringLiteral("select sum(vlez_kol) from magacin_artikli")).toDouble(), 1.0 + 2 + 3 + 4);

    // The database is still usable for the next save after the killed ones.
    const Run again = runWriter(t, partner, article, {QStringLiteral("--kill-after-commit")});
    QVERIFY2(again.status == QProcess::CrashExit, qPrintable(again.output));
    QCOMPARE(t.scalar(QStringLiteral("select max(priemnica_id) from priemnici")).toInt(), 2);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 8);
}

QTEST_GUILESS_MAIN(TestCrash)
#include "test_crash.moc"
