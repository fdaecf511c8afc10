#include "data/query.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/databaselife.h"
#include "data/datasource.h"
#include "data/dialect.h"
#include "data/errors.h"
#include "data/log.h"
#include "data/statementwatch.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <cmath>
#include <exception>
#include <utility>
#include <limits>

namespace data {

namespace {

// The failure of a statement that waited since `clock` started (not started: no wait that
// counts); a broken connection is closed, so that the next change of focus (or "Refresh
// Database connection") opens it again.
[[noreturn]] void fail(Database* db, const QSqlError& e, const QString& text, const QElapsedTimer& clock)
{
    const DatabaseError error = db->failure(e, clock.isValid() ? clock.elapsed() : 0);
    logFailure(error, text);
    if (error.isConnectionLost())
        db->close();
    throw error;
}

// A DECIMAL column of a table (not a value the statement computes): a database made from
// the data model by its own administrator may keep quantities and prices so. MariaDB's type
// code of such a column is NEWDECIMAL (246).
bool storedDecimal(const QSqlField& field)
{
    return field.typeID() == 246 && !field.tableName().isEmpty();
}

// A stored decimal as the number it holds, without the zeros its scale pads it with
// ("6.0000" is 6, "2.5000" is 2.5), as a DOUBLE column gives it: the windows and printed
// forms show a quantity the same whichever way the column was declared. Computed decimals
// (cast(... as decimal(18,4))) keep their scale.
QVariant withoutPadding(const QVariant& value)
{
    if (value.isNull() || value.typeId() != QMetaType::QString)
        return value;
    QString t = value.toString();
    if (!t.contains(QLatin1Char('.')))
        return value;
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    if (t == QLatin1String("-0"))
        t = QStringLiteral("0");
    return t;
}

} // namespace

QStringList parameterNames(const QString& s, QString* positional)
{
    QStringList names;
    if (positional) {
        positional->clear();
        positional->reserve(s.size());
    }
    QChar quote;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
        } else if (c == QLatin1Char(':') && i + 1 < s.size() && (s.at(i + 1).isLetter() || s.at(i + 1) == QLatin1Char('_'))
                   && (i == 0 || s.at(i - 1) != QLatin1Char(':'))) {
            qsizetype j = i + 1;
            while (j < s.size() && (s.at(j).isLetterOrNumber() || s.at(j) == QLatin1Char('_')))
                ++j;
            names << s.mid(i + 1, j - i - 1);
            if (positional)
                *positional += QLatin1Char('?');
            i = j - 1;
            continue;
        }
        if (positional)
            *positional += c;
    }
    return names;
}

QString Field::AsString() const
{
    if (m_value.isNull())
        return QString();
    switch (m_value.typeId()) {
    case QMetaType::Double:
        return dialect::doubleText(m_value.toDouble());
    case QMetaType::QDate:
        return m_value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return m_value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    default:
        return m_value.toString();
    }
}

int Field::AsInteger() const
{
    if (m_value.isNull())
        return 0;
    switch (m_value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double: {
        // A value past the 32-bit range is refused, never wrapped to a negative number.
        const double d = m_value.toDouble();
        if (!(d >= std::numeric_limits<int>::min() - 0.5 && d < std::numeric_limits<int>::max() + 0.5))
            throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(m_value.toString()));
        return m_value.typeId() == QMetaType::Double ? int(std::lround(d)) : int(m_value.toLongLong());
    }
    default: {
        const QString t = m_value.toString();
        if (t.trimmed().isEmpty())
            return 0;
        // Decimal text from the database ("6.0000") is a whole number too.
        static const QRegularExpression wholeDecimal(QStringLiteral("^\\s*[+-]?\\d+\\.0*\\s*$"));
        if (wholeDecimal.match(t).hasMatch())
            return toInteger(t.trimmed().section(QLatin1Char('.'), 0, 0));
        return toInteger(t);
    }
    }
}

double Field::AsFloat() const
{
    if (m_value.isNull())
        return 0.0;
    switch (m_value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return m_value.toDouble();
    default: {
        const QString t = m_value.toString();
        if (t.trimmed().isEmpty())
            return 0.0;
        return toFloat(t, QLatin1Char('.'));
    }
    }
}

