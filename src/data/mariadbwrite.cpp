#include "data/mariadbwrite.h"

#include "data/query.h"

#include <QDate>

#include <mysql.h>

#include <cstring>
#include <vector>

namespace data {

namespace {

bool isNull(const QVariant& v)
{
    // Qt's driver binds a null text as NULL too.
    return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isNull());
}

} // namespace

MariaDbWrite::~MariaDbWrite()
{
    if (m_stmt)
        mysql_stmt_close(m_stmt);
}

QSqlError MariaDbWrite::error(const QString& what) const
{
    return QSqlError(QStringLiteral("QMYSQL: ") + what, QString::fromUtf8(mysql_stmt_error(m_stmt)),
                     QSqlError::StatementError, QString::number(mysql_stmt_errno(m_stmt)));
}

std::unique_ptr<MariaDbWrite> MariaDbWrite::prepare(const QVariant& connection, const QString& text, QSqlError* error)
{
    // Qt's driver hands its handle as a MYSQL*; Qt 6 names that type by the struct behind
    // the typedef.
    const char* type = connection.isValid() ? connection.typeName() : nullptr;
    MYSQL* mysql = type && (qstrcmp(type, "st_mysql*") == 0 || qstrcmp(type, "MYSQL*") == 0)
                       ? *static_cast<MYSQL* const*>(connection.constData())
                       : nullptr;
    if (!mysql)
        return nullptr;
    std::unique_ptr<MariaDbWrite> w(new MariaDbWrite);
    QString marked;
    w->m_names = parameterNames(text, &marked);
    for (const QString& name : std::as_const(w->m_names))
        w->m_keys << name.toLower();
    const QByteArray utf8 = marked.toUtf8();
    w->m_stmt = mysql_stmt_init(mysql);
    if (!w->m_stmt) {
        *error = QSqlError(QStringLiteral("QMYSQL: Unable to prepare statement"), QString::fromUtf8(mysql_error(mysql)),
                           QSqlError::StatementError, QString::number(mysql_errno(mysql)));
        return nullptr;
    }
    if (mysql_stmt_prepare(w->m_stmt, utf8.constData(), static_cast<unsigned long>(utf8.size())) != 0) {
        *error = w->error(QStringLiteral("Unable to prepare statement"));
        return nullptr;
    }
    if (mysql_stmt_field_count(w->m_stmt) > 0 || mysql_stmt_param_count(w->m_stmt) != unsigned(w->m_names.size()))
        return nullptr;
    return w;
}

bool MariaDbWrite::binds(const QVariant& value)
{
    if (isNull(value))
        return true;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Bool:
    case QMetaType::QString:
    case QMetaType::QDate:
        return true;
    default:
        return false;
    }
}

bool MariaDbWrite::exec(const QList<QVariant>& values, QSqlError* error)
{
    const size_t n = size_t(values.size());
    std::vector<MYSQL_BIND> binds(n);
    std::vector<my_bool> nulls(n);
    std::vector<QByteArray> texts(n);
    std::vector<MYSQL_TIME> times(n);
    for (size_t i = 0; i < n; ++i) {
        const QVariant& v = values.at(qsizetype(i));
        MYSQL_BIND& b = binds[i];
        std::memset(&b, 0, sizeof b);
        nulls[i] = isNull(v) ? 1 : 0;
        b.is_null = &nulls[i];
        if (nulls[i]) {
            b.buffer_type = MYSQL_TYPE_STRING;
            continue;
        }
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
            b.buffer_type = MYSQL_TYPE_LONG;
            b.buffer = const_cast<void*>(v.constData());
            b.buffer_length = sizeof(int);
            b.is_unsigned = my_bool(v.typeId() == QMetaType::UInt);
            break;
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
            b.buffer_type = MYSQL_TYPE_LONGLONG;
            b.buffer = const_cast<void*>(v.constData());
            b.buffer_length = sizeof(qint64);
            b.is_unsigned = my_bool(v.typeId() == QMetaType::ULongLong);
            break;
        case QMetaType::Double:
            b.buffer_type = MYSQL_TYPE_DOUBLE;
            b.buffer = const_cast<void*>(v.constData());
            b.buffer_length = sizeof(double);
            break;
        case QMetaType::Bool:
            b.buffer_type = MYSQL_TYPE_TINY;
            b.buffer = const_cast<void*>(v.constData());
            b.buffer_length = sizeof(bool);
            break;
        case QMetaType::QDate: {
            // The day as it reads, as Qt's driver sends a date.
            const QDate date = v.toDate();
            MYSQL_TIME& t = times[i];
            std::memset(&t, 0, sizeof t);
            t.year = unsigned(date.year());
            t.month = unsigned(date.month());
            t.day = unsigned(date.day());
            t.time_type = MYSQL_TIMESTAMP_DATE;
            b.buffer_type = MYSQL_TYPE_DATE;
            b.buffer = &t;
            b.buffer_length = sizeof t;
            break;
        }
        default:
            texts[i] = v.toString().toUtf8();
            b.buffer_type = MYSQL_TYPE_STRING;
            b.buffer = texts[i].data();
            b.buffer_length = static_cast<unsigned long>(texts[i].size());
            break;
        }
    }
    if (n > 0 && mysql_stmt_bind_param(m_stmt, binds.data()) != 0) {
        *error = this->error(QStringLiteral("Unable to bind value"));
        return false;
    }
    if (mysql_stmt_execute(m_stmt) != 0) {
        *error = this->error(QStringLiteral("Unable to execute statement"));
        return false;
    }
    m_rowsAffected = qint64(mysql_stmt_affected_rows(m_stmt));
    m_insertId = mysql_stmt_insert_id(m_stmt);
    return true;
}

} // namespace data
