#include "frame/tnavform.h"

#include "frame/icons.h"
#include "kit/guard.h"
#include "kit/pagecontrol.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int RecordRole = Qt::UserRole + 1;
constexpr int OwnedRole = Qt::UserRole + 2;
constexpr int PictureRole = Qt::UserRole + 3;
constexpr int SelectedPictureRole = Qt::UserRole + 4;

// Pictures by kind: (picture, selected picture); kinds outside 1..7 get none.
std::pair<int, int> picturesOf(int kind)
{
    if (kind >= 1 && kind <= 7)
        return {2 * kind + 1, 2 * kind};
    return {-1, -1};
}

} // namespace

void NavTree::keyPressEvent(QKeyEvent* event)
{
    if (kit::dispatchKeyDown(OnKeyDown, event))
        return;
    QTreeWidget::keyPressEvent(event);
}

TNavForm::TNavForm(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("NavForm"));
    setWindowTitle(QStringLiteral("Navigator"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new kit::PageControl(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFlatTabs(true);
    QWidget* tree = PageControl1->addPage(QStringLiteral("Tree"));
    PageControl1->addPage(QStringLiteral("Options"));
    auto* treeLayout = new QVBoxLayout(tree);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    TreeView1 = new NavTree(tree);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setIndentation(19);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setIconSize(QSize(16, 16));
    TreeView1->header()->setStretchLastSection(false);
    TreeView1->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    treeLayout->addWidget(TreeView1);
    layout->addWidget(PageControl1);
    setFixedSize(143, 269);

    connect(TreeView1, &QTreeWidget::itemClicked, this, [this]() { kit::guarded([this] { TreeView1Click(); }); });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this]() { refreshPictures(); });
    TreeView1->OnKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { TreeView1KeyDown(key, shift); };
}

TNavForm::~TNavForm()
{
    // Window records belong to their nodes.
    for (QTreeWidgetItem* node : windowNodes())
        if (node->data(0, OwnedRole).toBool())
            delete recordOf(node);
}

TCCC* TNavForm::recordOf(const QTreeWidgetItem* node)
{
    if (!node)
        return nullptr;
    return static_cast<TCCC*>(node->data(0, RecordRole).value<void*>());
}

QList<QTreeWidgetItem*> TNavForm::windowNodes() const
{
    QList<QTreeWidgetItem*> out;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* company = TreeView1->topLevelItem(i);
        for (int j = 0; j < company->childCount(); ++j)
            out << company->child(j);
    }
    return out;
}

void TNavForm::setPictures(QTreeWidgetItem* node, int kind)
{
    const auto [picture, selected] = kind == 0 ? std::pair{1, 1} : picturesOf(kind);
    node->setData(0, PictureRole, picture);
    node->setData(0, SelectedPictureRole, selected);
}

void TNavForm::refreshPictures()
{
    QTreeWidgetItem* current = TreeView1->currentItem();
    auto apply = [current](QTreeWidgetItem* node) {
        const int index = node->data(0, node == current ? SelectedPictureRole : PictureRole).toInt();
        node->setIcon(0, index >= 0 ? frame::navigatorPicture(index) : QIcon());
    };
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* company = TreeView1->topLevelItem(i);
        apply(company);
        for (int j = 0; j < company->childCount(); ++j)
            apply(company->child(j));
    }
}

void TNavForm::AddCompany(const QString& name, TCCC* record)
{
    CompanyId = record->CompanyId;
    CompanyName = record->CompanyName;
    auto* node = new QTreeWidgetItem(TreeView1, QStringList{name});
    node->setData(0, RecordRole, QVariant::fromValue<void*>(record));
    node->setData(0, OwnedRole, false);
    setPictures(node, 0);
    CompanyNode = node;
    TreeView1->setCurrentItem(node);
    refreshPictures();
}

void TNavForm::AddWindow(const QString& caption, TCCC* record)
{
    record->CompanyId = CompanyId;
    record->CompanyName = CompanyName;
    if (!CompanyNode) {
        delete record;
        return;
    }
    auto* node = new QTreeWidgetItem(CompanyNode, QStringList{caption});
    node->setToolTip(0, caption); // the narrow navigator may cut long captions
    node->setData(0, RecordRole, QVariant::fromValue<void*>(record));
    node->setData(0, OwnedRole, true);
    setPictures(node, record->Kind);
    LastNode = node;
    CompanyNode->setExpanded(true);
    TreeView1->setCurrentItem(node);
    refreshPictures();
}

QTreeWidgetItem* TNavForm::windowNodeOf(QWidget* window) const
{
    for (QTreeWidgetItem* node : windowNodes()) {
        const TCCC* r = recordOf(node);
        if (r && r->Form == window)
            return node;
    }
    return nullptr;
}

void TNavForm::RemoveWindow(QWidget* window)
{
    for (QTreeWidgetItem* node : windowNodes()) {
        TCCC* r = recordOf(node);
        if (r && r->Form == window) {
            if (LastNode == node)
                LastNode = nullptr;
            if (node->data(0, OwnedRole).toBool())
                delete r;
            delete node;
        }
    }
    refreshPictures();
}

void TNavForm::SelectWindow(QWidget* window)
{
    if (TreeView1->topLevelItemCount() == 0)
        return;
    for (QTreeWidgetItem* node : windowNodes()) {
        const TCCC* r = recordOf(node);
        if (r && r->Form == window) {
            CompanyId = r->CompanyId;
            CompanyName = r->CompanyName;
            TreeView1->setCurrentItem(node);
            node->setSelected(true);
            CompanyNode = node->parent();
        } else {
            node->setSelected(false);
        }
        node->setExpanded(true);
    }
    refreshPictures();
}

void TNavForm::TreeView1Click()
{
    if (TreeView1->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* node = TreeView1->currentItem();
    const TCCC* r = recordOf(node);
    if (!node || !r)
        return;
    if (node->parent()) {
        if (QWidget* form = r->Form) {
            // Bring the window to the front: its MDI frame when it has one.
            QWidget* frame = form;
            for (QWidget* w = form; w; w = w->parentWidget())
                if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
                    frame = sub;
                    break;
                }
            if (auto* sub = qobject_cast<QMdiSubWindow*>(frame)) {
                if (sub->mdiArea())
                    sub->mdiArea()->setActiveSubWindow(sub);
                sub->showNormal();
                sub->raise();
            } else {
                form->show();
                form->raise();
            }
        }
        CompanyId = r->CompanyId;
        CompanyName = r->CompanyName;
        CompanyNode = node->parent();
    } else {
        CompanyId = r->CompanyId;
        CompanyName = r->CompanyName;
        CompanyNode = node;
    }
}

void TNavForm::TreeView1KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (kit::isEnter(key)) {
        TreeView1Click();
        key = 0;
    } else if (key == Qt::Key_Delete) {
        if (TreeView1->topLevelItemCount() > 0) {
            if (const TCCC* r = recordOf(TreeView1->currentItem())) {
                CompanyId = r->CompanyId;
                CompanyName = r->CompanyName;
            }
        }
        key = 0;
    }
}

void TNavForm::FormClose()
{
    if (OnClose)
        OnClose();
}

void TNavForm::closeEvent(QCloseEvent* event)
{
    if (!m_closing) {
        event->ignore(); // the operator cannot close the navigator
        return;
    }
    FormClose();
    event->accept();
}