QDateTime Field::AsDateTime() const
{
    if (m_value.isNull())
        return QDateTime();
    switch (m_value.typeId()) {
    case QMetaType::QDate:
        return m_value.toDate().startOfDay();
    case QMetaType::QDateTime:
        return m_value.toDateTime();
    default: {
        const QString t = m_value.toString().trimmed();
        if (t.isEmpty())
            return QDateTime();
        QDateTime dt = QDateTime::fromString(t.left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
            if (d.isValid())
                dt = d.startOfDay();
        }
        if (!dt.isValid())
            throw ConvertError(QStringLiteral("'%1' is not a valid date").arg(t));
        return dt;
    }
    }
}

namespace {
int g_notifying = 0;
std::exception_ptr g_listenerFailure;
} // namespace

template <class Emit>
void Query::notifyListeners(Emit emitSignal)
{
    ++g_notifying;
    try {
        emitSignal();
    } catch (...) {
        --g_notifying;
        g_listenerFailure = nullptr;
        throw;
    }
    if (--g_notifying == 0 && g_listenerFailure)
        std::rethrow_exception(std::exchange(g_listenerFailure, nullptr));
}

int nextNumber(const Field& next, const QString& what, int first)
{
    if (next.IsNull())
        return first;
    bool ok = false;
    const qlonglong n = next.Value().toString().trimmed().section(QLatin1Char('.'), 0, 0).toLongLong(&ok);
    if (!ok || n > std::numeric_limits<int>::max() || n < std::numeric_limits<int>::min())
        throw RangeError(QStringLiteral("No %1 is left: the next one would pass %2, the largest the database holds.\n"
                                        "Nothing was saved.")
                             .arg(what)
                             .arg(std::numeric_limits<int>::max()));
    return int(n);
}

Query::Query(QObject* parent) : QObject(parent) {}

Query::Query(Database* db, QObject* parent) : QObject(parent)
{
    setDatabase(db);
}

void Query::setDatabase(Database* db)
{
    m_database = db;
    m_connectionName = db ? db->connectionName() : QString();
}

Query::~Query() = default;

int Query::LastInsertId() const
{
    if (m_lastInsertId <= 0)
        throw DatabaseError(QStringLiteral("The database gave no key for the new row."));
    return m_lastInsertId;
}

Database* Query::database() const
{
    return databaseLives(m_database) ? m_database : nullptr;
}

Param& Query::ParamByName(const QString& name)
{
    return m_params[name.toLower()];
}

bool Query::hasParam(const QString& name) const
{
    return m_params.count(name.toLower()) > 0;
}

QStringList Query::paramNamesInText() const
{
    QStringList names;
    for (const QString& n : parameterNames(SQL.Text()))
        names << n.toLower();
    names.removeDuplicates();
    return names;
}

void Query::setActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void Query::Close()
{
    m_following = false;
    clearRows(true);
}

void Query::clearRows(bool notify)
{
    const bool wasActive = m_active;
    m_active = false;
    m_more = false;
    m_rows.clear();
    m_fieldNames.clear();
    m_cursor = 0;
    m_eof = m_bof = true;
    if (wasActive && notify)
        notifyListeners([this] { emit afterClose(); });
}

void Query::Open()
{
    // Opening an open query replaces its rows: the listeners hear of the new rows only
    // (a grid is reset once, a detail reruns once), or of the close when the run fails.
    const bool wasActive = m_active;
    if (wasActive)
        clearRows(false);
    m_following = true; // a detail follows its master even after a failed run
    if (paged())
        bindFirstPage();
    try {
        run(true);
        m_rows.commit();
    } catch (...) {
        m_rows.clear();
        if (wasActive)
            notifyListeners([this] { emit afterClose(); });
        throw;
    }
    m_more = paged() && m_rows.size() >= m_pageRows;
    m_active = true;
    m_cursor = 0;
    m_bof = true;
    m_eof = m_rows.isEmpty();
    notifyListeners([this] { emit afterOpen(); });
}

void Query::ExecSQL()
{
    run(false);
}

