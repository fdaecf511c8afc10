#include "data/backupfile.h"

#include "data/alias.h"
#include "data/convert.h"
#include "data/schema.h"

#include <QHash>
#include <QIODevice>
#include <QJsonDocument>
#include <QJsonValue>
#include <QRegularExpression>
#include <QSet>

#include <cmath>
#include <optional>

namespace data {

namespace {

const QByteArray kMagicV1 = QByteArrayLiteral("DUREDIR-BACKUP 1");
const QByteArray kMagic = QByteArrayLiteral("DUREDIR-BACKUP 2");
const QByteArray kTrailer = QByteArrayLiteral("TRAILER");
const QByteArray kCount = QByteArrayLiteral("COUNT ");
const QByteArray kChecksum = QByteArrayLiteral("SHA-256 ");

// "table.column" -> kind, after the MariaDB schema, the one that tells dates from texts.
const QHash<QString, ColumnKind>& columnKinds()
{
    static const QHash<QString, ColumnKind> kinds = [] {
        QHash<QString, ColumnKind> out;
        static const QRegularExpression create(QStringLiteral("^CREATE TABLE (\\w+) \\($"));
        static const QRegularExpression column(QStringLiteral("^\\s+(\\w+)\\s+([A-Za-z]+)"));
        QString table;
        for (const QString& line : QString::fromUtf8(schemaSourceText(Engine::MariaDb)).split(QLatin1Char('\n'))) {
            if (const auto m = create.match(line); m.hasMatch()) {
                table = m.captured(1).toLower();
                continue;
            }
            if (line.startsWith(QLatin1Char(')'))) {
                table.clear();
                continue;
            }
            const auto m = column.match(line);
            if (table.isEmpty() || !m.hasMatch())
                continue;
            const QString type = m.captured(2).toUpper();
            std::optional<ColumnKind> kind;
            if (type == QLatin1String("INT") || type == QLatin1String("INTEGER") || type == QLatin1String("BIGINT"))
                kind = ColumnKind::Integer;
            else if (type == QLatin1String("DOUBLE") || type == QLatin1String("REAL") || type == QLatin1String("FLOAT"))
                kind = ColumnKind::Real;
            else if (type == QLatin1String("DATE"))
                kind = ColumnKind::Date;
            else if (type == QLatin1String("VARCHAR") || type == QLatin1String("TEXT") || type == QLatin1String("CHAR")
                     || type == QLatin1String("MEDIUMTEXT") || type == QLatin1String("LONGTEXT"))
                kind = ColumnKind::Text;
            if (kind) // KEY, UNIQUE KEY and PRIMARY KEY lines name no type
                out.insert(table + QLatin1Char('.') + m.captured(1).toLower(), *kind);
        }
        return out;
    }();
    return kinds;
}

// A value as the file spells it, shortened for a message.
QString spelled(const QJsonValue& v)
{
    QString text = QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
    text = text.mid(1, text.size() - 2);
    if (text.size() > 60)
        text = text.left(57) + QStringLiteral("...");
    return text;
}

// Whether a text is whole Unicode: no half of a surrogate pair on its own (which JSON's
// \u escapes can spell and no database holds).
bool isWholeText(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

// Numbers as a backup holds them: JSON numbers, or their text as the MariaDB driver gives
// DOUBLE (and may give INT) columns: "4800", "-0.25", "1e-07".
const QRegularExpression kWholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
const QRegularExpression kNumber(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));

std::optional<double> numberIn(const QJsonValue& value, const QRegularExpression& spelling)
{
    if (value.isDouble())
        return value.toDouble();
    if (!value.isString() || !spelling.match(value.toString()).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double d = value.toString().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

bool isIdentifier(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(name).hasMatch();
}

} // namespace

bool columnKind(const QString& table, const QString& column, ColumnKind* kind)
{
    const auto it = columnKinds().constFind(table.toLower() + QLatin1Char('.') + column.toLower());
    if (it == columnKinds().constEnd())
        return false;
    *kind = it.value();
    return true;
}

QString valueMisfit(ColumnKind kind, const QJsonValue& value)
{
    if (value.isNull())
        return {};
    if (value.isString() && !isWholeText(value.toString()))
        return QStringLiteral("is not a valid text (half of a surrogate pair)");
    switch (kind) {
    case ColumnKind::Integer: {
        const std::optional<double> d = numberIn(value, kWholeNumber);
        if (!d || !std::isfinite(*d) || *d != std::floor(*d))
            return QStringLiteral("is not a whole number");
        if (*d < -2147483648.0 || *d > 2147483647.0)
            return QStringLiteral("is outside the whole numbers a column holds (-2147483648 to 2147483647)");
        return {};
    }
    case ColumnKind::Real: {
        const std::optional<double> d = numberIn(value, kNumber);
        if (!d || !std::isfinite(*d))
            return QStringLiteral("is not a finite number");
        return {};
    }
    case ColumnKind::Date:
        if (!value.isString() || !isValidDateText(value.toString()))
            return QStringLiteral("is not a date (YYYY-MM-DD)");
        return {};
    case ColumnKind::Text:
        if (!value.isString() && !value.isDouble())
            return QStringLiteral("is not a text");
        return {};
    }
    return {};
}

BackupWriter::BackupWriter(QIODevice& out) : m_out(out)
{
    line(kMagic);
}

void BackupWriter::line(const QByteArray& text)
{
    const QByteArray bytes = text + '\n';
    m_hash.addData(bytes);
    if (m_ok && m_out.write(bytes) != bytes.size())
        m_ok = false;
}

void BackupWriter::table(const QString& name, const QStringList& columns, int rows)
{
    line("TABLE " + name.toUtf8() + ' ' + QByteArray::number(rows));
    line(QJsonDocument(QJsonArray::fromStringList(columns)).toJson(QJsonDocument::Compact));
    m_counts.append({name, rows});
}

void BackupWriter::row(const QJsonArray& values)
{
    line(QJsonDocument(values).toJson(QJsonDocument::Compact));
}

void BackupWriter::finish()
{
    // The trailer is not part of what its checksum covers.
    QByteArray trailer = kTrailer + '\n';
    for (const auto& [table, rows] : m_counts)
        trailer += kCount + table.toUtf8() + ' ' + QByteArray::number(rows) + '\n';
    trailer += kChecksum + m_hash.result().toHex() + '\n';
    if (m_ok && m_out.write(trailer) != trailer.size())
        m_ok = false;
}

TableCounts readBackup(QIODevice& in, const QString& name, bool acceptUnchecked, const BackupSink& sink)
{
    using Reason = BackupError::Reason;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    int lineNo = 0;
    auto error = [&](Reason reason, const QString& why) {
        return BackupError(reason, QStringLiteral("%1, line %2: %3").arg(name).arg(lineNo).arg(why));
    };
    // The next line without its line break; nullopt at the end of the file. A last line
    // without a line break is a file cut off inside it.
    auto next = [&]() -> std::optional<QByteArray> {
        if (in.atEnd())
            return std::nullopt;
        QByteArray bytes = in.readLine();
        ++lineNo;
        if (!bytes.endsWith('\n'))
            throw error(Reason::CutOff, QStringLiteral("the file is cut off inside this line; it is not a whole backup."));
        return bytes;
    };

    const std::optional<QByteArray> first = [&]() -> std::optional<QByteArray> {
        // The first line: anything but the heading is not a backup, cut off or not.
        if (in.atEnd())
            return std::nullopt;
        const QByteArray bytes = in.readLine(kMagic.size() + 2);
        ++lineNo;
        return bytes;
    }();
    bool current = false;
    if (first == kMagic + '\n')
        current = true;
    else if (first != kMagicV1 + '\n')
        throw BackupError(Reason::NotABackup, QStringLiteral("%1 is not a backup of this program.").arg(name));
    hash.addData(*first);
    if (!current && !acceptUnchecked)
        throw BackupError(Reason::Unchecked,
                          QStringLiteral("%1 is a backup of an older version, without the trailer that shows it is "
                                         "whole: it may have been cut off. If you know it is complete, restore it "
                                         "with --accept-unchecked.")
                              .arg(name));

    const QStringList known = schemaTableNames();
    TableCounts counts;
    QSet<QString> seen;
    QString table;
    QStringList columns;
    QList<std::optional<ColumnKind>> kinds;
    int rowsLeft = 0;
    bool inTable = false; // the columns line is read
    // In a current file the checksum is checked first: a line that is not what the format
    // has there is reported as such only when the checksum holds.
    std::optional<BackupError> pending;
    auto fault = [&](BackupError e) {
        if (!current)
            throw e;
        if (!pending)
            pending = std::move(e);
    };
    auto tableEnded = [&](Reason reason) {
        if (!table.isEmpty() && (!inTable || rowsLeft > 0))
            fault(error(reason, QStringLiteral("the table %1 ends after %2 of its %3 rows%4.")
                                    .arg(table)
                                    .arg(counts.last().second - rowsLeft)
                                    .arg(counts.last().second)
                                    .arg(reason == Reason::CutOff ? QStringLiteral(": the file is cut off") : QString())));
    };

    bool trailer = false;
    QString lastHeading;
    while (const std::optional<QByteArray> bytes = next()) {
        if (*bytes == kTrailer + '\n') {
            trailer = true;
            break;
        }
        hash.addData(*bytes);
        if (bytes->startsWith("TABLE ")) // rows and columns are JSON arrays: never taken for a heading
            lastHeading = QString::fromUtf8(bytes->mid(6)).section(QLatin1Char(' '), 0, 0);
        if (pending)
            continue; // only the checksum is still of use
        const QByteArray text = bytes->chopped(1);
        if (table.isEmpty() || (inTable && rowsLeft == 0)) {
            if (text.isEmpty() && !current)
                continue;
            const QStringList parts = QString::fromUtf8(text).split(QLatin1Char(' '));
            bool ok = false;
            const int rows = parts.size() == 3 ? parts.at(2).toInt(&ok) : -1;
            if (parts.size() != 3 || parts.at(0) != QLatin1String("TABLE") || !ok || rows < 0) {
                fault(error(Reason::Damaged, QStringLiteral("a table heading (TABLE name rows) was expected.")));
                continue;
            }
            if (!known.contains(parts.at(1))) {
                fault(error(Reason::Damaged, QStringLiteral("%1 is not a table of the program.").arg(parts.at(1))));
                continue;
            }
            if (seen.contains(parts.at(1))) {
                fault(error(Reason::Damaged, QStringLiteral("the table %1 appears twice.").arg(parts.at(1))));
                continue;
            }
            table = parts.at(1);
            seen.insert(table);
            counts.append({table, rows});
            rowsLeft = rows;
            inTable = false;
            continue;
        }
        if (!inTable) {
            QJsonParseError parsed{};
            const QJsonDocument doc = QJsonDocument::fromJson(text, &parsed);
            columns.clear();
            kinds.clear();
            bool ok = parsed.error == QJsonParseError::NoError && doc.isArray() && !doc.array().isEmpty();
            for (const QJsonValue c : doc.array()) {
                const QString column = c.toString();
                if (!c.isString() || !isIdentifier(column) || columns.contains(column, Qt::CaseInsensitive))
                    ok = false;
                columns << column;
                ColumnKind kind{};
                kinds << (columnKind(table, column, &kind) ? std::optional<ColumnKind>(kind) : std::nullopt);
            }
            if (!ok) {
                fault(error(Reason::Damaged,
                            QStringLiteral("the columns of %1 were expected (a JSON array of distinct names).").arg(table)));
                continue;
            }
            inTable = true;
            if (sink.table)
                sink.table(table, columns, rowsLeft);
            continue;
        }
        const int row = counts.last().second - rowsLeft + 1;
        QJsonParseError parsed{};
        const QJsonDocument doc = QJsonDocument::fromJson(text, &parsed);
        const QJsonArray values = doc.array();
        if (parsed.error != QJsonParseError::NoError || !doc.isArray() || values.size() != columns.size()) {
            fault(error(Reason::Damaged,
                        QStringLiteral("row %1 of %2 does not match its %3 columns.").arg(row).arg(table).arg(columns.size())));
            continue;
        }
        bool fits = true;
        for (qsizetype c = 0; c < columns.size() && fits; ++c) {
            const QString why = kinds.at(c) ? valueMisfit(*kinds.at(c), values.at(c)) : QString();
            if (why.isEmpty())
                continue;
            fault(error(Reason::BadValue, QStringLiteral("table %1, row %2, column %3: the value %4 %5.")
                                              .arg(table)
                                              .arg(row)
                                              .arg(columns.at(c), spelled(values.at(c)), why)));
            fits = false;
        }
        if (!fits)
            continue;
        --rowsLeft;
        if (sink.row)
            sink.row(values);
    }

    if (!current) {
        if (trailer)
            throw error(Reason::Damaged, QStringLiteral("a backup of the older version has no trailer."));
        tableEnded(Reason::CutOff);
        return counts;
    }
    if (!trailer)
        throw error(Reason::CutOff,
                    QStringLiteral("the file ends without the trailer that closes a whole backup%1: it was cut off.")
                        .arg(lastHeading.isEmpty() ? QString()
                                                   : QStringLiteral(" (the last table begun is %1)").arg(lastHeading)));

    // The trailer: the tables with their rows, then the checksum, then the end of the file.
    const int trailerLine = lineNo;
    TableCounts listed;
    QByteArray checksum;
    while (const std::optional<QByteArray> bytes = next()) {
        const QByteArray text = bytes->chopped(1);
        if (text.startsWith(kCount)) {
            const QList<QByteArray> parts = text.mid(kCount.size()).split(' ');
            bool ok = false;
            const int rows = parts.size() == 2 ? parts.at(1).toInt(&ok) : -1;
            if (!ok || rows < 0)
                throw error(Reason::Damaged, QStringLiteral("the trailer is damaged (COUNT table rows was expected)."));
            listed.append({QString::fromUtf8(parts.at(0)), rows});
        } else if (text.startsWith(kChecksum)) {
            checksum = text.mid(kChecksum.size());
            break;
        } else {
            throw error(Reason::Damaged, QStringLiteral("the trailer is damaged (COUNT or SHA-256 was expected)."));
        }
    }
    if (checksum.isEmpty())
        throw error(Reason::CutOff, QStringLiteral("the file ends inside its trailer: it was cut off."));
    if (!in.atEnd())
        throw error(Reason::Damaged, QStringLiteral("text follows the trailer; the file is damaged."));
    lineNo = trailerLine;
    if (checksum != hash.result().toHex())
        throw error(Reason::Damaged,
                    QStringLiteral("the file is damaged: its content does not match the checksum in its trailer."));
    if (pending)
        throw *pending;
    tableEnded(Reason::Damaged);
    if (pending)
        throw *pending;
    if (listed != counts) {
        QStringList said, held;
        for (const auto& [t, n] : listed)
            said << QStringLiteral("%1 %2").arg(t).arg(n);
        for (const auto& [t, n] : counts)
            held << QStringLiteral("%1 %2").arg(t).arg(n);
        throw error(Reason::Damaged, QStringLiteral("the file is damaged: its trailer counts rows as %1, the file holds %2.")
                                         .arg(said.join(QStringLiteral(", ")), held.join(QStringLiteral(", "))));
    }
    return counts;
}

} // namespace data
