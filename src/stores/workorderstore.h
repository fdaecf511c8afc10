#pragma once

#include "data/recordversion.h"
#include "stores/statement.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace stores {

// The statements that number and save work orders.
namespace workordersql {
inline const QString nextNumber = QStringLiteral("select max(nalog_id)+1 m_max from  nalozi");
inline const QString newestNumber = QStringLiteral("select nalog_id from nalozi order by id desc limit 1");
inline const QString numberExists = QStringLiteral("select * from nalozi where nalog_id=:a");
inline const QString insertOrder = QStringLiteral(
    "insert into nalozi(nalog_id,datum_start,datum_finish,vraboten_id,prioritet) values(:a1,:a2,:a3,:a4,:a5)");
inline const QString updateOrder = QStringLiteral(
    "update nalozi set nalog_id=:a1,datum_start=:a2,datum_finish=:a3,vraboten_id=:a4,prioritet=:a5 where id=:aid");
inline const QString insertProductRow =
    QStringLiteral("insert into magacin_proizvodi(vid_dokument,document_id,id_komintent,id_proizvod,vlez_kol,izlez_kol,"
                   "datum_referenca,firma_id,proizvod_cena,proizvod_tarifa,document_id_label) "
                   "values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9,:a10,:a11)");
inline const QString composition = QStringLiteral("select * from  proizvodi_sostav where id_proizvod=:ip");
inline const QString insertArticleRow =
    QStringLiteral("insert into magacin_artikli(vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,izlez_kol,"
                   "datum_referenca,firma_id,document_id_label) values(:a1,:a2,:a3,:a4,:a5,:a6,:a7,:a8,:a9)");
inline const QString deleteProductRows =
    QStringLiteral("delete from magacin_proizvodi where document_id=:aid and vid_dokument='N'");
inline const QString deleteArticleRows =
    QStringLiteral("delete from magacin_artikli where document_id=:aid and vid_dokument='N'");

// The stored order as a whole: its header and its ledger rows, for the check at save time
// that nobody else deleted or changed it after the edit window loaded it.
inline const QString versionHeader = QStringLiteral("select * from nalozi where id=:id");
inline const QStringList versionRows{
    QStringLiteral("select * from magacin_proizvodi where vid_dokument='N' and document_id=:id order by id"),
    // No order: the ledger of articles need not have a key column to order by.
    QStringLiteral("select * from magacin_artikli where vid_dokument='N' and document_id=:id"),
};
} // namespace workordersql

// A work order as it is saved: its header and its product lines.
struct WorkOrder {
    struct Line {
        int product = 0;
        double quantity = 0;
    };
    int partner = 0;
    QString start;  // yyyy-mm-dd
    QString finish; // yyyy-mm-dd
    int employee = 0;
    QString employeeName; // kept in the order's priority column, as it always was
    std::vector<Line> lines;
};

// Numbers and saves the work orders on one connection. Every line writes its product ledger
// row and one article ledger row per article of the product's present composition.
class WorkOrderStore : public NumberedStore {
public:
    explicit WorkOrderStore(data::Database& db);

    // Saves a new order and its ledger rows in one transaction under the number it takes
    // there (see saveNumbered) and returns the number.
    int saveNew(const WorkOrder& order);

    // The stored order with key `id` as it is now, for update().
    data::RecordVersion load(int id);
    // Writes the order with key `id` anew under `number`, its ledger rows replaced, in one
    // transaction; throws data::StaleRecord (nothing written) when another workstation
    // deleted or changed it since it was `loaded`.
    void update(int id, const data::RecordVersion& loaded, int number, const WorkOrder& order);

private:
    // The order's own columns, under `number` (a1..a5).
    void writeHeader(Statement& statement, int number, const WorkOrder& order);
    void insertLedgerRows(int orderId, int number, const WorkOrder& order);
};

} // namespace stores
