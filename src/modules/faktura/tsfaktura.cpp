#include "modules/faktura/tsfaktura.h"

#include "frame/formfields.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/guard.h"
#include "kit/bitbtn.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "kit/stringgrid.h"
#include "stores/invoicereads.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

kit::Label* makeLabel(QWidget* owner, const QString& name, const char* caption)
{
    auto* l = new kit::Label(QString::fromLatin1(caption), owner);
    l->setObjectName(name);
    return l;
}

// The value of the last column called `name` in the current row: with "select *" over a
// join, the joined table's key comes after the ledger's own.
QVariant lastColumn(const data::Query& query, const QString& name)
{
    if (!query.Active() || query.IsEmpty())
        return {};
    const QStringList names = query.fieldNames();
    for (int i = int(names.size()) - 1; i >= 0; --i)
        if (names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return query.value(query.RecNo(), i);
    return {};
}

} // namespace

TSFakturaVnes::TSFakturaVnes(QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    setObjectName(QStringLiteral("SFakturaVnes"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* fields = new QGridLayout(Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    Label1 = makeLabel(Panel1, QStringLiteral("Label1"), "Nalog br.");
    Label2 = makeLabel(Panel1, QStringLiteral("Label2"), "Komintent");
    Label3 = makeLabel(Panel1, QStringLiteral("Label3"), "Datum na pocetok");
    Label4 = makeLabel(Panel1, QStringLiteral("Label4"), "Datum na zavrsetok");
    Label5 = makeLabel(Panel1, QStringLiteral("Label5"), "Vraboten");
    Label6 = makeLabel(Panel1, QStringLiteral("Label6"), "Prioritet");
    Edit1 = frame::inputField(Panel1, QStringLiteral("Edit1"));
    Edit2 = frame::inputField(Panel1, QStringLiteral("Edit2"));
    Edit3 = frame::inputField(Panel1, QStringLiteral("Edit3"));
    Edit4 = frame::inputField(Panel1, QStringLiteral("Edit4"));
    Edit5 = frame::inputField(Panel1, QStringLiteral("Edit5"));
    Edit6 = frame::inputField(Panel1, QStringLiteral("Edit6"));
    for (kit::Edit* code : {Edit1, Edit2, Edit4, Edit6})
        code->setFixedWidth(90);
    Edit3->setMinimumWidth(320);
    Edit5->setMinimumWidth(320);
    auto date = [this](const char* name) {
        auto* d = new QDateEdit(QDate::currentDate(), Panel1);
        d->setObjectName(QString::fromLatin1(name));
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        d->setCalendarPopup(true);
        d->setFixedWidth(120);
        return d;
    };
    auto time = [this](const char* name) {
        auto* t = new QTimeEdit(QTime(8, 0), Panel1);
        t->setObjectName(QString::fromLatin1(name));
        t->setDisplayFormat(QStringLiteral("HH:mm"));
        t->setFixedWidth(80);
        return t;
    };
    DateTimePicker1 = date("DateTimePicker1");
    DateTimePicker2 = time("DateTimePicker2");
    DateTimePicker3 = date("DateTimePicker3");
    DateTimePicker4 = time("DateTimePicker4");
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    fields->addWidget(Label1, 0, 0, right);
    fields->addWidget(Edit1, 0, 1);
    fields->addWidget(Label2, 1, 0, right);
    fields->addWidget(Edit2, 1, 1);
    fields->addWidget(Edit3, 1, 2, 1, 2);
    fields->addWidget(Label3, 2, 0, right);
    fields->addWidget(DateTimePicker1, 2, 1);
    fields->addWidget(DateTimePicker2, 2, 2, Qt::AlignLeft);
    fields->addWidget(Label4, 3, 0, right);
    fields->addWidget(DateTimePicker3, 3, 1);
    fields->addWidget(DateTimePicker4, 3, 2, Qt::AlignLeft);
    fields->addWidget(Label5, 4, 0, right);
    fields->addWidget(Edit4, 4, 1);
    fields->addWidget(Edit5, 4, 2, 1, 2);
    fields->addWidget(Label6, 5, 0, right);
    fields->addWidget(Edit6, 5, 1);
    fields->setColumnStretch(4, 1);
    layout->addWidget(Panel1);

    auto* buttons = new QHBoxLayout;
    BitBtn2 = new kit::BitBtn(QStringLiteral("Add"), QIcon(), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new kit::BitBtn(QStringLiteral("Delete"), QIcon(), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    StringGrid1 = new kit::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColCount(6);
    const int widths[] = {15, 67, 93, 240, 64, 64};
    for (int c = 0; c < 6; ++c)
        StringGrid1->setColWidths(c, widths[c]);
    layout->addWidget(StringGrid1, 1);

    auto* bottom = new QHBoxLayout;
    BitBtn1 = new kit::BitBtn(QStringLiteral("Vnesi"), QIcon(), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    layout->addLayout(bottom);

    // Present on the connection, never run.
    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    Query2 = new data::Query(database(), this);
    Query2->setObjectName(QStringLiteral("Query2"));
    resize(760, 520);
}

TSFakturaLista::TSFakturaLista(QWidget* parent) : TSListBase(Captions::Macedonian, parent)
{
    setObjectName(QStringLiteral("SFakturaLista"));

    Query1 = frame::statementQuery(this, QStringLiteral("Query1"), stores::invoices::orders());
    DataSource1 = frame::namedSource(Query1, this, "DataSource1");
    Query2 = frame::statementQuery(this, QStringLiteral("Query2"), stores::invoices::orderProducts());
    Query2->setMasterSource(DataSource1);
    DataSource2 = frame::namedSource(Query2, this, "DataSource2");
    Query3 = frame::statementQuery(this, QStringLiteral("Query3"), stores::invoices::productArticles());
    DataSource3 = frame::namedSource(Query3, this, "DataSource3");
    Query4 = frame::statementQuery(this, QStringLiteral("Query4"), stores::invoices::orderPartner());
    Query4->setMasterSource(DataSource1);
    DataSource4 = frame::namedSource(Query4, this, "DataSource4");

    // :id_1 is the product's key, the second "id" of the product rows; the articles follow
    // the current product row.
    auto followProduct = [this]() {
        Query3->Close();
        const QVariant product = lastColumn(*Query2, QStringLiteral("id"));
        data::Param& p = Query3->ParamByName(QStringLiteral("id_1"));
        if (product.isNull())
            p.Clear();
        else
            p.AsInteger(product.toInt());
        Query3->Open();
    };
    connect(Query2, &data::Query::afterOpen, this, [followProduct] { kit::guarded(followProduct); });
    connect(Query2, &data::Query::afterScroll, this, [followProduct] { kit::guarded(followProduct); });

    DBGrid1 = frame::listGrid(this, "DBGrid1", DataSource1);
    DBGrid1->addColumn(QStringLiteral("Nalog_id"), QString(), 64);
    DBGrid1->addColumn(QStringLiteral("Datum_start"), QString(), 90);
    DBGrid1->addColumn(QStringLiteral("prioritet"), QString(), 160);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    frame::placeDetailBoxes(Panel1,
                            {
                                {&Label2, &DBEdit1, QStringLiteral("Nalog br."), DataSource1, QStringLiteral("Nalog_id"), 120},
                                {&Label3, &DBEdit2, QStringLiteral("Komintent"), DataSource4, QStringLiteral("naziv"), 380},
                                {&Label4, &DBEdit3, QStringLiteral("Datum na pocetok"), DataSource1,
                                 QStringLiteral("Datum_start"), 120},
                                {&Label5, &DBEdit4, QStringLiteral("Vraboten"), DataSource1, QStringLiteral("prioritet"), 380},
                                {&Label6, &DBEdit5, QStringLiteral("Datum na zavrsetok"), DataSource1,
                                 QStringLiteral("Datum_finish"), 120},
                                {&Label7, &DBEdit6, QStringLiteral("Prioritet"), DataSource1,
                                 QStringLiteral("prioritet"), 380},
                            },
                            2);

    DBGrid2 = frame::listGrid(this, "DBGrid2", DataSource2);
    DBGrid2->addColumn(QStringLiteral("sifra"), QString(), 90);
    DBGrid2->addColumn(QStringLiteral("proizvod"), QString(), 300);
    DBGrid2->addColumn(QStringLiteral("edm"), QString(), 40);
    DBGrid2->addColumn(QStringLiteral("vlez_kol"), QString(), 90);
    DBGrid3 = frame::listGrid(this, "DBGrid3", DataSource3);
    DBGrid3->addColumn(QStringLiteral("sifra"), QString(), 90);
    DBGrid3->addColumn(QStringLiteral("artikal"), QString(), 300);
    DBGrid3->addColumn(QStringLiteral("edm"), QString(), 40);
    DBGrid3->addColumn(QStringLiteral("kolicina"), QString(), 90);

    Splitter2 = frame::gridAboveGrid(this, DBGrid2, DBGrid3);
    Splitter1 = frame::listBesideDetails(this, bodyLayout(), DBGrid1, Panel1, Splitter2, {340, 740});

    setFocusProxy(DBGrid1);
    Query1->Open();
    Query2->Open();
    Query3->Open();
    Query4->Open();
}
