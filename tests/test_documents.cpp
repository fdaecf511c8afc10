// What the goods receipt and goods dispatch windows share, checked for both kinds: an
// incomplete entry window is refused with the kind's message and keeps what was entered; a
// save or an update that fails at any statement leaves the stored documents as they were and
// the window as it was, and saving again then works.
#include "frame/linemodel.h"
#include "kit/bitbtn.h"
#include "kit/maskedit.h"
#include "kit/stringgrid.h"
#include "ispratnica_fixture.h"
#include "support/inject.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

using namespace dispatches;
using testsupport::Shown;

class TestDocuments : public QObject {
    Q_OBJECT

private slots:
    void entryRefusesIncompleteWindow_data();
    void entryRefusesIncompleteWindow();
    void failedSaveLeavesNoTraceAndKeepsTheWindow_data();
    void failedSaveLeavesNoTraceAndKeepsTheWindow();
    void failedUpdateLeavesTheDocumentAsItWas_data();
    void failedUpdateLeavesTheDocumentAsItWas();
    void aDatabaseFileReplacedUnderTheProgramTakesNoSave_data();
    void aDatabaseFileReplacedUnderTheProgramTakesNoSave();
    void linesAreUnsavedByTheirValues_data();
    void linesAreUnsavedByTheirValues();
    void aStoredLineWithoutArticleIsRefusedByName_data();
    void aStoredLineWithoutArticleIsRefusedByName();
};

namespace {

// "number|date" of every receipt header, or "number|date|due" of every dispatch header, by key.
QStringList headerRows(AppFixture& app, bool dispatch)
{
    if (dispatch)
        return headers(app);
    QStringList out;
    QSqlQuery q(app.database().db().handle());
    q.exec(QStringLiteral("select priemnica_id,datum from priemnici order by id"));
    while (q.next())
        out << QStringLiteral("%1|%2").arg(q.value(0).toString(), q.value(1).toString().left(10));
    return out;
}

// Saves the window with the `nth` statement that holds `fragment` failing.
void saveFailingAt(AppFixture& app, DocumentForm* w, const QString& fragment, int nth,
                   const data::DatabaseError& error = data::DatabaseError(QStringLiteral("injected failure")))
{
    testsupport::FailingStatement fail(app.database().db(), fragment, nth, error);
    w->BitBtn1->Click();
    AppFixture::settle();
    QVERIFY(fail.seen() >= nth);
}

// The edit window of the receipt or dispatch stored first.
DocumentEditForm* openFirstEdit(AppFixture& app, bool dispatch)
{
    if (dispatch)
        return openDispatchEdit(app, openDispatchList(app));
    return openEdit(app, openList(app));
}

// Stock of SCREW and NUT received, and one document of the kind with both stored.
void storeBoth(AppFixture& app, const Master& m, bool dispatch)
{
    store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 4}});
    if (dispatch)
        storeDispatch(app, 1, "2026-01-02", "2026-01-02", m.acme, {{m.screw, 2}, {m.nut, 1}});
}

void bothKinds()
{
    QTest::addColumn<bool>("dispatch");
    QTest::newRow("receipt") << false;
    QTest::newRow("dispatch") << true;
}

} // namespace

void TestDocuments::linesAreUnsavedByTheirValues_data()
{
    bothKinds();
}

// What the operator could lose is told by the lines' values against those loaded: a line
// added and removed again loses nothing; a stored line removed does.
void TestDocuments::linesAreUnsavedByTheirValues()
{
    QFETCH(bool, dispatch);
    AppFixture app;
    const Master m = seed(app);
    storeBoth(app, m, dispatch);
    DocumentEditForm* w = openFirstEdit(app, dispatch);
    QVERIFY(w);
    QCOMPARE(w->lineCount(), 2);
    QVERIFY(!w->hasUnsavedInput());
    addLine(app, w, m.screw, "1");
    QCOMPARE(w->lineCount(), 3);
    QVERIFY(w->hasUnsavedInput());
    w->ProcDelete(3);
    QVERIFY(!w->hasUnsavedInput());
    // Removal keeps every value of the lines that move up, whatever the grid shows.
    const frame::Line second = w->Lines->line(2);
    w->ProcDelete(1);
    QCOMPARE(w->Lines->line(1), second);
    QCOMPARE(w->StringGrid1->Cells(1, 1), QString::number(second.key));
    QVERIFY(w->hasUnsavedInput());
    // A row that holds no line removes nothing; the last line removed leaves row 0 alone,
    // no longer fixed, still showing the header texts.
    w->ProcDelete(0);
    w->ProcDelete(5);
    QCOMPARE(w->lineCount(), 1);
    w->ProcDelete(1);
    QCOMPARE(w->StringGrid1->RowCount(), 1);
    QCOMPARE(w->StringGrid1->FixedRows(), 0);
    QVERIFY(!w->StringGrid1->Cells(1, 0).isEmpty());
}

