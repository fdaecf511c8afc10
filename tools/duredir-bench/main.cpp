// duredir-bench: builds a synthetic business of a chosen size through the program's own
// statements and times the operator's work on it through the real windows, offscreen,
// beside the same statements run straight on the engine.
#include "engine.h"
#include "generate.h"

#include "app/application.h"
#include "app/tform1.h"
#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/edit.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "stores/stocklistreads.h"
#include "modules/lagerlista/tlagerlista.h"
#include "modules/lagerlista/tslagerlistalista.h"
#include "stores/articleoverviewreads.h"
#include "modules/pregledartikal/tpregledartikal.h"
#include "modules/pregledartikal/tspregledartikallista.h"
#include "stores/articlereads.h"
#include "stores/receiptreads.h"
#include "modules/priemnica/tpriemnica.h"
#include "modules/priemnica/tspriemnicalista.h"
#include "modules/nalog/tnalog.h"
#include "modules/nalog/tsnalogvnes.h"
#include "stores/partneroverviewreads.h"
#include "modules/pregledkomintent/tpregledkomintent.h"
#include "modules/pregledkomintent/tspregledkomintentlista.h"
#include "modules/priemnica/tspriemnicavnes.h"
#include "modules/reportfinan/treportfinan.h"
#include "modules/reportfinan/tsreportfinanlista.h"
#include "kit/maskedit.h"
#include "reports/engine/preview.h"
#include "reports/engine/spool.h"
#include "reports/tsreportlager.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <limits>

namespace {

struct Result {
    QString name;
    QVector<double> ms;     // through the program
    QVector<double> engine; // the same statement on the engine
    long peakKb = 0;
};

double percentile(QVector<double> v, double p)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    const int i = std::clamp(int(std::lround(p * double(v.size() - 1))), 0, int(v.size()) - 1);
    return v.at(i);
}

long peakRssKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double timeMs(const std::function<void()>& f)
{
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

// When the last save's confirmation was shown (nanoseconds of `benchClock`), or -1: a save is
// done for the operator when its confirmation shows; closing the window comes after the
// operator's answer, so it is not part of the save's time.
QElapsedTimer benchClock;
qint64 confirmedAt = -1;

void settle()
{
    for (int i = 0; i < 2; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QString join(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

// The parameters of the stock list's first page for a search text.
QVariantMap firstStockPage(const QString& filter, int rows = stores::stocklist::pageRows)
{
    return {{QStringLiteral("a"), filter},
            {QStringLiteral("page_after"), std::numeric_limits<int>::min()},
            {QStringLiteral("page_rows"), rows}};
}

class Bench {
public:
    Bench(TForm1& main, bench::DirectEngine& engine, int repeats, const QStringList& prefixes)
        : m_main(main), m_engine(engine), m_repeats(repeats), m_prefixes(prefixes)
    {
    }

    std::deque<Result> results; // references stay valid as results are added

    // Runs every group of operations, or those whose name contains `only`.
    void run(const QString& only = QString())
    {
        const std::pair<const char*, void (Bench::*)()> groups[] = {
            {"stock list", &Bench::stockList},
            {"quantity dialog", &Bench::balance},
            {"receipt list", &Bench::receiptList},
            {"receipt save", &Bench::receiptSave},
            {"work order save", &Bench::workOrderSave},
            {"article overview", &Bench::articleOverview},
            {"partner overview", &Bench::partnerOverview},
            {"financial report", &Bench::financialReport},
            {"printed stock list", &Bench::printedStockList},
        };
        for (const auto& [name, group] : groups)
            if (only.isEmpty() || QString::fromLatin1(name).contains(only))
                (this->*group)();
    }

private:
    Result& add(const QString& name)
    {
        results.push_back({name, {}, {}, 0});
        return results.back();
    }
    void engineTimes(Result& r, const QString& statement, const QVariantMap& params)
    {
        for (int i = 0; i < m_repeats; ++i)
            r.engine << timeMs([&] { m_engine.run(statement, params); });
    }
    // Runs `work` through the program with its statements traced, then the same statements
    // with the same values straight on the engine (in one transaction when they write).
    // Rows written either way are removed afterwards, so every run meets the same data.
    void traced(Result& r, const std::function<void()>& work, bool writes)
    {
        const auto before = writes ? lastKeys() : QList<int>();
        QList<QPair<QString, QVariantMap>> statements;
        data::Database& db = m_main.database();
        const bool wal = writes && db.engine() == data::Engine::Sqlite;
        if (wal)
            db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        db.setTraceHook([&](const QString& text, const QVariantMap& values) { statements.append({text, values}); });
        confirmedAt = -1;
        const qint64 start = benchClock.nsecsElapsed();
        work();
        const qint64 end = writes && confirmedAt >= 0 ? confirmedAt : benchClock.nsecsElapsed();
        r.ms << double(end - start) / 1e6;
        db.setTraceHook({});
        if (writes)
            removeAfter(before);
        if (wal)
            db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        r.engine << timeMs([&] {
            if (writes)
                m_engine.begin();
            for (const auto& [text, values] : std::as_const(statements))
                m_engine.run(text, values);
            if (writes)
                m_engine.commit();
        });
        if (writes)
            removeAfter(before);
    }
    // The tables a save writes, and the highest key of each.
    static QStringList writtenTables()
    {
        return {QStringLiteral("priemnici"), QStringLiteral("nalozi"), QStringLiteral("magacin_artikli"),
                QStringLiteral("magacin_proizvodi")};
    }
    QList<int> lastKeys()
    {
        QList<int> keys;
        for (const QString& table : writtenTables())
            keys << scalar(QStringLiteral("select coalesce(max(id),0) n from %1").arg(table));
        return keys;
    }
    void removeAfter(const QList<int>& keys)
    {
        data::Database& db = m_main.database();
        for (int i = 0; i < keys.size(); ++i)
            db.exec(QStringLiteral("delete from %1 where id > %2").arg(writtenTables().at(i)).arg(keys.at(i)));
    }
    int scalar(const QString& statement)
    {
        data::Query q(&m_main.database());
        q.SQL.Add(statement);
        q.Open();
        return q.FieldByName(QStringLiteral("n")).AsInteger();
    }
    template <class W>
    W* openList(Module* module)
    {
        module->createList(nullptr, nullptr, 1);
        QCoreApplication::processEvents();
        return qobject_cast<W*>(m_main.ActiveMDIChild());
    }
    void closeWindow(TFormSrgBase* w)
    {
        w->Close();
        settle();
    }

    void stockList()
    {
        Result& open = add(QStringLiteral("stock list: open"));
        for (int i = 0; i < m_repeats; ++i) {
            TSLagerListaLista* w = nullptr;
            open.ms << timeMs([&] { w = openList<TSLagerListaLista>(m_main.LagerLista); });
            closeWindow(w);
        }
        open.peakKb = peakRssKb();
        engineTimes(open, join(stores::stocklist::balanceStatement()), firstStockPage(QStringLiteral("%")));

        auto* w = openList<TSLagerListaLista>(m_main.LagerLista);
        for (int length = 1; length <= 3; ++length) {
            Result& key = add(QStringLiteral("stock list: keystroke, prefix of %1").arg(length));
            for (int i = 0; i < m_repeats; ++i) {
                const QString prefix = m_prefixes.at(i % m_prefixes.size()).left(length);
                w->Edit1->setText(prefix.left(length - 1));
                key.ms << timeMs([&] {
                    QTest::keyClick(w->Edit1, prefix.at(length - 1).toLatin1());
                    QCoreApplication::processEvents();
                });
                m_engine.run(join(stores::stocklist::balanceStatement()), firstStockPage(prefix + QLatin1Char('%')));
                key.engine << timeMs([&] {
                    m_engine.run(join(stores::stocklist::balanceStatement()), firstStockPage(prefix + QLatin1Char('%')));
                });
            }
            key.peakKb = peakRssKb();
        }
        // The keystroke's statement through the data layer alone (no grid, no painting):
        // what the program adds to the engine for the database part of a keystroke.
        Result& layer = add(QStringLiteral("stock list: search in the data layer only"));
        data::Query search(&m_main.database());
        search.SQL.setText(join(stores::stocklist::balanceStatement()));
        search.setPaging(QStringLiteral("id"), stores::stocklist::pageRows);
        for (int i = 0; i < m_repeats; ++i) {
            const QString filter = m_prefixes.at(i % m_prefixes.size()).left(1 + i % 3) + QLatin1Char('%');
            search.ParamByName(QStringLiteral("a")).AsString(filter);
            layer.ms << timeMs([&] { search.Open(); });
            layer.engine << timeMs(
                [&] { m_engine.run(join(stores::stocklist::balanceStatement()), firstStockPage(filter)); });
        }
        layer.peakKb = peakRssKb();

        // A search that matches no article: every name is read, no balance computed.
        Result& none = add(QStringLiteral("stock list: keystroke, no match"));
        for (int i = 0; i < m_repeats; ++i) {
            w->Edit1->setText(QStringLiteral("9"));
            none.ms << timeMs([&] {
                QTest::keyClick(w->Edit1, '9');
                QCoreApplication::processEvents();
            });
            none.engine << timeMs([&] {
                m_engine.run(join(stores::stocklist::balanceStatement()), firstStockPage(QStringLiteral("99%")));
            });
        }
        none.peakKb = peakRssKb();
        w->Edit1->setText(QString());

        // Every page, as the chart and the printed list read them.
        Result& pages = add(QStringLiteral("stock list: read every page"));
        for (int i = 0; i < std::max(2, m_repeats / 10); ++i) {
            w->Query1->Open();
            pages.ms << timeMs([&] { w->Query1->FetchAll(); });
        }
        engineTimes(pages, join(stores::stocklist::balanceStatement()),
                    firstStockPage(QStringLiteral("%"), std::numeric_limits<int>::max()));
        pages.peakKb = peakRssKb();
        closeWindow(w);

        // The statement as first written, on the engine alone, for comparison.
        Result& all = add(QStringLiteral("  as written, engine only: all rows"));
        engineTimes(all, join(stores::stocklist::balanceStatementAsWritten()),
                    {{QStringLiteral("a"), QStringLiteral("%")}});
        Result& one = add(QStringLiteral("  as written, engine only: prefix of 1"));
        engineTimes(one, join(stores::stocklist::balanceStatementAsWritten()),
                    {{QStringLiteral("a"), m_prefixes.first().left(1) + QLatin1Char('%')}});
        all.ms = all.engine;
        one.ms = one.engine;
    }

    void balance()
    {
        Result& r = add(QStringLiteral("quantity dialog: balance"));
        data::Query ids(&m_main.database());
        ids.SQL.Add(QStringLiteral("select id from artikli order by id"));
        ids.Open();
        const int n = ids.RecordCount();
        TSNalogVnesiProizvod dialog;
        dialog.Query1->setDatabase(&m_main.database());
        for (int i = 0; i < m_repeats; ++i) {
            ids.setRecNo((i * 7919) % n);
            const int id = ids.FieldByName(QStringLiteral("id")).AsInteger();
            r.ms << timeMs([&] { dialog.LoadArticleWithBalance(id); });
            r.engine << timeMs([&] {
                m_engine.run(join(stores::articleBalanceStatement()), {{QStringLiteral("aid"), id}});
            });
        }
        r.peakKb = peakRssKb();
    }

    void receiptList()
    {
        Result& open = add(QStringLiteral("receipt list: open"));
        Result& move = add(QStringLiteral("receipt list: move current (x20)"));
        for (int i = 0; i < std::max(3, m_repeats / 4); ++i) {
            TSPriemnicaLista* w = nullptr;
            open.ms << timeMs([&] { w = openList<TSPriemnicaLista>(m_main.Priemnica); });
            for (int k = 0; k < 20 && !w->Query1->Eof(); ++k) {
                move.ms << timeMs([&] { w->Query1->Next(); });
                const int id = w->Query1->FieldByName(QStringLiteral("id")).AsInteger();
                move.engine << timeMs([&] {
                    m_engine.run(join(stores::receiptreads::listLines()), {{QStringLiteral("id"), id}});
                });
            }
            closeWindow(w);
        }
        engineTimes(open, join(stores::receiptreads::listHeadersPaged()),
                    {{QStringLiteral("page_before"), qlonglong(std::numeric_limits<int>::max()) + 1},
                     {QStringLiteral("page_rows"), stores::receiptreads::listPageRows}});
        open.peakKb = move.peakKb = peakRssKb();
    }

    // A goods receipt of 50 lines, entered through the entry window; only the save is timed, from
    // the click to its confirmation.
    void receiptSave()
    {
        Result& r = add(QStringLiteral("receipt: save 50 lines"));
        const int partners = scalar(QStringLiteral("select count(*) n from komintenti"));
        const int articles = scalar(QStringLiteral("select count(*) n from artikli"));
        for (int i = 0; i < std::max(3, m_repeats / 2); ++i) {
            m_main.Priemnica->createEntry(nullptr, nullptr, 19);
            auto* entry = qobject_cast<TSPriemnicaVnes*>(m_main.Priemnica->EntryForm.data());
            entry->VnesiKomintentiID(1 + (i * 37) % partners);
            for (int line = 0; line < 50; ++line)
                entry->VnesiArtikalID(1 + (i * 7919 + line * 104729) % articles);
            traced(
                r, [&] { entry->BitBtn1Click(); }, true);
            if (m_main.Priemnica->EntryForm)
                closeWindow(m_main.Priemnica->EntryForm);
            settle();
        }
        r.peakKb = peakRssKb();
    }

    // A work order of 10 products (each consuming its articles), through the entry window.
    void workOrderSave()
    {
        Result& r = add(QStringLiteral("work order: save 10 products"));
        const int partners = scalar(QStringLiteral("select count(*) n from komintenti"));
        const int products = scalar(QStringLiteral("select count(*) n from proizvodi"));
        const int employee = scalar(QStringLiteral("select min(id) n from vraboteni"));
        for (int i = 0; i < std::max(3, m_repeats / 2); ++i) {
            m_main.Nalog->createEntry(nullptr, nullptr, 0);
            auto* entry = qobject_cast<TSNalogVnes*>(m_main.Nalog->EntryForm.data());
            entry->ReceivePartner(1 + (i * 37) % partners);
            entry->ReceiveEmployee(employee);
            for (int line = 0; line < 10; ++line)
                entry->ReceiveProduct(1 + (i * 131 + line * 17) % products);
            traced(
                r, [&] { entry->BitBtn1Click(); }, true);
            if (m_main.Nalog->EntryForm)
                closeWindow(m_main.Nalog->EntryForm);
            settle();
        }
        r.peakKb = peakRssKb();
    }

    void partnerOverview()
    {
        Result& open = add(QStringLiteral("partner overview: open"));
        for (int i = 0; i < m_repeats; ++i) {
            TSPregledKomintentLista* w = nullptr;
            traced(
                open, [&] { w = openList<TSPregledKomintentLista>(m_main.PregledKomintent); }, false);
            closeWindow(w);
        }
        open.peakKb = peakRssKb();
        Result& all = add(QStringLiteral("  as written, engine only: all rows"));
        for (int i = 0; i < std::max(2, m_repeats / 10); ++i)
            all.engine << timeMs([&] { m_engine.run(join(stores::partneroverview::masterStatement()), {}); });
        all.ms = all.engine;
    }

    // The financial report of one year: the "Ok" of its window, with the year's dates.
    void financialReport()
    {
        Result& r = add(QStringLiteral("financial report: one year"));
        auto* w = openList<TSReportFinanLista>(m_main.ReportFinan);
        w->MaskEdit1->setText(QStringLiteral("2025-01-01"));
        w->MaskEdit2->setText(QStringLiteral("2025-12-31"));
        for (int i = 0; i < std::max(3, m_repeats / 4); ++i)
            traced(
                r, [&] { w->Button1Click(); }, false);
        closeWindow(w);
        r.peakKb = peakRssKb();
    }

    void articleOverview()
    {
        Result& open = add(QStringLiteral("article overview: open"));
        Result& move = add(QStringLiteral("article overview: move (x20)"));
        for (int i = 0; i < m_repeats; ++i) {
            TSPregledArtikalLista* w = nullptr;
            open.ms << timeMs([&] { w = openList<TSPregledArtikalLista>(m_main.PregledArtikal); });
            for (int k = 0; k < 20 && !w->Query1->Eof(); ++k) {
                move.ms << timeMs([&] { w->Query1->Next(); });
                const int id = w->Query1->FieldByName(QStringLiteral("id")).AsInteger();
                move.engine << timeMs([&] {
                    m_engine.run(join(stores::articleoverview::detailStatement()), {{QStringLiteral("id"), id}});
                });
            }
            closeWindow(w);
        }
        const QVariantMap firstPage{{QStringLiteral("a"), QStringLiteral("%")},
                                    {QStringLiteral("page_first"), 1},
                                    {QStringLiteral("page_after_artikal"), QVariant()},
                                    {QStringLiteral("page_after_id"), QVariant()},
                                    {QStringLiteral("page_rows"), stores::articleoverview::pageRows}};
        for (int i = 0; i < m_repeats; ++i)
            open.engine << timeMs([&] { m_engine.run(join(stores::articleoverview::masterStatementPaged()), firstPage); });
        open.peakKb = move.peakKb = peakRssKb();

        // The statement as first written, on the engine alone, for comparison.
        Result& all = add(QStringLiteral("  as written, engine only: all rows"));
        for (int i = 0; i < std::max(2, m_repeats / 10); ++i)
            all.engine << timeMs([&] {
                m_engine.run(join(stores::articleoverview::masterStatement()),
                             {{QStringLiteral("a"), QStringLiteral("%")}});
            });
        all.ms = all.engine;
    }

    // The printed stock list of every article, through the print preview as the Print
    // command runs it: the time until the preview shows its first page, until every page is
    // laid out, and the peak memory; then every page written to a PDF file, page after page.
    void printedStockList()
    {
        Result& first = add(QStringLiteral("printed stock list: first page shown"));
        Result& all = add(QStringLiteral("printed stock list: every page laid out"));
        Result& pdf = add(QStringLiteral("printed stock list: export PDF, every page"));
        auto* w = openList<TSLagerListaLista>(m_main.LagerLista);
        for (int i = 0; i < std::max(2, m_repeats / 10); ++i) {
            w->Query1->Open(); // as the window stands: its first page read
            TSReportLager report;
            report.PrepareReport(w->Query1);
            QElapsedTimer t;
            double shown = -1;
            QTimer probe;
            probe.setInterval(0);
            QObject::connect(&probe, &QTimer::timeout, [&] {
                if (shown >= 0)
                    return;
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* p = qobject_cast<report::SpoolPreview*>(top); p && p->isVisible() && p->shownPageCount() > 0)
                        shown = double(t.nsecsElapsed()) / 1e6;
            });
            probe.start();
            t.start();
            report.Preview(&m_main);
            const double total = double(t.nsecsElapsed()) / 1e6;
            probe.stop();
            all.ms << total;
            first.ms << (shown >= 0 ? shown : total); // a short list: shown whole
            settle();
        }
        first.peakKb = all.peakKb = peakRssKb();
        // Export PDF from the preview: the spool the preview laid out (as it lays it out,
        // the windows under the main window not repainted), written page after page.
        const QString path = QDir::temp().filePath(QStringLiteral("duredir-bench-stock.pdf"));
        for (int i = 0; i < 2; ++i) {
            w->Query1->Open();
            TSReportLager report;
            report.PrepareReport(w->Query1);
            report::PageSpool spool(report.QuickRep1.page.paperSize());
            m_main.setUpdatesEnabled(false);
            report.QuickRep1.layout(spool);
            m_main.setUpdatesEnabled(true);
            pdf.ms << timeMs([&] { report::writePdf(spool, path); });
        }
        QFile::remove(path);
        pdf.peakKb = peakRssKb();
        closeWindow(w);
    }

    TForm1& m_main;
    bench::DirectEngine& m_engine;
    int m_repeats;
    QStringList m_prefixes;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app::Application application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Times the operator's work on a synthetic business."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("size"), QStringLiteral("S, M, L or XL."), QStringLiteral("size"), QStringLiteral("S")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Generator seed."), QStringLiteral("n"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("engine"), QStringLiteral("sqlite or mariadb."), QStringLiteral("engine"),
                      QStringLiteral("sqlite")});
    parser.addOption({QStringLiteral("socket"), QStringLiteral("MariaDB server socket."), QStringLiteral("path")});
    parser.addOption({QStringLiteral("database"),
                      QStringLiteral("SQLite file, or MariaDB database name; "
                                     "generated when it holds no articles."),
                      QStringLiteral("name")});
    parser.addOption({QStringLiteral("repeats"), QStringLiteral("Runs of each operation."), QStringLiteral("n"),
                      QStringLiteral("20")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("Write the results to this file."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("only"),
                      QStringLiteral("Only the operations whose group name contains this "
                                     "(\"printed\", \"overview\" ...)."),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("generate-only"), QStringLiteral("Generate the business if needed, time nothing.")});
    parser.process(application);

    const bench::Size size = bench::sizeByName(parser.value(QStringLiteral("size")).toUpper());
    if (size.name.isEmpty()) {
        std::fprintf(stderr, "duredir-bench: --size must be S, M, L or XL\n");
        return 2;
    }
    const quint64 seed = parser.value(QStringLiteral("seed")).toULongLong();
    data::AliasConfig config;
    if (parser.value(QStringLiteral("engine")) == QLatin1String("mariadb")) {
        config.engine = data::Engine::MariaDb;
        config.socket = parser.value(QStringLiteral("socket"));
        config.database = parser.isSet(QStringLiteral("database"))
                              ? parser.value(QStringLiteral("database"))
                              : QStringLiteral("duredir_bench_%1_%2").arg(size.name.toLower()).arg(seed);
    } else {
        config.path = parser.isSet(QStringLiteral("database"))
                          ? parser.value(QStringLiteral("database"))
                          : QDir::temp().filePath(QStringLiteral("duredir-bench-%1-%2.sqlite").arg(size.name).arg(seed));
    }

    // Messages and modal dialogs are answered at once: nobody sits at this screen.
    // A save's own confirmation is expected; anything else is shown.
    kit::setMessageBoxHandler([](QWidget*, const QString& text, const QString& title, kit::Buttons) {
        if (title != QLatin1String("Information"))
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        else
            confirmedAt = benchClock.nsecsElapsed();
        return int(kit::mrOk);
    });
    // The quantity dialogs of the entry windows get a quantity; other dialogs are cancelled.
    kit::setModalHandler([](QDialog* dialog) {
        if (auto* quantity = qobject_cast<TSNalogVnesiProizvod*>(dialog)) {
            quantity->Edit4->setText(QStringLiteral("2"));
            return int(kit::mrOk);
        }
        return int(kit::mrCancel);
    });

    benchClock.start();
    try {
        data::Database db;
        db.setConfig(config);
        db.open();
        if (!data::existingTables(db).contains(QStringLiteral("artikli")))
            data::createSchema(db);
        data::Query count(&db);
        count.SQL.Add(QStringLiteral("select count(*) n from artikli"));
        count.Open();
        if (count.FieldByName(QStringLiteral("n")).AsInteger() == 0) {
            std::fprintf(stderr, "generating size %s, seed %llu ...\n", qPrintable(size.name), seed);
            const double ms = timeMs([&] { bench::generate(db, size, seed); });
            std::fprintf(stderr, "generated in %.1f s\n", ms / 1000);
            // The peak memory reported is the operator's work's, not the generation's.
            QFile clear(QStringLiteral("/proc/self/clear_refs"));
            if (clear.open(QIODevice::WriteOnly))
                clear.write("5");
        }
        if (parser.isSet(QStringLiteral("generate-only")))
            return 0;
        auto engine = bench::DirectEngine::open(config);

        // Search prefixes: the names of articles spread over the register.
        QStringList prefixes;
        bench::Random r(seed + 1);
        for (int i = 0; i < 16; ++i)
            prefixes << bench::articleName(r, i);

        TForm1 main(&db);
        main.resize(1280, 800);
        main.show();
        QCoreApplication::processEvents();

        // Warm up: the file in the system's cache (SQLite), the ledger in the server's buffer
        // pool (MariaDB), so that the first timed runs do not measure the disk.
        if (config.engine == data::Engine::Sqlite) {
            QFile file(config.path);
            if (file.open(QIODevice::ReadOnly))
                while (!file.read(1 << 20).isEmpty()) {
                }
        }
        engine->run(join(stores::stocklist::balanceStatementAsWritten()), {{QStringLiteral("a"), QStringLiteral("%")}});

        Bench b(main, *engine, parser.value(QStringLiteral("repeats")).toInt(), prefixes);
        b.run(parser.value(QStringLiteral("only")));

        std::printf("size %s (%d articles, %d ledger rows), %s\n", qPrintable(size.name), size.articles,
                    size.ledgerRows, config.engine == data::Engine::Sqlite ? "SQLite" : "MariaDB");
        std::printf("%-42s %9s %9s %9s %7s %9s\n", "operation", "median ms", "p95 ms", "engine ms", "ratio", "peak MB");
        QJsonArray rows;
        for (const Result& res : b.results) {
            const double med = percentile(res.ms, 0.5), p95 = percentile(res.ms, 0.95);
            const double eng = percentile(res.engine, 0.5);
            std::printf("%-42s %9.2f %9.2f %9s %7s %9.1f\n", qPrintable(res.name), med, p95,
                        res.engine.isEmpty() ? "-" : qPrintable(QString::number(eng, 'f', 2)),
                        res.engine.isEmpty() ? "-" : qPrintable(QString::number(med / eng, 'f', 2)),
                        double(res.peakKb) / 1024.0);
            rows.append(QJsonObject{{QStringLiteral("operation"), res.name},
                                    {QStringLiteral("median_ms"), med},
                                    {QStringLiteral("p95_ms"), p95},
                                    {QStringLiteral("runs"), int(res.ms.size())},
                                    {QStringLiteral("engine_median_ms"), res.engine.isEmpty() ? QJsonValue() : eng},
                                    {QStringLiteral("peak_rss_mb"), double(res.peakKb) / 1024.0}});
        }
        if (parser.isSet(QStringLiteral("json"))) {
            QFile f(parser.value(QStringLiteral("json")));
            if (!f.open(QIODevice::WriteOnly)) {
                std::fprintf(stderr, "duredir-bench: cannot write %s\n", qPrintable(f.fileName()));
                return 1;
            }
            f.write(QJsonDocument(QJsonObject{{QStringLiteral("size"), size.name},
                                              {QStringLiteral("seed"), QString::number(seed)},
                                              {QStringLiteral("engine"), config.engine == data::Engine::Sqlite
                                                                             ? QStringLiteral("sqlite")
                                                                             : QStringLiteral("mariadb")},
                                              {QStringLiteral("results"), rows}})
                        .toJson());
        }
    } catch (const data::Error& e) {
        std::fprintf(stderr, "duredir-bench: %s\n", qPrintable(e.text()));
        return 1;
    }
    return 0;
}
