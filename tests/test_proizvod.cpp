// Products: the list with its composition, the entry and edit windows, the usage restriction,
// the duplicate-code test, saves in one transaction, and the product list as pick list.
#include "frame/picking.h"
#include "app/tform1.h"
#include "frame/tformsrgbase.h"
#include "frame/tnavform.h"
#include "data/query.h"
#include "kit/bitbtn.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "kit/stringgrid.h"
#include "modules/nalog/tsnaloglista.h"
#include "modules/proizvod/tproizvod.h"
#include "modules/proizvod/tsproizvodkorekcija.h"
#include "modules/proizvod/tsproizvodlista.h"
#include "modules/proizvod/tsproizvodvnes.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "production_fixture.h"
#include "stores/bounds.h"
#include "stores/productstore.h"
#include "support/appmain.h"
#include "support/inject.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QtTest>

#include <memory>

using namespace production;
using testsupport::Shown;

// Stands in for a work order window asking for a product.
class ProductCaller : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    QList<int> received;
    void ReceiveProduct(int id) override { received << id; }
};

namespace {

TSProizvodLista* openList(AppFixture& app)
{
    app.main().Proizvodi1->trigger();
    AppFixture::settle();
    return app.active<TSProizvodLista>();
}

TSProizvodVnes* openEntry(AppFixture& app)
{
    openList(app)->Nov1->trigger();
    AppFixture::settle();
    return app.active<TSProizvodVnes>();
}

// The edit window of the product `id`, opened from the list.
TSProizvodKorekcija* openEdit(AppFixture& app, int id)
{
    TSProizvodLista* list = openList(app);
    while (list->SelectedId() != id && !list->Query1->Eof())
        list->Query1->Next();
    list->Korekcija1->trigger();
    AppFixture::settle();
    return app.active<TSProizvodKorekcija>();
}

QStringList composition(AppFixture& app, int product)
{
    return rows(app, QStringLiteral("select concat(id_artikal,'|',cast(kolicina as decimal(18,4)),'|',firma_id) x "
                                    "from proizvodi_sostav where id_proizvod=%1 order by id_artikal")
                         .arg(product));
}

} // namespace

class TestProizvod : public QObject {
    Q_OBJECT
private slots:
    void menuOpensTheProductionWindows();
    void listShowsCompositionOfCurrentProduct();
    void entrySavesProductAndComposition();
    void entryChecksFieldsWithoutMessage();
    void entryFailureWritesNothing_data();
    void entryFailureWritesNothing();
    void deletingLineTwoOfThree();
    void usedProductKeepsComposition();
    void unusedProductCompositionIsReplaced();
    void aLineOfADeletedArticleLoadsAndCanBeDeleted();
    void compositionQuantityIsCheckedInTheDialog_data();
    void compositionQuantityIsCheckedInTheDialog();
    void editFailureChangesNothing();
    void duplicateCodeIsRefused();
    void editWithoutSelectionIsRefused();
    void productListAnswersWorkOrderPicks();
};

void TestProizvod::menuOpensTheProductionWindows()
{
    AppFixture app;
    QCOMPARE(app.main().Proizvodstvo1->title(), QStringLiteral("Production"));
    QVERIFY(app.main().PregledpoNalozi1->isEnabled());

    app.main().Nalozi2->trigger();
    AppFixture::settle();
    auto* orders = app.active<TSNalogLista>();
    QVERIFY(orders);
    QCOMPARE(orders->windowTitle(), QStringLiteral("Nalog-Lista "));

    TSProizvodLista* products = openList(app);
    QVERIFY(products);
    QCOMPARE(products->CommandCode, 1);
    QCOMPARE(products->HelpContext, 4);
    QCOMPARE(products->windowTitle(), QStringLiteral("Proizvod-Lista "));

    app.main().Vraboteni1->trigger();
    AppFixture::settle();
    auto* employees = app.active<TSVraboteniLista>();
    QVERIFY(employees);
    QCOMPARE(employees->CommandCode, 1);
}

