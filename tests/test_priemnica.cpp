// Goods receipts: the list, the entry window and the picks delivered into it.
#include "frame/picking.h"
#include "app/application.h"
#include "app/tform1.h"
#include "data/datasource.h"
#include "kit/bitbtn.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/label.h"
#include "kit/format.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "kit/panel.h"
#include "kit/popupmenu.h"
#include "kit/stringgrid.h"
#include "modules/artikli/tsartiklilista.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/priemnica/tpriemnica.h"
#include "priemnica_fixture.h"
#include "support/inject.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlQuery>
#include <QtTest>

using namespace receipts;
using testsupport::Shown;

// A list answering picks with a fixed key, as the partner and article lists do.
class KeyList : public TFormSrgBase, public frame::PickSource {
    Q_OBJECT
    Q_INTERFACES(frame::PickSource)
public:
    using TFormSrgBase::TFormSrgBase;
    int key = 0;
    std::optional<int> pickedKey(frame::PickKey kind) override
    {
        return kind == frame::PickKey::Selected ? std::optional<int>(key) : std::nullopt;
    }
};

// A window that asks for a receipt, as the dispatch windows do.
class ReceiptCaller : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    using TFormSrgBase::TFormSrgBase;
    QList<int> received;
    void VnesiPriemnicaID(int id) override { received << id; }
};

class TestPriemnica : public QObject {
    Q_OBJECT

private slots:
    void goodsReceiptFlowRaisesTheStock();
    void listShowsNewestFirstWithPartnerAndLines();
    void activationReturnsToTheNewestReceipt();
    void entryStartsEmptyWithTodayAndNextNumber();
    void entrySavesHeaderAndOneLedgerRowPerLine();
    void oneNumberForHeaderAndLines();
    void lineRemovalRebuildsTheGrid();
    void picksDeliveredThroughTheMainWindow();
    void receiptPickAnswersOnlyInPickMode();
    void enterOnAnArticleSearchThatFindsNothingBooksNothing();
    void closingTheProgramAsksOnceOverUnsavedInput();

private:
    // A complete entry window: ACME picked, two lines of SCREW and one of NUT.
    static TSPriemnicaVnes* filledEntry(AppFixture& app, const Master& m)
    {
        TSPriemnicaVnes* w = openEntry(app, openList(app));
        w->VnesiKomintentiID(m.acme);
        w->MaskEdit1->setText(QStringLiteral("2026-03-14"));
        addLine(app, w, m.screw, "5");
        addLine(app, w, m.screw, "2.5");
        addLine(app, w, m.nut, "0.001");
        return w;
    }
};

void TestPriemnica::goodsReceiptFlowRaisesTheStock()
{
    AppFixture app;
    const Master m = seed(app);
    store(app, 1, "2026-01-01", m.acme, {{m.screw, 3}});
    auto stock = [&app](int article) {
        TSNalogVnesiProizvod balance;
        balance.Query1->setDatabase(&app.database().db());
        balance.LoadArticleWithBalance(article);
        return balance.Label6->Caption();
    };
    QCOMPARE(stock(m.screw), QStringLiteral("3"));

    // The list from the menu, F2 for a new receipt.
    app.main().Priemnici2->trigger();
    AppFixture::settle();
    TSPriemnicaLista* list = app.active<TSPriemnicaLista>();
    QVERIFY(list);
    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    AppFixture::settle();
    QPointer<TSPriemnicaVnes> w = app.active<TSPriemnicaVnes>();
    QVERIFY(w);
    QCOMPARE(QApplication::focusWidget(), w->Edit2);

    // A key in the partner field opens the partner list; Enter on BETA picks it.
    QTest::keyClick(w->Edit2, Qt::Key_B);
    AppFixture::settle();
    TSKomintentiLista* partners = app.active<TSKomintentiLista>();
    QVERIFY(partners);
    QCOMPARE(partners->CallerForm.data(), w.data());
    QTest::keyClicks(partners->Edit1, "BE");
    QTest::keyClick(partners->Edit1, Qt::Key_Return);
    QTest::keyClick(partners->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSPriemnicaVnes>(), w.data());
    QVERIFY(app.windows<TSKomintentiLista>().isEmpty());
    QCOMPARE(w->Edit2->Text(), QStringLiteral("BETA"));
    QCOMPARE(w->PartnerId, m.beta);
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

    // The date typed over, Enter on to "Add", which opens the article list.
    QTest::keyClicks(w->MaskEdit1, "20260314");
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("2026-03-14"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->BitBtn2);
    QTest::keyClick(w->BitBtn2, Qt::Key_Return);
    AppFixture::settle();
    TSArtikliLista* articles = app.active<TSArtikliLista>();
    QVERIFY(articles);
    QTest::keyClicks(articles->Edit1, "SC");
    QTest::keyClick(articles->Edit1, Qt::Key_Return);
    answerQuantity(app, "5");
    QTest::keyClick(articles->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.dialogsRun(), 1);
    QVERIFY(app.windows<TSArtikliLista>().isEmpty());
    QCOMPARE(gridLines(w), QStringList{QString::number(m.screw) + "|1001|SCREW|PCS|5"});
    QCOMPARE(QApplication::focusWidget(), w->BitBtn2);

    QTest::keyClick(w->BitBtn2, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), w->BitBtn1);
    QTest::keyClick(w->BitBtn1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Information", "Goods Receipt,successful entered!!!"}}));
    QVERIFY(!w);
    QCOMPARE(stock(m.screw), QStringLiteral("8"));

    // Back in front, the list shows the new receipt as the current one.
    QCOMPARE(app.active<TSPriemnicaLista>(), list);
    QCOMPARE(list->LastReceiptNumber(), 2);
    QCOMPARE(list->DBEdit3->Text(), QStringLiteral("BETA"));
    QCOMPARE(list->DBGrid2->cellText(0, 3), QStringLiteral("5"));
}

