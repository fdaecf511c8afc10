// Data-bound controls of the widget kit: the grid row and the query cursor move together,
// detail queries and field displays follow.
#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbedit.h"
#include "kit/csv.h"
#include "kit/dbgrid.h"
#include "kit/dbtext.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "support/inject.h"
#include "support/csvread.h"
#include "support/testdb.h"

#include <QBuffer>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QtTest>

#include <sys/stat.h>

using namespace kit;

class TestKitDb : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void gridAndCursorMoveTogether();
    void gridFollowsReopenAndKeepsWidths();
    void enterReachesKeyHandler();
    void fieldDisplaysFollowCurrentRow();
    void csvExportRoundTripsCells();
    void csvExportNamesTheFileAndReportsFailure_data();
    void csvExportNamesTheFileAndReportsFailure();
    void columnWidthsAreRemembered();
    void failingDetailIsShownAndTheGridGoesOn();

private:
    void openProducts(const QString& order = QStringLiteral("sifra"));

    std::unique_ptr<testsupport::TestDatabase> m_db;
    std::unique_ptr<data::Query> m_products;
    std::unique_ptr<data::DataSource> m_productsSource;
    std::unique_ptr<data::Query> m_parts;
    std::unique_ptr<data::DataSource> m_partsSource;
};

void TestKitDb::init()
{
    m_db = std::make_unique<testsupport::TestDatabase>();
    auto& t = *m_db;
    t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (10,'SCREW','PCS')"));
    t.exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (11,'BOARD','M2')"));
    t.exec(QStringLiteral("insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) values (1,'TABLE','PCS',1500,18,0)"));
    t.exec(QStringLiteral(
        "insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) values (2,'CHAIR','PCS',250.5,18,0)"));
    t.exec(QStringLiteral(
        "insert into proizvodi (sifra,proizvod,edm,cena,tarifa,rabat) values (3,'SHELF','PCS',99.995,18,0)"));
    const int table = t.scalar(QStringLiteral("select id from proizvodi where sifra=1")).toInt();
    const int chair = t.scalar(QStringLiteral("select id from proizvodi where sifra=2")).toInt();
    const int screw = t.scalar(QStringLiteral("select id from artikli where sifra=10")).toInt();
    const int board = t.scalar(QStringLiteral("select id from artikli where sifra=11")).toInt();
    const auto part = [&](int product, int article, const QString& qty) {
        t.exec(QStringLiteral("insert into proizvodi_sostav (id_proizvod,id_artikal,kolicina,firma_id) values (%1,%2,%3,0)")
                   .arg(product)
                   .arg(article)
                   .arg(qty));
    };
    part(table, screw, QStringLiteral("8"));
    part(table, board, QStringLiteral("1.5"));
    part(chair, screw, QStringLiteral("4"));

    m_products = std::make_unique<data::Query>(&testsupport::mainDatabase());
    m_productsSource = std::make_unique<data::DataSource>(m_products.get());
    m_parts = std::make_unique<data::Query>(&testsupport::mainDatabase());
    m_parts->SQL.Add(QStringLiteral("select *"));
    m_parts->SQL.Add(QStringLiteral("from proizvodi_sostav "));
    m_parts->SQL.Add(QStringLiteral("left join artikli on "));
    m_parts->SQL.Add(QStringLiteral("proizvodi_sostav.id_artikal=artikli.id"));
    m_parts->SQL.Add(QStringLiteral("where id_proizvod=:id"));
    m_parts->setMasterSource(m_productsSource.get());
    m_partsSource = std::make_unique<data::DataSource>(m_parts.get());
}

void TestKitDb::cleanup()
{
    m_partsSource.reset();
    m_parts.reset();
    m_productsSource.reset();
    m_products.reset();
    m_db.reset();
}

void TestKitDb::openProducts(const QString& order)
{
    m_products->Close();
    m_products->SQL.Clear();
    m_products->SQL.Add(QStringLiteral("select * from proizvodi order by ") + order);
    m_products->Open();
    m_parts->Open();
}

