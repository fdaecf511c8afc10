#pragma once

#include "frame/tslistbase.h"
#include "stores/documentstore.h"

#include <QColor>
#include <QList>
#include <QStringList>

namespace data {
class DataSource;
class Query;
}
namespace kit {
class DBEdit;
class DBGrid;
class Label;
class MenuItem;
class Panel;
class Splitter;
}

// What tells the goods receipt list from the goods dispatch list: statements, captions and
// colours.
struct DocumentListKind {
    // One read-only field of the coloured panel.
    struct Shown {
        QString caption;
        bool ofLine; // a column of the current line (Query2) rather than of the header
        QString field;
        int width;
    };

    TSListBase::Captions menuCaptions;
    QStringList headers; // Query1, read a page at a time when pageRows is set (:page_before, :page_rows)
    QStringList lines;   // Query2, detail through :id
    const stores::DocumentStatements& statements; // the store's: deleting, the newest number
    QString deleteQuestion;
    QString numberField;
    QString numberTitle;
    QColor numberColor; // cells of the number column; invalid: the grid's own
    QColor panelColor;
    QList<Shown> panel; // at most six
    QString quantityField;
    QString alreadyDeleted; // a delete that found the document gone
    int pageRows = 0;       // headers per page, newest first on `id`; 0: all at once
};

// A list of stored goods documents: every document, newest first, and beside it the
// partner and the lines of the current one. Refreshed whenever it comes to the front,
// back on the newest document. "Del" removes the current document with all its ledger
// rows, in one transaction.
class DocumentList : public TSListBase {
    Q_OBJECT
public:
    DocumentList(const DocumentListKind& kind, QWidget* parent = nullptr);

    kit::MenuItem* Del1 = nullptr;
    kit::Splitter* Splitter1 = nullptr;
    kit::Panel* Panel1 = nullptr; // the current document and its partner
    kit::Label* Label2 = nullptr;
    kit::Label* Label3 = nullptr;
    kit::Label* Label4 = nullptr;
    kit::Label* Label5 = nullptr;
    kit::Label* Label6 = nullptr;
    kit::Label* Label7 = nullptr;
    kit::DBEdit* DBEdit1 = nullptr;
    kit::DBEdit* DBEdit2 = nullptr;
    kit::DBEdit* DBEdit3 = nullptr;
    kit::DBEdit* DBEdit4 = nullptr;
    kit::DBEdit* DBEdit5 = nullptr;
    kit::DBEdit* DBEdit6 = nullptr;
    kit::DBGrid* DBGrid2 = nullptr;
    data::Query* Query2 = nullptr; // lines of the current document
    data::DataSource* DataSource2 = nullptr;

    // Reopens the list on the newest document and notes its number.
    void RefreshList() override;

    // The number of the newest document: as `list` noted it when a list is open, otherwise
    // looked up on `db`; 0 when there is none.
    static int newestNumber(const DocumentList* list, data::Database& db, const stores::DocumentStatements& kind);

protected:
    // The number of the newest document at the last refresh; 0 when there is none.
    int lastNumber() const { return m_lastNumber; }
    // Asks, then removes the current document: header and ledger rows together or not at all.
    void deleteCurrent();

private:
    const DocumentListKind& m_kind;
    int m_lastNumber = 0;
};
