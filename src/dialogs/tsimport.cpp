#include "dialogs/tsimport.h"

#include "data/query.h"
#include "frame/tformsrgbase.h"
#include "dialogs/tsnalogvnesiproizvod.h"
#include "kit/button.h"
#include "kit/events.h"
#include "kit/messagebox.h"
#include "kit/menuitem.h"
#include "kit/popupmenu.h"
#include "kit/stringgrid.h"
#include "stores/receiptreads.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QString kMark = QStringLiteral("*");

} // namespace

TSImport::TSImport(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("SImport"));
    setWindowTitle(QStringLiteral("Import"));

    StringGrid1 = new kit::StringGrid(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(1);
    StringGrid1->setFixedCols(1);
    StringGrid1->setDefaultRowHeight(18);
    const int widths[] = {28, 89, 242, 113, 91};
    int total = 0;
    for (int c = 0; c < 5; ++c) {
        StringGrid1->setColWidths(c, widths[c]);
        total += widths[c];
    }
    StringGrid1->setMinimumSize(total + 24, 320);

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new kit::Button(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(96);
        return b;
    };
    Button3 = button("Button3", QStringLiteral("Import"));
    Button4 = button("Button4", QStringLiteral("Cancel"));
    Button4->setModalResult(kit::mrCancel);
    Button1 = button("Button1", QStringLiteral("Select"));
    Button2 = button("Button2", QStringLiteral("Clear"));

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    buttons->addSpacing(16);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    auto* body = new QHBoxLayout(this);
    body->setContentsMargins(10, 10, 10, 10);
    body->setSpacing(10);
    body->addWidget(StringGrid1, 1);
    body->addLayout(buttons);

    setTabOrder(StringGrid1, Button3);
    setTabOrder(Button3, Button4);
    setTabOrder(Button4, Button1);
    setTabOrder(Button1, Button2);

    PopupMenu1 = new kit::PopupMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Esc1 = PopupMenu1->addItem(QStringLiteral("Esc1"), QStringLiteral("Close"), QKeySequence(Qt::Key_Escape),
                               [this]() { reject(); });
    PopupMenu1->attachTo(this);

    Query1 = new data::Query(TFormSrgBase::databaseOf(owner), this);
    Query1->setObjectName(QStringLiteral("Query1"));

    StringGrid1->OnSelectCell = [this](int col, int row, bool& canSelect) { StringGrid1SelectCell(col, row, canSelect); };
    StringGrid1->OnDrawCell = [this](int col, int row, const QRect& rect, kit::GridDrawState, QPainter* painter) {
        if (col != 0 || row < 1)
            return;
        const bool marked = StringGrid1->Cells(0, row) == kMark;
        painter->fillRect(rect, marked ? QColor(0, 128, 0) : palette().color(QPalette::Button));
    };
    StringGrid1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, Button3); };
    Button3->OnClick = [this]() { Button3Click(); };
    Button1->OnClick = [this]() { Button1Click(); };
    Button2->OnClick = [this]() { Button2Click(); };
}

void TSImport::LoadReceiptLines(int id)
{
    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(stores::receiptreads::importLines());
    Query1->ParamByName(QStringLiteral("id")).AsInteger(id);
    Query1->Open();
    Query1->First();
    const QStringList header{QStringLiteral("Product No."), QStringLiteral("Product"), QStringLiteral("Unit"),
                             QStringLiteral("Quantity")};
    for (int c = 0; c < header.size(); ++c)
        StringGrid1->setCells(c + 1, 0, header[c]);
    const int count = Query1->RecordCount();
    m_lines.clear();
    for (int i = 1; i <= count; ++i) {
        const data::Field& article = Query1->FieldByName(QStringLiteral("id_artikal"));
        const data::Field& quantity = Query1->FieldByName(QStringLiteral("vlez_kol"));
        frame::Line line;
        line.key = article.IsNull() ? 0 : article.AsInteger();
        line.code = Query1->FieldByName(QStringLiteral("sifra")).AsString();
        line.name = Query1->FieldByName(QStringLiteral("artikal")).AsString();
        line.unit = Query1->FieldByName(QStringLiteral("edm")).AsString();
        line.quantity = quantity.AsFloat();
        line.quantityText = quantity.AsString();
        m_lines.push_back(line);
        StringGrid1->setCells(1, i, line.code);
        StringGrid1->setCells(2, i, line.name);
        StringGrid1->setCells(3, i, line.unit);
        StringGrid1->setCells(4, i, line.quantityText);
        StringGrid1->setCells(5, i, article.AsString());
        Query1->Next();
    }
    StringGrid1->setRowCount(count + 1);
    if (count > 0)
        StringGrid1->setFixedRows(1);
    Query1->Close();
    setMarks(true);
}

void TSImport::Button3Click()
{
    const QList<int> refused = RowsRefused ? RowsRefused(markedRows()) : QList<int>();
    if (refused.isEmpty()) {
        done(kit::mrOk);
        return;
    }
    for (const int r : refused)
        StringGrid1->setCells(0, r, QString());
    StringGrid1->Invalidate();
    // The quantity dialog's refusal: the same words for a line above the stock.
    kit::messageBox(this, TSNalogVnesiProizvod::NoQuantityText(), QStringLiteral("Warning"));
    Button3->SetFocus();
}

void TSImport::StringGrid1SelectCell(int, int row, bool&)
{
    if (row < 1)
        return;
    StringGrid1->setCells(0, row, StringGrid1->Cells(0, row) == kMark ? QString() : kMark);
    StringGrid1->Invalidate();
}

void TSImport::setMarks(bool marked)
{
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        StringGrid1->setCells(0, r, marked ? kMark : QString());
    StringGrid1->Invalidate();
}

QList<int> TSImport::markedRows() const
{
    QList<int> rows;
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        if (StringGrid1->Cells(0, r) == kMark)
            rows << r;
    return rows;
}
