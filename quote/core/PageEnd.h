#pragma once
// The page-end frame's values and the totals under the item grid, held as the texts the
// quotation editor shows (the file, the report tables and the printouts read them as they stand).
#include <QString>
#include <array>

namespace quote {

// The four totals under the item grid.
struct GridTotals {
    QString lbSumT;  // 合計: total price of the listed rows
    QString lbCsumT; // total cost
    QString lbProT;  // 毛利: profit
    QString lbScT;   // 比例: overall ratio

    bool operator==(const GridTotals&) const = default;
};

// One fee row of the page-end frame (design fee or supervision fee).
struct Fee {
    bool included = false; // ckD / ckL
    QString name;          // tD / tL
    bool byTotal = true;   // Dop1 / Lop1 selected (else Dop2 / Lop2: per ping)
    QString base;          // txtDp / txtLp
    QString baseUnit;      // lbd / lbl: "元" by total price, "坪" per ping
    QString rate;          // txtdx / txtlx
    QString amount;        // txtDt / txtLt

    bool operator==(const Fee&) const = default;
};

// The unit of a fee's base: "元" by total price, "坪" per ping.
inline QString feeBaseUnit(bool byTotal) {
    return byTotal ? QStringLiteral("元") : QStringLiteral("坪");
}

// What of a fee a user may see; the window, the printouts and the report tables all ask this. A base
// per ping is a floor area and a rate by total price a percentage: everyone sees them. The amount, a
// rate per ping (a price per ping) and a base by total price (the quotation total) are prices.
struct FeeShown {
    bool base = true;
    bool rate = true;
    bool amount = true;
};
inline FeeShown feeShown(const Fee& fee, bool pricesShown) {
    if (pricesShown)
        return {};
    return {!fee.byTotal, fee.byTotal, false};
}

struct PageEnd {
    Fee design{false, QStringLiteral("設計費"), true, {}, feeBaseUnit(true), {}, {}};
    Fee supervision{false, QStringLiteral("監工費"), true, {}, feeBaseUnit(true), {}, {}};
    bool ckTax = true;
    QString cbTax = QStringLiteral("5%");
    QString lbNtax;              // total before tax
    QString lbTax;               // tax
    QString lbHtax;              // total with tax
    QString txtOff;              // discount, a signed amount added to the total
    QString lbApr;               // quoted total
    std::array<QString, 5> cbPe; // the five page-end remarks

    bool operator==(const PageEnd&) const = default;
};

} // namespace quote
