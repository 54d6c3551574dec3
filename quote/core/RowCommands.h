#pragma once
// The row commands of the item grid's popup: insert a blank row, copy a block of rows, paste it over
// the rows from the current row down or insert it above the current row, delete the selected block,
// and restore the row the last item pick changed. They act on the visible grid of a shown leaf other
// than the root, never on the header row; the store grid receives the result when another node is
// shown. They recompute neither rows nor totals.
#include "QuoteDocument.h"

#include <QString>
#include <array>
#include <vector>

namespace quote {

// Item name to remark: the columns the clipboard and the undo snapshot hold.
inline constexpr int kRowCopyFirstCol = ColName;
inline constexpr int kRowCopyCols = ColRemark - ColName + 1; // 10
using CopiedRow = std::array<QString, kRowCopyCols>;

// The rows last copied; they outlive node changes, New and Open.
struct RowClipboard {
    std::vector<CopiedRow> rows;
    bool RowsCopied = false; // set by the first copy, never cleared
};

// One row as it was before an item pick replaced it: [0] the row number as text, [1..10] the texts of
// columns 2 to 11; all empty: no snapshot.
using RowUndoSnapshot = std::array<QString, kRowCopyCols + 1>;
bool undoHoldsText(const RowUndoSnapshot& undo);

// The row selection made in the row-header column (start -1: none); the end may lie above the start.
struct RowSelection {
    int start = -1;
    int end = -1;
};

// Row commands act only while a leaf other than the root is shown.
bool rowCommandsAllowed(const QuoteDocument& doc);

// Each command does nothing (and returns false) when row commands are not allowed. The current
// row and the selection are taken within rows 1 to the last row; a selection wholly below the last
// row (left behind by an earlier delete) selects nothing. Inserts, deletes and pastes clear
// the undo snapshot, whose row number they may invalidate.
class RowCommands {
public:
    // One blank row at the current row; the rows from there move one lower.
    bool mInsQ_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo);
    // The selected rows into the clipboard, top to bottom.
    bool mCpq_Click(const QuoteDocument& doc, const RowSelection& sel);
    // The clipboard over the rows from the current row down (columns 1 and 12 kept); the grid grows
    // by the clipboard's size when too few rows follow. The current row ends after the block.
    bool mPstQ_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo);
    // The clipboard as new rows at the current row; the current row follows its row down.
    bool mInsQcp_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo);
    // The selected rows removed; removing every row leaves one empty row.
    bool mDelQ_Click(QuoteDocument& doc, const RowSelection& sel, RowUndoSnapshot& undo);
    // The snapshot written back into its row (columns 2 to 11); the snapshot stays.
    static bool mUndo_Click(QuoteDocument& doc, const RowUndoSnapshot& undo);

    const RowClipboard& clipboard() const { return clip_; }

private:
    RowClipboard clip_;
};

} // namespace quote
