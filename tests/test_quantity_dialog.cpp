// The quantity dialog: what each loading mode shows, and which quantities it takes.
#include "app/application.h"
#include "data/query.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/look.h"
#include "support/appfixture.h"
#include "support/seed.h"

#include <QtTest>

using testsupport::AppFixture;
using testsupport::Shown;

class TestQuantityDialog : public QObject {
    Q_OBJECT

private slots:
    void loadingModesShowCodeNameUnit();
    void balanceIsInMinusOutOverTheWholeLedger();
    void quantityTest_data();
    void quantityTest();
    void enterMovesToOkAndARefusalKeepsTheFocus();
    void leavingForCancelChecksToo();
    void readOnlyFieldsReadableAndFocusFrameAfterEnter();

private:
    // Article 'SCREW' (code 1001) with 10 in and 4 out, spread over two documents, and an
    // article without ledger rows (code 1002); another article's rows must not count.
    static void seed(AppFixture& app, int& withRows, int& withoutRows)
    {
        testsupport::Seed seed(app.database().db());
        withRows = seed.article(1001, QStringLiteral("SCREW"), QStringLiteral("PCS"));
        withoutRows = seed.article(1002, QStringLiteral("NUT"), QStringLiteral("KG"));
        const int other = seed.article(1003, QStringLiteral("BOLT"), QStringLiteral("PCS"));
        seed.receipt(1, QStringLiteral("2026-01-01"), 0, {{withRows, 7}});
        seed.receipt(2, QStringLiteral("2026-01-02"), 0, {{withRows, 3}});
        seed.dispatch(3, QStringLiteral("2026-01-03"), QString(), 0, {{withRows, 4}});
        seed.receipt(4, QStringLiteral("2026-01-04"), 0, {{other, 50}});
    }
};

void TestQuantityDialog::loadingModesShowCodeNameUnit()
{
    AppFixture app;
    int screw = 0, nut = 0;
    seed(app, screw, nut);
    app.database().exec("insert into proizvodi(sifra,proizvod,edm,cena,tarifa) values(77,'TABLE','PCS',120.5,18)");
    const int product = app.database().scalar("select id from proizvodi").toInt();

    TSNalogVnesiProizvod p;
    p.Query1->setDatabase(&app.database().db());
    p.LoadProduct(product);
    QCOMPARE(p.windowTitle(), QStringLiteral("Selected Product Form"));
    QCOMPARE(p.Edit1->Text(), QStringLiteral("77")); // the code, not the key
    QCOMPARE(p.Edit2->Text(), QStringLiteral("TABLE"));
    QCOMPARE(p.Edit3->Text(), QStringLiteral("PCS"));
    QCOMPARE(p.Edit5->Text(), QStringLiteral("120.5"));
    QCOMPARE(p.Edit6->Text(), QStringLiteral("18"));
    QVERIFY(!p.hasBalance());
    QVERIFY(!p.Label5->isVisibleTo(&p));
    QVERIFY(!p.Edit1->isEnabled() && !p.Edit2->isEnabled() && !p.Edit3->isEnabled() && p.Edit4->isEnabled());

    TSNalogVnesiProizvod a;
    a.Query1->setDatabase(&app.database().db());
    a.LoadArticle(nut);
    QCOMPARE(a.Edit1->Text(), QStringLiteral("1002"));
    QCOMPARE(a.Edit2->Text(), QStringLiteral("NUT"));
    QCOMPARE(a.Edit3->Text(), QStringLiteral("KG"));
    QVERIFY(a.Edit5->Text().isEmpty() && a.Edit6->Text().isEmpty());
    QVERIFY(!a.Label5->isVisibleTo(&a));

    // An id that matches nothing (an empty pick list) leaves the fields empty.
    TSNalogVnesiProizvod none;
    none.Query1->setDatabase(&app.database().db());
    none.LoadArticleWithBalance(-1);
    QVERIFY(none.Edit1->Text().isEmpty() && none.Edit2->Text().isEmpty());
    QCOMPARE(none.Label6->Caption(), QStringLiteral("0"));
}

