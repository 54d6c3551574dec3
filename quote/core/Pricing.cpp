#include "Pricing.h"

#include "text/Numbers.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <unordered_map>
#include <vector>

namespace quote {
namespace {

double cell(const ItemRow& row, int col) {
    return cellValue(row[col]);
}

void recalc(ItemRow& row, std::initializer_list<int> cols) {
    for (int c : cols)
        RecalcCell(row, c);
}

// The unit price a cost and the row's ratio give: the whole number nearest to ratio × cost.
QString priceOf(const ItemRow& row, double cost) {
    return num::str(num::roundHalfEven(cell(row, ColRatio) * cost, 0));
}

// Unit price and amount of a stored row after its ratio changed: the unit price stays as it is
// when the cost is 0.
void repriceStored(ItemRow& row) {
    if (const double cost = cell(row, ColCost); cost != 0)
        row[ColPrice] = priceOf(row, cost);
    RecalcCell(row, ColAmount);
}

bool isZero(const QString& written) {
    return written == u"0"; // what num::str writes for 0 and for anything too small to show
}

// Round half to even to a whole number: the exact value of a double below 2^52 rounds in the
// floating-point unit's default mode (to nearest, ties to even), larger ones are whole already.
double wholeHalfEven(double v) {
    return std::abs(v) < 0x1p52 ? std::nearbyint(v) + 0.0 : num::roundHalfEven(v, 0);
}

// Whether the number the program writes for `v` (num::str) is one no cell can show: 16 digits or more.
bool tooLong(double v) {
    return std::abs(v) >= 1e15;
}

// A shown row's unit price and amount for the ratio `ratio` (the number of its ratio cell), as
// RecalcCell forms them; a zeroed price or amount that was not 0 refuses the plan, and so does a
// price or amount the command changes into a number no cell can show. Decided on the numbers: a
// price and an amount are whole, so a cell can show them below 1e15.
Repricing::Cells repriceShown(const ItemRow& row, double ratio, QString ratioText, BulkRefusal& refusal) {
    const double cost = cell(row, ColCost);
    const double oldPrice = cell(row, ColPrice);
    const double price = cost == 0 ? oldPrice : wholeHalfEven(ratio * cost);
    Repricing::Cells c;
    c.price = num::str(price);
    // The amount follows the price as written: a whole price below 1e15 is written exactly.
    const double written = cost == 0 || tooLong(price) ? cellValue(c.price) : price;
    const double amount = wholeHalfEven(written * cell(row, ColQty));
    const double oldAmount = cell(row, ColAmount);
    c.amount = num::str(amount);
    c.ratio = std::move(ratioText);
    if ((isZero(c.price) && oldPrice != 0) || (isZero(c.amount) && oldAmount != 0))
        refusal = BulkRefusal::ZeroesAPrice;
    else if ((price != oldPrice && tooLong(price)) || (amount != oldAmount && tooLong(amount)))
        refusal = BulkRefusal::TooLong;
    return c;
}

} // namespace

double cellValue(QStringView text) {
    return num::val(text);
}

bool answerIsNumber(QStringView text) {
    text = text.trimmed();
    const qsizetype length = num::numberLength(text);
    return length > 0 && length == text.size();
}

QString sngText(double v) {
    const float f = static_cast<float>(v);
    if (!std::isfinite(f))
        return num::str(0);
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, f, std::chars_format::scientific, 6);
    double seven = 0;
    std::from_chars(buf, res.ptr, seven);
    return num::str(seven);
}

