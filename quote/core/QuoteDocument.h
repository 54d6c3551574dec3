#pragma once
// The quotation being edited: the tree of areas and work types, the store grid hfgB holding every
// item row (one block per leaf), the visible grid hfgQ listing the rows of the shown node, the
// path of the shown node lbPath, the header fields, the page-end fields and the totals.
//
// Store grid: rows 1 to Rows - 1 hold every item row, column 1 the full path of the row's leaf.
// The rows of one leaf form one block; storing a leaf's rows removes its old block and appends the
// new one at the end. Rows whose path is no leaf's path are never listed but are kept (and saved).
//
// Visible grid: the rows of the shown node. For a leaf its block (editable); for an inner node the
// blocks of every leaf below it in depth-first tree order (read-only). Column 1 carries the leaf's
// path on the first row of each listed block only.
//
// Showing another node (tv_NodeClick) first stores the rows of the leaf shown so far. Whatever needs
// the whole quotation (saving, statistics, printing) first shows the root.
#include "ItemGrid.h"
#include "PageEnd.h"
#include "QuoteTree.h"

#include <QString>
#include <functional>

namespace quote {

// The header fields, named after the window's controls.
struct QuoteHeader {
    QString txtCn;   // customer name
    QString cbEcn;   // project name
    QString cbSal;   // salesperson
    QString cbK;     // project category
    QString txtNo;   // quotation number
    QString txtAddr; // construction-site address
    QString txtQD;   // quotation date, as shown

    bool operator==(const QuoteHeader&) const = default;
};

class QuoteDocument {
public:
    // What the window does around the document's procedures. Any of them may be left empty.
    struct Hooks {
        std::function<void()> hideCellEditors;        // frmQ.HideCellEditors
        std::function<void()> totalsRefreshed;        // the totals were recomputed into `totals`
        std::function<void(bool editable)> setupGrid; // frmQ.SetupGrid: lay out the visible grid
        std::function<void()> pathChanged;            // lbPath changed (refills the item-name list)
    };

    QuoteDocument(); // an empty quotation: the root alone, shown in the editable view

    // Content of `other` replaces this document's content; the hooks stay.
    void adopt(QuoteDocument&& other);

    Hooks hooks;

    QuoteTree tree;
    ItemGrid hfgB; // store grid
    ItemGrid hfgQ; // visible grid
    QString lbPath = kRootKey;
    QuoteHeader header;
    bool WorkTypesOnly = false;
    PageEnd pageEnd;
    GridTotals totals;

    // The node last shown or clicked, and what the row procedures leave behind.
    QString NodeKey = kRootKey;
    int NodeIndex = 1;
    QString NodePath = kRootKey;
    bool NodeIsLeaf = true;     // the shown node is a leaf: editable, stored back when left
    bool LastRowFilled = false; // result of TrimEmptyRows
    int NodeFirstRow = 0;       // result of FindNodeRows (0 = none)
    int NodeLastRow = 0;

    // Shows the node with key `key`: stores the rows of the leaf shown so far, lists the node's
    // rows, refreshes the totals and lays out the grid. False (nothing done) for an unknown key.
    bool tv_NodeClick(const QString& key);
    // The root is the node on show (its listing is the whole quotation).
    bool rootShown() const { return tree.root() && lbPath == tree.root()->key; }
    // Sets NodeFirstRow and NodeLastRow to the first run of store rows with that path (0, 0: none).
    void FindNodeRows(const QString& path);
    // 1 when the store grid holds rows for the path, else 0 (NodeFirstRow/NodeLastRow as set by
    // FindNodeRows).
    int getD(const QString& np);
    // Writes the visible grid's rows into the store grid as the block of lbPath; `hasRows` tells
    // whether `path` has a block to replace.
    void StoreNodeRows(bool hasRows, const QString& path);
    // Appends to the visible grid the rows of the node `key` (a leaf) or of every leaf below it.
    void LstNd(const QString& key);
    // Drops the trailing empty rows of the visible grid (one data row always stays) and sets
    // LastRowFilled when the last remaining row holds text in any of columns 2 to 12.
    void TrimEmptyRows();
    // Finds the node below `key` whose full path is `s` and shows it. Its key, or empty when none
    // (the node `key` itself is not compared).
    QString GetL(const QString& key, const QString& s);
    // The node's own name: the last part of its full path.
    static QString lndname(const QString& fullPath) { return quote::lndname(fullPath); }

    // Cell accessors of the visible grid.
    QString GTxM(int r, int c) const { return hfgQ.cell(r, c); }
    void SetCell(int r, int c, const QString& text) { hfgQ.setCell(r, c, text); }

    // The totals of the visible grid into `totals`.
    void RefreshTotals();
    // The totals the root would show now (the whole quotation, the edits of the shown leaf
    // included), whatever node is shown. Changes nothing.
    GridTotals quotationTotals() const;

    // The page-end fields back to their empty state: remarks, fee fields, tax labels and discount
    // emptied, fees excluded and by total price, tax rate "5%"; the tax check box and the fee names
    // keep their state.
    void ResetFooterFields();

    // The block of a leaf left with no rows leaves the store grid (when it has one); an emptied
    // store grid becomes a fresh one.
    void dropNodeRows(const QString& path);

    // Lists the root afresh from the store grid (after the store was filled from a file): nothing
    // is stored back from the visible grid.
    void showRootAfterRead();

    // Content equality (the hooks are not compared).
    bool operator==(const QuoteDocument& other) const;

private:
    bool showNode(const QString& key, bool relist);
    // The block of `path` (as FindNodeRows finds it) leaves the store grid.
    void removeNodeRows(const QString& path);
};

} // namespace quote