void TestQuantityDialog::balanceIsInMinusOutOverTheWholeLedger()
{
    AppFixture app;
    int screw = 0, nut = 0;
    seed(app, screw, nut);

    TSNalogVnesiProizvod d;
    d.Query1->setDatabase(&app.database().db());
    d.LoadArticleWithBalance(screw);
    QCOMPARE(d.Edit1->Text(), QStringLiteral("1001"));
    QCOMPARE(d.Edit2->Text(), QStringLiteral("SCREW"));
    QCOMPARE(d.Edit3->Text(), QStringLiteral("PCS"));
    QCOMPARE(d.Label6->Caption(), QStringLiteral("6"));
    QVERIFY(d.Label5->isVisibleTo(&d) && d.Label6->isVisibleTo(&d));
    QCOMPARE(d.Label5->Caption(), QStringLiteral("Products remains :"));

    TSNalogVnesiProizvod empty;
    empty.Query1->setDatabase(&app.database().db());
    empty.LoadArticleWithBalance(nut);
    QCOMPARE(empty.Edit2->Text(), QString()); // no ledger rows: the grouped query finds nothing
    QCOMPARE(empty.Label6->Caption(), QStringLiteral("0"));
}

void TestQuantityDialog::quantityTest_data()
{
    // clang-format off
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("left"); // Edit4 after the test

    const QString failedQuantity = QStringLiteral("You put failed value for quantity ");
    const QString failed = QStringLiteral("You put failed value ");
    const QString noQuantity = QStringLiteral("Don't have requested quantity");
    QTest::newRow("balance: equal passes") << "balance" << "6" << true << "" << "" << "6";
    QTest::newRow("balance: above refused") << "balance" << "6.5" << false << "Warning" << noQuantity << "6.5";
    QTest::newRow("balance: negative refused") << "balance" << "-1" << false << "Warning" << failed << "-1";
    QTest::newRow("balance: not a number") << "balance" << "abc" << false << "Error" << failedQuantity << "";
    // Nothing to book: refused, as is a quantity beyond any stock or sum.
    const QString zero = QStringLiteral("The quantity must be above 0 and at most 1,000,000,000; 0 cannot be saved.");
    QTest::newRow("no rows: 0 refused") << "nobalance" << "0" << false << "Warning" << zero << "0";
    QTest::newRow("no rows: 1 refused") << "nobalance" << "1" << false << "Warning" << noQuantity << "1";
    QTest::newRow("article: zero refused") << "article" << "0" << false << "Warning" << zero << "0";
    QTest::newRow("article: 1e308 refused")
        << "article" << "1e308" << false << "Warning"
        << "The quantity must be above 0 and at most 1,000,000,000; 1e+308 cannot be saved." << "1e308";
    QTest::newRow("article: the bound passes") << "article" << "1000000000" << true << "" << "" << "1000000000";
    QTest::newRow("article: 12345678901234567890 refused")
        << "article" << "12345678901234567890" << false << "Warning"
        << "The quantity must be above 0 and at most 1,000,000,000; 1.23456789012e+19 cannot be saved."
        << "12345678901234567890";
    QTest::newRow("article: fraction passes") << "article" << "2.75" << true << "" << "" << "2.75";
    QTest::newRow("article: negative refused") << "article" << "-1" << false << "Warning" << failed << "-1";
    QTest::newRow("article: empty") << "article" << "" << false << "Error" << failedQuantity << "";
    QTest::newRow("product: not a number") << "product" << "abc" << false << "Error" << failedQuantity << "";
    // clang-format on
}

void TestQuantityDialog::quantityTest()
{
    QFETCH(QString, mode);
    QFETCH(QString, quantity);
    QFETCH(bool, accepted);
    QFETCH(QString, title);
    QFETCH(QString, message);
    QFETCH(QString, left);

    AppFixture app;
    int screw = 0, nut = 0;
    seed(app, screw, nut);
    TSNalogVnesiProizvod d;
    d.Query1->setDatabase(&app.database().db());
    if (mode == "balance")
        d.LoadArticleWithBalance(screw);
    else if (mode == "nobalance")
        d.LoadArticleWithBalance(nut);
    else if (mode == "article")
        d.LoadArticle(screw);
    else
        d.LoadProduct(-1);

    d.Edit4->setText(quantity);
    d.Button1->Click();
    QCOMPARE(d.result(), accepted ? int(kit::mrOk) : 0);
    if (accepted)
        QVERIFY(app.messages().isEmpty());
    else
        QCOMPARE(app.messages(), (QList<Shown>{{title, message}}));
    QCOMPARE(d.Edit4->Text(), left);
}

