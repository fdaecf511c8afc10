// The invoice module: its windows open only through the module's own codes, the list
// browses work orders with their products and compositions, and the print design lays out.
#include "data/query.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/menuitem.h"
#include "kit/stringgrid.h"
#include "modules/faktura/tfaktura.h"
#include "modules/faktura/tsfaktura.h"
#include "reportdata.h"
#include "reports/tsreportfaktura.h"
#include "support/appfixture.h"

#include <QMenuBar>
#include <QtTest>

using namespace reportdata;
using testsupport::AppFixture;

namespace {

int addProduct(int code, const QString& name)
{
    return insert(QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) "
                                 "values (:p0,:p1,'PCS',10,18,0)"),
                  {code, name});
}

void addComponent(int product, int article, double quantity)
{
    insert(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) values (:p0,:p1,:p2,0)"),
           {product, article, quantity});
}

int addOrder(int number, const QString& employee)
{
    return insert(QStringLiteral("insert into nalozi (nalog_id,datum_start,datum_finish,vraboten_id,prioritet) "
                                 "values (:p0,'2026-04-01','2026-04-03',1,:p1)"),
                  {number, employee});
}

// A work order's product row with its price and tax, planted: the work order store writes
// none (it leaves both 0), and the invoice reads them.
void addOrderLine(int order, int number, int partner, int product, double quantity)
{
    insert(QStringLiteral("insert into magacin_proizvodi (vid_dokument,document_id,id_komintent,id_proizvod,vlez_kol,"
                          "izlez_kol,datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,document_id_label) "
                          "values ('N',:p0,:p1,:p2,:p3,0,'2026-04-01',0,10,18,:p4)"),
           {order, partner, product, quantity, number});
}

QStringList column(const kit::DBGrid* grid, int col)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->cellText(r, col);
    return out;
}

} // namespace

class TestFaktura : public QObject {
    Q_OBJECT

private slots:
    void listBrowsesOrdersWithTheirDetails();
    void windowsOpenOnlyThroughTheModule();
    void printDesignLaysOut();
};

void TestFaktura::listBrowsesOrdersWithTheirDetails()
{
    AppFixture app;
    const int acme = addPartner(QStringLiteral("ACME"));
    const int zeta = addPartner(QStringLiteral("ZETA"));
    const int board = addArticle(1, QStringLiteral("BOARD"));
    const int screw = addArticle(2, QStringLiteral("SCREW"));
    const int glue = addArticle(3, QStringLiteral("GLUE"));
    // Product keys differ from the ledger rows' keys, so following the wrong "id" shows.
    addProduct(90, QStringLiteral("SPARE"));
    const int shelf = addProduct(1, QStringLiteral("SHELF"));
    const int stool = addProduct(2, QStringLiteral("STOOL"));
    addComponent(shelf, board, 2);
    addComponent(shelf, screw, 8);
    addComponent(stool, glue, 0.5);
    const int first = addOrder(1, QStringLiteral("ANA"));
    const int second = addOrder(2, QStringLiteral("BOBAN"));
    addOrderLine(first, 1, acme, shelf, 3);
    addOrderLine(second, 2, zeta, stool, 1);
    addOrderLine(second, 2, zeta, shelf, 4);

    app.main().Faktura->SProccessingMessage(nullptr, nullptr, 18);
    AppFixture::settle();
    auto* w = app.active<TSFakturaLista>();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Faktura-Lista "));
    QCOMPARE(column(w->DBGrid1, 0), (QStringList{QStringLiteral("2"), QStringLiteral("1")}));
    QCOMPARE(w->DBEdit1->Text(), QStringLiteral("2"));
    QCOMPARE(w->DBEdit2->Text(), QStringLiteral("ZETA"));
    QCOMPARE(w->DBEdit4->Text(), QStringLiteral("BOBAN"));
    QCOMPARE(w->Query2->RecordCount(), 2);

    // The articles follow the current product row.
    w->Query2->First();
    const QString product = w->Query2->FieldByName(QStringLiteral("proizvod")).AsString();
    const QStringList expectFirst = product == QLatin1String("STOOL")
                                        ? QStringList{QStringLiteral("GLUE")}
                                        : QStringList{QStringLiteral("BOARD"), QStringLiteral("SCREW")};
    QStringList articles = column(w->DBGrid3, 1);
    articles.sort();
    QCOMPARE(articles, expectFirst);
    w->Query2->Next();
    articles = column(w->DBGrid3, 1);
    articles.sort();
    QVERIFY(articles != expectFirst);
    QVERIFY(!articles.isEmpty());

    // Moving to the older order brings its partner, products and articles.
    w->Query1->Next();
    QCOMPARE(w->DBEdit1->Text(), QStringLiteral("1"));
    QCOMPARE(w->DBEdit2->Text(), QStringLiteral("ACME"));
    QCOMPARE(column(w->DBGrid2, 1), QStringList{QStringLiteral("SHELF")});
    articles = column(w->DBGrid3, 1);
    articles.sort();
    QCOMPARE(articles, (QStringList{QStringLiteral("BOARD"), QStringLiteral("SCREW")}));

    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty()) {
        app.main().resize(1280, 800);
        AppFixture::settle();
        app.main().grab().save(dir + QStringLiteral("/fakturalista.png"));
        app.main().Faktura->SProccessingMessage(nullptr, nullptr, 16);
        AppFixture::settle();
        app.main().grab().save(dir + QStringLiteral("/fakturavnes.png"));
        app.active<TSFakturaVnes>()->Close();
        AppFixture::settle();
    }
    // Browsing writes nothing.
    QCOMPARE(app.database().count(QStringLiteral("magacin_proizvodi")), 3);
    QCOMPARE(app.database().count(QStringLiteral("nalozi")), 2);
}