void Query::bindFromMaster()
{
    if (!m_master || !m_master->DataSet())
        return;
    Query* master = m_master->DataSet();
    for (const QString& name : paramNamesInText()) {
        const int idx = master->fieldIndex(name);
        if (idx < 0)
            continue;
        const QVariant v = master->IsEmpty() ? QVariant() : master->value(master->RecNo(), idx);
        Param p;
        if (v.isNull())
            p.Clear();
        else if (v.typeId() == QMetaType::Double)
            p.AsFloat(v.toDouble());
        else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong)
            p.AsInteger(v.toInt());
        else
            p.AsString(v.toString());
        m_params[name] = p;
    }
}

void Query::run(bool wantRows)
{
    if (wantRows)
        execute(&m_rows, &m_fieldNames);
    else
        execute(nullptr, nullptr);
}

void Query::execute(RowStore* rows, QStringList* names)
{
    Database* db = database();
    if (!db)
        throw DatabaseError(m_connectionName.isEmpty()
                                ? QStringLiteral("The statement was given no database connection to run on.")
                                : QStringLiteral("The database connection \"%1\" is closed.").arg(m_connectionName));
    const statementwatch::Running running;
    db->reopenIfAllowed();
    if (!db->Connected()) {
        const DatabaseError error = DatabaseError::connectionClosed(
            QStringLiteral("The database connection \"%1\" is closed.").arg(m_connectionName));
        logFailure(error, SQL.Text());
        throw error;
    }
    bindFromMaster();
    QString text = SQL.Text();
    if (db->statementHook())
        db->statementHook()(text);
    if (db->traceHook()) {
        // Every value set, by its name in lower case (one the statement does not name is
        // never bound); the statement is not parsed again for its names.
        QVariantMap values;
        for (const auto& [name, param] : m_params)
            values.insert(name, param.Value());
        db->traceHook()(text, values);
    }
    // The wait that counts against the answer limit (MariaDB; SQLite's own limit is its busy
    // timeout).
    QElapsedTimer clock;
    const bool sqlite = db->engine() == Engine::Sqlite;
    text = dialect::guardSums(text, sqlite);
    if (sqlite)
        text = dialect::toSqlite(text);
    else
        clock.start();

    QSqlError prepareError;
    if (!rows && runWrite(db, text, clock))
        return;
    QSqlQuery* prepared = db->prepared(text, &prepareError);
    if (!prepared)
        fail(db, prepareError, text, clock);
    QSqlQuery& q = *prepared;
    QStringList written = parameterNames(text);
    written.removeDuplicates();
    for (const QString& name : written) {
        const auto it = m_params.find(name.toLower());
        q.bindValue(QLatin1Char(':') + name, it == m_params.end() ? QVariant() : it->second.Value());
    }
    // A failed statement is prepared afresh next time; the statement is reset after its
    // rows are read, so that it holds no read lock (nor snapshot) between runs.
    auto failed = [&](const QSqlError& error) {
        db->forgetPrepared(text);
        fail(db, error, text, clock);
    };
    if (!q.exec())
        failed(q.lastError());

    m_rowsAffected = 0;
    if (!rows)
        m_lastInsertId = 0;
    if (rows) {
        const QSqlRecord rec = q.record();
        const int n = rec.count();
        // A first run starts the rows afresh; a page is appended as pending rows.
        if (names) {
            rows->clear(n);
            names->clear();
            for (int i = 0; i < n; ++i)
                *names << rec.fieldName(i);
        } else if (rows->columns() != n) {
            failed(QSqlError(QStringLiteral("A page has %1 columns, the rows %2").arg(n).arg(rows->columns())));
        }
        QVector<bool> stored(n);
        for (int i = 0; i < n; ++i)
            stored[i] = db->engine() == Engine::MariaDb && storedDecimal(rec.field(i));
        while (q.next())
            for (int i = 0; i < n; ++i)
                rows->append(stored[i] ? QVariant(withoutPadding(q.value(i))) : q.value(i));
        if (q.lastError().isValid())
            failed(q.lastError());
    } else {
        m_rowsAffected = q.numRowsAffected();
        // SQLite reports the connection's last inserted row whatever the statement was, so
        // only an insert that stored a row has a key of its own.
        const bool inserted = m_rowsAffected > 0
                              && text.trimmed().startsWith(QLatin1String("insert"), Qt::CaseInsensitive);
        const QVariant id = inserted ? q.lastInsertId() : QVariant();
        if (id.isValid() && !id.isNull() && id.toLongLong() > 0 && id.toLongLong() <= std::numeric_limits<int>::max())
            m_lastInsertId = int(id.toLongLong());
    }
    q.finish();
}

