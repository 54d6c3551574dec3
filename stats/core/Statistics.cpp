#include "Statistics.h"

#include "BulkInsert.h"
#include "Pricing.h"
#include "text/Numbers.h"

#include <QHash>

#include <algorithm>
#include <vector>

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

namespace {

// Positions of the 統計 fields that the numbering reads or rewrites.
enum Field { FTre = 0, FDes = 1, FAoT = 11, FT = 12, FSn = 13 };
const QStringList kStatFields = {"tre", "Des", "Siz", "Uni", "Qua", "Unp", "Top", "Unc", "Toc", "Rat", "Rem",
                                 "AoT", "T", "sn", "sot"};

// The 統計 records of the root's listing, in row order: numbers read leniently, the path parts
// below the root in AoT and T, the block number in sn and the row number in sot.
std::vector<QVariantList> statRecords(const quote::ItemGrid& hfgQ) {
    std::vector<QVariantList> out;
    out.reserve(size_t(std::max(0, hfgQ.rows() - 1)));
    QString path;
    QVariant aot, t;
    int block = 0;
    for (int r = 1; r < hfgQ.rows(); ++r) {
        const ItemRow& row = hfgQ.row(r);
        if (!row[quote::ColPath].isEmpty()) {
            path = row[quote::ColPath];
            ++block;
            const QStringList parts = path.split(quote::kPathSeparator);
            aot = parts.size() > 1 ? QVariant(parts[1]) : QVariant();
            t = parts.size() > 2 ? QVariant(parts[2]) : QVariant();
        }
        QVariantList v;
        v.reserve(kStatFields.size());
        v << path << row[quote::ColName] << row[quote::ColSpec] << row[quote::ColUnit];
        for (int c = quote::ColQty; c <= quote::ColRatio; ++c)
            v << quote::cellValue(row[size_t(c)]);
        v << row[quote::ColRemark] << aot << t << block << r;
        out.push_back(std::move(v));
    }
    return out;
}

void writeRecords(db::Database& sta, const std::vector<QVariantList>& records) {
    sta.execute(QStringLiteral("DELETE FROM 統計"));
    BulkInsert insert(sta, QStringLiteral("統計"), kStatFields);
    for (const QVariantList& v : records)
        insert.add(v);
    insert.flush();
}

// What NumberStatRows does to the table, done to the records before they are written: groups
// numbered in the order of their first row (the order of the saved group queries), then the
// path and item name rewritten for the work-type groupings. Kept equal to NumberStatRows by test.
void numberRecords(std::vector<QVariantList>& records, bool byWorkType, bool workTypesOnly, int printGroupMode) {
    const bool byT = !workTypesOnly && byWorkType;
    QHash<QString, int> number;
    for (QVariantList& v : records) {
        QVariant key = v[FAoT];
        if (byT && !v[FT].isNull())
            key = v[FT];
        if (key.isNull())
            continue;
        const QString k = key.toString();
        auto it = number.constFind(k);
        if (it == number.constEnd())
            it = number.insert(k, int(number.size()) + 1);
        v[FSn] = *it;
    }
    if (number.isEmpty())
        return; // an empty group query changes nothing
    if (printGroupMode != GroupWorkTypes && printGroupMode != GroupWorkTypesByArea)
        return;
    const QString& sep = quote::kPathSeparator;
    for (QVariantList& v : records) {
        if (v[FAoT].isNull())
            continue;
        const QString area = v[FAoT].toString();
        const QString tre = v[FTre].toString();
        const qsizetype start = tre.indexOf(sep) + sep.size();
        if (start >= sep.size() && QStringView(tre).mid(start).startsWith(area + sep)) {
            QString rewritten = tre.left(start) + tre.mid(start + area.size() + sep.size());
            if (printGroupMode == GroupWorkTypesByArea)
                rewritten += sep + area;
            v[FTre] = rewritten;
        }
        if (printGroupMode == GroupWorkTypes)
            v[FDes] = area + v[FDes].toString();
    }
}

} // namespace

void FillStatisticsTable(db::Database& sta, const quote::ItemGrid& hfgQ) {
    db::Transaction tr(sta);
    writeRecords(sta, statRecords(hfgQ));
    tr.commit();
}

void NumberStatRows(db::Database& sta, bool byWorkType, bool workTypesOnly, int printGroupMode) {
    const bool byT = !workTypesOnly && byWorkType;
    db::Recordset groups = sta.openRecordset(byT ? QStringLiteral("T") : QStringLiteral("AoT"));
    if (groups.recordCount() == 0)
        return;
    db::Transaction tr(sta);
    // The group numbers go to a scratch table first, so that one pass over 統計 numbers every row
    // and, by the grouping, rewrites its path and item name.
    sta.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS 統計_groups (k TEXT PRIMARY KEY, n INTEGER)"));
    sta.execute(QStringLiteral("DELETE FROM temp.統計_groups"));
    {
        BulkInsert numbers(sta, QStringLiteral("temp.統計_groups"), {"k", "n"});
        for (int i = 1; !groups.eof(); groups.moveNext(), ++i)
            numbers.add({groups.value(0), i});
        numbers.flush();
    }
    // The T query names a row of an area without a work type after its area. Rows whose key
    // matches no group keep their block number.
    const QString key = byT ? QStringLiteral("COALESCE(T, AoT)") : QStringLiteral("AoT");
    QString sql =
        QStringLiteral("UPDATE 統計 SET sn = COALESCE((SELECT n FROM temp.統計_groups WHERE k = %1), sn)").arg(key);
    if (printGroupMode == GroupWorkTypes || printGroupMode == GroupWorkTypesByArea) {
        // Path part 1 (the area, after the root and the first separator) leaves the path, or moves
        // to its end; a path Ｑ‧A has no separator after the area and stays. ?1 is the separator.
        // Rows without an area are left as they are.
        const QString start = QStringLiteral("instr(tre, ?1)");
        const QString hasWorkType =
            QStringLiteral("AoT IS NOT NULL AND substr(tre, %1 + 1, length(AoT) + 1) = AoT || ?1").arg(start);
        QString rewritten = QStringLiteral("substr(tre, 1, %1) || substr(tre, %1 + length(AoT) + 2)").arg(start);
        if (printGroupMode == GroupWorkTypesByArea)
            rewritten += QStringLiteral(" || ?1 || AoT");
        sql += QStringLiteral(", tre = CASE WHEN %1 THEN %2 ELSE tre END").arg(hasWorkType, rewritten);
        if (printGroupMode == GroupWorkTypes) // the area's name before the item name
            sql += QStringLiteral(", Des = CASE WHEN AoT IS NULL THEN Des ELSE AoT || Des END");
        sta.execute(sql, {quote::kPathSeparator});
    } else {
        sta.execute(sql);
    }
    tr.commit();
}

void RefreshStatistics(quote::QuoteDocument& doc, db::Database& sta, bool byWorkType, int printGroupMode) {
    ShowRoot(doc);
    // The records are numbered before they are written, so that 統計 is written once.
    std::vector<QVariantList> records = statRecords(doc.hfgQ);
    if (printGroupMode >= GroupFirstLevel && printGroupMode <= GroupWorkTypesByArea)
        numberRecords(records, byWorkType, doc.WorkTypesOnly, printGroupMode);
    db::Transaction tr(sta);
    writeRecords(sta, records);
    tr.commit();
}

QString averageRatioText(const QVariant& quotient) {
    if (quotient.isNull() || !quotient.isValid())
        return {};
    return num::str(num::roundHalfEven(quotient.toDouble(), 2));
}

} // namespace stats
