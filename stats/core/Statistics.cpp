#include "Statistics.h"

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
    static const QString insert = QStringLiteral(
        "INSERT INTO 統計 (tre, Des, Siz, Uni, Qua, Unp, Top, Unc, Toc, Rat, Rem, AoT, T, sn, sot) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    db::Transaction tr(sta);
    sta.execute(QStringLiteral("DELETE FROM 統計"));
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
        sta.execute(insert, v);
    }
    tr.commit();
}

namespace {

// Path parts below the root of a record rewritten for the work-type groupings.
QString rewrittenPath(const QString& tre, const QString& area, int mode) {
    QStringList parts = tre.split(quote::kPathSeparator);
    if (parts.size() < 3 || parts[1] != area)
        return tre; // a path Ｑ‧A has no work type
    parts.removeAt(1);
    if (mode == GroupWorkTypesByArea)
        parts << area;
    return parts.join(quote::kPathSeparator);
}

} // namespace

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
        db::Recordset rs =
            sta.query(QStringLiteral("SELECT rowid, tre, Des, AoT FROM 統計 WHERE AoT IS NOT NULL"));
        for (; !rs.eof(); rs.moveNext()) {
            const QString area = rs.text(3);
            const QString tre = rewrittenPath(rs.text(1), area, printGroupMode);
            if (printGroupMode == GroupWorkTypes)
                sta.execute(QStringLiteral("UPDATE 統計 SET tre = ?, Des = ? WHERE rowid = ?"),
                            {tre, area + rs.text(2), rs.value(0)});
            else if (tre != rs.text(1))
                sta.execute(QStringLiteral("UPDATE 統計 SET tre = ? WHERE rowid = ?"), {tre, rs.value(0)});
        }
    }
    tr.commit();
}

QString averageRatioText(const QVariant& quotient) {
    if (quotient.isNull() || !quotient.isValid())
        return {};
    return num::str(num::roundHalfEven(quotient.toDouble(), 2));
}

} // namespace stats