void TestProizvod::listShowsCompositionOfCurrentProduct()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodLista* list = openList(app);
    QCOMPARE(list->Query1->RecordCount(), 3);
    while (list->SelectedId() != m.p)
        list->Query1->Next();
    QCOMPARE(list->DBGrid2->query()->RecordCount(), 2);
    QStringList shown{list->DBGrid2->cellText(0, 1), list->DBGrid2->cellText(1, 1)};
    shown.sort();
    QCOMPARE(shown, QStringList({"GLUE", "SHEET"}));

    QTest::keyClicks(list->Edit1, "FR");
    QCOMPARE(list->Query1->RecordCount(), 1);
    QCOMPARE(list->SelectedId(), m.q);
    QCOMPARE(list->Query2->RecordCount(), 1);
    QCOMPARE(list->Query2->FieldByName(QStringLiteral("artikal")).AsString(), QStringLiteral("SCREW"));
}

void TestProizvod::entrySavesProductAndComposition()
{
    AppFixture app;
    const Master m = seed(app);
    app.database().exec("delete from proizvodi");
    app.database().exec("delete from proizvodi_sostav");

    TSProizvodVnes* w = openEntry(app);
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Proizvod-Kreiraj Nov "));
    QVERIFY(!w->MaskEdit1->isVisible());
    QCOMPARE(w->Edit4->Text(), QStringLiteral("0"));
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);

    QTest::keyClicks(w->Edit2, "panel");
    QCOMPARE(w->Edit2->Text(), QStringLiteral("PANEL"));
    w->Edit3->setText(QStringLiteral("PCS"));
    w->Edit4->setText(QStringLiteral("120.5"));

    // An empty pick list and a cancelled dialog add nothing.
    w->ReceiveArticle(-1);
    app.onNextDialog([](QDialog*) { return int(kit::mrCancel); });
    w->ReceiveArticle(m.a);
    QCOMPARE(w->StringGrid1->RowCount(), 1);

    answerArticleQuantity(app, "2.5");
    w->ReceiveArticle(m.a);
    answerArticleQuantity(app, "1");
    w->ReceiveArticle(m.b);
    QCOMPARE(w->StringGrid1->FixedRows(), 1);
    QCOMPARE(w->StringGrid1->Cells(5, 0), QStringLiteral("Koli~ina"));
    QCOMPARE(w->StringGrid1->horizontalHeader()->model()->headerData(5, Qt::Horizontal).toString(),
             QStringLiteral("Koli\u010Dina"));
    QCOMPARE(gridLines(w->StringGrid1),
             QStringList({QStringLiteral("%1|101|SHEET|M2|2.5").arg(m.a), QStringLiteral("%1|102|GLUE|KG|1").arg(m.b)}));

    w->BitBtn3->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Proizvodot e uspesno vnesen !!!"}));
    QVERIFY(app.windows<TSProizvodVnes>().isEmpty());
    // The first product of an empty register gets the code 0, the next one 1.
    QCOMPARE(app.database().scalar("select sifra from proizvodi").toInt(), 0);
    QCOMPARE(app.database().scalar("select cena from proizvodi").toDouble(), 120.5);
    const int id = app.database().scalar("select id from proizvodi").toInt();
    QCOMPARE(composition(app, id),
             QStringList({QStringLiteral("%1|2.5000|0").arg(m.a), QStringLiteral("%1|1.0000|0").arg(m.b)}));

    TSProizvodVnes* second = openEntry(app);
    second->Edit2->setText(QStringLiteral("DOOR"));
    second->Edit3->setText(QStringLiteral("PCS"));
    answerArticleQuantity(app, "4");
    second->ReceiveArticle(m.c);
    second->BitBtn3->Click();
    QCOMPARE(app.database().scalar("select sifra from proizvodi where proizvod='DOOR'").toInt(), 1);
}

