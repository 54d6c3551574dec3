#include "ItemGrid.h"

#include <algorithm>

namespace quote {

ItemGrid::ItemGrid() : rows_(2) {}

void ItemGrid::setRows(int count) {
    rows_.resize(size_t(std::max(count, 1)));
    indexStale();
}

void ItemGrid::setCell(int r, int c, const QString& text) {
    rows_[size_t(r)][size_t(c)] = text;
    if (c == ColPath)
        indexStale();
}

void ItemGrid::setRow(int r, ItemRow row) {
    rows_[size_t(r)] = std::move(row);
    indexStale();
}

std::span<ItemRow> ItemGrid::dataRows() {
    indexStale();
    return std::span<ItemRow>(rows_).subspan(1);
}

std::span<const ItemRow> ItemGrid::dataRows() const {
    return std::span<const ItemRow>(rows_).subspan(1);
}

void ItemGrid::clear() {
    for (ItemRow& r : rows_)
        r = ItemRow{};
    indexStale();
}

void ItemGrid::reset() {
    rows_.assign(2, ItemRow{});
    indexStale();
}

void ItemGrid::removeRows(int first, int count) {
    const auto begin = rows_.begin() + first;
    rows_.erase(begin, begin + count);
    indexStale();
}

void ItemGrid::appendRows(std::span<const ItemRow> rows) {
    rows_.insert(rows_.end(), rows.begin(), rows.end());
    indexStale();
}

bool ItemGrid::isEmptyGrid() const {
    return rows_.size() == 2 && rows_[1][ColPath].isEmpty() && isEmptyRow(rows_[1]);
}

int ItemGrid::firstRowOf(const QString& path) const {
    if (!indexValid_) {
        index_.clear();
        // Only the first row of each run of equal paths can be the first row of its path.
        for (size_t r = 1; r < rows_.size(); ++r) {
            const QString& p = rows_[r][ColPath];
            if (r > 1 && p == rows_[r - 1][ColPath])
                continue;
            if (!index_.contains(p))
                index_.insert(p, int(r));
        }
        indexValid_ = true;
    }
    return index_.value(path, 0);
}

} // namespace quote
