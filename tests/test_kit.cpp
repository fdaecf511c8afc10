// Widget kit: number and date texts, caption mapping, input fields, buttons, the string
// grid, popup menus, the message box service and the modal runner.
#include "kit/button.h"
#include "kit/csv.h"
#include "kit/edit.h"
#include "kit/focus.h"
#include "kit/format.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "kit/pagecontrol.h"
#include "kit/popupmenu.h"
#include "kit/scriptedmessages.h"
#include "kit/stringgrid.h"
#include "kit/yuscii.h"

#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

using namespace kit;

class TestKit : public QObject {
    Q_OBJECT

private slots:
    void csvFieldIsSafeForSpreadsheets_data();
    void csvFieldIsSafeForSpreadsheets();
    void formatFloat_data();
    void formatFloat();
    void formatDate_data();
    void formatDate();
    void formatValue();
    void yuscii_data();
    void yuscii();

    void maskEditText_data();
    void maskEditText();
    void maskEditTypesOverFromStartOnFocus();
    void upperCaseEdit();
    void typingLimit_data();
    void typingLimit();
    void keyHandlerConsumesKey();
    void enterPressesFocusedButton();
    void buttonModalResultEndsDialog();

    void stringGridCounts();
    void stringGridKeepsCellsBeyondCounts();
    void stringGridSelectCell();
    void stringGridDrawCell();
    void stringGridColWidths();

    void popupMenuShortcutsFollowAttachedMenu();
    void pageControlChangeOnlyByOperator();
    void focusFirstControlSkipsHiddenAndDisabled();
    void scriptedMessages();
    void enterAnswersWithTheDefaultButton_data();
    void enterAnswersWithTheDefaultButton();
    void modalHandler();
};

void TestKit::formatFloat_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("grouped") << "#,##0.00" << 1234.5 << "1,234.50";
    QTest::newRow("millions") << "#,##0.00" << 1234567.891 << "1,234,567.89";
    QTest::newRow("negative grouped") << "#,##0.00" << -1234.5 << "-1,234.50";
    QTest::newRow("half away from zero, negative") << "#,##0.00" << -0.005 << "-0.01";
    QTest::newRow("zero") << "0.00" << 0.0 << "0.00";
    QTest::newRow("binary 1.005 still rounds up") << "0.00" << 1.005 << "1.01";
    QTest::newRow("binary 2.675 still rounds up") << "0.00" << 2.675 << "2.68";
    QTest::newRow("carry into integer part") << "0.00" << 9.995 << "10.00";
    QTest::newRow("carry into new group") << "#,##0" << 999.5 << "1,000";
    QTest::newRow("rounds to zero: no sign") << "0.00" << -0.001 << "0.00";
    QTest::newRow("four places") << "#,##0.0000" << 6.0 << "6.0000";
    QTest::newRow("whole half up") << "0" << 2.5 << "3";
    QTest::newRow("whole half negative") << "0" << -2.5 << "-3";
    QTest::newRow("whole zero") << "#,##0" << 0.0 << "0";
    QTest::newRow("optional places") << "0.##" << 1.5 << "1.5";
    QTest::newRow("optional integer") << "#.##" << 0.5 << ".5";
    QTest::newRow("negative section") << "0.00;(0.00)" << -5.0 << "(5.00)";
    QTest::newRow("zero section") << "0.00;-0.00;'nil'" << 0.0 << "nil";
    QTest::newRow("literal suffix") << "#,##0.00 'den'" << 1500.0 << "1,500.00 den";
    QTest::newRow("general whole") << "" << 6.0 << "6";
    QTest::newRow("general fraction") << "" << 1.5 << "1.5";
    QTest::newRow("general negative") << "" << -0.25 << "-0.25";
    QTest::newRow("general zero") << "" << 0.0 << "0";
    QTest::newRow("general 15 digits") << "" << 0.1 + 0.2 << "0.3";
    QTest::newRow("general small") << "" << 0.0001 << "0.0001";
    QTest::newRow("general tiny") << "" << 0.00001 << "1E-5";
    QTest::newRow("general huge") << "" << 1.5e20 << "1.5E20";
}

void TestKit::formatFloat()
{
    QFETCH(QString, mask);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(kit::formatFloat(mask, value), expected);
}

