#include "modules/reportfinan/tsreportfinanlista.h"

#include "data/datasource.h"
#include "data/query.h"
#include "frame/formfields.h"
#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/events.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/panel.h"
#include "stores/financereportreads.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

const QColor kPaleGreen(194, 236, 187);
const QColor kGreen(87, 201, 67);

kit::Label* makeLabel(QWidget* owner, const char* name, const QString& caption)
{
    auto* l = new kit::Label(caption, owner);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

kit::MaskEdit* makeDate(QWidget* owner, const char* name)
{
    auto* e = new kit::MaskEdit(owner);
    e->setObjectName(QString::fromLatin1(name));
    e->setEditMask(kit::MaskEdit::dateMask());
    e->setFont(kit::inputFont());
    e->setFixedWidth(110);
    e->setText(kit::today());
    return e;
}

} // namespace

TSReportFinanLista::TSReportFinanLista(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SReportFinanLista"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    Query1 = frame::statementQuery(this, QStringLiteral("Query1"), stores::financereport::perDocument());
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    Query2 = frame::statementQuery(this, QStringLiteral("Query2"), stores::financereport::totals());
    DataSource2 = new data::DataSource(Query2, this);
    DataSource2->setObjectName(QStringLiteral("DataSource2"));

    // Period.
    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto* top = new QGridLayout(Panel1);
    top->setContentsMargins(10, 8, 10, 8);
    top->setHorizontalSpacing(10);
    top->setVerticalSpacing(6);
    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("Spisok na Izlezni Fakturi"));
    QFont title = Label1->font();
    title.setPointSize(14);
    title.setBold(true);
    Label1->setFont(title);
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("Datum na pocetok(God.-Mes.-Den.)"));
    Label3 = makeLabel(Panel1, "Label3", QStringLiteral("Datum na zavrsetok(God.-Mes.-Den.)"));
    MaskEdit1 = makeDate(Panel1, "MaskEdit1");
    MaskEdit2 = makeDate(Panel1, "MaskEdit2");
    Label2->setBuddy(MaskEdit1);
    Label3->setBuddy(MaskEdit2);
    Button1 = new kit::Button(QStringLiteral("Ok"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedWidth(90);
    top->addWidget(Label1, 0, 0, 1, 4);
    top->addWidget(Label2, 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    top->addWidget(MaskEdit1, 1, 1);
    top->addWidget(Label3, 2, 0, Qt::AlignRight | Qt::AlignVCenter);
    top->addWidget(MaskEdit2, 2, 1);
    top->addWidget(Button1, 2, 2);
    top->setColumnStretch(3, 1);
    layout->addWidget(Panel1);

    // One line per dispatch.
    DBGrid1 = new kit::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColor(kPaleGreen);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("datum"), QString(), 74);
    DBGrid1->addColumn(QStringLiteral("document_id_label"), QStringLiteral("Sifra"), 139);
    DBGrid1->addColumn(QStringLiteral("vkiznos"), QStringLiteral("Vk. Iznos"), 126);
    DBGrid1->addColumn(QStringLiteral("rabat"), QStringLiteral("Rabat"), 84);
    DBGrid1->addColumn(QStringLiteral("vkiznos_rabat"), QStringLiteral("Iznos"), 85);
    DBGrid1->addColumn(QStringLiteral("danok"), QStringLiteral("Danok"), 79);
    DBGrid1->addColumn(QStringLiteral("bruto"), QStringLiteral("Bruto"), 139);
    // The width of 74 was chosen for a smaller font: the date must show whole.
    DBGrid1->setColumnFits(QStringLiteral("datum"), QStringLiteral("0000-00-00"));
    layout->addWidget(DBGrid1, 1);

    // Totals of the period.
    Panel2 = new kit::Panel(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setColor(kGreen);
    auto* strip = new QGridLayout(Panel2);
    strip->setContentsMargins(10, 6, 10, 8);
    strip->setHorizontalSpacing(10);
    strip->setVerticalSpacing(2);
    struct Total {
        kit::Label*& label;
        kit::DBEdit*& edit;
        const char* labelName;
        const char* editName;
        const char* caption;
        const char* field;
    };
    const Total totals[] = {
        {Label4, DBEdit1, "Label4", "DBEdit1", "Vkupen Iznos", "vkiznos"},
        {Label5, DBEdit2, "Label5", "DBEdit2", "Rabat", "rabat"},
        {Label6, DBEdit3, "Label6", "DBEdit3", "Iznos", "vkiznos_rabat"},
        {Label7, DBEdit4, "Label7", "DBEdit4", "Danok", "danok"},
        {Label8, DBEdit5, "Label8", "DBEdit5", "Bruto", "bruto"},
    };
    int column = 0;
    for (const Total& t : totals) {
        t.edit = new kit::DBEdit(Panel2);
        t.edit->setObjectName(QString::fromLatin1(t.editName));
        t.edit->setDataSource(DataSource2);
        t.edit->setDataField(QString::fromLatin1(t.field));
        t.edit->setAlignment(Qt::AlignRight);
        t.edit->setFixedWidth(130);
        t.edit->setFocusPolicy(Qt::ClickFocus);
        t.label = makeLabel(Panel2, t.labelName, QString::fromLatin1(t.caption));
        t.label->setBuddy(t.edit);
        strip->addWidget(t.label, 0, column, Qt::AlignLeft | Qt::AlignBottom);
        strip->addWidget(t.edit, 1, column);
        ++column;
    }
    strip->setColumnStretch(column, 1);
    layout->addWidget(Panel2);

    MaskEdit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { MaskEdit1KeyDown(key, shift); };
    MaskEdit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { MaskEdit2KeyDown(key, shift); };
    Button1->OnClick = [this]() { Button1Click(); };

    // The totals are open from the start, with no period bound yet, so they stay empty
    // until the first Ok; the lines open on the first Ok.
    Query2->Open();
    resize(820, 520);
}

void TSReportFinanLista::MaskEdit1KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (kit::isEnter(key))
        MaskEdit2->setFocus(Qt::OtherFocusReason);
}

void TSReportFinanLista::MaskEdit2KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (kit::isEnter(key))
        Button1->setFocus(Qt::OtherFocusReason);
}

void TSReportFinanLista::Button1Click()
{
    for (data::Query* q : {Query1, Query2}) {
        q->Close();
        q->ParamByName(QStringLiteral("date_start")).AsString(MaskEdit1->Text());
        q->ParamByName(QStringLiteral("date_finish")).AsString(MaskEdit2->Text());
        q->Open();
    }
}

frame::PrintReport TSReportFinanLista::printReport() const
{
    return frame::PrintReport::Finance;
}

frame::PrintSource TSReportFinanLista::printSource() const
{
    return {Query1, Query2, nullptr, 0, MaskEdit1->Text(), MaskEdit2->Text()};
}