void TestProizvod::entryChecksFieldsWithoutMessage()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodVnes* w = openEntry(app);
    w->Edit2->setText(QStringLiteral("DOOR"));
    w->Edit5->clear();
    w->BitBtn3->Click();
    QCOMPARE(QApplication::focusWidget(), w->Edit3);
    w->Edit3->setText(QStringLiteral("PCS"));
    w->BitBtn3->Click();
    QCOMPARE(QApplication::focusWidget(), w->Edit5);
    w->Edit5->setText(QStringLiteral("18"));
    w->BitBtn3->Click();
    QCOMPARE(QApplication::focusWidget(), w->BitBtn1);
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(app.database().count("proizvodi"), 3);

    // Enter moves from field to field and on to "Add".
    w->Edit2->setFocus();
    for (QWidget* next : {static_cast<QWidget*>(w->Edit3), static_cast<QWidget*>(w->Edit4), static_cast<QWidget*>(w->Edit5),
                          static_cast<QWidget*>(w->Edit6), static_cast<QWidget*>(w->BitBtn1)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    Q_UNUSED(m);
}

void TestProizvod::entryFailureWritesNothing_data()
{
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<bool>("inject");
    QTest::newRow("database refuses the second line") << "1" << true;
}

void TestProizvod::entryFailureWritesNothing()
{
    QFETCH(QString, quantity);
    QFETCH(bool, inject);
    AppFixture app;
    const Master m = seed(app);
    TSProizvodVnes* w = openEntry(app);
    w->Edit2->setText(QStringLiteral("DOOR"));
    w->Edit3->setText(QStringLiteral("PCS"));
    answerArticleQuantity(app, "3");
    w->ReceiveArticle(m.a);
    answerArticleQuantity(app, quantity);
    w->ReceiveArticle(m.b);
    {
        std::unique_ptr<testsupport::FailingStatement> fail;
        if (inject)
            fail = std::make_unique<testsupport::FailingStatement>(app.database().db(), "insert into proizvodi_sostav", 2);
        w->BitBtn3->Click();
    }
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Warning", "Proizvodot ne e vnesen !!!"}));
    QCOMPARE(app.database().count("proizvodi"), 3);
    QCOMPARE(app.database().count("proizvodi_sostav"), 3);
    QCOMPARE(app.windows<TSProizvodVnes>().size(), 1);
    QCOMPARE(w->StringGrid1->RowCount(), 3);
    QCOMPARE(w->Edit2->Text(), QStringLiteral("DOOR"));
}

void TestProizvod::deletingLineTwoOfThree()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodVnes* w = openEntry(app);
    for (int article : {m.a, m.b, m.c}) {
        answerArticleQuantity(app, "1");
        w->ReceiveArticle(article);
    }
    const QStringList before = gridLines(w->StringGrid1);
    w->StringGrid1->setRow(2);
    w->BitBtn2->Click();
    QCOMPARE(gridLines(w->StringGrid1), QStringList({before[0], before[2]}));
    QCOMPARE(w->StringGrid1->Cells(3, 0), QStringLiteral("Artikal"));
    QCOMPARE(w->StringGrid1->FixedRows(), 1);

    w->DeleteLine(1);
    w->DeleteLine(1);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);
    w->DeleteLine(1); // nothing left: nothing changes
    QCOMPARE(w->StringGrid1->RowCount(), 1);
}

void TestProizvod::usedProductKeepsComposition()
{
    AppFixture app;
    const Master m = seed(app);
    storeOrder(app, 1, m.ana, QStringLiteral("ANA"), QStringLiteral("2026-03-02"), QStringLiteral("2026-03-09"), m.acme,
               {{m.p, 3}});
    const QStringList before = composition(app, m.p);

    TSProizvodKorekcija* w = openEdit(app, m.p);
    QVERIFY(w);
    QCOMPARE(w->HelpContext, 6);
    QCOMPARE(app.messages(), QList<Shown>({{"Warning", "Korekcijata e ograniceno dozvolena"}}));
    QCOMPARE(w->Label7->Caption(), QStringLiteral("Korekcijata e ograniceno dozvolena!!!"));
    QVERIFY(!w->BitBtn1->isEnabled());
    QVERIFY(!w->BitBtn2->isEnabled());
    QVERIFY(w->BitBtn3->isEnabled());
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("1"));
    QCOMPARE(w->StringGrid1->RowCount(), 3);

    // From the discount Enter goes to the save button, "Add" being off.
    w->Edit6->setFocus();
    QTest::keyClick(w->Edit6, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w->BitBtn3);

    w->Edit4->setText(QStringLiteral("150"));
    w->BitBtn3->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().size(), 2); // the warning came once
    QCOMPARE(app.messages().last(), (Shown{"Information", "Proizvodot e uspesno Koregiran !!!"}));
    QCOMPARE(app.database().scalar(QStringLiteral("select cena from proizvodi where id=%1").arg(m.p)).toDouble(), 150.0);
    QCOMPARE(composition(app, m.p), before);
}

