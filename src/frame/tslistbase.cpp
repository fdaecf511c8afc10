#include "frame/tslistbase.h"

#include "data/datasource.h"
#include "data/query.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/popupmenu.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TSListBase::TSListBase(Captions captions, QWidget* parent) : TFormSrgBase(parent)
{
    const bool english = captions == Captions::English;
    PopupMenu2 = new kit::PopupMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    Nov1 = PopupMenu2->addItem(QStringLiteral("Nov1"), english ? QStringLiteral("New") : QStringLiteral("Nov"),
                               QKeySequence(Qt::Key_F2));
    Korekcija1 = PopupMenu2->addItem(QStringLiteral("Korekcija1"),
                                     english ? QStringLiteral("Update") : QStringLiteral("Korekcija"),
                                     QKeySequence(Qt::Key_F3));
    PopupMenu2->addSeparator();
    Close2 = PopupMenu2->addItem(QStringLiteral("Close2"), QStringLiteral("Close"), QKeySequence(Qt::Key_Escape),
                                 [this]() { Close2Click(); });
    PopupMenu2->attachTo(this); // replaces the base class's menu

    m_body = new QVBoxLayout(this);
    m_body->setContentsMargins(4, 4, 4, 4);
    m_body->setSpacing(4);
}

void TSListBase::buildSearchList(const QStringList& statement, const QString& searchCaption)
{
    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    for (const QString& line : statement)
        Query1->SQL.Add(line);
    Query1->ParamByName(QStringLiteral("a")).AsString(QStringLiteral("%"));
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));

    DBGrid1 = new kit::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setBoldFont(true);
    DBGrid1->setTabStop(false);
    DBGrid1->setDataSource(DataSource1);
    m_body->addWidget(DBGrid1, 1);

    auto* strip = new QHBoxLayout;
    Label1 = new kit::Label(searchCaption, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new kit::Edit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setUpperCase(true);
    Edit1->setFont(kit::inputFont());
    Edit1->setMinimumWidth(260);
    Label1->setBuddy(Edit1);
    strip->addWidget(Label1);
    strip->addWidget(Edit1);
    strip->addStretch(1);
    m_body->addLayout(strip);

    Edit1->OnChange = [this]() { Edit1Change(); };
    Edit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit1KeyDown(key, shift); };
    setFocusProxy(Edit1);
    Query1->Open();
}

int TSListBase::SelectedId()
{
    if (!Query1 || !Query1->Active() || Query1->IsEmpty())
        return -1;
    return Query1->FieldByName(QStringLiteral("id")).AsInteger();
}

std::optional<int> TSListBase::pickedKey(frame::PickKey kind)
{
    if (kind != frame::PickKey::Selected)
        return std::nullopt;
    return SelectedId();
}

void TSListBase::RefreshList()
{
    if (!Query1)
        return;
    // The operator keeps the record he was on, found again by its key: another workstation
    // may have added or removed rows above it. A record that is gone leaves the first row.
    const int row = Query1->RecNo();
    const int key = SelectedId();
    Query1->Close();
    Query1->Open();
    if (key < 0 || !Query1->hasField(QStringLiteral("id")))
        return;
    const int column = Query1->fieldIndex(QStringLiteral("id"));
    for (int r = 0;; ++r) {
        // A paged list reads on only as far as the record's old place, and a page beyond it.
        if (r >= Query1->RecordCount()) {
            if (!Query1->CanFetchMore() || r > row + 1000)
                return;
            Query1->FetchMore();
            if (r >= Query1->RecordCount())
                return;
        }
        if (Query1->value(r, column).toLongLong() == key) {
            if (r > 0)
                Query1->setRecNo(r);
            return;
        }
    }
}

void TSListBase::Edit1Change()
{
    if (!Query1)
        return;
    Query1->Close();
    Query1->ParamByName(QStringLiteral("a")).AsString(Edit1->Text() + QLatin1Char('%'));
    Query1->Open();
}

void TSListBase::Edit1KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (kit::isEnter(key)) {
        key = 0;
        if (DBGrid1)
            DBGrid1->setFocus(Qt::OtherFocusReason);
    }
}

void TSListBase::FormActivate()
{
    if (activatedJustAfterBuilding())
        return; // the rows just read
    if (refreshOnActivate())
        RefreshList();
}
