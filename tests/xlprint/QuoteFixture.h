#pragma once
// A small quotation for the end-to-end printouts: three areas (one without work types), a
// work type with a sub-group, fees, tax and remarks.
#include "Pricing.h"
#include "QuoteDocument.h"

namespace xlfixture {

struct Leaf {
    QStringList path; // below the root
    QList<QStringList> rows; // name, spec, unit, qty, price, cost
};

inline quote::QuoteDocument quotation(const QList<Leaf>& leaves) {
    quote::QuoteDocument doc;
    doc.header = {"王大明", "信義住宅", "陳業務", "住宅", "A-1001", "台北市信義路1號", "112/5/8"};
    std::vector<quote::ItemRow> rows;
    for (const Leaf& leaf : leaves) {
        QString key = quote::kRootKey;
        for (const QString& part : leaf.path) {
            const QString child = key + quote::kPathSeparator + part;
            if (!doc.tree.contains(child))
                doc.tree.addChild(key, part);
            key = child;
        }
        for (const QStringList& v : leaf.rows) {
            quote::ItemRow r;
            r[quote::ColPath] = key;
            r[quote::ColName] = v[0];
            r[quote::ColSpec] = v[1];
            r[quote::ColUnit] = v[2];
            r[quote::ColQty] = v[3];
            r[quote::ColPrice] = v[4];
            r[quote::ColCost] = v[5];
            r[quote::ColRatio] = QStringLiteral("1.2");
            quote::RecalcCell(r, quote::ColAmount);
            quote::RecalcCell(r, quote::ColCostTotal);
            r[quote::ColRemark] = QStringLiteral("註") + v[0];
            rows.push_back(r);
        }
    }
    doc.hfgB.setRows(1);
    doc.hfgB.appendRows(rows);
    doc.pageEnd.design = {true, QStringLiteral("設計費"), true, {}, quote::feeBaseUnit(true),
                          QStringLiteral("0.05"), {}};
    doc.pageEnd.supervision = {true, QStringLiteral("監工費"), false, QStringLiteral("30"),
                               quote::feeBaseUnit(false), QStringLiteral("1000"), {}};
    doc.pageEnd.ckTax = true;
    doc.pageEnd.cbPe = {"訂金三成", "完工付清", "保固一年", "", "以上報價含稅"};
    doc.showRootAfterRead();
    return doc;
}

inline quote::QuoteDocument standard() {
    return quotation({
        {{"客廳", "木作", "櫃"}, {{"系統櫃", "W120", "尺", "8", "3500", "2800"},
                                {"門片", "", "片", "4", "1200", "900"}}},
        {{"客廳", "油漆"}, {{"乳膠漆", "ICI", "坪", "20", "850", "600"}}},
        {{"臥室", "木作"}, {{"衣櫃", "W180", "尺", "6", "4200", "3000"},
                          {"床頭板", "", "式", "1", "8000", "6000"}}},
        {{"浴室"}, {{"防水層", "", "坪", "5", "2200", "1500"}}},
    });
}

} // namespace xlfixture
