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

// What of a fee a user may see; the window, the printouts and the report tables all ask this. The
// amount, a rate per ping (a price per ping) and a base by total price (the quotation total) are
// prices. A base per ping is a floor area and a rate by total price a share: a user without the price
// right sees them when they can be that. A file may hold what a basis switch of an earlier build left
// there, a total as the number of ping or a price per ping as the share: a base per ping is shown only
// from 0 to 10,000 ping and when it is not the quotation's 合計 (`quotationTotal`), a rate by total
// price only from 0 to 1.
struct FeeShown {
    bool base = true;
    bool rate = true;
    bool amount = true;
};
FeeShown feeShown(const Fee& fee, bool pricesShown, QStringView quotationTotal);

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
