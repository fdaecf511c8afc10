// The edit windows of work orders, products, articles, partners and employees against a
// second workstation: a record deleted or changed there after the window loaded it is not
// written over. Nothing is saved, the window stays open with the operator's input and says
// what happened; a record nobody touched saves as before.
#include "frame/tformsrgbase.h"
#include "frame/tslistbase.h"
#include "data/query.h"
#include "data/recordversion.h"
#include "kit/menuitem.h"
#include "production_fixture.h"
#include "support/appmain.h"
#include "support/inject.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include <functional>

using production::AppFixture;
using production::Master;
using testsupport::Shown;

namespace {

enum Elsewhere { Nothing, Deleted, Changed };

// One edit window: how its record is opened and typed over, and what the other workstation
// does to that record (statements with %1 = the record's key).
struct Register {
    QString what; // as the messages name the record
    QString table;
    std::function<QAction*(AppFixture&)> command; // the list's menu command
    std::function<int(AppFixture&, const Master&)> record;
    QList<QPair<QString, QString>> input; // box, text typed; the first is read back after a save
    QString saveButton;
    QString stored; // the first box's column as stored
    QList<Shown> saved;
    QStringList deleteElsewhere;
    QString changeElsewhere;
};

const QList<Register>& registers()
{
    static const QList<Register> all{
        {"work order",
         "nalozi",
         [](AppFixture& a) { return a.main().Nalozi2; },
         [](AppFixture& app, const Master& m) {
             return production::storeOrder(app, 1, m.ana, "ANA", "2026-03-02", "2026-03-09", m.acme, {{m.p, 3}});
         },
         {{"MaskEdit2", "2026-04-30"}},
         "BitBtn1",
         "select datum_finish from nalozi where id=%1",
         {{"Information", "Nalogot e uspesno koregiran !!!"}},
         {"delete from magacin_artikli where document_id=%1 and vid_dokument='N'",
          "delete from magacin_proizvodi where document_id=%1 and vid_dokument='N'", "delete from nalozi where id=%1"},
         "update magacin_artikli set izlez_kol=9 where document_id=%1 and vid_dokument='N'"},
        {"product",
         "proizvodi",
         [](AppFixture& a) { return a.main().Proizvodi1; },
         [](AppFixture&, const Master& m) { return m.p; },
         {{"Edit2", "TYPED"}},
         "BitBtn3",
         "select proizvod from proizvodi where id=%1",
         {{"Information", "Proizvodot e uspesno Koregiran !!!"}},
         {"delete from proizvodi_sostav where id_proizvod=%1", "delete from proizvodi where id=%1"},
         "update proizvodi_sostav set kolicina=kolicina+1 where id_proizvod=%1"},
        {"article",
         "artikli",
         [](AppFixture& a) { return a.main().Lista1; },
         [](AppFixture&, const Master& m) { return m.a; },
         {{"Edit3", "TYPED"}},
         "Button1",
         "select artikal from artikli where id=%1",
         {},
         {"delete from artikli where id=%1"},
         "update artikli set edm='BOX' where id=%1"},
        // The seeded partners have no discount, and an empty discount is refused.
        {"company partner",
         "komintenti",
         [](AppFixture& a) { return a.main().Komintenti1; },
         [](AppFixture&, const Master& m) { return m.acme; },
         {{"Edit3", "TYPED"}, {"Edit14", "5"}},
         "Button1",
         "select naziv from komintenti where id=%1",
         {},
         {"delete from komintenti where id=%1"},
         "update komintenti set tel='555' where id=%1"},
        {"employee",
         "vraboteni",
         [](AppFixture& a) { return a.main().Vraboteni1; },
         [](AppFixture&, const Master& m) { return m.ana; },
         {{"Edit3", "TYPED"}},
         "Button1",
         "select naziv from vraboteni where id=%1",
         {},
         {"delete from vraboteni where id=%1"},
         "update vraboteni set adresa='ELSEWHERE' where id=%1"},
    };
    return all;
}

// The edit window of the record `id`, opened from its list as the operator opens it.
QPointer<TFormSrgBase> openEdit(AppFixture& app, QAction* command, int id)
{
    command->trigger();
    AppFixture::settle();
    auto* list = app.active<TSListBase>();
    if (!list)
        return nullptr;
    while (list->SelectedId() != id && !list->Query1->Eof())
        list->Query1->Next();
    list->Korekcija1->trigger();
    AppFixture::settle();
    auto* w = qobject_cast<TFormSrgBase*>(app.main().ActiveMDIChild());
    return w == list ? nullptr : w;
}

QStringList typed(QWidget* w, const Register& r)
{
    QStringList out;
    for (const auto& [box, text] : r.input)
        out << w->findChild<QLineEdit*>(box)->text();
    return out;
}

void save(QWidget* w, const Register& r)
{
    w->findChild<QAbstractButton*>(r.saveButton)->click();
    AppFixture::settle();
}

// Every table the windows write, row by row, as the second workstation reads it.
QStringList tables(data::Database& db)
{
    static const QStringList statements{
        "select * from nalozi order by id",
        "select * from magacin_proizvodi order by id",
        "select * from magacin_artikli order by id",
        "select * from proizvodi order by id",
        "select * from proizvodi_sostav order by id_proizvod, id_artikal, kolicina, firma_id",
        "select * from artikli order by id",
        "select * from komintenti order by id",
        "select * from vraboteni order by id",
    };
    QStringList out;
    for (const QString& statement : statements) {
        data::Query q(&db);
        q.SQL.Add(statement);
        q.Open();
        for (q.First(); !q.Eof(); q.Next()) {
            QStringList row{statement.section(QLatin1Char(' '), 3, 3)};
            for (const QString& name : q.fieldNames())
                row << (q.FieldByName(name).IsNull() ? QStringLiteral("NULL") : q.FieldByName(name).AsString());
            out << row.join(QLatin1Char('|'));
        }
    }
    return out;
}

QString storedText(data::Database& db, const QString& statement)
{
    data::Query q(&db);
    q.SQL.Add(statement);
    q.Open();
    return q.IsEmpty() ? QString() : q.value(0, 0).toString();
}

// A second workstation on the same database.
struct Workstation {
    explicit Workstation(AppFixture& app) : db(QStringLiteral("Elsewhere"))
    {
        db.setConfig(app.database().config());
        db.open();
    }
    data::Database db;
};

} // namespace