void TestQuantityDialog::enterMovesToOkAndARefusalKeepsTheFocus()
{
    AppFixture app;
    int screw = 0, nut = 0;
    seed(app, screw, nut);
    TSNalogVnesiProizvod d(&app.main());
    d.Query1->setDatabase(&app.database().db());
    d.LoadArticleWithBalance(screw);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.Edit4->SetFocus();
    QCOMPARE(QApplication::focusWidget(), d.Edit4);

    QTest::keyClicks(d.Edit4, "7");
    QTest::keyClick(d.Edit4, Qt::Key_Return);
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", "Don't have requested quantity"}}));
    QCOMPARE(QApplication::focusWidget(), d.Edit4);
    QCOMPARE(d.Edit4->selectedText(), QStringLiteral("7"));
    QVERIFY(d.isVisible());

    QTest::keyClicks(d.Edit4, "5");
    QTest::keyClick(d.Edit4, Qt::Key_Return);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(QApplication::focusWidget(), d.Button1);
    QTest::keyClick(d.Button1, Qt::Key_Return);
    QCOMPARE(d.result(), int(kit::mrOk));
    QCOMPARE(d.Edit4->Text(), QStringLiteral("5"));
}

void TestQuantityDialog::leavingForCancelChecksToo()
{
    AppFixture app;
    TSNalogVnesiProizvod d(&app.main());
    d.Query1->setDatabase(&app.database().db());
    d.LoadArticle(-1);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.Edit4->SetFocus();
    QTest::keyClicks(d.Edit4, "-3");
    // However the field is left: the check runs on the way to "Cancel" too, and "Cancel"
    // still gives the line up.
    d.Button2->setFocus(Qt::TabFocusReason);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().first().title, QStringLiteral("Warning"));
    d.Button2->Click();
    QCOMPARE(d.result(), int(kit::mrCancel));
}

void TestQuantityDialog::readOnlyFieldsReadableAndFocusFrameAfterEnter()
{
    AppFixture app;
    int screw = 0, nut = 0;
    seed(app, screw, nut);
    TSNalogVnesiProizvod d(&app.main());
    d.Query1->setDatabase(&app.database().db());
    d.LoadArticleWithBalance(screw);
    d.show();
    QApplication::setActiveWindow(&d);
    QVERIFY(QTest::qWaitForWindowActive(&d));

    // Code, name and unit cannot be changed, and read well all the same.
    for (kit::Edit* field : {d.Edit1, d.Edit2, d.Edit3}) {
        QVERIFY(!field->isEnabled());
        const QPalette pal = field->palette();
        const double contrast = kit::contrastRatio(pal.color(QPalette::Disabled, QPalette::Text),
                                                   pal.color(QPalette::Disabled, QPalette::Base));
        QVERIFY2(contrast >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(field->objectName()).arg(contrast)));
    }

    // Enter moves the focus to "Ok": drawn as when Tab brought it there (the focus frame).
    d.Edit4->SetFocus();
    QTest::keyClicks(d.Edit4, "5");
    QTest::keyClick(d.Edit4, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), d.Button1);
    const QImage afterEnter = d.Button1->grab().toImage();
    QTest::keyClick(d.Button1, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), d.Edit4);
    const QImage unfocused = d.Button1->grab().toImage();
    QTest::keyClick(d.Edit4, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), d.Button1);
    const QImage afterTab = d.Button1->grab().toImage();
    QVERIFY(afterTab != unfocused);
    QCOMPARE(afterEnter, afterTab);
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestQuantityDialog test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_quantity_dialog.moc"