void TestPriemnica::listShowsNewestFirstWithPartnerAndLines()
{
    AppFixture app;
    const Master m = seed(app);
    TSPriemnicaLista* empty = openList(app);
    QVERIFY(empty);
    QCOMPARE(empty->windowTitle(), QStringLiteral("Goods receipt-List "));
    QCOMPARE(empty->LastReceiptNumber(), 0);
    QCOMPARE(empty->SelectedId(), -1);
    QStringList captions;
    for (QAction* a : empty->PopupMenu2->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text() + QLatin1Char(' ') + a->shortcut().toString());
    QCOMPARE(captions, (QStringList{"New F2", "Update F3", "Del ", "-", "Close Esc"}));
    QCOMPARE(empty->Panel1->Color(), QColor(255, 128, 128));
    empty->Close();

    // Ordered by key, not by number or date: the receipt renumbered to 2 stays on top.
    const int older = store(app, 9, "2026-01-05", m.beta, {{m.nut, 4}});
    const int newest = store(app, 2, "2026-01-02", m.acme, {{m.screw, 10}, {m.nut, 1.5}});
    TSPriemnicaLista* list = openList(app);
    QCOMPARE(list->LastReceiptNumber(), 2);
    QCOMPARE(list->SelectedId(), newest);
    QCOMPARE(list->DBGrid1->columnTitle(0), QStringLiteral("Goods_receipt_id"));
    QCOMPARE(list->DBGrid1->cellText(0, 0), QStringLiteral("2"));
    QCOMPARE(list->DBGrid1->cellText(1, 0), QStringLiteral("9"));
    QCOMPARE(list->DBGrid1->cellText(1, 1), QStringLiteral("2026-01-05"));
    QCOMPARE(list->DBEdit3->Text(), QStringLiteral("ACME"));
    QCOMPARE(list->DBEdit4->Text(), QStringLiteral("MAIN 1"));
    QCOMPARE(list->DBEdit5->Text(), QStringLiteral("1000 SKOPJE"));
    QCOMPARE(list->DBGrid2->columnTitle(3), QStringLiteral("Quantity"));
    QCOMPARE(list->Query2->RecordCount(), 2);
    QCOMPARE(list->DBGrid2->cellText(0, 1), QStringLiteral("SCREW"));
    QCOMPARE(list->DBGrid2->cellText(1, 3), QStringLiteral("1.5"));

    list->Query1->setRecNo(1); // the detail follows the current receipt
    QCOMPARE(list->SelectedId(), older);
    QCOMPARE(list->DBEdit1->Text(), QStringLiteral("9"));
    QCOMPARE(list->DBEdit3->Text(), QStringLiteral("BETA"));
    QCOMPARE(list->Query2->RecordCount(), 1);
}

