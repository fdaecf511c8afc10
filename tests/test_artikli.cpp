// The article windows as the operator uses them: the list with its search, the entry window
// with its next code, the edit window with its duplicate-code check.
#include "kit/button.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "modules/artikli/tartikli.h"
#include "modules/artikli/tsartiklikorekcija.h"
#include "modules/artikli/tsartiklilista.h"
#include "modules/artikli/tsartiklivnes.h"
#include "support/appfixture.h"
#include "support/appmain.h"
#include "support/inject.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QtTest>

using testsupport::AppFixture;
using testsupport::Shown;

namespace {

TSArtikliLista* openList(AppFixture& app)
{
    app.main().Lista1->trigger();
    AppFixture::settle();
    return app.active<TSArtikliLista>();
}

void seed(AppFixture& app, const QStringList& names)
{
    int code = 0;
    for (const QString& n : names)
        app.database().exec(
            QStringLiteral("insert into artikli(sifra,artikal,edm) values(%1,'%2','PCS')").arg(++code).arg(n));
}

void activate(AppFixture& app, TFormSrgBase* w)
{
    app.main().mdiArea()->setActiveSubWindow(w->subWindow());
    AppFixture::settle();
}

} // namespace

class TestArtikli : public QObject {
    Q_OBJECT
private slots:
    void entryFromTheListSavesWithTheNextCode();
    void entryRequiresNameAndUnit();
    void failedInsertKeepsTheEntryOpen();
    void editChecksAChangedCodeOnly();
    void searchNarrowsAndWidens();
    void updateNeedsASelectedArticle();
    void updateUsesTheListItCameFrom();
};

void TestArtikli::entryFromTheListSavesWithTheNextCode()
{
    AppFixture app;
    TSArtikliLista* list = openList(app);
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QStringLiteral("Products-List "));
    QCOMPARE(list->DBGrid1->columnTitle(0), QStringLiteral("ProductID"));
    QCOMPARE(list->DBGrid1->columnTitle(1), QStringLiteral("Product Name"));
    QCOMPARE(list->DBGrid1->columnTitle(2), QStringLiteral("Unit"));

    const QList<QPair<QString, QString>> typed{{QStringLiteral("screw m4"), QStringLiteral("pcs")},
                                               {QStringLiteral("oil"), QStringLiteral("l")}};
    for (int n = 1; n <= typed.size(); ++n) {
        QTest::keyClick(list->DBGrid1, Qt::Key_F2);
        QPointer<TSArtikliVnes> entry = app.active<TSArtikliVnes>();
        QVERIFY(entry);
        QCOMPARE(entry->windowTitle(), QStringLiteral("Products-create new "));
        QCOMPARE(entry->CallerForm.data(), list);
        QVERIFY(entry->Edit2->hasFocus());
        QTest::keyClicks(entry->Edit2, typed[n - 1].first);
        QTest::keyClick(entry->Edit2, Qt::Key_Return);
        QVERIFY(entry->Edit3->hasFocus());
        QTest::keyClicks(entry->Edit3, typed[n - 1].second);
        QTest::keyClick(entry->Edit3, Qt::Key_Return);
        QVERIFY(entry->Button1->hasFocus());
        QCOMPARE(app.database().count(QStringLiteral("artikli")), n - 1); // Enter never saves by itself
        QTest::keyClick(entry->Button1, Qt::Key_Return);
        AppFixture::settle();

        QVERIFY(!entry);
        QCOMPARE(app.active<TSArtikliLista>(), list);
        // The list came back to the front and shows the new article with its code.
        QCOMPARE(list->Query1->RecordCount(), n);
        QCOMPARE(list->DBGrid1->cellText(n - 1, 0), QString::number(n));
        QCOMPARE(list->DBGrid1->cellText(n - 1, 1), typed[n - 1].first.toUpper());
        QCOMPARE(list->DBGrid1->cellText(n - 1, 2), typed[n - 1].second.toUpper());
    }
    QVERIFY(app.messages().isEmpty());
}

