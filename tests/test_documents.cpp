// What the goods receipt and goods dispatch entry windows share, checked for both kinds:
// an incomplete window is refused with the kind's message and keeps what was entered.
#include "kit/bitbtn.h"
#include "kit/maskedit.h"
#include "ispratnica_fixture.h"

#include <QtTest>

using namespace dispatches;
using testsupport::Shown;

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void entryRefusesIncompleteWindow_data();
    void entryRefusesIncompleteWindow();
};

void TestDocuments::entryRefusesIncompleteWindow_data()
{
    QTest::addColumn<bool>("dispatch"); // else a receipt
    QTest::addColumn<QString>("lack");  // partner, typed, named, lines, or the date typed
    QTest::addColumn<bool>("dateFocused");
    for (const bool dispatch : {false, true}) {
        const char* kind = dispatch ? "dispatch" : "receipt";
        const auto row = [kind](const char* name) -> QTestData& { return QTest::addRow("%s, %s", kind, name); };
        row("no partner") << dispatch << "partner" << false;
        row("typed over the partner") << dispatch << "typed" << false;
        row("name set, none picked") << dispatch << "named" << false;
        row("no line") << dispatch << "lines" << false;
        row("no such day") << dispatch << "2026-02-30" << true;
        row("half a date") << dispatch << "2026-1" << true;
        row("date half typed") << dispatch << "2026-03-  " << true;
        row("empty date") << dispatch << "" << true;
    }
}

void TestDocuments::entryRefusesIncompleteWindow()
{
    QFETCH(bool, dispatch);
    QFETCH(QString, lack);
    QFETCH(bool, dateFocused);
    AppFixture app;
    const Master m = seed(app);
    if (dispatch) // stock to dispatch from: SCREW 10 and NUT 4 received
        store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 4}});
    DocumentForm* w = dispatch ? static_cast<DocumentForm*>(openDispatchEntry(app, openDispatchList(app)))
                               : openEntry(app, openList(app));
    QVERIFY(w);
    if (lack != "partner" && lack != "named")
        w->VnesiKomintentiID(m.acme);
    if (lack == "typed") {
        // A key in the partner field asks for the partner list; closed without a pick, the
        // typed text names no partner.
        w->Edit2->SetFocus();
        QTest::keyClick(w->Edit2, Qt::Key_X);
        AppFixture::settle();
        if (app.main().ActiveMDIChild() != w) {
            qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild())->Close();
            AppFixture::settle();
        }
        QVERIFY(!w->Edit2->Text().isEmpty());
        QCOMPARE(w->PartnerId, 0);
    }
    if (lack == "named")
        w->Edit2->setText(QStringLiteral("ACME"));
    if (lack != "lines")
        addLine(app, w, m.screw, "1");
    if (lack.startsWith("20") || lack.isEmpty()) {
        w->MaskEdit1->clear();
        w->MaskEdit1->setText(lack);
    }
    w->BitBtn3->SetFocus();
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", dispatch ? "Fill all entry fields !!!" : "Please, fill all fields!!!"}}));
    QCOMPARE(app.main().ActiveMDIChild(), static_cast<QWidget*>(w));
    QCOMPARE(w->MaskEdit1->hasFocus(), dateFocused);
    QCOMPARE(app.database().count(dispatch ? "ispratnici" : "priemnici"), 0);
    // Nothing written: no ledger row at all for a receipt, no dispatch row beside the stock.
    QCOMPARE(dispatch ? app.database().count("magacin_artikli", "vid_dokument='I'") : app.database().count("magacin_artikli"), 0);
    QCOMPARE(w->lineCount(), lack == "lines" ? 0 : 1);
}

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"
