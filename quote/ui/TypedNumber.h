#pragma once
// A number the user types into the quotation window (a grid cell, a fee's base or rate, the tax rate,
// the discount, a bulk command's answer) that no cell can show (quote::cellCanShow) is refused: the box
// keeps its old value and the user is told so, in the bulk commands' words.

namespace quote {

// "請輸入數字".
void sayNotANumber();

} // namespace quote
