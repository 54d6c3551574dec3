#include "RowCommands.h"

#include <algorithm>

namespace quote {
namespace {

int lastRow(const QuoteDocument& doc) {
    return doc.hfgQ.rows() - 1;
}

int clampRow(const QuoteDocument& doc, int r) {
    return std::clamp(r, 1, std::max(1, lastRow(doc)));
}

// `count` empty rows at `at`; the rows from there on move down.
void insertEmptyRows(ItemGrid& g, int at, int count) {
    std::vector<ItemRow> tail;
    tail.reserve(size_t(g.rows() - at));
    for (int r = at; r < g.rows(); ++r)
        tail.push_back(g.row(r));
    g.setRows(at);
    g.setRows(at + count);
    g.appendRows(tail);
}

// The clipboard into the rows from `curRow` down, columns 2 to 11; `curRow` ends after the block.
void writeClipboard(QuoteDocument& doc, const RowClipboard& clip, int& curRow) {
    for (const CopiedRow& cells : clip.rows) {
        for (int j = 0; j < kRowCopyCols; ++j)
            doc.SetCell(curRow, kRowCopyFirstCol + j, cells[size_t(j)]);
        ++curRow;
    }
}

void layOut(QuoteDocument& doc) {
    if (doc.hooks.setupGrid)
        doc.hooks.setupGrid(true);
}

// The selected block within rows 1 to the last row; false when there is no selection, or when it
// lies wholly below the last row (left behind by an earlier delete).
bool selectedBlock(const QuoteDocument& doc, const RowSelection& sel, int& a, int& b) {
    if (sel.start < 0 || sel.end < 0 || (sel.start == 0 && sel.end == 0))
        return false;
    if (std::min(sel.start, sel.end) > lastRow(doc))
        return false;
    a = clampRow(doc, std::min(sel.start, sel.end));
    b = clampRow(doc, std::max(sel.start, sel.end));
    return true;
}

} // namespace

bool undoHoldsText(const RowUndoSnapshot& undo) {
    return std::any_of(undo.begin(), undo.end(), [](const QString& t) { return !t.isEmpty(); });
}

bool rowCommandsAllowed(const QuoteDocument& doc) {
    return doc.NodeIsLeaf && doc.lbPath != kRootKey && doc.tree.contains(doc.lbPath);
}

bool RowCommands::mInsQ_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo) {
    if (!rowCommandsAllowed(doc))
        return false;
    curRow = clampRow(doc, curRow);
    insertEmptyRows(doc.hfgQ, curRow, 1);
    undo = {};
    layOut(doc);
    return true;
}

bool RowCommands::mCpq_Click(const QuoteDocument& doc, const RowSelection& sel) {
    int a = 0, b = 0;
    if (!rowCommandsAllowed(doc) || !selectedBlock(doc, sel, a, b))
        return false;
    clip_.RowsCopied = true;
    clip_.rows.clear();
    for (int r = a; r <= b; ++r) {
        CopiedRow cells;
        for (int j = 0; j < kRowCopyCols; ++j)
            cells[size_t(j)] = doc.GTxM(r, kRowCopyFirstCol + j);
        clip_.rows.push_back(std::move(cells));
    }
    return true;
}

bool RowCommands::mPstQ_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo) {
    if (!rowCommandsAllowed(doc) || clip_.rows.empty())
        return false;
    const int n = int(clip_.rows.size());
    curRow = clampRow(doc, curRow);
    if (lastRow(doc) - curRow < n - 1)
        doc.hfgQ.setRows(doc.hfgQ.rows() + n);
    writeClipboard(doc, clip_, curRow);
    undo = {};
    layOut(doc);
    return true;
}

bool RowCommands::mInsQcp_Click(QuoteDocument& doc, int& curRow, RowUndoSnapshot& undo) {
    if (!rowCommandsAllowed(doc) || clip_.rows.empty())
        return false;
    curRow = clampRow(doc, curRow);
    insertEmptyRows(doc.hfgQ, curRow, int(clip_.rows.size()));
    writeClipboard(doc, clip_, curRow);
    undo = {};
    layOut(doc);
    return true;
}

bool RowCommands::mDelQ_Click(QuoteDocument& doc, const RowSelection& sel, RowUndoSnapshot& undo) {
    int a = 0, b = 0;
    if (!rowCommandsAllowed(doc) || !selectedBlock(doc, sel, a, b))
        return false;
    const int count = b - a + 1;
    if (doc.hfgQ.rows() - count == 1)
        doc.hfgQ.reset();
    else
        doc.hfgQ.removeRows(a, count);
    undo = {};
    layOut(doc);
    return true;
}

bool RowCommands::mUndo_Click(QuoteDocument& doc, const RowUndoSnapshot& undo) {
    const int row = undo[0].toInt();
    if (!rowCommandsAllowed(doc) || row < 1 || row > lastRow(doc))
        return false;
    for (int j = 0; j < kRowCopyCols; ++j)
        doc.SetCell(row, kRowCopyFirstCol + j, undo[size_t(j) + 1]);
    return true;
}

} // namespace quote
