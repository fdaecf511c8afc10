#pragma once

// What receipts saved at the same time by several writer processes must leave behind.
#include "support/testdb.h"

#include <QtTest>

namespace testsupport {

// Numbers 1..total each once; two ledger lines per receipt, under their own header,
// labelled with its number, and of one quantity (the tag of the writer that saved it).
inline void checkWrittenReceipts(TestDatabase& t, int total)
{
    QCOMPARE(t.count(QStringLiteral("priemnici")), total);
    QCOMPARE(t.scalar(QStringLiteral("select count(distinct priemnica_id) from priemnici")).toInt(), total);
    QCOMPARE(t.scalar(QStringLiteral("select min(priemnica_id) from priemnici")).toInt(), 1);
    QCOMPARE(t.scalar(QStringLiteral("select max(priemnica_id) from priemnici")).toInt(), total);
    QCOMPARE(t.count(QStringLiteral("magacin_artikli")), 2 * total);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from magacin_artikli m left join priemnici p "
                                     "on p.id=m.document_id where p.id is null or p.priemnica_id<>m.document_id_label"))
                 .toInt(),
             0);
    QCOMPARE(t.scalar(QStringLiteral("select count(*) from (select document_id from magacin_artikli group by "
                                     "document_id having count(*)<>2 or min(vlez_kol)<>max(vlez_kol)) x"))
                 .toInt(),
             0);
}

} // namespace testsupport
