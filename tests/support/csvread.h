#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace testsupport {

// A small RFC 4180 reader: enough to read back what the CSV export writes (a leading byte
// order mark is skipped).
inline QList<QStringList> readCsv(const QByteArray& bytes)
{
    const QString text = QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += c, ++i;
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field, field.clear();
        } else if (c == QLatin1Char('\r')) {
        } else if (c == QLatin1Char('\n')) {
            row << field, field.clear();
            rows << row, row.clear();
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace testsupport
