#pragma once

#include "data/recordversion.h"
#include "modules/priemnica/documentform.h"

// What the goods receipt and goods dispatch edit windows share: loading a stored document
// (number, partner, date, due date, lines), the check that a changed number is not taken,
// and the save in one transaction: the header updated, the ledger rows written anew.
class DocumentEditForm : public DocumentForm {
    Q_OBJECT
public:
    DocumentEditForm(const DocumentKind& kind, QWidget* parent = nullptr);

    int DocumentId = 0;   // key of the document being edited
    QString LoadedNumber; // the number as loaded; the duplicate check runs only on a change

    void PocetniVrednosti(int id);
    void MaskEdit2KeyDown(int& key, Qt::KeyboardModifiers shift);
    void MaskEdit2Exit();
    void BitBtn1Click() override;

protected:
    int storedDocumentId() const override { return DocumentId; }
    // A document with the number in `text` exists (throws on a number that is not an integer).
    bool numberExists(const QString& text);

private:
    // The number was changed to one another document carries: the operator is told and the
    // focus goes back to the number. False also when the number is not an integer.
    bool numberAccepted();

    bool m_checking = false;
    data::RecordVersion m_version; // the document as loaded
};
