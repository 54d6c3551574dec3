#pragma once
// Pricing of a quotation: the six numbers of an item row kept consistent under the three pricing
// switches, the totals under the item grid, the two bulk repricing commands, and the fees, tax,
// discount and grand total of the page-end frame. Every value is text, read leniently and written
// as plain decimal text; rounding is half to even on the binary value.
#include "ItemRow.h"
#include "PageEnd.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <vector>

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
// quantity 1 and an empty 規格 cell; unit price, amount and cost total follow. A cost or ratio the
// catalogue leaves NULL, or holds beyond what a cell can show (cellCanShow), is not carried: its cell
// stays empty and counts as 0. So is a cost whose unit price no cell can show. What was not carried
// comes back: ColCost or ColRatio for a number of the catalogue, ColPrice for a cost that could be
// shown but gives a unit price too long.
std::vector<int> FillFromCatalogue(ItemRow& row, const QString& unit, std::optional<double> cost,
                                   std::optional<double> ratio);

// A 規格 detail picked: the cost becomes the work item's cost plus the detail's markup, held in
// single precision; unit price, amount and cost total follow. When no cell can show that sum, or a
// cell priced from it, the cost cell is left empty and counted as 0, and the column at fault comes
// back (ColCost, else ColPrice, ColAmount or ColCostTotal); nothing when the cost was carried.
// `pricesSeen` false (a user without the price right, who sees neither the unit price and amount nor
// the row's ratio they are formed from): only the cost and the cost total are judged, so the pick
// answers alike whatever the hidden ratio; a unit price or amount no cell can show is kept, and told
// at the next open to a user with the right.
std::vector<int> SetDetailCost(ItemRow& row, double workItemCost, double detailMarkup, bool pricesSeen);

// What a pick says of the columns FillFromCatalogue or SetDetailCost did not carry (none: nothing),
// e.g. "工程資料【書櫃】的成本使單價數字過長，未帶入，請於工程資料更正".
QString notCarriedMessage(const QString& item, std::span<const int> columns);

// The four totals of the given rows (the rows on show: one leaf's, or every row listed below an
// inner node or the root). Empty rows count as 0.
GridTotals RefreshTotals(std::span<const ItemRow> rows);

// What a bulk command (比例:, 合計:) does to the shown rows, decided from their numbers in one pass:
// each row's new unit price, amount and ratio, and whether the answer is refused. The command then
// puts them into the rows (applyRepricing); a refused answer leaves the rows as they are.
enum class BulkRefusal {
    None,
    ZeroesAPrice, // a unit price, an amount or a ratio that is not 0 would become 0
    SharesARatio, // rows whose ratios differ would get one ratio: their own ratios would be lost
    TooLong       // a unit price, an amount or a ratio would be a number no cell can show
};
struct Repricing {
    struct Cells {
        QString price, amount, ratio;
    };
    std::vector<Cells> rows;
    BulkRefusal refusal = BulkRefusal::None;
};
// Puts the planned cells into the rows, as far as both go (trailing empty rows trimmed after the
// plan was made are not there any more).
void applyRepricing(std::span<ItemRow> rows, Repricing&& plan);

// One ratio for every row (double click on 比例). `answer` has passed answerIsNumber and goes into
// column 10 exactly as typed. Shown rows: unit price and amount recomputed as by RecalcCell; every
// row has the one ratio, as asked, so only a zeroed price refuses it. Stored rows (at the root, the
// store receives the same change): a cost of 0 leaves the unit price text as it is.
Repricing planSetRatio(std::span<const ItemRow> rows, const QString& answer);
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
// rounded to three decimals. The plan refuses a k that zeroes a price, that makes a price, an amount
// or a ratio one no cell can show, or that rounds rows of different ratios to one. Stored rows: a cost of 0 leaves the unit price text as it is.
Repricing planScaleRatio(std::span<const ItemRow> rows, double k);
void ScaleRatioShown(std::span<ItemRow> rows, double k);
void ScaleRatioStored(std::span<ItemRow> rows, double k);

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