void TestKit::formatDate_data()
{
    // clang-format off
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("mm is month") << "yyyy-mm-dd" << "2026-05-01";
    QTest::newRow("upper MM") << "dd.MM.yyyy" << "01.05.2026";
    QTest::newRow("lower mm") << "dd.mm.yyyy" << "01.05.2026";
    QTest::newRow("short") << "d.m.yy" << "1.5.26";
    QTest::newRow("mm after hour is minutes") << "yyyy-mm-dd hh:mm" << "2026-05-01 07:09";
    QTest::newRow("names") << "ddd d mmm" << "Fri 1 May";
    QTest::newRow("quoted literal") << "'day' dd" << "day 01";
    // clang-format on
}

void TestKit::formatDate()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(kit::formatDateTime(QDateTime(QDate(2026, 5, 1), QTime(7, 9)), format), expected);
    QCOMPARE(kit::today(), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void TestKit::formatValue()
{
    // Values as the two engines hand them over: dates as date or text, decimals as text.
    QCOMPARE(kit::formatValue(QDate(2026, 1, 9)), QStringLiteral("2026-01-09"));
    QCOMPARE(kit::formatValue(QDateTime(QDate(2026, 1, 9), QTime(0, 0))), QStringLiteral("2026-01-09"));
    QCOMPARE(kit::formatValue(QStringLiteral("2026-01-09"), QStringLiteral("dd.mm.yyyy")), QStringLiteral("09.01.2026"));
    QCOMPARE(kit::formatValue(QStringLiteral("1234.5000"), QStringLiteral("#,##0.00")), QStringLiteral("1,234.50"));
    QCOMPARE(kit::formatValue(12.0), QStringLiteral("12"));
    QCOMPARE(kit::formatValue(QStringLiteral("6.0000")), QStringLiteral("6.0000"));
    QCOMPARE(kit::formatValue(QStringLiteral("abc"), QStringLiteral("0.00")), QStringLiteral("abc"));
    QCOMPARE(kit::formatValue(QVariant()), QString());
}

void TestKit::yuscii_data()
{
    // clang-format off
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("code") << "[ifra" << QStringLiteral("Šifra");
    QTest::newRow("quantity") << "Koli~ina" << QStringLiteral("Količina");
    QTest::newRow("report") << "IZVE[TAJ" << QStringLiteral("IZVEŠTAJ");
    QTest::newRow("lower zh") << "zadol`i" << QStringLiteral("zadolži");
    QTest::newRow("all ten") << "@[\\]^`{|}~" << QStringLiteral("ŽŠĐĆČžšđćč");
    QTest::newRow("plain") << "Product No. 12" << "Product No. 12";
    // clang-format on
}

void TestKit::yuscii()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(kit::yusciiToUnicode(stored), shown);
}

void TestKit::maskEditText_data()
{
    // clang-format off
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("complete");

    QTest::newRow("empty") << "" << "    -  -  " << false;
    QTest::newRow("leap day") << "20240229" << "2024-02-29" << true;
    QTest::newRow("no such day") << "20260230" << "2026-02-30" << false;
    QTest::newRow("no leap day") << "20250229" << "2025-02-29" << false;
    QTest::newRow("month 13") << "20261301" << "2026-13-01" << false;
    QTest::newRow("partial") << "202605" << "2026-05-  " << false;
    QTest::newRow("letters ignored") << "2026ab0501" << "2026-05-01" << true;
    // clang-format on
}

void TestKit::maskEditText()
{
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(bool, complete);

    MaskEdit edit;
    QTest::keyClicks(&edit, typed);
    QCOMPARE(edit.Text(), text);
    QCOMPARE(edit.isCompleteDate(), complete);
    QCOMPARE(edit.Text().size(), 10);
}

void TestKit::maskEditTypesOverFromStartOnFocus()
{
    MaskEdit edit;
    QCOMPARE(edit.inputMask(), QStringLiteral("9999-99-99;_"));
    edit.setText(QStringLiteral("2025-12-31"));
    QCOMPARE(edit.Text(), QStringLiteral("2025-12-31"));
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &focusIn);
    QCOMPARE(edit.cursorPosition(), 0);
    QTest::keyClicks(&edit, QStringLiteral("20260501"));
    QCOMPARE(edit.Text(), QStringLiteral("2026-05-01"));

    // A partly filled field continues at its first empty place.
    edit.setText(QStringLiteral("2026-05"));
    QFocusEvent again(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(&edit, &again);
    QCOMPARE(edit.cursorPosition(), 8);
    QTest::keyClicks(&edit, QStringLiteral("07"));
    QCOMPARE(edit.Text(), QStringLiteral("2026-05-07"));

    edit.setText(QString());
    QCOMPARE(edit.Text(), QStringLiteral("    -  -  "));
}

