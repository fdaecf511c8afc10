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
#include "frame/savefailure.h"
#include "stores/bounds.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <exception>

namespace {

// A line while the lines are rewritten: the article id and the texts of columns 2 and on.
struct _artikal {
    int id;
    QStringList texts;
};

} // namespace

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
    StringGrid1->setColCount(6);
    StringGrid1->setRowCount(1);
    StringGrid1->setFixedRows(0);
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
        QStringList texts{dialog->Edit1->Text(), dialog->Edit2->Text(), dialog->Edit3->Text(), dialog->Edit4->Text()};
        if (keepsPriceAndTax())
            texts << dialog->Edit5->Text() << dialog->Edit6->Text();
        appendLine(id, texts);
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
        const kit::StringGrid* lines = dialog->StringGrid1;
        for (const int r : dialog->markedRows()) {
            try {
                appendLine(data::toInteger(lines->Cells(5, r)), {lines->Cells(1, r), lines->Cells(2, r),
                                                                 lines->Cells(3, r), lines->Cells(4, r)});
            } catch (const data::ConvertError&) {
                // a ledger row without an article names nothing to send out
            }
        }
    }
    delete dialog;
}

QList<int> DocumentForm::importRowsBeyondStock(const TSImport* dialog, const QList<int>& rows)
{
    const kit::StringGrid* lines = dialog->StringGrid1;
    QMap<int, double> left; // per article: what the rows above have left
    QList<int> refused;
    for (const int r : rows) {
        int article = 0;
        double quantity = 0;
        try {
            article = data::toInteger(lines->Cells(5, r));
            quantity = data::toFloat(lines->Cells(4, r));
        } catch (const data::ConvertError&) {
            continue; // not imported (no article), or a quantity the save refuses
        }
        if (!left.contains(article))
            left.insert(article, availableFor(article));
        if (dispatchstock::exceeds(quantity, left.value(article)))
            refused << r;
        else
            left[article] -= quantity;
    }
    return refused;
}

int DocumentForm::lineArticle(int row) const
{
    return int(data::toFloat(StringGrid1->Cells(1, row)));
}

double DocumentForm::linesTake(int article, int exceptRow) const
{
    double taken = 0;
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        if (r == exceptRow)
            continue;
        try {
            if (lineArticle(r) == article)
                taken += data::toFloat(StringGrid1->Cells(5, r));
        } catch (const data::ConvertError&) {
            // a line the save refuses as it stands
        }
    }
    return taken;
}

double DocumentForm::availableFor(int article, int exceptRow)
{
    return dispatchstock::read(connection(), article, storedDocumentId()).available() - linesTake(article, exceptRow);
}

void DocumentForm::refuseShortStock(int article)
{
    kit::messageBox(this, dispatchstock::noQuantityText(), QStringLiteral("Warning"));
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        try {
            if (lineArticle(r) == article) {
                StringGrid1->setRow(r);
                break;
            }
        } catch (const data::ConvertError&) {
        }
    }
}

void DocumentForm::appendLine(int id, const QStringList& texts)
{
    const int row = StringGrid1->RowCount();
    StringGrid1->setRowCount(row + 1);
    StringGrid1->setFixedRows(1);
    StringGrid1->setCells(1, row, QString::number(id));
    for (int i = 0; i < texts.size(); ++i)
        StringGrid1->setCells(i + 2, row, texts[i]);
}

void DocumentForm::setLineHeaderTexts(const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        StringGrid1->setCells(i + 1, 0, texts[i]);
}

int DocumentForm::lineCount() const
{
    return StringGrid1->RowCount() - 1;
}

int DocumentForm::currentGridRow() const
{
    return StringGrid1->Row();
}

void DocumentForm::ProcDelete(int row)
{
    const int last = lastTextColumn();
    std::vector<_artikal> kept;
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        if (r == row)
            continue;
        _artikal line{data::toInteger(StringGrid1->Cells(1, r)), {}};
        for (int c = 2; c <= last; ++c)
            line.texts << StringGrid1->Cells(c, r);
        kept.push_back(line);
    }
    StringGrid1->setRowCount(StringGrid1->RowCount() - 1);
    for (size_t i = 0; i < kept.size(); ++i) {
        const int r = int(i) + 1;
        StringGrid1->setCells(1, r, QString::number(kept[i].id));
        for (int c = 2; c <= last; ++c)
            StringGrid1->setCells(c, r, kept[i].texts[c - 2]);
    }
}

bool DocumentForm::ProcCheckVnes()
{
    return !MaskEdit2->Text().trimmed().isEmpty() && !Edit2->Text().isEmpty() && PartnerId != 0
        && StringGrid1->RowCount() > 1;
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
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        document.lines.push_back({lineArticle(r), data::toFloat(StringGrid1->Cells(5, r))});
    return document;
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
    try {
        number = store().saveNew(documentToSave());
    } catch (const dispatchstock::NotEnoughStock& e) {
        refuseShortStock(e.article());
        return; // nothing written; the window keeps partner, date and lines
    } catch (const data::RangeError& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return;
    } catch (const stores::InvalidValue& e) {
        // A value outside what a business can have: named, nothing written, input kept.
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
        return;
    } catch (const std::exception& e) {
        kit::messageBox(this, frame::saveFailureText(Kind.entryFailed, e), QStringLiteral("Warning"));
        return; // nothing written; the window keeps partner, date and lines
    }
    MaskEdit2->setText(QString::number(number));
    kit::messageBox(this, Kind.entrySaved, QStringLiteral("Information"));
    Close();
}

QWidget* DocumentForm::controlAfterPick(frame::AfterPick after)
{
    return dateFieldOrAddButton(after, MaskEdit1, BitBtn2);
}
