// The register windows of articles, company partners and employees: what their lists,
// entry and edit windows share (captions, the update that needs a selection, boxes typed in
// Enter order), then what each register does on its own: the article code (next code,
// duplicate-code check), the partner's thirteen fields and whole-number discount, the
// employee's "Banka"/"Edb" crossing and an edit that writes back only the employee it loaded.
#include "frame/tslistbase.h"
#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/menuitem.h"
#include "modules/artikli/tartikli.h"
#include "modules/artikli/tsartiklikorekcija.h"
#include "modules/artikli/tsartiklilista.h"
#include "modules/artikli/tsartiklivnes.h"
#include "modules/komintenti/tskomintentikorekcija.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/komintenti/tskomintentivnes.h"
#include "modules/vraboteni/tsvrabotenikorekcija.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "modules/vraboteni/tsvrabotenivnes.h"
#include "modules/vraboteni/tvraboteni.h"
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

// With DUREDIR_SCREENSHOT_DIR set, saves the main window as the operator sees it.
void screenshot(AppFixture& app, const char* name)
{
    if (const QString dir = qEnvironmentVariable("DUREDIR_SCREENSHOT_DIR"); !dir.isEmpty())
        app.main().grab().save(dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

QString captionOf(QWidget* window, QWidget* box)
{
    for (kit::Label* l : window->findChildren<kit::Label*>())
        if (l->buddy() == box)
            return l->text();
    return QString();
}

template <class List>
List* openList(AppFixture& app, QAction* command)
{
    command->trigger();
    AppFixture::settle();
    return app.active<List>();
}
TSArtikliLista* openArticles(AppFixture& app)
{
    return openList<TSArtikliLista>(app, app.main().Lista1);
}
TSKomintentiLista* openPartners(AppFixture& app)
{
    return openList<TSKomintentiLista>(app, app.main().Komintenti1);
}
// The employee list is not on the main menu; its module opens it as the menu would.
TSVraboteniLista* openEmployees(AppFixture& app)
{
    app.main().Vraboteni->createList(nullptr, nullptr, 1);
    AppFixture::settle();
    return app.active<TSVraboteniLista>();
}

void seedArticles(AppFixture& app, const QStringList& names)
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

const char* activeClass(AppFixture& app)
{
    QWidget* w = app.main().ActiveMDIChild();
    return w ? w->metaObject()->className() : "";
}

int windowsOf(AppFixture& app, const char* className)
{
    int n = 0;
    for (TFormSrgBase* w : app.main().findChildren<TFormSrgBase*>())
        n += qstrcmp(w->metaObject()->className(), className) == 0;
    return n;
}

// Types each text into its box in Enter order: the box has the focus, its text is replaced,
// Enter moves on. Callers check QTest::currentTestFailed() afterwards.
void typeInEnterOrder(const QList<QPair<kit::Edit*, QString>>& boxes)
{
    for (const auto& [box, text] : boxes) {
        QVERIFY2(box->hasFocus(), qPrintable(box->objectName()));
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }
}

// The partner's columns in the Enter order of its entry and edit windows, with their boxes.
struct Box {
    const char* column;
    kit::Edit* TSKomintentiFields::*edit;
};
const Box kPartnerBoxes[] = {
    {"naziv", &TSKomintentiFields::Edit3},       {"adresa", &TSKomintentiFields::Edit4},
    {"grad", &TSKomintentiFields::Edit1},        {"tel", &TSKomintentiFields::Edit5},
    {"mobil", &TSKomintentiFields::Edit6},       {"zirosmetka", &TSKomintentiFields::Edit7},
    {"edb", &TSKomintentiFields::Edit8},         {"deponent", &TSKomintentiFields::Edit9},
    {"sifdejnost", &TSKomintentiFields::Edit10}, {"mb", &TSKomintentiFields::Edit11},
    {"zabeleska1", &TSKomintentiFields::Edit12}, {"zabeleska2", &TSKomintentiFields::Edit13},
    {"rabat", &TSKomintentiFields::Edit14},
};

// Every partner box typed: the discount gets `discount`, the others `prefix` and the column.
QList<QPair<kit::Edit*, QString>> partnerTyping(TSKomintentiFields* window, const QString& prefix, const QString& discount)
{
    QList<QPair<kit::Edit*, QString>> out;
    for (const Box& b : kPartnerBoxes)
        out << qMakePair(window->*b.edit, qstrcmp(b.column, "rabat") == 0 ? discount : prefix + QLatin1String(b.column));
    return out;
}

QString partnerColumn(AppFixture& app, const char* name, int id)
{
    return app.database()
        .scalar(QStringLiteral("select %1 from komintenti where id=%2").arg(QLatin1String(name)).arg(id))
        .toString();
}

// What the three registers share, one row each.
struct Register {
    const char* name;
    TSListBase* (*open)(AppFixture&);
    const char* seed; // one record the edit window can load
    const char *entryClass, *editClass;
    QString listTitle, searchCaption, newCaption, updateCaption;
    QList<QPair<int, QString>> columnTitles;
    QString entryTitle, entryButton, editTitle, editButton, noSelection;
};

const QList<Register>& registers()
{
    static const QList<Register> all{
        {"articles",
         [](AppFixture& a) -> TSListBase* { return openArticles(a); },
         "insert into artikli(sifra,artikal,edm) values(1,'BOLT','PCS')",
         "TSArtikliVnes",
         "TSArtikliKorekcija",
         "Products-List ",
         "Search by product name",
         "New",
         "Update",
         {{0, "ProductID"}, {1, "Product Name"}, {2, "Unit"}},
         "Products-create new ",
         "Save",
         "Products-update ",
         "Update",
         "Select product"},
        {"partners",
         [](AppFixture& a) -> TSListBase* { return openPartners(a); },
         "insert into komintenti(naziv,rabat) values('ACME',5)",
         "TSKomintentiVnes",
         "TSKomintentiKorekcija",
         "Company partner-List ",
         "Search by company  partner",
         "New",
         "Update",
         {{0, "Id"}, {1, "Company name"}},
         "Company partner-create new ",
         "Save",
         "Company partner-update ",
         "Update",
         "Select company partner"},
        {"employees",
         [](AppFixture& a) -> TSListBase* { return openEmployees(a); },
         "insert into vraboteni(naziv,edb,deponent) values('ANA','E1','D1')",
         "TSVraboteniVnes",
         "TSVraboteniKorekcija",
         "Vraboteni-Lista ",
         "Prebaruvanje po komintent",
         "Nov",
         "Korekcija",
         {{1, "naziv"}},
         "Vraboteni-Kreiraj Nov ",
         "Vnes",
         "Vraboteni-Koregiraj ",
         "Korekcija",
         "Odberi Komintent"},
    };
    return all;
}

} // namespace

class TestRegisters : public QObject {
    Q_OBJECT
private slots:
    // Shared by the three registers.
    void listEntryAndEditWindows_data();
    void listEntryAndEditWindows();

    // Articles.
    void articleEntryFromTheListSavesWithTheNextCode();
    void articleEntryRequiresNameAndUnit();
    void articleFailedInsertKeepsTheEntryOpen();
    void articleEditChecksAChangedCodeOnly();
    void articleSearchNarrowsAndWidens();
    void articleUpdateUsesTheListItCameFrom();

    // Company partners.
    void partnerAllFieldsRoundTrip();
    void partnerDiscountMustBeAWholeNumber();

    // Employees.
    void employeeBankaAndEdbCross();
    void employeeEditWritesTheLoadedEmployee();
};

void TestRegisters::listEntryAndEditWindows_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < registers().size(); ++i)
        QTest::newRow(registers().at(i).name) << i;
}

