#include "modules/komintenti/tskomintentilista.h"

#include "frame/formfields.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "stores/registerreads.h"

#include <QFormLayout>
#include <QVBoxLayout>

TSKomintentiLista::TSKomintentiLista(QWidget* parent) : TSListBase(Captions::English, parent)
{
    setObjectName(QStringLiteral("SKomintentiLista"));
    buildSearchList(stores::partners::list(), QStringLiteral("Search by company  partner"));
    DBGrid1->addColumn(QStringLiteral("id"), QStringLiteral("Id"), 39);
    DBGrid1->addColumn(QStringLiteral("naziv"), QStringLiteral("Company name"), 260, QString(), frame::nameHighlight());

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setBevel(kit::Panel::Bevel::Lowered);
    QFormLayout* form = frame::fieldForm();
    form->setContentsMargins(10, 10, 10, 10);
    Panel1->setLayout(form);
    int labelNo = 0;
    auto box = [&](kit::DBEdit*& edit, const char* name, const char* field, const QString& caption) {
        edit = frame::detailField(Panel1, QString::fromLatin1(name), DataSource1, QString::fromLatin1(field));
        edit->setFixedWidth(320);
        frame::addFieldRow(form, Panel1, QStringLiteral("Label%1").arg(++labelNo + 1), caption, edit);
    };
    const QString note = QStringLiteral("Note");
    box(DBEdit1, "DBEdit1", "id", QStringLiteral("ID"));
    box(DBEdit2, "DBEdit2", "naziv", QStringLiteral("Company Name"));
    box(DBEdit3, "DBEdit3", "adresa", QStringLiteral("Address"));
    box(DBEdit14, "DBEdit14", "grad", QStringLiteral("Zip code - City State"));
    box(DBEdit4, "DBEdit4", "tel", QStringLiteral("Phone"));
    box(DBEdit5, "DBEdit5", "mobil", QStringLiteral("Cell"));
    box(DBEdit6, "DBEdit6", "zirosmetka", QStringLiteral("Bank Account"));
    box(DBEdit7, "DBEdit7", "deponent", QStringLiteral("Bank"));
    box(DBEdit8, "DBEdit8", "edb", note);
    box(DBEdit9, "DBEdit9", "sifdejnost", note);
    box(DBEdit10, "DBEdit10", "mb", note);
    box(DBEdit11, "DBEdit11", "zabeleska1", note);
    box(DBEdit12, "DBEdit12", "zabeleska2", note);
    box(DBEdit13, "DBEdit13", "rabat", QStringLiteral("Discount (%)"));
    frame::setBackground(DBEdit2, frame::nameHighlight());
    DBEdit1->setFixedWidth(90);
    DBEdit13->setFixedWidth(90);

    // Grid and detail panel side by side, the divider between them movable.
    Splitter1 = frame::gridBesidePanel(this, bodyLayout(), DBGrid1, Panel1);
}