void RecalcCell(ItemRow& row, int col) {
    switch (col) {
    case ColPrice: {
        const double cost = cell(row, ColCost);
        row[ColPrice] = cost == 0 ? num::str(cell(row, ColPrice)) : priceOf(row, cost);
        break;
    }
    case ColAmount:
        row[ColAmount] = num::str(num::roundHalfEven(cell(row, ColPrice) * cell(row, ColQty), 0));
        break;
    case ColCost: {
        const double ratio = cell(row, ColRatio);
        if (ratio != 0)
            row[ColCost] = num::str(num::roundHalfEven(cell(row, ColPrice) / ratio, 2));
        break;
    }
    case ColCostTotal:
        row[ColCostTotal] = num::str(cell(row, ColQty) * cell(row, ColCost));
        break;
    case ColRatio: {
        const double cost = cell(row, ColCost);
        row[ColRatio] =
            cost == 0 ? QStringLiteral("1") : num::str(num::roundHalfEven(cell(row, ColPrice) / cost, 2));
        break;
    }
    default:
        break;
    }
}

void RecalcAfterEdit(ItemRow& row, int editedCol, const PricingSwitches& sw) {
    switch (editedCol) {
    case ColQty:
        recalc(row, {ColAmount, ColCostTotal});
        break;
    case ColPrice:
        if (sw.mEpCr)
            recalc(row, {ColRatio, ColAmount});
        else
            recalc(row, {ColCost, ColCostTotal, ColAmount});
        break;
    case ColCost:
        if (sw.mEcCp)
            recalc(row, {ColPrice, ColAmount, ColCostTotal});
        else
            recalc(row, {ColRatio, ColCostTotal});
        break;
    case ColRatio:
        if (sw.mErCp)
            recalc(row, {ColPrice, ColAmount});
        else
            recalc(row, {ColCost, ColCostTotal});
        break;
    default:
        break;
    }
}

namespace {
// The first of the cells priced from the cost (單價, 金額, 成本複計; only 成本複計 when the prices are
// not seen) whose number no cell can show; 0 when every one can.
int unshownPricedCell(const ItemRow& row, bool pricesSeen = true) {
    for (const int col : {ColPrice, ColAmount, ColCostTotal})
        if ((pricesSeen || col == ColCostTotal) && !num::cellCanShow(row[size_t(col)]))
            return col;
    return 0;
}
} // namespace

std::vector<int> FillFromCatalogue(ItemRow& row, const QString& unit, std::optional<double> cost,
                                   std::optional<double> ratio) {
    std::vector<int> unshown;
    row[ColSpec].clear();
    row[ColUnit] = unit;
    row[ColQty] = QStringLiteral("1");
    std::vector<int> empty; // counted as 0 while the row is priced, then emptied
    for (const auto& [col, value] : {std::pair{ColCost, cost}, std::pair{ColRatio, ratio}}) {
        const QString text = value ? sngText(*value) : QString();
        const bool carried = value && num::cellCanShow(text);
        if (value && !carried)
            unshown.push_back(col);
        if (!carried)
            empty.push_back(col);
        row[size_t(col)] = carried ? text : QStringLiteral("0");
    }
    ItemRow priced = row;
    recalc(priced, {ColPrice, ColAmount, ColCostTotal});
    // A cost whose unit price no cell can show (with quantity 1, the amount is the unit price and
    // the cost total the cost).
    if (const int col = unshownPricedCell(priced); col != 0 && row[ColCost] != u"0") {
        unshown.push_back(col);
        empty.push_back(ColCost);
        row[ColCost] = QStringLiteral("0");
        recalc(row, {ColPrice, ColAmount, ColCostTotal});
    } else {
        row = std::move(priced);
    }
    for (const int col : empty)
        row[size_t(col)].clear();
    return unshown;
}

std::vector<int> SetDetailCost(ItemRow& row, double workItemCost, double detailMarkup, bool pricesSeen) {
    row[ColCost] = sngText(num::sng(workItemCost) + num::sng(detailMarkup));
    int col = ColCost;
    if (num::cellCanShow(row[ColCost])) { // and so must the cells priced from it be
        ItemRow priced = row;
        recalc(priced, {ColPrice, ColAmount, ColCostTotal});
        col = unshownPricedCell(priced, pricesSeen);
        if (col == 0) {
            row = std::move(priced);
            return {};
        }
    }
    row[ColCost] = QStringLiteral("0");
    recalc(row, {ColPrice, ColAmount, ColCostTotal});
    row[ColCost].clear();
    return {col};
}

