#pragma once
// The reference quotation of the benchmarks: 20,000 item rows in 1,000 leaves under a three-level
// tree (10 areas, 10 work types each, 10 sub-types each, 20 rows per leaf), and the timing helpers.
#include "Pricing.h"
#include "QuoteDocument.h"
#include "text/Numbers.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace quote::bench {

constexpr int kAreas = 10;
constexpr int kWorkTypes = 10;
constexpr int kSubTypes = 10;
constexpr int kRowsPerLeaf = 20;

inline const QStringList kItems = {"系統櫃", "木作天花板", "乳膠漆", "超耐磨地板", "石膏板隔間",
                            "踢腳板", "窗簾盒",     "鋁窗",   "磁磚",       "防水層"};
inline const QStringList kUnits = {"尺", "坪", "式", "片", "座", "才", "組"};

// The reference quotation. The leaves' blocks stand in the store in a shuffled order, as a quotation
// edited leaf by leaf leaves them; the root is shown with every row.
inline QuoteDocument referenceQuotation(quint32 seed = 20231201) {
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

struct Timing {
    QString what;
    double aimMs;
    std::vector<double> ms;
};

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Runs `prepare` (not timed) then `work` (timed), `runs` times.
inline Timing measure(const QString& what, double aimMs, int runs, const std::function<void()>& prepare,
               const std::function<void()>& work) {
    Timing t{what, aimMs, {}};
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare();
        timer.start();
        work();
        t.ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return t;
}

inline void report(QTextStream& out, const std::vector<Timing>& timings) {
    out << QStringLiteral("%1 %2 %3 %4\n")
               .arg(QStringLiteral("operation"), -48)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("max ms"), 9)
               .arg(QStringLiteral("aim ms"), 7);
    for (const Timing& t : timings)
        out << QStringLiteral("%1 %2 %3 %4\n")
                   .arg(t.what, -48)
                   .arg(median(t.ms), 10, 'f', 2)
                   .arg(*std::max_element(t.ms.begin(), t.ms.end()), 9, 'f', 2)
                   .arg(t.aimMs > 0 ? QStringLiteral("< %1").arg(t.aimMs) : QStringLiteral("-"), 7);
}

} // namespace quote::bench