void TestKit::upperCaseEdit()
{
    Edit edit;
    edit.setUpperCase(true);
    QStringList seen;
    edit.OnChange = [&] { seen.append(edit.Text()); };

    QTest::keyClicks(&edit, QStringLiteral("ab "));
    for (const QString& letter : {QStringLiteral("š"), QStringLiteral("đ")}) // beyond ASCII
        QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, letter, Qt::NoModifier);
    QTest::keyClick(&edit, '1');
    QCOMPARE(edit.Text(), QStringLiteral("AB ŠĐ1"));
    for (const QString& text : std::as_const(seen))
        QCOMPARE(text, text.toUpper()); // OnChange never sees the lower-case letter

    // Typing in the middle keeps the cursor where the letter went.
    edit.setText(QStringLiteral("AC"));
    edit.setCursorPosition(1);
    QTest::keyClick(&edit, 'b');
    QCOMPARE(edit.Text(), QStringLiteral("ABC"));
    QCOMPARE(edit.cursorPosition(), 2);

    // Text set by code is shown as stored.
    edit.setText(QStringLiteral("Mixed"));
    QCOMPARE(edit.Text(), QStringLiteral("Mixed"));
}

void TestKit::typingLimit_data()
{
    QTest::addColumn<QString>("set");    // by code
    QTest::addColumn<bool>("backspace"); // before the input, at the end
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted"); // the input comes from the clipboard
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty box stops at the limit") << "" << false << "abcde" << false << "ABC";
    QTest::newRow("short text fills up to the limit") << "X" << false << "abcde" << false << "XAB";
    QTest::newRow("longer text set by code is kept whole") << "123456" << false << "" << false << "123456";
    QTest::newRow("and cannot grow by typing") << "123456" << false << "ab" << false << "123456";
    QTest::newRow("nor by pasting") << "123456" << false << "ab" << true << "123456";
    QTest::newRow("a deleted letter can be typed back") << "123456" << true << "ab" << false << "12345A";
    QTest::newRow("paste is cut to the limit") << "" << false << "paste" << true << "PAS";
    // Never inside a character: half an emoji would be stored as a broken text.
    QTest::newRow("paste is cut before a character that does not fit whole")
        << "" << false << QString::fromUtf8("ab\xF0\x9F\x98\x80") << true << "AB";
    QTest::newRow("and a character that fits is kept whole")
        << "" << false << QString::fromUtf8("a\xF0\x9F\x98\x80z") << true << QString::fromUtf8("A\xF0\x9F\x98\x80");
    QTest::newRow("pasted after a text") << "X" << false << QString::fromUtf8("a\xF0\x9F\x98\x80") << true << "XA";
}

// The limit restricts what the operator types and pastes, never what code sets.
void TestKit::typingLimit()
{
    QFETCH(QString, set);
    QFETCH(bool, backspace);
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QString, expected);
    Edit edit;
    edit.setUpperCase(true);
    edit.setTypingLimit(3);
    edit.setText(set);
    QCOMPARE(edit.Text(), set);
    edit.setCursorPosition(int(set.size()));
    if (backspace)
        QTest::keyClick(&edit, Qt::Key_Backspace);
    if (pasted) {
        QApplication::clipboard()->setText(typed);
        edit.paste();
    } else {
        QTest::keyClicks(&edit, typed);
    }
    QCOMPARE(edit.Text(), expected);

    // A shorter text set by code brings the limit back.
    edit.setText(QStringLiteral("A"));
    edit.setCursorPosition(1);
    QTest::keyClicks(&edit, QStringLiteral("bcdef"));
    QCOMPARE(edit.Text(), QStringLiteral("ABC"));
}

