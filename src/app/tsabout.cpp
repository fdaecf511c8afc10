#include "app/tsabout.h"

#include "data/database.h"
#include "data/query.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "kit/button.h"
#include "stores/programinforeads.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TSAbout::TSAbout(data::Database& database, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(Memo1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* close = new kit::Button(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    close->OnClick = [this]() { accept(); };
    Button1 = close;
    row->addWidget(Button1);
    layout->addLayout(row);
    setFixedSize(480, 300);

    Query1 = new data::Query(&database, this);
    for (const QString& line : stores::programinfo::text())
        Query1->SQL.Add(line);
    Query1->Open();
    Memo1->setPlainText(Query1->FieldByName(QStringLiteral("info")).AsString() + QStringLiteral("\n\n")
                        + details(&database));
}

QStringList TSAbout::schemaLines(data::Database& database)
{
    try {
        const int version = data::recordedSchemaVersion(database);
        QStringList lines{version ? QStringLiteral("Schema version: %1").arg(version)
                                  : QStringLiteral("Schema version: not recorded")};
        const QStringList unprotected = data::unprotectedNumbers(database);
        if (!unprotected.isEmpty())
            lines << QStringLiteral("Numbers are not protected: no unique index on %1; two workstations can take "
                                    "the same number.")
                         .arg(unprotected.join(QStringLiteral(", ")));
        return lines;
    } catch (const data::Error&) {
        return {}; // the box still shows the rest
    }
}

QString TSAbout::details(data::Database* database)
{
    QStringList lines{QStringLiteral("Program version: %1").arg(QStringLiteral(DUREDIR_VERSION))};
    if (database) {
        const QString where = database->config().describe();
        const QString alias = data::openedAlias(*database);
        lines << (alias.isEmpty() ? QStringLiteral("Data source: %1").arg(where)
                                  : QStringLiteral("Data source: alias \"%1\", %2").arg(alias, where));
        lines << schemaLines(*database);
    }
    // The library the program runs on, and the one it was built against when they differ.
    QString qt = QStringLiteral("Qt version: %1").arg(QString::fromLatin1(qVersion()));
    if (QLatin1String(qVersion()) != QLatin1String(QT_VERSION_STR))
        qt += QStringLiteral(" (built with %1)").arg(QStringLiteral(QT_VERSION_STR));
    lines << qt;
    return lines.join(QLatin1Char('\n'));
}
