#pragma once
// What the statistics window shows: one line per group with amount, cost total, profit, average
// ratio and share of the total price, and a total line; columns hidden by the user's rights.
#include "db/Database.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace stats {

inline constexpr int kStatColumns = 7;
using StatLine = std::array<QString, kStatColumns>;

struct StatisticsGrid {
    StatLine header;      // row 0
    QList<StatLine> rows; // rows 1 on: the groups, then the total line (when there are groups)
    bool hasTotalLine = false;
    bool areaButtonEnabled = true; // 依 區 域: off in the by-work-type view of a work-types-only quotation
};

// The grid from the saved queries of the statistics database (filled beforehand): by area (the
// first-level groups, Aot) or by work type (T, or Aot in a work-types-only quotation).
StatisticsGrid statisticsGrid(db::Database& sta, bool byWorkType, bool workTypesOnly);

// The share of an amount in the total as shown: the quotient rounded to two decimals (half to
// even) as a whole percentage, "26%" for 0.256; empty for a total of 0.
QString shareText(double amount, double total);

// Columns the rights hide: costs hide 3 to 6, prices hide 2 and 4 to 6.
std::array<bool, kStatColumns> hiddenColumns(bool pricesHidden, bool costsHidden);

// The cells copied to the workbook: the header row and every line, the columns 1 to 6 that
// `hidden` (hiddenColumns) leaves shown, side by side.
QList<QStringList> statisticsCells(const StatisticsGrid& g, const std::array<bool, kStatColumns>& hidden);

} // namespace stats
