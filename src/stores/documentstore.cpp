#include "stores/documentstore.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
#include "stores/bounds.h"
#include "stores/dispatchstock.h"
#include "stores/statement.h"

#include <QMap>

namespace stores {

const DocumentStatements& receipts()
{
    static const DocumentStatements k{
        QStringLiteral("P"),
        false,
        QStringLiteral("priemnica_id"),
        QStringLiteral("a9"),
        QStringLiteral("priemnici"),
        QStringLiteral("select max(priemnica_id)+1 m_max from priemnici"),
        QStringLiteral("select priemnica_id from priemnici order by id desc limit 1"),
        QStringLiteral("insert into priemnici(priemnica_id,datum) values(:a1,:a2)"),
        QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,"
                       "datum_referenca,firma_id,document_id_label) values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9)"),
        QStringLiteral("update priemnici set priemnica_id=:a1,datum=:a2 where id=:aid"),
        QStringLiteral("delete from priemnici where id=:aid"),
        QStringLiteral("delete from magacin_artikli where document_id=:aid and vid_dokument='P'"),
        QStringLiteral("delete from magacin_proizvodi where document_id=:aid and vid_dokument='P'"),
        QStringLiteral("select * from priemnici where priemnica_id=:a"),
    };
    return k;
}

const DocumentStatements& dispatches()
{
    static const DocumentStatements k{
        QStringLiteral("I"),
        true,
        QStringLiteral("ispratnica_id"),
        QStringLiteral("a11"),
        QStringLiteral("ispratnici"),
        QStringLiteral("select max(ispratnica_id)+1 m_max from ispratnici"),
        QStringLiteral("select ispratnica_id from ispratnici order by id desc limit 1"),
        QStringLiteral("insert into ispratnici(ispratnica_id,datum,datum_valuta) values(:a1,:a2,:a3)"),
        QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,"
                       "datum_referenca,firma_id,document_id_label) values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a11)"),
        QStringLiteral("update ispratnici set ispratnica_id=:a1,datum=:a2,datum_valuta=:a4 where id=:aid"),
        QStringLiteral("delete from ispratnici where id=:aid"),
        QStringLiteral("delete from magacin_artikli where document_id=:aid and vid_dokument='I'"),
        QStringLiteral("delete from magacin_proizvodi where document_id=:aid and vid_dokument='I'"),
        QStringLiteral("select * from ispratnici where ispratnica_id=:a"),
    };
    return k;
}

DocumentStore::DocumentStore(data::Database& db, const DocumentStatements& kind)
    : NumberedStore(db, {kind.nextNumber, kind.numberExists, kind.newestNumber, kind.numberField,
                         kind.recordName() + QStringLiteral(" number")}),
      m_kind(kind)
{
}

void DocumentStore::checkStock(const StockDocument& document, int storedId)
{
    if (!m_kind.dispatch)
        return;
    QMap<int, double> takes;
    for (const StockDocument::Line& line : document.lines)
        takes[line.article] += line.quantity;
    dispatchstock::checkInsideSave(m_db, takes, storedId);
}

QVariant DocumentStore::dueDate(const StockDocument& document) const
{
    return document.dueDate.isEmpty() ? QVariant() : QVariant(document.dueDate);
}

void DocumentStore::insertLines(int headerId, int number, const StockDocument& document)
{
    Statement q(m_db, m_kind.insertLine);
    for (const StockDocument::Line& line : document.lines)
        q.run({{QStringLiteral("a1"), m_kind.vid},
               {QStringLiteral("a2"), headerId},
               {QStringLiteral("a3"), document.partner},
               {QStringLiteral("a4"), line.article},
               {QStringLiteral("a5"), m_kind.dispatch ? 0.0 : line.quantity},
               {QStringLiteral("a6"), m_kind.dispatch ? line.quantity : 0.0},
               {QStringLiteral("a7"), document.date},
               {QStringLiteral("a8"), 0},
               {m_kind.labelParam, number}});
}

void DocumentStore::checkValues(const StockDocument& document) const
{
    for (const StockDocument::Line& line : document.lines)
        bounds::requireQuantity(line.quantity, QStringLiteral("quantity"));
}

int DocumentStore::saveNew(const StockDocument& document)
{
    checkValues(document);
    // One number for the header and its lines.
    return saveNumbered([&](int number) {
        // Another workstation may have taken the stock since the lines were entered.
        checkStock(document, 0);
        Statement header(m_db, m_kind.insertHeader);
        if (m_kind.dispatch)
            header.ParamByName(QStringLiteral("a3")).AsValue(dueDate(document));
        header.run({{QStringLiteral("a1"), number}, {QStringLiteral("a2"), document.date}});
        insertLines(header.LastInsertId(), number, document);
    });
}

data::RecordVersion DocumentStore::load(int id)
{
    data::RecordVersion version(m_kind.versionHeader(), {m_kind.versionLines()});
    version.load(m_db, id);
    return version;
}

void DocumentStore::update(int id, const data::RecordVersion& loaded, int number, const StockDocument& document)
{
    bounds::requireDocumentNumber(number, m_kind.recordName() + QStringLiteral(" number"));
    checkValues(document);
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, m_kind.recordName(), [&] {
        // Its stored lines still counted: they are given back below, before the new ones.
        checkStock(document, id);
        Statement header(m_db, m_kind.updateHeader);
        if (m_kind.dispatch)
            header.ParamByName(QStringLiteral("a4")).AsValue(dueDate(document));
        header.run({{QStringLiteral("a1"), number}, {QStringLiteral("a2"), document.date}, {QStringLiteral("aid"), id}});
        Statement(m_db, m_kind.deleteLines).run({{QStringLiteral("aid"), id}});
        insertLines(id, number, document);
    });
}

void DocumentStore::remove(int id, const QString& alreadyDeleted)
{
    data::Transaction transaction(m_db);
    // No header deleted: another workstation deleted the document first (on an empty list
    // the id is -1 and matches nothing, which needs no word).
    if (Statement(m_db, m_kind.deleteHeader).run({{QStringLiteral("aid"), id}}).RowsAffected() == 0 && id != -1)
        throw data::StaleRecord(data::StaleRecord::Reason::Deleted, alreadyDeleted);
    // Every row the document owns, in both ledgers: a dispatch's priced product rows are
    // also the invoices of the financial report, and must not outlive their header.
    Statement(m_db, m_kind.deleteLines).run({{QStringLiteral("aid"), id}});
    Statement(m_db, m_kind.deleteProductLines).run({{QStringLiteral("aid"), id}});
    transaction.commit();
}

} // namespace stores
