// The full quotation layout and the areas-only layout: cover page and totals, line counts, page
// copies and inserts, headings and page skips, blank and cost variants, the single sheet's
// closing rows.
#include "CoverWriter.h"
#include "FakePrint.h"
#include "Layouts.h"
#include "Pricing.h"
#include "mdM.h"

#include <QtTest>

using namespace xlprint;
using namespace xlfake;

namespace {

PrintSnapshot snapshot() {
    PrintSnapshot s;
    s.pageEnd.ckTax = true;
    s.pageEnd.lbNtax = QStringLiteral("1050");
    s.pageEnd.lbTax = QStringLiteral("52.5");
    s.pageEnd.lbApr = QStringLiteral("1102.5");
    for (int i = 0; i < 5; ++i)
        s.pageEnd.cbPe[size_t(i)] = QStringLiteral("備註%1").arg(i + 1);
    return s;
}

Switches sw(bool byArea, int mode, bool blank = false, bool cost = false, bool single = false,
            bool flat = false) {
    Switches w;
    w.byArea = byArea;
    w.groupMode = mode;
    w.blank = blank;
    w.costCols = cost;
    w.costTemplate = cost;
    w.singleSheet = single;
    w.flat = flat;
    return w;
}

// Writes the plan into a fake workbook of two sheets.
Book written(const JobPlan& plan, const Geometry& g) {
    Book b;
    const QString err = applyPlan(plan, g, b);
    if (!err.isEmpty())
        qWarning() << err;
    return b;
}

// Rows in three groups of an area and work type: 2 + 1 + 1 rows.
Stats threeGroups() {
    Stats st;
    st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("櫃"), 100, 60),
               row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("門"), 200, 120),
               row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("牆"), 300, 150),
               row(QStringLiteral("Ｑ‧臥室‧油漆"), QStringLiteral("頂"), 400, 100)};
    st.groupByArea();
    st.groups.append(GroupRow{QStringLiteral("陽台"), 0.0, 0.0, 0.0});
    return st;
}

} // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void init() { mdM::ResetState(); }

    // Start row 12, column A, 25 rows: three groups, a design fee, tax.
    void coverExample() {
        Stats st = threeGroups();
        PrintSnapshot s = snapshot();
        s.pageEnd.design = {true, QStringLiteral("設計費"), true, QStringLiteral("1000"), {},
                            QStringLiteral("0.05"), QStringLiteral("50")};
        const Geometry g = geometry(12, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);
        const JobPlan plan = planQuote(s, sw(true, 1), g, st);
        Book b = written(plan, g);
        const Sheet& c = b.at(1);
        QCOMPARE(c.text(12, 1), QStringLiteral("壹"));
        QCOMPARE(c.text(13, 1), QStringLiteral("貳"));
        QCOMPARE(c.text(14, 1), QStringLiteral("參"));
        QCOMPARE(c.text(14, 2), QStringLiteral("陽台"));
        QCOMPARE(c.text(12, 3), QStringLiteral("式"));
        QCOMPARE(c.value(12, 4).toInt(), 1);
        QCOMPARE(c.value(12, 5).toDouble(), 600.0);
        QCOMPARE(c.text(15, 2), QStringLiteral("設計費"));
        QCOMPARE(c.text(15, 3), QStringLiteral("總價"));
        QCOMPARE(c.value(15, 4).toDouble(), 0.05);
        QCOMPARE(c.formats.value({15, 4}), QStringLiteral("0%"));
        QCOMPARE(c.aligns.value({15, 4}), Align::Right);
        QCOMPARE(c.value(15, 5).toDouble(), 50.0);
        QCOMPARE(c.text(17, 2), QStringLiteral("    合  計"));
        QCOMPARE(c.value(17, 5).toDouble(), 1050.0);
        QCOMPARE(c.text(19, 2), QStringLiteral("    稅  金"));
        QCOMPARE(c.value(19, 5).toDouble(), 52.0); // 52.5 to even
        QCOMPARE(c.text(20, 2), QStringLiteral("    總  計"));
        QCOMPARE(c.value(20, 5).toDouble(), 1102.0);
        QCOMPARE(c.text(22, 2), QStringLiteral("  總價合計:  新台幣 壹仟壹佰零貳 元整(含稅)"));
        QVERIFY(c.bold.contains({22, 2}));
        for (int j = 0; j < 5; ++j) {
            QCOMPARE(c.text(32 + j, 1), QStringLiteral("備註%1").arg(j + 1));
            QCOMPARE(c.aligns.value({32 + j, 1}), Align::Left);
        }
        QCOMPARE(c.colBreaks, QList<int>{8});
        QCOMPARE(plan.cover.holds, 25 - 12 - 1); // the design fee row
        QVERIFY(plan.cover.fits());
    }

    void coverTotals_data() {
        QTest::addColumn<bool>("design");
        QTest::addColumn<bool>("supervision");
        QTest::addColumn<bool>("tax");
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("sumRow");     // 合計
        QTest::addColumn<int>("totalRow");   // 總計
        QTest::addColumn<QString>("ending"); // of the amount line
        QTest::newRow("no fees no tax") << false << false << false << 3 << 16 << 19 << "(未稅)";
        QTest::newRow("both fees, no groups") << true << true << true << 0 << 15 << 18 << "(含稅)";
        QTest::newRow("supervision only") << false << true << true << 3 << 17 << 20 << "(含稅)";
    }
    void coverTotals() {
        QFETCH(bool, design);
        QFETCH(bool, supervision);
        QFETCH(bool, tax);
        QFETCH(int, groups);
        QFETCH(int, sumRow);
        QFETCH(int, totalRow);
        QFETCH(QString, ending);
        Stats st = threeGroups();
        st.groups.resize(groups);
        PrintSnapshot s = snapshot();
        s.pageEnd.ckTax = tax;
        s.pageEnd.design.included = design;
        s.pageEnd.supervision.included = supervision;
        s.pageEnd.supervision.amount = QStringLiteral("30");
        const Geometry g = geometry(12, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);
        Book b = written(planQuote(s, sw(true, 1), g, st), g);
        const Sheet& c = b.at(1);
        QCOMPARE(c.text(sumRow, 2), QStringLiteral("    合  計"));
        QCOMPARE(c.text(sumRow + 2, 2).isEmpty(), !tax);
        QCOMPARE(c.text(totalRow, 2), QStringLiteral("    總  計"));
        QVERIFY(c.text(totalRow + 2, 2).endsWith(ending));
        if (design)
            QCOMPARE(c.text(12 + groups, 2), QStringLiteral("設計費"));
        if (supervision)
            QCOMPARE(c.text(12 + groups + (design ? 1 : 0), 2), QStringLiteral("監工費"));
        QVERIFY(c.text(sumRow - 1, 2).isEmpty());
    }

    // Blank: no fee rows, no amounts, the bare amount line. Cost for a user without the price
    // right: costs, no profit, fee rows without amounts.
    void coverVariants() {
        Stats st = threeGroups();
        st.cost = 430;
        PrintSnapshot s = snapshot();
        s.pageEnd.design.included = true;
        s.pageEnd.design.amount = QStringLiteral("50");
        const Geometry g = geometry(12, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);

        Book blank = written(planQuote(s, sw(true, 1, true), g, st), g);
        const Sheet& c = blank.at(1);
        QCOMPARE(c.text(15, 2), QString());
        for (int r = 12; r <= 30; ++r)
            QVERIFY2(!c.cells.contains({r, 5}), qPrintable(QString::number(r)));
        QCOMPARE(c.text(21, 2), QStringLiteral("  總價合計:  新台幣 "));
        QVERIFY(c.bold.contains({21, 2}));

        s.rights.pricesHidden = true;
        Switches cost = sw(true, 1, true, true);
        Book costs = written(planQuote(s, cost, g, st), g);
        const Sheet& k = costs.at(1);
        QCOMPARE(k.value(12, 6).toDouble(), 330.0); // cost of 客廳
        QVERIFY(!k.cells.contains({12, 7}));
        QCOMPARE(k.text(15, 2), QStringLiteral("設計費"));
        QVERIFY(!k.cells.contains({15, 5})); // no fee amount without the price right
        QCOMPARE(k.value(17, 6).toDouble(), 430.0);
        QVERIFY(!k.cells.contains({17, 7}));
        QCOMPARE(k.colBreaks, QList<int>{9});

        s.rights.pricesHidden = false;
        Book full = written(planQuote(s, sw(true, 1, false, true), g, st), g);
        QCOMPARE(full.at(1).value(17, 7).toDouble(), 1050.0 - 430.0);
        QCOMPARE(full.at(1).value(12, 7).toDouble(), 270.0);
    }

    void amountInWords_data() {
        QTest::addColumn<QString>("apr");
        QTest::addColumn<QString>("words");
        QTest::newRow("half down") << "92.5" << "玖拾貳";
        QTest::newRow("half up") << "93.5" << "玖拾肆";
        QTest::newRow("zero") << "0" << "零";
        QTest::newRow("negative") << "-120" << "負壹佰貳拾";
    }
    void amountInWords() {
        QFETCH(QString, apr);
        QFETCH(QString, words);
        Stats st = threeGroups();
        PrintSnapshot s = snapshot();
        s.pageEnd.ckTax = false;
        s.pageEnd.lbApr = apr;
        const Geometry g = geometry(12, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);
        Book b = written(planQuote(s, sw(true, 1), g, st), g);
        QCOMPARE(b.at(1).text(21, 2),
                 QStringLiteral("  總價合計:  新台幣 ") + words + QStringLiteral(" 元整(未稅)"));
    }

    void feeByPing() {
        quote::Fee fee{true, QStringLiteral("設計費"), false, QStringLiteral("30"), {},
                       QStringLiteral("3000"), QStringLiteral("90000")};
        QVector<CellOut> cells;
        CellWriter w(cells, 1);
        writeFeeRow(w, 5, fee, PingBase::Area, true);
        writeFeeRow(w, 6, fee, PingBase::AreaTimesRate, true);
        writeFeeRow(w, 7, fee, PingBase::AreaTimesRate, false); // no price right: no figure
        SheetPlan sp;
        sp.cells = cells;
        const auto m = cellsOf(sp);
        QCOMPARE(m.value({5, 2}).toString(), QStringLiteral("設計費\t3000元/坪"));
        QCOMPARE(m.value({5, 3}).toString(), QStringLiteral("坪"));
        QCOMPARE(m.value({5, 4}).toString(), QStringLiteral("30"));
        QCOMPARE(cells.at(2).align, Align::Right);
        QCOMPARE(m.value({5, 5}).toDouble(), 90000.0);
        QCOMPARE(m.value({6, 4}).toString(), QStringLiteral("30 X 3000"));
        QCOMPARE(m.value({7, 2}).toString(), QStringLiteral("設計費"));
        QCOMPARE(m.value({7, 3}).toString(), QStringLiteral("坪"));
        QVERIFY(!m.contains({7, 4}) && !m.contains({7, 5}));
    }

    void lineCounts_data() {
        QTest::addColumn<Switches>("s");
        QTest::addColumn<int>("count");
        QTest::newRow("mode 2") << sw(false, 2) << 58;
        QTest::newRow("mode 1") << sw(false, 1) << 61;
        QTest::newRow("mode 3") << sw(false, 3) << 61;
        QTest::newRow("flat single") << sw(false, 2, false, false, true, true) << 52;
        QTest::newRow("flat single mode 1") << sw(false, 1, false, false, true, true) << 52;
        QTest::newRow("single mode 2") << sw(false, 2, false, false, true) << 70;
    }
    void lineCounts() {
        QFETCH(Switches, s);
        QFETCH(int, count);
        // 40 rows, ten nodes, three areas, twelve rows of the count view.
        QCOMPARE(quoteLineCount(s, 40, 10, 3, 12), count);
    }

    // Page copies: none for L = P, two for L = 2P (rows 40 and 79 for A1:G39), one per page the
    // written lines reach; heights copied; the cost template copies three more columns.
    void pageCopies_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lc");
        QTest::addColumn<int>("nodes");
        QTest::addColumn<bool>("cost");
        QTest::addColumn<QList<int>>("breaks");
        // One group: two headings, the rows and a 小計 line; L = rows + nodes + lc - 1.
        QTest::newRow("L = P") << 25 << 2 << 4 << false << QList<int>{};
        QTest::newRow("L = 2P") << 25 << 32 << 4 << false << QList<int>{40, 79};
        // L = P while 33 lines are written: the lines' page is laid out all the same.
        QTest::newRow("lines need a page") << 30 << 0 << 1 << true << QList<int>{40};
    }
    void pageCopies() {
        QFETCH(int, rows);
        QFETCH(int, lc);
        QFETCH(int, nodes);
        QFETCH(bool, cost);
        QFETCH(QList<int>, breaks);
        Stats st;
        for (int i = 0; i < rows; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("項%1").arg(i), 10));
        st.groupByArea();
        st.lc = lc;
        PrintSnapshot s = snapshot();
        s.treeNodes = nodes;
        s.rootChildren = 1;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 30);
        Switches w = sw(true, 1, false, cost);
        w.costTemplate = cost;
        const JobPlan plan = planQuote(s, w, g, st);
        Book b = written(plan, g);
        const Sheet& d = b.at(2);
        QCOMPARE(d.rowBreaks, breaks);
        QCOMPARE(d.colBreaks, QList<int>{11});
        for (int i = 0; i < breaks.size(); ++i)
            QCOMPARE(d.copies.at(i), (QList<int>{1, 1, 39, cost ? 10 : 7, breaks.at(i), 1}));
        if (!breaks.isEmpty())
            QCOMPARE(d.heights.size(), 39 * breaks.size());
        // Every written row lies on a page that exists.
        QVERIFY(d.lastRow() < 1 + 39 * (breaks.size() + 1));
    }

    // Headings 壹/一/A/a with their indents, a fifth level without heading, item numbers, 小計,
    // the page skip from line 40 to the next copy 50 rows below.
    void detailHeadings() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作‧櫃‧上‧深"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧客廳‧木作‧櫃‧上‧淺"), QStringLiteral("b"), 20),
                   row(QStringLiteral("Ｑ‧客廳‧木作‧櫃‧下"), QStringLiteral("c"), 30),
                   row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("d"), 40),
                   row(QStringLiteral("Ｑ‧臥室‧油漆"), QStringLiteral("e"), 50)};
        st.groupByArea();
        const Geometry g = geometry(10, 2, QStringLiteral("A1"), QStringLiteral("H50"), 40);
        const JobPlan plan = planQuote(snapshot(), sw(true, 1), g, st);
        const auto m = cellsOf(plan.sheets.at(1));
        auto line = [&](int r) {
            return m.value({10 + r, 2}).toString() + u'|' + m.value({10 + r, 3}).toString();
        };
        const QStringList expected = {
            "壹|客廳", "一| 木作", "A|  櫃", "a|   上", "1|a規", "|小計", "1|b規", "|小計",
            "b|   下", "1|c規", "|小計", "二| 油漆", "1|d規", "|小計", "貳|臥室", "一| 油漆",
            "1|e規", "|小計"};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(line(i), expected.at(i));
        // The 小計 of the 深/淺 groups sums each path alone.
        QCOMPARE(m.value({10 + 5, 7}).toDouble(), 10.0);
        QCOMPARE(m.value({10 + 4, 8}).toString(), QStringLiteral("備a"));

        // 45 items in one group: lines 1 to 40 on rows 10 to 49, line 41 on row 60.
        Stats big;
        for (int i = 0; i < 45; ++i)
            big.rows.append(row(QStringLiteral("Ｑ‧客廳"), QString::number(i + 1), 1));
        big.groupByArea();
        const auto b = cellsOf(planQuote(snapshot(), sw(true, 1), g, big).sheets.at(1));
        QCOMPARE(b.value({10, 2}).toString(), QStringLiteral("壹"));
        QCOMPARE(b.value({49, 2}).toInt(), 39);
        QCOMPARE(b.value({60, 2}).toInt(), 40);
        QVERIFY(!b.contains({50, 2}));
    }

    // A level whose own part and parent repeat under another level-1 part still gets its
    // heading; a page range starting below row 1 spaces copies and skips by its height.
    void headingsAfterParentChange() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作‧櫃"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧臥室‧木作‧櫃"), QStringLiteral("b"), 20)};
        for (int i = 0; i < 30; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧臥室‧木作‧門"), QString::number(i), 1));
        st.groupByArea();
        const Geometry g = geometry(10, 1, QStringLiteral("A3"), QStringLiteral("G42"), 30);
        const JobPlan plan = planQuote(snapshot(), sw(true, 1), g, st);
        const auto m = cellsOf(plan.sheets.at(1));
        QCOMPARE(m.value({15, 1}).toString() + m.value({15, 2}).toString(), QStringLiteral("貳臥室"));
        QCOMPARE(m.value({16, 1}).toString() + m.value({16, 2}).toString(), QStringLiteral("一 木作"));
        QCOMPARE(m.value({17, 1}).toString() + m.value({17, 2}).toString(), QStringLiteral("A  櫃"));
        // Line 31 (the 20th item of 門) on the second page's first data line, 40 rows below.
        QCOMPARE(m.value({10 + 40, 1}).toInt(), 20);
        QCOMPARE(m.value({10 + 29, 1}).toInt(), 19);
        Book b = written(plan, g);
        QCOMPARE(b.at(2).rowBreaks, (QList<int>{43}));
        QCOMPARE(b.at(2).copies.at(0), (QList<int>{3, 1, 42, 7, 43, 1}));
        QCOMPARE(b.at(2).heights.size(), 40);
        QVERIFY(b.at(2).heights.contains(82) && !b.at(2).heights.contains(83));
    }

    // Item cells of the estimate, blank and cost variants.
    void itemColumns_data() {
        QTest::addColumn<Switches>("s");
        QTest::addColumn<bool>("pricesHidden");
        QTest::addColumn<QString>("cols"); // columns +0..+9 written on the item line, '.' not
        QTest::addColumn<QString>("sub");  // columns written on the 小計 line
        QTest::newRow("estimate") << sw(true, 1) << false << "0123456..." << ".1...5....";
        QTest::newRow("blank") << sw(true, 1, true) << false << "0123..6..." << ".1........";
        QTest::newRow("cost") << sw(true, 1, false, true) << false << "012345678 9" << ".1...5.78.";
        QTest::newRow("cost, prices hidden") << sw(true, 1, true, true) << true << "0123..67.9"
                                             << ".1........";
    }
    void itemColumns() {
        QFETCH(Switches, s);
        QFETCH(bool, pricesHidden);
        QFETCH(QString, cols);
        QFETCH(QString, sub);
        cols.remove(u' ');
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳"), QStringLiteral("a"), 10, 5)};
        st.groupByArea();
        PrintSnapshot snap = snapshot();
        snap.rights.pricesHidden = pricesHidden;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 30);
        const auto m = cellsOf(planQuote(snap, s, g, st).sheets.at(1));
        QString itemCols, subCols;
        for (int k = 0; k < 10; ++k) {
            itemCols += m.contains({9, 1 + k}) ? QChar(u'0' + k) : QChar(u'.');
            subCols += m.contains({10, 1 + k}) ? QChar(u'0' + k) : QChar(u'.');
        }
        QCOMPARE(itemCols, cols);
        QCOMPARE(subCols, sub);
    }

    // A unit price or cost with a fraction keeps its decimals (the template shows whole units, so
    // 2 x 125.5 would read as 2 x 126 = 251); whole ones keep the template's format. The 小計
    // profit in the ratio column is formatted as an amount.
    void numberFormats() {
        Stats st;
        StatRow half = row(QStringLiteral("Ｑ‧客廳"), QStringLiteral("板"), 251, 160);
        half.qua = 2.0;
        half.unp = 125.5;
        half.unc = 80.25;
        st.rows = {half, row(QStringLiteral("Ｑ‧客廳"), QStringLiteral("櫃"), 3500, 2800)};
        st.groupByArea();
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("J39"), 30);
        for (const bool cost : {false, true}) {
            Book b = written(planQuote(snapshot(), sw(true, 1, false, cost), g, st), g);
            const auto& f = b.at(2).formats;
            QCOMPARE(f.value({9, 5}), QStringLiteral("#,##0.####"));
            QVERIFY(!f.contains({10, 5}));
            QCOMPARE(f.contains({9, 7}), cost);
            if (cost) {
                QCOMPARE(f.value({9, 7}), QStringLiteral("#,##0.####"));
                QCOMPARE(b.at(2).value(11, 9).toDouble(), 3751.0 - 2960.0);
                QCOMPARE(f.value({11, 9}), QStringLiteral("#,##0"));
            }
        }
    }

    // Single sheet: rows inserted at row 10 for the lines and the 13 closing rows; closing rows
    // with and without fees, tax and the price right.
    void singleSheet_data() {
        QTest::addColumn<bool>("fees");
        QTest::addColumn<bool>("tax");
        QTest::addColumn<bool>("pricesHidden");
        QTest::addColumn<QStringList>("labels"); // column +1 of rows r+1 .. r+7
        // The design fee's rate (by the total) or base (per ping: switched there from the total).
        QTest::addColumn<bool>("perPing");
        QTest::addColumn<QString>("feeBase");
        QTest::newRow("fees, tax") << true << true << false
                                   << QStringList{"設計費", "監工費", "", "    合  計", "    稅  金",
                                                  "    總  價", ""}
                                   << false << "0.1";
        QTest::newRow("nothing") << false << false << false
                                 << QStringList{"", "", "", "    合  計", "", "    總  價", ""} << false << "";
        QTest::newRow("prices hidden") << true << true << true
                                       << QStringList{"設計費", "監工費", "", "    合  計",
                                                      "    稅  金", "", ""}
                                       << false << "";
        // The total the base held is no number of ping: it is not printed as one.
        QTest::newRow("prices hidden, per ping") << true << true << true
                                                 << QStringList{"設計費", "監工費", "", "    合  計",
                                                                "    稅  金", "", ""}
                                                 << true << "";
    }
    void singleSheet() {
        QFETCH(bool, fees);
        QFETCH(bool, tax);
        QFETCH(bool, pricesHidden);
        QFETCH(QStringList, labels);
        QFETCH(bool, perPing);
        QFETCH(QString, feeBase);
        Stats st;
        for (int i = 0; i < 5; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧客廳"), QString::number(i), 10));
        PrintSnapshot s = snapshot();
        s.rights.pricesHidden = pricesHidden;
        s.pageEnd.ckTax = tax;
        s.pageEnd.design = {fees, QStringLiteral("設計費"), true, {}, {}, QStringLiteral("0.1"),
                            QStringLiteral("105")};
        s.pageEnd.supervision = {fees, QStringLiteral("監工費"), true, {}, {}, QStringLiteral("0.1"),
                                 QStringLiteral("105")};
        if (perPing) {
            s.pageEnd.design.base = QStringLiteral("1050");
            quote::ApplyFeeBasis(s.pageEnd.design, false, u"1050");
        }
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 10);
        const JobPlan plan = planQuote(s, sw(false, 1, pricesHidden, false, true, true), g, st);
        QCOMPARE(plan.sheets.size(), 1);
        Book b = written(plan, g);
        const Sheet& d = b.at(1);
        // Five lines then 13 closing rows on ten data rows: 8 rows inserted.
        QCOMPARE(d.inserts, (QList<QPair<int, int>>{{10, 8}}));
        QCOMPARE(d.rowBreaks, QList<int>{});
        QCOMPARE(d.colBreaks, QList<int>{11});
        const int base = 8 + 5;
        for (int j = 0; j < labels.size(); ++j)
            QCOMPARE(d.text(base + 1 + j, 2), labels.at(j));
        QCOMPARE(d.text(base + 1, 4), feeBase);
        QCOMPARE(d.cells.contains({base + 1, 5}), fees && !pricesHidden);
        QCOMPARE(d.cells.contains({base + 4, 5}), !pricesHidden);
        if (!pricesHidden) {
            QCOMPARE(d.value(base + 6, 5).toDouble(), 1102.5);
            QVERIFY(d.text(base + 7, 3).endsWith(tax ? QStringLiteral("壹仟壹佰零貳 元整(含稅)")
                                                     : QStringLiteral("壹仟壹佰零貳 元整(未稅)")));
        }
        for (int i = 0; i < 5; ++i)
            QCOMPARE(d.text(base + 8 + i, 1), QStringLiteral("備註%1").arg(i + 1));
        // Flat lines: running numbers, no headings.
        QCOMPARE(d.value(8, 1).toInt(), 1);
        QCOMPARE(d.value(12, 1).toInt(), 5);
    }

    // Areas-only: headings 一, 二, items numbered per area, 小計 with the area amount; P + 1
    // lines get a second page; blank leaves prices out; rows of an unknown area stay under
    // the last area.
    void areasOnly() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("b"), 20),
                   row(QStringLiteral("Ｑ‧臥室‧油漆"), QStringLiteral("c"), 30)};
        st.groupByArea();
        st.groups.insert(1, GroupRow{QStringLiteral("空區"), 0.0, {}, {}});
        PrintSnapshot s = snapshot();
        s.pageEnd.design.included = true;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 8);
        const JobPlan plan = planAreasOnly(s, sw(true, 1), g, st);
        QCOMPARE(plan.lineCount, 3 + 2 * 3 - 1);
        const auto c = cellsOf(plan.sheets.at(0));
        QCOMPARE(c.value({8 + 3 + 1, 2}).toString(), QStringLiteral("    合  計")); // no fee rows
        const auto d = cellsOf(plan.sheets.at(1));
        const QStringList expected = {"一|客廳", "1|a規", "2|b規", "|小計", "二|空區", "|小計",
                                      "三|臥室", "1|c規"};
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(d.value({8 + i, 1}).toString() + u'|' + d.value({8 + i, 2}).toString(),
                     expected.at(i));
        QCOMPARE(d.value({8 + 3, 6}).toDouble(), 30.0);
        // Line 9 (P + 1) is the last 小計: on the next page, 39 rows below line 1.
        QCOMPARE(d.value({8 + 39, 2}).toString(), QStringLiteral("小計"));
        QCOMPARE(plan.sheets.at(1).pageCopies, 1);

        const auto blank = cellsOf(planAreasOnly(s, sw(true, 1, true), g, st).sheets.at(1));
        QVERIFY(!blank.contains({9, 5}) && !blank.contains({9, 6}) && !blank.contains({11, 6}));

        st.groups.resize(1);
        const auto lost = cellsOf(planAreasOnly(s, sw(true, 1), g, st).sheets.at(1));
        QCOMPARE(lost.value({8 + 3, 2}).toString(), QStringLiteral("c規"));
        QCOMPARE(lost.value({8 + 4, 2}).toString(), QStringLiteral("小計"));
    }

    void placeholders() {
        PrintSnapshot s;
        s.header.txtCn = QStringLiteral("王先生");
        s.header.txtQD = QStringLiteral("91/5");
        s.custPhone = QStringLiteral("02-1234");
        s.company = {QStringLiteral("好公司"), {}, {}, {}, {}, QStringLiteral("a@b")};
        Book b;
        Sheet& one = b.at(1);
        one.cells[{1, 1}] = QStringLiteral("致 #客戶名稱# 電話#客戶電話# (#客戶名稱#)");
        one.cells[{2, 8}] = QStringLiteral("#年#年#月#月#日#日");
        one.cells[{2, 9}] = QStringLiteral("#客戶名稱#"); // beyond the last column
        one.cells[{11, 1}] = QStringLiteral("#客戶名稱#"); // beyond the last row
        one.cells[{3, 2}] = QStringLiteral("#公司email# #公司EMAIL#");
        one.cells[{4, 2}] = 5.0;
        b.at(2).cells[{1, 1}] = QStringLiteral("#公司名稱#");
        fillPlaceholders(b, 10, 8, placeholderValues(s));
        QCOMPARE(one.text(1, 1), QStringLiteral("致 王先生 電話02-1234 (王先生)"));
        QCOMPARE(one.text(2, 8), QStringLiteral("91年5月日"));
        QCOMPARE(one.text(2, 9), QStringLiteral("#客戶名稱#"));
        QCOMPARE(one.text(11, 1), QStringLiteral("#客戶名稱#"));
        QCOMPARE(one.text(3, 2), QStringLiteral("a@b #公司EMAIL#"));
        QCOMPARE(b.at(2).text(1, 1), QStringLiteral("好公司"));
        QCOMPARE(one.writes, 3); // only cells holding a placeholder are written

        // Every layout's header: a telephone or fax of an area code alone prints nothing.
        mdM::QuoteCustPhone = QStringLiteral("02-1234");
        mdM::QuoteCustFax = QStringLiteral("02");
        const PrintSnapshot edited = snapshotOf(quote::QuoteDocument(),
                                                {{}, {}, QStringLiteral("(037)-"), QStringLiteral("037-123456")}, {});
        QCOMPARE(edited.custPhone, QStringLiteral("02-1234"));
        QCOMPARE(edited.custFax, QString());
        QCOMPARE(edited.company.mid(2, 2), QStringList({QString(), QStringLiteral("037-123456")}));
    }

    void coverOverflow() {
        Stats st;
        for (int i = 0; i < 20; ++i)
            st.groups.append(GroupRow{QString::number(i), 1.0, {}, {}});
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);
        const JobPlan plan = planQuote(snapshot(), sw(true, 1), g, st);
        QVERIFY(plan.hasCover && !plan.cover.fits());
        QCOMPARE(plan.cover.groups, 20);
        // The remarks are written last and stand on their rows.
        QCOMPARE(cellsOf(plan.sheets.at(0)).value({28, 1}).toString(), QStringLiteral("備註1"));
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