void TestProizvod::unusedProductCompositionIsReplaced()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodKorekcija* w = openEdit(app, m.p);
    QVERIFY(app.messages().isEmpty());
    QVERIFY(w->Label7->Caption().isEmpty());
    QVERIFY(w->BitBtn1->isEnabled());
    QCOMPARE(gridLines(w->StringGrid1),
             QStringList({QStringLiteral("%1|101|SHEET|M2|2").arg(m.a), QStringLiteral("%1|102|GLUE|KG|0.5").arg(m.b)}));

    w->DeleteLine(1);
    answerArticleQuantity(app, "7");
    w->ReceiveArticle(m.c);
    w->BitBtn3->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Proizvodot e uspesno Koregiran !!!"}));
    QCOMPARE(composition(app, m.p),
             QStringList({QStringLiteral("%1|0.5000|0").arg(m.b), QStringLiteral("%1|7.0000|0").arg(m.c)}));

    // A product without composition loads with the header alone.
    TSProizvodKorekcija* empty = openEdit(app, m.e);
    QCOMPARE(empty->StringGrid1->RowCount(), 1);
    QVERIFY(empty->BitBtn1->isEnabled());
}

void TestProizvod::aLineOfADeletedArticleLoadsAndCanBeDeleted()
{
    AppFixture app;
    const Master m = seed(app);
    app.database().exec(QStringLiteral("delete from artikli where id=%1").arg(m.a));
    TSProizvodKorekcija* w = openEdit(app, m.p);
    // The line keeps its article key and shows no name; before, its key was lost and every
    // save of the product failed.
    QCOMPARE(gridLines(w->StringGrid1), QStringList({QStringLiteral("%1|||").arg(m.a) + QStringLiteral("|2"),
                                                     QStringLiteral("%1|102|GLUE|KG|0.5").arg(m.b)}));
    w->Edit2->setText(QStringLiteral("RENAMED"));
    w->BitBtn3->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Proizvodot e uspesno Koregiran !!!"}));

    w = openEdit(app, m.p);
    w->DeleteLine(1);
    w->BitBtn3->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Information", "Proizvodot e uspesno Koregiran !!!"}));
    QCOMPARE(composition(app, m.p), QStringList({QStringLiteral("%1|0.5000|0").arg(m.b)}));
}

void TestProizvod::compositionQuantityIsCheckedInTheDialog_data()
{
    // clang-format off
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("refusal"); // empty: taken
    QTest::newRow("not a number") << "ABC" << "The quantity \"ABC\" is not a number.";
    QTest::newRow("negative: stock from nothing")
        << "-5" << "The quantity must be above 0 and at most 1,000,000,000; -5 cannot be saved.";
    QTest::newRow("zero") << "0" << "The quantity must be above 0 and at most 1,000,000,000; 0 cannot be saved.";
    QTest::newRow("beyond any stock")
        << "1e308" << "The quantity must be above 0 and at most 1,000,000,000; 1e+308 cannot be saved.";
    QTest::newRow("a fraction") << "0.25" << "";
    // clang-format on
}

void TestProizvod::compositionQuantityIsCheckedInTheDialog()
{
    QFETCH(QString, quantity);
    QFETCH(QString, refusal);
    AppFixture app;
    const Master m = seed(app);
    TSProizvodVnes* w = openEntry(app);
    answerArticleQuantity(app, quantity);
    w->ReceiveArticle(m.a);
    if (refusal.isEmpty()) {
        QVERIFY(app.messages().isEmpty());
        QCOMPARE(w->StringGrid1->RowCount(), 2);
        return;
    }
    // The dialog said why and stayed open; cancelled then, it added no line.
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", refusal}}));
    QCOMPARE(w->StringGrid1->RowCount(), 1);

    // The store refuses it too, whatever the window hands over.
    stores::Product product{0, QStringLiteral("DOOR"), QStringLiteral("PCS"), 1, 18, 0, {{m.a, -5}}};
    QVERIFY_THROWS_EXCEPTION(stores::InvalidValue, stores::ProductStore(app.database().db()).saveNew(product));
    QCOMPARE(app.database().count("proizvodi", "proizvod='DOOR'"), 0);
}