bool Query::runWrite(Database* db, const QString& text, const QElapsedTimer& clock)
{
    QSqlError error;
    MariaDbWrite* w = db->preparedWrite(text, &error);
    if (!w) {
        if (error.isValid())
            fail(db, error, text, clock);
        return false;
    }
    QList<QVariant> values;
    values.reserve(w->names().size());
    for (const QString& name : w->keys()) {
        const auto it = m_params.find(name);
        values << (it == m_params.end() ? QVariant() : it->second.Value());
        if (!MariaDbWrite::binds(values.last()))
            return false;
    }
    m_rowsAffected = 0;
    m_lastInsertId = 0;
    if (!w->exec(values, &error)) {
        db->forgetPrepared(text);
        fail(db, error, text, clock);
    }
    m_rowsAffected = int(w->rowsAffected());
    const bool inserted = m_rowsAffected > 0 && text.trimmed().startsWith(QLatin1String("insert"), Qt::CaseInsensitive);
    if (inserted && w->insertId() > 0 && w->insertId() <= quint64(std::numeric_limits<int>::max()))
        m_lastInsertId = int(w->insertId());
    return true;
}

void Query::setPaging(const QString& keyField, int pageRows)
{
    m_pageKeys = QStringList{keyField};
    m_pageDescending = false;
    m_pageRows = qMax(0, pageRows);
}

void Query::setPagingDescending(const QString& keyField, int pageRows)
{
    m_pageKeys = QStringList{keyField};
    m_pageDescending = true;
    m_pageRows = qMax(0, pageRows);
}

void Query::setPaging(const QStringList& keyFields, int pageRows)
{
    m_pageKeys = keyFields;
    m_pageDescending = false;
    m_pageRows = keyFields.isEmpty() ? 0 : qMax(0, pageRows);
}

void Query::bindFirstPage()
{
    if (m_pageKeys.size() > 1) {
        ParamByName(QStringLiteral("page_first")).AsInteger(1);
        for (const QString& key : std::as_const(m_pageKeys))
            ParamByName(QStringLiteral("page_after_") + key).Clear();
    } else if (m_pageDescending) {
        // Above every key a 32-bit column holds, the largest included.
        ParamByName(QStringLiteral("page_before")).AsValue(qlonglong(std::numeric_limits<int>::max()) + 1);
    } else {
        ParamByName(QStringLiteral("page_after")).AsInteger(std::numeric_limits<int>::min());
    }
    ParamByName(QStringLiteral("page_rows")).AsInteger(m_pageRows);
}

void Query::bindPageAfter(const QVector<QVariant>& last)
{
    if (m_pageKeys.size() > 1) {
        ParamByName(QStringLiteral("page_first")).AsInteger(0);
        for (const QString& key : std::as_const(m_pageKeys)) {
            const int column = fieldIndex(key);
            if (column < 0)
                throw DatabaseError(QStringLiteral("Field '%1' not found").arg(key));
            ParamByName(QStringLiteral("page_after_") + key).AsValue(last.at(column));
        }
        return;
    }
    const int column = fieldIndex(m_pageKeys.value(0));
    if (column < 0)
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(m_pageKeys.value(0)));
    bool whole = false;
    const int key = last.at(column).toInt(&whole);
    if (!whole)
        throw DatabaseError(QStringLiteral("The key '%1' of a paged query is not a whole number").arg(m_pageKeys.value(0)));
    ParamByName(m_pageDescending ? QStringLiteral("page_before") : QStringLiteral("page_after")).AsInteger(key);
}