void TestFaktura::windowsOpenOnlyThroughTheModule()
{
    AppFixture app;
    // No item of the main menu leads to an invoice.
    for (QAction* menu : app.main().menuBar()->actions())
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                QVERIFY2(!a->text().contains(QStringLiteral("Invoice"), Qt::CaseInsensitive)
                             && !a->text().contains(QStringLiteral("Faktura ")),
                         qPrintable(a->text()));

    TFaktura* module = app.main().Faktura;
    module->SProccessingMessage(nullptr, nullptr, 18);
    AppFixture::settle();
    auto* list = app.active<TSFakturaLista>();
    QVERIFY(list);
    QVERIFY(list->Query1->IsEmpty());
    list->Nov1->OnClick();
    AppFixture::settle();
    auto* entry = app.active<TSFakturaVnes>();
    QVERIFY(entry);
    QCOMPARE(entry->windowTitle(), QStringLiteral("Faktura-Kreiraj Nov "));
    QCOMPARE(entry->StringGrid1->ColCount(), 6);
    QCOMPARE(entry->StringGrid1->ColWidths(3), 240);
    QVERIFY(!entry->Query1->Active() && !entry->Query2->Active());

    list->Korekcija1->OnClick();
    AppFixture::settle();
    QVERIFY(module->EditForm);
    QCOMPARE(module->EditForm->windowTitle(), QStringLiteral("Faktura-Koregiraj "));
    QVERIFY(qobject_cast<TSFakturaKorekcija*>(module->EditForm.data()));
    QCOMPARE(app.windows<TSFakturaVnes>().size(), 1);
    QVERIFY(app.messages().isEmpty());
}

void TestFaktura::printDesignLaysOut()
{
    TSReportFaktura design;
    const report::Document& doc = design.layout();
    QCOMPARE(doc.pageCount(), 1);
    const QStringList texts = doc.pages.first().texts();
    for (const char* expected : {"FAKTURA Br. _________", "Datum :", "Valuta :", "Seriski broj :", "Šifra", "Iznos bez DDV",
                                 "Rabat (%)", "DDV(%)", "Iznos za plakawe", "Primil ______________________",
                                 "Direktor ______________________", "Fakturiral_________________"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
}

QTEST_MAIN(TestFaktura)
#include "test_faktura.moc"