void TestDocuments::aStoredLineWithoutArticleIsRefusedByName_data()
{
    bothKinds();
}

// A ledger row that names no article (a damaged database) loads as a line without a key:
// the save says so and writes nothing, instead of storing a line of article 0.
void TestDocuments::aStoredLineWithoutArticleIsRefusedByName()
{
    QFETCH(bool, dispatch);
    AppFixture app;
    const Master m = seed(app);
    storeBoth(app, m, dispatch);
    const QString kind = dispatch ? "I" : "P";
    app.database().exec("update magacin_artikli set id_artikal=null where vid_dokument='" + kind
                        + "' and id_artikal=" + QString::number(m.nut));
    const auto rows = [&app, dispatch] { return dispatch ? dispatchLedger(app) : ledger(app); };
    const QStringList before = rows();
    DocumentEditForm* w = openFirstEdit(app, dispatch);
    QVERIFY(w);
    QCOMPARE(w->lineCount(), 2);
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().last().title, QStringLiteral("Warning"));
    QVERIFY2(app.messages().last().text.contains("names no article"), qPrintable(app.messages().last().text));
    QCOMPARE(rows(), before);
    QCOMPARE(w->lineCount(), 2);
}

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
    QString expected = dispatch ? "Fill all entry fields !!!" : "Please, fill all fields!!!";
    if (dateFocused) // every field filled but the date: the message says so
        expected += QStringLiteral("\n\nThe date %1 is not a real calendar date (YYYY-MM-DD).").arg(w->MaskEdit1->Text());
    QCOMPARE(app.messages(), (QList<Shown>{{"Warning", expected}}));
    QCOMPARE(app.main().ActiveMDIChild(), static_cast<QWidget*>(w));
    QCOMPARE(w->MaskEdit1->hasFocus(), dateFocused);
    QCOMPARE(app.database().count(dispatch ? "ispratnici" : "priemnici"), 0);
    // Nothing written: no ledger row at all for a receipt, no dispatch row beside the stock.
    QCOMPARE(dispatch ? app.database().count("magacin_artikli", "vid_dokument='I'")
                      : app.database().count("magacin_artikli"),
             0);
    QCOMPARE(w->lineCount(), lack == "lines" ? 0 : 1);
}

void TestDocuments::failedSaveLeavesNoTraceAndKeepsTheWindow_data()
{
    // clang-format off
    QTest::addColumn<bool>("dispatch"); // else a receipt
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<int>("nth");
    QTest::addColumn<QString>("code");   // the engine's error number; empty: a failure with no reason to tell
    QTest::addColumn<QString>("driver"); // the driver's text
    QTest::addColumn<QString>("reason"); // what the message adds to the window's own words
    QTest::newRow("receipt, number") << false << "max(priemnica_id)" << 1 << "" << "" << "";
    QTest::newRow("receipt, header") << false << "insert into priemnici" << 1 << "" << "" << "";
    QTest::newRow("receipt, second line") << false << "insert into magacin_artikli" << 2 << "" << "" << "";
    QTest::newRow("receipt, last line") << false << "insert into magacin_artikli" << 3 << "" << "" << "";
    QTest::newRow("receipt, commit") << false << "COMMIT" << 1 << "" << "" << "";
    QTest::newRow("dispatch, number") << true << "max(ispratnica_id)" << 1 << "" << "" << "";
    QTest::newRow("dispatch, header") << true << "insert into ispratnici" << 1 << "" << "" << "";
    QTest::newRow("dispatch, second line") << true << "insert into magacin_artikli" << 2 << "" << "" << "";
    QTest::newRow("dispatch, commit") << true << "COMMIT" << 1 << "" << "" << "";
    QTest::newRow("receipt, disk full")
        << false << "insert into magacin_artikli" << 2 << "13" << "database or disk is full"
        << "The disk that holds the database is full. Nothing was saved: make room, then save again.";
    QTest::newRow("dispatch, read-only file")
        << true << "insert into ispratnici" << 1 << "8" << "attempt to write a readonly database"
        << "The database takes no changes (its file, its folder or the server is read-only). Nothing was saved.";
    QTest::newRow("receipt, text too long")
        << false << "insert into priemnici" << 1 << "1406" << "Data too long for column 'datum' at row 1"
        << "The text for \"datum\" is longer than the database holds. Nothing was saved: shorten it.";
    // clang-format on
}

