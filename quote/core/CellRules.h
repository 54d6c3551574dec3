#pragma once
// Rules of cell editing in the item grid that need no widgets: which editor serves a column, where
// Enter moves the editor, which keys the numeric editor takes, the cost pre-fill, the popup's
// enabling, and which columns and totals the user's rights hide.
#include "ItemRow.h"
#include "text/Numbers.h"

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

namespace quote {

enum class CellEditor {
    None,    // the column is not edited (hides the editors)
    Ignored, // the path column: a press does nothing at all
    T,       // item name, with the list buttons
    cbD,     // 規格, its list of details refilled for the row's work item
    cbU,     // unit
    cbS,     // ratio
    cbPs,    // remark
    txt,     // numeric: quantity, unit price, cost
};
// The editor of a column of the item grid for a left press on a data row.
CellEditor editorForColumn(int col);

// The column the editor moves to on Enter from column `col` (the same column when Enter moves
// nowhere, in the remark column).
int nextColumnOnEnter(int col, bool pricesHidden, bool costsHidden);

// Whether the numeric editor takes the text (digits and "." only); anything else is refused whole.
bool isNumericText(QStringView text);

// Entering an empty cost cell: it takes the unit price, and the cost total quantity × price (not
// rounded). False (nothing changed) when the cost cell holds text, or when the user may not see
// prices (the cost would show the hidden price).
bool prefillCost(ItemRow& row, bool pricesHidden);

// Enabling of the grid's row popup.
struct RowPopupEnabling {
    bool mUndo = false;
    bool mCpq = false;  // copy
    bool mDelQ = false; // delete
    bool mPstQ = false; // paste
    bool mInsQcp = false;
};
RowPopupEnabling rowPopupEnabling(const std::array<QString, 11>& rowUndo, int selRowStart, int selRowEnd,
                                  bool rowsCopied);

// The columns ApplyColumnView hides for the first two characters of the rights string ("00", "01",
// "10"; any other code hides none).
std::vector<int> hiddenColumns(const QString& rightsCode);

// Whether the user sees column `col` of the item grid, by the two rights flags (as hiddenColumns).
bool columnShown(int col, bool pricesHidden, bool costsHidden);

// The numeric columns of a row (quantity to ratio) the user sees that an edit changed into numbers no
// cell can show, from the row `before` the edit and after its recalculation. A column he does not see
// is not judged: the verdict reads no figure hidden from him. A hidden cell no cell can show is kept,
// and named to a user with the right when the quotation is opened (QuoteFile::unshowableNumbers).
std::vector<int> tooLongShown(const ItemRow& before, const ItemRow& after, bool pricesHidden, bool costsHidden);

// Which total values show, by the two rights flags.
struct TotalsVisibility {
    bool lbSumT = true;
    bool lbCsumT = true;
    bool lbProT = true;
    bool lbScT = true;
    bool operator==(const TotalsVisibility&) const = default;
};
TotalsVisibility totalsVisibility(bool pricesHidden, bool costsHidden);

} // namespace quote

namespace quote {

// Whether a cell can show the number a typed text reads as (num::cellCanShow, the rule the catalogue
// keeps too). Every box the user types a number into keeps its old value when this fails, and the
// bulk commands refuse such an answer.
using num::cellCanShow;

// The answer of a bulk repricing command: a plain decimal number (an optional sign, digits with at
// most one "."), blanks around it trimmed, that a cell can show. "1,200", "1e3" and a number of 400
// digits (it would read as 0 and zero every price) are refused.
bool isPlainDecimal(QStringView answer);

} // namespace quote
