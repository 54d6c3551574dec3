#include "TreeMenu.h"

#include "OpenMainDb.h"
#include "PickList.h"
#include "db/Database.h"
#include "mdM.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* action(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu* submenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* m = menu->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

void showFailure(const QString& reason) {
    ui::msgBox(reason, ui::Buttons::OK, ui::Icon::Critical, QStringLiteral("Kavo III"));
}

} // namespace

TreeMenu::TreeMenu(quote::QuoteDocument& doc, QWidget* window, QWidget* tree, std::function<QString()> category)
    : QObject(window), doc_(doc), window_(window), tree_(tree), category_(std::move(category)) {
    mTV = new QMenu(window);
    mTV->setObjectName(QStringLiteral("mTV"));
    mAddN = submenu(mTV, "mAddN", QStringLiteral("新增"));
    mAddA = action(mAddN, "mAddA", QStringLiteral("新增區域"));
    mAddN->addSeparator();
    mAddT = action(mAddN, "mAddT", QStringLiteral("新增工種"));
    mTV->addSeparator();
    mInsN = submenu(mTV, "mInsN", QStringLiteral("插入"));
    mInsA = action(mInsN, "mInsA", QStringLiteral("插入區域"));
    mInsN->addSeparator();
    mInsT = action(mInsN, "mInsT", QStringLiteral("插入工種"));
    mTV->addSeparator();
    mDelN = action(mTV, "mDelN", QStringLiteral("刪除"));
    mTV->addSeparator();
    mCal = submenu(mTV, "mCal", QStringLiteral("統計"));
    mCalT = action(mCal, "mCalT", QStringLiteral("依工種..."));
    mCal->addSeparator();
    mCalA = action(mCal, "mCalA", QStringLiteral("依區域..."));

    lstAK = new PickList(tree->parentWidget());

    connect(mAddA, &QAction::triggered, this, &TreeMenu::mAddA_Click);
    connect(mAddT, &QAction::triggered, this, &TreeMenu::mAddT_Click);
    connect(mInsA, &QAction::triggered, this, &TreeMenu::mInsA_Click);
    connect(mInsT, &QAction::triggered, this, &TreeMenu::mInsT_Click);
    connect(mDelN, &QAction::triggered, this, &TreeMenu::mDelN_Click);
    connect(lstAK, &PickList::confirmed, this, &TreeMenu::mADakO_Click);
}

void TreeMenu::tv_MouseDown(Qt::MouseButton button, const QString& nodeKey, const QPoint& globalPos) {
    if (doc_.hooks.hideCellEditors)
        doc_.hooks.hideCellEditors();
    if (!doc_.tree.contains(nodeKey))
        return;
    doc_.NodeKey = nodeKey;
    doc_.NodePath = nodeKey;
    doc_.NodeIndex = doc_.tree.indexOf(nodeKey);
    if (button != Qt::RightButton)
        return;
    const quote::TreeMenuState s = quote::treeMenuState(doc_.tree, doc_.NodePath, doc_.WorkTypesOnly);
    mAddA->setEnabled(s.mAddA);
    mAddT->setEnabled(s.mAddT);
    mInsN->setEnabled(s.mInsN);
    mInsA->setEnabled(s.mInsA);
    mInsT->setEnabled(s.mInsT);
    mDelN->setEnabled(s.mDelN);
    mCal->setEnabled(s.mCal);
    mCalA->setEnabled(s.mCalA);
    mTV->popup(globalPos);
}

void TreeMenu::applyWorkTypesOnly() {
    const bool enabled = quote::areaPrintItemsEnabled(doc_.WorkTypesOnly);
    for (const char* name : quote::kAreaPrintItems)
        for (QAction* a : window_->findChildren<QAction*>(QString::fromLatin1(name)))
            a->setEnabled(enabled);
}

void TreeMenu::openList(quote::PickCommand command) {
    QStringList catalogue;
    try {
        db::Database& db = openMainDbOrThrow();
        catalogue = quote::pickWorkTypes(command) ? quote::catalogueWorkTypes(db)
                                                  : quote::catalogueAreas(db, category_ ? category_() : QString());
    } catch (const db::DbError& e) {
        showFailure(mdM::dbErrorText(e));
        return;
    }
    const QRect t = tree_->geometry();
    lstAK->setGeometry(t.right() + 1, t.top(), lstAK->width(),
                       std::max(1, t.height() - ui::twipsToPixelsY(200, tree_)));
    lstAK->open(quote::pickEntries(doc_.tree, doc_.NodeKey, command, catalogue), command, doc_.NodeKey);
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

void TreeMenu::mADakO_Click() {
    const quote::PickCommand command = lstAK->command();
    const QString node = lstAK->nodeKey();
    const QStringList selected = lstAK->selectedEntries();
    lstAK->hide();
    if (quote::pickInsertsSiblings(command)) {
        if (quote::InsertSiblingNodesFromList(doc_, node, selected))
            emit treeChanged(node);
        return;
    }
    const QString shownBefore = doc_.lbPath;
    if (quote::AddChildNodesFromList(doc_, node, selected, quote::pickWorkTypes(command))) {
        applyWorkTypesOnly();
        emit treeChanged(doc_.lbPath);
    } else if (doc_.lbPath != shownBefore) {
        emit treeChanged(doc_.lbPath);
    }
}

void TreeMenu::mDelN_Click() {
    if (!quote::mDelN_Click(doc_, doc_.NodeKey))
        return;
    applyWorkTypesOnly();
    emit treeChanged(doc_.lbPath);
}
