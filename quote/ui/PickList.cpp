#include "PickList.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

PickList::PickList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("lstAK"));
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    hide();
    mADAK = new QMenu(this);
    mADAK->setObjectName(QStringLiteral("mADAK"));
    mADakO = mADAK->addAction(QStringLiteral("確定"));
    mADakO->setObjectName(QStringLiteral("mADakO"));
    mADAK->addSeparator();
    mADakC = mADAK->addAction(QStringLiteral("取消"));
    mADakC->setObjectName(QStringLiteral("mADakC"));
    connect(mADakO, &QAction::triggered, this, &PickList::confirmed);
    connect(mADakC, &QAction::triggered, this, &QWidget::hide);
}

void PickList::open(const QStringList& entries, quote::PickCommand command, const QString& nodeKey) {
    clear();
    addItems(entries);
    command_ = command;
    nodeKey_ = nodeKey;
    show();
    raise();
    setFocus();
}

QStringList PickList::selectedEntries() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            out << item(i)->text();
    return out;
}

void PickList::mousePressEvent(QMouseEvent* e) {
    // The right button keeps the selection made so far: it only opens the popup.
    if (e->button() != Qt::RightButton)
        QListWidget::mousePressEvent(e);
    mADakO->setEnabled(!selectedItems().isEmpty());
    if (e->button() == Qt::RightButton)
        mADAK->popup(e->globalPosition().toPoint());
}

void PickList::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QListWidget::keyPressEvent(e);
}
