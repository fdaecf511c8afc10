#include "backup.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/schemaversion.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlField>
#include <QSqlRecord>
#include <QTextStream>

namespace tools {

namespace {

const char* const kMagic = "DUREDIR-BACKUP 1";

QJsonValue toJson(const QVariant& v)
{
    if (v.isNull())
        return QJsonValue::Null;
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QJsonValue(v.toLongLong());
    case QMetaType::Double:
        return QJsonValue(v.toDouble());
    case QMetaType::QDate:
        return QJsonValue(v.toDate().toString(QStringLiteral("yyyy-MM-dd")));
    default:
        return QJsonValue(v.toString());
    }
}

void bind(data::Param& p, const QJsonValue& v)
{
    if (v.isNull())
        p.Clear();
    else if (v.isDouble()) {
        const double d = v.toDouble();
        if (d == double(qint64(d)) && qAbs(d) < 2147483648.0)
            p.AsInteger(int(d));
        else
            p.AsFloat(d);
    } else {
        p.AsString(v.toString());
    }
}

QString backupsFile()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString dir = !state.isEmpty() && QDir::isAbsolutePath(state) ? state
                                                                        : QDir::homePath() + QStringLiteral("/.local/state");
    return dir + QStringLiteral("/duredir/backups.ini");
}

// A data source's description holds slashes, which the settings file reads as groups.
QString backupKey(const QString& dataSource)
{
    return QString::fromLatin1(QCryptographicHash::hash(dataSource.toUtf8(), QCryptographicHash::Sha1).toHex());
}

// The columns of `table` in the connection's database (lower case).
QStringList columnsOf(data::Database& db, const QString& table)
{
    QStringList out;
    const QSqlRecord record = db.handle().record(table);
    for (int i = 0; i < record.count(); ++i)
        out << record.fieldName(i).toLower();
    return out;
}

} // namespace

void recordBackup(const QString& dataSource, const QString& path)
{
    QSettings ini(backupsFile(), QSettings::IniFormat);
    ini.beginGroup(backupKey(dataSource));
    ini.setValue(QStringLiteral("source"), dataSource);
    ini.setValue(QStringLiteral("path"), QFileInfo(path).absoluteFilePath());
    ini.setValue(QStringLiteral("made"), QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    ini.endGroup();
    ini.sync();
}

BackupRecord lastBackup(const QString& dataSource)
{
    QSettings ini(backupsFile(), QSettings::IniFormat);
    ini.beginGroup(backupKey(dataSource));
    BackupRecord r{ini.value(QStringLiteral("path")).toString(),
                   QDateTime::fromString(ini.value(QStringLiteral("made")).toString(), Qt::ISODate)};
    if (r.path.isEmpty() || !QFileInfo(r.path).isFile() || !r.made.isValid())
        return {};
    return r;
}

TableCounts writeBackup(data::Database& db, const QString& path, bool force)
{
    if (QFileInfo(path).isDir())
        throw data::Error(QStringLiteral("%1 is a folder; give the name of the backup file.").arg(path));
    if (QFileInfo::exists(path) && !force)
        throw data::Error(QStringLiteral("The file %1 already exists and was left as it is. Give another name, "
                                         "or --force to replace it.")
                              .arg(path));
    // A temporary file beside `path`, renamed over it by commit(); never written in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw data::Error(QStringLiteral("The backup file %1 cannot be written: %2").arg(path, file.errorString()));
    // The backup holds every partner and price: its user's alone, whatever the file it replaces.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw data::Error(QStringLiteral("The backup file %1 cannot be made private: %2").arg(path, file.errorString()));
    TableCounts counts;
    QTextStream out(&file);
    out.setEncoding(QStringConverter::Utf8);
    out << kMagic << '\n';
    data::Query q(nullptr, db.connectionName());
    for (const QString& table : data::schemaTableNames()) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from %1").arg(table));
        q.Open();
        out << "TABLE " << table << ' ' << q.RecordCount() << '\n';
        counts.append({table, q.RecordCount()});
        out << QJsonDocument(QJsonArray::fromStringList(q.fieldNames())).toJson(QJsonDocument::Compact) << '\n';
        for (int r = 0; r < q.RecordCount(); ++r) {
            QJsonArray row;
            for (int c = 0; c < q.fieldCount(); ++c)
                row.append(toJson(q.value(r, c)));
            out << QJsonDocument(row).toJson(QJsonDocument::Compact) << '\n';
        }
    }
    out.flush();
    if (out.status() != QTextStream::Ok || !file.commit())
        throw data::Error(QStringLiteral("The backup file %1 cannot be written (%2); an earlier file of that name "
                                         "is left as it was.")
                              .arg(path, file.errorString()));
    return counts;
}

