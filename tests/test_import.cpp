// The import of goods-receipt lines into a goods dispatch: the dialog's marks and buttons,
// and what the dispatch window takes from it.
#include "app/tform1.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/stringgrid.h"
#include "ispratnica_fixture.h"

#include <QImage>
#include <QtTest>

using namespace dispatches;

namespace {

QStringList marks(const TSImport& d)
{
    QStringList out;
    for (int r = 1; r < d.StringGrid1->RowCount(); ++r)
        out << d.StringGrid1->Cells(0, r);
    return out;
}

// The colour in the middle of a cell as painted.
QColor painted(TSImport& d, int col, int row)
{
    const QImage image = d.StringGrid1->viewport()->grab().toImage();
    return image.pixelColor(d.StringGrid1->CellRect(col, row).center());
}

void click(TSImport& d, int col, int row)
{
    QTest::mouseClick(d.StringGrid1->viewport(), Qt::LeftButton, {}, d.StringGrid1->CellRect(col, row).center());
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void dialogOffersTheReceiptLinesMarked();
    void movingToACellFlipsItsRowsMark();
    void dispatchTakesTheMarkedLines();
    void importTakesOnlyWhatIsLeft();
    void emptyReceiptListAddsNothing();
};

void TestImport::dialogOffersTheReceiptLinesMarked()
{
    AppFixture app;
    const Master m = seed(app);
    const int receipt = store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 2.5}});
    store(app, 2, "2026-01-02", m.acme, {{m.nut, 9}});

    TSImport d;
    d.Query1->setDatabase(&app.database().db());
    d.resize(720, 360);
    d.show();
    d.LoadReceiptLines(receipt);
    QCOMPARE(d.windowTitle(), QStringLiteral("Import"));
    QCOMPARE(d.StringGrid1->RowCount(), 3);
    QCOMPARE(d.StringGrid1->FixedRows(), 1);
    QCOMPARE(d.StringGrid1->FixedCols(), 1);
    QStringList header;
    for (int c = 1; c <= 4; ++c)
        header << d.StringGrid1->Cells(c, 0);
    QCOMPARE(header, (QStringList{"Product No.", "Product", "Unit", "Quantity"}));
    QStringList row2;
    for (int c = 1; c <= 5; ++c)
        row2 << d.StringGrid1->Cells(c, 2);
    QCOMPARE(row2, (QStringList{"1002", "NUT", "KG", "2.5", QString::number(m.nut)}));
    QCOMPARE(marks(d), (QStringList{"*", "*"}));
    QCOMPARE(painted(d, 0, 1), QColor(0, 128, 0));

    d.Button2->Click(); // "Clear"
    QCOMPARE(marks(d), (QStringList{"", ""}));
    QCOMPARE(painted(d, 0, 1), d.palette().color(QPalette::Button));
    d.Button1->Click(); // "Select"
    QCOMPARE(marks(d), (QStringList{"*", "*"}));

    // Enter in the grid moves on to "Import"; Esc ("Close") gives up.
    d.StringGrid1->setFocus();
    QTest::keyClick(d.StringGrid1, Qt::Key_Return);
    QCOMPARE(d.focusWidget(), d.Button3);
    QCOMPARE(d.Esc1->shortcut(), QKeySequence(Qt::Key_Escape));
    d.Esc1->trigger();
    QCOMPARE(d.result(), int(QDialog::Rejected));
}

void TestImport::movingToACellFlipsItsRowsMark()
{
    AppFixture app;
    const Master m = seed(app);
    const int receipt = store(app, 1, "2026-01-01", m.acme, {{m.screw, 1}, {m.nut, 2}, {m.screw, 3}});
    TSImport d;
    d.Query1->setDatabase(&app.database().db());
    d.resize(720, 360);
    d.show();
    d.LoadReceiptLines(receipt);
    QVERIFY(QTest::qWaitForWindowExposed(&d));

    click(d, 2, 2);
    QCOMPARE(marks(d), (QStringList{"*", "", "*"}));
    click(d, 2, 2); // the current cell again: nothing
    QCOMPARE(marks(d), (QStringList{"*", "", "*"}));
    click(d, 3, 2); // another column of the same row flips it back
    QCOMPARE(marks(d), (QStringList{"*", "*", "*"}));
    d.StringGrid1->setFocus();
    QTest::keyClick(d.StringGrid1, Qt::Key_Down);
    QCOMPARE(marks(d), (QStringList{"*", "*", ""}));
    QCOMPARE(painted(d, 0, 3), d.palette().color(QPalette::Button));
    QCOMPARE(d.markedRows(), (QList<int>{1, 2}));
}

