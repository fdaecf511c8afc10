#include "app/tsabout.h"

#include "data/query.h"
#include "kit/button.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TSAbout::TSAbout(QWidget* parent) : QDialog(parent)
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
    setFixedSize(420, 260);

    Query1 = new data::Query(this);
    Query1->SQL.Add(QStringLiteral("select *"));
    Query1->SQL.Add(QStringLiteral("from info_table"));
    Query1->Open();
    Memo1->setPlainText(Query1->FieldByName(QStringLiteral("info")).AsString());
}
