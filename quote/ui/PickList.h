#pragma once
// The floating multi-select list lstAK beside the quotation tree: the names offered by a tree list
// command. Click, Shift+click and Ctrl+click select; the choice is confirmed only through the list's
// popup mADAK (確定 / 取消), which a right press opens without touching the selection; Escape hides it.
#include "TreeCommands.h"

#include <QObject>

class QAction;
class QListWidget;
class QMenu;

class PickList : public QObject {
    Q_OBJECT
public:
    PickList(QListWidget* list, QMenu* mADAK, QAction* mADakO, QAction* mADakC);

    // Empties the list, fills it, remembers the command and the node and shows it with the focus.
    void open(const QStringList& entries, quote::PickCommand command, const QString& nodeKey);
    void hide();
    // The entries could not be read: the list keeps none of an earlier opening and says why.
    void unread(const QString& reason);
    // The selected entries, top to bottom.
    QStringList selectedEntries() const;

    quote::PickCommand command() const { return command_; }
    const QString& nodeKey() const { return nodeKey_; }
    QListWidget* list() const { return list_; }

signals:
    void confirmed(); // 確定 chosen: the window runs the command

protected:
    bool eventFilter(QObject* watched, QEvent* e) override; // lstAK_MouseDown, lstAK_KeyPress

private:
    QListWidget* list_;
    QObject* viewport_; // compared only: the list may be half destroyed while its viewport goes
    QMenu* mADAK_;
    QAction* mADakO_;
    quote::PickCommand command_ = quote::PickCommand::AddAreas;
    QString nodeKey_;
};