void TestKit::keyHandlerConsumesKey()
{
    QWidget window;
    auto* edit = new Edit(&window);
    auto* next = new Edit(&window);
    QList<int> keys;
    edit->OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        keys.append(key);
        if (key == Qt::Key_A)
            key = 0;
        moveOnEnter(key, next);
    };

    QTest::keyClicks(edit, QStringLiteral("abc"));
    QCOMPARE(edit->Text(), QStringLiteral("bc"));

    // Keypad Enter reaches the handler as Return, and Enter moves on.
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(keys.last(), int(Qt::Key_Return));
    QCOMPARE(window.focusWidget(), next);

    // A handler that leaves the key alone lets the field process it.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->Text(), QStringLiteral("b"));
}

void TestKit::enterPressesFocusedButton()
{
    QWidget window;
    auto* button = new Button(QStringLiteral("Save"), &window);
    int clicks = 0;
    button->OnClick = [&] { ++clicks; };

    QTest::keyClick(button, Qt::Key_Return);
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicks, 3);

    button->OnKeyDown = [](int& key, Qt::KeyboardModifiers) {
        if (isEnter(key))
            key = 0;
    };
    QTest::keyClick(button, Qt::Key_Return);
    QCOMPARE(clicks, 3);
}

void TestKit::buttonModalResultEndsDialog()
{
    QDialog dialog;
    auto* ok = new Button(QStringLiteral("OK"), &dialog);
    auto* cancel = new Button(QStringLiteral("Cancel"), &dialog);
    ok->setModalResult(mrOk);
    ok->setDefault(true);
    cancel->setModalResult(mrCancel);
    int resultDuringClick = -1;
    ok->OnClick = [&] { resultDuringClick = dialog.result(); };

    // Enter on the focused Cancel presses Cancel, not the dialog's default button.
    dialog.show();
    QTest::keyClick(cancel, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(mrCancel));
    QVERIFY(!dialog.isVisible());

    dialog.show();
    ok->Click();
    QCOMPARE(resultDuringClick, int(mrCancel)); // OnClick runs before the dialog ends
    QCOMPARE(dialog.result(), int(mrOk));
    QVERIFY(!dialog.isVisible());
}

void TestKit::stringGridCounts()
{
    StringGrid grid;
    QCOMPARE(grid.ColCount(), 5);
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.FixedRows(), 1);
    QCOMPARE(grid.FixedCols(), 1);
    QCOMPARE(grid.Row(), 1);
    QCOMPARE(grid.Col(), 1);

    // A row count down to one row turns the header row into an ordinary row.
    grid.setCells(1, 0, QStringLiteral("No."));
    grid.setRowCount(1);
    QCOMPARE(grid.FixedRows(), 0);
    QCOMPARE(grid.Row(), 0);
    QVERIFY(grid.horizontalHeader()->isHidden());
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(grid.model()->index(0, 1).data().toString(), QStringLiteral("No."));
    grid.setFixedRows(1); // needs a second row: refused
    QCOMPARE(grid.FixedRows(), 0);
    grid.setRowCount(0);
    QCOMPARE(grid.RowCount(), 1);

    // Growing and fixing the header: row 0 is the header, Row moves off it.
    grid.setRowCount(3);
    grid.setFixedRows(1);
    QCOMPARE(grid.FixedRows(), 1);
    QVERIFY(!grid.horizontalHeader()->isHidden());
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(grid.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("No."));
    QCOMPARE(grid.Row(), 1);
    grid.setRow(0);
    QCOMPARE(grid.Row(), 1);
    grid.setRow(7);
    QCOMPARE(grid.Row(), 2);

    for (int col = 0; col < grid.ColCount(); ++col)
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, col)) & Qt::ItemIsEditable));
}

void TestKit::stringGridKeepsCellsBeyondCounts()
{
    StringGrid grid;
    grid.setColCount(5);
    grid.setRowCount(1);
    // Lines written before the row count grows, and an id kept past the visible columns.
    for (int row = 1; row <= 3; ++row) {
        grid.setCells(1, row, QStringLiteral("code %1").arg(row));
        grid.setCells(5, row, QString::number(100 + row));
    }
    grid.setRowCount(4);
    grid.setFixedRows(1);
    QCOMPARE(grid.model()->index(2, 1).data().toString(), QStringLiteral("code 3"));
    QCOMPARE(grid.Cells(5, 3), QStringLiteral("103"));
    QCOMPARE(grid.model()->columnCount(), 5);

    // Shrinking drops the rows past the new count; growing again shows them empty.
    grid.setRowCount(2);
    grid.setRowCount(4);
    QCOMPARE(grid.Cells(1, 1), QStringLiteral("code 1"));
    QCOMPARE(grid.Cells(1, 3), QString());
    QCOMPARE(grid.Cells(5, 3), QString());
}

