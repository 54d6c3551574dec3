#include "ReferenceQuotation.h"

#include "text/Numbers.h"

#include <QRandomGenerator>
#include <algorithm>
#include <vector>

namespace quote {
namespace {

constexpr int kAreas = 10;
constexpr int kWorkTypes = 10;
constexpr int kSubTypes = 10;
constexpr int kRowsPerLeaf = kReferenceRowsPerLeaf;

const QStringList kItems = {"系統櫃", "木作天花板", "乳膠漆", "超耐磨地板", "石膏板隔間",
                            "踢腳板", "窗簾盒",     "鋁窗",   "磁磚",       "防水層"};
const QStringList kUnits = {"尺", "坪", "式", "片", "座", "才", "組"};

} // namespace

// The leaves' blocks stand in the store in a shuffled order, as a quotation edited leaf by leaf
// leaves them; the root is shown with every row.
QuoteDocument referenceQuotation(quint32 seed) {
    QuoteDocument doc;
    doc.header = {"王先生", "信義住宅", "陳小明", "住宅", "1121201_", "台北市信義路五段7號", "112/12/01"};
    QStringList leaves;
    for (int a = 0; a < kAreas; ++a) {
        const QString area = QStringLiteral("區域%1").arg(a + 1);
        const QString areaKey = doc.tree.addChild(kRootKey, area)->key;
        for (int w = 0; w < kWorkTypes; ++w) {
            const QString workKey = doc.tree.addChild(areaKey, QStringLiteral("工種%1").arg(w + 1))->key;
            for (int s = 0; s < kSubTypes; ++s)
                leaves << doc.tree.addChild(workKey, QStringLiteral("項目%1").arg(s + 1))->key;
        }
    }
    QRandomGenerator rng(seed);
    std::vector<int> order(size_t(leaves.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::shuffle(order.begin(), order.end(), rng);

    std::vector<ItemRow> rows;
    rows.reserve(size_t(leaves.size() * kRowsPerLeaf));
    for (int leaf : order) {
        for (int i = 0; i < kRowsPerLeaf; ++i) {
            ItemRow r;
            const int qty = 1 + int(rng.bounded(40));
            const int cost = 100 * (1 + int(rng.bounded(90)));
            const double ratio = 1 + 0.05 * double(rng.bounded(10));
            const double price = num::roundHalfEven(ratio * cost, 0);
            r[ColPath] = leaves[leaf];
            r[ColName] = kItems[int(rng.bounded(kItems.size()))];
            r[ColSpec] =
                QStringLiteral("W%1 H%2").arg(60 + int(rng.bounded(180))).arg(60 + int(rng.bounded(180)));
            r[ColUnit] = kUnits[int(rng.bounded(kUnits.size()))];
            r[ColQty] = QString::number(qty);
            r[ColPrice] = num::str(price);
            r[ColAmount] = num::str(price * qty);
            r[ColCost] = QString::number(cost);
            r[ColCostTotal] = QString::number(cost * qty);
            r[ColRatio] = num::str(ratio);
            r[ColRemark] = i % 5 == 0 ? QStringLiteral("含五金") : QString();
            r[ColCatalogName] = r[ColName];
            rows.push_back(r);
        }
    }
    doc.hfgB.setRows(1);
    doc.hfgB.appendRows(rows);
    doc.pageEnd.cbPe = {"訂金三成", "完工付清", "保固一年", "", ""};
    doc.showRootAfterRead();
    return doc;
}

} // namespace quote
