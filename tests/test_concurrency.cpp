// Several workstations on one database: receipts saved at the same time by separate
// processes through the program's own entry window all land, each under its own number,
// with every ledger row under the header it was written for.
#include "data/query.h"
#include "support/testdb.h"

#include <QProcess>
#include <QtTest>

class TestConcurrency : public QObject {
    Q_OBJECT

private slots:
    void simultaneousReceiptsKeepNumbersApart();
};

void TestConcurrency::simultaneousReceiptsKeepNumbersApart()
{
    testsupport::TestDatabase t;
    t.exec(QStringLiteral("insert into komintenti (naziv) values ('ACME')"));
    t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (1,'SCREW','PCS')"));
    const int partner = t.scalar(QStringLiteral("select id from komintenti")).toInt();
    const int article = t.scalar(QStringLiteral("select id from artikli")).toInt();
    const int writers = 3;
    const int each = qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT") > 0
                         ? qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT")
                         : 500;

    QStringList target;
    if (t.engine() == data::Engine::Sqlite)
        target << QStringLiteral("--sqlite") << t.config().path;
    else
        target << QStringLiteral("--mariadb") << t.config().socket << t.config().database
               << QStringLiteral("--option-file") << t.config().optionFile;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(DUREDIR_RECEIPT_WRITER),
                 target + QStringList{"--count", QString::number(each), "--partner", QString::number(partner),
                                      "--article", QString::number(article), "--tag", QString::number(w)});
        processes.push_back(std::move(p));
    }
    for (auto& p : processes) {
        QVERIFY(p->waitForFinished(600000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
        QCOMPARE(out, QStringLiteral("saved %1 failed 0").arg(each));
        QCOMPARE(p->exitCode(), 0);
    }

    // Every save landed, numbers 1..N each once.
    const int total = writers * each;
    QCOMPARE(t.count(QStringLiteral("priemnici")), total);
    QCOMPARE(t.scalar(QStringLiteral("select count(distinct priemnica_id) from priemnici")).toInt(), total);
    QCOMPARE(t.scalar(QStringLiteral("select min(priemnica_id) from priemnici")).toInt(), 1);
    QCOMPARE(t.scalar(QStringLiteral("select max(priemnica_id) from priemnici")).toInt(), total);
    // Two lines per receipt, under their own header, labelled with its number, and both lines
    // of one receipt written by the same workstation (their quantity is its tag).
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 2 * total);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from magacin_artikli m left join priemnici p "
                                     "on p.id=m.document_id where p.id is null or p.priemnica_id<>m.document_id_label"))
                 .toInt(),
             0);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from (select document_id from magacin_artikli group by "
                                     "document_id having count(*)<>2 or min(vlez_kol)<>max(vlez_kol)) x"))
                 .toInt(),
             0);
    for (int w = 1; w <= writers; ++w)
        QCOMPARE(t.scalar(QStringLiteral("select count(*) from magacin_artikli where vlez_kol=%1").arg(w)).toInt(),
                 2 * each);
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "test_concurrency.moc"