void TestKit::stringGridSelectCell()
{
    StringGrid grid;
    grid.setColCount(4);
    grid.setRowCount(4);
    grid.resize(400, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    QList<QPoint> asked;
    bool allow = true;
    grid.OnSelectCell = [&](int col, int row, bool& canSelect) {
        asked.append(QPoint(col, row));
        canSelect = allow;
    };
    const auto click = [&](int col, int row) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(col, row).center());
    };

    click(2, 2);
    QCOMPARE(asked, QList<QPoint>({QPoint(2, 2)}));
    QCOMPARE(grid.Row(), 2);
    QCOMPARE(grid.Col(), 2);

    click(2, 2); // already current: nothing runs
    click(0, 3); // fixed column: never current
    QCOMPARE(asked.size(), 1);
    QCOMPARE(grid.Row(), 2);

    click(3, 2); // another column of the same row is another cell
    QCOMPARE(asked.last(), QPoint(3, 2));

    QTest::keyClick(&grid, Qt::Key_Down);
    QCOMPARE(asked.last(), QPoint(3, 3));
    QCOMPARE(grid.Row(), 3);

    allow = false;
    QTest::keyClick(&grid, Qt::Key_Up);
    click(1, 1);
    QCOMPARE(asked.size(), 5);
    QCOMPARE(grid.Row(), 3);
    QCOMPARE(grid.Col(), 3);

    grid.setRow(1); // a move by code asks nothing
    QCOMPARE(asked.size(), 5);
    QCOMPARE(grid.Row(), 1);
}

void TestKit::stringGridDrawCell()
{
    StringGrid grid;
    grid.setColCount(3);
    grid.setRowCount(3);
    grid.setRowSelect(true);
    grid.resize(300, 200);
    QMap<QPair<int, int>, GridDrawState> drawn;
    grid.OnDrawCell = [&](int col, int row, const QRect& rect, GridDrawState state, QPainter* painter) {
        drawn[{col, row}] = state;
        if (col == 0)
            painter->fillRect(rect, QColor(0, 128, 0));
    };
    const QImage image = grid.grab().toImage();

    QVERIFY(!drawn.contains({1, 0})); // the header row is not an ordinary cell
    QCOMPARE(drawn.value({0, 1}), GridDrawState(gdFixed));
    QVERIFY(drawn.value({1, 1}) & gdSelected);
    QVERIFY(drawn.value({2, 1}) & gdSelected); // whole row
    QVERIFY(!(drawn.value({1, 2}) & gdSelected));
    const QPoint markCell = grid.viewport()->mapTo(&grid, grid.CellRect(0, 2).center());
    QCOMPARE(image.pixelColor(markCell), QColor(0, 128, 0));
}

void TestKit::stringGridColWidths()
{
    StringGrid grid;
    grid.setColCount(3);
    grid.setColWidths(1, 120);
    grid.setColWidths(5, 40); // before the column exists
    QCOMPARE(grid.columnWidth(1), 120);
    grid.setColCount(6);
    QCOMPARE(grid.columnWidth(5), 40);
    QCOMPARE(grid.ColWidths(4), grid.DefaultColWidth());
    grid.setColWidths(2, 0);
    QVERIFY(grid.isColumnHidden(2));
    // Structural changes keep the widths.
    grid.setRowCount(1);
    grid.setRowCount(9);
    grid.setFixedRows(1);
    QCOMPARE(grid.columnWidth(1), 120);
    QVERIFY(grid.isColumnHidden(2));
}

