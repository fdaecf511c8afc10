// What every entry and edit window shares with the frame: what counts as input the operator
// has not saved when the program closes, and where the focus goes when the operator leaves
// a number or code field that must stay unique.
#include "app/application.h"
#include "frame/printdispatch.h"
#include "frame/tslistbase.h"
#include "frame/uniquenumber.h"
#include "ispratnica_fixture.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "production_fixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using testsupport::AppFixture;
using testsupport::Shown;

namespace {

const Shown kCloseQuestion{QStringLiteral("Warning"),
                           QStringLiteral("An open window holds data that is not saved. Close the program without saving?")};

// Two records of every kind that has an edit window: partners, employees, articles 101 to
// 103, products 1 to 3 (1 and 2 made by the orders), receipts 77 and 78, dispatches 5 and 6,
// work orders 3 and 4.
void seedEveryKind(AppFixture& app)
{
    const production::Master m = production::seed(app);
    receipts::store(app, 77, QStringLiteral("2026-03-02"), m.acme, {{m.a, 5}, {m.b, 1.5}});
    receipts::store(app, 78, QStringLiteral("2026-03-03"), m.beta, {{m.c, 2}});
    dispatches::storeDispatch(app, 5, QStringLiteral("2026-03-04"), QStringLiteral("2026-04-03"), m.acme, {{m.a, 1}});
    dispatches::storeDispatch(app, 6, QStringLiteral("2026-03-05"), QStringLiteral("2026-04-04"), m.beta, {{m.c, 1}});
    production::storeOrder(app, 3, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-06"),
                           QStringLiteral("2026-03-09"), m.acme, {{m.p, 2}});
    production::storeOrder(app, 4, m.bojan, QStringLiteral("BOJAN"), QStringLiteral("2026-03-07"),
                           QStringLiteral("2026-03-10"), m.beta, {{m.q, 1}});
}

// The list a menu item opens.
TSListBase* openList(AppFixture& app, const QString& menuItem)
{
    auto* action = app.main().findChild<QAction*>(menuItem);
    if (!action)
        return nullptr;
    action->trigger();
    AppFixture::settle();
    return app.active<TSListBase>();
}

// The window a list's popup item opens: "Update" (F3) or "New".
TFormSrgBase* openFromList(AppFixture& app, TSListBase* list, kit::MenuItem* item)
{
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    item->trigger();
    AppFixture::settle();
    auto* w = app.active<TFormSrgBase>();
    return w != list ? w : nullptr;
}

// A control of the list the operator can click: its grid, else the window itself.
QWidget* clickTarget(TSListBase* list)
{
    if (list->DBGrid1)
        return list->DBGrid1;
    return list;
}

} // namespace

class TestWindowInput : public QObject {
    Q_OBJECT

private slots:
    void untouchedWindowsCloseWithoutAsking_data();
    void untouchedWindowsCloseWithoutAsking();
    void savedEditWindowHoldsNothingUnsaved();
    void leavingANumberFieldKeepsTheFocusWhereItWent_data();
    void leavingANumberFieldKeepsTheFocusWhereItWent();
    void aNumberFarAboveTheHighestAsksFirst_data() { leavingANumberFieldKeepsTheFocusWhereItWent_data(); }
    void aNumberFarAboveTheHighestAsksFirst();
};

void TestWindowInput::untouchedWindowsCloseWithoutAsking_data()
{
    QTest::addColumn<QString>("menuItem");
    for (const char* item :
         {"Lista1", "Komintenti1", "Vraboteni1", "Proizvodi1", "Priemnici2", "FakturaIspratnica2", "Nalozi2"})
        QTest::newRow(item) << QString::fromLatin1(item);
}

// Every edit window opened on its record (F3) and every entry window, untouched: nothing to
// lose. Typed into, the entry window makes the program ask, and No keeps it open.
void TestWindowInput::untouchedWindowsCloseWithoutAsking()
{
    QFETCH(QString, menuItem);
    AppFixture app;
    seedEveryKind(app);
    TSListBase* list = openList(app, menuItem);
    QVERIFY(list);
    QPointer<TFormSrgBase> edit = openFromList(app, list, list->Korekcija1);
    QVERIFY2(edit, "Update opened no edit window");
    // The record is shown: the window holds more than empty fields.
    bool filled = false;
    for (const QLineEdit* field : edit->findChildren<QLineEdit*>())
        filled = filled || (field->isVisible() && !field->text().trimmed().isEmpty() && !field->text().contains(u'_'));
    QVERIFY2(filled, "the edit window shows no record");
    QVERIFY(!edit->hasUnsavedInput());
    QPointer<TFormSrgBase> entry = openFromList(app, list, list->Nov1);
    QVERIFY2(entry, "New opened no entry window");
    QVERIFY(!entry->hasUnsavedInput());
    QVERIFY(!app.main().hasUnsavedInput());

    // The operator types into the entry window's first field.
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(field && entry->isAncestorOf(field) && !field->isReadOnly());
    const QString before = field->text();
    field->home(false);
    QTest::keyClicks(field, QStringLiteral("7"));
    QVERIFY(field->text() != before);
    QVERIFY(entry->hasUnsavedInput() && !edit->hasUnsavedInput());
    app.clearMessages();
    app.answerNextMessage(kit::mrNo);
    QVERIFY(!app.main().close());
    AppFixture::settle();
    QCOMPARE(app.messages(), QList<Shown>{kCloseQuestion});
    QVERIFY(entry && edit);
    QVERIFY(field->text() != before);

    // Without the entry window, the untouched edit window lets the program close at once.
    entry->Close();
    AppFixture::settle();
    QVERIFY(!entry);
    app.clearMessages();
    QVERIFY(app.main().close());
    AppFixture::settle();
    QVERIFY(app.messages().isEmpty());
    QVERIFY(!edit);
}

