#pragma once
// One item row of a quotation: thirteen text cells, numbered as the item grids' columns.
#include <QString>
#include <array>

namespace quote {

enum Col : int {
    ColHeader = 0,       // fixed row-header column; holds nothing
    ColPath = 1,         // 階層: full path of the leaf that owns the row
    ColName = 2,         // 品名
    ColSpec = 3,         // 規格
    ColUnit = 4,         // 單位
    ColQty = 5,          // 數量
    ColPrice = 6,        // 單價
    ColAmount = 7,       // 金額
    ColCost = 8,         // 成本
    ColCostTotal = 9,    // 成本複計
    ColRatio = 10,       // 比例
    ColRemark = 11,      // 備註
    ColCatalogName = 12, // catalogue item name (hidden)
    ColCount = 13
};

using ItemRow = std::array<QString, ColCount>;

// A row is empty when its cells 2 to 12 are all empty.
inline bool isEmptyRow(const ItemRow& r) {
    for (int c = ColName; c < ColCount; ++c)
        if (!r[c].isEmpty())
            return false;
    return true;
}

} // namespace quote