void TestKit::popupMenuShortcutsFollowAttachedMenu()
{
    QWidget window;
    auto* edit = new Edit(&window);
    new QVBoxLayout(&window);
    window.layout()->addWidget(edit);
    QWidget other; // another window's Esc is not ours
    auto* otherEdit = new Edit(&other);

    int closed1 = 0, closed2 = 0, created = 0;
    PopupMenu menu1(&window);
    menu1.addItem(QStringLiteral("Close1"), QStringLiteral("Close"), Qt::Key_Escape, [&] { ++closed1; });
    menu1.attachTo(&window);
    PopupMenu menu2(&window);
    menu2.addItem(QStringLiteral("Nov1"), QStringLiteral("New"), Qt::Key_F2, [&] { ++created; });
    menu2.addSeparator();
    menu2.addItem(QStringLiteral("Close2"), QStringLiteral("Close"), Qt::Key_Escape);

    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(closed1, 1);

    menu2.attachTo(&window); // replaces menu1 as the window's menu
    menu2.item(QStringLiteral("Close2"))->OnClick = [&] { ++closed2; };
    QCOMPARE(PopupMenu::of(&window), &menu2);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::keyClick(edit, Qt::Key_F2);
    QCOMPARE(closed1, 1);
    QCOMPARE(closed2, 1);
    QCOMPARE(created, 1);
    QCOMPARE(menu2.item(QStringLiteral("Nov1"))->Caption(), QStringLiteral("New"));
    QVERIFY(!menu2.item(QStringLiteral("Close1")));

    QTest::keyClick(edit, Qt::Key_Menu);
    QVERIFY(menu2.isVisible());
    menu2.hide();

    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    otherEdit->setFocus();
    QTest::keyClick(otherEdit, Qt::Key_Escape);
    QCOMPARE(closed2, 1);

    // A window goes with the menus it owns, in either order.
    auto* owner = new QWidget;
    auto* ownMenu = new PopupMenu(owner);
    ownMenu->addItem(QStringLiteral("Close1"), QStringLiteral("Close"), Qt::Key_Escape);
    ownMenu->attachTo(owner);
    auto* otherMenu = new PopupMenu;
    otherMenu->attachTo(owner);
    delete owner;
    delete otherMenu;
}

void TestKit::pageControlChangeOnlyByOperator()
{
    PageControl pages;
    pages.addPage(QStringLiteral("Tree"));
    pages.addPage(QStringLiteral("Options"));
    int changes = 0;
    pages.OnChange = [&] { ++changes; };
    pages.setActivePageIndex(1);
    QCOMPARE(pages.ActivePageIndex(), 1);
    QCOMPARE(changes, 0);
    pages.resize(300, 200);
    pages.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pages));
    QTest::mouseClick(pages.tabBar(), Qt::LeftButton, {}, pages.tabBar()->tabRect(0).center());
    QCOMPARE(pages.ActivePageIndex(), 0);
    QCOMPARE(changes, 1);
}

void TestKit::focusFirstControlSkipsHiddenAndDisabled()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* hidden = new Edit;
    auto* disabled = new Edit;
    auto* inHiddenBox = new QWidget;
    auto* boxed = new Edit(inHiddenBox);
    auto* label = new QLabel(QStringLiteral("Name"));
    auto* first = new Edit;
    auto* second = new Edit;
    for (QWidget* w : QList<QWidget*>{hidden, disabled, inHiddenBox, label, first, second})
        layout->addWidget(w);
    hidden->hide();
    disabled->setEnabled(false);
    inHiddenBox->hide();
    Q_UNUSED(boxed);

    QCOMPARE(focusFirstControl(&window), first);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget(), first);
}

void TestKit::scriptedMessages()
{
    const auto ask = [] {
        return messageBox(nullptr, QStringLiteral("Delete the document?"), QStringLiteral("Confirm"), Buttons::OkCancel);
    };
    {
        ScriptedMessages outer;
        {
            ScriptedMessages messages;
            messages.answer(mrCancel);
            QCOMPARE(ask(), int(mrCancel));
            QCOMPARE(ask(), int(mrOk)); // queue empty: the first button
            QCOMPARE(messageBox(nullptr, QStringLiteral("Go on?"), QStringLiteral("Info"), Buttons::YesNo), int(mrYes));
            QCOMPARE(messageBox(nullptr, QStringLiteral("Odberi Proizvod"), QStringLiteral("Info")), int(mrOk));
            QCOMPARE(messages.count(), 4);
            QCOMPARE(messages.last().title, QStringLiteral("Info"));
            QCOMPARE(messages.last().text, QStringLiteral("Odberi Proizvod"));
            QCOMPARE(messages.messages().at(0).buttons, Buttons::OkCancel);
        }
        ask(); // back to the outer responder
        QCOMPARE(outer.texts(), QStringList{QStringLiteral("Delete the document?")});
    }
    QVERIFY(!setMessageBoxHandler({})); // nothing left installed
}

