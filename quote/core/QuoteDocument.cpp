#include "QuoteDocument.h"

#include "Pricing.h"

#include <utility>

namespace quote {

QuoteDocument::QuoteDocument() = default;

void QuoteDocument::adopt(QuoteDocument&& other) {
    Hooks kept = std::move(hooks);
    *this = std::move(other);
    hooks = std::move(kept);
}

bool QuoteDocument::tv_NodeClick(const QString& key) {
    return showNode(key, false);
}

void QuoteDocument::showRootAfterRead() {
    NodeIsLeaf = false; // the visible grid holds nothing to store back
    lbPath = QStringLiteral("OpenFile");
    if (const auto* root = tree.root())
        showNode(root->key, true);
}

bool QuoteDocument::showNode(const QString& key, bool relist) {
    const QuoteTree::Node* node = tree.find(key);
    if (!node)
        return false;
    LastRowFilled = false;
    if (hooks.hideCellEditors)
        hooks.hideCellEditors();
    NodeKey = node->key;
    NodeIndex = tree.indexOf(node->key);
    NodePath = node->key;

    if (relist || lbPath != node->key) {
        if (NodeIsLeaf) {
            TrimEmptyRows();
            const bool hasRows = getD(lbPath) == 1;
            if (hfgQ.rows() == 2 && !LastRowFilled) {
                // Every row of the leaf was deleted: it keeps no block.
                dropNodeRows(lbPath);
            } else {
                StoreNodeRows(hasRows, lbPath);
            }
        }
        hfgQ.reset();
        LstNd(node->key);
    }

    RefreshTotals();
    NodeIsLeaf = node->isLeaf();
    if (hooks.setupGrid)
        hooks.setupGrid(NodeIsLeaf);
    if (lbPath != node->key) {
        lbPath = node->key;
        if (hooks.pathChanged)
            hooks.pathChanged();
    }
    return true;
}

void QuoteDocument::FindNodeRows(const QString& path) {
    NodeFirstRow = hfgB.firstRowOf(path);
    NodeLastRow = 0;
    if (NodeFirstRow == 0)
        return;
    int r = NodeFirstRow;
    while (r + 1 < hfgB.rows() && hfgB.cell(r + 1, ColPath) == path)
        ++r;
    NodeLastRow = r;
}

int QuoteDocument::getD(const QString& np) {
    FindNodeRows(np);
    return NodeFirstRow == 0 && NodeLastRow == 0 ? 0 : 1;
}

void QuoteDocument::StoreNodeRows(bool hasRows, const QString& path) {
    if (!hasRows) {
        if (hfgB.isEmptyGrid())
            hfgB.setRows(1); // the one empty row is taken by the block
    } else {
        removeNodeRows(path);
    }
    const auto shown = std::as_const(hfgQ).dataRows();
    std::vector<ItemRow> block(shown.begin(), shown.end());
    for (ItemRow& r : block) {
        r[ColHeader].clear();
        r[ColPath] = lbPath;
    }
    hfgB.appendRows(block);
}

void QuoteDocument::removeNodeRows(const QString& path) {
    FindNodeRows(path);
    hfgB.removeRows(NodeFirstRow, NodeLastRow - NodeFirstRow + 1);
}

void QuoteDocument::dropNodeRows(const QString& path) {
    if (getD(path) == 0)
        return;
    removeNodeRows(path);
    if (hfgB.rows() < 2)
        hfgB.reset();
}

void QuoteDocument::LstNd(const QString& key) {
    for (const QString& leaf : tree.leaves(key)) {
        if (getD(leaf) == 0)
            continue;
        const int k = NodeLastRow - NodeFirstRow + 1;
        int row = hfgQ.rows();
        if (hfgQ.rows() == 2 && hfgQ.cell(1, ColPath).isEmpty() && hfgQ.cell(1, ColName).isEmpty()) {
            row = 1;
            hfgQ.setRows(1 + k);
        } else {
            hfgQ.setRows(row + k);
        }
        for (int i = 0; i < k; ++i, ++row, ++NodeFirstRow) {
            ItemRow r = hfgB.row(NodeFirstRow);
            r[ColHeader].clear();
            r[ColPath] = i == 0 ? leaf : QString(); // the rows after the first are new, empty rows
            hfgQ.setRow(row, std::move(r));
        }
    }
}

void QuoteDocument::TrimEmptyRows() {
    LastRowFilled = false;
    for (;;) {
        if (!isEmptyRow(hfgQ.row(hfgQ.rows() - 1))) {
            LastRowFilled = true;
            return;
        }
        if (hfgQ.rows() <= 2)
            return;
        hfgQ.setRows(hfgQ.rows() - 1);
    }
}

QString QuoteDocument::GetL(const QString& key, const QString& s) {
    const QuoteTree::Node* node = tree.find(key);
    if (!node)
        return {};
    for (const QuoteTree::Node* c : node->children) {
        if (c->key == s) {
            const QString found = c->key;
            tv_NodeClick(found);
            return found;
        }
        const QString found = GetL(c->key, s);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void QuoteDocument::RefreshTotals() {
    totals = quote::RefreshTotals(std::as_const(hfgQ).dataRows());
    if (hooks.totalsRefreshed)
        hooks.totalsRefreshed();
}

GridTotals QuoteDocument::quotationTotals() const {
    if (!tree.root())
        return totals;
    if (!NodeIsLeaf && lbPath == tree.root()->key)
        return quote::RefreshTotals(hfgQ.dataRows()); // the root is shown
    QuoteDocument whole = *this;
    whole.hooks = {};
    whole.tv_NodeClick(tree.root()->key);
    return whole.totals;
}

void QuoteDocument::ResetFooterFields() {
    PageEnd fresh;
    fresh.ckTax = pageEnd.ckTax;
    fresh.design.name = pageEnd.design.name;
    fresh.supervision.name = pageEnd.supervision.name;
    pageEnd = fresh;
}

bool QuoteDocument::operator==(const QuoteDocument& o) const {
    return tree == o.tree && hfgB == o.hfgB && hfgQ == o.hfgQ && lbPath == o.lbPath && header == o.header &&
           WorkTypesOnly == o.WorkTypesOnly && pageEnd == o.pageEnd && totals == o.totals &&
           NodeKey == o.NodeKey && NodeIndex == o.NodeIndex && NodePath == o.NodePath &&
           NodeIsLeaf == o.NodeIsLeaf && LastRowFilled == o.LastRowFilled && NodeFirstRow == o.NodeFirstRow &&
           NodeLastRow == o.NodeLastRow;
}

} // namespace quote
