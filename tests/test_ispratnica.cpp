// Goods dispatches: the list, the entry window, and a dispatch made through the windows
// with the stock list and the receipt list as pickers.
#include "app/tform1.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/panel.h"
#include "kit/popupmenu.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "ispratnica_fixture.h"
#include "support/inject.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

using namespace dispatches;
using testsupport::Shown;

class TestIspratnica : public QObject {
    Q_OBJECT

private slots:
    void dispatchFlowLowersTheStock();
    void listShowsDispatchesAndHoldsStillWhilePrinting();
    void entryNumbersAtSaveAndKeepsTheOpeningDueDate();
    void linesTakeTheirPartOfTheStock_data();
    void linesTakeTheirPartOfTheStock();

private:
    // Master data with stock: SCREW 10 and NUT 4 received on receipt 1.
    static int stockUp(AppFixture& app, const Master& m)
    {
        return store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 4}});
    }
    // A complete entry window: BETA picked, 3 SCREW and 1.5 NUT.
    static TSIspratnicaVnes* filledEntry(AppFixture& app, const Master& m)
    {
        TSIspratnicaVnes* w = openDispatchEntry(app, openDispatchList(app));
        w->VnesiKomintentiID(m.beta);
        w->MaskEdit1->setText(QStringLiteral("2026-03-14"));
        addLine(app, w, m.screw, "3");
        addLine(app, w, m.nut, "1.5");
        return w;
    }
};

