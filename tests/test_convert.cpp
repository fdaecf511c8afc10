// Conversions of typed text, the SQLite rewriting of statements and alias resolution:
// the parts of the data layer that need no database.
#include "data/alias.h"
#include "data/convert.h"
#include "data/dialect.h"
#include "data/errors.h"

#include <QTemporaryDir>
#include <QtTest>

class TestConvert : public QObject {
    Q_OBJECT

private slots:
    void integers_data();
    void integers();
    void floats_data();
    void floats();
    void dates_data();
    void dates();
    void decimalRounding_data();
    void decimalRounding();
    void sqliteRewrite_data();
    void sqliteRewrite();
    void sumsHeldToTheBound_data();
    void sumsHeldToTheBound();
    void aliasResolution();
};

void TestConvert::integers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "42" << true << 42;
    QTest::newRow("blanks") << "  7 " << true << 7;
    QTest::newRow("negative") << "-3" << true << -3;
    QTest::newRow("minus zero") << "-0" << true << 0;
    QTest::newRow("abc") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("too big") << "2147483648" << false << 0;
    QTest::newRow("sql") << "1; drop table artikli" << false << 0;
}

void TestConvert::integers()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);
    if (ok) {
        QCOMPARE(data::toInteger(text), value);
    } else {
        try {
            data::toInteger(text);
            QFAIL("no ConvertError");
        } catch (const data::ConvertError& e) {
            QVERIFY(e.text().contains(QStringLiteral("'%1'").arg(text)));
            QVERIFY(e.text().contains(QStringLiteral("not a valid integer")));
        }
    }
}

void TestConvert::floats_data()
{
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimalPoint");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("dot") << "2.5" << "." << true << 2.5;
    QTest::newRow("dot under comma locale") << "2.5" << "," << true << 2.5;
    QTest::newRow("comma under comma locale") << "2,5" << "," << true << 2.5;
    QTest::newRow("comma under dot locale refused") << "2,5" << "." << false << 0.0;
    QTest::newRow("grouped refused") << "1,234.5" << "." << false << 0.0;
    QTest::newRow("exponent") << "1e3" << "." << true << 1000.0;
    QTest::newRow("overflow") << "1e309" << "." << false << 0.0;
    QTest::newRow("minus zero") << "-0" << "." << true << 0.0;
    QTest::newRow("leading dot") << ".5" << "." << true << 0.5;
    QTest::newRow("empty") << "" << "." << false << 0.0;
    QTest::newRow("blanks") << "   " << "." << false << 0.0;
    QTest::newRow("abc") << "abc" << "." << false << 0.0;
    QTest::newRow("nan") << "nan" << "." << false << 0.0;
    // clang-format on
}

void TestConvert::floats()
{
    QFETCH(QString, text);
    QFETCH(QString, decimalPoint);
    QFETCH(bool, ok);
    QFETCH(double, value);
    if (ok)
        QCOMPARE(data::toFloat(text, decimalPoint.at(0)), value);
    else
        QVERIFY_THROWS_EXCEPTION(data::ConvertError, data::toFloat(text, decimalPoint.at(0)));
}

void TestConvert::dates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ok") << "2026-12-09" << true;
    QTest::newRow("leap day") << "2024-02-29" << true;
    QTest::newRow("no leap day") << "2026-02-29" << false;
    QTest::newRow("feb 30") << "2026-02-30" << false;
    QTest::newRow("zero") << "0000-00-00" << false;
    QTest::newRow("partial") << "2026-1_-__" << false;
    QTest::newRow("empty mask") << "    -  -  " << false;
    QTest::newRow("month 13") << "2026-13-01" << false;
}

void TestConvert::dates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(data::isValidDateText(text), valid);
}

void TestConvert::decimalRounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("text");
    QTest::newRow("half up") << 2.00005 << 4 << "2.0001";
    QTest::newRow("half away") << -0.00005 << 4 << "-0.0001";
    QTest::newRow("tiny") << 0.00001 << 4 << "0.0000";
    QTest::newRow("whole") << 6.0 << 4 << "6.0000";
    QTest::newRow("float noise") << 0.1 + 0.2 << 4 << "0.3000";
    QTest::newRow("carry into int") << 99.995 << 2 << "100.00";
    QTest::newRow("large") << 123456789.125 << 2 << "123456789.13";
    QTest::newRow("scale 0") << 2.5 << 0 << "3";
}

void TestConvert::decimalRounding()
{
    QFETCH(double, value);
    QFETCH(int, scale);
    QFETCH(QString, text);
    QCOMPARE(data::dialect::decimalText(value, scale), text);
}

void TestConvert::sqliteRewrite_data()
{
    // clang-format off
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::newRow("sum") << "cast(sum(vlez_kol) as decimal(18,4)) vk_vlez"
                         << "duredir_decimal(sum(vlez_kol),4) vk_vlez";
    QTest::newRow("alias glued") << "cast((sum(a)-sum(b)) as decimal(18,4))saldo"
                                 << "duredir_decimal((sum(a)-sum(b)),4)saldo";
    QTest::newRow("upper case") << "CAST(x AS DECIMAL(18, 2))" << "duredir_decimal(x,2)";
    QTest::newRow("char") << "concat(cast(vraboten_id as Char),' - ')" << "concat(duredir_char(vraboten_id),' - ')";
    QTest::newRow("nested") << "cast(cast(a as char) as decimal(10,1))" << "duredir_decimal(duredir_char(a),1)";
    QTest::newRow("quoted untouched") << "select 'cast(a as decimal(1,1))'" << "select 'cast(a as decimal(1,1))'";
    QTest::newRow("other cast kept") << "cast(a as signed)" << "cast(a as signed)";
    QTest::newRow("word broadcast kept") << "broadcast(a as decimal(1,1))" << "broadcast(a as decimal(1,1))";
    QTest::newRow("multi line") << "select\ncast(sum(m.vlez_kol) as decimal(18,4)) vlez,\nx"
                                << "select\nduredir_decimal(sum(m.vlez_kol),4) vlez,\nx";
    // clang-format on
}

