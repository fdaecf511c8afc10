// Goods receipts: the edit window (loading, number check, saving) and deleting from the list.
#include "kit/dbgrid.h"
#include "app/application.h"
#include "kit/bitbtn.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "frame/linemodel.h"
#include "kit/stringgrid.h"
#include "modules/priemnica/tpriemnica.h"
#include "priemnica_fixture.h"
#include "support/inject.h"

#include <QtTest>

using namespace receipts;
using testsupport::Shown;

class TestPriemnicaEdit : public QObject {
    Q_OBJECT

private slots:
    void loadsHeaderPartnerAndLines();
    void addedLineSwitchesTheHeaderTexts();
    void numberCheckRunsOnlyWhenChanged();
    void updateRewritesHeaderAndLines();
    void updateRefusals_data();
    void updateRefusals();
    void emptyListOpensNoEditWindow();
    void receiptWithoutLinesKeepsItsHeader();
    void deleteRemovesHeaderAndLinesTogether();

private:
    struct Stored {
        Master m;
        int first = 0;  // number 1: ACME, 10 SCREW and 2.5 NUT
        int second = 0; // number 2: BETA, 3 NUT (newest, current in the list)
    };
    static Stored storeTwo(AppFixture& app)
    {
        Stored s;
        s.m = seed(app);
        s.first = store(app, 1, "2026-01-10", s.m.acme, {{s.m.screw, 10}, {s.m.nut, 2.5}});
        s.second = store(app, 2, "2026-01-11", s.m.beta, {{s.m.nut, 3}});
        return s;
    }
    // The edit window on the first receipt.
    static TSPriemnicaKorekcija* editFirst(AppFixture& app)
    {
        TSPriemnicaLista* list = openList(app);
        list->Query1->setRecNo(1);
        return openEdit(app, list);
    }
};

void TestPriemnicaEdit::loadsHeaderPartnerAndLines()
{
    AppFixture app;
    const Stored s = storeTwo(app);
    TSPriemnicaKorekcija* w = editFirst(app);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Goods receipt-update "));
    QCOMPARE(w->ReceiptId, s.first);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("1"));
    QCOMPARE(w->LoadedNumber, QStringLiteral("1"));
    QVERIFY(w->MaskEdit2->isVisibleTo(w));
    QCOMPARE(w->Edit2->Text(), QStringLiteral("ACME"));
    QCOMPARE(w->PartnerId, s.m.acme);
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("2026-01-10"));
    QCOMPARE(w->BitBtn1->text(), QStringLiteral("Update"));
    QCOMPARE(w->StringGrid1->FixedRows(), 1);
    QStringList header;
    for (int c = 1; c <= 6; ++c)
        header << w->StringGrid1->Cells(c, 0);
    QCOMPARE(header, (QStringList{"Br.", "Katalog Br.", "Artikal", "Edm", "Vlez_Kol.", "Izlez_Kol."}));
    QCOMPARE(gridLines(w), (QStringList{QString::number(s.m.screw) + "|1001|SCREW|PCS|10",
                                        QString::number(s.m.nut) + "|1002|NUT|KG|2.5"}));
}

void TestPriemnicaEdit::addedLineSwitchesTheHeaderTexts()
{
    AppFixture app;
    const Stored s = storeTwo(app);
    TSPriemnicaKorekcija* w = editFirst(app);
    addLine(app, w, s.m.screw, "1");
    QStringList header;
    for (int c = 1; c <= 5; ++c)
        header << w->StringGrid1->Cells(c, 0);
    QCOMPARE(header, (QStringList{"No.", "Product No.", "Product Name", "Unit", "Quantity"}));
    QCOMPARE(w->lineCount(), 3);

    // Removal keeps what is kept beside the line (price and tax of the dialog).
    frame::Line priced = w->Lines->line(3);
    priced.price = 12.5;
    w->Lines->replaceLine(3, priced);
    w->ProcDelete(1);
    QCOMPARE(w->lineCount(), 2);
    QCOMPARE(w->StringGrid1->Cells(6, 2), QStringLiteral("12.5"));
    QCOMPARE(w->Lines->line(2), priced);
}

