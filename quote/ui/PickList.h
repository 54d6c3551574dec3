#pragma once
// The floating multi-select list lstAK beside the quotation tree: the names offered by a tree list
// command. Click, Shift+click and Ctrl+click select; the choice is confirmed only through its popup
// (確定 / 取消); Escape hides it.
#include "TreeCommands.h"

#include <QListWidget>

class QAction;
class QMenu;

class PickList : public QListWidget {
    Q_OBJECT
public:
    explicit PickList(QWidget* parent);

    // Empties the list, fills it, remembers the command and the node and shows it with the focus.
    void open(const QStringList& entries, quote::PickCommand command, const QString& nodeKey);
    // The selected entries, top to bottom.
    QStringList selectedEntries() const;

    quote::PickCommand command() const { return command_; }
    const QString& nodeKey() const { return nodeKey_; }

    QMenu* mADAK = nullptr;
    QAction* mADakO = nullptr; // 確定
    QAction* mADakC = nullptr; // 取消

signals:
    void confirmed(); // 確定 chosen: the window runs the command

protected:
    void mousePressEvent(QMouseEvent* e) override; // lstAK_MouseDown
    void keyPressEvent(QKeyEvent* e) override;     // lstAK_KeyPress

private:
    quote::PickCommand command_ = quote::PickCommand::AddAreas;
    QString nodeKey_;
};