class TestChangedElsewhereRegisters : public QObject {
    Q_OBJECT
private slots:
    void saveChecksTheStoredRecord_data();
    void saveChecksTheStoredRecord();
    void failedUpdateChangesNothing_data();
    void failedUpdateChangesNothing();
    void untouchedSaveKeepsLongTexts_data();
    void untouchedSaveKeepsLongTexts();
};

void TestChangedElsewhereRegisters::saveChecksTheStoredRecord_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("elsewhere");
    for (int i = 0; i < registers().size(); ++i) {
        const QByteArray name = registers().at(i).what.toUtf8();
        QTest::newRow(name + ": untouched") << i << int(Nothing);
        QTest::newRow(name + ": deleted") << i << int(Deleted);
        QTest::newRow(name + ": changed") << i << int(Changed);
    }
}

void TestChangedElsewhereRegisters::saveChecksTheStoredRecord()
{
    QFETCH(int, index);
    QFETCH(int, elsewhere);
    const Register& r = registers().at(index);
    AppFixture app;
    const Master m = production::seed(app);
    const int id = r.record(app, m);
    QPointer<TFormSrgBase> w = openEdit(app, r.command(app), id);
    QVERIFY(w);
    for (const auto& [box, text] : r.input)
        w->findChild<QLineEdit*>(box)->setText(text);
    const QStringList input = typed(w, r);

    Workstation other(app);
    if (elsewhere == Deleted)
        for (const QString& statement : r.deleteElsewhere)
            other.db.exec(statement.arg(id));
    if (elsewhere == Changed)
        other.db.exec(r.changeElsewhere.arg(id));
    const QStringList left = tables(other.db);

    app.clearMessages();
    save(w, r);

    if (elsewhere == Nothing) {
        QCOMPARE(app.messages(), r.saved);
        QVERIFY(!w);
        QCOMPARE(storedText(other.db, r.stored.arg(id)), r.input.first().second);
        return;
    }
    const QString text = elsewhere == Deleted ? data::RecordVersion::deletedText(r.what)
                                              : data::RecordVersion::changedText(r.what);
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Warning"), text}}));
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(typed(w, r), input);
    QCOMPARE(tables(other.db), left);
}

