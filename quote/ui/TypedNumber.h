#pragma once
// A number the user types into the quotation window (a grid cell, a fee's base or rate, the tax rate,
// the discount, a bulk command's answer) that no cell can show (quote::cellCanShow) is refused: the box
// keeps its old value and the user is told so, in the bulk commands' words.

#include <vector>

namespace quote {

// "請輸入數字".
void sayNotANumber();

// A typed number that makes the cells `columns` (quote::tooLongShown) numbers no cell can show: "這個數字會使
// 單價或金額數字過長，請輸入其他數字", naming what is too long.
void sayTooLong(const std::vector<int>& columns);

} // namespace quote
