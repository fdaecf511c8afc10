// The company partner windows: all 13 fields through entry, list and edit, and the
// discount that must be a whole number.
#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "modules/komintenti/tskomintentikorekcija.h"
#include "modules/komintenti/tskomintentilista.h"
#include "modules/komintenti/tskomintentivnes.h"
#include "support/appfixture.h"
#include "support/appmain.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QtTest>

using testsupport::AppFixture;
using testsupport::Shown;

namespace {

// Columns in the Enter order of the entry window, with the box each is typed into.
struct Box {
    const char* column;
    kit::Edit* TSKomintentiFields::*edit;
};
const Box kBoxes[] = {
    {"naziv", &TSKomintentiFields::Edit3},       {"adresa", &TSKomintentiFields::Edit4},
    {"grad", &TSKomintentiFields::Edit1},        {"tel", &TSKomintentiFields::Edit5},
    {"mobil", &TSKomintentiFields::Edit6},       {"zirosmetka", &TSKomintentiFields::Edit7},
    {"edb", &TSKomintentiFields::Edit8},         {"deponent", &TSKomintentiFields::Edit9},
    {"sifdejnost", &TSKomintentiFields::Edit10}, {"mb", &TSKomintentiFields::Edit11},
    {"zabeleska1", &TSKomintentiFields::Edit12}, {"zabeleska2", &TSKomintentiFields::Edit13},
    {"rabat", &TSKomintentiFields::Edit14},
};

QString column(AppFixture& app, const char* name, int id)
{
    return app.database()
        .scalar(QStringLiteral("select %1 from komintenti where id=%2").arg(QLatin1String(name)).arg(id))
        .toString();
}

TSKomintentiLista* openList(AppFixture& app)
{
    app.main().Komintenti1->trigger();
    AppFixture::settle();
    return app.active<TSKomintentiLista>();
}

QString captionOf(QWidget* window, QWidget* box)
{
    for (kit::Label* l : window->findChildren<kit::Label*>())
        if (l->buddy() == box)
            return l->text();
    return QString();
}

} // namespace

class TestKomintenti : public QObject {
    Q_OBJECT
private slots:
    void allFieldsRoundTrip();
    void discountMustBeAWholeNumber();
    void updateNeedsASelectedPartner();
};

void TestKomintenti::allFieldsRoundTrip()
{
    AppFixture app;
    TSKomintentiLista* list = openList(app);
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QStringLiteral("Company partner-List "));
    QCOMPARE(list->DBGrid1->columnTitle(0), QStringLiteral("Id"));
    QCOMPARE(list->DBGrid1->columnTitle(1), QStringLiteral("Company name"));
    QCOMPARE(list->Label1->text(), QStringLiteral("Search by company  partner"));

    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    QPointer<TSKomintentiVnes> entry = app.active<TSKomintentiVnes>();
    QVERIFY(entry);
    QCOMPARE(entry->windowTitle(), QStringLiteral("Company partner-create new "));
    QCOMPARE(entry->Edit14->text(), QStringLiteral("0"));
    QCOMPARE(captionOf(entry, entry->Edit1), QStringLiteral("Zip code - City State"));
    QCOMPARE(captionOf(entry, entry->Edit8), QStringLiteral("Bank"));
    QCOMPARE(captionOf(entry, entry->Edit9), QStringLiteral("Note"));
    QCOMPARE(entry->Edit3->maxLength(), 30);

    // Every box typed in Enter order, each with its own value.
    QVERIFY(entry->Edit3->hasFocus());
    for (const Box& b : kBoxes) {
        kit::Edit* e = entry->*b.edit;
        QVERIFY2(e->hasFocus(), b.column);
        e->selectAll();
        QTest::keyClicks(e, qstrcmp(b.column, "rabat") == 0 ? QStringLiteral("12")
                                                           : QStringLiteral("in ") + QLatin1String(b.column));
        QTest::keyClick(e, Qt::Key_Return);
    }
    QVERIFY(entry->Button1->hasFocus());
    QTest::keyClick(entry->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!entry);
    QCOMPARE(app.database().count(QStringLiteral("komintenti")), 1);
    const int id = app.database().scalar(QStringLiteral("select id from komintenti")).toInt();
    for (const Box& b : kBoxes)
        QCOMPARE(column(app, b.column, id), qstrcmp(b.column, "rabat") == 0
                                                ? QStringLiteral("12")
                                                : QStringLiteral("IN ") + QString::fromLatin1(b.column).toUpper());

    // The list's detail panel: "Bank" stands beside deponent there.
    QCOMPARE(app.active<TSKomintentiLista>(), list);
    QCOMPARE(list->DBEdit7->text(), QStringLiteral("IN DEPONENT"));
    QCOMPARE(captionOf(list, list->DBEdit7), QStringLiteral("Bank"));
    QCOMPARE(list->DBEdit8->text(), QStringLiteral("IN EDB"));
    QCOMPARE(list->DBEdit14->text(), QStringLiteral("IN GRAD"));
    QCOMPARE(list->DBEdit13->text(), QStringLiteral("12"));

    // A second partner that the edit must leave alone.
    app.database().exec(QStringLiteral("insert into komintenti(naziv,grad,rabat) values('OTHER','SKOPJE',3)"));

    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    QPointer<TSKomintentiKorekcija> edit = app.active<TSKomintentiKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->windowTitle(), QStringLiteral("Company partner-update "));
    QCOMPARE(edit->Edit2->text(), QString::number(id));
    QVERIFY(!edit->Edit2->isEnabled());
    QVERIFY(edit->Edit3->hasFocus());
    for (const Box& b : kBoxes) {
        kit::Edit* e = edit->*b.edit;
        QCOMPARE(e->text(), column(app, b.column, id));
        QVERIFY2(e->hasFocus(), b.column);
        e->selectAll();
        QTest::keyClicks(e, qstrcmp(b.column, "rabat") == 0 ? QStringLiteral("7")
                                                           : QStringLiteral("new ") + QLatin1String(b.column));
        QTest::keyClick(e, Qt::Key_Return);
    }
    QVERIFY(edit->Button1->hasFocus());
    QTest::keyClick(edit->Button1, Qt::Key_Return);
    AppFixture::settle();
    QVERIFY(!edit);
    for (const Box& b : kBoxes)
        QCOMPARE(column(app, b.column, id), qstrcmp(b.column, "rabat") == 0
                                                ? QStringLiteral("7")
                                                : QStringLiteral("NEW ") + QString::fromLatin1(b.column).toUpper());
    QCOMPARE(app.database().count(QStringLiteral("komintenti"), QStringLiteral("naziv='OTHER' and grad='SKOPJE' "
                                                                                "and rabat=3")),
             1);
    QVERIFY(app.messages().isEmpty());
}

void TestKomintenti::discountMustBeAWholeNumber()
{
    AppFixture app;
    TSKomintentiLista* list = openList(app);
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

void TestKomintenti::updateNeedsASelectedPartner()
{
    AppFixture app;
    TSKomintentiLista* list = openList(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Info"), QStringLiteral("Select company partner")}}));
    QCOMPARE(app.windows<TSKomintentiKorekcija>().size(), 0);
}

DUREDIR_APP_TEST_MAIN(TestKomintenti)
#include "test_komintenti.moc"
