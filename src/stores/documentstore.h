#pragma once

#include "data/recordversion.h"
#include "stores/statement.h"

#include <QString>

#include <vector>

namespace stores {

// What tells a goods receipt from a goods dispatch when it is numbered, saved and deleted:
// the ledger kind and side of its lines, its header table and its statements.
struct DocumentStatements {
    QString vid;          // ledger document kind: "P" (receipt) or "I" (dispatch)
    bool dispatch;        // quantities go out, the header has a due date, the stock is checked
    QString numberField;  // priemnica_id / ispratnica_id
    QString labelParam;   // parameter of the ledger label in insertLine (a9 / a11)
    QString headerTable;  // priemnici / ispratnici
    QString nextNumber;   // yields m_max
    QString newestNumber; // the number of the newest document (by id)
    QString insertHeader; // a1 number, a2 date (, a3 due date)
    QString insertLine;
    QString updateHeader; // a1 number, a2 date (, a4 due date), aid key
    QString deleteHeader; // aid key
    QString deleteLines;  // aid key
    // The document's rows in the product ledger (a dispatch's priced products), aid key;
    // deleted with the document, left alone by an update, which edits only its articles.
    QString deleteProductLines;
    QString numberExists; // a number

    // The document as the operator names it.
    QString recordName() const { return dispatch ? QStringLiteral("goods dispatch") : QStringLiteral("goods receipt"); }
    // The stored document as a whole: its header and its ledger rows, for the check that
    // nobody else changed it between loading and saving.
    QString versionHeader() const { return QStringLiteral("select * from %1 where id=:id").arg(headerTable); }
    QString versionLines() const
    {
        // No order: the ledger of articles need not have a key column to order by.
        return QStringLiteral("select * from magacin_artikli where document_id=:id and vid_dokument='%1'").arg(vid);
    }
    // The ledger column holding a line's quantity.
    QString quantityField() const { return dispatch ? QStringLiteral("izlez_kol") : QStringLiteral("vlez_kol"); }
};

const DocumentStatements& receipts();
const DocumentStatements& dispatches();

// A goods receipt or dispatch as it is saved: its header and its lines.
struct StockDocument {
    struct Line {
        int article = 0;
        double quantity = 0;
    };
    int partner = 0;
    QString date;    // yyyy-mm-dd
    QString dueDate; // dispatches: yyyy-mm-dd, or empty for none
    std::vector<Line> lines;
};

// Numbers, saves and deletes the goods receipts or the goods dispatches on one connection.
class DocumentStore : public NumberedStore {
public:
    DocumentStore(data::Database& db, const DocumentStatements& kind);

    // Saves a new document, header and ledger rows in one transaction, under the number it
    // takes there (see saveNumbered), and returns the number. A dispatch that takes more of an
    // article than is left throws dispatchstock::NotEnoughStock; nothing is written then, or
    // on any other failure.
    int saveNew(const StockDocument& document);

    // The stored document with key `id` as it is now, for update().
    data::RecordVersion load(int id);
    // Writes the document with key `id` anew under `number`: the header updated, the ledger
    // rows replaced, in one transaction. Throws data::StaleRecord when another workstation
    // deleted or changed it since it was `loaded` (an empty version checks nothing), and
    // dispatchstock::NotEnoughStock on a dispatch beyond stock; nothing is written then.
    void update(int id, const data::RecordVersion& loaded, int number, const StockDocument& document);

    // Deletes the document with key `id` and its rows in both ledgers in one transaction. Throws
    // data::StaleRecord with `alreadyDeleted` when another workstation deleted it first (a
    // key of -1, an empty list's, deletes nothing and says nothing).
    void remove(int id, const QString& alreadyDeleted);

private:
    // Throws InvalidValue for a line quantity outside its bounds (see bounds.h).
    void checkValues(const StockDocument& document) const;
    void checkStock(const StockDocument& document, int storedId);
    void insertLines(int headerId, int number, const StockDocument& document);
    // The due date as bound: none without one.
    QVariant dueDate(const StockDocument& document) const;

    const DocumentStatements& m_kind;
};

} // namespace stores
