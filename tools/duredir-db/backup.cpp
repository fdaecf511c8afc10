#include "backup.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/filetrust.h"
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

#include <sys/stat.h>

namespace tools {

namespace {

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
    const QString dir =
        !state.isEmpty() && QDir::isAbsolutePath(state) ? state : QDir::homePath() + QStringLiteral("/.local/state");
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
    // Private, as the backups it lists (a record that cannot be written only costs a --no-backup).
    data::preparePrivateFile(backupsFile());
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

namespace {

// Why a backup must not be written at `path` (empty: it may, given --force for a file that
// exists): the data source's own files and whatever is not a regular file, link or not.
QString forbiddenTarget(data::Database& db, const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat target {};
    struct stat link {};
    const bool exists = ::stat(native.constData(), &target) == 0;
    if (!exists && ::lstat(native.constData(), &link) == 0)
        return QStringLiteral("%1 is a symbolic link that leads nowhere; give the name of the backup file itself.").arg(path);
    if (exists && S_ISDIR(target.st_mode))
        return QStringLiteral("%1 is a folder; give the name of the backup file.").arg(path);
    if (exists && !S_ISREG(target.st_mode)) {
        const QString kind = S_ISFIFO(target.st_mode)                             ? QStringLiteral("a FIFO")
                             : S_ISCHR(target.st_mode) || S_ISBLK(target.st_mode) ? QStringLiteral("a device")
                             : S_ISSOCK(target.st_mode)                           ? QStringLiteral("a socket")
                                                                                  : QStringLiteral("not a file");
        return QStringLiteral("%1 is %2, not a regular file; a backup is written only to a regular file "
                              "(--force does not change that).")
            .arg(path, kind);
    }
    if (db.config().engine != data::Engine::Sqlite || db.config().path.isEmpty())
        return {};
    // The database file and the journals beside it, by identity (links, other spellings)
    // and, for those that do not exist now, by the name they would have.
    const QFileInfo dbFile(db.config().path);
    const QString dbFolder = QFileInfo(dbFile.absolutePath()).canonicalFilePath();
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString own = dbFile.fileName() + QLatin1String(suffix);
        struct stat st {};
        const bool same =
            exists && ::stat(QFile::encodeName(dbFile.absolutePath() + QLatin1Char('/') + own).constData(), &st) == 0
            && st.st_dev == target.st_dev && st.st_ino == target.st_ino;
        const bool sameName = !exists && !folder.isEmpty() && folder == dbFolder && QFileInfo(path).fileName() == own;
        if (same || sameName)
            return QStringLiteral("%1 is %2 of this data source (%3); a backup never replaces it "
                                  "(--force does not change that). Give another name.")
                .arg(path,
                     *suffix ? QStringLiteral("a journal of the database file") : QStringLiteral("the database file"),
                     dbFile.absoluteFilePath());
    }
    return {};
}

// Inserts the rows of a backup into the connection's tables.
class Inserter {
public:
    explicit Inserter(data::Database& db) : m_db(db), m_q(&db) {}

    void table(const QString& table, const QStringList& columns)
    {
        QStringList names, params;
        m_kept.clear();
        const QStringList target = columnsOf(m_db, table);
        for (qsizetype c = 0; c < columns.size(); ++c) {
            const QString& name = columns.at(c);
            // A row key that the database assigns by itself and an older schema lacks:
            // the restored rows get keys of their own there.
            if (!target.contains(name.toLower()) && data::isAssignedKeyColumn(table, name.toLower()))
                continue;
            names << name;
            params << QStringLiteral(":c%1").arg(c);
            m_kept << c;
        }
        m_statement = QStringLiteral("insert into %1 (%2) values (%3)")
                          .arg(table, names.join(QLatin1Char(',')), params.join(QLatin1Char(',')));
    }

    void row(const QJsonArray& values)
    {
        m_q.Close();
        m_q.SQL.Clear();
        m_q.SQL.Add(m_statement);
        for (const qsizetype c : m_kept)
            bind(m_q.ParamByName(QStringLiteral("c%1").arg(c)), values.at(c));
        m_q.ExecSQL();
    }

private:
    data::Database& m_db;
    data::Query m_q;
    QString m_statement;
    QList<qsizetype> m_kept;
};

} // namespace

TableCounts writeBackup(data::Database& db, const QString& path, bool force)
{
    if (const QString why = forbiddenTarget(db, path); !why.isEmpty())
        throw data::Error(why + QStringLiteral(" Nothing was written."));
    if (QFileInfo::exists(path) && !force)
        throw data::Error(QStringLiteral("The file %1 already exists and was left as it is. Give another name, "
                                         "or --force to replace it.")
                              .arg(path));
    // A temporary file beside `path`, renamed over it by commit(); never written in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw data::Error(QStringLiteral("The backup file %1 cannot be written: %2").arg(path, file.errorString()));
    // The backup holds every partner and price: its user's alone, whatever the file it replaces.
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw data::Error(QStringLiteral("The backup file %1 cannot be made private: %2").arg(path, file.errorString()));
    data::BackupWriter out(file);
    data::Query q(&db);
    for (const QString& table : data::schemaTableNames()) {
        q.Close();
        q.SQL.Clear();
        q.SQL.Add(QStringLiteral("select * from %1").arg(table));
        q.Open();
        out.table(table, q.fieldNames(), q.RecordCount());
        for (int r = 0; r < q.RecordCount() && out.ok(); ++r) {
            QJsonArray row;
            for (int c = 0; c < q.fieldCount(); ++c)
                row.append(toJson(q.value(r, c)));
            out.row(row);
        }
    }
    out.finish();
    if (!out.ok() || !file.commit())
        throw data::Error(QStringLiteral("The backup file %1 cannot be written (%2); an earlier file of that name "
                                         "is left as it was.")
                              .arg(path, file.errorString()));
    return out.counts();
}

TableCounts restoreBackup(data::Database& db, const QString& path, bool replace, bool acceptUnchecked)
{
    try {
        // Read twice, to check and to restore: a regular file only (not a pipe).
        if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
            throw data::Error(QStringLiteral("%1 is not a regular file; give the backup file itself.").arg(path));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw data::Error(QStringLiteral("The backup file %1 cannot be read: %2").arg(path, file.errorString()));
        // The whole file is checked before any table is touched.
        data::readBackup(file, path, acceptUnchecked);

        const QStringList known = data::schemaTableNames();
        data::Query q(&db);
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

        data::Transaction transaction(db);
        for (const QString& table : known) {
            q.Close();
            q.SQL.Clear();
            q.SQL.Add(QStringLiteral("delete from %1").arg(table));
            q.ExecSQL();
        }
        // Read again as it is written: a file changed in between is refused the same way.
        if (!file.seek(0))
            throw data::Error(QStringLiteral("The backup file %1 cannot be read: %2").arg(path, file.errorString()));
        Inserter insert(db);
        TableCounts counts = data::readBackup(file, path, acceptUnchecked,
                                              {[&](const QString& table, const QStringList& columns, int) {
                                                   insert.table(table, columns);
                                               },
                                               [&](const QJsonArray& values) { insert.row(values); }});
        transaction.commit();
        return counts;
    } catch (const data::Error& e) {
        throw data::Error(e.text() + QStringLiteral(" Nothing was changed."));
    }
}

} // namespace tools