void TestIspratnica::dispatchFlowLowersTheStock()
{
    AppFixture app;
    const Master m = seed(app);
    stockUp(app, m);
    app.database().exec("insert into artikli(sifra,artikal,edm) values(1003,'BOLT','PCS')");
    const int bolt = app.database().scalar("select id from artikli where sifra=1003").toInt();
    storeDispatch(app, 1, "2026-01-02", "2026-01-20", m.acme, {});
    store(app, 2, "2026-01-02", m.acme, {{bolt, 2}});
    storeDispatch(app, 7, "2026-01-03", "2026-01-20", m.acme, {{bolt, 2}}); // BOLT balance 0
    const int receipt = store(app, 3, "2026-01-04", m.beta, {{m.nut, 2}, {m.screw, 1}});

    // The dispatch list from the menu, "Nov" (F2) for a new dispatch.
    TSIspratnicaLista* list = openDispatchList(app);
    QVERIFY(list);
    QCOMPARE(list->LastDispatchNumber(), 7);
    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    AppFixture::settle();
    QPointer<TSIspratnicaVnes> w = app.active<TSIspratnicaVnes>();
    QVERIFY(w);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("8"));

    // A key in the customer field opens the partner list; Enter picks ACME.
    QTest::keyClick(w->Edit2, Qt::Key_A);
    AppFixture::settle();
    auto* partners = app.active<TSKomintentiLista>();
    QVERIFY(partners);
    QTest::keyClick(partners->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(w->Edit2->Text(), QStringLiteral("ACME"));
    QCOMPARE(w->PartnerId, m.acme);
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

    // "Add" opens the stock list. BOLT has nothing left: refused, the list stays open.
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->BitBtn2);
    QTest::keyClick(w->BitBtn2, Qt::Key_Space);
    AppFixture::settle();
    auto* stock = app.active<TSLagerListaLista>();
    QVERIFY(stock);
    QCOMPARE(stock->CallerForm.data(), w.data());
    QTest::keyClicks(stock->Edit1, "BO");
    QTest::keyClick(stock->Edit1, Qt::Key_Return);
    QTest::keyClick(stock->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning !", "Nema kolicina od toj artikal!!!"}}));
    QCOMPARE(app.active<TSLagerListaLista>(), stock);
    QCOMPARE(app.dialogsRun(), 0);

    // SCREW: the quantity dialog shows the balance 11 and takes 4.
    stock->Edit1->clear();
    QTest::keyClicks(stock->Edit1, "SC");
    QString shownBalance;
    app.onNextDialog([&shownBalance](QDialog* d) {
        auto* q = qobject_cast<TSNalogVnesiProizvod*>(d);
        shownBalance = q->Label5->isVisibleTo(q) ? q->Label6->Caption() : QString();
        q->Edit4->setText(QStringLiteral("4"));
        q->Button1->Click();
        return q->result();
    });
    QTest::keyClick(stock->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(shownBalance, QStringLiteral("11"));
    QVERIFY(app.windows<TSLagerListaLista>().isEmpty());
    QCOMPARE(gridLines(w), QStringList{QString::number(m.screw) + "|1001|SCREW|PCS|4"});

    // "Import" opens the receipt list; Enter on the newest receipt offers its lines, all marked.
    QTest::keyClick(w->BitBtn4, Qt::Key_Space);
    AppFixture::settle();
    auto* receipts = app.active<TSPriemnicaLista>();
    QVERIFY(receipts);
    QCOMPARE(receipts->CommandCode, 32807);
    QCOMPARE(receipts->SelectedId(), receipt);
    int offered = -1;
    answerImport(app, [&](TSImport* d) {
        offered = int(d->markedRows().size());
        d->show();
        screenshot(app, "import", d);
    });
    QTest::keyClick(receipts->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(offered, 2);
    QVERIFY(app.windows<TSPriemnicaLista>().isEmpty());
    QCOMPARE(gridLines(w),
             (QStringList{QString::number(m.screw) + "|1001|SCREW|PCS|4", QString::number(m.nut) + "|1002|NUT|KG|2",
                          QString::number(m.screw) + "|1001|SCREW|PCS|1"}));

    screenshot(app, "ispratnica_vnes");

    // "Save": one header numbered 8, the due date of the day the window was opened.
    app.clearMessages();
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Information", "Goods dispatch, successful entered !!!"}}));
    QVERIFY(!w);
    const QString today = kit::today();
    QCOMPARE(headers(app).last(), QStringLiteral("8|%1|%1").arg(today));
    QCOMPARE(balance(app, m.screw), 6.0);
    QCOMPARE(balance(app, m.nut), 4.0);

    // The stock list from the menu shows the lowered balances.
    app.main().LagerLista1->trigger();
    AppFixture::settle();
    auto* after = app.active<TSLagerListaLista>();
    QVERIFY(after);
    QStringList balances;
    for (after->Query1->First(); !after->Query1->Eof(); after->Query1->Next())
        balances << after->Query1->FieldByName(QStringLiteral("ARTIKAL")).AsString() + QLatin1Char('=')
                        + QString::number(after->Query1->FieldByName(QStringLiteral("saldo")).AsFloat());
    QCOMPARE(balances, (QStringList{"SCREW=6", "NUT=4", "BOLT=0"}));
}

void TestIspratnica::listShowsDispatchesAndHoldsStillWhilePrinting()
{
    AppFixture app;
    const Master m = seed(app);
    TSIspratnicaLista* empty = openDispatchList(app);
    QVERIFY(empty);
    QCOMPARE(empty->windowTitle(), QStringLiteral("Goods dispatch-list "));
    QCOMPARE(empty->LastDispatchNumber(), 0);
    QCOMPARE(empty->SelectedId(), -1);
    QStringList captions;
    for (QAction* a : empty->PopupMenu2->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char(' ') + a->shortcut().toString());
    QCOMPARE(captions, (QStringList{"Nov F2", "Korekcija F3", "Del ", "-", "Close Esc"}));
    QCOMPARE(empty->Panel1->Color(), QColor(128, 255, 128));
    // "Korekcija" on an empty list opens nothing.
    empty->Korekcija1->trigger();
    AppFixture::settle();
    QVERIFY(app.windows<TSIspratnicaKorekcija>().isEmpty());
    empty->Close();
    AppFixture::settle();

    store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 10}}); // stock to dispatch from
    const int older = storeDispatch(app, 4, "2026-02-01", "2026-02-15", m.beta, {{m.nut, 1}});
    const int newest = storeDispatch(app, 3, "2026-02-02", "2026-03-01", m.acme, {{m.screw, 2}, {m.nut, 0.5}});
    TSIspratnicaLista* list = openDispatchList(app);
    QCOMPARE(list->LastDispatchNumber(), 3);
    QCOMPARE(list->SelectedId(), newest);
    QCOMPARE(list->DBGrid1->columnTitle(0), QStringLiteral("Goods Dispatch"));
    QCOMPARE(list->DBGrid1->cellText(1, 0), QStringLiteral("4"));
    QCOMPARE(list->DBEdit3->Text(), QStringLiteral("2026-03-01"));
    QCOMPARE(list->Label4->Caption(), QStringLiteral("Valuta"));
    QCOMPARE(list->DBEdit4->Text(), QStringLiteral("ACME"));
    QCOMPARE(list->DBEdit6->Text(), QStringLiteral("1000 SKOPJE"));
    QCOMPARE(list->DBGrid2->cellText(1, 3), QStringLiteral("0.5"));
    screenshot(app, "ispratnica_lista");

    // While printing, activation leaves the current dispatch where it is.
    TSIspratnicaVnes* other = openDispatchEntry(app, list);
    list->Query1->setRecNo(1);
    list->setProperty("Printing", true);
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    QCOMPARE(list->SelectedId(), older);
    app.main().mdiArea()->setActiveSubWindow(other->subWindow());
    list->setProperty("Printing", false);
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    QCOMPARE(list->SelectedId(), newest);

    // The print command sets the flag while it asks, and clears it when declined.
    list->Query1->setRecNo(1);
    app.answerNextMessage(kit::mrCancel);
    app.main().Print1->trigger();
    AppFixture::settle();
    QCOMPARE(app.messages().last().text, QStringLiteral("PRINT Goods Dispatch !!!"));
    QCOMPARE(list->property("Printing").toBool(), false);
    QCOMPARE(list->SelectedId(), older);
}