void TestConvert::sqliteRewrite()
{
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(data::dialect::toSqlite(in), out);
}

void TestConvert::sumsHeldToTheBound_data()
{
    // clang-format off
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("mariadb");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("none") << "select a from t" << "select a from t" << "select a from t";
    QTest::newRow("balance") << "cast((sum(vlez_kol)-SUM(izlez_kol)) as decimal(18,4))"
                             << "cast((sum(least(greatest(vlez_kol,-1e+24),1e+24))-SUM(least(greatest(izlez_kol,-1e+24),1e+24))) as decimal(18,4))"
                             << "cast((sum(max(min(vlez_kol,1e+24),-1e+24))-SUM(max(min(izlez_kol,1e+24),-1e+24))) as decimal(18,4))";
    QTest::newRow("argument with parentheses and a parameter")
        << "coalesce(sum(case when document_id=:doc then (a*b) else 0 end),0)"
        << "coalesce(sum(least(greatest(case when document_id=:doc then (a*b) else 0 end,-1e+24),1e+24)),0)"
        << "coalesce(sum(max(min(case when document_id=:doc then (a*b) else 0 end,1e+24),-1e+24)),0)";
    QTest::newRow("other words and quoted text kept")
        << "select checksum(x), 'sum(y)', msum (z) from t" << "select checksum(x), 'sum(y)', msum (z) from t"
        << "select checksum(x), 'sum(y)', msum (z) from t";
    // clang-format on
}

void TestConvert::sumsHeldToTheBound()
{
    QFETCH(QString, in);
    QFETCH(QString, mariadb);
    QFETCH(QString, sqlite);
    QCOMPARE(data::dialect::guardSums(in, false), mariadb);
    QCOMPARE(data::dialect::guardSums(in, true), sqlite);
}

void TestConvert::aliasResolution()
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());

    // No alias file: the embedded default.
    data::AliasConfig c = data::resolveAlias(QStringLiteral("varnok_public"));
    QCOMPARE(c.engine, data::Engine::Sqlite);
    QVERIFY(!c.fromFile);
    QCOMPARE(c.path, dir.filePath(QStringLiteral("data/duredir/varnok_public.sqlite")));

    data::AliasConfig s;
    s.engine = data::Engine::Sqlite;
    s.path = QStringLiteral("/srv/stock.sqlite");
    data::writeAlias(QStringLiteral("varnok_public"), s);
    c = data::resolveAlias(QStringLiteral("varnok_public"));
    QVERIFY(c.fromFile);
    QCOMPARE(c.engine, data::Engine::Sqlite);
    QCOMPARE(c.path, QStringLiteral("/srv/stock.sqlite"));

    data::AliasConfig m;
    m.engine = data::Engine::MariaDb;
    m.socket = QStringLiteral("/run/mysqld/mysqld.sock");
    m.database = QStringLiteral("stock");
    m.optionFile = QStringLiteral("/etc/duredir/client.cnf");
    m.optionGroup = QStringLiteral("duredir");
    m.sslCa = QStringLiteral("/etc/duredir/ca.pem");
    m.sslCert = QStringLiteral("/etc/duredir/client.pem");
    m.sslKey = QStringLiteral("/etc/duredir/client.key");
    m.sslVerifyServerCert = false;
    data::writeAlias(QStringLiteral("other"), m);
    c = data::resolveAlias(QStringLiteral("other"));
    QCOMPARE(c.engine, data::Engine::MariaDb);
    QCOMPARE(c.socket, m.socket);
    QCOMPARE(c.database, m.database);
    QCOMPARE(c.optionFile, m.optionFile);
    QCOMPARE(c.optionGroup, m.optionGroup);
    QCOMPARE(c.sslCa, m.sslCa);
    QCOMPARE(c.sslCert, m.sslCert);
    QCOMPARE(c.sslKey, m.sslKey);
    QVERIFY(c.tlsRequested() && !c.ssl && !c.sslVerifyServerCert);
    // TLS without a CA file, the server's name checked (the default).
    m = data::AliasConfig{};
    m.engine = data::Engine::MariaDb;
    m.database = QStringLiteral("stock");
    m.ssl = true;
    data::writeAlias(QStringLiteral("tls"), m);
    c = data::resolveAlias(QStringLiteral("tls"));
    QVERIFY(c.ssl && c.tlsRequested() && c.sslVerifyServerCert && c.sslCa.isEmpty());
    // Writing one alias keeps the other, and never a password.
    QCOMPARE(data::resolveAlias(QStringLiteral("varnok_public")).path, QStringLiteral("/srv/stock.sqlite"));
    QFile f(data::aliasFilePath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!f.readAll().contains("password"));

    // An unknown driver is a clear error, not a silent default.
    QFile w(data::aliasFilePath());
    QVERIFY(w.open(QIODevice::Append));
    w.write("\n[broken]\ndriver=oracle\n");
    w.close();
    QVERIFY_THROWS_EXCEPTION(data::DatabaseError, data::resolveAlias(QStringLiteral("broken")));
}

QTEST_GUILESS_MAIN(TestConvert)
#include "test_convert.moc"