void Query::FetchMore()
{
    if (CanFetchMore())
        fetchPage(m_pageRows);
}

void Query::FetchAll()
{
    // The rest in one statement: every row is wanted, so nothing is gained by pages.
    if (CanFetchMore())
        fetchPage(std::numeric_limits<int>::max());
}

void Query::fetchPage(int rows)
{
    if (m_rows.isEmpty())
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(m_pageKeys.value(0)));
    bindPageAfter(m_rows.row(m_rows.size() - 1));
    ParamByName(QStringLiteral("page_rows")).AsInteger(rows);
    // Read in place, as pending rows: the listeners hear of them before they count.
    try {
        execute(&m_rows, nullptr);
    } catch (...) {
        m_rows.dropPending();
        throw;
    }
    const qsizetype read = m_rows.pending();
    m_more = read >= rows;
    if (read == 0)
        return;
    const int first = int(m_rows.size());
    emit rowsAboutToBeAppended(first, first + int(read) - 1);
    m_rows.commit();
    if (m_eof && m_cursor == first - 1)
        m_eof = false;
    emit rowsAppended();
}

void Query::setCursor(int row)
{
    if (m_rows.isEmpty()) {
        m_cursor = 0;
        m_eof = m_bof = true;
        notifyListeners([this] { emit afterScroll(); });
        return;
    }
    const int clamped = qBound(0, row, int(m_rows.size()) - 1);
    const bool moved = clamped != m_cursor;
    m_cursor = clamped;
    if (moved)
        notifyListeners([this] { emit afterScroll(); });
}

void Query::First()
{
    setCursor(0);
    m_bof = true;
    m_eof = m_rows.isEmpty();
}

void Query::Next()
{
    if (!m_rows.isEmpty() && m_cursor >= int(m_rows.size()) - 1)
        FetchMore();
    if (m_rows.isEmpty() || m_cursor >= int(m_rows.size()) - 1) {
        m_eof = true;
        return;
    }
    setCursor(m_cursor + 1);
    m_bof = false;
    m_eof = false;
}

void Query::Prior()
{
    if (m_rows.isEmpty() || m_cursor == 0) {
        m_bof = true;
        return;
    }
    setCursor(m_cursor - 1);
    m_eof = false;
    m_bof = false;
}

void Query::Last()
{
    FetchAll();
    setCursor(int(m_rows.size()) - 1);
    m_eof = true;
    m_bof = m_rows.isEmpty();
}

void Query::setRecNo(int row)
{
    setCursor(row);
    m_eof = m_rows.isEmpty();
    m_bof = m_rows.isEmpty();
}

int Query::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fieldNames.size(); ++i)
        if (m_fieldNames.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Query::hasField(const QString& name) const
{
    return fieldIndex(name) >= 0;
}

Field Query::FieldByName(const QString& name) const
{
    const int idx = fieldIndex(name);
    if (idx < 0) {
        if (!m_active || m_fieldNames.isEmpty())
            return Field(name, QVariant());
        throw DatabaseError(QStringLiteral("Field '%1' not found").arg(name));
    }
    if (m_rows.isEmpty())
        return Field(name, QVariant());
    return Field(m_fieldNames.at(idx), m_rows.value(m_cursor, idx));
}

QVariant Query::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= m_fieldNames.size())
        return QVariant();
    return m_rows.value(row, column);
}

void Query::setMasterSource(DataSource* master)
{
    if (m_master)
        disconnect(m_master, nullptr, this, nullptr);
    m_master = master;
    if (!m_master)
        return;
    // A detail reruns whenever its master reruns or moves, if it was opened (and not
    // closed since): a run that failed once does not stop it from following.
    auto rerun = [this]() {
        if (!m_following)
            return;
        // A failure must not unwind through the master's signal: the listeners after this
        // one (other details, grids, fields) still follow the master. It is thrown once the
        // master's outermost notification is done.
        try {
            Open();
        } catch (...) {
            if (!g_listenerFailure)
                g_listenerFailure = std::current_exception();
        }
    };
    connect(m_master, &DataSource::changed, this, rerun);
    connect(m_master, &DataSource::currentChanged, this, rerun);
}

} // namespace data