void TestImport::dispatchTakesTheMarkedLines()
{
    AppFixture app;
    const Master m = seed(app);
    const int receipt = store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 2.5}});
    store(app, 2, "2026-01-02", m.acme, {{m.screw, 10}, {m.nut, 5}}); // enough for the lines twice
    TSIspratnicaVnes* w = openDispatchEntry(app, openDispatchList(app));
    const QString screw = QString::number(m.screw) + "|1001|SCREW|PCS|10";
    const QString nut = QString::number(m.nut) + "|1002|NUT|KG|2.5";

    // "Cancel" takes nothing and leaves the grid as it was.
    answerImport(app, {}, false);
    w->VnesiPriemnicaID(receipt);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QVERIFY(w->StringGrid1->Cells(1, 0).isEmpty());

    // "Clear" then "Import": only the header texts.
    answerImport(app, [](TSImport* d) { d->Button2->Click(); });
    w->VnesiPriemnicaID(receipt);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QStringList header;
    for (int c = 1; c <= 5; ++c)
        header << w->StringGrid1->Cells(c, 0);
    QCOMPARE(header, (QStringList{"No.", "Product No.", "Product", "Unit", "Quantity"}));

    // One line unmarked: the other one only.
    answerImport(app, [](TSImport* d) { d->StringGrid1->setCells(0, 1, QString()); });
    w->VnesiPriemnicaID(receipt);
    QCOMPARE(gridLines(w), QStringList{nut});

    // The same receipt twice: its lines twice, in the receipt's order.
    answerImport(app);
    w->VnesiPriemnicaID(receipt);
    answerImport(app);
    w->VnesiPriemnicaID(receipt);
    QCOMPARE(gridLines(w), (QStringList{nut, screw, nut, screw, nut}));

    // Saved as they are, the received quantities go out.
    w->VnesiKomintentiID(m.beta);
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(balance(app, m.screw), 0.0);
    QCOMPARE(balance(app, m.nut), 0.0);
}

void TestImport::importTakesOnlyWhatIsLeft()
{
    AppFixture app;
    const Master m = seed(app);
    // The receipt is all the stock: SCREW 11, NUT 1.
    const int receipt = store(app, 1, "2026-01-01", m.acme, {{m.screw, 6}, {m.nut, 1}, {m.screw, 4}, {m.screw, 1}});
    TSIspratnicaVnes* w = openDispatchEntry(app, openDispatchList(app));
    addLine(app, w, m.screw, "3");

    // SCREW 6 fits (8 left), NUT 1 fits, SCREW 4 finds 2: refused and unmarked, the dialog
    // stays open; SCREW 1 still fits. "Import" again takes the marked ones.
    QStringList marksAfterRefusal;
    bool stayedOpen = false;
    answerImport(app, [&](TSImport* d) {
        d->Button3->Click();
        marksAfterRefusal = marks(*d);
        stayedOpen = d->result() != kit::mrOk;
    });
    w->VnesiPriemnicaID(receipt);
    QVERIFY(stayedOpen);
    QCOMPARE(marksAfterRefusal, (QStringList{"*", "*", "", "*"}));
    QCOMPARE(app.messages(), (QList<testsupport::Shown>{{"Warning", "Don't have requested quantity"}}));
    QCOMPARE(gridLines(w),
             (QStringList{QString::number(m.screw) + "|1001|SCREW|PCS|3", QString::number(m.screw) + "|1001|SCREW|PCS|6",
                          QString::number(m.nut) + "|1002|NUT|KG|1", QString::number(m.screw) + "|1001|SCREW|PCS|1"}));

    // The same receipt again: nothing of NUT is left, SCREW 1 only.
    answerImport(app, [&](TSImport* d) {
        d->Button3->Click();
        marksAfterRefusal = marks(*d);
    });
    w->VnesiPriemnicaID(receipt);
    QCOMPARE(marksAfterRefusal, (QStringList{"", "", "", "*"}));
    QCOMPARE(w->lineCount(), 5);

    w->VnesiKomintentiID(m.beta);
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(balance(app, m.screw), 0.0);
    QCOMPARE(balance(app, m.nut), 0.0);
}

void TestImport::emptyReceiptListAddsNothing()
{
    AppFixture app;
    seed(app);
    TSIspratnicaVnes* w = openDispatchEntry(app, openDispatchList(app));
    w->BitBtn4->Click();
    AppFixture::settle();
    auto* receipts = app.active<TSPriemnicaLista>();
    QVERIFY(receipts);
    QCOMPARE(receipts->SelectedId(), -1);
    // No receipt, no import dialog: the list closes and nothing is offered.
    const int dialogs = app.dialogsRun();
    QTest::keyClick(receipts->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.dialogsRun(), dialogs);
    QVERIFY(app.windows<TSPriemnicaLista>().isEmpty());
    QCOMPARE(w->lineCount(), 0);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);
}

QTEST_MAIN(TestImport)
#include "test_import.moc"