void TestPriemnicaEdit::numberCheckRunsOnlyWhenChanged()
{
    AppFixture app;
    storeTwo(app);
    TSPriemnicaKorekcija* w = editFirst(app);
    int checks = 0;
    app.database().db().setStatementHook([&checks](const QString& sql) {
        if (sql.contains(QLatin1String("where priemnica_id=:a")))
            ++checks;
    });

    // Unchanged: no query, on to the partner.
    w->MaskEdit2->SetFocus();
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QCOMPARE(checks, 0);
    QCOMPARE(QApplication::focusWidget(), w->Edit2);

    // Another receipt's number: refused, the focus back in the number.
    w->MaskEdit2->SetFocus();
    w->MaskEdit2->setText(QStringLiteral("2"));
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QCOMPARE(checks, 1);
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", "Exist goods receipt with the same receipt_id"}}));
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit2);

    // Leaving the field checks as well.
    w->MaskEdit1->setFocus(Qt::TabFocusReason);
    QCOMPARE(checks, 2);
    QCOMPARE(app.messages().size(), 2);
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit2);

    // Not an integer: the error box, the focus stays.
    w->MaskEdit2->setText(QStringLiteral("X1"));
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QCOMPARE(app.messages().last().title, QStringLiteral("Error"));
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit2);

    // A free number and the loaded one pass.
    w->MaskEdit2->setText(QStringLiteral("7"));
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->Edit2);
    const int before = checks;
    w->MaskEdit2->SetFocus();
    w->MaskEdit2->setText(QStringLiteral("1"));
    QTest::keyClick(w->MaskEdit2, Qt::Key_Return);
    QCOMPARE(checks, before);
    QCOMPARE(app.messages().size(), 3);

    // Leaving for another window checks too.
    w->MaskEdit2->SetFocus();
    w->MaskEdit2->setText(QStringLiteral("2"));
    app.windows<TSPriemnicaLista>().first()->DBGrid1->setFocus(Qt::MouseFocusReason);
    QCOMPARE(app.messages().size(), 4);
    QCOMPARE(app.messages().last(), (Shown{"Warning", "Exist goods receipt with the same receipt_id"}));
    app.database().db().setStatementHook({});
}

void TestPriemnicaEdit::updateRewritesHeaderAndLines()
{
    AppFixture app;
    const Stored s = storeTwo(app);
    QPointer<TSPriemnicaKorekcija> w = editFirst(app);
    w->MaskEdit2->setText(QStringLiteral("15"));
    w->MaskEdit1->setText(QStringLiteral("2026-02-01"));
    w->VnesiKomintentiID(s.m.beta);
    w->ProcDelete(1);
    addLine(app, w, s.m.screw, "4");
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Information", "Goods receipt,successful updated !!!"}}));
    QVERIFY(!w);
    QCOMPARE(app.database().scalar(QStringLiteral("select priemnica_id from priemnici where id=%1").arg(s.first)).toInt(),
             15);
    const QString head = QStringLiteral("%1|%2|").arg(s.first).arg(s.m.beta);
    QStringList rows = ledger(app);
    rows.removeAll(QStringLiteral("%1|%2|%3|3|0|2026-01-11|2").arg(s.second).arg(s.m.beta).arg(s.m.nut));
    QCOMPARE(rows, (QStringList{head + QString::number(s.m.nut) + "|2.5|0|2026-02-01|15",
                                head + QString::number(s.m.screw) + "|4|0|2026-02-01|15"}));
    QCOMPARE(app.database().count("priemnici"), 2);
}

void TestPriemnicaEdit::updateRefusals_data()
{
    // clang-format off
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");
    const QString fill = QStringLiteral("Fill all entry fields!!!");
    QTest::newRow("every line removed") << "nolines" << fill;
    QTest::newRow("no number") << "nonumber" << fill;
    QTest::newRow("no such day") << "badday" << fill;
    QTest::newRow("typed over the partner") << "typed" << fill;
    QTest::newRow("number of another receipt") << "duplicate" << "Exist goods receipt with the same receipt_id";
    // clang-format on
}