void TestPriemnica::activationReturnsToTheNewestReceipt()
{
    AppFixture app;
    const Master m = seed(app);
    store(app, 1, "2026-01-01", m.acme, {{m.screw, 1}});
    TSPriemnicaLista* list = openList(app);
    list->Query1->setRecNo(0);
    TSPriemnicaVnes* w = openEntry(app, list);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("2"));

    // A receipt saved elsewhere meanwhile appears, and the list is back on the newest one.
    const int newest = store(app, 5, "2026-01-03", m.beta, {{m.nut, 3}});
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    QCOMPARE(list->Query1->RecordCount(), 2);
    QCOMPARE(list->SelectedId(), newest);
    QCOMPARE(list->LastReceiptNumber(), 5);
    list->Query1->setRecNo(1);
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    app.main().mdiArea()->setActiveSubWindow(list->subWindow());
    AppFixture::settle();
    QCOMPARE(list->Query1->RecNo(), 0);
    QCOMPARE(list->DBEdit3->Text(), QStringLiteral("BETA"));
}

void TestPriemnica::entryStartsEmptyWithTodayAndNextNumber()
{
    AppFixture app;
    seed(app);
    TSPriemnicaLista* list = openList(app);
    TSPriemnicaVnes* w = openEntry(app, list);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Goods receipt-create new "));
    QCOMPARE(w->CallerForm.data(), list);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("1")); // first receipt
    QVERIFY(!w->MaskEdit2->isVisibleTo(w));
    QCOMPARE(w->MaskEdit1->Text(), kit::today());
    QCOMPARE(w->PartnerId, 0);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);
    QCOMPARE(w->StringGrid1->ColCount(), 6);
    QCOMPARE(w->BitBtn1->text(), QStringLiteral("Save"));

    // Opened while no receipt list is open, the number is found anew.
    const Master m{};
    store(app, 41, "2026-01-01", m.acme, {});
    list->Close();
    AppFixture::settle();
    app.main().Priemnica->SProccessingMessage(nullptr, nullptr, 19);
    AppFixture::settle();
    QCOMPARE(app.active<TSPriemnicaVnes>()->MaskEdit2->Text(), QStringLiteral("42"));
}

void TestPriemnica::entrySavesHeaderAndOneLedgerRowPerLine()
{
    AppFixture app;
    const Master m = seed(app);
    QPointer<TSPriemnicaVnes> w = filledEntry(app, m);
    QCOMPARE(w->StringGrid1->FixedRows(), 1);
    QCOMPARE(w->StringGrid1->Cells(2, 0), QStringLiteral("Product No."));
    QCOMPARE(gridLines(w),
             (QStringList{QString::number(m.screw) + "|1001|SCREW|PCS|5", QString::number(m.screw) + "|1001|SCREW|PCS|2.5",
                          QString::number(m.nut) + "|1002|NUT|KG|0.001"}));
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Information", "Goods Receipt,successful entered!!!"}}));
    QVERIFY(!w);

    QCOMPARE(app.database().count("priemnici"), 1);
    const int header = app.database().scalar("select id from priemnici").toInt();
    QCOMPARE(app.database().scalar("select priemnica_id from priemnici").toInt(), 1);
    const QString tail = QStringLiteral("|2026-03-14|1");
    const QString head = QStringLiteral("%1|%2|").arg(header).arg(m.acme);
    QCOMPARE(ledger(app), (QStringList{head + QString::number(m.screw) + "|5|0" + tail,
                                       head + QString::number(m.screw) + "|2.5|0" + tail,
                                       head + QString::number(m.nut) + "|0.001|0" + tail}));
}

void TestPriemnica::oneNumberForHeaderAndLines()
{
    AppFixture app;
    const Master m = seed(app);
    store(app, 9, "2026-01-01", m.acme, {{m.nut, 1}});
    store(app, 4, "2026-01-02", m.acme, {{m.nut, 1}}); // newest, but not the highest number
    TSPriemnicaVnes* w = openEntry(app, openList(app));
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("5"));
    w->VnesiKomintentiID(m.beta);
    addLine(app, w, m.screw, "3");
    addLine(app, w, m.screw, "1");
    w->BitBtn1->Click();
    AppFixture::settle();
    const int header = app.database().scalar("select max(id) from priemnici").toInt();
    QCOMPARE(app.database().scalar(QStringLiteral("select priemnica_id from priemnici where id=%1").arg(header)).toInt(),
             10);
    QCOMPARE(app.database().count("magacin_artikli", QStringLiteral("document_id=%1 and document_id_label=10").arg(header)),
             2);
}

