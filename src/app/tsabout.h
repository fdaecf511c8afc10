#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace data {
class Query;
}

// The About dialog: the first row of info_table.
class TSAbout : public QDialog {
    Q_OBJECT
public:
    explicit TSAbout(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    data::Query* Query1 = nullptr;
};
