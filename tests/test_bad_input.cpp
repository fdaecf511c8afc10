// Every input box of the entry and edit windows gets bad input, one box at a time, while the
// rest of the window holds a valid document: empty, blanks, letters for numbers, numbers out
// of range, SQL fragments, wildcards, non-Latin letters, impossible dates. Each attempt either
// saves correctly or is refused with a message (or, where the window refuses silently, the
// focus on the box to fix) while the window stays open with its data and no table changes.
#include "frame/tslistbase.h"
#include "data/schema.h"
#include "kit/menuitem.h"
#include "production_fixture.h"
#include "support/appmain.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QHash>
#include <QPointer>
#include <QSqlQuery>
#include <QSqlRecord>

#include <functional>

using testsupport::AppFixture;

class TestBadInput : public QObject {
    Q_OBJECT

private slots:
    void everyBoxOfEveryWindow();
};

namespace {

struct Seeded {
    production::Master m;
};

// Every row of every table, as text: a refused save must leave this unchanged.
QString dump(AppFixture& app)
{
    QString out;
    for (const QString& table : data::schemaTableNames()) {
        QSqlQuery q(app.database().db().handle());
        q.exec(QStringLiteral("select * from %1 order by 1").arg(table));
        out += table + QLatin1Char('\n');
        while (q.next()) {
            for (int i = 0; i < q.record().count(); ++i)
                out += q.value(i).toString() + QLatin1Char('|');
            out += QLatin1Char('\n');
        }
    }
    return out;
}

void invoke(QWidget* w, const char* method, int id)
{
    QVERIFY(QMetaObject::invokeMethod(w, method, Q_ARG(int, id)));
}

// The next quantity dialog (of any kind) gets `quantity` and its OK button.
void answerQuantity(AppFixture& app, const QString& quantity)
{
    app.onNextDialog([quantity](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("Edit4"))->setText(quantity);
        d->findChild<QAbstractButton*>(QStringLiteral("Button1"))->click();
        return d->result();
    });
}

struct Window {
    const char* name;
    std::function<QAction*(AppFixture&)> list;
    bool entry; // Nov1 (entry) or Korekcija1 (edit of the selected row)
    const char* saveButton;
    std::function<void(AppFixture&, const production::Master&, QWidget*)> fill; // a valid document
    QStringList shows = {}; // boxes that only show a picked partner or employee: nothing typed there is stored
};

