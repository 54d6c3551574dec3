#include "Statistics.h"

#include "BulkInsert.h"
#include "Pricing.h"
#include "text/Numbers.h"

#include <algorithm>

namespace stats {

using quote::ItemRow;

void TidyShownLeaf(quote::QuoteDocument& doc) {
    if (!doc.NodeIsLeaf)
        return;
    auto rows = doc.hfgQ.dataRows();
    // A stable partition keeps the order within the named and the unnamed rows.
    std::stable_partition(rows.begin(), rows.end(),
                          [](const ItemRow& r) { return !r[quote::ColName].isEmpty(); });
}

void ShowRoot(quote::QuoteDocument& doc) {
    const auto* root = doc.tree.root();
    if (!root)
        return;
    if (doc.NodeIsLeaf)
        doc.tv_NodeClick(root->key); // stores the leaf and lists the root from the store
    else
        doc.showRootAfterRead(); // an inner node holds nothing to store: list the root afresh
}

void FillStatisticsTable(db::Database& sta, const quote::ItemGrid& hfgQ) {
    db::Transaction tr(sta);
    sta.execute(QStringLiteral("DELETE FROM 統計"));
    BulkInsert insert(sta, QStringLiteral("統計"),
                      {"tre", "Des", "Siz", "Uni", "Qua", "Unp", "Top", "Unc", "Toc", "Rat", "Rem", "AoT", "T",
                       "sn", "sot"});
    QString path;
    QVariant aot, t;
    int block = 0;
    QVariantList v;
    v.reserve(15);
    for (int r = 1; r < hfgQ.rows(); ++r) {
        const ItemRow& row = hfgQ.row(r);
        if (!row[quote::ColPath].isEmpty()) {
            path = row[quote::ColPath];
            ++block;
            const QStringList parts = path.split(quote::kPathSeparator);
            aot = parts.size() > 1 ? QVariant(parts[1]) : QVariant();
            t = parts.size() > 2 ? QVariant(parts[2]) : QVariant();
        }
        v.clear();
        v << path << row[quote::ColName] << row[quote::ColSpec] << row[quote::ColUnit];
        for (int c = quote::ColQty; c <= quote::ColRatio; ++c)
            v << quote::cellValue(row[size_t(c)]);
        v << row[quote::ColRemark] << aot << t << block << r;
        insert.add(v);
    }
    insert.flush();
    tr.commit();
}

void NumberStatRows(db::Database& sta, bool byWorkType, bool workTypesOnly, int printGroupMode) {
    const bool byT = !workTypesOnly && byWorkType;
    db::Recordset groups = sta.openRecordset(byT ? QStringLiteral("T") : QStringLiteral("AoT"));
    if (groups.recordCount() == 0)
        return;
    // The T query names a row of an area without a work type after its area.
    const QString number = byT ? QStringLiteral("UPDATE 統計 SET sn = ? WHERE COALESCE(T, AoT) = ?")
                               : QStringLiteral("UPDATE 統計 SET sn = ? WHERE AoT = ?");
    db::Transaction tr(sta);
    for (int i = 1; !groups.eof(); groups.moveNext(), ++i)
        sta.execute(number, {i, groups.value(0)});
    if (printGroupMode == GroupWorkTypes || printGroupMode == GroupWorkTypesByArea) {
        // Path part 1 (the area, after the root and the first separator) leaves the path, or moves
        // to its end; a path Ｑ‧A has no separator after the area and stays. ?1 is the separator.
        const QString start = QStringLiteral("instr(tre, ?1)");
        const QString hasWorkType =
            QStringLiteral("substr(tre, %1 + 1, length(AoT) + 1) = AoT || ?1").arg(start);
        QString rewritten = QStringLiteral("substr(tre, 1, %1) || substr(tre, %1 + length(AoT) + 2)").arg(start);
        if (printGroupMode == GroupWorkTypesByArea)
            rewritten += QStringLiteral(" || ?1 || AoT");
        QString sql = QStringLiteral("UPDATE 統計 SET tre = CASE WHEN %1 THEN %2 ELSE tre END").arg(hasWorkType, rewritten);
        if (printGroupMode == GroupWorkTypes)
            sql += QStringLiteral(", Des = AoT || Des"); // the area's name before the item name
        sta.execute(sql + QStringLiteral(" WHERE AoT IS NOT NULL"), {quote::kPathSeparator});
    }
    tr.commit();
}

void RefreshStatistics(quote::QuoteDocument& doc, db::Database& sta, bool byWorkType, int printGroupMode) {
    ShowRoot(doc);
    FillStatisticsTable(sta, doc.hfgQ);
    if (printGroupMode >= GroupFirstLevel && printGroupMode <= GroupWorkTypesByArea)
        NumberStatRows(sta, byWorkType, doc.WorkTypesOnly, printGroupMode);
}

QString averageRatioText(const QVariant& quotient) {
    if (quotient.isNull() || !quotient.isValid())
        return {};
    return num::str(num::roundHalfEven(quotient.toDouble(), 2));
}

} // namespace stats
