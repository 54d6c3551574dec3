#pragma once
// The page-end frame's values and the totals under the item grid, held as the texts the
// quotation editor shows (the file, the report tables and the printouts read them as they stand).
#include <QString>
#include <QStringView>
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

// Whether a user sees the figures of a fee: its base, rate and amount. The window, the printouts and
// the report tables all ask this. A user without the price right sees none of them, whatever the
// basis: no value tells a floor area from a total an earlier basis left as the number of ping, nor a
// share from a price per ping left as the rate. He sees the fee's name, whether it is included and
// its basis.
bool feeShown(bool pricesShown);

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
