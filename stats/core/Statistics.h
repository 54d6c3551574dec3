#pragma once
// Table 統計 of the statistics database: rebuilt from the quotation's rows (FillStatisticsTable)
// and numbered by group for a printout (NumberStatRows). Every statistics view and printout starts
// here; the sums come from the saved queries of sta.mdb.
#include "QuoteDocument.h"
#include "db/Database.h"

#include <QString>

namespace stats {

// Grouping of a printout (frmQ.PrintGroupMode).
enum PrintGroupMode : int {
    GroupFirstLevel = 1,     // areas, or work types in a work-types-only quotation
    GroupWorkTypes = 2,      // work types first, the areas merged
    GroupWorkTypesByArea = 3 // work types first, separated by area
};

// The statistics window's tidy: when the shown node is a leaf, its rows without an item name move
// after the named ones (they are then stored, or dropped when trailing, as the leaf is left).
void TidyShownLeaf(quote::QuoteDocument& doc);

// Shows the root for an operation on the whole quotation: the shown leaf's rows are stored, and
// the root is listed afresh from the store, so the visible grid holds every item row.
void ShowRoot(quote::QuoteDocument& doc);

// Empties 統計 and writes one record per data row of `hfgQ` (the root's listing), in one
// transaction: numbers read leniently (empty or not a number: 0), the path parts below the root
// in AoT and T, the block number in sn and the row number in sot. Throws db::DbError; the table
// then keeps what it held before.
void FillStatisticsTable(db::Database& sta, const quote::ItemGrid& hfgQ);

// Numbers the groups of 統計 (sn) in the order of the group query: areas (AoT), or work types (T)
// when `byWorkType` and the quotation is not work-types-only. Then, for mode 2, the area leaves the
// path (Ｑ‧A‧W‧… becomes Ｑ‧W‧…) and goes in front of the item name; for mode 3 the area moves to
// the path's end (Ｑ‧W‧…‧A). A path Ｑ‧A keeps its path. An empty group query changes nothing.
// One transaction; throws db::DbError.
void NumberStatRows(db::Database& sta, bool byWorkType, bool workTypesOnly, int printGroupMode);

// The statistics refresh of a printout: the root shown, 統計 rebuilt and, for grouping levels 1
// to 3, numbered (by work type when `byWorkType`). Throws db::DbError.
void RefreshStatistics(quote::QuoteDocument& doc, db::Database& sta, bool byWorkType, int printGroupMode);

// The average ratio of a group query's or TOTAL's field (the plain quotient, NULL without cost) as
// shown: rounded to two decimals, half to even; empty when there is none.
QString averageRatioText(const QVariant& quotient);

} // namespace stats
