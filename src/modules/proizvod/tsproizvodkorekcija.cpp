#include "modules/proizvod/tsproizvodkorekcija.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/guard.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/groupbox.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "kit/stringgrid.h"
#include "frame/linemodel.h"
#include "modules/documents/linegrid.h"
#include "stores/productreads.h"
#include "modules/documents/documentsave.h"
#include "stores/bounds.h"

#include <QApplication>
#include <QGridLayout>

#include <exception>

TSProizvodKorekcija::TSProizvodKorekcija(QWidget* parent)
    : ProductForm(parent),
      m_code(
          this, MaskEdit1, Edit2, LoadedCode,
          [this](int code) { return stores::ProductStore(connection()).numberExists(code); },
          QStringLiteral("POSTOI PROIZVOD SO ISTA SIFRA"), frame::UniqueNumber::OnExit::WithinTheWindow)
{
    setObjectName(QStringLiteral("SProizvodKorekcija"));
    m_code.setHighest([this] { return stores::ProductStore(connection()).highestNumber(); });
    HelpContext = 6;
    BitBtn3->setText(QStringLiteral("Koregiraj"));

    Label7 = new kit::Label(GroupBox1);
    Label7->setObjectName(QStringLiteral("Label7"));
    QPalette red = Label7->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label7->setPalette(red);
    QFont bold = Label7->font();
    bold.setBold(true);
    Label7->setFont(bold);
    static_cast<QGridLayout*>(GroupBox1->layout())->addWidget(Label7, 3, 0, 1, 6);

    MaskEdit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { MaskEdit1KeyDown(key, shift); };
    MaskEdit1->OnExit = [this]() { MaskEdit1Exit(); };
    // Enter moves on; from the discount to "Add" while the composition may change, else to
    // the save button.
    const QList<kit::Edit*> chain{Edit2, Edit3, Edit4, Edit5, Edit6};
    for (qsizetype i = 0; i < chain.size(); ++i) {
        kit::Edit* next = i + 1 < chain.size() ? chain[i + 1] : nullptr;
        chain[i]->OnKeyDown = [this, next](int& key, Qt::KeyboardModifiers) {
            QWidget* target = next;
            if (!target)
                target = BitBtn1->isEnabled() ? static_cast<QWidget*>(BitBtn1) : static_cast<QWidget*>(BitBtn3);
            kit::moveOnEnter(key, target);
        };
    }
}

void TSProizvodKorekcija::LoadRecord(int id)
{
    ProductId = id;
    prepare(stores::productreads::load());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    MaskEdit1->setText(Query1->FieldByName(QStringLiteral("sifra")).AsString());
    LoadedCode = MaskEdit1->Text();
    Edit2->setText(Query1->FieldByName(QStringLiteral("proizvod")).AsString());
    Edit3->setText(Query1->FieldByName(QStringLiteral("edm")).AsString());
    Edit4->setText(Query1->FieldByName(QStringLiteral("cena")).AsString());
    Edit5->setText(Query1->FieldByName(QStringLiteral("tarifa")).AsString());
    Edit6->setText(Query1->FieldByName(QStringLiteral("rabat")).AsString());

    prepare(stores::productreads::loadComposition());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    Query1->First();
    Lines->setHeader(linegrid::lineHeader());
    // The line's own article key: an article deleted since leaves its name empty (the join
    // finds nothing) and the line as it is stored, so the product still saves and the
    // operator can delete the line.
    Lines->setLines(
        frame::linesOf(*Query1, QStringLiteral("id_artikal"), QStringLiteral("artikal"), QStringLiteral("kolicina")));
    Query1->Close();
    m_version = stores::ProductStore(connection()).load(id);

    const bool unused = CheckProductNotUsed();
    BitBtn1->setEnabled(unused);
    BitBtn2->setEnabled(unused);
    BitBtn3->setEnabled(true);
    Label7->setCaption(unused ? QString() : QStringLiteral("Korekcijata e ograniceno dozvolena!!!"));
}

bool TSProizvodKorekcija::CheckProductNotUsed()
{
    prepare(stores::productreads::usedByOrders());
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(ProductId);
    Query1->Open();
    const bool used = !Query1->IsEmpty();
    Query1->Close();
    if (used)
        kit::messageBox(this, QStringLiteral("Korekcijata e ograniceno dozvolena"), QStringLiteral("Warning"));
    return !used;
}

void TSProizvodKorekcija::BitBtn3Click()
{
    if (!CheckFields())
        return;
    if (!documentsave::run(this, QStringLiteral("Proizvodot ne e koregiran !!!"), [&] {
            stores::Product product = productToSave();
            // The code goes in as a whole number: an empty or broken code refuses the save on
            // every database alike.
            product.code = data::toInteger(MaskEdit1->Text());
            stores::ProductStore(connection()).update(ProductId, m_version, product);
        }))
        return; // the product is as it was; the window keeps its input
    kit::messageBox(this, QStringLiteral("Proizvodot e uspesno Koregiran !!!"), QStringLiteral("Information"));
    Close();
}
