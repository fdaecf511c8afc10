#include "modules/pregledartikal/tspregledartikallista.h"

#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "modules/pregledartikal/pregledartikalsql.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QColor kPaleRose(255, 240, 240);
const QColor kSkyBlue(166, 202, 240);
} // namespace

TSPregledArtikalLista::TSPregledArtikalLista(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SPregledArtikalLista"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    PageControl1 = new kit::PageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(PageControl1);
    QWidget* page = PageControl1->addPage(QStringLiteral("Products"));
    auto* body = new QVBoxLayout(page);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    Query1 = new data::Query(this);
    Query1->setObjectName(QStringLiteral("Query1"));
    for (const QString& line : pregledartikal::masterStatement())
        Query1->SQL.Add(line);
    Query1->ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
    DataSource1 = new data::DataSource(Query1, this);
    Query2 = new data::Query(this);
    Query2->setObjectName(QStringLiteral("Query2"));
    for (const QString& line : pregledartikal::detailStatement())
        Query2->SQL.Add(line);
    Query2->setMasterSource(DataSource1);
    DataSource2 = new data::DataSource(Query2, this);

    DBGrid1 = new kit::DBGrid(page);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setTabStop(false);
    DBGrid1->setColor(kPaleRose);
    DBGrid1->setDataSource(DataSource1);
    DBGrid1->addColumn(QStringLiteral("sifra"), QStringLiteral("ID"), 60);
    DBGrid1->addColumn(QStringLiteral("artikal"), QStringLiteral("Product Name"), 320);
    DBGrid1->addColumn(QStringLiteral("edm"), QStringLiteral("Unit"), 98);
    DBGrid1->addColumn(QStringLiteral("vlez"), QStringLiteral("In (+) quantity"), 90);
    DBGrid1->addColumn(QStringLiteral("izlez"), QStringLiteral("Out (-) quantity"), 102);
    DBGrid1->addColumn(QStringLiteral("saldo"), QStringLiteral("Remain quantity"), 111);
    body->addWidget(DBGrid1, 1);

    Panel1 = new kit::Panel(page);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColor(kSkyBlue);
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(8, 6, 8, 6);
    Label1 = new kit::Label(QStringLiteral("Search by Product name"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new kit::Edit(Panel1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setUpperCase(true);
    Edit1->setFont(kit::inputFont());
    Edit1->setMinimumWidth(280);
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Base, kPaleRose);
    Edit1->setPalette(pal);
    Label1->setBuddy(Edit1);
    strip->addWidget(Label1);
    strip->addWidget(Edit1);
    strip->addStretch(1);
    body->addWidget(Panel1);

    DBGrid2 = new kit::DBGrid(page);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setTabStop(false);
    DBGrid2->setColor(kPaleRose);
    DBGrid2->setDataSource(DataSource2);
    DBGrid2->addColumn(QStringLiteral("komintent"), QStringLiteral("Customer -Company"), 299);
    DBGrid2->addColumn(QStringLiteral("vid_na_dokument"), QStringLiteral("Type"), 104);
    DBGrid2->addColumn(QStringLiteral("Br_dokument"), QStringLiteral("Doc. No."), 118);
    DBGrid2->addColumn(QStringLiteral("VLEZ_KOL"), QStringLiteral("In (+) quantity"), 120);
    DBGrid2->addColumn(QStringLiteral("IZLEZ_KOL"), QStringLiteral("Out (-) quantity"), 127);
    DBGrid2->addColumn(QStringLiteral("DATUM_REFERENCA"), QStringLiteral("Date"), 129);
    body->addWidget(DBGrid2, 1);

    Edit1->OnChange = [this]() { Edit1Change(); };
    Edit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit1KeyDown(key, shift); };
    Query1->Open();
    Query2->Open();
}

void TSPregledArtikalLista::Edit1Change()
{
    Query1->Close();
    Query1->ParamByName(QStringLiteral("a")).AsString(Edit1->Text() + QLatin1Char('%'));
    Query1->Open();
}

void TSPregledArtikalLista::Edit1KeyDown(int& key, Qt::KeyboardModifiers)
{
    // Enter moves to the grid; the key goes on as well.
    if (kit::isEnter(key))
        DBGrid1->setFocus(Qt::OtherFocusReason);
}
