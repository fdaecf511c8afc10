#include "stores/documentstore.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"
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
        QStringLiteral("select * from ispratnici where ispratnica_id=:a"),
    };
    return k;
}

int DocumentStore::nextNumber()
{
    return stores::nextNumber(m_db, m_kind.nextNumber, m_kind.recordName() + QStringLiteral(" number"));
}

int DocumentStore::newestNumber()
{
    Statement q(m_db, m_kind.newestNumber);
    q.Open();
    return q.FieldByName(m_kind.numberField).AsInteger();
}

bool DocumentStore::numberExists(int number)
{
    return anyRowFor(m_db, m_kind.numberExists, number);
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

void DocumentStore::bindDueDate(data::Param& param, const StockDocument& document) const
{
    if (document.dueDate.isEmpty())
        param.Clear();
    else
        param.AsString(document.dueDate);
}

void DocumentStore::insertLines(int headerId, int number, const StockDocument& document)
{
    Statement q(m_db, m_kind.insertLine);
    for (const StockDocument::Line& line : document.lines) {
        q.ParamByName(QStringLiteral("a1")).AsString(m_kind.vid);
        q.ParamByName(QStringLiteral("a2")).AsInteger(headerId);
        q.ParamByName(QStringLiteral("a3")).AsInteger(document.partner);
        q.ParamByName(QStringLiteral("a4")).AsInteger(line.article);
        q.ParamByName(QStringLiteral("a5")).AsFloat(m_kind.dispatch ? 0 : line.quantity);
        q.ParamByName(QStringLiteral("a6")).AsFloat(m_kind.dispatch ? line.quantity : 0);
        q.ParamByName(QStringLiteral("a7")).AsString(document.date);
        q.ParamByName(QStringLiteral("a8")).AsInteger(0);
        q.ParamByName(m_kind.labelParam).AsInteger(number);
        q.ExecSQL();
    }
}

int DocumentStore::saveNew(const StockDocument& document)
{
    int number = 0;
    // One number for the header and its lines, taken inside the transaction; when another
    // workstation took it meanwhile, the save runs again with the next one.
    data::runSave(m_db, [&]() {
        // Another workstation may have taken the stock since the lines were entered.
        checkStock(document, 0);
        number = nextNumber();

        Statement header(m_db, m_kind.insertHeader);
        header.ParamByName(QStringLiteral("a1")).AsInteger(number);
        header.ParamByName(QStringLiteral("a2")).AsString(document.date);
        if (m_kind.dispatch)
            bindDueDate(header.ParamByName(QStringLiteral("a3")), document);
        header.ExecSQL();
        insertLines(header.LastInsertId(), number, document);
    });
    return number;
}

data::RecordVersion DocumentStore::load(int id)
{
    data::RecordVersion version(m_kind.versionHeader(), {m_kind.versionLines()});
    version.load(m_db, id);
    return version;
}

void DocumentStore::update(int id, const data::RecordVersion& loaded, int number, const StockDocument& document)
{
    // Deleted or changed on another workstation since it was loaded: nothing is written.
    loaded.saveIfUnchanged(m_db, m_kind.recordName(), [&] {
        // Its stored lines still counted: they are given back below, before the new ones.
        checkStock(document, id);

        Statement header(m_db, m_kind.updateHeader);
        header.ParamByName(QStringLiteral("a1")).AsInteger(number);
        header.ParamByName(QStringLiteral("a2")).AsString(document.date);
        if (m_kind.dispatch)
            bindDueDate(header.ParamByName(QStringLiteral("a4")), document);
        header.ParamByName(QStringLiteral("aid")).AsInteger(id);
        header.ExecSQL();

        Statement lines(m_db, m_kind.deleteLines);
        lines.ParamByName(QStringLiteral("aid")).AsInteger(id);
        lines.ExecSQL();

        insertLines(id, number, document);
    });
}

void DocumentStore::remove(int id, const QString& alreadyDeleted)
{
    data::Transaction transaction(m_db);
    Statement header(m_db, m_kind.deleteHeader);
    header.ParamByName(QStringLiteral("aid")).AsInteger(id);
    header.ExecSQL();
    // No header deleted: another workstation deleted the document first (on an empty list
    // the id is -1 and matches nothing, which needs no word).
    if (header.RowsAffected() == 0 && id != -1)
        throw data::StaleRecord(data::StaleRecord::Reason::Deleted, alreadyDeleted);
    Statement lines(m_db, m_kind.deleteLines);
    lines.ParamByName(QStringLiteral("aid")).AsInteger(id);
    lines.ExecSQL();
    transaction.commit();
}

} // namespace stores
