#pragma once
// The quotation tree's popup mTV and its commands: adding areas and work types picked in the list
// lstAK as children or inserting them as siblings, and deleting a node. The window tells it about
// presses on the tree and mirrors the document's tree when it reports a change.
#include "TreeCommands.h"

#include <QObject>
#include <functional>

class PickList;
class QAction;
class QMenu;
class QPoint;
class QWidget;

class TreeMenu : public QObject {
    Q_OBJECT
public:
    // `window` owns the popup; `tree` is the tree control the list opens beside (same parent);
    // `category` gives the project category whose areas are offered.
    TreeMenu(quote::QuoteDocument& doc, QWidget* window, QWidget* tree, std::function<QString()> category);

    // tv_MouseDown: the pressed node becomes the current node; the right button sets the items'
    // enabled state and shows the popup at `globalPos`.
    void tv_MouseDown(Qt::MouseButton button, const QString& nodeKey, const QPoint& globalPos);

    // The eight print items that need an area level follow the work-types-only flag.
    void applyWorkTypesOnly();

    QMenu* mTV = nullptr;
    QMenu* mAddN = nullptr;
    QAction* mAddA = nullptr;
    QAction* mAddT = nullptr;
    QMenu* mInsN = nullptr;
    QAction* mInsA = nullptr;
    QAction* mInsT = nullptr;
    QAction* mDelN = nullptr;
    QMenu* mCal = nullptr;
    QAction* mCalT = nullptr; // 依工種... (the statistics window's command)
    QAction* mCalA = nullptr; // 依區域...
    PickList* lstAK = nullptr;

signals:
    // The tree changed: the window mirrors it and selects `selectKey`.
    void treeChanged(const QString& selectKey);

public slots:
    void mAddA_Click();
    void mAddT_Click();
    void mInsA_Click();
    void mInsT_Click();
    void mDelN_Click();
    void mADakO_Click();

private:
    void openList(quote::PickCommand command);

    quote::QuoteDocument& doc_;
    QWidget* window_;
    QWidget* tree_;
    std::function<QString()> category_;
};
