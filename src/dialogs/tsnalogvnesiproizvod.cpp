#include "dialogs/tsnalogvnesiproizvod.h"

#include "dialogs/linedialog.h"
#include "data/convert.h"
#include "data/errors.h"
#include "data/query.h"
#include "frame/tformsrgbase.h"
#include "kit/button.h"
#include "kit/edit.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/look.h"
#include "kit/messagebox.h"
#include "data/database.h"
#include "stores/articlereads.h"
#include "stores/bounds.h"
#include "stores/dispatchstock.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

namespace {

const QString kFailedQuantity = QStringLiteral("You put failed value for quantity ");
const QString kFailedValue = QStringLiteral("You put failed value ");

} // namespace

TSNalogVnesiProizvod::TSNalogVnesiProizvod(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("SNalogVnesiProizvod"));
    setWindowTitle(QStringLiteral("Selected Product Form"));

    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new kit::Label(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto edit = [this](const QString& name) {
        auto* e = new kit::Edit(this);
        e->setObjectName(name);
        e->setFont(kit::inputFont());
        return e;
    };
    Label1 = label(QStringLiteral("Label1"), QStringLiteral("Product ID"));
    Label2 = label(QStringLiteral("Label2"), QStringLiteral("Product Name"));
    Label3 = label(QStringLiteral("Label3"), QStringLiteral("Unit"));
    Label4 = label(QStringLiteral("Label4"), QStringLiteral("Quantity"));
    Label5 = label(QStringLiteral("Label5"), QStringLiteral("Products remains :"));
    Label6 = label(QStringLiteral("Label6"), QStringLiteral("0"));
    QFont bold = Label6->font();
    bold.setBold(true);
    Label6->setFont(bold);
    Label5->setVisible(false);
    Label6->setVisible(false);

    Edit1 = edit(QStringLiteral("Edit1"));
    Edit2 = edit(QStringLiteral("Edit2"));
    Edit3 = edit(QStringLiteral("Edit3"));
    Edit4 = edit(QStringLiteral("Edit4"));
    Edit5 = edit(QStringLiteral("Edit5"));
    Edit6 = edit(QStringLiteral("Edit6"));
    for (kit::Edit* e : {Edit1, Edit2, Edit3}) {
        e->setEnabled(false);
        kit::showReadOnly(e); // shown, not changed: readable all the same
    }
    Edit5->setVisible(false);
    Edit6->setVisible(false);
    Edit1->setMaximumWidth(140);
    Edit3->setMaximumWidth(90);
    Edit4->setMaximumWidth(140);
    Edit2->setMinimumWidth(320);

    Button1 = new kit::Button(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new kit::Button(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setModalResult(kit::mrCancel);

    QGridLayout* form = linedialog::fieldRows({{Label1, Edit1}, {Label2, Edit2}, {Label3, Edit3}, {Label4, Edit4}});
    auto* balance = new QHBoxLayout;
    balance->setSpacing(6);
    balance->addWidget(Label5);
    balance->addWidget(Label6);
    balance->addStretch(1);
    form->addLayout(balance, 4, 1);
    QLayout* body = linedialog::place(this, form, Edit4, Button1, Button2);
    body->addWidget(Edit5);
    body->addWidget(Edit6);

    Query1 = new data::Query(TFormSrgBase::databaseOf(owner), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    Edit4->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { Edit4KeyDown(key, shift); };
    Edit4->OnExit = [this]() { Edit4Exit(); };
    Button1->OnClick = [this]() { Button1Click(); };
}

void TSNalogVnesiProizvod::LoadProduct(int id)
{
    m_key = id;
    const stores::articlereads::Product product = stores::articlereads::product(linedialog::connectionOf(Query1), id);
    Edit1->setText(product.code);
    Edit2->setText(product.name);
    Edit3->setText(product.unit);
    Edit5->setText(product.price);
    Edit6->setText(product.taxRate);
    m_price = product.priceValue;
    m_taxRate = product.taxRateValue;
}

void TSNalogVnesiProizvod::LoadArticle(int id)
{
    m_key = id;
    const stores::articlereads::Article article = stores::articlereads::article(linedialog::connectionOf(Query1), id);
    Edit1->setText(article.code);
    Edit2->setText(article.name);
    Edit3->setText(article.unit);
}

QString TSNalogVnesiProizvod::NoQuantityText()
{
    return dispatchstock::noQuantityText();
}

bool TSNalogVnesiProizvod::Exceeds(double quantity, double available)
{
    return dispatchstock::exceeds(quantity, available);
}

void TSNalogVnesiProizvod::LoadArticleWithBalance(int id, double takenAlready)
{
    m_key = id;
    const stores::ArticleBalance article = stores::articleBalance(linedialog::connectionOf(Query1), id);
    Edit1->setText(article.code);
    Edit2->setText(article.name);
    Edit3->setText(article.unit);
    m_balance = article.balance - takenAlready;
    // General number format with the system's decimal separator.
    QString shown = kit::formatFloat(QString(), m_balance);
    shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    Label6->setText(shown);
    m_hasBalance = true;
    Label5->setVisible(true);
    Label6->setVisible(true);
}

void TSNalogVnesiProizvod::Edit4KeyDown(int& key, Qt::KeyboardModifiers)
{
    kit::moveOnEnter(key, Button1);
}

void TSNalogVnesiProizvod::Edit4Exit()
{
    // However the field is left, for "Cancel" too; not once the dialog is done.
    if (!isVisible())
        return;
    QuantityAccepted();
}

void TSNalogVnesiProizvod::Button1Click()
{
    if (QuantityAccepted())
        done(kit::mrOk);
}

bool TSNalogVnesiProizvod::QuantityAccepted()
{
    double quantity = 0.0;
    try {
        quantity = data::toFloat(Edit4->Text());
    } catch (const data::ConvertError&) {
        kit::messageBox(nullptr, kFailedQuantity, QStringLiteral("Error"));
        Edit4->clear();
        Edit4->SetFocus();
        return false;
    }
    // A negative quantity is refused in every mode: on a dispatch it would book stock in.
    if (quantity < 0) {
        refuse(kFailedValue, QStringLiteral("Warning"));
        return false;
    }
    // Nothing to book, or beyond any stock (and any sum the ledger can hold).
    try {
        stores::bounds::requireQuantity(quantity, tr("quantity"));
    } catch (const stores::InvalidValue& e) {
        refuse(e.text(), QStringLiteral("Warning"));
        return false;
    }
    if (m_hasBalance && Exceeds(quantity, m_balance)) {
        refuse(NoQuantityText(), QStringLiteral("Warning"));
        return false;
    }
    return true;
}

frame::Line TSNalogVnesiProizvod::line() const
{
    frame::Line l = linedialog::lineOf(m_key, Edit1, Edit2, Edit3, Edit4);
    l.price = m_price;
    l.taxRate = m_taxRate;
    return l;
}

void TSNalogVnesiProizvod::refuse(const QString& text, const QString& title)
{
    kit::messageBox(nullptr, text, title);
    Edit4->SetFocus();
    Edit4->selectAll();
}
