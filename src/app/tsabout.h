#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace data {
class Database;
class Query;
}

// The About dialog: the first row of info_table, then the program's version, the data source
// in use (alias, engine, file or server and database) and the Qt version.
class TSAbout : public QDialog {
    Q_OBJECT
public:
    // Shows what `database` holds and how it is reached.
    explicit TSAbout(data::Database& database, QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    data::Query* Query1 = nullptr;

    // The lines below the info text.
    static QString details(data::Database* database);
    // The schema version the database records, and the numbers no unique index protects.
    static QStringList schemaLines(data::Database& database);
};
