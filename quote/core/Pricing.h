#pragma once
// Pricing of a quotation: the six numbers of an item row kept consistent under the three pricing
// switches, the totals under the item grid, the two bulk repricing commands, and the fees, tax,
// discount and grand total of the page-end frame. Every value is text, read leniently and written
// as plain decimal text; rounding is half to even on the binary value.
#include "ItemRow.h"
#include "PageEnd.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <span>

namespace quote {

// The three pairs of check items of the menu 計算設定(&C). Each flag tells whether the first item of
// its pair is checked; when it is not, the partner applies. Window state only: never stored.
struct PricingSwitches {
    // Unit price edited: cost stays, ratio follows (else mEpCc: ratio stays, cost follows).
    bool mEpCr = true;
    // Cost edited: ratio stays, unit price follows (else mEcCr: price stays, ratio follows).
    bool mEcCp = true;
    // Ratio edited: cost stays, unit price follows (else mErCc: price stays, cost follows).
    bool mErCp = true;
};

// Lenient reading of a cell: blanks anywhere are skipped, then the number at the start of the text;
// empty or non-numeric text reads as 0.
double cellValue(QStringView text);

// Whether a typed answer is a number as a whole (blanks around it allowed): the input-box check of
// the bulk commands and the Enter check of the tax box.
bool answerIsNumber(QStringView text);

// Text of a value held in single precision (a catalogue value): its seven significant digits as plain
// decimal text, e.g. 0.1f -> "0.1".
QString sngText(double v);

// Recomputes the cell of column `col` (6 to 10) of the row from its other cells; other columns are
// ignored.
void RecalcCell(ItemRow& row, int col);

// The recalculation after the user changed column `editedCol` (the new text already in the row):
// 5 quantity, 6 unit price, 8 cost, 10 ratio; any other column recomputes nothing. The caller then
// refreshes the totals.
void RecalcAfterEdit(ItemRow& row, int editedCol, const PricingSwitches& sw);

// A work item picked from the catalogue: unit, cost and ratio (single precision) fill the row with
// quantity 1 and an empty 規格 cell; unit price, amount and cost total follow.
void FillFromCatalogue(ItemRow& row, const QString& unit, double cost, double ratio);

// A 規格 detail picked: the cost becomes the work item's cost plus the detail's markup, held in
// single precision; unit price, amount and cost total follow.
void SetDetailCost(ItemRow& row, double workItemCost, double detailMarkup);

// The four totals of the given rows (the rows on show: one leaf's, or every row listed below an
// inner node or the root). Empty rows count as 0.
GridTotals RefreshTotals(std::span<const ItemRow> rows);

// One ratio for every row (double click on 比例). `answer` has passed answerIsNumber and goes into
// column 10 exactly as typed. Shown rows: unit price and amount recomputed as by RecalcCell. Stored
// rows (at the root, the store receives the same change): a cost of 0 leaves the unit price text as
// it is.
void SetRatioShown(std::span<ItemRow> rows, const QString& answer);
void SetRatioStored(std::span<ItemRow> rows, const QString& answer);

// Reaching a target total (double click on 合計).
enum class TargetStatus {
    Ok,        // k holds the factor
    NotNumber, // the answer is not a number: ask again
    ZeroTotal  // the current total is 0 (or too small for a factor): no factor can be formed
};
struct TargetFactor {
    TargetStatus status = TargetStatus::Ok;
    double k = 0; // answer / current total, in single precision
};
TargetFactor targetFactor(QStringView answer, QStringView currentTotal);

// Every ratio multiplied by k, unit price and amount formed from the unrounded ratio, then the ratio
// rounded to three decimals. Stored rows: a cost of 0 leaves the unit price text as it is.
void ScaleRatioShown(std::span<ItemRow> rows, double k);
void ScaleRatioStored(std::span<ItemRow> rows, double k);

// Whether a bulk command's change (`reprice`, run here on a copy of the rows) would leave at 0 a unit
// price, an amount or a ratio that is not 0. An answer other than 0 that would is refused: the row's
// price and its own ratio would be lost.
bool zeroesAPrice(std::span<const ItemRow> rows, const std::function<void(std::span<ItemRow>)>& reprice);

// A fee's amount from its rate and base (rate × base, not rounded); an empty rate empties the
// amount. The caller then runs RecalcGrandTotal; the file reader runs it once the file is read whole.
void RecalcFee(Fee& fee);

// The fee's basis was clicked (`byTotal`: 依總價): by total price the unit is "元" and the base the
// number in `total`; per ping the unit is "坪". A switch from the other basis empties the rate, and per
// ping the base (a base taken from the total is no number of ping): the user types them anew, and
// the fee follows (RecalcFee). True when the fee followed a changed base or rate, and the caller runs
// RecalcGrandTotal.
bool ApplyFeeBasis(Fee& fee, bool byTotal, QStringView total);

// The base of a fee by total price refreshed from `total` (the page-end frame opened or closed); a
// fee per ping is left alone. As ApplyFeeBasis, true when the base changed and the fee followed.
bool RefreshFeeBase(Fee& fee, QStringView total);

// Enter in the tax box: a number x, with or without one trailing "%", becomes "x%" ("6" -> "6%")
// and true is returned (the caller then runs RecalcGrandTotal); any other text is left alone.
bool TaxRateEnter(PageEnd& pe);

// Total before tax, tax, total with tax and quoted total from `quotationTotal` (the text of the
// whole quotation's 合計) and the fee, tax and discount fields.
void RecalcGrandTotal(PageEnd& pe, const QString& quotationTotal);

} // namespace quote
