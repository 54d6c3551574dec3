#pragma once
// Quotations for the statistics and report tests, built through the document as the editor does.
#include "QuoteDocument.h"

#include <QStringList>
#include <vector>

namespace fixture {

using namespace quote;

inline QString path(const QStringList& parts) {
    return kRootKey + kPathSeparator + parts.join(kPathSeparator);
}

// An item row: name, quantity, unit price (amount = quantity × price), cost (cost total likewise).
inline ItemRow item(const QString& name, double qty = 1, double price = 0, double cost = 0) {
    ItemRow r;
    r[ColName] = name;
    r[ColSpec] = QStringLiteral("S");
    r[ColUnit] = QStringLiteral("式");
    r[ColQty] = QString::number(qty);
    r[ColPrice] = QString::number(price);
    r[ColAmount] = QString::number(qty * price);
    r[ColCost] = QString::number(cost);
    r[ColCostTotal] = QString::number(qty * cost);
    r[ColRatio] = cost == 0 ? QString() : QString::number(price / cost);
    return r;
}

// Adds the nodes of `leafPath` (parts below the root) that do not exist yet; returns the leaf's key.
inline QString addPath(QuoteDocument& doc, const QStringList& parts) {
    QString key = kRootKey;
    for (const QString& p : parts) {
        const QString child = key + kPathSeparator + p;
        if (!doc.tree.contains(child))
            doc.tree.addChild(key, p);
        key = child;
    }
    return key;
}

// Shows the leaf, types its rows into the visible grid and leaves it for the root.
inline void fillLeaf(QuoteDocument& doc, const QString& leaf, const std::vector<ItemRow>& rows) {
    doc.tv_NodeClick(leaf);
    doc.hfgQ.setRows(int(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        ItemRow r = rows[i];
        r[ColPath] = doc.hfgQ.cell(int(i) + 1, ColPath);
        doc.hfgQ.setRow(int(i) + 1, r);
    }
    doc.tv_NodeClick(kRootKey);
}

// A leaf with `n` numbered items of price 100 and cost 60 each.
inline std::vector<ItemRow> items(int n, const QString& prefix = QStringLiteral("品")) {
    std::vector<ItemRow> rows;
    for (int i = 0; i < n; ++i)
        rows.push_back(item(prefix + QString::number(i + 1), 1, 100, 60));
    return rows;
}

} // namespace fixture
