// Picks from the article, partner and employee lists: every request code answered with its
// pair on Enter, the empty list handing over nothing, menu lists ignoring Enter, and the list that
// received the Enter being the one that answers.
#include "frame/commands.h"
#include "app/tform1.h"
#include "frame/tformsrgbase.h"
#include "kit/button.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/menuitem.h"
#include "modules/artikli/tsartiklilista.h"
#include "modules/komintenti/tskomintentilista.h"
#include "frame/tnavform.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "modules/vraboteni/tvraboteni.h"
#include "support/appfixture.h"
#include "support/appmain.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QPointer>
#include <QtTest>

using testsupport::AppFixture;

// Stands in for the windows that ask for picks (receipts, dispatches, products, work
// orders): it records what it receives, by the name of the operation the main window calls.
class PickCaller : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    PickCaller()
    {
        setObjectName(QStringLiteral("PickCaller"));
        MaskEdit1 = new kit::Edit(this);
        MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
        BitBtn2 = new kit::Button(QStringLiteral("Add"), this);
        BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
        BitBtn2->move(0, 30);
    }
    kit::Edit* MaskEdit1;
    kit::Button* BitBtn2;
    QList<QPair<QByteArray, int>> received;

    void ReceiveArticle(int id) override { received.append({"ReceiveArticle", id}); }
    void ReceiveProduct(int id) override { received.append({"ReceiveProduct", id}); }
    void ReceivePartner(int id) override { received.append({"ReceivePartner", id}); }
    void ReceiveEmployee(int id) override { received.append({"ReceiveEmployee", id}); }
    void VnesiKomintentiID(int id) override { received.append({"VnesiKomintentiID", id}); }
    void VnesiArtikalID(int id) override { received.append({"VnesiArtikalID", id}); }
    void VnesiPriemnicaID(int id) override { received.append({"VnesiPriemnicaID", id}); }
    QWidget* controlAfterPick(frame::AfterPick after) override
    {
        return after == frame::AfterPick::DateField   ? static_cast<QWidget*>(MaskEdit1)
               : after == frame::AfterPick::AddButton ? static_cast<QWidget*>(BitBtn2)
                                                      : nullptr;
    }
};

namespace {

// The name of the operation an answer calls on the window that asked.
QByteArray receiverName(const frame::CommandAnswer& answer)
{
    struct Recorder : frame::PickTarget {
        QByteArray name;
        void ReceiveArticle(int) override { name = "ReceiveArticle"; }
        void ReceiveProduct(int) override { name = "ReceiveProduct"; }
        void ReceivePartner(int) override { name = "ReceivePartner"; }
        void ReceiveEmployee(int) override { name = "ReceiveEmployee"; }
        void VnesiKomintentiID(int) override { name = "VnesiKomintentiID"; }
        void VnesiArtikalID(int) override { name = "VnesiArtikalID"; }
        void VnesiPriemnicaID(int) override { name = "VnesiPriemnicaID"; }
    } recorder;
    (recorder.*answer.receive)(0);
    return recorder.name;
}

// The control the focus goes to after an answer, by its name; empty: the focus stays.
QString focusName(const frame::CommandAnswer& answer)
{
    switch (answer.focus) {
    case frame::AfterPick::DateField:
        return QStringLiteral("MaskEdit1");
    case frame::AfterPick::AddButton:
        return QStringLiteral("BitBtn2");
    case frame::AfterPick::Stay:
        break;
    }
    return QString();
}

} // namespace

namespace {

PickCaller* openCaller(AppFixture& app)
{
    auto* caller = new PickCaller;
    caller->Navigator = app.main().NavForm();
    caller->InitChild(nullptr, QStringLiteral("Caller "), 2);
    AppFixture::settle();
    return caller;
}

TSListBase* activeList(AppFixture& app)
{
    return qobject_cast<TSListBase*>(app.main().ActiveMDIChild());
}

void activate(AppFixture& app, TFormSrgBase* w)
{
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    AppFixture::settle();
}

void seed(AppFixture& app)
{
    app.database().exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(1,'BOLT','PCS')"));
    app.database().exec(QStringLiteral("insert into artikli(sifra,artikal,edm) values(2,'NUT','PCS')"));
    app.database().exec(QStringLiteral("insert into komintenti(naziv,rabat) values('ACME',0)"));
    app.database().exec(QStringLiteral("insert into komintenti(naziv,rabat) values('BETA',0)"));
    app.database().exec(QStringLiteral("insert into vraboteni(naziv) values('ANA')"));
    app.database().exec(QStringLiteral("insert into vraboteni(naziv) values('BOJAN')"));
}

const char* listClass(frame::PickList list)
{
    switch (list) {
    case frame::PickList::Articles:
        return "TSArtikliLista";
    case frame::PickList::Partners:
        return "TSKomintentiLista";
    case frame::PickList::Employees:
        return "TSVraboteniLista";
    default:
        return "";
    }
}

} // namespace

class TestPicks : public QObject {
    Q_OBJECT
private slots:
    void enterAnswersThePairedCode_data();
    void enterAnswersThePairedCode();
    void emptyListHandsOverNothing_data();
    void emptyListHandsOverNothing();
    void menuListIgnoresEnter();
    void secondListFromTheMenuLeavesThePickAlone();
    void answerToAClosedCallerIsDropped();
};

void TestPicks::enterAnswersThePairedCode_data()
{
    QTest::addColumn<int>("request");
    for (frame::PickList list : {frame::PickList::Articles, frame::PickList::Partners, frame::PickList::Employees})
        for (int code : frame::requestsServedBy(list))
            if (frame::listForRequest(code) == list)
                QTest::addRow("%d", code) << code;
}