void TestPriemnicaEdit::updateRefusals()
{
    QFETCH(QString, change);
    QFETCH(QString, message);
    AppFixture app;
    storeTwo(app);
    const QStringList before = ledger(app);
    TSPriemnicaKorekcija* w = editFirst(app);
    if (change == "nolines") {
        w->ProcDelete(1);
        w->ProcDelete(1);
    } else if (change == "nonumber") {
        w->MaskEdit2->clear();
    } else if (change == "badday") {
        w->MaskEdit1->setText(QStringLiteral("2026-13-01"));
    } else if (change == "typed") {
        w->Edit2->SetFocus();
        QTest::keyClick(w->Edit2, Qt::Key_Z);
        AppFixture::settle();
        if (app.main().ActiveMDIChild() != w) {
            qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild())->Close();
            AppFixture::settle();
        }
    } else {
        w->MaskEdit2->setText(QStringLiteral("2")); // changed without leaving the field
    }
    w->BitBtn1->Click();
    AppFixture::settle();
    if (change == "badday") // every field filled: the message names the date
        message += QStringLiteral("\n\nThe date %1 is not a real calendar date (YYYY-MM-DD).").arg(w->MaskEdit1->Text());
    QCOMPARE(app.messages().last(), (Shown{"Warning", message}));
    QCOMPARE(app.active<TSPriemnicaKorekcija>(), w);
    QCOMPARE(ledger(app), before);
    QCOMPARE(app.database().scalar(QStringLiteral("select priemnica_id from priemnici where id=%1").arg(w->ReceiptId)).toInt(),
             1);
}

void TestPriemnicaEdit::emptyListOpensNoEditWindow()
{
    AppFixture app;
    seed(app);
    TSPriemnicaLista* list = openList(app);
    list->Korekcija1->trigger();
    AppFixture::settle();
    QCOMPARE(app.active<TSPriemnicaLista>(), list);
    QVERIFY(app.windows<TSPriemnicaKorekcija>().isEmpty());
}

void TestPriemnicaEdit::receiptWithoutLinesKeepsItsHeader()
{
    AppFixture app;
    const Master m = seed(app);
    const int bare = store(app, 6, "2026-04-04", m.acme, {});
    QPointer<TSPriemnicaKorekcija> w = openEdit(app, openList(app));
    QVERIFY(w);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("6"));
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("2026-04-04"));
    QCOMPARE(w->lineCount(), 0);
    w->VnesiKomintentiID(m.beta);
    addLine(app, w, m.nut, "1");
    w->BitBtn1->Click();
    AppFixture::settle();
    QVERIFY(!w);
    QCOMPARE(app.database().count("magacin_artikli",
                                  QStringLiteral("document_id=%1 and id_komintent=%2").arg(bare).arg(m.beta)),
             1);
}

void TestPriemnicaEdit::deleteRemovesHeaderAndLinesTogether()
{
    AppFixture app;
    const Stored s = storeTwo(app);
    TSPriemnicaLista* list = openList(app);
    QCOMPARE(list->SelectedId(), s.second);

    app.answerNextMessage(kit::mrCancel);
    list->Del1->trigger();
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", "DELETE -GOODS RECEIPT !!!"}}));
    QCOMPARE(app.database().count("priemnici"), 2);

    // A failure in the middle rolls the whole delete back, and says so.
    {
        testsupport::FailingStatement fail(app.database().db(), "delete from magacin_artikli");
        list->Del1->trigger();
    }
    QCOMPARE(app.messages().size(), 3);
    QCOMPARE(app.messages().last(), (Shown{"Error", "injected failure"}));
    QCOMPARE(app.database().count("priemnici"), 2);
    QCOMPARE(app.database().count("magacin_artikli"), 3);
    QCOMPARE(list->SelectedId(), s.second);

    list->Del1->trigger();
    QCOMPARE(app.database().count("priemnici"), 1);
    QCOMPARE(app.database().count("magacin_artikli", QStringLiteral("document_id=%1").arg(s.second)), 0);
    QCOMPARE(app.database().count("magacin_artikli", QStringLiteral("document_id=%1").arg(s.first)), 2);
    QCOMPARE(list->SelectedId(), s.first);
    QCOMPARE(list->LastReceiptNumber(), 1);
    QCOMPARE(list->Query2->RecordCount(), 2);
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestPriemnicaEdit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_priemnica_edit.moc"
