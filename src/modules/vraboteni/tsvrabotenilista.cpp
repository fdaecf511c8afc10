#include "modules/vraboteni/tsvrabotenilista.h"

#include "frame/formfields.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "stores/registerreads.h"

#include <QFormLayout>
#include <QVBoxLayout>

TSVraboteniLista::TSVraboteniLista(QWidget* parent) : TSListBase(Captions::Macedonian, parent)
{
    setObjectName(QStringLiteral("SVraboteniLista"));
    buildSearchList(stores::employees::list(), QStringLiteral("Prebaruvanje po komintent"));
    // Titled by their field names.
    DBGrid1->addColumn(QStringLiteral("id"), QString(), 39);
    DBGrid1->addColumn(QStringLiteral("naziv"), QString(), 260, QString(), frame::nameHighlight());

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setBevel(kit::Panel::Bevel::Lowered);
    QFormLayout* form = frame::fieldForm();
    form->setContentsMargins(10, 10, 10, 10);
    Panel1->setLayout(form);
    int labelNo = 1;
    auto box = [&](kit::DBEdit*& edit, const char* name, const char* field, const char* caption) {
        edit = frame::detailField(Panel1, QString::fromLatin1(name), DataSource1, QString::fromLatin1(field));
        edit->setFixedWidth(320);
        frame::addFieldRow(form, Panel1, QStringLiteral("Label%1").arg(++labelNo), QString::fromLatin1(caption), edit);
    };
    box(DBEdit1, "DBEdit1", "id", "Sifra");
    box(DBEdit2, "DBEdit2", "naziv", "Naziv");
    box(DBEdit3, "DBEdit3", "adresa", "Adresa");
    box(DBEdit4, "DBEdit4", "tel", "Tel");
    box(DBEdit5, "DBEdit5", "mobil", "Mobil");
    box(DBEdit6, "DBEdit6", "zirosmetka", "Zirosmetka");
    box(DBEdit7, "DBEdit7", "deponent", "Banka");
    box(DBEdit8, "DBEdit8", "edb", "Edb");
    box(DBEdit9, "DBEdit9", "sifdejnost", "Dejnost");
    box(DBEdit10, "DBEdit10", "mb", "MB");
    box(DBEdit11, "DBEdit11", "zabeleska1", "Zabeleska1");
    box(DBEdit12, "DBEdit12", "zabeleska2", "Zabeleska 2");
    frame::setBackground(DBEdit2, frame::nameHighlight());
    DBEdit1->setFixedWidth(90);

    Splitter1 = frame::gridBesidePanel(this, bodyLayout(), DBGrid1, Panel1);
}