QList<Window> windows()
{
    using production::Master;
    auto none = [](AppFixture&, const Master&, QWidget*) {};
    auto receipt = [](AppFixture& app, const Master& m, QWidget* w) {
        invoke(w, "VnesiKomintentiID", m.acme);
        answerQuantity(app, QStringLiteral("3"));
        invoke(w, "VnesiArtikalID", m.a);
    };
    return {
        {"article entry", [](AppFixture& a) { return a.main().Lista1; }, true, "Button1",
         [](AppFixture&, const Master&, QWidget* w) {
             w->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("BOLT"));
             w->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("PCS"));
         }},
        {"article edit", [](AppFixture& a) { return a.main().Lista1; }, false, "Button1", none},
        {"partner entry", [](AppFixture& a) { return a.main().Komintenti1; }, true, "Button1",
         [](AppFixture&, const Master&, QWidget* w) {
             w->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("GAMMA"));
             w->findChild<QLineEdit*>(QStringLiteral("Edit14"))->setText(QStringLiteral("5"));
         }},
        // The seeded partners have no discount yet, and an empty discount is refused.
        {"partner edit", [](AppFixture& a) { return a.main().Komintenti1; }, false, "Button1",
         [](AppFixture&, const Master&, QWidget* w) {
             w->findChild<QLineEdit*>(QStringLiteral("Edit14"))->setText(QStringLiteral("5"));
         }},
        {"employee entry", [](AppFixture& a) { return a.main().Vraboteni1; }, true, "Button1",
         [](AppFixture&, const Master&, QWidget* w) {
             w->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("VESNA"));
         }},
        {"employee edit", [](AppFixture& a) { return a.main().Vraboteni1; }, false, "Button1", none},
        {"receipt entry", [](AppFixture& a) { return a.main().Priemnici2; }, true, "BitBtn1", receipt, {QStringLiteral("Edit2")}},
        {"receipt edit", [](AppFixture& a) { return a.main().Priemnici2; }, false, "BitBtn1", none, {QStringLiteral("Edit2")}},
        {"dispatch entry",
         [](AppFixture& a) { return a.main().FakturaIspratnica2; },
         true,
         "BitBtn1",
         receipt,
         {QStringLiteral("Edit2")}},
        {"dispatch edit",
         [](AppFixture& a) { return a.main().FakturaIspratnica2; },
         false,
         "BitBtn1",
         none,
         {QStringLiteral("Edit2")}},
        {"product entry", [](AppFixture& a) { return a.main().Proizvodi1; }, true, "BitBtn3",
         [](AppFixture& app, const Master& m, QWidget* w) {
             w->findChild<QLineEdit*>(QStringLiteral("Edit2"))->setText(QStringLiteral("SHELF"));
             w->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("PCS"));
             answerQuantity(app, QStringLiteral("2"));
             invoke(w, "ReceiveArticle", m.a);
         }},
        {"product edit", [](AppFixture& a) { return a.main().Proizvodi1; }, false, "BitBtn3", none},
        {"work order entry",
         [](AppFixture& a) { return a.main().Nalozi2; },
         true,
         "BitBtn1",
         [](AppFixture& app, const Master& m, QWidget* w) {
             invoke(w, "ReceivePartner", m.acme);
             invoke(w, "ReceiveEmployee", m.ana);
             w->findChild<QLineEdit*>(QStringLiteral("MaskEdit1"))->setText(QStringLiteral("2026-03-02"));
             w->findChild<QLineEdit*>(QStringLiteral("MaskEdit2"))->setText(QStringLiteral("2026-03-09"));
             answerQuantity(app, QStringLiteral("4"));
             invoke(w, "ReceiveProduct", m.p);
         },
         {QStringLiteral("Edit2")}},
        {"work order edit",
         [](AppFixture& a) { return a.main().Nalozi2; },
         false,
         "BitBtn1",
         none,
         {QStringLiteral("Edit2"), QStringLiteral("Edit3")}},
    };
}

const QStringList& badValues()
{
    static const QStringList values{QString(),
                                    QStringLiteral("   "),
                                    QStringLiteral("abc"),
                                    QStringLiteral("1e309"),
                                    QStringLiteral("-0"),
                                    QString(10000, QLatin1Char('W')),
                                    QStringLiteral("'; drop table artikli; --"),
                                    QStringLiteral("\"O'HARA\""),
                                    QStringLiteral("%"),
                                    QStringLiteral("_"),
                                    QStringLiteral("ЖИЦА Ѓ ÉÀÇ"),
                                    QStringLiteral("2026-02-30"),
                                    QStringLiteral("0000-00-00")};
    return values;
}

QWidget* open(AppFixture& app, const Window& win, const production::Master& m)
{
    // One list per menu command, opened once and reused (each command opens a new list).
    static QHash<QAction*, QPointer<TSListBase>> lists;
    QAction* command = win.list(app);
    QPointer<TSListBase>& list = lists[command];
    if (!list) {
        command->trigger();
        AppFixture::settle();
        list = app.active<TSListBase>();
        if (!list)
            return nullptr;
    }
    list->RefreshList();
    (win.entry ? list->Nov1 : list->Korekcija1)->trigger();
    AppFixture::settle();
    QWidget* w = app.main().ActiveMDIChild();
    if (!w || w == list)
        return nullptr;
    win.fill(app, m, w);
    return w;
}

// The boxes an operator can type into.
QList<QLineEdit*> inputBoxes(QWidget* w)
{
    QList<QLineEdit*> out;
    for (QLineEdit* e : w->findChildren<QLineEdit*>())
        if (e->isVisibleTo(w) && e->isEnabled() && !e->isReadOnly() && e->window() == w->window())
            out << e;
    return out;
}

QStringList texts(const QList<QLineEdit*>& boxes)
{
    QStringList out;
    for (QLineEdit* e : boxes)
        out << e->text();
    return out;
}

} // namespace

