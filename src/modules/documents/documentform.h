#pragma once

#include "frame/picking.h"
#include "frame/tformsrgbase.h"
#include "modules/documents/documentkind.h"

#include <QStringList>

#include <functional>
#include <vector>

class TSImport;

namespace data {
class Query;
}
namespace frame {
class LineModel;
}
namespace kit {
class BitBtn;
class Edit;
class Label;
class MaskEdit;
class Panel;
class StringGrid;
}

// What the goods receipt and goods dispatch entry and edit windows share: the header fields
// (number, partner, date and, on dispatches, the hidden due date), the buttons, the line
// grid with its rules, the partner and article picks, the import of receipt lines into a
// dispatch, and the document handed to its store to save. The DocumentKind says which of
// the two documents the window keeps.
//
// The lines are kept in Lines, typed; the line grid shows them in six columns (0 stays
// empty): article id, code, name, unit, quantity. It starts as one ordinary row; the first
// line added makes row 0 the fixed header.
class DocumentForm : public TFormSrgBase, public frame::PickTarget {
    Q_OBJECT
    Q_INTERFACES(frame::PickTarget)
public:
    DocumentForm(const DocumentKind& kind, QWidget* parent = nullptr);

    const DocumentKind& Kind;

    kit::Panel* Panel1 = nullptr;
    kit::Label* Label1 = nullptr;       // beside MaskEdit2
    kit::Label* Label2 = nullptr;       // the partner
    kit::Label* Label3 = nullptr;       // the date
    kit::Label* Label4 = nullptr;       // the due date (dispatches only)
    kit::MaskEdit* MaskEdit2 = nullptr; // document number
    kit::Edit* Edit2 = nullptr;         // partner name
    kit::MaskEdit* MaskEdit1 = nullptr; // date
    kit::MaskEdit* MaskEdit3 = nullptr; // due date, hidden (dispatches only)
    kit::BitBtn* BitBtn2 = nullptr;     // "Add"
    kit::BitBtn* BitBtn3 = nullptr;     // "Delete"
    kit::BitBtn* BitBtn4 = nullptr;     // "Import" (dispatches only)
    kit::BitBtn* BitBtn1 = nullptr;     // save
    kit::StringGrid* StringGrid1 = nullptr;
    frame::LineModel* Lines = nullptr; // what StringGrid1 shows
    data::Query* Query1 = nullptr;
    data::Query* Query2 = nullptr;

    // The chosen partner; 0 until one is picked. Typing in the partner field without a
    // pick clears it, so the name shown is always the partner saved.
    int PartnerId = 0;

    // Pick deliveries from the partner and article (or stock) lists.
    // On a dispatch the quantity dialog shows what is left of the article (the stored
    // balance less what the window's lines already take of it) and takes no more.
    Q_INVOKABLE void VnesiKomintentiID(int id) override;
    Q_INVOKABLE void VnesiArtikalID(int id) override;
    // The date field after a partner pick, "Add" after an article pick.
    QWidget* controlAfterPick(frame::AfterPick after) override;

    // Removes the line in `row`; the lines below move up. No line: nothing changes.
    void ProcDelete(int row);
    void BitBtn3Click() { ProcDelete(currentGridRow()); }
    // The number, the partner (picked) and at least one line are there.
    virtual bool ProcCheckVnes();
    virtual void BitBtn1Click() = 0;

    // Line rows in the grid (the header row not counted).
    int lineCount() const;

    // What the lines take of `article` in all, the line in `exceptRow` left out.
    double linesTake(int article, int exceptRow = -1) const;
    // What a dispatch line of `article` may take now: the stored balance, plus what this
    // dispatch had stored of the article (edit window), less what its other lines take.
    double availableFor(int article, int exceptRow = -1);

protected:
    // Offers the lines of the receipt with key `id` in the import dialog and appends the
    // marked ones with their received quantities (dispatch windows). Lines above what is
    // left of their article are refused in the dialog.
    void importReceipt(int id);
    // The key of the stored document the window saves over; 0 for a new one.
    virtual int storedDocumentId() const { return 0; }
    // Tells the operator that a save was refused for `article` ("Warning") and puts the
    // grid on its first line; the window keeps its lines.
    void refuseShortStock(int article);
    // Sets the window up as an entry window: the number hidden and read-only, the date
    // (and due date) today.
    void prepareEntry();
    // The entry window's save: header and ledger rows in one transaction, numbered then.
    void saveNew();
    // Runs the store's save; on a refusal or failure tells the operator (a dispatch short of
    // stock on its line, anything else as documentsave::run does) and returns false.
    bool saveThroughStore(const QString& failed, const std::function<void()>& save);

    // Refuses an incomplete window or a date that is not a real calendar date with
    // `message` ("Warning"), the focus then in the date field when the date was wrong.
    bool checkBeforeSave(const QString& message);
    // The window's store, on its connection.
    stores::DocumentStore store();
    // The header and lines as the save takes them; throws stores::InvalidValue on a line
    // that names no article.
    stores::StockDocument documentToSave() const;
    void setLineHeaderTexts(const QStringList& texts);
    int currentGridRow() const;

private:
    // The import rows (of `dialog`'s grid) that cannot be taken, in order: each marked row
    // takes its part of what is left of its article, a row above what remains is refused.
    QList<int> importRowsBeyondStock(const TSImport* dialog, const QList<int>& rows);
    void Edit2TextEdited();
};