void TestDocuments::failedSaveLeavesNoTraceAndKeepsTheWindow()
{
    QFETCH(bool, dispatch);
    QFETCH(QString, fragment);
    QFETCH(int, nth);
    QFETCH(QString, code);
    QFETCH(QString, driver);
    QFETCH(QString, reason);
    AppFixture app;
    const Master m = seed(app);
    // A complete entry window. Receipt: ACME, two lines of SCREW and one of NUT. Dispatch,
    // from SCREW 10 and NUT 4 in stock: BETA, 3 SCREW and 1.5 NUT.
    QPointer<DocumentForm> w;
    if (dispatch) {
        store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 4}});
        w = openDispatchEntry(app, openDispatchList(app));
        w->VnesiKomintentiID(m.beta);
        w->MaskEdit1->setText(QStringLiteral("2026-03-14"));
        addLine(app, w, m.screw, "3");
        addLine(app, w, m.nut, "1.5");
    } else {
        w = openEntry(app, openList(app));
        w->VnesiKomintentiID(m.acme);
        w->MaskEdit1->setText(QStringLiteral("2026-03-14"));
        addLine(app, w, m.screw, "5");
        addLine(app, w, m.screw, "2.5");
        addLine(app, w, m.nut, "0.001");
    }
    const QStringList lines = gridLines(w);
    QCOMPARE(lines.size(), dispatch ? 2 : 3);
    const QString kind = dispatch ? "I" : "P";
    saveFailingAt(app, w, fragment, nth,
                  code.isEmpty() ? data::DatabaseError(QStringLiteral("injected failure"))
                                 : data::DatabaseError(driver, code));
    if (QTest::currentTestFailed())
        return;
    const QString described = dispatch ? "Goods dispatch, not entered !!!" : "Goods Receipt,is not entered !!!";
    QCOMPARE(app.messages(),
             (QList<Shown>{{"Warning", reason.isEmpty() ? described : described + QStringLiteral("\n\n") + reason}}));
    QCOMPARE(app.database().count(dispatch ? "ispratnici" : "priemnici"), 0);
    // Nothing written: no ledger row at all for a receipt, the stock as it was for a dispatch.
    QCOMPARE(dispatch ? app.database().count("magacin_artikli", "vid_dokument='I'")
                      : app.database().count("magacin_artikli"),
             0);
    QCOMPARE(balance(app, m.screw), dispatch ? 10.0 : 0.0);
    QVERIFY(!app.database().db().InTransaction());
    QVERIFY(w);
    QCOMPARE(app.main().ActiveMDIChild(), static_cast<QWidget*>(w));
    QCOMPARE(gridLines(w), lines);
    QCOMPARE(w->PartnerId, dispatch ? m.beta : m.acme);
    QCOMPARE(w->Edit2->Text(), dispatch ? QStringLiteral("BETA") : QStringLiteral("ACME"));
    QCOMPARE(w->MaskEdit1->Text(), QStringLiteral("2026-03-14"));

    // Saving again writes the whole document, numbered as the first one.
    w->BitBtn1->Click();
    AppFixture::settle();
    QVERIFY(!w);
    QCOMPARE(app.database()
                 .scalar(dispatch ? "select ispratnica_id from ispratnici" : "select priemnica_id from priemnici")
                 .toInt(),
             1);
    QCOMPARE(app.database().count("magacin_artikli", "document_id_label=1 and vid_dokument='" + kind + "'"), lines.size());
}

void TestDocuments::failedUpdateLeavesTheDocumentAsItWas_data()
{
    QTest::addColumn<bool>("dispatch"); // else a receipt
    QTest::addColumn<QString>("fragment");
    QTest::addColumn<int>("nth");
    for (const bool dispatch : {false, true}) {
        const char* kind = dispatch ? "dispatch" : "receipt";
        QTest::addRow("%s, header", kind) << dispatch << (dispatch ? "update ispratnici" : "update priemnici") << 1;
        QTest::addRow("%s, removing lines", kind) << dispatch << "delete from magacin_artikli" << 1;
        QTest::addRow("%s, second line", kind) << dispatch << "insert into magacin_artikli" << 2;
        QTest::addRow("%s, commit", kind) << dispatch << "COMMIT" << 1;
    }
}