void TestPicks::enterAnswersThePairedCode()
{
    QFETCH(int, request);
    AppFixture app;
    seed(app);
    PickCaller* caller = openCaller(app);
    app.main().HandleCommand(request);
    AppFixture::settle();

    QPointer<TSListBase> list = activeList(app);
    QVERIFY(list);
    QCOMPARE(list->metaObject()->className(), listClass(frame::listForRequest(request)));
    QCOMPARE(list->CommandCode, request);
    QCOMPARE(list->CallerForm.data(), caller);

    // The second row is picked, with the keyboard.
    list->DBGrid1->setFocus();
    QTest::keyClick(list->DBGrid1, Qt::Key_Down);
    const int expected = list->SelectedId();
    QVERIFY(expected > 0);
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();

    const frame::CommandAnswer* answer = frame::answerFor(request + 1);
    QVERIFY(answer);
    QCOMPARE(caller->received, (QList<QPair<QByteArray, int>>{{receiverName(*answer), expected}}));
    QVERIFY(!list);
    QCOMPARE(app.main().ActiveMDIChild(), caller);
    if (!focusName(*answer).isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focusName(*answer));
    QVERIFY(app.messages().isEmpty());
}

void TestPicks::emptyListHandsOverNothing_data()
{
    QTest::addColumn<int>("request");
    QTest::newRow("articles for a receipt") << int(frame::cmd::ArticleForReceiptEntry);
    QTest::newRow("articles for a dispatch") << int(frame::cmd::ArticleForDispatchEdit);
    QTest::newRow("articles for a composition") << int(frame::cmd::ArticleForProductEntry);
    QTest::newRow("products for a work order") << int(frame::cmd::ProductForOrderEntry);
    QTest::newRow("partners") << int(frame::cmd::PartnerForReceiptEntry);
    QTest::newRow("employees") << int(frame::cmd::EmployeeForOrderEntry);
    QTest::newRow("receipts to import") << int(frame::cmd::ReceiptForDispatchEntry);
}

void TestPicks::emptyListHandsOverNothing()
{
    // Enter on a list without rows closes it and hands the caller nothing: before, the -1
    // of the empty list reached the caller, which booked a line for article -1.
    QFETCH(int, request);
    AppFixture app;
    PickCaller* caller = openCaller(app);
    app.main().HandleCommand(request);
    AppFixture::settle();
    QPointer<TSListBase> list = activeList(app);
    QVERIFY(list);
    QCOMPARE(list->SelectedId(), -1);
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(caller->received, (QList<QPair<QByteArray, int>>{}));
    QVERIFY(!list);
    QVERIFY(app.messages().isEmpty());
}

void TestPicks::menuListIgnoresEnter()
{
    AppFixture app;
    seed(app);
    PickCaller* caller = openCaller(app);
    app.main().Lista1->trigger();
    app.main().Komintenti1->trigger();
    app.main().Vraboteni->createList(nullptr, nullptr, 1);
    AppFixture::settle();
    const QList<TSListBase*> lists{app.windows<TSArtikliLista>().value(0), app.windows<TSKomintentiLista>().value(0),
                                   app.windows<TSVraboteniLista>().value(0)};
    for (TSListBase* list : lists) {
        QVERIFY(list);
        QCOMPARE(list->CommandCode, 1);
        activate(app, list);
        QTest::keyClick(list->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QCOMPARE(app.main().ActiveMDIChild(), list);
    }
    QVERIFY(caller->received.isEmpty());
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(app.main().MDIChildCount(), 5); // navigator, caller, three lists
}

void TestPicks::secondListFromTheMenuLeavesThePickAlone()
{
    AppFixture app;
    seed(app);
    for (const int request : {32777, 32781}) {
        PickCaller* caller = openCaller(app);
        app.main().HandleCommand(request);
        AppFixture::settle();
        QPointer<TSListBase> pick = activeList(app);
        QVERIFY(pick);
        // The same module's list opened from the menu becomes its newest list.
        if (request == 32777)
            app.main().Komintenti1->trigger();
        else
            app.main().Lista1->trigger();
        AppFixture::settle();
        QPointer<TSListBase> menu = activeList(app);
        QVERIFY(menu && menu != pick);

        activate(app, pick);
        pick->Query1->Last();
        const int expected = pick->SelectedId();
        QTest::keyClick(pick->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QCOMPARE(caller->received.size(), 1);
        QCOMPARE(caller->received.first().second, expected);
        QVERIFY(!pick);
        QVERIFY(menu);

        // Enter in the menu list still does nothing.
        activate(app, menu);
        QTest::keyClick(menu->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QVERIFY(menu);
        QCOMPARE(caller->received.size(), 1);
        menu->Close();
        caller->Close();
        AppFixture::settle();
    }
}

void TestPicks::answerToAClosedCallerIsDropped()
{
    AppFixture app;
    seed(app);
    QPointer<PickCaller> caller = openCaller(app);
    app.main().HandleCommand(32799);
    AppFixture::settle();
    QPointer<TSListBase> list = activeList(app);
    QVERIFY(list);
    caller->Close();
    AppFixture::settle();
    QVERIFY(!caller);
    activate(app, list);
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!list);
    QVERIFY(app.messages().isEmpty());

    // The article list needs its caller: without one it stays open and answers nothing.
    caller = openCaller(app);
    app.main().HandleCommand(32781);
    AppFixture::settle();
    list = activeList(app);
    caller->Close();
    AppFixture::settle();
    activate(app, list);
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(list);
}

DUREDIR_APP_TEST_MAIN(TestPicks)
#include "test_picks.moc"
