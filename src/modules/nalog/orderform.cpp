#include "modules/nalog/orderform.h"

#include "frame/formfields.h"
#include "data/convert.h"
#include "data/query.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "kit/modal.h"
#include "kit/panel.h"
#include "kit/stringgrid.h"
#include "frame/linemodel.h"
#include "stores/bounds.h"
#include "stores/workorderreads.h"
#include "modules/documents/linegrid.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <memory>

OrderForm::OrderForm(QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    Edit1 = frame::inputField(Panel1, QStringLiteral("Edit1"));
    Edit2 = frame::inputField(Panel1, QStringLiteral("Edit2"));
    Edit3 = frame::inputField(Panel1, QStringLiteral("Edit3"));
    auto dateField = [this](const char* name) {
        auto* m = new kit::MaskEdit(Panel1);
        m->setObjectName(QString::fromLatin1(name));
        m->setEditMask(kit::MaskEdit::dateMask());
        m->setTypingLimit(10);
        m->setFont(kit::inputFont());
        m->setFixedWidth(120);
        m->setText(kit::today());
        return m;
    };
    MaskEdit1 = dateField("MaskEdit1");
    MaskEdit2 = dateField("MaskEdit2");
    Edit1->setFixedWidth(120);
    Edit2->setMinimumWidth(380);
    Edit3->setMinimumWidth(380);

    auto caption = [this](const char* name, const char* text, QWidget* buddy) {
        auto* l = new kit::Label(QString::fromLatin1(text), Panel1);
        l->setObjectName(QString::fromLatin1(name));
        l->setBuddy(buddy);
        return l;
    };
    Label1 = caption("Label1", "Nalog br.", Edit1);
    Label2 = caption("Label2", "Komintent", Edit2);
    Label3 = caption("Label3", "Datum na pocetok(God.-Mes.-Den.)", MaskEdit1);
    Label4 = caption("Label4", "Datum na zavrsetok(God.-Mes.-Den.)", MaskEdit2);
    Label5 = caption("Label5", "Vraboten", Edit3);

    auto button = [this](const char* name, const QString& text) {
        auto* b = new kit::BitBtn(text, QIcon(), Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(96);
        return b;
    };
    BitBtn2 = button("BitBtn2", QStringLiteral("Add"));
    BitBtn3 = button("BitBtn3", QStringLiteral("Delete"));
    BitBtn1 = button("BitBtn1", QString());

    auto* fields = new QGridLayout(Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    const QList<QPair<kit::Label*, QWidget*>> rows{{Label1, Edit1},
                                                   {Label2, Edit2},
                                                   {Label3, MaskEdit1},
                                                   {Label4, MaskEdit2},
                                                   {Label5, Edit3}};
    for (int r = 0; r < rows.size(); ++r) {
        fields->addWidget(rows[r].first, r, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(rows[r].second, r, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    buttons->addSpacing(16);
    buttons->addWidget(BitBtn1);
    buttons->addStretch(1);
    fields->addLayout(buttons, int(rows.size()), 1);
    fields->setColumnStretch(2, 1);

    StringGrid1 = new kit::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    Lines = new frame::LineModel(this);
    Lines->setObjectName(QStringLiteral("Lines"));
    linegrid::setup(StringGrid1, Lines, {15, 67, 93, 240, 64, 64}, 18);
    StringGrid1->setFont(kit::inputFont());

    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(Panel1);
    body->addWidget(StringGrid1, 1);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, MaskEdit1);
    setTabOrder(MaskEdit1, MaskEdit2);
    setTabOrder(MaskEdit2, Edit3);
    setTabOrder(Edit3, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, BitBtn1);
    setTabOrder(BitBtn1, StringGrid1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    Query2 = new data::Query(database(), this);
    Query2->setObjectName(QStringLiteral("Query2"));

    MaskEdit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, MaskEdit2); };
    MaskEdit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, Edit3); };
    // A name typed over a picked one names nobody: the pick must be made again.
    connect(Edit2, &QLineEdit::textEdited, this, [this] { PartnerId = 0; });
    connect(Edit3, &QLineEdit::textEdited, this, [this] { employeeTyped(); });
    BitBtn3->OnClick = [this]() { BitBtn3Click(); };
    BitBtn1->OnClick = [this]() { BitBtn1Click(); };
}

void OrderForm::prepare(data::Query* query, const QString& statement)
{
    query->Close();
    query->SQL.Clear();
    query->SQL.Add(statement);
}

void OrderForm::ReceivePartner(int id)
{
    prepare(Query1, stores::workorderreads::partnerById());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    const bool found = !Query1->IsEmpty();
    Edit2->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
    Query1->Close();
    PartnerId = found ? id : 0;
}

void OrderForm::ReceiveProduct(int id)
{
    if (id == -1)
        return;
    std::unique_ptr<TSNalogVnesiProizvod> dialog(new TSNalogVnesiProizvod(this));
    dialog->LoadProduct(id);
    if (kit::runModal(dialog.get()) != kit::mrOk)
        return;
    linegrid::appendLine(Lines, dialog->line());
}

void OrderForm::DeleteLine(int row)
{
    Lines->removeLine(row);
}

void OrderForm::BitBtn3Click()
{
    DeleteLine(StringGrid1->Row());
}

bool OrderForm::CheckFields()
{
    return !Edit1->Text().isEmpty() && !Edit2->Text().isEmpty() && !Edit3->Text().isEmpty() && Lines->lineCount() > 0;
}

bool OrderForm::checkBeforeSave()
{
    QWidget* gap = nullptr;
    if (Edit1->Text().trimmed().isEmpty())
        gap = Edit1;
    else if (Edit2->Text().isEmpty() || PartnerId == 0)
        gap = Edit2;
    else if (!data::isValidDateText(MaskEdit1->Text()))
        gap = MaskEdit1;
    else if (!data::isValidDateText(MaskEdit2->Text())
             || QDate::fromString(MaskEdit2->Text(), Qt::ISODate) < QDate::fromString(MaskEdit1->Text(), Qt::ISODate))
        gap = MaskEdit2;
    else if (Edit3->Text().isEmpty() || !hasEmployee())
        gap = Edit3;
    else if (!CheckFields())
        gap = BitBtn2;
    if (!gap)
        return true;
    kit::messageBox(nullptr, QStringLiteral("Popolni gi site polinja za vnes!!!"), QStringLiteral("Warning"));
    if (!gap->isVisible())
        gap = BitBtn1;
    gap->setFocus(Qt::OtherFocusReason);
    return false;
}

stores::WorkOrder OrderForm::orderToSave(int employee, const QString& employeeName) const
{
    stores::WorkOrder order;
    order.partner = PartnerId;
    order.start = MaskEdit1->Text();
    order.finish = MaskEdit2->Text();
    order.employee = employee;
    order.employeeName = employeeName;
    for (const frame::Line& line : Lines->lines()) {
        if (line.key <= 0)
            throw stores::InvalidValue(tr("line"), tr("A line names no product (it was stored without one): "
                                                      "delete it, add the product again, then save."));
        order.lines.push_back({line.key, line.quantity});
    }
    return order;
}

QWidget* OrderForm::controlAfterPick(frame::AfterPick after)
{
    return dateFieldOrAddButton(after, MaskEdit1, BitBtn2);
}