void TestArtikli::entryRequiresNameAndUnit()
{
    AppFixture app;
    TSArtikliLista* list = openList(app);
    list->Nov1->trigger();
    auto* entry = app.active<TSArtikliVnes>();
    QVERIFY(entry);

    QTest::keyClick(entry->Edit2, Qt::Key_Return);
    QTest::keyClick(entry->Edit3, Qt::Key_Return);
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    QVERIFY(entry->Edit2->hasFocus());

    QTest::keyClicks(entry->Edit2, QStringLiteral("nail"));
    QTest::keyClick(entry->Edit2, Qt::Key_Return);
    QTest::keyClick(entry->Edit3, Qt::Key_Return);
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSArtikliVnes>(), entry);
    QVERIFY(entry->Edit3->hasFocus());
    QCOMPARE(entry->Edit2->text(), QStringLiteral("NAIL"));
    QCOMPARE(app.database().count(QStringLiteral("artikli")), 0);
    QVERIFY(app.messages().isEmpty());
}

void TestArtikli::failedInsertKeepsTheEntryOpen()
{
    AppFixture app;
    seed(app, {QStringLiteral("BOLT")});
    TSArtikliLista* list = openList(app);
    list->Nov1->trigger();
    QPointer<TSArtikliVnes> entry = app.active<TSArtikliVnes>();
    QTest::keyClicks(entry->Edit2, QStringLiteral("washer"));
    QTest::keyClicks(entry->Edit3, QStringLiteral("pcs"));
    {
        testsupport::FailingStatement fail(app.database().db(), QStringLiteral("insert into artikli"));
        QTest::keyClick(entry->Button1, Qt::Key_Return);
        AppFixture::settle();
    }
    QVERIFY(entry);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->Edit2->text(), QStringLiteral("WASHER"));
    QCOMPARE(entry->Edit3->text(), QStringLiteral("PCS"));
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Error"), QStringLiteral("injected failure")}}));
    QCOMPARE(app.database().count(QStringLiteral("artikli")), 1);

    // Once the database takes it, the same input is saved with the next code.
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!entry);
    QCOMPARE(app.database().scalar(QStringLiteral("select sifra from artikli where artikal='WASHER'")).toInt(), 2);
}

void TestArtikli::editChecksAChangedCodeOnly()
{
    AppFixture app;
    seed(app, {QStringLiteral("BOLT"), QStringLiteral("NUT")});
    TSArtikliLista* list = openList(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    QPointer<TSArtikliKorekcija> edit = app.active<TSArtikliKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->windowTitle(), QStringLiteral("Products-update "));
    QCOMPARE(edit->MaskEdit1->text(), QStringLiteral("1"));
    QCOMPARE(edit->Edit3->text(), QStringLiteral("BOLT"));
    QCOMPARE(edit->Edit4->text(), QStringLiteral("PCS"));
    QVERIFY(edit->MaskEdit1->hasFocus());

    int asked = 0;
    app.database().db().setStatementHook([&asked](const QString& sql) {
        if (sql.contains(QStringLiteral("where sifra=")))
            ++asked;
    });
    // The unchanged code goes on without asking the database.
    QTest::keyClick(edit->MaskEdit1, Qt::Key_Return);
    QVERIFY(edit->Edit3->hasFocus());
    QCOMPARE(asked, 0);

    // Another article's code is refused, by Enter and by leaving the field.
    edit->MaskEdit1->SetFocus();
    QTest::keyClicks(edit->MaskEdit1, QStringLiteral("2"));
    QTest::keyClick(edit->MaskEdit1, Qt::Key_Return);
    QCOMPARE(asked, 1);
    QVERIFY(edit->MaskEdit1->hasFocus());
    const Shown duplicate{QStringLiteral("Warning"), QStringLiteral("Exist Product with the same product_id")};
    QCOMPARE(app.messages(), QList<Shown>{duplicate});
    QTest::keyClick(edit->MaskEdit1, Qt::Key_Tab);
    QCOMPARE(asked, 2);
    QVERIFY(edit->MaskEdit1->hasFocus());
    QCOMPARE(app.messages(), (QList<Shown>{duplicate, duplicate}));

    // A free code passes and is saved with the rest.
    edit->MaskEdit1->selectAll();
    QTest::keyClicks(edit->MaskEdit1, QStringLiteral("7"));
    QTest::keyClick(edit->MaskEdit1, Qt::Key_Return);
    QCOMPARE(asked, 3);
    QVERIFY(edit->Edit3->hasFocus());
    QTest::keyClicks(edit->Edit3, QStringLiteral("bolt m8"));
    QTest::keyClick(edit->Edit3, Qt::Key_Return);
    QVERIFY(edit->Edit4->hasFocus());
    QTest::keyClick(edit->Edit4, Qt::Key_Return);
    QVERIFY(edit->Button1->hasFocus());
    QTest::keyClick(edit->Button1, Qt::Key_Return);
    AppFixture::settle();
    app.database().db().setStatementHook({});

    QVERIFY(!edit);
    QCOMPARE(app.messages().size(), 2);
    QCOMPARE(app.database().scalar(QStringLiteral("select sifra from artikli where artikal='BOLT M8'")).toInt(), 7);
    QCOMPARE(app.database().scalar(QStringLiteral("select artikal from artikli where sifra=2")).toString(),
             QStringLiteral("NUT"));
}