// The list's captions; "Update" with nothing selected shows the register's message and opens
// nothing; "New" opens the entry window, "Update" on a record the edit window.
void TestRegisters::listEntryAndEditWindows()
{
    QFETCH(int, index);
    const Register& r = registers().at(index);
    AppFixture app;
    TSListBase* list = r.open(app);
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), r.listTitle);
    QCOMPARE(list->Label1->text(), r.searchCaption);
    QCOMPARE(list->Nov1->text(), r.newCaption);
    QCOMPARE(list->Korekcija1->text(), r.updateCaption);
    for (const auto& [column, title] : r.columnTitles)
        QCOMPARE(list->DBGrid1->columnTitle(column), title);

    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Info"), r.noSelection}}));
    QCOMPARE(windowsOf(app, r.editClass), 0);
    QCOMPARE(app.main().ActiveMDIChild(), static_cast<QWidget*>(list));

    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    QPointer<TFormSrgBase> entry = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
    QVERIFY(entry);
    QCOMPARE(activeClass(app), r.entryClass);
    QCOMPARE(entry->windowTitle(), r.entryTitle);
    QCOMPARE(entry->findChild<kit::Button*>(QStringLiteral("Button1"))->text(), r.entryButton);
    entry->Close();
    AppFixture::settle();
    QVERIFY(!entry);

    app.database().exec(QString::fromLatin1(r.seed));
    list->RefreshList();
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    QWidget* edit = app.main().ActiveMDIChild();
    QCOMPARE(activeClass(app), r.editClass);
    QCOMPARE(edit->windowTitle(), r.editTitle);
    QCOMPARE(edit->findChild<kit::Button*>(QStringLiteral("Button1"))->text(), r.editButton);
    QCOMPARE(app.messages().size(), 1);
}

