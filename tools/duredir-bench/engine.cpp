#include "engine.h"

#include "data/dialect.h"
#include "data/errors.h"

#include <QRegularExpression>

#include <mysql.h>
#include <sqlite3.h>

namespace bench {

namespace {

const QRegularExpression& paramPattern()
{
    static const QRegularExpression re(QStringLiteral(":([A-Za-z_][A-Za-z0-9_]*)"));
    return re;
}

class SqliteEngine : public DirectEngine {
public:
    explicit SqliteEngine(const QString& path)
    {
        if (sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            throw data::DatabaseError(QStringLiteral("sqlite: cannot open %1").arg(path));
        sqlite3_busy_timeout(m_db, 15000);
        data::dialect::registerSqliteFunctions(m_db);
    }
    ~SqliteEngine() override { sqlite3_close(m_db); }

    int run(const QString& statement, const QVariantMap& params) override
    {
        const QByteArray text = data::dialect::toSqlite(statement).toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
            throw data::DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        for (auto it = params.begin(); it != params.end(); ++it) {
            const int index = sqlite3_bind_parameter_index(st, (QLatin1Char(':') + it.key()).toUtf8().constData());
            if (index == 0)
                continue;
            if (it.value().isNull())
                sqlite3_bind_null(st, index);
            else if (it.value().typeId() == QMetaType::Int)
                sqlite3_bind_int(st, index, it.value().toInt());
            else if (it.value().typeId() == QMetaType::Double)
                sqlite3_bind_double(st, index, it.value().toDouble());
            else
                sqlite3_bind_text(st, index, it.value().toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
        }
        int rows = 0;
        const int columns = sqlite3_column_count(st);
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c)
                (void)sqlite3_column_text(st, c);
            ++rows;
        }
        sqlite3_finalize(st);
        if (step != SQLITE_DONE)
            throw data::DatabaseError(QString::fromUtf8(sqlite3_errmsg(m_db)));
        return rows;
    }
    void begin() override { run(QStringLiteral("begin immediate"), {}); }
    void commit() override { run(QStringLiteral("commit"), {}); }

private:
    sqlite3* m_db = nullptr;
};

class MariaDbEngine : public DirectEngine {
public:
    explicit MariaDbEngine(const data::AliasConfig& c)
    {
        m_db = mysql_init(nullptr);
        if (!mysql_real_connect(m_db, c.host.isEmpty() ? nullptr : c.host.toUtf8().constData(), nullptr, nullptr,
                                c.database.toUtf8().constData(), unsigned(c.port),
                                c.socket.isEmpty() ? nullptr : c.socket.toUtf8().constData(), 0))
            throw data::DatabaseError(QString::fromUtf8(mysql_error(m_db)));
        mysql_set_character_set(m_db, "utf8mb4");
    }
    ~MariaDbEngine() override { mysql_close(m_db); }

    int run(const QString& statement, const QVariantMap& params) override
    {
        // Parameters are written into the text as literals, escaped by the server's rules.
        QString text = statement;
        QRegularExpressionMatchIterator it = paramPattern().globalMatch(statement);
        QList<QRegularExpressionMatch> found;
        while (it.hasNext())
            found.prepend(it.next());
        for (const QRegularExpressionMatch& m : found) {
            const QVariant v = params.value(m.captured(1));
            QString literal;
            if (v.isNull()) {
                literal = QStringLiteral("NULL");
            } else if (v.typeId() == QMetaType::Int) {
                literal = QString::number(v.toInt());
            } else if (v.typeId() == QMetaType::Double) {
                literal = QString::number(v.toDouble(), 'g', 17);
            } else {
                const QByteArray raw = v.toString().toUtf8();
                QByteArray escaped(raw.size() * 2 + 1, '\0');
                escaped.resize(int(mysql_real_escape_string(m_db, escaped.data(), raw.constData(), raw.size())));
                literal = QLatin1Char('\'') + QString::fromUtf8(escaped) + QLatin1Char('\'');
            }
            text.replace(m.capturedStart(), m.capturedLength(), literal);
        }
        const QByteArray utf8 = text.toUtf8();
        if (mysql_real_query(m_db, utf8.constData(), utf8.size()) != 0)
            throw data::DatabaseError(QString::fromUtf8(mysql_error(m_db)));
        MYSQL_RES* res = mysql_store_result(m_db);
        int rows = 0;
        if (res) {
            while (mysql_fetch_row(res))
                ++rows;
            mysql_free_result(res);
        }
        return rows;
    }
    void begin() override { run(QStringLiteral("start transaction"), {}); }
    void commit() override { run(QStringLiteral("commit"), {}); }

private:
    MYSQL* m_db = nullptr;
};

} // namespace

std::unique_ptr<DirectEngine> DirectEngine::open(const data::AliasConfig& config)
{
    if (config.engine == data::Engine::Sqlite)
        return std::make_unique<SqliteEngine>(config.path);
    return std::make_unique<MariaDbEngine>(config);
}

} // namespace bench
