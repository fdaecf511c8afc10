#include "modules/proizvod/productform.h"

#include "frame/formfields.h"
#include "data/convert.h"
#include "data/query.h"
#include "dialogs/tsproizvodvnesiartikal.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/groupbox.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/modal.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "kit/stringgrid.h"
#include "frame/linemodel.h"
#include "modules/documents/linegrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <memory>

ProductForm::ProductForm(QWidget* parent) : TFormSrgBase(parent)
{
    trackInput();
    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    GroupBox1 = new kit::GroupBox(QStringLiteral("Osnovni podatoci"), Panel1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    MaskEdit1 = new kit::MaskEdit(GroupBox1);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEditMask(QString()); // a plain code field
    MaskEdit1->setUpperCase(true);
    MaskEdit1->setFont(kit::inputFont());
    Edit2 = frame::inputField(GroupBox1, QStringLiteral("Edit2"));
    Edit3 = frame::inputField(GroupBox1, QStringLiteral("Edit3"));
    Edit4 = frame::inputField(GroupBox1, QStringLiteral("Edit4"));
    Edit5 = frame::inputField(GroupBox1, QStringLiteral("Edit5"));
    Edit6 = frame::inputField(GroupBox1, QStringLiteral("Edit6"));
    MaskEdit1->setFixedWidth(120);
    Edit2->setMinimumWidth(380);
    Edit3->setFixedWidth(90);
    for (kit::Edit* e : {Edit4, Edit5, Edit6})
        e->setFixedWidth(120);

    auto caption = [this](const char* name, const char* text, QWidget* buddy) {
        auto* l = new kit::Label(QString::fromLatin1(text), GroupBox1);
        l->setObjectName(QString::fromLatin1(name));
        l->setBuddy(buddy);
        return l;
    };
    Label1 = caption("Label1", "Sifra", MaskEdit1);
    Label2 = caption("Label2", "Proizvod", Edit2);
    Label3 = caption("Label3", "Edm", Edit3);
    Label4 = caption("Label4", "Cena ", Edit4);
    Label5 = caption("Label5", "Tarifa", Edit5);
    Label6 = caption("Label6", "Rabat", Edit6);

    // Code, name and unit on the left; price, tax rate and discount on the right.
    auto* fields = new QGridLayout(GroupBox1);
    fields->setContentsMargins(12, 8, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    const QList<QPair<kit::Label*, QWidget*>> left{{Label1, MaskEdit1}, {Label2, Edit2}, {Label3, Edit3}};
    const QList<QPair<kit::Label*, QWidget*>> right{{Label4, Edit4}, {Label5, Edit5}, {Label6, Edit6}};
    for (int r = 0; r < 3; ++r) {
        fields->addWidget(left[r].first, r, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(left[r].second, r, 1, Qt::AlignLeft | Qt::AlignVCenter);
        fields->addWidget(right[r].first, r, 3, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(right[r].second, r, 4, Qt::AlignLeft | Qt::AlignVCenter);
    }
    fields->setColumnMinimumWidth(2, 24);
    fields->setColumnStretch(5, 1);

    auto button = [this](const char* name, const QString& text) {
        auto* b = new kit::BitBtn(text, QIcon(), Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(96);
        return b;
    };
    BitBtn1 = button("BitBtn1", QStringLiteral("Add"));
    BitBtn2 = button("BitBtn2", QStringLiteral("Delete"));
    BitBtn3 = button("BitBtn3", QString());

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addSpacing(16);
    buttons->addWidget(BitBtn3);
    buttons->addStretch(1);
    auto* top = new QVBoxLayout(Panel1);
    top->setContentsMargins(8, 6, 8, 6);
    top->setSpacing(6);
    top->addWidget(GroupBox1);
    top->addLayout(buttons);

    StringGrid1 = new kit::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    // The code column is wider than 63 so that its title "Katalog Br." shows whole.
    Lines = new frame::LineModel(this);
    Lines->setObjectName(QStringLiteral("Lines"));
    linegrid::setup(StringGrid1, Lines, {17, 58, 63, 318, 98, 78}, 18);
    StringGrid1->setFont(kit::inputFont());

    Splitter1 = new kit::Splitter(Qt::Vertical, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(Panel1);
    Splitter1->addWidget(StringGrid1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(Splitter1);

    setTabOrder(MaskEdit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, Edit4);
    setTabOrder(Edit4, Edit5);
    setTabOrder(Edit5, Edit6);
    setTabOrder(Edit6, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
    setTabOrder(BitBtn3, StringGrid1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    BitBtn2->OnClick = [this]() { BitBtn2Click(); };
    BitBtn3->OnClick = [this]() { BitBtn3Click(); };
}

void ProductForm::ReceiveArticle(int id)
{
    if (id == -1)
        return;
    std::unique_ptr<TSProizvodVnesiArtikal> dialog(new TSProizvodVnesiArtikal(this));
    dialog->LoadArticle(id);
    if (kit::runModal(dialog.get()) != 1)
        return;
    linegrid::appendLine(Lines, dialog->line());
}

void ProductForm::DeleteLine(int row)
{
    Lines->removeLine(row);
}

void ProductForm::BitBtn2Click()
{
    DeleteLine(StringGrid1->Row());
}

bool ProductForm::CheckFields()
{
    for (kit::Edit* e : {Edit2, Edit3, Edit4, Edit5, Edit6})
        if (e->Text().isEmpty()) {
            e->SetFocus();
            return false;
        }
    if (Lines->lineCount() == 0) {
        BitBtn1->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void ProductForm::prepare(const QString& statement)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(statement);
}

stores::Product ProductForm::productToSave() const
{
    stores::Product product;
    product.name = Edit2->Text();
    product.unit = Edit3->Text();
    product.price = data::toFloat(Edit4->Text());
    product.taxRate = data::toFloat(Edit5->Text());
    product.discount = data::toFloat(Edit6->Text());
    for (const frame::Line& line : Lines->lines())
        product.composition.push_back({line.key, line.quantity});
    return product;
}