void TestKitDb::gridAndCursorMoveTogether()
{
    DBGrid grid;
    grid.setColumns({{QStringLiteral("sifra"), QString(), 50, {}, {}, {}, {}},
                     {QStringLiteral("proizvod"), QStringLiteral("Proizvod"), 120, {}, {}, {}, {}},
                     {QStringLiteral("cena"), QStringLiteral("Cena"), 80, {}, QStringLiteral("#,##0.00"), {}, {}}});
    grid.setDataSource(m_productsSource.get());
    DBGrid parts; // no columns: every field, titled by name
    parts.setDataSource(m_partsSource.get());
    openProducts();

    QCOMPARE(grid.model()->rowCount(), 3);
    QCOMPARE(grid.columnTitle(0), QStringLiteral("sifra"));
    QCOMPARE(grid.columnTitle(1), QStringLiteral("Proizvod"));
    QCOMPARE(grid.cellText(0, 2), QStringLiteral("1,500.00"));
    QCOMPARE(grid.cellText(2, 2), QStringLiteral("100.00"));
    QCOMPARE(grid.currentIndex().row(), 0);
    QCOMPARE(parts.model()->rowCount(), 2);
    QCOMPARE(parts.ColCount(), m_parts->fieldCount());
    QCOMPARE(parts.columnTitle(parts.ColCount() - 1), m_parts->fieldNames().last());

    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));

    // Clicking a row moves the query, and the detail follows.
    const QRect shelf = grid.visualRect(grid.model()->index(2, 1));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, shelf.center());
    QCOMPARE(m_products->RecNo(), 2);
    QCOMPARE(m_products->FieldByName(QStringLiteral("proizvod")).AsString(), QStringLiteral("SHELF"));
    QCOMPARE(parts.model()->rowCount(), 0);

    // Arrow keys move it as well.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(m_products->RecNo(), 1);
    QCOMPARE(parts.model()->rowCount(), 1);
    QVERIFY(grid.selectionModel()->isRowSelected(1, QModelIndex()));

    // Moving the query moves the grid.
    m_products->First();
    QCOMPARE(grid.currentIndex().row(), 0);
    QVERIFY(grid.selectionModel()->isRowSelected(0, QModelIndex()));
    m_products->Last();
    QCOMPARE(grid.currentIndex().row(), 2);
    QCOMPARE(grid.Row(), 2);
}

void TestKitDb::gridFollowsReopenAndKeepsWidths()
{
    DBGrid grid;
    grid.addColumn(QStringLiteral("proizvod"), QStringLiteral("Proizvod"), 120);
    grid.addColumn(QStringLiteral("nosuchfield"), QStringLiteral("Missing"), 40);
    grid.setDataSource(m_productsSource.get());
    openProducts();
    QCOMPARE(grid.columnWidth(0), 120);
    QCOMPARE(grid.cellText(0, 1), QString()); // a column without its field stays empty

    grid.horizontalHeader()->resizeSection(0, 200); // the operator widens the column
    m_products->Close();
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(grid.Row(), -1);

    openProducts(QStringLiteral("sifra desc"));
    QCOMPARE(grid.model()->rowCount(), 3);
    QCOMPARE(grid.cellText(0, 0), QStringLiteral("SHELF"));
    QCOMPARE(grid.currentIndex().row(), 0);
    QCOMPARE(grid.columnWidth(0), 200);

    // New columns start again from their own widths.
    grid.setColumns({{QStringLiteral("sifra"), QString(), 60, {}, {}, {}, {}}});
    QCOMPARE(grid.columnWidth(0), 60);
}

void TestKitDb::enterReachesKeyHandler()
{
    DBGrid grid;
    grid.setDataSource(m_productsSource.get());
    openProducts();
    m_products->setRecNo(1);

    QString picked;
    grid.OnKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        if (isEnter(key)) {
            picked = m_products->FieldByName(QStringLiteral("proizvod")).AsString();
            key = 0;
        }
    };
    QTest::keyClick(&grid, Qt::Key_Return);
    QCOMPARE(picked, QStringLiteral("CHAIR"));
    QVERIFY(grid.editTriggers() == QAbstractItemView::NoEditTriggers);

    grid.OnKeyDown = {};
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    enter.setAccepted(true);
    QApplication::sendEvent(&grid, &enter);
    QVERIFY(!enter.isAccepted()); // left to the window
    QCOMPARE(m_products->RecNo(), 1);
}

void TestKitDb::fieldDisplaysFollowCurrentRow()
{
    DBEdit name;
    name.setDataSource(m_productsSource.get());
    name.setDataField(QStringLiteral("PROIZVOD")); // field names are case-insensitive
    DBText firstPart;
    firstPart.setDataSource(m_partsSource.get());
    firstPart.setDataField(QStringLiteral("artikal"));
    QVERIFY(name.isReadOnly());
    QCOMPARE(name.Text(), QString());

    openProducts();
    QCOMPARE(name.Text(), QStringLiteral("TABLE"));
    QCOMPARE(firstPart.Caption(), QStringLiteral("SCREW"));
    m_products->Next();
    QCOMPARE(name.Text(), QStringLiteral("CHAIR"));
    m_products->Next();
    QCOMPARE(name.Text(), QStringLiteral("SHELF"));
    QCOMPARE(firstPart.Caption(), QString()); // no composition
    m_products->Close();
    QCOMPARE(name.Text(), QString());
}


