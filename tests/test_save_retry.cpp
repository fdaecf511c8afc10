// Entry saves that take "max+1" for a code or number run again, with a fresh transaction,
// when the insert loses its number to another workstation; other failures are not retried.
#include "frame/tslistbase.h"
#include "kit/messagebox.h"
#include "production_fixture.h"
#include "support/appmain.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>

using testsupport::AppFixture;
using testsupport::Shown;

class TestSaveRetry : public QObject {
    Q_OBJECT

private slots:
    void savesThatLoseTheirNumberRunAgain();
};

namespace {

// Makes the first statement containing `fragment` fail as a unique index would refuse it.
void loseNumberOnce(AppFixture& app, const QString& fragment, int* seen)
{
    const QString code = app.database().engine() == data::Engine::Sqlite ? QStringLiteral("2067") : QStringLiteral("1062");
    app.database().db().setStatementHook([=](const QString& text) {
        if (text.contains(fragment, Qt::CaseInsensitive) && ++*seen == 1)
            throw data::DatabaseError(QStringLiteral("Duplicate entry"), code);
    });
}

QWidget* openEntry(AppFixture& app, QAction* list)
{
    list->trigger();
    AppFixture::settle();
    app.active<TSListBase>()->Nov1->trigger();
    AppFixture::settle();
    return app.main().ActiveMDIChild();
}

void setText(QWidget* w, const char* box, const QString& text)
{
    w->findChild<QLineEdit*>(QLatin1String(box))->setText(text);
}

void click(QWidget* w, const char* button)
{
    QTest::mouseClick(w->findChild<QAbstractButton*>(QLatin1String(button)), Qt::LeftButton);
    AppFixture::settle();
}

} // namespace

void TestSaveRetry::savesThatLoseTheirNumberRunAgain()
{
    AppFixture app;
    const production::Master m = production::seed(app);
    auto& db = app.database();

    // Article: codes 101..103 exist; the retried save takes 104 and stores one row.
    int seen = 0;
    QPointer<QWidget> w = openEntry(app, app.main().Lista1);
    setText(w, "Edit2", QStringLiteral("BOLT"));
    setText(w, "Edit3", QStringLiteral("PCS"));
    loseNumberOnce(app, QStringLiteral("insert into artikli"), &seen);
    click(w, "Button1");
    QCOMPARE(seen, 2);
    QVERIFY(!w);
    QCOMPARE(db.count(QStringLiteral("artikli"), QStringLiteral("artikal='BOLT'")), 1);
    QCOMPARE(db.scalar(QStringLiteral("select sifra from artikli where artikal='BOLT'")).toInt(), 104);

    // Product with its composition: stored once, under code 4, composition not doubled.
    seen = 0;
    w = openEntry(app, app.main().Proizvodi1);
    setText(w, "Edit2", QStringLiteral("SHELF"));
    setText(w, "Edit3", QStringLiteral("PCS"));
    production::answerArticleQuantity(app, QStringLiteral("2"));
    QVERIFY(QMetaObject::invokeMethod(w, "ReceiveArticle", Q_ARG(int, m.a)));
    loseNumberOnce(app, QStringLiteral("insert into proizvodi("), &seen);
    app.clearMessages();
    click(w, "BitBtn3");
    QCOMPARE(seen, 2);
    QCOMPARE(app.messages(), QList<Shown>({{"Information", "Proizvodot e uspesno vnesen !!!"}}));
    const int shelf = db.scalar(QStringLiteral("select id from proizvodi where proizvod='SHELF'")).toInt();
    QCOMPARE(db.scalar(QStringLiteral("select sifra from proizvodi where id=%1").arg(shelf)).toInt(), 4);
    QCOMPARE(db.count(QStringLiteral("proizvodi_sostav"), QStringLiteral("id_proizvod=%1").arg(shelf)), 1);

    // Work order: number 1 once, its ledger rows once.
    seen = 0;
    w = openEntry(app, app.main().Nalozi2);
    QVERIFY(QMetaObject::invokeMethod(w, "ReceivePartner", Q_ARG(int, m.acme)));
    QVERIFY(QMetaObject::invokeMethod(w, "ReceiveEmployee", Q_ARG(int, m.ana)));
    setText(w, "MaskEdit1", QStringLiteral("2026-03-02"));
    setText(w, "MaskEdit2", QStringLiteral("2026-03-09"));
    production::answerProductQuantity(app, QStringLiteral("4"));
    QVERIFY(QMetaObject::invokeMethod(w, "ReceiveProduct", Q_ARG(int, m.p)));
    const int ledgerBefore = db.count(QStringLiteral("magacin_artikli")) + db.count(QStringLiteral("magacin_proizvodi"));
    loseNumberOnce(app, QStringLiteral("insert into nalozi"), &seen);
    app.clearMessages();
    click(w, "BitBtn1");
    QCOMPARE(seen, 2);
    QCOMPARE(app.messages(), QList<Shown>({{"Information", "Nalogot e uspesno vnesen !!!"}}));
    QCOMPARE(db.count(QStringLiteral("nalozi")), 1);
    QCOMPARE(db.scalar(QStringLiteral("select nalog_id from nalozi")).toInt(), 1);
    const int ledgerRows =
        db.count(QStringLiteral("magacin_artikli")) + db.count(QStringLiteral("magacin_proizvodi")) - ledgerBefore;
    QVERIFY(ledgerRows > 0);

    // Any other failure is not run again: the window stays, nothing is written.
    seen = 0;
    w = openEntry(app, app.main().Lista1);
    setText(w, "Edit2", QStringLiteral("WASHER"));
    setText(w, "Edit3", QStringLiteral("PCS"));
    app.database().db().setStatementHook([&](const QString& text) {
        if (text.contains(QLatin1String("insert into artikli"), Qt::CaseInsensitive) && ++seen)
            throw data::DatabaseError(QStringLiteral("disk full"));
    });
    app.clearMessages();
    click(w, "Button1");
    app.database().db().setStatementHook({});
    QCOMPARE(seen, 1);
    QVERIFY(w);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(db.count(QStringLiteral("artikli"), QStringLiteral("artikal='WASHER'")), 0);
}

DUREDIR_APP_TEST_MAIN(TestSaveRetry)
#include "test_save_retry.moc"
