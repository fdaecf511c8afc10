#include "modules/priemnica/tspriemnicalista.h"

#include "data/database.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "kit/panel.h"
#include "kit/popupmenu.h"
#include "kit/splitter.h"
#include "modules/priemnica/priemnicasql.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include <exception>

TSPriemnicaLista::TSPriemnicaLista(QWidget* parent) : TSListBase(Captions::English, parent)
{
    setObjectName(QStringLiteral("SPriemnicaLista"));

    // "Del" sits after "Update", before the separator and "Close".
    Del1 = PopupMenu2->addItem(QStringLiteral("Del1"), QStringLiteral("Del"));
    QAction* separator = nullptr;
    for (QAction* a : PopupMenu2->actions())
        if (a->isSeparator()) {
            separator = a;
            break;
        }
    PopupMenu2->removeAction(Del1);
    PopupMenu2->insertAction(separator, Del1);

    Query1 = new data::Query(this);
    Query1->setObjectName(QStringLiteral("Query1"));
    for (const QString& line : priemnicasql::listHeaders())
        Query1->SQL.Add(line);
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    Query2 = new data::Query(this);
    Query2->setObjectName(QStringLiteral("Query2"));
    for (const QString& line : priemnicasql::listLines())
        Query2->SQL.Add(line);
    Query2->setMasterSource(DataSource1);
    DataSource2 = new data::DataSource(Query2, this);
    DataSource2->setObjectName(QStringLiteral("DataSource2"));
    Query3 = new data::Query(this);
    Query3->setObjectName(QStringLiteral("Query3"));

    DBGrid1 = new kit::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setBoldFont(true);
    DBGrid1->setTabStop(false);
    DBGrid1->addColumn(QStringLiteral("priemnica_id"), QStringLiteral("Goods_receipt_id"), 130);
    DBGrid1->addColumn(QStringLiteral("datum"), QStringLiteral("Date"), 110);
    DBGrid1->setDataSource(DataSource1);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColor(QColor(255, 128, 128));
    auto* fields = new QGridLayout(Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    struct Shown {
        kit::Label*& label;
        kit::DBEdit*& edit;
        const char* labelName;
        const char* editName;
        QString caption;
        data::DataSource* source;
        QString field;
        int width;
    };
    const Shown shown[] = {
        {Label2, DBEdit1, "Label2", "DBEdit1", QStringLiteral("Goods receipt ID"), DataSource1, QStringLiteral("priemnica_id"), 120},
        {Label3, DBEdit2, "Label3", "DBEdit2", QStringLiteral("Date"), DataSource1, QStringLiteral("datum"), 120},
        {Label4, DBEdit3, "Label4", "DBEdit3", QStringLiteral("Company Partner"), DataSource2, QStringLiteral("naziv"), 360},
        {Label5, DBEdit4, "Label5", "DBEdit4", QStringLiteral("Address"), DataSource2, QStringLiteral("adresa"), 360},
        {Label6, DBEdit5, "Label6", "DBEdit5", QStringLiteral("Zip , City ,State"), DataSource2, QStringLiteral("grad"), 360},
    };
    int row = 0;
    for (const Shown& s : shown) {
        s.label = new kit::Label(s.caption, Panel1);
        s.label->setObjectName(QString::fromLatin1(s.labelName));
        s.edit = new kit::DBEdit(Panel1);
        s.edit->setObjectName(QString::fromLatin1(s.editName));
        s.edit->setDataSource(s.source);
        s.edit->setDataField(s.field);
        s.edit->setFixedWidth(s.width);
        s.edit->setFocusPolicy(Qt::ClickFocus);
        s.label->setBuddy(s.edit);
        fields->addWidget(s.label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(s.edit, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        ++row;
    }
    fields->setColumnStretch(2, 1);

    DBGrid2 = new kit::DBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setTabStop(false);
    DBGrid2->addColumn(QStringLiteral("sifra"), QStringLiteral("ProductID"), 110);
    DBGrid2->addColumn(QStringLiteral("artikal"), QStringLiteral("Product"), 340);
    DBGrid2->addColumn(QStringLiteral("edm"), QStringLiteral("Unit"), 70);
    DBGrid2->addColumn(QStringLiteral("vlez_kol"), QStringLiteral("Quantity"), 100);
    DBGrid2->setDataSource(DataSource2);

    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("Panel2"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(4);
    rightLayout->addWidget(Panel1);
    rightLayout->addWidget(DBGrid2, 1);

    Splitter1 = new kit::Splitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(DBGrid1);
    Splitter1->addWidget(right);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({270, 800});
    bodyLayout()->addWidget(Splitter1, 1);

    setFocusProxy(DBGrid1);
    Query1->Open();
    Query2->Open();
    RefreshList();
}

void TSPriemnicaLista::RefreshList()
{
    Query1->Close();
    Query1->Open();
    Query1->First();
    m_lastReceiptNumber = Query1->IsEmpty() ? 0 : Query1->FieldByName(QStringLiteral("priemnica_id")).AsInteger();
}

void TSPriemnicaLista::BrisiPriemnica()
{
    if (kit::messageBox(this, QStringLiteral("DELETE -GOODS RECEIPT !!!"), QStringLiteral("Warning"),
                        kit::Buttons::OkCancel)
        != kit::mrOk)
        return;
    const int id = SelectedId();
    try {
        data::Database* db = Database ? Database : data::Database::byName(Query3->connectionName());
        if (db) {
            data::Transaction transaction(*db);
            for (const QString& statement : {priemnicasql::deleteHeader, priemnicasql::deleteLines}) {
                Query3->Close();
                Query3->SQL.Clear();
                Query3->SQL.Add(statement);
                Query3->ParamByName(QStringLiteral("aid")).AsInteger(id);
                Query3->ExecSQL();
            }
            transaction.commit();
        }
    } catch (const std::exception&) {
        // rolled back: the receipt stays whole, and the list shows it again
    }
    RefreshList();
    Query2->Close();
    Query2->Open();
}
