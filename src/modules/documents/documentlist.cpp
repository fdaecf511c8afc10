#include "modules/documents/documentlist.h"

#include "frame/formfields.h"
#include "data/database.h"
#include "data/datasource.h"
#include "data/errors.h"
#include "data/query.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/guard.h"
#include "kit/label.h"
#include "kit/menuitem.h"
#include "kit/messagebox.h"
#include "kit/panel.h"
#include "kit/popupmenu.h"
#include "kit/splitter.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include <exception>

DocumentList::DocumentList(const DocumentListKind& kind, QWidget* parent)
    : TSListBase(kind.menuCaptions, parent), m_kind(kind)
{
    // "Del" sits after "Update", before the separator and "Close".
    Del1 = PopupMenu2->addItem(QStringLiteral("Del1"), QStringLiteral("Del"));
    QAction* separator = nullptr;
    for (QAction* a : PopupMenu2->actions())
        if (a->isSeparator()) {
            separator = a;
            break;
        }
    PopupMenu2->removeAction(Del1);
    PopupMenu2->insertAction(separator, Del1);

    Query1 = new data::Query(database(), this);
    Query1->setObjectName(QStringLiteral("Query1"));
    for (const QString& line : m_kind.headers)
        Query1->SQL.Add(line);
    // Opening the list reads a page of headers; the grid reads on as it is scrolled.
    if (m_kind.pageRows > 0)
        Query1->setPagingDescending(QStringLiteral("id"), m_kind.pageRows);
    DataSource1 = new data::DataSource(Query1, this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    Query2 = new data::Query(database(), this);
    Query2->setObjectName(QStringLiteral("Query2"));
    for (const QString& line : m_kind.lines)
        Query2->SQL.Add(line);
    Query2->setMasterSource(DataSource1);
    DataSource2 = new data::DataSource(Query2, this);
    DataSource2->setObjectName(QStringLiteral("DataSource2"));

    DBGrid1 = new kit::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setBoldFont(true);
    DBGrid1->setTabStop(false);
    DBGrid1->addColumn(m_kind.numberField, m_kind.numberTitle, 130, QString(), m_kind.numberColor);
    DBGrid1->addColumn(QStringLiteral("datum"), QStringLiteral("Date"), 110);
    DBGrid1->setDataSource(DataSource1);

    Panel1 = new kit::Panel(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setColor(m_kind.panelColor);
    kit::Label** labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
    kit::DBEdit** edits[] = {&DBEdit1, &DBEdit2, &DBEdit3, &DBEdit4, &DBEdit5, &DBEdit6};
    QList<frame::DetailBox> boxes;
    for (int row = 0; row < int(m_kind.panel.size()) && row < 6; ++row) {
        const DocumentListKind::Shown& s = m_kind.panel[row];
        boxes.append({labels[row], edits[row], s.caption, s.ofLine ? DataSource2 : DataSource1, s.field, s.width});
    }
    frame::placeDetailBoxes(Panel1, boxes, 2);

    DBGrid2 = new kit::DBGrid(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setTabStop(false);
    DBGrid2->addColumn(QStringLiteral("sifra"), QStringLiteral("ProductID"), 110);
    DBGrid2->addColumn(QStringLiteral("artikal"), QStringLiteral("Product"), 340);
    DBGrid2->addColumn(QStringLiteral("edm"), QStringLiteral("Unit"), 70);
    DBGrid2->addColumn(m_kind.quantityField, QStringLiteral("Quantity"), 100);
    DBGrid2->setDataSource(DataSource2);

    Splitter1 = frame::listBesideDetails(this, bodyLayout(), DBGrid1, Panel1, DBGrid2, {270, 800});

    setFocusProxy(DBGrid1);
    RefreshList(); // reads the headers once, and notes the newest number
    Query2->Open();
}

void DocumentList::RefreshList()
{
    Query1->Close();
    Query1->Open();
    Query1->First();
    m_lastNumber = Query1->IsEmpty() ? 0 : Query1->FieldByName(m_kind.numberField).AsInteger();
}

int DocumentList::newestNumber(const DocumentList* list, data::Database& db, const stores::DocumentStatements& kind)
{
    if (list)
        return list->m_lastNumber;
    return stores::DocumentStore(db, kind).newestNumber();
}

void DocumentList::deleteCurrent()
{
    if (kit::messageBox(this, m_kind.deleteQuestion, QStringLiteral("Warning"), kit::Buttons::OkCancel) != kit::mrOk)
        return;
    const int id = SelectedId();
    try {
        stores::DocumentStore(connection(), m_kind.statements).remove(id, m_kind.alreadyDeleted);
    } catch (const data::StaleRecord& e) {
        kit::messageBox(this, e.text(), QStringLiteral("Warning"));
    } catch (const std::exception& e) {
        // Rolled back: the document stays whole, and the list shows it again.
        kit::showError(e);
    }
    RefreshList();
    Query2->Close();
    Query2->Open();
}
