#include "modules/documents/documenteditform.h"

#include "data/convert.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/guard.h"
#include "kit/bitbtn.h"
#include "kit/edit.h"
#include "kit/format.h"
#include "kit/label.h"
#include "kit/maskedit.h"
#include "kit/messagebox.h"
#include "kit/stringgrid.h"
#include "stores/dispatchstock.h"
#include "frame/linemodel.h"
#include "stores/bounds.h"

#include <QApplication>

#include <exception>

namespace {

QString dateText(const data::Field& field)
{
    const QDateTime value = field.AsDateTime();
    return value.isValid() ? kit::formatDate(value.date(), QStringLiteral("yyyy-mm-dd")) : QString();
}

} // namespace

DocumentEditForm::DocumentEditForm(const DocumentKind& kind, QWidget* parent)
    : DocumentForm(kind, parent),
      m_number(
          this, MaskEdit2, Edit2, LoadedNumber, [this](int number) { return store().numberExists(number); },
          kind.duplicateNumber, frame::UniqueNumber::OnExit::AnyWay)
{
    m_number.setHighest([this] { return store().highestNumber(); });
    Label1->setCaption(Kind.editNumberCaption);
    BitBtn1->setText(Kind.saveCaptionEdit);
    if (Label4)
        Label4->setVisible(false);
    MaskEdit2->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { MaskEdit2KeyDown(key, shift); };
    MaskEdit2->OnExit = [this]() { MaskEdit2Exit(); };
}

void DocumentEditForm::PocetniVrednosti(int id)
{
    DocumentId = id;

    Query1->Close();
    Query1->SQL.Clear();
    for (const QString& line : Kind.editHeader)
        Query1->SQL.Add(line);
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(DocumentId);
    Query1->Open();
    if (Query1->IsEmpty()) {
        // A document without lines: its number and dates still come from the header.
        Query1->Close();
        Query1->SQL.Clear();
        Query1->SQL.Add(Kind.headerOnly);
        Query1->ParamByName(QStringLiteral("aid")).AsInteger(DocumentId);
        Query1->Open();
    }
    MaskEdit2->setText(Query1->FieldByName(Kind.statements.numberField).AsString());
    LoadedNumber = MaskEdit2->Text();
    if (Query1->hasField(QStringLiteral("naziv")))
        Edit2->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
    MaskEdit1->setText(dateText(Query1->FieldByName(QStringLiteral("datum"))));
    if (MaskEdit3)
        MaskEdit3->setText(dateText(Query1->FieldByName(QStringLiteral("datum_valuta"))));

    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(Kind.editLines);
    Query1->ParamByName(QStringLiteral("aid")).AsInteger(id);
    Query1->Open();
    Query1->First();
    setLineHeaderTexts(Kind.loadedLineHeader);
    Lines->setLines(frame::linesOf(*Query1, QStringLiteral("id_artikal"), QStringLiteral("Artikal"),
                                   Kind.statements.quantityField()));

    Query1->Close();
    Query1->SQL.Clear();
    Query1->SQL.Add(Kind.editPartner);
    Query1->ParamByName(QStringLiteral("id")).AsInteger(id);
    Query1->Open();
    if (!Query1->IsEmpty()) {
        Edit2->setText(Query1->FieldByName(QStringLiteral("naziv")).AsString());
        PartnerId = Query1->FieldByName(QStringLiteral("kid")).AsInteger();
    }
    Query1->Close();
    m_version = store().load(id);
}

void DocumentEditForm::BitBtn1Click()
{
    const QString& failed = Kind.editFailed;
    if (!checkBeforeSave(Kind.editIncomplete))
        return;
    int number = 0;
    try {
        number = data::toInteger(MaskEdit2->Text());
    } catch (const data::ConvertError&) {
        kit::messageBox(this, failed, QStringLiteral("Warning"));
        MaskEdit2->SetFocus();
        return;
    }
    // The number may have been changed without leaving the field.
    if (!m_number.accepted())
        return;
    if (!saveThroughStore(failed, [&] { store().update(DocumentId, m_version, number, documentToSave()); }))
        return; // the document is as it was; the window keeps what the operator did
    kit::messageBox(this, Kind.editSaved, QStringLiteral("Information"));
    Close();
}