void TestDocuments::failedUpdateLeavesTheDocumentAsItWas()
{
    QFETCH(bool, dispatch);
    QFETCH(QString, fragment);
    QFETCH(int, nth);
    AppFixture app;
    const Master m = seed(app);
    // Receipt: the edit window on receipt 1 (ACME, 10 SCREW and 2.5 NUT) beside receipt 2 (BETA,
    // 3 NUT). Dispatch: SCREW 10 and NUT 4 received; the edit window on dispatch 5 (due
    // 2026-04-30), 3 SCREW and 1 NUT to BETA. Each gets a third line, a new number and date.
    QPointer<DocumentForm> w;
    int stored = 0;
    if (dispatch) {
        store(app, 1, "2026-01-01", m.acme, {{m.screw, 10}, {m.nut, 4}});
        stored = storeDispatch(app, 5, "2026-04-01", "2026-04-30", m.beta, {{m.screw, 3}, {m.nut, 1}});
        w = openDispatchEdit(app, openDispatchList(app));
    } else {
        stored = store(app, 1, "2026-01-10", m.acme, {{m.screw, 10}, {m.nut, 2.5}});
        store(app, 2, "2026-01-11", m.beta, {{m.nut, 3}});
        TSPriemnicaLista* list = openList(app);
        list->Query1->setRecNo(1);
        w = openEdit(app, list);
    }
    QVERIFY(w);
    const QStringList headersBefore = headerRows(app, dispatch);
    const QStringList ledgerBefore = ledger(app) + dispatchLedger(app);
    w->MaskEdit2->setText(QStringLiteral("8"));
    w->MaskEdit1->setText(dispatch ? QStringLiteral("2026-06-01") : QStringLiteral("2026-05-05"));
    addLine(app, w, dispatch ? m.nut : m.screw, dispatch ? "2" : "6");
    const QStringList lines = gridLines(w);
    QCOMPARE(lines.size(), 3);
    saveFailingAt(app, w, fragment, nth);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(app.messages(),
             (QList<Shown>{{"Warning", dispatch ? "Goods dispatch, not updated !!!" : "Goods receipt, not updated !!!"}}));
    QCOMPARE(headerRows(app, dispatch), headersBefore);
    QCOMPARE(ledger(app) + dispatchLedger(app), ledgerBefore);
    QVERIFY(w);
    QCOMPARE(app.main().ActiveMDIChild(), static_cast<QWidget*>(w));
    QCOMPARE(gridLines(w), lines);
    QCOMPARE(w->MaskEdit2->Text(), QStringLiteral("8"));

    w->BitBtn1->Click(); // again, without the failure
    AppFixture::settle();
    QVERIFY(!w);
    QCOMPARE(app.database().count("magacin_artikli", QStringLiteral("document_id=%1 and document_id_label=8 and "
                                                                    "vid_dokument='%2'")
                                                         .arg(stored)
                                                         .arg(dispatch ? "I" : "P")),
             3);
}

QTEST_MAIN(TestDocuments)
void TestDocuments::aDatabaseFileReplacedUnderTheProgramTakesNoSave_data()
{
    QTest::addColumn<bool>("deleted"); // else replaced by a copy of itself
    QTest::newRow("deleted") << true;
    QTest::newRow("replaced") << false;
}

// Another program or user deletes the SQLite file, or puts another in its place, while this
// one runs: a save would go to a file nobody opens again. It is refused, with the reason,
// and so is every later one; nothing is acknowledged.
void TestDocuments::aDatabaseFileReplacedUnderTheProgramTakesNoSave()
{
    if (testsupport::onMariaDb())
        QSKIP("a MariaDB database has no file of its own");
    QFETCH(bool, deleted);
    AppFixture app;
    const Master m = seed(app);
    TSPriemnicaVnes* w = openEntry(app, openList(app));
    w->VnesiKomintentiID(m.acme);
    addLine(app, w, m.screw, "2");
    const QString path = app.database().config().path;
    const QString moved = path + QStringLiteral(".moved");
    QVERIFY(QFile::rename(path, moved));
    if (!deleted)
        QVERIFY(QFile::copy(moved, path));
    app.clearMessages();
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().size(), 1);
    QCOMPARE(app.messages().first().title, QStringLiteral("Warning"));
    const QString text = app.messages().first().text;
    QVERIFY2(text.startsWith(QStringLiteral("Goods Receipt,is not entered !!!"))
                 && text.contains(deleted ? QStringLiteral("was deleted") : QStringLiteral("was replaced"))
                 && text.contains(QStringLiteral("Nothing was saved")),
             qPrintable(text));
    QCOMPARE(app.windows<TSPriemnicaVnes>().size(), 1);
    // The file the program holds open did not get it either.
    QCOMPARE(app.database().count("priemnici"), 0);
    // A second try is refused the same way.
    app.clearMessages();
    w->BitBtn1->Click();
    AppFixture::settle();
    QCOMPARE(app.messages().size(), 1);
    QVERIFY(app.messages().first().text.contains(QStringLiteral("Nothing was saved")));
}

#include "test_documents.moc"