void TestProizvod::editFailureChangesNothing()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodKorekcija* w = openEdit(app, m.p);
    w->Edit2->setText(QStringLiteral("RENAMED"));
    answerArticleQuantity(app, "1");
    w->ReceiveArticle(m.c);
    {
        testsupport::FailingStatement fail(app.database().db(), "insert into proizvodi_sostav", 3);
        w->BitBtn3->Click();
    }
    AppFixture::settle();
    QCOMPARE(app.messages().last(), (Shown{"Warning", "Proizvodot ne e koregiran !!!"}));
    QCOMPARE(app.database().scalar(QStringLiteral("select proizvod from proizvodi where id=%1").arg(m.p)).toString(),
             QStringLiteral("PANEL"));
    QCOMPARE(composition(app, m.p),
             QStringList({QStringLiteral("%1|2.0000|0").arg(m.a), QStringLiteral("%1|0.5000|0").arg(m.b)}));
    QCOMPARE(w->StringGrid1->RowCount(), 4);

    // An empty code is refused the same way on every database.
    w->MaskEdit1->setText(QString());
    w->BitBtn3->Click();
    QCOMPARE(app.messages().last(), (Shown{"Warning", "Proizvodot ne e koregiran !!!"}));
    QCOMPARE(app.database().scalar(QStringLiteral("select sifra from proizvodi where id=%1").arg(m.p)).toInt(), 1);
}

void TestProizvod::duplicateCodeIsRefused()
{
    AppFixture app;
    const Master m = seed(app);
    TSProizvodKorekcija* w = openEdit(app, m.p);
    w->MaskEdit1->setFocus();
    w->MaskEdit1->setText(QStringLiteral("2"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QCOMPARE(app.messages().last(), (Shown{"Warning", "POSTOI PROIZVOD SO ISTA SIFRA"}));
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

    // Leaving the field runs the same test.
    app.clearMessages();
    w->Edit3->setFocus();
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(QApplication::focusWidget(), w->MaskEdit1);

    app.clearMessages();
    w->MaskEdit1->setText(QStringLiteral("1"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w->Edit2);

    w->MaskEdit1->setFocus();
    w->MaskEdit1->setText(QStringLiteral("77"));
    QTest::keyClick(w->MaskEdit1, Qt::Key_Return);
    QVERIFY(app.messages().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w->Edit2);
}

void TestProizvod::editWithoutSelectionIsRefused()
{
    AppFixture app;
    TSProizvodLista* list = openList(app);
    QCOMPARE(list->SelectedId(), -1);
    list->Korekcija1->trigger();
    AppFixture::settle();
    QCOMPARE(app.messages(), QList<Shown>({{"Info", "Odberi Proizvod"}}));
    QVERIFY(app.windows<TSProizvodKorekcija>().isEmpty());
}

void TestProizvod::productListAnswersWorkOrderPicks()
{
    AppFixture app;
    const Master m = seed(app);
    for (int request : {32773, 32787}) {
        auto* caller = new ProductCaller;
        caller->Navigator = app.main().NavForm();
        caller->InitChild(nullptr, QStringLiteral("Caller "), 2);
        AppFixture::settle();
        app.main().HandleCommand(request);
        AppFixture::settle();
        auto* list = app.active<TSProizvodLista>();
        QVERIFY(list);
        QCOMPARE(list->CommandCode, request);
        while (list->SelectedId() != m.q)
            list->Query1->Next();
        QTest::keyClick(list->DBGrid1, Qt::Key_Return);
        AppFixture::settle();
        QCOMPARE(caller->received, QList<int>({m.q}));
        QVERIFY(app.windows<TSProizvodLista>().isEmpty());
        caller->Close();
        AppFixture::settle();
    }

    // A list opened from the menu answers nothing.
    TSProizvodLista* list = openList(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.windows<TSProizvodLista>().size(), 1);
}

DUREDIR_APP_TEST_MAIN(TestProizvod)
#include "test_proizvod.moc"
