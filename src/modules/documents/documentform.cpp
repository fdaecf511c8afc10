#include "modules/documents/documentform.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "dialogs/tsimport.h"
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
#include "stores/dispatchstock.h"
#include "frame/linemodel.h"
#include "modules/documents/documentsave.h"
#include "stores/bounds.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <exception>

DocumentForm::DocumentForm(const DocumentKind& kind, QWidget* parent) : TFormSrgBase(parent), Kind(kind)
{
    trackInput();
    auto label = [this](const QString& name, const QString& caption) {
        auto* l = new kit::Label(caption, this);
        l->setObjectName(name);
        return l;
    };
    auto button = [this](const QString& name, const QString& caption) {
        auto* b = new kit::BitBtn(caption, QIcon(), this);
        b->setObjectName(name);
        b->setMinimumWidth(96);
        return b;
    };

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label1 = label(QStringLiteral("Label1"), QString());
    Label2 = label(QStringLiteral("Label2"), Kind.partnerCaption);
    Label3 = label(QStringLiteral("Label3"), Kind.dateCaption);

    MaskEdit2 = new kit::MaskEdit(this);
    MaskEdit2->setObjectName(QStringLiteral("MaskEdit2"));
    MaskEdit2->setEditMask(QString());
    MaskEdit2->setUpperCase(true);
    MaskEdit2->setFixedWidth(120);
    Edit2 = new kit::Edit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setUpperCase(true);
    Edit2->setMinimumWidth(340);
    MaskEdit1 = new kit::MaskEdit(this);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setEditMask(kit::MaskEdit::dateMask());
    MaskEdit1->setTypingLimit(10);
    MaskEdit1->setFixedWidth(120);
    for (kit::Edit* e : {static_cast<kit::Edit*>(MaskEdit2), Edit2, static_cast<kit::Edit*>(MaskEdit1)})
        e->setFont(kit::inputFont());
    if (Kind.dispatch()) {
        // The due date: set by the window, never shown to the operator.
        Label4 = label(QStringLiteral("Label4"), QStringLiteral("Valuta (God.-Mes.-Den)"));
        MaskEdit3 = new kit::MaskEdit(this);
        MaskEdit3->setObjectName(QStringLiteral("MaskEdit3"));
        MaskEdit3->setEditMask(kit::MaskEdit::dateMask());
        MaskEdit3->setTypingLimit(10);
        MaskEdit3->setFixedWidth(120);
        MaskEdit3->setFont(kit::inputFont());
        MaskEdit3->setVisible(false);
        Label4->setBuddy(MaskEdit3);
    }
    Label1->setBuddy(MaskEdit2);
    Label2->setBuddy(Edit2);
    Label3->setBuddy(MaskEdit1);

    BitBtn2 = button(QStringLiteral("BitBtn2"), QStringLiteral("Add"));
    BitBtn3 = button(QStringLiteral("BitBtn3"), QStringLiteral("Delete"));
    if (Kind.dispatch())
        BitBtn4 = button(QStringLiteral("BitBtn4"), QStringLiteral("Import"));
    BitBtn1 = button(QStringLiteral("BitBtn1"), QString());

    auto* fields = new QGridLayout(Panel1);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    // The date and the buttons share the last row.
    auto* dateRow = new QHBoxLayout;
    dateRow->setSpacing(8);
    dateRow->addWidget(MaskEdit1);
    dateRow->addSpacing(24);
    dateRow->addWidget(BitBtn2);
    dateRow->addWidget(BitBtn3);
    if (BitBtn4)
        dateRow->addWidget(BitBtn4);
    dateRow->addSpacing(16);
    dateRow->addWidget(BitBtn1);
    dateRow->addStretch(1);
    fields->addWidget(Label1, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    fields->addWidget(MaskEdit2, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    fields->addWidget(Label2, 1, 0, Qt::AlignRight | Qt::AlignVCenter);
    fields->addWidget(Edit2, 1, 1, Qt::AlignLeft | Qt::AlignVCenter);
    fields->addWidget(Label3, 2, 0, Qt::AlignRight | Qt::AlignVCenter);
    fields->addLayout(dateRow, 2, 1);
    if (Label4) {
        fields->addWidget(Label4, 3, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(MaskEdit3, 3, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
    fields->setColumnStretch(1, 1);

    StringGrid1 = new kit::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    Lines = new frame::LineModel(this);
    Lines->setObjectName(QStringLiteral("Lines"));
    StringGrid1->setGridModel(Lines);
    StringGrid1->setDefaultRowHeight(18);
    StringGrid1->setTabStop(false);
    StringGrid1->setRowSelect(true);
    const int widths[] = {15, 67, 93, 240, 64, 64};
    for (int c = 0; c < 6; ++c)
        StringGrid1->setColWidths(c, widths[c]);

    auto* body = new QVBoxLayout(this);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(Panel1);
    body->addWidget(StringGrid1, 1);

    setTabOrder(MaskEdit2, Edit2);
    setTabOrder(Edit2, MaskEdit1);
    if (MaskEdit3) {
        setTabOrder(MaskEdit1, MaskEdit3);
        setTabOrder(MaskEdit3, BitBtn2);
    } else {
        setTabOrder(MaskEdit1, BitBtn2);
    }
    setTabOrder(BitBtn2, BitBtn3);
    if (BitBtn4) {
        setTabOrder(BitBtn3, BitBtn4);
        setTabOrder(BitBtn4, BitBtn1);
    } else {
        setTabOrder(BitBtn3, BitBtn1);
    }

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    Query2 = new data::Query(database(), this);
    Query2->setObjectName(QStringLiteral("Query2"));

    MaskEdit1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, BitBtn2); };
    connect(Edit2, &QLineEdit::textEdited, this, [this] { Edit2TextEdited(); });
    BitBtn3->OnClick = [this]() { BitBtn3Click(); };
    BitBtn1->OnClick = [this]() { BitBtn1Click(); };
}

void DocumentForm::Edit2TextEdited()
{
    // Text typed over the partner's name names no partner.
    PartnerId = 0;
}

void DocumentForm::VnesiKomintentiID(int id)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(Kind.partnerById);
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    const bool found = !Query1->IsEmpty();
    Edit2->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
    Query1->Close();
    PartnerId = found ? id : 0;
}

void DocumentForm::VnesiArtikalID(int id)
{
    auto* dialog = new TSNalogVnesiProizvod(this);
    if (Kind.dispatch())
        dialog->LoadArticleWithBalance(id, linesTake(id) - dispatchstock::read(connection(), id, storedDocumentId()).taken);
    else
        dialog->LoadArticle(id);
    if (kit::runModal(dialog) == kit::mrOk) {
        setLineHeaderTexts(Kind.addedLineHeader);
        Lines->append(dialog->line());
    }
    delete dialog;
}

void DocumentForm::importReceipt(int id)
{
    auto* dialog = new TSImport(this);
    dialog->LoadReceiptLines(id);
    if (Kind.dispatch())
        dialog->RowsRefused = [this, dialog](const QList<int>& rows) { return importRowsBeyondStock(dialog, rows); };
    if (kit::runModal(dialog) == kit::mrOk) {
        setLineHeaderTexts(Kind.addedLineHeader);
        for (const int r : dialog->markedRows()) {
            // a ledger row without an article names nothing to send out
            if (dialog->lineAt(r).key > 0)
                Lines->append(dialog->lineAt(r));
        }
    }
    delete dialog;
}

QList<int> DocumentForm::importRowsBeyondStock(const TSImport* dialog, const QList<int>& rows)
{
    QMap<int, double> left; // per article: what the rows above have left
    QList<int> refused;
    for (const int r : rows) {
        const int article = dialog->lineAt(r).key;
        const double quantity = dialog->lineAt(r).quantity;
        if (article <= 0)
            continue; // not imported: no article
        if (!left.contains(article))
            left.insert(article, availableFor(article));
        if (dispatchstock::exceeds(quantity, left.value(article)))
            refused << r;
        else
            left[article] -= quantity;
    }
    return refused;
}

double DocumentForm::linesTake(int article, int exceptRow) const
{
    return Lines->quantityOf(article, exceptRow);
}

double DocumentForm::availableFor(int article, int exceptRow)
{
    return dispatchstock::read(connection(), article, storedDocumentId()).available() - linesTake(article, exceptRow);
}

void DocumentForm::refuseShortStock(int article)
{
    kit::messageBox(this, dispatchstock::noQuantityText(), QStringLiteral("Warning"));
    if (const int row = Lines->rowOf(article))
        StringGrid1->setRow(row);
}

void DocumentForm::setLineHeaderTexts(const QStringList& texts)
{
    Lines->setHeader(texts);
}

int DocumentForm::lineCount() const
{
    return Lines->lineCount();
}

int DocumentForm::currentGridRow() const
{
    return StringGrid1->Row();
}

void DocumentForm::ProcDelete(int row)
{
    Lines->removeLine(row);
}

bool DocumentForm::ProcCheckVnes()
{
    return !MaskEdit2->Text().trimmed().isEmpty() && !Edit2->Text().isEmpty() && PartnerId != 0 && Lines->lineCount() > 0;
}

bool DocumentForm::checkBeforeSave(const QString& message)
{
    if (!ProcCheckVnes()) {
        kit::messageBox(this, message, QStringLiteral("Warning"));
        return false;
    }
    if (!data::isValidDateText(MaskEdit1->Text())) {
        // Every field is filled: say which one is wrong.
        kit::messageBox(this,
                        message + QStringLiteral("\n\n")
                            + tr("The date %1 is not a real calendar date (YYYY-MM-DD).").arg(MaskEdit1->Text()),
                        QStringLiteral("Warning"));
        MaskEdit1->SetFocus();
        return false;
    }
    return true;
}

stores::DocumentStore DocumentForm::store()
{
    return stores::DocumentStore(connection(), Kind.statements);
}

stores::StockDocument DocumentForm::documentToSave() const
{
    stores::StockDocument document;
    document.partner = PartnerId;
    document.date = MaskEdit1->Text();
    // A due date field without a real date (none stored) saves none.
    if (MaskEdit3 && data::isValidDateText(MaskEdit3->Text()))
        document.dueDate = MaskEdit3->Text();
    for (const frame::Line& line : Lines->lines()) {
        if (line.key <= 0)
            throw stores::InvalidValue(tr("line"), tr("A line names no article (it was stored without one): "
                                                      "delete it, add the article again, then save."));
        document.lines.push_back({line.key, line.quantity});
    }
    return document;
}

bool DocumentForm::saveThroughStore(const QString& failed, const std::function<void()>& save)
{
    return documentsave::run(this, failed, [&] {
        try {
            save();
        } catch (const dispatchstock::NotEnoughStock& e) {
            refuseShortStock(e.article());
            throw documentsave::Told();
        }
    });
}

void DocumentForm::prepareEntry()
{
    Label1->setCaption(Kind.entryNumberCaption);
    Label1->setVisible(false);
    MaskEdit2->setVisible(false);
    MaskEdit2->setReadOnly(true);
    BitBtn1->setText(Kind.saveCaptionEntry);
    MaskEdit1->setText(kit::today());
    if (MaskEdit3)
        MaskEdit3->setText(kit::today());
}

void DocumentForm::saveNew()
{
    if (!checkBeforeSave(Kind.entryIncomplete))
        return;
    int number = 0;
    if (!saveThroughStore(Kind.entryFailed, [&] { number = store().saveNew(documentToSave()); }))
        return; // nothing written; the window keeps partner, date and lines
    MaskEdit2->setText(QString::number(number));
    kit::messageBox(this, Kind.entrySaved, QStringLiteral("Information"));
    Close();
}

QWidget* DocumentForm::controlAfterPick(frame::AfterPick after)
{
    return dateFieldOrAddButton(after, MaskEdit1, BitBtn2);
}
