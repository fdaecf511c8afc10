#include "engine.h"

#include "data/dialect.h"
#include "data/errors.h"

#include <QRegularExpression>

#include <array>
#include <cstring>
#include <map>
#include <vector>

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
            else if (it.value().typeId() == QMetaType::LongLong)
                sqlite3_bind_int64(st, index, it.value().toLongLong());
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
    ~MariaDbEngine() override
    {
        for (auto& [text, p] : m_prepared)
            mysql_stmt_close(p.stmt);
        mysql_close(m_db);
    }

    // Runs the statement as a server-side prepared statement, kept for the next call with the
    // same text, as the program's connection keeps its statements.
    int run(const QString& statement, const QVariantMap& params) override
    {
        Prepared& p = prepared(statement);
        std::vector<MYSQL_BIND> binds(p.names.size());
        std::vector<QByteArray> texts(p.names.size());
        std::vector<long long> ints(p.names.size());
        std::vector<double> doubles(p.names.size());
        std::vector<unsigned long> lengths(p.names.size());
        for (size_t i = 0; i < p.names.size(); ++i) {
            MYSQL_BIND& b = binds[i];
            std::memset(&b, 0, sizeof b);
            const QVariant v = params.value(p.names[i]);
            if (v.isNull()) {
                b.buffer_type = MYSQL_TYPE_NULL;
            } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong) {
                ints[i] = v.toLongLong();
                b.buffer_type = MYSQL_TYPE_LONGLONG;
                b.buffer = &ints[i];
            } else if (v.typeId() == QMetaType::Double) {
                doubles[i] = v.toDouble();
                b.buffer_type = MYSQL_TYPE_DOUBLE;
                b.buffer = &doubles[i];
            } else {
                texts[i] = v.toString().toUtf8();
                lengths[i] = static_cast<unsigned long>(texts[i].size());
                b.buffer_type = MYSQL_TYPE_STRING;
                b.buffer = texts[i].data();
                b.buffer_length = lengths[i];
                b.length = &lengths[i];
            }
        }
        if ((!binds.empty() && mysql_stmt_bind_param(p.stmt, binds.data())) || mysql_stmt_execute(p.stmt))
            throw data::DatabaseError(QString::fromUtf8(mysql_stmt_error(p.stmt)));
        int rows = 0;
        const unsigned columns = mysql_stmt_field_count(p.stmt);
        if (columns > 0) {
            // Every column is read as text, as the program's reads convert them.
            std::vector<MYSQL_BIND> out(columns);
            std::vector<std::array<char, 512>> buffers(columns);
            std::vector<unsigned long> outLengths(columns);
            for (unsigned c = 0; c < columns; ++c) {
                std::memset(&out[c], 0, sizeof out[c]);
                out[c].buffer_type = MYSQL_TYPE_STRING;
                out[c].buffer = buffers[c].data();
                out[c].buffer_length = buffers[c].size();
                out[c].length = &outLengths[c];
            }
            if (mysql_stmt_bind_result(p.stmt, out.data()) || mysql_stmt_store_result(p.stmt))
                throw data::DatabaseError(QString::fromUtf8(mysql_stmt_error(p.stmt)));
            int fetched = 0;
            while ((fetched = mysql_stmt_fetch(p.stmt)) == 0 || fetched == MYSQL_DATA_TRUNCATED)
                ++rows;
            if (fetched == 1)
                throw data::DatabaseError(QString::fromUtf8(mysql_stmt_error(p.stmt)));
            mysql_stmt_free_result(p.stmt);
        }
        return rows;
    }
    void begin() override { plain("start transaction"); }
    void commit() override { plain("commit"); }

private:
    struct Prepared {
        MYSQL_STMT* stmt = nullptr;
        std::vector<QString> names; // the parameter of each '?', in order
    };

    void plain(const char* statement)
    {
        if (mysql_query(m_db, statement) != 0)
            throw data::DatabaseError(QString::fromUtf8(mysql_error(m_db)));
    }

    Prepared& prepared(const QString& statement)
    {
        auto found = m_prepared.find(statement);
        if (found != m_prepared.end())
            return found->second;
        Prepared p;
        QString text = statement;
        QRegularExpressionMatchIterator it = paramPattern().globalMatch(statement);
        QList<QRegularExpressionMatch> matches;
        while (it.hasNext())
            matches.append(it.next());
        for (const QRegularExpressionMatch& m : matches)
            p.names.push_back(m.captured(1));
        // From the end, so that the offsets of the earlier matches stay valid.
        for (auto m = matches.crbegin(); m != matches.crend(); ++m) // NOLINT(modernize-loop-convert)
            text.replace(m->capturedStart(), m->capturedLength(), QStringLiteral("?"));
        p.stmt = mysql_stmt_init(m_db);
        const QByteArray utf8 = text.toUtf8();
        if (!p.stmt || mysql_stmt_prepare(p.stmt, utf8.constData(), static_cast<unsigned long>(utf8.size()))) {
            const QString error = p.stmt ? QString::fromUtf8(mysql_stmt_error(p.stmt))
                                         : QString::fromUtf8(mysql_error(m_db));
            if (p.stmt)
                mysql_stmt_close(p.stmt);
            throw data::DatabaseError(error);
        }
        return m_prepared.emplace(statement, std::move(p)).first->second;
    }

    MYSQL* m_db = nullptr;
    std::map<QString, Prepared> m_prepared;
};

} // namespace

std::unique_ptr<DirectEngine> DirectEngine::open(const data::AliasConfig& config)
{
    if (config.engine == data::Engine::Sqlite)
        return std::make_unique<SqliteEngine>(config.path);
    return std::make_unique<MariaDbEngine>(config);
}

} // namespace bench
