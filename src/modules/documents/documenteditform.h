#pragma once

#include "data/recordversion.h"
#include "frame/uniquenumber.h"
#include "modules/documents/documentform.h"

// What the goods receipt and goods dispatch edit windows share: loading a stored document
// (number, partner, date, due date, lines), the check that a changed number is not taken,
// and the save through the store (header updated, ledger rows written anew, in one
// transaction).
class DocumentEditForm : public DocumentForm {
    Q_OBJECT
public:
    DocumentEditForm(const DocumentKind& kind, QWidget* parent = nullptr);

    int DocumentId = 0;   // key of the document being edited
    QString LoadedNumber; // the number as loaded; the duplicate check runs only on a change

    void PocetniVrednosti(int id);
    void MaskEdit2KeyDown(int& key, Qt::KeyboardModifiers) { m_number.keyDown(key); }
    void MaskEdit2Exit() { m_number.exit(); }
    void BitBtn1Click() override;

protected:
    int storedDocumentId() const override { return DocumentId; }
    // A document with the number in `text` exists (throws on a number that is not an integer).
    bool numberExists(const QString& text) { return m_number.exists(text); }

private:
    data::RecordVersion m_version; // the document as loaded
    frame::UniqueNumber m_number;  // the check of a changed number
};