void TestKitDb::csvExportRoundTripsCells()
{
    m_db->exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (12,'BOLT \"M8\", ZINC','KOM')"));
    m_db->exec(QStringLiteral("insert into artikli (sifra,artikal,edm) values (13,'ДАСКА ŽIČKA\nLINE2','М2')"));
    // Text a spreadsheet would run as a formula, next to numbers that only look alike.
    const QStringList formulas{QStringLiteral("=HYPERLINK(\"http://example.invalid\",\"Open\")"),
                               QStringLiteral("+1+1"),
                               QStringLiteral("-2+3"),
                               QStringLiteral("@SUM(A1)"),
                               QStringLiteral("\tTAB"),
                               QStringLiteral("\r=1")};
    const QStringList numbers{QStringLiteral("-5.0000"), QStringLiteral("+7"), QStringLiteral("-1,234.50"),
                              QStringLiteral("1E20")};
    int code = 20;
    data::Query insert(&testsupport::mainDatabase());
    insert.SQL.Add(QStringLiteral("insert into artikli (sifra,artikal,edm) values (:sifra,:artikal,'KOM')"));
    for (const QString& text : formulas + numbers) {
        insert.ParamByName(QStringLiteral("sifra")).AsInteger(code++);
        insert.ParamByName(QStringLiteral("artikal")).AsString(text);
        insert.ExecSQL();
    }
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(QStringLiteral("select sifra, artikal, edm from artikli order by sifra"));
    data::DataSource ds(&q);
    kit::DBGrid grid;
    grid.setDataSource(&ds);
    grid.addColumn(QStringLiteral("sifra"), QStringLiteral("Code"));
    grid.addColumn(QStringLiteral("artikal"), QStringLiteral("Name, full"));
    grid.addColumn(QStringLiteral("edm"), QStringLiteral("Unit"));
    q.Open();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    kit::writeCsv(&grid, buffer);
    // UTF-8 with a byte order mark: a spreadsheet then reads the Cyrillic as such.
    QVERIFY(buffer.data().startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> rows = testsupport::readCsv(buffer.data());
    QCOMPARE(rows.size(), 5 + formulas.size() + numbers.size());
    QCOMPARE(rows.at(0), (QStringList{"Code", "Name, full", "Unit"}));
    QCOMPARE(rows.at(3), (QStringList{"12", "BOLT \"M8\", ZINC", "KOM"}));
    QCOMPARE(rows.at(4), (QStringList{"13", QStringLiteral("ДАСКА ŽIČKA\nLINE2"), QStringLiteral("М2")}));
    for (qsizetype i = 0; i < formulas.size(); ++i)
        QCOMPARE(rows.at(5 + i).at(1), QLatin1Char('\'') + formulas.at(i));
    for (qsizetype i = 0; i < numbers.size(); ++i)
        QCOMPARE(rows.at(5 + formulas.size() + i).at(1), numbers.at(i));
    // The grid's right-click menu offers the export.
    QMenu menu;
    QCOMPARE(grid.addExportAction(&menu)->text(), QStringLiteral("Export to CSV..."));
    // An unwritable path is reported, not ignored.
    QString error;
    QVERIFY(!kit::exportCsv(&grid, QStringLiteral("/nonexistent/dir/x.csv"), &error));
    QVERIFY(!error.isEmpty());
}

void TestKitDb::csvExportNamesTheFileAndReportsFailure_data()
{
    // clang-format off
    QTest::addColumn<QString>("chosen");  // relative to a fresh folder holding "my.folder/" and the file "plain"
    QTest::addColumn<QString>("written"); // empty: the export fails
    QTest::addColumn<bool>("throughDialog");
    QTest::newRow("no extension") << "stock" << "stock.csv" << false;
    QTest::newRow("no extension, through the dialog") << "stock" << "stock.csv" << true;
    QTest::newRow("trailing dot") << "stock." << "stock.csv" << false;
    QTest::newRow("dot in the folder only") << "my.folder/stock" << "my.folder/stock.csv" << false;
    QTest::newRow("csv kept") << "stock.csv" << "stock.csv" << false;
    QTest::newRow("other extension kept") << "stock.txt" << "stock.txt" << false;
    QTest::newRow("folder missing") << "missing/stock" << "" << false;
    QTest::newRow("folder is a file") << "plain/stock.csv" << "" << false;
    QTest::newRow("folder is a file, through the dialog") << "plain/stock" << "" << true;
    // clang-format on
}

void TestKitDb::csvExportNamesTheFileAndReportsFailure()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, throughDialog);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("my.folder")));
    QFile plain(dir.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();

    openProducts();
    DBGrid grid;
    grid.setDataSource(m_productsSource.get());
    grid.addColumn(QStringLiteral("proizvod"), QStringLiteral("Product"));
    QList<std::pair<QString, QString>> shown;
    const MessageBoxHandler previous =
        setMessageBoxHandler([&](QWidget*, const QString& text, const QString& title, Buttons) {
            shown << std::pair(title, text);
            return mrOk;
        });
    const QString path = dir.filePath(chosen);
    bool ok = false;
    // Private whatever the umask.
    const mode_t umaskBefore = ::umask(0);
    const auto restoreUmask = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    if (throughDialog) {
        QMenu menu;
        ScopedModalHandler modal([&](QDialog* d) {
            auto* file = qobject_cast<QFileDialog*>(d);
            if (!file)
                return int(QDialog::Rejected);
            file->selectFile(path);
            return int(QDialog::Accepted);
        });
        grid.addExportAction(&menu)->trigger();
        QCOMPARE(modal.count(), 1);
        ok = shown.isEmpty();
    } else {
        ok = grid.exportCsvTo(path);
    }
    setMessageBoxHandler(previous);

    if (!written.isEmpty()) {
        QVERIFY(ok);
        QVERIFY(shown.isEmpty());
        QFile file(dir.filePath(written));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBFProduct\r\nTABLE\r\nCHAIR\r\nSHELF\r\n"));
        QCOMPARE(file.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
                 QFileDevice::Permissions());
        // Only the one file: the chosen name is not written besides it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size()
                     + QDir(dir.filePath(QStringLiteral("my.folder"))).entryList(QDir::Files).size(),
                 2);
    } else {
        // A failure is never quiet and leaves no file behind.
        QVERIFY(!ok);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).first, QStringLiteral("Warning"));
        QVERIFY2(shown.at(0).second.startsWith(QStringLiteral("The list was not exported. The file ")),
                 qPrintable(shown.at(0).second));
        QVERIFY2(shown.at(0).second.contains(QDir::toNativeSeparators(csvExportFileName(path))),
                 qPrintable(shown.at(0).second));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plain")});
        QCOMPARE(plain.size(), 0);
    }
}