TableCounts restoreBackup(data::Database& db, const QString& path, bool replace)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw data::Error(QStringLiteral("The backup file %1 cannot be read: %2").arg(path, file.errorString()));
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    if (in.readLine() != QLatin1String(kMagic))
        throw data::Error(QStringLiteral("%1 is not a backup of this program.").arg(path));

    const QStringList known = data::schemaTableNames();
    data::Query q(nullptr, db.connectionName());
    if (!replace) {
        for (const QString& table : known) {
            q.Close();
            q.SQL.Clear();
            q.SQL.Add(QStringLiteral("select count(*) n from %1").arg(table));
            q.Open();
            // info_table holds the program's own About text in a new database.
            if (table != QLatin1String("info_table") && q.FieldByName(QStringLiteral("n")).AsInteger() > 0)
                throw data::Error(QStringLiteral("The table %1 already holds rows; restore into an empty database "
                                                 "or use --replace.")
                                      .arg(table));
        }
    }

    TableCounts counts;
    data::Transaction transaction(db);
    for (const QString& table : known) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("delete from %1").arg(table));
        q.ExecSQL();
    }
    int line = 1;
    auto fail = [&](const QString& why) {
        return data::Error(QStringLiteral("%1, line %2: %3").arg(path).arg(line).arg(why));
    };
    while (!in.atEnd()) {
        const QString header = in.readLine();
        ++line;
        if (header.isEmpty())
            continue;
        const QStringList parts = header.split(QLatin1Char(' '));
        if (parts.size() != 3 || parts.at(0) != QLatin1String("TABLE") || !known.contains(parts.at(1)))
            throw fail(QStringLiteral("a table was expected"));
        const QString table = parts.at(1);
        bool ok = false;
        const int rows = parts.at(2).toInt(&ok);
        if (!ok || rows < 0)
            throw fail(QStringLiteral("a row count was expected"));
        counts.append({table, rows});
        const QJsonArray columns = QJsonDocument::fromJson(in.readLine().toUtf8()).array();
        ++line;
        QStringList names, params;
        QList<int> kept;
        const QStringList target = columnsOf(db, table);
        for (int c = 0; c < columns.size(); ++c) {
            const QString name = columns.at(c).toString();
            if (name.isEmpty() || !name.contains(QRegularExpression(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"))))
                throw fail(QStringLiteral("bad column name"));
            // A row key that the database assigns by itself and an older schema lacks:
            // the restored rows get keys of their own there.
            if (!target.contains(name.toLower()) && data::isAssignedKeyColumn(table, name.toLower()))
                continue;
            names << name;
            params << QStringLiteral(":c%1").arg(c);
            kept << c;
        }
        for (int r = 0; r < rows; ++r) {
            const QJsonDocument doc = QJsonDocument::fromJson(in.readLine().toUtf8());
            ++line;
            const QJsonArray values = doc.array();
            if (!doc.isArray() || values.size() != columns.size())
                throw fail(QStringLiteral("the row does not match the columns of %1").arg(table));
            q.Close();
            q.SQL.Clear();
            q.SQL.Add(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, names.join(QLatin1Char(',')),
                                                                          params.join(QLatin1Char(','))));
            for (const int c : kept)
                bind(q.ParamByName(QStringLiteral("c%1").arg(c)), values.at(c));
            q.ExecSQL();
        }
    }
    transaction.commit();
    return counts;
}

} // namespace tools
