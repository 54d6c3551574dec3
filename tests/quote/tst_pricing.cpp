// Pricing rules: row recalculation under the switches, grid totals, the bulk repricing commands,
// fees, tax, discount and grand total.
#include "Pricing.h"

#include "text/Numbers.h"

#include <QtTest>
#include <vector>

using namespace quote;

namespace {

// Cells 5 to 10: quantity, unit price, amount, cost, cost total, ratio.
ItemRow makeRow(const QStringList& money) {
    ItemRow r;
    r[ColName] = QStringLiteral("油漆");
    for (int i = 0; i < money.size(); ++i)
        r[ColQty + i] = money[i];
    return r;
}

QStringList moneyCells(const ItemRow& r) {
    QStringList out;
    for (int c = ColQty; c <= ColRatio; ++c)
        out << r[c];
    return out;
}

// "111" = the first item of every pair checked (mEpCr, mEcCp, mErCp).
PricingSwitches switches(const QString& bits) {
    return {bits[0] == u'1', bits[1] == u'1', bits[2] == u'1'};
}

using Rows = QList<QStringList>;

std::vector<ItemRow> makeRows(const Rows& rows) {
    std::vector<ItemRow> out;
    for (const QStringList& m : rows)
        out.push_back(makeRow(m));
    return out;
}

Rows moneyRows(const std::vector<ItemRow>& rows) {
    Rows out;
    for (const ItemRow& r : rows)
        out << moneyCells(r);
    return out;
}

} // namespace

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void recalcAfterEdit_data() {
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("sw");
        QTest::addColumn<QStringList>("out");
        // in / out: quantity, unit price, amount, cost, cost total, ratio
        QTest::newRow("price, cost 0: ratio 1") << QStringList{"2", "100", "", "", "", "1.2"} << 6 << "111"
                                                << QStringList{"2", "100", "200", "", "", "1"};
        QTest::newRow("price 1 over cost 8: ratio 0.12")
            << QStringList{"1", "1", "", "8", "8", ""} << 6 << "111"
            << QStringList{"1", "1", "1", "8", "8", "0.12"};
        QTest::newRow("price 5 over cost 2: ratio 2.5")
            << QStringList{"1", "5", "", "2", "2", ""} << 6 << "111"
            << QStringList{"1", "5", "5", "2", "2", "2.5"};
        QTest::newRow("amount 2.5 to even") << QStringList{"1", "2.5", "", "", "", ""} << 6 << "111"
                                            << QStringList{"1", "2.5", "2", "", "", "1"};
        QTest::newRow("amount 3.5 to even") << QStringList{"7", "0.5", "", "", "", ""} << 6 << "111"
                                            << QStringList{"7", "0.5", "4", "", "", "1"};
        QTest::newRow("price, mEpCc, ratio 0: cost stays")
            << QStringList{"2", "150", "", "100", "999", ""} << 6 << "011"
            << QStringList{"2", "150", "300", "100", "200", ""};
        QTest::newRow("price, mEpCc: cost on the binary value")
            << QStringList{"1", "2.675", "", "1", "1", "1"} << 6 << "011"
            << QStringList{"1", "2.675", "3", "2.67", "2.67", "1"};
        QTest::newRow("cost, default: 3 x 333 x 1.15")
            << QStringList{"3", "", "", "333", "", "1.15"} << 8 << "111"
            << QStringList{"3", "383", "1149", "333", "999", "1.15"};
        QTest::newRow("cost, mEcCr: ratio follows")
            << QStringList{"2", "500", "1000", "300", "800", "1.25"} << 8 << "101"
            << QStringList{"2", "500", "1000", "300", "600", "1.67"};
        QTest::newRow("ratio, default: price tie to even")
            << QStringList{"3", "", "", "2", "6", "1.25"} << 10 << "111"
            << QStringList{"3", "2", "6", "2", "6", "1.25"};
        QTest::newRow("ratio, cost 0: empty price becomes 0")
            << QStringList{"3", "", "9", "", "", "1.5"} << 10 << "111"
            << QStringList{"3", "0", "0", "", "", "1.5"};
        QTest::newRow("ratio, mErCc: cost follows")
            << QStringList{"2", "500", "1000", "", "", "1.3"} << 10 << "110"
            << QStringList{"2", "500", "1000", "384.62", "769.24", "1.3"};
        QTest::newRow("ratio 0, mErCc: cost stays")
            << QStringList{"2", "500", "1000", "300", "", "0"} << 10 << "110"
            << QStringList{"2", "500", "1000", "300", "600", "0"};
        QTest::newRow("quantity: cost total not rounded")
            << QStringList{"2.5", "3", "", "333", "", "1"} << 5 << "000"
            << QStringList{"2.5", "3", "8", "333", "832.5", "1"};
        QTest::newRow("quantity read leniently") << QStringList{"1 2", "10元", "", "5", "", ""} << 5 << "111"
                                                 << QStringList{"1 2", "10元", "120", "5", "60", ""};
        QTest::newRow("other column: nothing") << QStringList{"2", "100", "", "50", "", ""} << 11 << "111"
                                               << QStringList{"2", "100", "", "50", "", ""};
    }
    void recalcAfterEdit() {
        QFETCH(QStringList, in);
        QFETCH(int, col);
        QFETCH(QString, sw);
        QFETCH(QStringList, out);
        ItemRow row = makeRow(in);
        RecalcAfterEdit(row, col, switches(sw));
        QCOMPARE(moneyCells(row), out);
        QCOMPARE(row[ColName], QStringLiteral("油漆"));
    }

    void catalogue_data() {
        QTest::addColumn<double>("cost");
        QTest::addColumn<double>("markup"); // < 0: item pick with ratio 1.15; else detail pick
        QTest::addColumn<QStringList>("out");
        QTest::newRow("item pick") << 333.33 << -1.0
                                   << QStringList{"1", "383", "383", "333.33", "333.33", "1.15"};
        QTest::newRow("item pick, seven digits")
            << 1234.5678 << -1.0 << QStringList{"1", "1420", "1420", "1234.568", "1234.568", "1.15"};
        QTest::newRow("single-precision cost")
            << 16777217.0 << -1.0 << QStringList{"1", "19293803", "19293803", "16777220", "16777220", "1.15"};
        QTest::newRow("detail markup")
            << 1000.0 << 300.0 << QStringList{"1", "1560", "1560", "1300", "1300", "1.2"};
        QTest::newRow("another detail")
            << 1000.0 << 100.0 << QStringList{"1", "1320", "1320", "1100", "1100", "1.2"};
        // A cost no cell can show is not carried: the cell stays empty and counts as 0.
        // The pick then names the number at fault: the cost, or the unit price a cost gives.
        QTest::newRow("item cost too long")
            << 1e20 << -1.0 << QStringList{"1", "1", "1", "", "0", "1.15", "成本"};
        QTest::newRow("markup too long")
            << 1000.0 << 1e20 << QStringList{"1", "1", "1", "", "0", "1.2", "成本"};
        QTest::newRow("price too long")
            << 9e14 << -1.0 << QStringList{"1", "1", "1", "", "0", "1.15", "成本使單價"};
        QTest::newRow("detail price too long")
            << 8e14 << 1e14 << QStringList{"1", "1", "1", "", "0", "1.2", "成本使單價"};
        // Without the price right, the row's hidden ratio decides nothing: the price is kept.
        QTest::newRow("detail price too long, prices hidden")
            << 8e14 << 1e14
            << QStringList{"1",  "1080000000000000", "1080000000000000", "900000000000000", "900000000000000",
                           "1.2"};
    }
    void catalogue() {
        QFETCH(double, cost);
        QFETCH(double, markup);
        QFETCH(QStringList, out);
        ItemRow row = makeRow({"5", "1", "1", "1", "1", "1.2"});
        row[ColSpec] = QStringLiteral("舊規格");
        std::vector<int> unshown;
        if (markup < 0) {
            unshown = FillFromCatalogue(row, QStringLiteral("式"), cost, 1.15);
            QCOMPARE(row[ColSpec], QString());
            QCOMPARE(row[ColUnit], QStringLiteral("式"));
        } else {
            row[ColQty] = QStringLiteral("1");
            unshown =
                SetDetailCost(row, cost, markup, !QByteArray(QTest::currentDataTag()).endsWith("hidden"));
        }
        // What the message names: "工程資料【X】的成本數字過長，…" names 成本.
        const QString told = notCarriedMessage(QStringLiteral("X"), unshown).section(u'的', 1, 1);
        out.resize(7); // nothing told: ""
        QCOMPARE(moneyCells(row) << told.section(QStringLiteral("數字過長"), 0, 0), out);
    }

    void refreshTotals_data() {
        QTest::addColumn<Rows>("rows"); // amount, cost total
        QTest::addColumn<QStringList>("totals");
        QTest::newRow("two rows") << Rows{{"1149", "999"}, {"600", "500"}}
                                  << QStringList{"1749", "1499", "250", "1.17"};
        QTest::newRow("all costs 0: ratio is the total")
            << Rows{{"2.675", ""}, {"", "0"}} << QStringList{"2.675", "0", "2.675", "2.67"};
        QTest::newRow("empty and junk rows add 0")
            << Rows{{"", ""}, {"abc", "x"}, {"100", "150"}} << QStringList{"100", "150", "-50", "0.67"};
        QTest::newRow("ratio tie to even") << Rows{{"1", "8"}} << QStringList{"1", "8", "-7", "0.12"};
        QTest::newRow("no rows") << Rows{} << QStringList{"0", "0", "0", "0"};
    }
    void refreshTotals() {
        QFETCH(Rows, rows);
        QFETCH(QStringList, totals);
        std::vector<ItemRow> items;
        for (const QStringList& r : rows) {
            ItemRow item;
            item[ColAmount] = r[0];
            item[ColCostTotal] = r[1];
            items.push_back(item);
        }
        const GridTotals t = RefreshTotals(items);
        QCOMPARE((QStringList{t.lbSumT, t.lbCsumT, t.lbProT, t.lbScT}), totals);
    }

    void oneRatio_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<Rows>("in");
        QTest::addColumn<Rows>("out");
        const Rows in{
            {"2", "", "", "100", "200", "1.5"}, {"3", "", "", "", "", "1.5"}, {"2", "150", "", "", "", ""}};
        QTest::newRow("shown rows") << false << in
                                    << Rows{{"2", "120", "240", "100", "200", "1.20"},
                                            {"3", "0", "0", "", "", "1.20"},
                                            {"2", "150", "300", "", "", "1.20"}};
        QTest::newRow("stored rows: price without cost stays")
            << true << in
            << Rows{{"2", "120", "240", "100", "200", "1.20"},
                    {"3", "", "0", "", "", "1.20"},
                    {"2", "150", "300", "", "", "1.20"}};
    }
    void oneRatio() {
        QFETCH(bool, stored);
        QFETCH(Rows, in);
        QFETCH(Rows, out);
        std::vector<ItemRow> rows = makeRows(in);
        QVERIFY(answerIsNumber(u"1.20"));
        if (stored)
            SetRatioStored(rows, QStringLiteral("1.20"));
        else
            SetRatioShown(rows, QStringLiteral("1.20"));
        QCOMPARE(moneyRows(rows), out);
    }

    void targetFactor_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("status");
        QTest::addColumn<double>("k");
        const int ok = int(TargetStatus::Ok), nan = int(TargetStatus::NotNumber),
                  zero = int(TargetStatus::ZeroTotal);
        QTest::newRow("single precision") << "121"
                                          << "110" << ok << double(1.1f);
        QTest::newRow("blanks around") << " 220 "
                                       << "110" << ok << 2.0;
        QTest::newRow("word") << "abc"
                              << "110" << nan << 0.0;
        QTest::newRow("trailing text") << "12元"
                                       << "110" << nan << 0.0;
        QTest::newRow("two points") << "1.2.3"
                                    << "110" << nan << 0.0;
        QTest::newRow("zero total") << "100"
                                    << "0" << zero << 0.0;
        QTest::newRow("empty total") << "100"
                                     << "" << zero << 0.0;
        QTest::newRow("factor beyond single") << "1e39"
                                              << "1" << zero << 0.0;
    }
    void targetFactor() {
        QFETCH(QString, answer);
        QFETCH(QString, total);
        QFETCH(int, status);
        QFETCH(double, k);
        const TargetFactor f = quote::targetFactor(answer, total);
        QCOMPARE(int(f.status), status);
        QCOMPARE(f.k, k);
    }

    void scaleToTarget_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<Rows>("in");
        QTest::addColumn<Rows>("out");
        QTest::newRow("factor 1.1 in single precision")
            << false << "121" << Rows{{"1", "110", "110", "100", "100", "1.1"}}
            << Rows{{"1", "121", "121", "100", "100", "1.21"}};
        QTest::newRow("factor rounded to 1 in single precision")
            << false << "20000001" << Rows{{"1", "20000000", "20000000", "20000000", "20000000", "1"}}
            << Rows{{"1", "20000000", "20000000", "20000000", "20000000", "1"}};
        const Rows same{{"3", "383", "1149", "333", "999", "1.15"}, {"1", "10", "10", "8", "8", "1.2345"}};
        const Rows sameOut{{"3", "383", "1149", "333", "999", "1.15"}, {"1", "10", "10", "8", "8", "1.234"}};
        QTest::newRow("target equal to total: ratios to 3 decimals") << false << "1159" << same << sameOut;
        QTest::newRow("stored rows, same target") << true << "1159" << same << sameOut;
        const Rows noCost{{"2", "", "", "", "", "1"}, {"1", "110", "110", "100", "100", "1.1"}};
        QTest::newRow("shown row without cost")
            << false << "121" << noCost
            << Rows{{"2", "0", "0", "", "", "1.1"}, {"1", "121", "121", "100", "100", "1.21"}};
        QTest::newRow("stored row without cost")
            << true << "121" << noCost
            << Rows{{"2", "", "0", "", "", "1.1"}, {"1", "121", "121", "100", "100", "1.21"}};
        const Rows longRatio{{"1", "1", "1", "", "", "1000"}}; // refused: rows as they were
        QTest::newRow("ratio no cell can show") << false << "99999999999999" << longRatio << longRatio;
    }
    void scaleToTarget() {
        QFETCH(bool, stored);
        QFETCH(QString, answer);
        QFETCH(Rows, in);
        QFETCH(Rows, out);
        std::vector<ItemRow> rows = makeRows(in);
        const TargetFactor f = quote::targetFactor(answer, RefreshTotals(rows).lbSumT);
        QCOMPARE(f.status, TargetStatus::Ok);
        if (Repricing plan = planScaleRatio(rows, f.k); stored)
            ScaleRatioStored(rows, f.k);
        else if (plan.refusal == BulkRefusal::None)
            applyRepricing(rows, std::move(plan));
        QCOMPARE(moneyRows(rows), out);
    }

    void fees_data() {
        QTest::addColumn<QString>("op");
        QTest::addColumn<bool>("byTotal");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QStringList>("out"); // base, unit, amount
        // The amount starts at 9: a fee left alone keeps it.
        QTest::newRow("basis by total") << "basis" << true << ""
                                        << "0.1" << QStringList{"500", "元", "50"};
        QTest::newRow("share not rounded") << "basis" << true << ""
                                           << "0.1234" << QStringList{"500", "元", "61.7"};
        QTest::newRow("basis per ping: fee kept") << "basis" << false << "12"
                                                  << "50" << QStringList{"12", "坪", "9"};
        // From the other basis: a base the total gave is no number of ping.
        QTest::newRow("switch per ping: total dropped") << "switch" << false << "500"
                                                        << "0.1" << QStringList{"", "坪", ""};
        QTest::newRow("switch by total") << "switch" << true << "12"
                                         << "1873" << QStringList{"500", "元", ""};
        QTest::newRow("12 ping at 50") << "fee" << false << "12"
                                       << "50" << QStringList{"12", "元", "600"};
        QTest::newRow("empty rate empties the fee") << "fee" << false << "12"
                                                    << "" << QStringList{"12", "元", ""};
        QTest::newRow("frame: base by total") << "refresh" << true << "7"
                                              << "0.1" << QStringList{"500", "元", "50"};
        QTest::newRow("frame: base unchanged, fee kept") << "refresh" << true << "500"
                                                         << "0.1" << QStringList{"500", "元", "9"};
        QTest::newRow("frame: per ping left") << "refresh" << false << "7"
                                              << "3.3" << QStringList{"7", "元", "9"};
    }
    void fees() {
        QFETCH(QString, op);
        QFETCH(bool, byTotal);
        QFETCH(QString, base);
        QFETCH(QString, rate);
        QFETCH(QStringList, out);
        Fee fee{true, QStringLiteral("設計費"), byTotal != (op == u"switch"), base, QStringLiteral("元"),
                rate, QStringLiteral("9")};
        if (op == u"fee")
            RecalcFee(fee);
        else // true exactly when the fee followed a changed base
            QCOMPARE(op == u"refresh" ? RefreshFeeBase(fee, u"500") : ApplyFeeBasis(fee, byTotal, u"500"),
                     out[2] != u"9");
        QCOMPARE((QStringList{fee.base, fee.baseUnit, fee.amount}), out);
    }

    // The whole answer must be a number: the look-up stops short of anything else.
    void numberAnswers_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("number");
        QTest::newRow("whole") << "12" << true;
        QTest::newRow("signed fraction") << "+.5" << true;
        QTest::newRow("negative") << "-1.25" << true;
        QTest::newRow("exponent") << "1e+3" << true;
        QTest::newRow("blanks around") << " 7 " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("sign alone") << "-" << false;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("exponent without digits") << "1e" << false;
        QTest::newRow("blank inside") << "1 2" << false;
        QTest::newRow("trailing percent") << "5%" << false;
        QTest::newRow("full-width digits") << "１２" << false;
    }
    void numberAnswers() {
        QFETCH(QString, answer);
        QFETCH(bool, number);
        QCOMPARE(quote::answerIsNumber(answer), number);
    }

    void taxRateEnter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("after");
        QTest::newRow("number") << "6" << true << "6%";
        QTest::newRow("percentage") << "6%" << true << "6%";
        QTest::newRow("two marks") << "6%%" << false << "6%%";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("word") << "稅" << false << "稅";
    }
    void taxRateEnter() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(QString, after);
        PageEnd pe;
        pe.cbTax = text;
        QCOMPARE(TaxRateEnter(pe), accepted);
        QCOMPARE(pe.cbTax, after);
    }

    void grandTotal_data() {
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("key"); // ckD ckL ckTax
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("off");
        QTest::addColumn<QStringList>("out"); // lbNtax, lbTax, lbHtax, lbApr
        QTest::newRow("1010 at 5%: tax to even") << "1010"
                                                 << "001"
                                                 << "5%"
                                                 << "" << QStringList{"1010", "50", "1060", "1060"};
        QTest::newRow("999 at 5%") << "999"
                                   << "001"
                                   << "5%"
                                   << "" << QStringList{"999", "50", "1049", "1049"};
        QTest::newRow("discount -60") << "999"
                                      << "001"
                                      << "5%"
                                      << "-60" << QStringList{"999", "50", "1049", "989"};
        QTest::newRow("discount 60 raises") << "999"
                                            << "001"
                                            << "5%"
                                            << "60" << QStringList{"999", "50", "1049", "1109"};
        QTest::newRow("no tax: tax labels kept") << "999"
                                                 << "000"
                                                 << "5%"
                                                 << "-60" << QStringList{"999", "old", "old", "939"};
        QTest::newRow("total text copied as is") << "1010.50"
                                                 << "000"
                                                 << "5%"
                                                 << "" << QStringList{"1010.50", "old", "old", "1010.5"};
        QTest::newRow("empty tax box") << "1010.5"
                                       << "001"
                                       << ""
                                       << "" << QStringList{"1010.5", "0", "1010", "1010"};
        QTest::newRow("rate not a number") << "1010.5"
                                           << "001"
                                           << "稅率"
                                           << "" << QStringList{"1010.5", "0", "1010", "1010"};
        QTest::newRow("500%") << "1000"
                              << "001"
                              << "500%"
                              << "" << QStringList{"1000", "5000", "6000", "6000"};
        QTest::newRow("design fee with tax") << "500"
                                             << "101"
                                             << "5%"
                                             << "" << QStringList{"550", "28", "578", "578"};
        QTest::newRow("supervision fee only") << "500"
                                              << "010"
                                              << "5%"
                                              << "" << QStringList{"530", "old", "old", "530"};
        QTest::newRow("both fees, discount") << "500"
                                             << "110"
                                             << "5%"
                                             << "-80" << QStringList{"580", "old", "old", "500"};
        QTest::newRow("both fees with tax") << "500"
                                            << "111"
                                            << "5%"
                                            << "" << QStringList{"580", "29", "609", "609"};
    }
    void grandTotal() {
        QFETCH(QString, total);
        QFETCH(QString, key);
        QFETCH(QString, tax);
        QFETCH(QString, off);
        QFETCH(QStringList, out);
        PageEnd pe;
        pe.design.included = key[0] == u'1';
        pe.design.amount = QStringLiteral("50");
        pe.supervision.included = key[1] == u'1';
        pe.supervision.amount = QStringLiteral("30");
        pe.ckTax = key[2] == u'1';
        pe.cbTax = tax;
        pe.txtOff = off;
        pe.lbTax = pe.lbHtax = QStringLiteral("old");
        RecalcGrandTotal(pe, total);
        QCOMPARE((QStringList{pe.lbNtax, pe.lbTax, pe.lbHtax, pe.lbApr}), out);
        // A second pass (the labels' change notifications) finds the same inputs and writes the same.
        const PageEnd first = pe;
        RecalcGrandTotal(pe, total);
        QCOMPARE((QStringList{pe.lbNtax, pe.lbTax, pe.lbHtax, pe.lbApr}),
                 (QStringList{first.lbNtax, first.lbTax, first.lbHtax, first.lbApr}));
    }
};

QTEST_GUILESS_MAIN(TestPricing)
#include "tst_pricing.moc"
