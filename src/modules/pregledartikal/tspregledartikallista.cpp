#include "modules/pregledartikal/tspregledartikallista.h"

#include "frame/formfields.h"
#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "stores/articleoverviewreads.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {
const QColor kPaleRose(255, 240, 240);
const QColor kSkyBlue(166, 202, 240);
} // namespace

TSPregledArtikalLista::TSPregledArtikalLista(QWidget* parent) : TFormSrgBase(parent)
{
    setObjectName(QStringLiteral("SPregledArtikalLista"));
    PageControl1 = frame::fillingPageControl(this, QStringLiteral("PageControl1"));
    QWidget* page = PageControl1->addPage(QStringLiteral("Products"));
    auto* body = new QVBoxLayout(page);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    Query1 = frame::statementQuery(this, QStringLiteral("Query1"), stores::articleoverview::masterStatementPaged());
    // Read a page of articles at a time: the grid shows a screenful and reads on as it is
    // scrolled; the detail follows the current row, the printed card reads every row.
    Query1->setPaging(stores::articleoverview::masterPageKey(), stores::articleoverview::pageRows);
    Query1->ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
    DataSource1 = new data::DataSource(Query1, this);
    Query2 = frame::statementQuery(this, QStringLiteral("Query2"), stores::articleoverview::detailStatement());
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
    DBGrid1->setNegativeColor(QStringLiteral("saldo")); // a balance below zero stands out
    body->addWidget(DBGrid1, 1);

    const frame::SearchStrip search = frame::searchStrip(page, QStringLiteral("Search by Product name"), kSkyBlue);
    Panel1 = search.panel;
    Label1 = search.label;
    Edit1 = search.edit;
    frame::setBackground(Edit1, kPaleRose);
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

frame::PrintReport TSPregledArtikalLista::printReport() const
{
    return frame::PrintReport::ArticleCard;
}

frame::PrintSource TSPregledArtikalLista::printSource() const
{
    return {Query1, Query2, nullptr, PageControl1->ActivePageIndex()};
}
