#include "PickList.h"

#include "ui/Controls.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>

PickList::PickList(QListWidget* list, QMenu* mADAK, QAction* mADakO, QAction* mADakC)
    : QObject(list), list_(list), viewport_(list->viewport()), mADAK_(mADAK), mADakO_(mADakO) {
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->installEventFilter(this);
    viewport_->installEventFilter(this);
    connect(mADakO, &QAction::triggered, this, &PickList::confirmed);
    connect(mADakC, &QAction::triggered, this, &PickList::hide);
}

void PickList::open(const QStringList& entries, quote::PickCommand command, const QString& nodeKey) {
    list_->clear();
    list_->addItems(entries);
    ui::markUnloaded(list_, QString());
    command_ = command;
    nodeKey_ = nodeKey;
    list_->show();
    list_->raise();
    list_->setFocus();
}

void PickList::unread(const QString& reason) {
    list_->clear();
    ui::markUnloaded(list_, QStringLiteral("未能載入：%1").arg(reason));
}

void PickList::hide() {
    list_->hide();
}

QStringList PickList::selectedEntries() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        if (list_->item(i)->isSelected())
            out << list_->item(i)->text();
    return out;
}

bool PickList::eventFilter(QObject* watched, QEvent* e) {
    if (watched == viewport_ && e->type() == QEvent::MouseButtonPress) {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() != Qt::RightButton)
            return false; // the list selects; 確定 follows the selection (below)
        // The right button keeps the selection made so far: it only opens the popup.
        mADakO_->setEnabled(!list_->selectedItems().isEmpty());
        mADAK_->popup(m->globalPosition().toPoint());
        return true;
    }
    if (watched == viewport_ && e->type() == QEvent::MouseButtonRelease)
        mADakO_->setEnabled(!list_->selectedItems().isEmpty());
    if (watched == list_ && e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    return false;
}
