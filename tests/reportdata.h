#pragma once

// Ledger data and document checks shared by the report tests.
#include "data/errors.h"
#include "data/query.h"
#include "reports/engine/document.h"
#include "support/testdb.h"

#include <QProcess>
#include <QStringList>

namespace reportdata {

inline int insert(const QString& statement, const QVariantList& values)
{
    data::Query q(&testsupport::mainDatabase());
    q.SQL.Add(statement);
    for (int i = 0; i < values.size(); ++i) {
        data::Param& p = q.ParamByName(QStringLiteral("p%1").arg(i));
        const QVariant& v = values.at(i);
        if (v.typeId() == QMetaType::Int)
            p.AsInteger(v.toInt());
        else if (v.typeId() == QMetaType::Double)
            p.AsFloat(v.toDouble());
        else
            p.AsString(v.toString());
    }
    q.ExecSQL();
    // Deletes, and tables without a key of their own (the composition), give no key.
    try {
        return q.LastInsertId();
    } catch (const data::DatabaseError&) {
        return 0;
    }
}

inline int addPartner(const QString& name, const QString& address = QString(), const QString& city = QString())
{
    return insert(QStringLiteral("insert into komintenti (naziv,adresa,grad,tel,mobil) values (:p0,:p1,:p2,'','')"),
                  {name, address, city});
}

inline int addArticle(int code, const QString& name, const QString& unit = QStringLiteral("PCS"))
{
    return insert(QStringLiteral("insert into artikli (sifra,artikal,edm) values (:p0,:p1,:p2)"), {code, name, unit});
}

inline int addReceipt(int number, const QString& date)
{
    return insert(QStringLiteral("insert into priemnici (priemnica_id,datum) values (:p0,:p1)"), {number, date});
}

inline int addDispatch(int number, const QString& date)
{
    return insert(QStringLiteral("insert into ispratnici (ispratnica_id,datum,datum_valuta,rabat) values (:p0,:p1,:p2,0)"),
                  {number, date, date});
}

// One ledger row of an article, planted as it stands: the reports read rows the stores never
// write (a firm number other than 0, a label apart from the header's number, a row whose
// article or document is gone).
inline void addMovement(const QString& kind, int document, int partner, int article, double in, double out,
                        const QString& date, int label, int firm = 0)
{
    insert(QStringLiteral("insert into magacin_artikli (vid_dokument,document_id,id_komintent,id_artikal,vlez_kol,"
                          "izlez_kol,datum_referenca,firma_id,document_id_label) values (:p0,:p1,:p2,:p3,:p4,:p5,"
                          ":p6,:p7,:p8)"),
           {kind, document, partner, article, in, out, date, firm, label});
}

// The foot of the printable area of an A4 page with the default margins of 12.7 mm.
inline constexpr double kPaperBottom = 297.0 - 12.7;

// The texts printed by an element, in printing order over the pages.
inline QStringList textsOf(const QList<report::Page>& pages, const QString& element)
{
    QStringList out;
    for (const report::Page& page : pages)
        for (const report::Item& item : page.items)
            if (item.kind == report::ItemKind::Text && item.name == element)
                out << item.text;
    return out;
}

inline QStringList textsOf(const report::Document& doc, const QString& element)
{
    return textsOf(doc.pages, element);
}

inline QString pdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace reportdata