// A changed edit window counts until its save has gone through.
void TestWindowInput::savedEditWindowHoldsNothingUnsaved()
{
    AppFixture app;
    seedEveryKind(app);
    TSListBase* list = openList(app, QStringLiteral("Priemnici2"));
    QVERIFY(list);
    QPointer<TFormSrgBase> receipt = openFromList(app, list, list->Korekcija1);
    auto* w = qobject_cast<TSPriemnicaKorekcija*>(receipt);
    QVERIFY(w);
    w->MaskEdit1->setText(QStringLiteral("2026-03-20"));
    QVERIFY(w->hasUnsavedInput());
    // A refused save keeps the window and its input.
    w->MaskEdit2->setText(w->MaskEdit2->Text() == QStringLiteral("77") ? QStringLiteral("78") : QStringLiteral("77"));
    w->BitBtn1->Click();
    AppFixture::settle();
    QVERIFY(receipt && w->hasUnsavedInput() && app.main().hasUnsavedInput());
    w->MaskEdit2->setText(QStringLiteral("79"));
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Goods receipt,successful updated !!!"}));
    QVERIFY(!receipt);
    QCOMPARE(app.database().scalar(QStringLiteral("select datum from priemnici where priemnica_id=79")).toString(),
             QStringLiteral("2026-03-20"));
    app.clearMessages();
    QVERIFY(app.main().close());
    QVERIFY(app.messages().isEmpty());
}

void TestWindowInput::leavingANumberFieldKeepsTheFocusWhereItWent_data()
{
    // clang-format off
    QTest::addColumn<QString>("menuItem");
    QTest::addColumn<QString>("numberField");
    QTest::addColumn<QString>("otherField"); // one the check never sends the focus to
    QTest::addColumn<QStringList>("numbers"); // the records' numbers
    QTest::addColumn<QString>("duplicate");
    QTest::addColumn<bool>("checkedForOtherWindow");
    QTest::newRow("receipt") << "Priemnici2" << "MaskEdit2" << "MaskEdit1" << QStringList{"77", "78"}
                             << "Exist goods receipt with the same receipt_id" << true;
    QTest::newRow("dispatch") << "FakturaIspratnica2" << "MaskEdit2" << "MaskEdit1" << QStringList{"5", "6"}
                              << "Exist goods dispatch with the same ID" << true;
    QTest::newRow("work order") << "Nalozi2" << "Edit1" << "MaskEdit1" << QStringList{"3", "4"}
                                << "POSTOI NALOG SO ISTA SIFRA" << true;
    QTest::newRow("article") << "Lista1" << "MaskEdit1" << "Edit4" << QStringList{"101", "102", "103"}
                             << "Exist Product with the same product_id" << true;
    QTest::newRow("product") << "Proizvodi1" << "MaskEdit1" << "Edit3" << QStringList{"1", "2", "3"}
                             << "POSTOI PROIZVOD SO ISTA SIFRA" << false;
    // clang-format on
}