void TestPriemnica::lineRemovalRebuildsTheGrid()
{
    AppFixture app;
    const Master m = seed(app);
    TSPriemnicaVnes* w = openEntry(app, openList(app));
    w->BitBtn3->Click(); // no line: nothing happens
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);

    addLine(app, w, m.screw, "1");
    addLine(app, w, m.nut, "2");
    addLine(app, w, m.screw, "3");
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty())
        w->grab().save(dir + QStringLiteral("/priemnica_vnes.png"));
    w->StringGrid1->setRow(2);
    w->BitBtn3->Click();
    const QString screw = QString::number(m.screw);
    QCOMPARE(gridLines(w), (QStringList{screw + "|1001|SCREW|PCS|1", screw + "|1001|SCREW|PCS|3"}));
    w->ProcDelete(1);
    w->ProcDelete(1);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);
    QCOMPARE(w->StringGrid1->Cells(1, 0), QStringLiteral("No.")); // the header texts stay
    QCOMPARE(w->StringGrid1->Cells(5, 0), QStringLiteral("Quantity"));

    // A cancelled quantity dialog adds nothing.
    app.onNextDialog([](QDialog*) { return int(kit::mrCancel); });
    w->VnesiArtikalID(m.nut);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
}

void TestPriemnica::picksDeliveredThroughTheMainWindow()
{
    AppFixture app;
    const Master m = seed(app);
    const int receipt = store(app, 3, "2026-02-01", m.acme, {{m.nut, 4}});
    TSPriemnicaLista* list = openList(app);
    QCOMPARE(list->SelectedId(), receipt);
    DocumentForm* entry = openEntry(app, list);
    DocumentForm* edit = openEdit(app, list);
    QVERIFY(entry && edit);

    // The answers 32778/32782 land in the entry window, 32796/32798 in the edit window.
    const QList<std::tuple<DocumentForm*, int, int>> cases{{entry, 32778, 32782}, {edit, 32796, 32798}};
    for (const auto& [w, partnerAnswer, articleAnswer] : cases) {
        w->Edit2->SetFocus(); // where the key that asked for the list was pressed
        auto* partners = new KeyList;
        partners->key = m.beta;
        partners->InitChild(w, QStringLiteral("partners "), 2);
        AppFixture::settle();
        app.main().HandleCommand(partnerAnswer);
        AppFixture::settle();
        QCOMPARE(w->Edit2->Text(), QStringLiteral("BETA"));
        QCOMPARE(w->PartnerId, m.beta);
        QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

        auto* articles = new KeyList;
        articles->key = m.screw;
        articles->InitChild(w, QStringLiteral("articles "), 2);
        AppFixture::settle();
        const int before = w->lineCount();
        answerQuantity(app, "7");
        app.main().HandleCommand(articleAnswer);
        AppFixture::settle();
        QCOMPARE(w->lineCount(), before + 1);
        QCOMPARE(gridLines(w).last(), QString::number(m.screw) + "|1001|SCREW|PCS|7");
        QCOMPARE(QApplication::focusWidget(), w->BitBtn2);
        QCOMPARE(app.windows<KeyList>().size(), 0);
    }
    QVERIFY(app.messages().isEmpty());
}

void TestPriemnica::enterOnAnArticleSearchThatFindsNothingBooksNothing()
{
    AppFixture app;
    const Master m = seed(app);
    TSPriemnicaVnes* entry = openEntry(app, openList(app));
    QVERIFY(entry);
    entry->BitBtn2->Click(); // "Add": the article list, for a pick
    AppFixture::settle();
    auto* articles = app.active<TSListBase>();
    QVERIFY(articles && articles != static_cast<QWidget*>(entry));
    QTest::keyClicks(articles->Edit1, "NO SUCH ARTICLE");
    AppFixture::settle();
    QCOMPARE(articles->SelectedId(), -1);
    const int dialogs = app.dialogsRun();
    QTest::keyClick(articles->Edit1, Qt::Key_Return);
    AppFixture::settle();
    if (app.windows<TSArtikliLista>().size() == 1)
        QTest::keyClick(articles->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.dialogsRun(), dialogs); // no quantity dialog on no article
    QCOMPARE(entry->lineCount(), 0);
    QVERIFY(app.messages().isEmpty());

    // A real line still saves alone: nothing was booked for article -1.
    entry->VnesiKomintentiID(m.acme);
    addLine(app, entry, m.screw, "2");
    entry->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.database().count("magacin_artikli", "id_artikal<0"), 0);
    QCOMPARE(app.database().count("magacin_artikli", "vid_dokument='P'"), 1);
}

