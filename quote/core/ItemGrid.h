#pragma once
// A grid of item rows as the quotation editor holds them: row 0 is the fixed header row, data rows
// count from 1, and a fresh grid has two rows (the header and one empty data row). The store grid
// and the visible grid of a quotation are both item grids.
//
// The grid answers "first row whose path cell equals p" from an index that is rebuilt after any
// change that may move rows or touch a path cell, so the answer is always the one a scan from row 1
// would give.
#include "ItemRow.h"

#include <QHash>
#include <QString>
#include <span>
#include <vector>

namespace quote {

class ItemGrid {
public:
    ItemGrid(); // two rows, every cell empty

    // Row count, the header row included (the grid's Rows).
    int rows() const { return int(rows_.size()); }
    // New row count (at least 1): rows are cut off or empty rows added at the end.
    void setRows(int count);

    const ItemRow& row(int r) const { return rows_[size_t(r)]; }
    const QString& cell(int r, int c) const { return rows_[size_t(r)][size_t(c)]; }
    void setCell(int r, int c, const QString& text);
    void setRow(int r, ItemRow row);

    // Rows 1 to Rows - 1. Writing through the mutable span is allowed until the next call on this
    // grid; the path index is rebuilt at the next lookup.
    std::span<ItemRow> dataRows();
    std::span<const ItemRow> dataRows() const;

    // Every cell emptied, the header row included; the row count stays.
    void clear();
    // Every cell emptied and two rows, as a fresh grid.
    void reset();

    // Removes `count` rows from `first` on; the rows below move up.
    void removeRows(int first, int count);
    // Appends rows at the end.
    void appendRows(std::span<const ItemRow> rows);

    // Two rows and nothing in row 1 (columns 1 to 12).
    bool isEmptyGrid() const;

    // First data row whose path cell (column 1) equals `path` exactly; 0 when there is none.
    int firstRowOf(const QString& path) const;

    bool operator==(const ItemGrid& other) const { return rows_ == other.rows_; }

private:
    void indexStale() { indexValid_ = false; }

    std::vector<ItemRow> rows_;
    mutable QHash<QString, int> index_; // path -> first data row holding it
    mutable bool indexValid_ = false;
};

} // namespace quote