void TestIspratnica::entryNumbersAtSaveAndKeepsTheOpeningDueDate()
{
    AppFixture app;
    const Master m = seed(app);
    stockUp(app, m);
    TSIspratnicaVnes* w = filledEntry(app, m);
    QCOMPARE(w->windowTitle(), QStringLiteral("Goods dispatch-create new "));
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("1"));
    QVERIFY(!w->MaskEdit2->isVisibleTo(w));
    QVERIFY(!w->MaskEdit3->isVisibleTo(w));
    QVERIFY(w->Label4->isVisibleTo(w));
    QCOMPARE(w->Label4->Caption(), QStringLiteral("Valuta (God.-Mes.-Den)"));
    QCOMPARE(w->MaskEdit3->Text(), kit::today());
    QCOMPARE(w->StringGrid1->Cells(3, 0), QStringLiteral("Product"));

    // The first dispatch is number 1, header and ledger labels alike; the due date is the
    // one set when the window was opened, whatever the dispatch date.
    w->MaskEdit3->setText(QStringLiteral("2026-05-31"));
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(headers(app), QStringList{"1|2026-03-14|2026-05-31"});
    const QString id = app.database().scalar("select max(id) from ispratnici").toString();
    QCOMPARE(dispatchLedger(app),
             (QStringList{QStringLiteral("%1|%2|%3|0|3|2026-03-14|1").arg(id).arg(m.beta).arg(m.screw),
                          QStringLiteral("%1|%2|%3|0|1.5|2026-03-14|1").arg(id).arg(m.beta).arg(m.nut)}));

    // Two windows opened together: each number is taken when its dispatch is saved.
    TSIspratnicaLista* list = app.active<TSIspratnicaLista>();
    TSIspratnicaVnes* first = openDispatchEntry(app, list);
    TSIspratnicaVnes* second = filledEntry(app, m);
    QCOMPARE(first->MaskEdit2->Text(), second->MaskEdit2->Text());
    first->VnesiKomintentiID(m.acme);
    addLine(app, first, m.nut, "1");
    second->BitBtn1->Click();
    first->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.database().scalar("select count(distinct ispratnica_id) from ispratnici").toInt(), 3);
    QCOMPARE(app.database()
                 .scalar("select count(*) from magacin_artikli m join ispratnici i on m.document_id=i.id "
                         "where m.vid_dokument='I' and m.document_id_label<>i.ispratnica_id")
                 .toInt(),
             0);
}