QString notCarriedMessage(const QString& item, std::span<const int> columns) {
    static const std::pair<int, const char*> kNames[] = {{ColCost, "成本"},
                                                         {ColRatio, "比例"},
                                                         {ColPrice, "成本使單價"},
                                                         {ColAmount, "成本使金額"},
                                                         {ColCostTotal, "成本使成本複計"}};
    QStringList names;
    for (const int col : columns)
        for (const auto& [c, name] : kNames)
            if (c == col)
                names << QString::fromUtf8(name);
    return names.isEmpty() ? QString()
                           : QStringLiteral("工程資料【%1】的%2數字過長，未帶入，請於工程資料更正")
                                 .arg(item, names.join(u'、'));
}

GridTotals RefreshTotals(std::span<const ItemRow> rows) {
    double total = 0, costTotal = 0;
    for (const ItemRow& r : rows) {
        total += cell(r, ColAmount);
        costTotal += cell(r, ColCostTotal);
    }
    const double ratio = costTotal == 0 ? total : total / costTotal;
    return {num::str(total), num::str(costTotal), num::str(total - costTotal),
            num::str(num::roundHalfEven(ratio, 2))};
}

void applyRepricing(std::span<ItemRow> rows, Repricing&& plan) {
    const size_t n = std::min(rows.size(), plan.rows.size());
    for (size_t i = 0; i < n; ++i) {
        Repricing::Cells& c = plan.rows[i];
        rows[i][ColPrice] = std::move(c.price);
        rows[i][ColAmount] = std::move(c.amount);
        rows[i][ColRatio] = std::move(c.ratio);
    }
}

Repricing planSetRatio(std::span<const ItemRow> rows, const QString& answer) {
    Repricing plan;
    plan.rows.reserve(rows.size());
    const double ratio = cellValue(answer);
    for (const ItemRow& r : rows)
        plan.rows.push_back(repriceShown(r, ratio, answer, plan.refusal));
    return plan;
}

void SetRatioShown(std::span<ItemRow> rows, const QString& answer) {
    applyRepricing(rows, planSetRatio(rows, answer));
}

void SetRatioStored(std::span<ItemRow> rows, const QString& answer) {
    for (ItemRow& r : rows) {
        r[ColRatio] = answer;
        repriceStored(r);
    }
}

TargetFactor targetFactor(QStringView answer, QStringView currentTotal) {
    if (!answerIsNumber(answer))
        return {TargetStatus::NotNumber, 0};
    const double total = cellValue(currentTotal);
    if (total == 0)
        return {TargetStatus::ZeroTotal, 0};
    const double k = num::sng(num::val(answer.trimmed()) / total);
    if (!std::isfinite(k))
        return {TargetStatus::ZeroTotal, 0};
    return {TargetStatus::Ok, k};
}

Repricing planScaleRatio(std::span<const ItemRow> rows, double k) {
    Repricing plan;
    plan.rows.reserve(rows.size());
    // Each ratio after the command with the first ratio it came from, both at the three decimals the
    // command keeps: a ratio that differed and comes out the same is refused.
    std::unordered_map<double, double> from;
    bool shared = false;
    for (const ItemRow& r : rows) {
        const double ratio = cell(r, ColRatio);
        const double unrounded = cellValue(num::str(ratio * k)); // as the ratio cell holds it
        const double rounded = num::roundHalfEven(unrounded, 3);
        plan.rows.push_back(repriceShown(r, unrounded, num::str(rounded), plan.refusal));
        if (isZero(plan.rows.back().ratio) && ratio != 0)
            plan.refusal = BulkRefusal::ZeroesAPrice;
        else if (rounded != ratio && tooLong(rounded)) // a ratio no cell can show
            plan.refusal = BulkRefusal::TooLong;
        const double own = num::roundHalfEven(ratio, 3);
        shared = shared || from.try_emplace(rounded + 0.0, own + 0.0).first->second != own; // -0 is 0
    }
    if (shared && plan.refusal == BulkRefusal::None)
        plan.refusal = BulkRefusal::SharesARatio;
    return plan;
}

