#include "TreeMenu.h"

#include "CellEditors.h"
#include "OpenMainDb.h"
#include "PickList.h"
#include "frmQ.h"
#include "mdM.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

TreeMenu::TreeMenu(frmQ* window) : QObject(window), w(window) {
    setObjectName(QStringLiteral("TreeMenu"));
    lstAK_ = new PickList(w->areaTypePickList(), w->menu(QStringLiteral("mADAK")), w->action(QStringLiteral("mADakO")),
                          w->action(QStringLiteral("mADakC")));
    connect(w->action(QStringLiteral("mAddA")), &QAction::triggered, this, &TreeMenu::mAddA_Click);
    connect(w->action(QStringLiteral("mAddT")), &QAction::triggered, this, &TreeMenu::mAddT_Click);
    connect(w->action(QStringLiteral("mInsA")), &QAction::triggered, this, &TreeMenu::mInsA_Click);
    connect(w->action(QStringLiteral("mInsT")), &QAction::triggered, this, &TreeMenu::mInsT_Click);
    connect(w->action(QStringLiteral("mDelN")), &QAction::triggered, this, &TreeMenu::mDelN_Click);
    connect(lstAK_, &PickList::confirmed, this, &TreeMenu::mADakO_Click);
    connect(w, &frmQ::treePressed, this, [this](Qt::MouseButton button, const QString& key, const QPoint& at) {
        // A press beside the nodes takes the node selected in the tree.
        const QTreeWidgetItem* current = w->tree()->currentItem();
        tv_MouseDown(button, key.isEmpty() && current ? current->data(0, Qt::UserRole).toString() : key, at);
    });
    // The tree marks the shown node again once the popup is gone.
    connect(w->menu(QStringLiteral("mTV")), &QMenu::aboutToHide, this,
            [this] { w->selectTreeNode(w->document().lbPath); });
}

void TreeMenu::tv_MouseDown(Qt::MouseButton button, const QString& nodeKey, const QPoint& globalPos) {
    quote::QuoteDocument& doc = w->document();
    if (!doc.tree.contains(nodeKey))
        return;
    doc.NodeKey = nodeKey;
    doc.NodePath = nodeKey;
    doc.NodeIndex = doc.tree.indexOf(nodeKey);
    if (button != Qt::RightButton)
        return;
    const quote::TreeMenuState s = quote::treeMenuState(doc.tree, doc.NodePath, doc.WorkTypesOnly);
    auto enable = [this](const char* name, bool on) { w->action(QString::fromLatin1(name))->setEnabled(on); };
    enable("mAddA", s.mAddA);
    enable("mAddT", s.mAddT);
    w->menu(QStringLiteral("mInsN"))->setEnabled(s.mInsN);
    enable("mInsA", s.mInsA);
    enable("mInsT", s.mInsT);
    enable("mDelN", s.mDelN);
    w->menu(QStringLiteral("mCal"))->setEnabled(s.mCal);
    enable("mCalA", s.mCalA);
    w->menu(QStringLiteral("mTV"))->popup(globalPos);
}

void TreeMenu::openList(quote::PickCommand command) {
    quote::QuoteDocument& doc = w->document();
    QStringList catalogue;
    try {
        db::Database& db = openMainDbOrThrow();
        catalogue = quote::listsWorkTypes(command) ? quote::catalogueWorkTypes(db)
                                                  : quote::catalogueAreas(db, w->categoryBox()->currentText());
    } catch (const db::DbError& e) {
        lstAK_->unread(e.description());
        ui::msgBox(mdM::dbErrorText(e), ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
        return;
    }
    QListWidget* list = lstAK_->list();
    const QRect t = w->tree()->geometry();
    list->setGeometry(t.right() + 1, t.top(), list->width(), std::max(1, t.height() - ui::twipsToPixelsY(200, w)));
    lstAK_->open(quote::pickEntries(doc.tree, doc.NodeKey, command, catalogue), command, doc.NodeKey);
}

void TreeMenu::mAddA_Click() {
    openList(quote::PickCommand::AddAreas);
}

void TreeMenu::mAddT_Click() {
    openList(quote::PickCommand::AddWorkTypes);
}

void TreeMenu::mInsA_Click() {
    openList(quote::PickCommand::InsertAreas);
}

void TreeMenu::mInsT_Click() {
    openList(quote::PickCommand::InsertWorkTypes);
}

void TreeMenu::treeChanged(const QString& selectKey, const QString& shownBefore) {
    quote::QuoteDocument& doc = w->document();
    w->setWorkTypesOnly(doc.WorkTypesOnly);
    if (doc.lbPath != shownBefore)
        w->cellEditors()->clearUndo();
    // The nodes open before stay open, and so does the node the command worked on.
    QStringList expanded{doc.NodeKey};
    for (QTreeWidgetItemIterator it(w->tree()); *it; ++it)
        if ((*it)->isExpanded())
            expanded << (*it)->data(0, Qt::UserRole).toString();
    w->rebuildTree();
    for (const QString& key : expanded)
        if (QTreeWidgetItem* item = w->treeItem(key))
            item->setExpanded(true);
    for (QTreeWidgetItem* item = w->treeItem(selectKey); item; item = item->parent())
        if (item != w->treeItem(selectKey))
            item->setExpanded(true);
    w->selectTreeNode(selectKey);
    // The rows shown may have gone with a node: the totals follow them.
    w->RefreshTotals();
}

void TreeMenu::mADakO_Click() {
    quote::QuoteDocument& doc = w->document();
    const quote::PickCommand command = lstAK_->command();
    const QString node = lstAK_->nodeKey();
    const QStringList selected = lstAK_->selectedEntries();
    const QString shownBefore = doc.lbPath;
    lstAK_->hide();
    if (quote::pickInsertsSiblings(command)) {
        if (quote::InsertSiblingNodesFromList(doc, node, selected))
            treeChanged(node, shownBefore);
    } else if (quote::AddChildNodesFromList(doc, node, selected, quote::listsWorkTypes(command))) {
        treeChanged(doc.lbPath, shownBefore);
    }
}

void TreeMenu::mDelN_Click() {
    quote::QuoteDocument& doc = w->document();
    const QString shownBefore = doc.lbPath;
    if (quote::mDelN_Click(doc, doc.NodeKey))
        treeChanged(doc.lbPath, shownBefore);
}