void TestKit::enterAnswersWithTheDefaultButton_data()
{
    QTest::addColumn<int>("buttons"); // Buttons
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<int>("answer");
    QTest::newRow("OK") << int(Buttons::Ok) << int(mrNone) << int(mrOk);
    QTest::newRow("OK, Cancel") << int(Buttons::OkCancel) << int(mrNone) << int(mrOk);
    QTest::newRow("Yes, No") << int(Buttons::YesNo) << int(mrNone) << int(mrYes);
    QTest::newRow("Yes, No: No named") << int(Buttons::YesNo) << int(mrNo) << int(mrNo);
    QTest::newRow("Yes, No, Cancel: Cancel named") << int(Buttons::YesNoCancel) << int(mrCancel) << int(mrCancel);
    QTest::newRow("OK, Cancel: Cancel named") << int(Buttons::OkCancel) << int(mrCancel) << int(mrCancel);
    QTest::newRow("a button the box lacks") << int(Buttons::YesNo) << int(mrOk) << int(mrYes);
}

// The box as shown, without a responder: Enter presses the default button.
void TestKit::enterAnswersWithTheDefaultButton()
{
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(int, answer);
    QVERIFY(!setMessageBoxHandler({}));
    bool pressed = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || pressed)
            return;
        pressed = true;
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, Qt::Key_Return);
    });
    poll.start();
    QCOMPARE(messageBox(nullptr, QStringLiteral("Close without saving?"), QStringLiteral("Warning"), Buttons(buttons),
                        defaultButton),
             answer);
    QVERIFY(pressed);
}

void TestKit::modalHandler()
{
    QDialog dialog;
    auto* edit = new Edit(&dialog);
    auto* ok = new Button(QStringLiteral("OK"), &dialog);
    ok->setModalResult(mrOk);
    QString seen;
    ok->OnClick = [&] { seen = edit->Text(); };
    {
        ScopedModalHandler handler([&](QDialog* d) {
            QTest::keyClicks(edit, QStringLiteral("12"));
            ok->Click();
            return d->result();
        });
        QCOMPARE(runModal(&dialog), int(mrOk));
        QCOMPARE(seen, QStringLiteral("12"));
        QCOMPARE(handler.count(), 1);
    }
    {
        ScopedModalHandler handler([](QDialog*) { return int(mrCancel); });
        QCOMPARE(runModal(&dialog), int(mrCancel));
        QCOMPARE(dialog.result(), int(mrCancel));
    }
    QVERIFY(!setModalHandler({}));
}

void TestKit::csvFieldIsSafeForSpreadsheets_data()
{
    // clang-format off
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("field");
    QTest::newRow("plain") << "WOOD GLUE PVA" << "WOOD GLUE PVA";
    QTest::newRow("negative number") << "-5.0000" << "-5.0000";
    QTest::newRow("number after a blank") << " -1,234.50" << "\" -1,234.50\"";
    QTest::newRow("formula") << "=1+1" << "'=1+1";
    QTest::newRow("formula after blanks") << "  =HYPERLINK(\"x\")" << "\"'  =HYPERLINK(\"\"x\"\")\"";
    QTest::newRow("formula after a no-break space") << QStringLiteral("\u00A0@SUM(A1)") << QStringLiteral("'\u00A0@SUM(A1)");
    QTest::newRow("tab first") << "\t=1" << "\"'\t=1\"";
    QTest::newRow("semicolon splits elsewhere") << "ACME;=1+1;X" << "\"ACME;=1+1;X\"";
    QTest::newRow("comma") << "1,5 KG" << "\"1,5 KG\"";
    QTest::newRow("line break") << "A\nB" << "\"A\nB\"";
    QTest::newRow("blanks only") << "   " << "   ";
    // clang-format on
}

void TestKit::csvFieldIsSafeForSpreadsheets()
{
    QFETCH(QString, cell);
    QFETCH(QString, field);
    QCOMPARE(kit::csvField(cell), field);
}

QTEST_MAIN(TestKit)
#include "test_kit.moc"
