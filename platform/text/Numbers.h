#pragma once
// Number rules shared by every window: values live as text in grids, labels and files.
#include <QString>
#include <QStringView>

namespace num {

// Lenient reading: the number at the start of the text (blanks anywhere skipped, optional sign,
// digits with at most one ".", an optional exponent); empty or non-numeric text reads as 0, and so
// does a number beyond the range of a double. Only the ASCII digits count.
double val(QStringView s);

// Length of the number at the start of s: an optional sign, ASCII digits with at most one ".", and an
// exponent when digits follow its "e"; 0 when s does not start with a number.
qsizetype numberLength(QStringView s);

// Plain decimal text of a number: up to 15 significant digits, no separators, no exponent,
// no trailing zeros after the point, no point for a whole number, "-" for negatives, "0" for zero
// (and for anything below 1e-15 in size, infinities and NaN).
QString str(double v);

// Round half to even on the exact binary value: 2.5 -> 2, 0.125 -> 0.12, 2.675 -> 2.67.
double roundHalfEven(double v, int digits = 0);

// The value as a single-precision number would hold it (catalogue values, target-total factor).
double sng(double v);

// Whether a cell can show the number a text reads as (the lenient reading, val): under 1e15 in size
// (a cell holds 15 significant digits) and, unless its digits are all 0, not so small or so long
// that it reads or is written as 0 (400 nines read as 0). The one rule of every number the user types
// or the program stores: the quotation's cells and boxes, and the catalogue's numbers.
bool cellCanShow(QStringView typed);

} // namespace num