void TestKitDb::columnWidthsAreRemembered()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    openProducts();
    auto makeGrid = [&]() {
        auto* grid = new kit::DBGrid;
        grid->setObjectName(QStringLiteral("DBGrid1"));
        grid->addColumn(QStringLiteral("sifra"), QStringLiteral("Code"), 60);
        grid->addColumn(QStringLiteral("proizvod"), QStringLiteral("Product"), 150);
        grid->setDataSource(m_productsSource.get());
        return grid;
    };
    std::unique_ptr<kit::DBGrid> first(makeGrid());
    QCOMPARE(first->columnWidth(1), 150);
    first->horizontalHeader()->resizeSection(1, 333); // the operator drags the column
    first.reset();
    std::unique_ptr<kit::DBGrid> second(makeGrid()); // the next run
    QCOMPARE(second->columnWidth(1), 333);
    QCOMPARE(second->columnWidth(0), 60);
}

// A detail query that fails when the grid moves its master: the error is shown, and the
// grid keeps moving the master (and the detail follows again) afterwards.
void TestKitDb::failingDetailIsShownAndTheGridGoesOn()
{
    QStringList shown;
    kit::setMessageBoxHandler([&](QWidget*, const QString& text, const QString& title, kit::Buttons) {
        shown << title + QLatin1Char(':') + text;
        return int(kit::mrOk);
    });
    DBGrid grid;
    grid.setDataSource(m_productsSource.get());
    openProducts();
    grid.resize(400, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    {
        testsupport::FailingStatement fail(m_db->db(), QStringLiteral("proizvodi_sostav"));
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(fail.seen(), 1);
    }
    QCOMPARE(shown, QStringList{QStringLiteral("Error:injected failure")});
    QCOMPARE(m_products->RecNo(), 1);
    QTest::keyClick(&grid, Qt::Key_Up);
    QCOMPARE(m_products->RecNo(), 0);
    QCOMPARE(m_parts->RecordCount(), 2); // the table's two parts
    QCOMPARE(shown.size(), 1);
    kit::setMessageBoxHandler(nullptr);
}

QTEST_MAIN(TestKitDb)
#include "test_kit_db.moc"