void TestRegisters::articleEntryFromTheListSavesWithTheNextCode()
{
    AppFixture app;
    TSArtikliLista* list = openArticles(app);
    QVERIFY(list);

    const QList<QPair<QString, QString>> typed{{QStringLiteral("screw m4"), QStringLiteral("pcs")},
                                               {QStringLiteral("oil"), QStringLiteral("l")}};
    for (int n = 1; n <= typed.size(); ++n) {
        QTest::keyClick(list->DBGrid1, Qt::Key_F2);
        QPointer<TSArtikliVnes> entry = app.active<TSArtikliVnes>();
        QVERIFY(entry);
        QCOMPARE(entry->CallerForm.data(), list);
        QVERIFY(entry->Edit2->hasFocus());
        QTest::keyClicks(entry->Edit2, typed[n - 1].first);
        QTest::keyClick(entry->Edit2, Qt::Key_Return);
        QVERIFY(entry->Edit3->hasFocus());
        QTest::keyClicks(entry->Edit3, typed[n - 1].second);
        if (n == 1)
            screenshot(app, "artikli_vnes");
        QTest::keyClick(entry->Edit3, Qt::Key_Return);
        QVERIFY(entry->Button1->hasFocus());
        QCOMPARE(app.database().count(QStringLiteral("artikli")), n - 1); // Enter never saves by itself
        QTest::keyClick(entry->Button1, Qt::Key_Return);
        AppFixture::settle();

        QVERIFY(!entry);
        QCOMPARE(app.active<TSArtikliLista>(), list);
        // The list came back to the front and shows the new article with its code.
        QCOMPARE(list->Query1->RecordCount(), n);
        QCOMPARE(list->DBGrid1->cellText(n - 1, 0), QString::number(n - 1)); // codes start at 0
        QCOMPARE(list->DBGrid1->cellText(n - 1, 1), typed[n - 1].first.toUpper());
        QCOMPARE(list->DBGrid1->cellText(n - 1, 2), typed[n - 1].second.toUpper());
    }
    screenshot(app, "artikli_lista");
    QVERIFY(app.messages().isEmpty());
}

