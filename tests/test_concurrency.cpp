// Several workstations on one database: receipts saved at the same time by separate
// processes through the program's own entry window all land, each under its own number,
// with every ledger row under the header it was written for; dispatches saved at the same
// time never take together more than the stock.
#include "data/query.h"
#include "support/receiptchecks.h"
#include "support/seed.h"
#include "support/testdb.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

class TestConcurrency : public QObject {
    Q_OBJECT

private slots:
    void simultaneousReceiptsKeepNumbersApart();
    void simultaneousDispatchesTakeTheLastUnitsOnce();

private:
    // The writer program's target: the test database.
    static QStringList target(const testsupport::TestDatabase& t)
    {
        if (t.engine() == data::Engine::Sqlite)
            return {QStringLiteral("--sqlite"), t.config().path};
        return {QStringLiteral("--mariadb"), t.config().socket, t.config().database, QStringLiteral("--option-file"),
                t.config().optionFile};
    }
};

void TestConcurrency::simultaneousReceiptsKeepNumbersApart()
{
    testsupport::TestDatabase t;
    testsupport::Seed seed(t.db());
    const int partner = seed.partner(QStringLiteral("ACME"));
    const int article = seed.article(1, QStringLiteral("SCREW"), QStringLiteral("PCS"));
    const int writers = 3;
    const int each = qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT") > 0
                         ? qEnvironmentVariableIntValue("DUREDIR_STRESS_COUNT")
                         : 500;

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(DUREDIR_RECEIPT_WRITER),
                 target(t)
                     + QStringList{"--count", QString::number(each), "--partner", QString::number(partner), "--article",
                                   QString::number(article), "--tag", QString::number(w)});
        processes.push_back(std::move(p));
    }
    for (auto& p : processes) {
        QVERIFY(p->waitForFinished(600000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
        QCOMPARE(out, QStringLiteral("saved %1 failed 0").arg(each));
        QCOMPARE(p->exitCode(), 0);
    }

    // Every save landed, numbers 1..N each once, the lines of one receipt from one writer.
    const int total = writers * each;
    testsupport::checkWrittenReceipts(t, total);
    if (QTest::currentTestFailed())
        return;
    for (int w = 1; w <= writers; ++w)
        QCOMPARE(t.scalar(QStringLiteral("select count(*) from magacin_artikli where vlez_kol=%1").arg(w)).toInt(),
                 2 * each);
}

void TestConcurrency::simultaneousDispatchesTakeTheLastUnitsOnce()
{
    // 60 units in stock; three workstations each try to dispatch 1 unit 30 times at once.
    testsupport::TestDatabase t;
    testsupport::Seed seed(t.db());
    const int partner = seed.partner(QStringLiteral("ACME"));
    const int article = seed.article(1, QStringLiteral("SCREW"), QStringLiteral("PCS"));
    seed.receipt(1, QStringLiteral("2026-01-01"), partner, {{article, 60}});
    const int writers = 3, each = 30;
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int w = 1; w <= writers; ++w) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(DUREDIR_RECEIPT_WRITER),
                 target(t)
                     + QStringList{"--dispatch", "--count", QString::number(each), "--partner", QString::number(partner),
                                   "--article", QString::number(article), "--tag", QString::number(w)});
        processes.push_back(std::move(p));
    }
    int saved = 0, refused = 0;
    static const QRegularExpression report(QStringLiteral("^saved (\\d+) refused (\\d+) failed 0$"));
    for (auto& p : processes) {
        QVERIFY(p->waitForFinished(600000));
        const QString out = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
        const QRegularExpressionMatch m = report.match(out);
        QVERIFY2(m.hasMatch(), qPrintable(out));
        QCOMPARE(p->exitCode(), 0);
        saved += m.captured(1).toInt();
        refused += m.captured(2).toInt();
    }
    // Exactly the stock went out, one unit per stored dispatch; every other save was refused.
    QCOMPARE(saved, 60);
    QCOMPARE(refused, writers * each - 60);
    QCOMPARE(t.count(QStringLiteral("ispratnici")), 60);
    QCOMPARE(t.scalar(QStringLiteral("select sum(vlez_kol)-sum(izlez_kol) from magacin_artikli")).toDouble(), 0.0);
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "test_concurrency.moc"