void ScaleRatioShown(std::span<ItemRow> rows, double k) {
    applyRepricing(rows, planScaleRatio(rows, k));
}

void ScaleRatioStored(std::span<ItemRow> rows, double k) {
    // The unit price and amount follow the unrounded ratio; the ratio is rounded afterwards.
    for (ItemRow& r : rows) {
        r[ColRatio] = num::str(cell(r, ColRatio) * k);
        repriceStored(r);
        r[ColRatio] = num::str(num::roundHalfEven(cell(r, ColRatio), 3));
    }
}

void RecalcFee(Fee& fee) {
    if (fee.rate.isEmpty())
        fee.amount.clear();
    else
        fee.amount = num::str(cellValue(fee.rate) * cellValue(fee.base));
}

bool ApplyFeeBasis(Fee& fee, bool byTotal, QStringView total) {
    fee.baseUnit = feeBaseUnit(byTotal);
    if (fee.byTotal == byTotal)
        return RefreshFeeBase(fee, total);
    fee.byTotal = byTotal;
    // Neither value carries over: a share of the total is no price per ping (nor the other way
    // round), and the total no number of ping. The user types the new rate (and floor area).
    fee.rate.clear();
    fee.base = byTotal ? num::str(cellValue(total)) : QString();
    RecalcFee(fee);
    return true;
}

bool RefreshFeeBase(Fee& fee, QStringView total) {
    if (!fee.byTotal)
        return false;
    const QString base = num::str(cellValue(total));
    if (base == fee.base)
        return false; // the base field does not change, so the fee is not recomputed
    fee.base = base;
    RecalcFee(fee);
    return true;
}

bool TaxRateEnter(PageEnd& pe) {
    // Read as the grand total reads it: one trailing "%" dropped, "6" is 6 %.
    QStringView rate(pe.cbTax);
    if (rate.endsWith(u'%'))
        rate.chop(1);
    if (!answerIsNumber(rate))
        return false;
    pe.cbTax = num::str(cellValue(rate)) + u'%';
    return true;
}

void RecalcGrandTotal(PageEnd& pe, const QString& quotationTotal) {
    const bool dFee = pe.design.included, lFee = pe.supervision.included;
    if (!dFee && !lFee) {
        pe.lbNtax = quotationTotal;
    } else {
        double n = cellValue(quotationTotal);
        if (dFee)
            n += cellValue(pe.design.amount);
        if (lFee)
            n += cellValue(pe.supervision.amount);
        pe.lbNtax = num::str(n);
    }

    if (pe.ckTax) {
        const double n = cellValue(pe.lbNtax);
        if (pe.cbTax.isEmpty()) {
            pe.lbTax = QStringLiteral("0");
            pe.lbHtax = num::str(num::roundHalfEven(n, 0));
        } else {
            // One trailing "%" is dropped; the rest is read leniently ("12" is 12, "5%" is 5).
            QStringView rate(pe.cbTax);
            if (rate.endsWith(u'%'))
                rate.chop(1);
            const double r = cellValue(rate);
            pe.lbTax = num::str(num::roundHalfEven(n * r / 100, 0));
            pe.lbHtax = num::str(num::roundHalfEven(n * (1 + r / 100), 0));
        }
    }

    const double before = cellValue(pe.ckTax ? pe.lbHtax : pe.lbNtax);
    pe.lbApr = num::str(before + cellValue(pe.txtOff));
}

} // namespace quote