void TestPriemnica::receiptPickAnswersOnlyInPickMode()
{
    AppFixture app;
    const Master m = seed(app);
    store(app, 1, "2026-01-01", m.acme, {{m.nut, 1}});
    const int second = store(app, 2, "2026-01-02", m.acme, {{m.nut, 1}});

    // From the menu, Enter does nothing.
    TSPriemnicaLista* menuList = openList(app);
    QTest::keyClick(menuList->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSPriemnicaLista>(), menuList);

    for (int request : {32807, 32809}) {
        auto* caller = new ReceiptCaller;
        caller->InitChild(nullptr, QStringLiteral("dispatch "), 2);
        AppFixture::settle();
        app.main().HandleCommand(request);
        AppFixture::settle();
        TSPriemnicaLista* pick = app.active<TSPriemnicaLista>();
        QVERIFY(pick && pick != menuList);
        QCOMPARE(pick->CommandCode, request);
        QCOMPARE(pick->CallerForm.data(), caller);
        QTest::keyClick(pick->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QCOMPARE(caller->received, QList<int>{second});
        QCOMPARE(app.windows<TSPriemnicaLista>().size(), 1); // the pick list closed
        caller->Close();
        AppFixture::settle();
    }

    // An empty list hands over nothing, and closes.
    app.database().exec("delete from priemnici");
    auto* caller = new ReceiptCaller;
    caller->InitChild(nullptr, QStringLiteral("dispatch "), 2);
    AppFixture::settle();
    app.main().HandleCommand(32807);
    AppFixture::settle();
    QTest::keyClick(app.active<TSPriemnicaLista>()->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(caller->received, QList<int>{});
    QCOMPARE(app.windows<TSPriemnicaLista>().size(), 1); // the pick list closed
}

void TestPriemnica::closingTheProgramAsksOnceOverUnsavedInput()
{
    {
        // Entry and edit windows as they opened (the edit one filled from its receipt): the
        // program closes at once.
        AppFixture app;
        const Master m = seed(app);
        store(app, 1, QStringLiteral("2026-01-05"), m.acme, {{m.screw, 3}});
        TSPriemnicaLista* list = openList(app);
        QVERIFY(openEdit(app, list) && openEntry(app, list));
        QVERIFY(app.main().close());
        QVERIFY(app.messages().isEmpty());
    }
    AppFixture app;
    const Master m = seed(app);
    store(app, 1, QStringLiteral("2026-01-05"), m.acme, {{m.screw, 3}, {m.nut, 2}});
    TSPriemnicaLista* list = openList(app);
    QPointer<TSPriemnicaKorekcija> edit = openEdit(app, list);
    QPointer<TSPriemnicaVnes> entry = openEntry(app, list);
    QVERIFY(edit && entry);
    QVERIFY(!edit->hasUnsavedInput() && !entry->hasUnsavedInput());
    entry->MaskEdit1->setText(QStringLiteral("02.01.2026"));
    edit->ProcDelete(1);
    QVERIFY(edit->hasUnsavedInput() && entry->hasUnsavedInput());

    // Two windows with input, one question; No keeps the program and both windows open.
    app.answerNextMessage(kit::mrNo);
    QVERIFY(!app.main().close());
    AppFixture::settle();
    const Shown asked{QStringLiteral("Warning"),
                      QStringLiteral("An open window holds data that is not saved. Close the program without saving?")};
    QCOMPARE(app.messages(), QList<Shown>{asked});
    QVERIFY(app.main().isVisible() && edit && entry);
    QCOMPARE(app.main().modules().size(), 13);

    // Esc still closes the entry window at once, without asking.
    entry->MaskEdit1->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    AppFixture::settle();
    QVERIFY(entry.isNull());
    QCOMPARE(app.messages().size(), 1);

    // Yes closes the program.
    app.answerNextMessage(kit::mrYes);
    QVERIFY(app.main().close());
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{asked, asked}));
    QVERIFY(edit.isNull());
}

int main(int argc, char** argv)
{
    app::Application application(argc, argv);
    TestPriemnica test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_priemnica.moc"
