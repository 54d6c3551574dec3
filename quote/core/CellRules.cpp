#include "CellRules.h"

#include "Pricing.h"

namespace quote {

CellEditor editorForColumn(int col) {
    switch (col) {
    case ColPath: return CellEditor::Ignored;
    case ColName: return CellEditor::T;
    case ColSpec: return CellEditor::cbD;
    case ColUnit: return CellEditor::cbU;
    case ColQty:
    case ColPrice:
    case ColCost: return CellEditor::txt;
    case ColRatio: return CellEditor::cbS;
    case ColRemark: return CellEditor::cbPs;
    default: return CellEditor::None;
    }
}

int nextColumnOnEnter(int col, bool pricesHidden, bool costsHidden) {
    switch (editorForColumn(col)) {
    case CellEditor::T:
    case CellEditor::cbD:
    case CellEditor::cbU:
    case CellEditor::cbS:
        return col + 1;
    case CellEditor::txt:
        break;
    default:
        return col;
    }
    if (col == ColQty && pricesHidden && costsHidden)
        return col + 6;
    if (!pricesHidden && !costsHidden)
        return col == ColPrice || col == ColCost ? col + 2 : col + 1;
    if (col == ColQty && pricesHidden)
        return col + 3;
    if (col == ColCost && pricesHidden)
        return col + 3;
    if (col == ColPrice && costsHidden)
        return col + 5;
    return col + 1;
}

bool isNumericText(QStringView text) {
    for (const QChar c : text)
        if (!(c.unicode() >= '0' && c.unicode() <= '9') && c != u'.')
            return false;
    return true;
}

bool prefillCost(ItemRow& row, bool pricesHidden) {
    if (pricesHidden || !row[ColCost].isEmpty())
        return false;
    row[ColCost] = row[ColPrice];
    row[ColCostTotal] = num::str(cellValue(row[ColQty]) * cellValue(row[ColPrice]));
    return true;
}

RowPopupEnabling rowPopupEnabling(const std::array<QString, 11>& rowUndo, int selRowStart, int selRowEnd,
                                  bool rowsCopied) {
    RowPopupEnabling e;
    for (const QString& s : rowUndo)
        e.mUndo = e.mUndo || !s.isEmpty();
    const bool rows = selRowStart != -1 && (selRowStart != 0 || selRowEnd != 0);
    e.mCpq = rows;
    e.mDelQ = rows;
    e.mPstQ = rowsCopied;
    e.mInsQcp = rowsCopied;
    return e;
}

std::vector<int> hiddenColumns(const QString& rightsCode) {
    if (rightsCode == u"00")
        return {ColRatio, ColCostTotal, ColCost, ColAmount, ColPrice};
    if (rightsCode == u"01")
        return {ColRatio, ColAmount, ColPrice};
    if (rightsCode == u"10")
        return {ColRatio, ColCostTotal, ColCost};
    return {};
}

bool columnShown(int col, bool pricesHidden, bool costsHidden) {
    switch (col) {
    case ColPrice:
    case ColAmount: return !pricesHidden;
    case ColCost:
    case ColCostTotal: return !costsHidden;
    case ColRatio: return !pricesHidden && !costsHidden;
    default: return true;
    }
}

std::vector<int> tooLongShown(const ItemRow& before, const ItemRow& after, bool pricesHidden, bool costsHidden) {
    std::vector<int> columns;
    for (const int col : {ColQty, ColPrice, ColAmount, ColCost, ColCostTotal, ColRatio})
        if (columnShown(col, pricesHidden, costsHidden) && after[size_t(col)] != before[size_t(col)] &&
            !cellCanShow(after[size_t(col)]))
            columns.push_back(col);
    return columns;
}

TotalsVisibility totalsVisibility(bool pricesHidden, bool costsHidden) {
    if (!pricesHidden && !costsHidden)
        return {true, true, true, true};
    if (!pricesHidden)
        return {true, false, false, false};
    if (!costsHidden)
        return {false, true, false, false};
    return {false, false, false, false};
}

} // namespace quote

namespace quote {

bool isPlainDecimal(QStringView answer) {
    answer = answer.trimmed();
    QStringView number = answer;
    if (!number.isEmpty() && (number.front() == u'-' || number.front() == u'+'))
        number = number.mid(1);
    int digits = 0;
    int points = 0;
    for (const QChar c : number) {
        if (c.unicode() >= '0' && c.unicode() <= '9') {
            ++digits;
        } else if (c == u'.') {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0 && points <= 1 && cellCanShow(answer);
}

} // namespace quote