void TestBadInput::everyBoxOfEveryWindow()
{
    AppFixture app;
    const production::Master m = production::seed(app);
    auto& db = app.database();
    testsupport::Seed seed(db.db());
    seed.receipt(1, QStringLiteral("2026-03-02"), m.acme, {{m.a, 100000}});
    seed.dispatch(1, QStringLiteral("2026-03-03"), QStringLiteral("2026-03-10"), m.acme, {{m.a, 5}});
    // One work order, saved the way the operator saves it.
    {
        const Window order = windows().at(12);
        QPointer<QWidget> w = open(app, order, m);
        QVERIFY(w);
        QTest::mouseClick(w->findChild<QAbstractButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        AppFixture::settle();
        QCOMPARE(db.count(QStringLiteral("nalozi")), 1);
    }

    int attempts = 0, saved = 0, refused = 0;
    QStringList notStored;
    for (const Window& win : windows()) {
        QPointer<QWidget> probe = open(app, win, m);
        QVERIFY2(probe, win.name);
        const int boxCount = int(inputBoxes(probe).size());
        QVERIFY2(boxCount > 0, win.name);
        // Untouched, the document saves: every refusal below is the bad box's doing.
        app.clearMessages();
        QTest::mouseClick(probe->findChild<QAbstractButton*>(QLatin1String(win.saveButton)), Qt::LeftButton);
        AppFixture::settle();
        QVERIFY2(!probe || !probe->isVisible(), win.name);
        for (int box = 0; box < boxCount; ++box) {
            for (const QString& value : badValues()) {
                QPointer<QWidget> w = open(app, win, m);
                QVERIFY2(w, win.name);
                const QList<QLineEdit*> boxes = inputBoxes(w);
                QCOMPARE(boxes.size(), boxCount);
                QLineEdit* target = boxes.at(box);
                const QString where =
                    QStringLiteral("%1, %2, \"%3\"").arg(QLatin1String(win.name), target->objectName(), value.left(30));
                target->setText(value);
                const QString held = target->text();
                const QString boxName = target->objectName(); // the window may be gone after saving
                const QStringList before = texts(boxes);
                const QString tables = dump(app);
                app.clearMessages();
                auto* save = w->findChild<QAbstractButton*>(QLatin1String(win.saveButton));
                QVERIFY2(save, qPrintable(where));
                QTest::mouseClick(save, Qt::LeftButton);
                AppFixture::settle();
                ++attempts;
                if (!w || !w->isVisible()) {
                    // Saved: no error on the way, and the tables hold what was typed.
                    ++saved;
                    for (const auto& shown : app.messages())
                        QVERIFY2(shown.title != QLatin1String("Error") && shown.title != QLatin1String("Warning"),
                                 qPrintable(where + QStringLiteral(": ") + shown.text));
                    // Text is stored as the box holds it (a box may take fewer characters than
                    // were offered): not cut further, not mangled, not run as a statement.
                    const bool text = value.size() > 5 && !value.startsWith(QLatin1String("20"))
                                      && !value.startsWith(QLatin1String("00"));
                    if (text && !win.shows.contains(boxName) && dump(app).count(held) <= tables.count(held))
                        notStored << where;
                    continue;
                }
                ++refused;
                QVERIFY2(!app.messages().isEmpty() || w->isAncestorOf(QApplication::focusWidget()),
                         qPrintable(where + QStringLiteral(": refused without a word")));
                QVERIFY2(texts(boxes) == before, qPrintable(where + QStringLiteral(": the window lost its input")));
                QVERIFY2(dump(app) == tables, qPrintable(where + QStringLiteral(": a refused save changed a table")));
                qobject_cast<TFormSrgBase*>(w.data())->Close();
                AppFixture::settle();
            }
        }
    }
    QVERIFY2(notStored.isEmpty(), qPrintable(QStringLiteral("not stored as typed:\n") + notStored.join(QLatin1Char('\n'))));
    qInfo("%d attempts: %d saved, %d refused", attempts, saved, refused);
    QVERIFY(saved > 0 && refused > 0);
    // The SQL fragment was only ever data.
    QVERIFY(db.count(QStringLiteral("artikli")) >= 3);
}

DUREDIR_APP_TEST_MAIN(TestBadInput)
#include "test_bad_input.moc"