// The windows that wrote one statement without a transaction now write it inside one: a
// failure there still shows the database's error, keeps the window and its input, changes
// nothing and leaves no transaction open, so the same save goes through afterwards.
void TestChangedElsewhereRegisters::failedUpdateChangesNothing_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < registers().size(); ++i)
        if (registers().at(i).saved.isEmpty())
            QTest::newRow(registers().at(i).what.toUtf8()) << i;
}

void TestChangedElsewhereRegisters::failedUpdateChangesNothing()
{
    QFETCH(int, index);
    const Register& r = registers().at(index);
    AppFixture app;
    const Master m = production::seed(app);
    const int id = r.record(app, m);
    QPointer<TFormSrgBase> w = openEdit(app, r.command(app), id);
    QVERIFY(w);
    for (const auto& [box, text] : r.input)
        w->findChild<QLineEdit*>(box)->setText(text);
    data::Database& db = app.database().db();
    const QStringList before = tables(db);
    {
        testsupport::FailingStatement fail(db, QStringLiteral("update ") + r.table);
        save(w, r);
        QCOMPARE(fail.seen(), 1);
    }
    QCOMPARE(app.messages(), (QList<Shown>{{QStringLiteral("Error"), QStringLiteral("injected failure")}}));
    QVERIFY(w);
    QCOMPARE(typed(w, r).first(), r.input.first().second);
    QVERIFY(!db.InTransaction());
    QCOMPARE(tables(db), before);

    save(w, r);
    QVERIFY(!w);
    QCOMPARE(storedText(db, r.stored.arg(id)), r.input.first().second);
}

// Texts stored longer than an edit box lets the operator type are shown and written back
// whole: saving without a change leaves the row as it was, character for character.
void TestChangedElsewhereRegisters::untouchedSaveKeepsLongTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("columns");
    const QStringList people{"naziv",    "adresa",     "tel", "mobil",      "zirosmetka", "edb",
                             "deponent", "sifdejnost", "mb",  "zabeleska1", "zabeleska2"};
    for (int i = 0; i < registers().size(); ++i) {
        const Register& r = registers().at(i);
        QStringList columns;
        if (r.table == QLatin1String("komintenti"))
            columns = people + QStringList{"grad"};
        else if (r.table == QLatin1String("vraboteni"))
            columns = people;
        else if (r.table == QLatin1String("artikli"))
            columns = {"artikal", "edm"};
        else if (r.table == QLatin1String("proizvodi"))
            columns = {"proizvod", "edm"};
        if (!columns.isEmpty())
            QTest::newRow(r.what.toUtf8()) << i << columns;
    }
}

void TestChangedElsewhereRegisters::untouchedSaveKeepsLongTexts()
{
    QFETCH(int, index);
    QFETCH(QStringList, columns);
    const Register& r = registers().at(index);
    AppFixture app;
    const Master m = production::seed(app);
    const int id = r.record(app, m);
    data::Database& db = app.database().db();
    // 46 and 60 characters by turns (a unit column holds 50), mixed case and non-Latin.
    QStringList assignments;
    for (int i = 0; i < columns.size(); ++i) {
        const QString text = (columns.at(i) + QStringLiteral(" Šđ 12, ")).repeated(10).left(i % 2 ? 46 : 60);
        assignments << QStringLiteral("%1='%2'").arg(columns.at(i), text);
    }
    if (r.table == QLatin1String("komintenti"))
        assignments << QStringLiteral("rabat=5");
    db.exec(QStringLiteral("update %1 set %2 where id=%3").arg(r.table, assignments.join(QLatin1Char(','))).arg(id));
    auto rows = [&] {
        QStringList out;
        for (const QString& line : tables(db))
            if (line.startsWith(r.table + QLatin1Char('|')))
                out << line;
        return out;
    };
    const QStringList before = rows();

    QPointer<TFormSrgBase> w = openEdit(app, r.command(app), id);
    QVERIFY(w);
    save(w, r);
    QVERIFY(!w);
    QCOMPARE(rows(), before);
}

DUREDIR_APP_TEST_MAIN(TestChangedElsewhereRegisters)
#include "test_changed_elsewhere_registers.moc"
