#include "frame/tformsrgbase.h"

#include "frame/host.h"
#include "frame/linemodel.h"
#include "frame/tnavform.h"
#include "kit/focus.h"
#include "kit/popupmenu.h"
#include "kit/stringgrid.h"

#include "data/database.h"
#include "data/errors.h"
#include "data/query.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {
data::Database* g_building = nullptr; // see TFormSrgBase::Building
}

TFormSrgBase::Building::Building(data::Database* db) : m_previous(g_building)
{
    g_building = db;
}

TFormSrgBase::Building::~Building()
{
    g_building = m_previous;
}

TFormSrgBase::TFormSrgBase(QWidget* parent) : QWidget(parent), m_database(g_building)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // A window without controls still takes the focus, so Esc reaches its menu.
    setFocusPolicy(Qt::ClickFocus);
    PopupMenu1 = new kit::PopupMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Close1 = PopupMenu1->addItem(QStringLiteral("Close1"), QStringLiteral("Close"), QKeySequence(Qt::Key_Escape),
                                 [this]() { Close1Click(); });
    PopupMenu1->attachTo(this);
    QTimer::singleShot(0, this, [this]() { m_justBuilt = false; });
}

bool TFormSrgBase::activatedJustAfterBuilding()
{
    const bool first = m_justBuilt;
    m_justBuilt = false;
    return first;
}

TFormSrgBase::~TFormSrgBase()
{
    // A window freed without closing (its module is destroyed) leaves no node behind.
    if (!m_closed && Navigator)
        Navigator->RemoveWindow(this);
}

QMdiSubWindow* TFormSrgBase::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

void TFormSrgBase::InitChild(QWidget* caller, const QString& caption, int kind)
{
    frame::Host* main = frame::Host::current();
    QMdiSubWindow* sub = subWindow();
    if (main && !sub) {
        sub = main->mdiArea()->addSubWindow(this);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->setWindowIcon(windowIcon());
    }
    CallerForm = caller;
    if (main && sub) {
        const QSize outer = main->outerSize();
        sub->setGeometry(150, 0, qMax(200, outer.width() - 165), qMax(150, outer.height() - 150));
    }
    NodeRecord = new TCCC{1, caption, kind, this};
    if (Navigator)
        Navigator->AddWindow(caption, NodeRecord);
    else
        delete std::exchange(NodeRecord, nullptr);
    setWindowTitle(caption);
    if (sub) {
        sub->show();
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    } else {
        show();
    }
    if (!kit::focusFirstControl(this))
        setFocus(Qt::OtherFocusReason);
    noteInputAsOpened();
}

void TFormSrgBase::noteInputAsOpened()
{
    if (!m_tracksInput)
        return;
    m_inputAtStart = inputState();
    for (frame::LineModel* lines : findChildren<frame::LineModel*>())
        lines->markLoaded();
}

QStringList TFormSrgBase::inputState() const
{
    QStringList state;
    for (const QWidget* w : findChildren<QWidget*>()) {
        if (auto* line = qobject_cast<const QLineEdit*>(w))
            state << line->text();
        else if (auto* plain = qobject_cast<const QPlainTextEdit*>(w))
            state << plain->toPlainText();
        else if (auto* rich = qobject_cast<const QTextEdit*>(w))
            state << rich->toPlainText();
        else if (auto* combo = qobject_cast<const QComboBox*>(w))
            state << combo->currentText();
        else if (auto* spin = qobject_cast<const QAbstractSpinBox*>(w))
            state << spin->text();
        else if (auto* button = qobject_cast<const QAbstractButton*>(w); button && button->isCheckable())
            state << QString::number(button->isChecked());
        else if (auto* grid = qobject_cast<const kit::StringGrid*>(w);
                 grid && !qobject_cast<const frame::LineModel*>(grid->gridModel())) {
            state << QString::number(grid->RowCount());
            for (int row = 0; row < grid->RowCount(); ++row)
                for (int col = 0; col < grid->ColCount(); ++col)
                    state << grid->Cells(col, row);
        }
    }
    return state;
}

bool TFormSrgBase::hasUnsavedInput() const
{
    if (!m_tracksInput || m_closed)
        return false;
    // A document's lines count by their values (and their header texts by the fields).
    for (const frame::LineModel* lines : findChildren<const frame::LineModel*>())
        if (lines->differsFromLoaded())
            return true;
    return inputState() != m_inputAtStart;
}

void TFormSrgBase::setDatabase(data::Database* db)
{
    m_database = db;
    for (data::Query* query : findChildren<data::Query*>())
        query->setDatabase(db);
}

data::Database* TFormSrgBase::databaseOf(const QObject* owner)
{
    const auto* form = qobject_cast<const TFormSrgBase*>(owner);
    return form ? form->database() : nullptr;
}

data::Database& TFormSrgBase::connection() const
{
    if (!m_database)
        throw data::DatabaseError(QStringLiteral("The database connection is closed."));
    return *m_database;
}

void TFormSrgBase::FormClose()
{
    if (Navigator)
        Navigator->RemoveWindow(this);
    NodeRecord = nullptr;
}

void TFormSrgBase::Close()
{
    if (QMdiSubWindow* sub = subWindow())
        sub->close();
    else
        close();
}

void TFormSrgBase::closeEvent(QCloseEvent* event)
{
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}