void TestRegisters::articleEntryRequiresNameAndUnit()
{
    AppFixture app;
    TSArtikliLista* list = openArticles(app);
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

void TestRegisters::articleFailedInsertKeepsTheEntryOpen()
{
    AppFixture app;
    seedArticles(app, {QStringLiteral("BOLT")});
    TSArtikliLista* list = openArticles(app);
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

void TestRegisters::articleEditChecksAChangedCodeOnly()
{
    AppFixture app;
    seedArticles(app, {QStringLiteral("BOLT"), QStringLiteral("NUT")});
    TSArtikliLista* list = openArticles(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    QPointer<TSArtikliKorekcija> edit = app.active<TSArtikliKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->MaskEdit1->text(), QStringLiteral("1"));
    QCOMPARE(edit->Edit3->text(), QStringLiteral("BOLT"));
    QCOMPARE(edit->Edit4->text(), QStringLiteral("PCS"));
    QVERIFY(edit->MaskEdit1->hasFocus());
    screenshot(app, "artikli_korekcija");

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

void TestRegisters::articleSearchNarrowsAndWidens()
{
    AppFixture app;
    seedArticles(app, {QStringLiteral("ABC"), QStringLiteral("ABD"), QStringLiteral("XBC"), QStringLiteral("AXC")});
    TSArtikliLista* list = openArticles(app);
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

void TestRegisters::articleUpdateUsesTheListItCameFrom()
{
    AppFixture app;
    seedArticles(app, {QStringLiteral("BOLT"), QStringLiteral("NUT")});
    QPointer<TSArtikliLista> first = openArticles(app);
    first->Query1->setRecNo(1); // NUT
    QPointer<TSArtikliLista> second = openArticles(app);
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

// All 13 fields through entry, list and edit.
void TestRegisters::partnerAllFieldsRoundTrip()
{
    AppFixture app;
    TSKomintentiLista* list = openPartners(app);
    QVERIFY(list);

    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    QPointer<TSKomintentiVnes> entry = app.active<TSKomintentiVnes>();
    QVERIFY(entry);
    QCOMPARE(entry->Edit14->text(), QStringLiteral("0"));
    QCOMPARE(captionOf(entry, entry->Edit1), QStringLiteral("Zip code - City State"));
    QCOMPARE(captionOf(entry, entry->Edit8), QStringLiteral("Bank"));
    QCOMPARE(captionOf(entry, entry->Edit9), QStringLiteral("Note"));
    QCOMPARE(entry->Edit3->maxLength(), 30);

    // Every box typed in Enter order, each with its own value.
    QVERIFY(entry->Edit3->hasFocus());
    typeInEnterOrder(partnerTyping(entry, QStringLiteral("in "), QStringLiteral("12")));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(entry->Button1->hasFocus());
    screenshot(app, "komintenti_vnes");
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!entry);
    QCOMPARE(app.database().count(QStringLiteral("komintenti")), 1);
    const int id = app.database().scalar(QStringLiteral("select id from komintenti")).toInt();
    for (const Box& b : kPartnerBoxes)
        QCOMPARE(partnerColumn(app, b.column, id),
                 qstrcmp(b.column, "rabat") == 0 ? QStringLiteral("12")
                                                 : QStringLiteral("IN ") + QString::fromLatin1(b.column).toUpper());

    // The list's detail panel: "Bank" stands beside deponent there.
    QCOMPARE(app.active<TSKomintentiLista>(), list);
    QCOMPARE(list->DBEdit7->text(), QStringLiteral("IN DEPONENT"));
    QCOMPARE(captionOf(list, list->DBEdit7), QStringLiteral("Bank"));
    QCOMPARE(list->DBEdit8->text(), QStringLiteral("IN EDB"));
    QCOMPARE(list->DBEdit14->text(), QStringLiteral("IN GRAD"));
    QCOMPARE(list->DBEdit13->text(), QStringLiteral("12"));
    screenshot(app, "komintenti_lista");

    // A second partner that the edit must leave alone.
    app.database().exec(QStringLiteral("insert into komintenti(naziv,grad,rabat) values('OTHER','SKOPJE',3)"));

    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    QPointer<TSKomintentiKorekcija> edit = app.active<TSKomintentiKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->Edit2->text(), QString::number(id));
    QVERIFY(!edit->Edit2->isEnabled());
    QVERIFY(edit->Edit3->hasFocus());
    for (const Box& b : kPartnerBoxes)
        QCOMPARE((edit->*b.edit)->text(), partnerColumn(app, b.column, id));
    typeInEnterOrder(partnerTyping(edit, QStringLiteral("new "), QStringLiteral("7")));
    if (QTest::currentTestFailed())
        return;
    QVERIFY(edit->Button1->hasFocus());
    screenshot(app, "komintenti_korekcija");
    QTest::keyClick(edit->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!edit);
    for (const Box& b : kPartnerBoxes)
        QCOMPARE(partnerColumn(app, b.column, id),
                 qstrcmp(b.column, "rabat") == 0 ? QStringLiteral("7")
                                                 : QStringLiteral("NEW ") + QString::fromLatin1(b.column).toUpper());
    QCOMPARE(app.database().count(QStringLiteral("komintenti"), QStringLiteral("naziv='OTHER' and grad='SKOPJE' "
                                                                               "and rabat=3")),
             1);
    QVERIFY(app.messages().isEmpty());
}

void TestRegisters::partnerDiscountMustBeAWholeNumber()
{
    AppFixture app;
    TSKomintentiLista* list = openPartners(app);
    list->Nov1->trigger();
    QPointer<TSKomintentiVnes> entry = app.active<TSKomintentiVnes>();
    QTest::keyClicks(entry->Edit3, QStringLiteral("acme"));
    for (const QString& discount : {QStringLiteral("1.5"), QString()}) {
        entry->Edit14->setText(discount);
        app.clearMessages();
        QTest::keyClick(entry->Button1, Qt::Key_Return);
        AppFixture::settle();
        QVERIFY(entry);
        QCOMPARE(entry->Edit3->text(), QStringLiteral("ACME"));
        QCOMPARE(entry->Edit14->text(), discount);
        QCOMPARE(app.messages().size(), 1);
        QCOMPARE(app.messages().first().title, QStringLiteral("Error"));
        QVERIFY2(app.messages().first().text.contains(QStringLiteral("not a valid integer")),
                 qPrintable(app.messages().first().text));
        QCOMPARE(app.database().count(QStringLiteral("komintenti")), 0);
    }
    entry->Close();
    AppFixture::settle();

    // The edit window refuses it as well and leaves the partner as it was.
    app.database().exec(QStringLiteral("insert into komintenti(naziv,rabat) values('ACME',5)"));
    list->RefreshList();
    list->Korekcija1->trigger();
    QPointer<TSKomintentiKorekcija> edit = app.active<TSKomintentiKorekcija>();
    QVERIFY(edit);
    edit->Edit3->setText(QStringLiteral("CHANGED"));
    edit->Edit14->setText(QStringLiteral("2.5"));
    app.clearMessages();
    QTest::keyClick(edit->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(edit);
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().first().title, QStringLiteral("Error"));
    QCOMPARE(app.database().count(QStringLiteral("komintenti"), QStringLiteral("naziv='ACME' and rabat=5")), 1);
}

// What is typed under "Banka" is stored as edb and shown under "Edb" in the list, and the
// other way round.
void TestRegisters::employeeBankaAndEdbCross()
{
    AppFixture app;
    TSVraboteniLista* list = openEmployees(app);
    QVERIFY(list);

    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    QPointer<TSVraboteniVnes> entry = app.active<TSVraboteniVnes>();
    QVERIFY(entry);
    QCOMPARE(captionOf(entry, entry->Edit8), QStringLiteral("Banka"));
    QCOMPARE(captionOf(entry, entry->Edit9), QStringLiteral("Edb"));

    QList<QPair<kit::Edit*, QString>> typed;
    for (kit::Edit* e : {entry->Edit3, entry->Edit4, entry->Edit5, entry->Edit6, entry->Edit7, entry->Edit8,
                         entry->Edit9, entry->Edit10, entry->Edit11, entry->Edit12, entry->Edit13})
        typed << qMakePair(e, e == entry->Edit8   ? QStringLiteral("typed under banka")
                              : e == entry->Edit9 ? QStringLiteral("typed under edb")
                                                  : e->objectName().toLower());
    QVERIFY(entry->Edit3->hasFocus());
    typeInEnterOrder(typed);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(entry->Button1->hasFocus());
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!entry);

    QCOMPARE(app.database().scalar(QStringLiteral("select edb from vraboteni")).toString(),
             QStringLiteral("TYPED UNDER BANKA"));
    QCOMPARE(app.database().scalar(QStringLiteral("select deponent from vraboteni")).toString(),
             QStringLiteral("TYPED UNDER EDB"));
    QCOMPARE(app.database().scalar(QStringLiteral("select zabeleska2 from vraboteni")).toString(),
             QStringLiteral("EDIT13"));
    QCOMPARE(app.active<TSVraboteniLista>(), list);
    QCOMPARE(list->DBEdit8->text(), QStringLiteral("TYPED UNDER BANKA"));
    QCOMPARE(captionOf(list, list->DBEdit8), QStringLiteral("Edb"));
    QCOMPARE(list->DBEdit7->text(), QStringLiteral("TYPED UNDER EDB"));
    QCOMPARE(captionOf(list, list->DBEdit7), QStringLiteral("Banka"));
    screenshot(app, "vraboteni_lista");
}

void TestRegisters::employeeEditWritesTheLoadedEmployee()
{
    AppFixture app;
    app.database().exec(QStringLiteral("insert into vraboteni(naziv,edb,deponent) values('ANA','E1','D1')"));
    app.database().exec(QStringLiteral("insert into vraboteni(naziv,edb,deponent) values('BOJAN','E2','D2')"));
    const int ana = app.database().scalar(QStringLiteral("select id from vraboteni where naziv='ANA'")).toInt();
    TSVraboteniLista* list = openEmployees(app);
    QTest::keyClicks(list->Edit1, QStringLiteral("b"));
    QCOMPARE(list->Query1->RecordCount(), 1);
    list->Edit1->clear();
    QCOMPARE(list->Query1->RecordCount(), 2);
    list->Query1->First();
    QCOMPARE(list->SelectedId(), ana);

    list->Korekcija1->trigger();
    QPointer<TSVraboteniKorekcija> edit = app.active<TSVraboteniKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->Edit2->text(), QString::number(ana));
    QCOMPARE(captionOf(edit, edit->Edit2), QStringLiteral("Sifra"));
    QCOMPARE(edit->Edit8->text(), QStringLiteral("E1"));
    QCOMPARE(edit->Edit9->text(), QStringLiteral("D1"));
    screenshot(app, "vraboteni_korekcija");

    // The id box is shown but takes no typing: the update keeps to the loaded employee.
    QVERIFY(edit->Edit2->isReadOnly());
    edit->Edit2->setFocus();
    edit->Edit2->selectAll();
    QTest::keyClicks(edit->Edit2, QString::number(ana + 1));
    QCOMPARE(edit->Edit2->text(), QString::number(ana));
    QTest::keyClick(edit->Edit2, Qt::Key_Return);
    QVERIFY(edit->Edit3->hasFocus());
    QTest::keyClicks(edit->Edit3, QStringLiteral("ana petrova"));
    edit->Edit8->setText(QStringLiteral("E9"));
    QTest::keyClick(edit->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!edit);

    QCOMPARE(app.database().count(QStringLiteral("vraboteni"),
                                  QStringLiteral("id=%1 and naziv='ANA PETROVA' and edb='E9' and deponent='D1'").arg(ana)),
             1);
    QCOMPARE(app.database().count(QStringLiteral("vraboteni"),
                                  QStringLiteral("naziv='BOJAN' and edb='E2' and deponent='D2'")),
             1);
}

DUREDIR_APP_TEST_MAIN(TestRegisters)
#include "test_registers.moc"