// The check on leaving runs, but an accepted number leaves the focus where the operator put
// it: another field, or another window (whose Print then follows it). A refused one brings
// the focus back to the number, also from another window.
void TestWindowInput::leavingANumberFieldKeepsTheFocusWhereItWent()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, numberField);
    QFETCH(QString, otherField);
    QFETCH(QStringList, numbers);
    QFETCH(QString, duplicate);
    QFETCH(bool, checkedForOtherWindow);
    AppFixture app;
    seedEveryKind(app);
    TSListBase* list = openList(app, menuItem);
    QVERIFY(list);
    const bool listPrintable = qobject_cast<frame::Printable*>(list) != nullptr;
    QPointer<TFormSrgBase> w = openFromList(app, list, list->Korekcija1);
    QVERIFY(w);
    auto* number = w->findChild<kit::Edit*>(numberField);
    auto* other = w->findChild<kit::Edit*>(otherField);
    QVERIFY(number && other && numbers.contains(number->Text()));
    const QString taken = numbers.at(number->Text() == numbers.first() ? 1 : 0);
    const int windowsOpen = app.main().MDIChildCount();
    auto focusNumber = [&] {
        app.main().mdiArea()->setActiveSubWindow(w->subWindow());
        number->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), number);
    };
    app.clearMessages();

    // A click into another field of the window: the keys typed next go there.
    focusNumber();
    other->setFocus(Qt::MouseFocusReason);
    QCOMPARE(QApplication::focusWidget(), other);
    const QString otherBefore = other->text();
    other->home(false);
    QTest::keyClicks(other, QStringLiteral("1"));
    AppFixture::settle();
    QCOMPARE(QApplication::focusWidget(), other);
    QVERIFY(other->text() != otherBefore);
    QCOMPARE(app.main().MDIChildCount(), windowsOpen); // no pick list opened
    QVERIFY(app.messages().isEmpty());
    other->setText(otherBefore);

    // A click into the list: the list is the active window, with the focus, and Print follows.
    focusNumber();
    QVERIFY(!app.main().Print1->isEnabled());
    clickTarget(list)->setFocus(Qt::MouseFocusReason);
    AppFixture::settle();
    QCOMPARE(QApplication::focusWidget(), clickTarget(list));
    QCOMPARE(app.main().ActiveMDIChild(), list);
    QCOMPARE(app.main().Print1->isEnabled(), listPrintable);
    QVERIFY(app.messages().isEmpty());

    // Ctrl+Tab from the number field: the list again.
    focusNumber();
    QTest::keyPress(number, Qt::Key_Control);
    QTest::keyClick(number, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Control);
    AppFixture::settle();
    QCOMPARE(app.main().ActiveMDIChild(), list);
    QVERIFY(list->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == list);
    QCOMPARE(app.main().Print1->isEnabled(), listPrintable);

    // Another record's number: refused on leaving for another field, the focus back in it.
    focusNumber();
    number->setText(taken);
    other->setFocus(Qt::MouseFocusReason);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Warning"), duplicate}}));
    QCOMPARE(QApplication::focusWidget(), number);

    // Leaving for another window: refused the same way where the window checks it then.
    app.clearMessages();
    clickTarget(list)->setFocus(Qt::MouseFocusReason);
    AppFixture::settle();
    if (checkedForOtherWindow) {
        QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Warning"), duplicate}}));
        QCOMPARE(QApplication::focusWidget(), number);
        QCOMPARE(app.main().ActiveMDIChild(), w.data());
    } else {
        QVERIFY(app.messages().isEmpty());
        QCOMPARE(QApplication::focusWidget(), clickTarget(list));
    }

    // Enter on a free number still moves on to the next field.
    focusNumber();
    number->setText(QStringLiteral("900"));
    app.clearMessages();
    QTest::keyClick(number, Qt::Key_Return);
    QVERIFY(app.messages().isEmpty());
    QVERIFY(QApplication::focusWidget() != number && w->isAncestorOf(QApplication::focusWidget()));
}

// One typo ("10000077" for "77") would make every workstation number on from there: a number
// more than 100,000 above the highest in use is asked about first, and Enter answers No.
void TestWindowInput::aNumberFarAboveTheHighestAsksFirst()
{
    QFETCH(QString, menuItem);
    QFETCH(QString, numberField);
    QFETCH(QStringList, numbers);
    AppFixture app;
    seedEveryKind(app);
    TSListBase* list = openList(app, menuItem);
    QVERIFY(list);
    QPointer<TFormSrgBase> w = openFromList(app, list, list->Korekcija1);
    QVERIFY(w);
    auto* number = w->findChild<kit::Edit*>(numberField);
    QVERIFY(number);
    const int highest = numbers.last().toInt();
    const QString far = QString::number(highest + frame::UniqueNumber::kFarAbove + 1);
    app.clearMessages();

    number->setFocus(Qt::TabFocusReason);
    number->setText(far);
    app.answerNextMessage(kit::mrNo);
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(app.messages().size(), 1);
    QVERIFY2(app.messages().first().text.contains(far) && app.messages().first().text.contains(numbers.last()),
             qPrintable(app.messages().first().text));
    QCOMPARE(QApplication::focusWidget(), number); // No: the operator corrects it
    QCOMPARE(number->Text(), far);

    // Just within the distance: no question.
    app.clearMessages();
    number->setText(QString::number(highest + frame::UniqueNumber::kFarAbove));
    QTest::keyClick(number, Qt::Key_Return);
    QVERIFY(app.messages().isEmpty());

    // Yes keeps it, and it is asked once.
    number->setFocus(Qt::TabFocusReason);
    number->setText(far);
    app.answerNextMessage(kit::mrYes);
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(app.messages().size(), 1);
    QVERIFY(QApplication::focusWidget() != number);
    number->setFocus(Qt::TabFocusReason);
    QTest::keyClick(number, Qt::Key_Return);
    QCOMPARE(app.messages().size(), 1);
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestWindowInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_window_input.moc"
