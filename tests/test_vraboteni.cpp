// The employee windows: the "Banka"/"Edb" crossing between entry and list, and an edit that
// can only write back the employee it loaded.
#include "app/tform1.h"
#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "modules/vraboteni/tsvrabotenikorekcija.h"
#include "modules/vraboteni/tsvrabotenilista.h"
#include "modules/vraboteni/tsvrabotenivnes.h"
#include "modules/vraboteni/tvraboteni.h"
#include "support/appfixture.h"
#include "support/appmain.h"

#include <QPointer>
#include <QtTest>

using testsupport::AppFixture;
using testsupport::Shown;

namespace {

// The employee list is not on the main menu; its module opens it as the menu would.
TSVraboteniLista* openList(AppFixture& app)
{
    app.main().Vraboteni->createList(nullptr, nullptr, 1);
    AppFixture::settle();
    return app.active<TSVraboteniLista>();
}

QString captionOf(QWidget* window, QWidget* box)
{
    for (kit::Label* l : window->findChildren<kit::Label*>())
        if (l->buddy() == box)
            return l->text();
    return QString();
}

} // namespace

class TestVraboteni : public QObject {
    Q_OBJECT
private slots:
    void bankaAndEdbCross();
    void editWritesTheLoadedEmployee();
    void updateNeedsASelectedEmployee();
};

void TestVraboteni::bankaAndEdbCross()
{
    AppFixture app;
    TSVraboteniLista* list = openList(app);
    QVERIFY(list);
    QCOMPARE(list->windowTitle(), QStringLiteral("Vraboteni-Lista "));
    QCOMPARE(list->Nov1->text(), QStringLiteral("Nov"));
    QCOMPARE(list->DBGrid1->columnTitle(1), QStringLiteral("naziv"));

    QTest::keyClick(list->DBGrid1, Qt::Key_F2);
    QPointer<TSVraboteniVnes> entry = app.active<TSVraboteniVnes>();
    QVERIFY(entry);
    QCOMPARE(entry->windowTitle(), QStringLiteral("Vraboteni-Kreiraj Nov "));
    QCOMPARE(entry->Button1->text(), QStringLiteral("Vnes"));
    QCOMPARE(captionOf(entry, entry->Edit8), QStringLiteral("Banka"));
    QCOMPARE(captionOf(entry, entry->Edit9), QStringLiteral("Edb"));

    const QList<kit::Edit*> chain{entry->Edit3, entry->Edit4,  entry->Edit5,  entry->Edit6,
                                  entry->Edit7, entry->Edit8,  entry->Edit9,  entry->Edit10,
                                  entry->Edit11, entry->Edit12, entry->Edit13};
    QVERIFY(entry->Edit3->hasFocus());
    for (kit::Edit* e : chain) {
        QVERIFY2(e->hasFocus(), qPrintable(e->objectName()));
        QTest::keyClicks(e, e == entry->Edit8 ? QStringLiteral("typed under banka")
                            : e == entry->Edit9 ? QStringLiteral("typed under edb")
                                                : e->objectName().toLower());
        QTest::keyClick(e, Qt::Key_Return);
    }
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
    // In the list the value typed under "Banka" shows under "Edb", and the other way round.
    QCOMPARE(app.active<TSVraboteniLista>(), list);
    QCOMPARE(list->DBEdit8->text(), QStringLiteral("TYPED UNDER BANKA"));
    QCOMPARE(captionOf(list, list->DBEdit8), QStringLiteral("Edb"));
    QCOMPARE(list->DBEdit7->text(), QStringLiteral("TYPED UNDER EDB"));
    QCOMPARE(captionOf(list, list->DBEdit7), QStringLiteral("Banka"));
}

void TestVraboteni::editWritesTheLoadedEmployee()
{
    AppFixture app;
    app.database().exec(QStringLiteral("insert into vraboteni(naziv,edb,deponent) values('ANA','E1','D1')"));
    app.database().exec(QStringLiteral("insert into vraboteni(naziv,edb,deponent) values('BOJAN','E2','D2')"));
    const int ana = app.database().scalar(QStringLiteral("select id from vraboteni where naziv='ANA'")).toInt();
    TSVraboteniLista* list = openList(app);
    QTest::keyClicks(list->Edit1, QStringLiteral("b"));
    QCOMPARE(list->Query1->RecordCount(), 1);
    list->Edit1->clear();
    QCOMPARE(list->Query1->RecordCount(), 2);
    list->Query1->First();
    QCOMPARE(list->SelectedId(), ana);

    list->Korekcija1->trigger();
    QPointer<TSVraboteniKorekcija> edit = app.active<TSVraboteniKorekcija>();
    QVERIFY(edit);
    QCOMPARE(edit->windowTitle(), QStringLiteral("Vraboteni-Koregiraj "));
    QCOMPARE(edit->Button1->text(), QStringLiteral("Korekcija"));
    QCOMPARE(edit->Edit2->text(), QString::number(ana));
    QCOMPARE(captionOf(edit, edit->Edit2), QStringLiteral("Sifra"));
    QCOMPARE(edit->Edit8->text(), QStringLiteral("E1"));
    QCOMPARE(edit->Edit9->text(), QStringLiteral("D1"));

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

void TestVraboteni::updateNeedsASelectedEmployee()
{
    AppFixture app;
    TSVraboteniLista* list = openList(app);
    QTest::keyClick(list->DBGrid1, Qt::Key_F3);
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Info"), QStringLiteral("Odberi Komintent")}}));
    QCOMPARE(app.windows<TSVraboteniKorekcija>().size(), 0);
}

DUREDIR_APP_TEST_MAIN(TestVraboteni)
#include "test_vraboteni.moc"
