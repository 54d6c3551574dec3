#pragma once
// The rows every layout shares: the cover page with its totals block, the fee rows and the closing
// rows of the single sheet.
#include "PrintSnapshot.h"
#include "SheetPlan.h"
#include "StatSource.h"

namespace xlprint {

// Appends cells of one sheet, columns counted from the start column C.
class CellWriter {
public:
    CellWriter(QVector<CellOut>& cells, int startCol) : m_cells(cells), m_c(startCol) {}
    void put(int row, int k, const QVariant& v, Align a = Align::None, const QString& fmt = {},
             bool bold = false) {
        m_cells.append(CellOut{row, m_c + k, v, a, fmt, bold, 0, {}});
    }
    // A text left-aligned that may run on up to the sheet column `lastCol`, named `field` when cut.
    void putRunningOn(int row, int k, const QString& text, int lastCol, const QString& field) {
        m_cells.append(CellOut{row, m_c + k, text, Align::Left, {}, false, lastCol, field});
    }

private:
    QVector<CellOut>& m_cells;
    int m_c;
};

// How a fee charged per ping shows its base in the rate column.
enum class PingBase {
    Area,         // the floor area as typed
    AreaTimesRate // "floor area X rate"
};

// A fee row at `row`: name and basis, then the rate (or floor area) and the fee when quote::feeShown
// lets a user with or without the price right (`pricesShown`) see them.
void writeFeeRow(CellWriter& w, int row, const quote::Fee& fee, PingBase ping, bool pricesShown);

struct CoverOptions {
    bool blank = false;    // amounts left out
    bool costCols = false; // cost and profit columns
    double totalCost = 0;  // of the whole quotation, for the 合計 row's cost columns
    bool feeRows = true;   // fee rows written (when their boxes are ticked)
    PingBase ping = PingBase::Area;
};

// The cover sheet (sheet 1): one row per group, the fee rows, 合計, 稅金, 總計, the amount line
// and the page-end remarks. `fit` tells how many group rows the page holds above the remarks.
SheetPlan planCover(const Geometry& g, const PrintSnapshot& s, const QVector<GroupRow>& groups,
                    const CoverOptions& o, CoverFit* fit);
// Appends the cover of `groups` to the plan and notes how it fits.
void addCover(JobPlan& plan, const Geometry& g, const PrintSnapshot& s, const QVector<GroupRow>& groups,
              const CoverOptions& o);

// The single sheet's closing rows below the detail, from sheet row `base` (the first free row):
// fees on base + 1 and + 2, 合計 + 4, 稅金 + 5, 總價 + 6, amount line + 7, remarks + 8 to + 12.
// A remark prints within the page, whose last column is `lastCol`.
inline constexpr int kClosingRows = 13;
void writeClosingRows(CellWriter& w, int base, const PrintSnapshot& s, int lastCol);

} // namespace xlprint