void TestArtikli::searchNarrowsAndWidens()
{
    AppFixture app;
    seed(app, {QStringLiteral("ABC"), QStringLiteral("ABD"), QStringLiteral("XBC"), QStringLiteral("AXC")});
    TSArtikliLista* list = openList(app);
    auto rows = [list]() { return list->Query1->RecordCount(); };
    QCOMPARE(rows(), 4);
    QVERIFY(list->Edit1->hasFocus());

    QTest::keyClick(list->Edit1, Qt::Key_A);
    QCOMPARE(rows(), 3);
    QTest::keyClick(list->Edit1, Qt::Key_B);
    QCOMPARE(rows(), 2);
    QCOMPARE(list->Edit1->text(), QStringLiteral("AB"));
    QTest::keyClick(list->Edit1, Qt::Key_Backspace);
    QCOMPARE(rows(), 3);
    QTest::keyClick(list->Edit1, Qt::Key_Backspace);
    QCOMPARE(rows(), 4);

    // The operator's "%" and "_" act as patterns.
    QTest::keyClicks(list->Edit1, QStringLiteral("_B"));
    QCOMPARE(rows(), 3); // ABC, ABD, XBC
    list->Edit1->clear();
    QTest::keyClicks(list->Edit1, QStringLiteral("%C"));
    QCOMPARE(rows(), 3); // ABC, XBC, AXC
    list->Edit1->clear();
    QTest::keyClicks(list->Edit1, QStringLiteral("A_C"));
    QCOMPARE(rows(), 2); // ABC, AXC
    QTest::keyClicks(list->Edit1, QStringLiteral("Q"));
    QCOMPARE(rows(), 0);
    QCOMPARE(list->SelectedId(), -1);

    // Enter moves to the grid; Enter there opens nothing.
    list->Edit1->clear();
    QTest::keyClick(list->Edit1, Qt::Key_Return);
    QVERIFY(list->DBGrid1->hasFocus());
    QTest::keyClick(list->DBGrid1, Qt::Key_Return);
    AppFixture::settle();
    QCOMPARE(app.active<TSArtikliLista>(), list);
    QCOMPARE(app.windows<TSArtikliKorekcija>().size(), 0);
}

void TestArtikli::updateNeedsASelectedArticle()
{
    AppFixture app;
    TSArtikliLista* list = openList(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Info"), QStringLiteral("Select product")}}));
    QCOMPARE(app.windows<TSArtikliKorekcija>().size(), 0);
    QCOMPARE(app.active<TSArtikliLista>(), list);
}

void TestArtikli::updateUsesTheListItCameFrom()
{
    AppFixture app;
    seed(app, {QStringLiteral("BOLT"), QStringLiteral("NUT")});
    QPointer<TSArtikliLista> first = openList(app);
    first->Query1->setRecNo(1); // NUT
    QPointer<TSArtikliLista> second = openList(app);
    QVERIFY(second && second != first);
    QCOMPARE(app.main().Artikli->ListForm.data(), second.data());

    activate(app, first);
    first->Korekcija1->trigger();
    auto* edit = app.active<TSArtikliKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->Edit3->text(), QStringLiteral("NUT"));
    edit->Close();
    AppFixture::settle();

    // With the newer list closed, the older one still opens its own selection.
    second->Close();
    AppFixture::settle();
    QVERIFY(!second);
    activate(app, first);
    first->Korekcija1->trigger();
    edit = app.active<TSArtikliKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->Edit3->text(), QStringLiteral("NUT"));
}

DUREDIR_APP_TEST_MAIN(TestArtikli)
#include "test_artikli.moc"