void TestIspratnica::linesTakeTheirPartOfTheStock_data()
{
    QTest::addColumn<QStringList>("quantities"); // SCREW lines in order; "del" deletes the first
    QTest::addColumn<QStringList>("shown");      // the balance each quantity dialog showed
    QTest::addColumn<int>("lines");
    QTest::addColumn<double>("elsewhere"); // taken by another workstation before the save
    QTest::addColumn<bool>("meanwhile");   // ... by one saving at the same time, not yet committed
    QTest::newRow("second line beyond the stock")
        << QStringList{"20", "590"} << QStringList{"599", "579"} << 1 << 0.0 << false;
    QTest::newRow("two lines, all the stock") << QStringList{"20", "579"} << QStringList{"599", "579"} << 2 << 0.0 << false;
    QTest::newRow("a deleted line gives its part back")
        << QStringList{"20", "del", "599"} << QStringList{"599", "599"} << 1 << 0.0 << false;
    QTest::newRow("stock taken elsewhere before the save")
        << QStringList{"20", "579"} << QStringList{"599", "579"} << 2 << 1.0 << false;
    QTest::newRow("last units taken by a save running at the same time")
        << QStringList{"20", "579"} << QStringList{"599", "579"} << 2 << 1.0 << true;
}

void TestIspratnica::linesTakeTheirPartOfTheStock()
{
    QFETCH(QStringList, quantities);
    QFETCH(QStringList, shown);
    QFETCH(int, lines);
    QFETCH(double, elsewhere);
    QFETCH(bool, meanwhile);
    AppFixture app;
    const Master m = seed(app);
    store(app, 1, "2026-01-01", m.acme, {{m.screw, 599}, {m.nut, 4}});
    TSIspratnicaVnes* w = openDispatchEntry(app, openDispatchList(app));
    w->VnesiKomintentiID(m.beta);
    addLine(app, w, m.nut, "1");
    QStringList seen;
    double taken = 0;
    QList<Shown> refusals;
    for (const QString& q : quantities) {
        if (q == QLatin1String("del")) {
            taken -= w->StringGrid1->Cells(5, 2).toDouble();
            w->ProcDelete(2);
            continue;
        }
        const int before = w->lineCount();
        seen << addLineShowing(app, w, m.screw, q);
        if (w->lineCount() > before)
            taken += q.toDouble();
        else
            refusals.append(Shown{"Warning", "Don't have requested quantity"});
    }
    QCOMPARE(seen, shown);
    QCOMPARE(w->lineCount(), 1 + lines);
    QCOMPARE(app.messages(), refusals);
    if (elsewhere > 0 && !meanwhile)
        takeElsewhere(app, m.screw, elsewhere);

    app.clearMessages();
    const QStringList before = gridLines(w);
    {
        // The other save holds its turn on SCREW while this one starts: this one waits for
        // it, then finds its units gone.
        std::unique_ptr<SavingElsewhere> other;
        if (meanwhile)
            other = std::make_unique<SavingElsewhere>(app, m.screw, elsewhere);
        w->BitBtn1->Click();
        if (other)
            QVERIFY2(!other->failed(), qPrintable(other->error()));
    }
    AppFixture::settle();
    if (elsewhere > 0) {
        // Refused with the dialog's words; nothing written, the window keeps its lines.
        QCOMPARE(app.messages(), (QList<Shown>{{"Warning", "Don't have requested quantity"}}));
        QCOMPARE(app.database().count("ispratnici"), 0);
        QCOMPARE(app.database().count("magacin_artikli", "vid_dokument='I' and document_id<>999999"), 0);
        QCOMPARE(app.active<TSIspratnicaVnes>(), w);
        QCOMPARE(gridLines(w), before);
        QCOMPARE(w->StringGrid1->Row(), 2); // the first SCREW line
        QCOMPARE(balance(app, m.screw), 599 - elsewhere);
    } else {
        QCOMPARE(app.messages(), (QList<Shown>{{"Information", "Goods dispatch, successful entered !!!"}}));
        QCOMPARE(balance(app, m.screw), 599 - taken);
        QVERIFY(balance(app, m.screw) >= 0);
    }
}

QTEST_MAIN(TestIspratnica)
#include "test_ispratnica.moc"
