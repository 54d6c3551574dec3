#pragma once
// The quotation window's tree commands: the tree's popup mTV with its enabling, the list commands
// that open the pick list lstAK beside the tree, adding the picked names as children or inserting
// them as siblings, and deleting a node. The tree widget follows the document's tree afterwards.
#include "TreeCommands.h"

#include <QObject>

class PickList;
class QPoint;
class frmQ;

class TreeMenu : public QObject {
    Q_OBJECT
public:
    explicit TreeMenu(frmQ* window);

    // tv_MouseDown (the window ends cell editing first): the pressed node becomes the current node;
    // the right button sets the items' enabled state and shows the popup at `globalPos`.
    void tv_MouseDown(Qt::MouseButton button, const QString& nodeKey, const QPoint& globalPos);

    PickList* pickList() const { return lstAK_; }

public slots:
    void mAddA_Click();
    void mAddT_Click();
    void mInsA_Click();
    void mInsT_Click();
    void mDelN_Click();
    void mADakO_Click();

private:
    void openList(quote::PickCommand command);
    // The tree widget rebuilt, `selectKey` selected, the print items and the undo snapshot brought
    // in line with the document (the snapshot goes when another node is shown).
    void treeChanged(const QString& selectKey, const QString& shownBefore);

    frmQ* w;
    PickList* lstAK_;
};
