// Page per area and page per work type: page counts at their boundaries, where each group starts,
// headings per area, the 小計 lines, blank pages and the cover differences.
#include "FakePrint.h"
#include "Layouts.h"
#include "mdM.h"

#include <QtTest>

using namespace xlprint;
using namespace xlfake;

namespace {

Switches plainSwitches(int mode, bool blank = false) {
    Switches w;
    w.groupMode = mode;
    w.blank = blank;
    return w;
}

PrintSnapshot snapshot() {
    PrintSnapshot s;
    s.pageEnd.lbNtax = QStringLiteral("100");
    s.pageEnd.lbApr = QStringLiteral("105");
    s.pageEnd.design = {true, QStringLiteral("設計費"), false, QStringLiteral("35"), {},
                        QStringLiteral("1500"), QStringLiteral("52500")};
    return s;
}

// Column +0 and +1 of a detail row, joined by "|".
QString line(const QMap<QPair<int, int>, QVariant>& m, int row) {
    return m.value({row, 1}).toString() + u'|' + m.value({row, 2}).toString();
}

} // namespace

class TestGroupPages : public QObject {
    Q_OBJECT
private slots:
    void init() { mdM::ResetState(); }

    void areaPageCount_data() {
        QTest::addColumn<int>("ct");
        QTest::addColumn<int>("paths"); // paths of three parts (two "‧")
        QTest::addColumn<int>("pages");
        QTest::newRow("36 + 2 < 39") << 30 << 3 << 1;
        QTest::newRow("37 + 2 = 39") << 31 << 3 << 1;
        QTest::newRow("38 + 2 > 39") << 32 << 3 << 2;
        QTest::newRow("three pages long") << 200 << 3 << 2;
        QTest::newRow("no groups") << 37 << 0 << 1;
        QTest::newRow("no groups, one more") << 38 << 0 << 2;
    }
    void areaPageCount() {
        QFETCH(int, ct);
        QFETCH(int, paths);
        QFETCH(int, pages);
        QVector<GroupSizeRow> groups;
        for (int i = 0; i < paths; ++i)
            groups.append(GroupSizeRow{1, QStringLiteral("客廳"), QStringLiteral("Ｑ‧客廳‧木作")});
        groups.append(GroupSizeRow{1, QStringLiteral("臥室"), QStringLiteral("Ｑ‧臥室‧木作‧櫃")});
        const QVector<AreaSizeRow> area{{QStringLiteral("客廳"), 0.0, ct}};
        QCOMPARE(xlprint::areaPageCount(area, groups, 39), pages);
        QCOMPARE(xlprint::areaPageCount({}, groups, 39), 0);
    }

    void workTypePageCount_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("tre");
        QTest::addColumn<int>("pages");
        QTest::newRow("equal to P") << 27 << "Ｑ‧客廳‧木作" << 1;
        QTest::newRow("one more") << 28 << "Ｑ‧客廳‧木作" << 2;
        QTest::newRow("three pages") << 90 << "Ｑ‧客廳‧木作" << 2;
        QTest::newRow("empty path") << 30 << "" << 1;
        QTest::newRow("empty path, one more") << 31 << "" << 2;
    }
    void workTypePageCount() {
        QFETCH(int, lines);
        QFETCH(QString, tre);
        QFETCH(int, pages);
        QCOMPARE(xlprint::workTypePageCount({GroupSizeRow{lines, {}, tre}}, 30), pages);
    }

    // Areas on pages of their own: 壹, 貳 with their own work types from 一; a page filled exactly
    // by the last item sends the 小計 to the next page and the next area one page further.
    void areaPages() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作‧櫃"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧客廳‧木作‧櫃"), QStringLiteral("b"), 20),
                   row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("c"), 30),
                   row(QStringLiteral("Ｑ‧臥室‧木作‧櫃"), QStringLiteral("d"), 40),
                   row(QStringLiteral("Ｑ‧臥室‧木作‧門"), QStringLiteral("e"), 50),
                   row(QStringLiteral("Ｑ‧臥室"), QStringLiteral("f"), 60)};
        st.groupByArea();
        st.areas[0].ct = 10;
        const Geometry g = geometry(5, 1, QStringLiteral("A1"), QStringLiteral("G20"), 7);
        const JobPlan plan = planAreaPages(snapshot(), plainSwitches(2), g, st);
        const auto d = cellsOf(plan.sheets.at(1));
        // 客廳: 壹, 一 木作, A 櫃, items a b, 二 油漆, item c, then 小計 (8 lines, P = 7).
        const QStringList first = {"壹|客廳", "一| 木作", "A|  櫃", "1|a規", "2|b規", "二| 油漆",
                                   "1|c規"};
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(line(d, 5 + i), first.at(i));
        // The page is full: 小計 on the next page's first line, 臥室 one page further.
        QCOMPARE(line(d, 5 + 20), QStringLiteral("|小計"));
        QCOMPARE(d.value({25, 6}).toDouble(), 60.0);
        const QStringList second = {"貳|臥室", "一| 木作", "A|  櫃", "1|d規", "B|  門", "1|e規",
                                    "1|f規"};
        for (int i = 0; i < second.size(); ++i)
            QCOMPARE(line(d, 5 + 40 + i), second.at(i));
        QCOMPARE(d.value({45 + 3, 5}).toDouble(), 40.0);
        QCOMPARE(d.value({45 + 3, 7}).toString(), QStringLiteral("備d"));
        // 臥室 fills its page exactly (the page line count runs on from whole pages): its 小計
        // opens a fourth page, which the page count (two areas, 客廳 too long) does not hold.
        QCOMPARE(line(d, 5 + 60), QStringLiteral("|小計"));
        QCOMPARE(d.value({65, 6}).toDouble(), 150.0);
        QCOMPARE(plan.lineCount, 3);
        QCOMPARE(plan.sheets.at(1).pageCopies, 3);

        // Blank: no unit prices, amounts or 小計 values on the area pages; fee rows on the
        // cover whatever the blank switch says, "floor area X rate".
        const JobPlan blank = planAreaPages(snapshot(), plainSwitches(2, true), g, st);
        const auto b = cellsOf(blank.sheets.at(1));
        QVERIFY(!b.contains({8, 5}) && !b.contains({8, 6}) && !b.contains({25, 6}));
        const auto c = cellsOf(blank.sheets.at(0));
        QCOMPARE(c.value({5, 1}).toString(), QStringLiteral("壹"));
        QVERIFY(!c.contains({5, 5}));
        QCOMPARE(c.value({7, 2}).toString(), QStringLiteral("設計費\t1500元/坪"));
        QCOMPARE(c.value({7, 4}).toString(), QStringLiteral("35 X 1500"));
        QCOMPARE(c.value({7, 5}).toDouble(), 52500.0);
    }

    // A new area whose first row repeats the last row's work type and group still gets all
    // its headings; one area that fits: the next area at S + H.
    void areaPagesSameNames() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作‧櫃"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧臥室‧木作‧櫃"), QStringLiteral("b"), 20),
                   row(QStringLiteral("Ｑ‧臥室‧木作‧門"), QStringLiteral("c"), 30)};
        st.groupByArea();
        const Geometry g = geometry(5, 1, QStringLiteral("A1"), QStringLiteral("G20"), 10);
        const auto d = cellsOf(planAreaPages(snapshot(), plainSwitches(2), g, st).sheets.at(1));
        QCOMPARE(line(d, 9), QStringLiteral("|小計"));
        const QStringList second = {"貳|臥室", "一| 木作", "A|  櫃", "1|b規", "B|  門"};
        for (int i = 0; i < second.size(); ++i)
            QCOMPARE(line(d, 25 + i), second.at(i));
    }

    // Groups on pages of their own, the 30th item of a long group on the next page, the group
    // after it one page further; a level-3 change shows only the letter B.
    void workTypePages() {
        Stats st;
        st.rows.append(row(QStringLiteral("Ｑ‧客廳‧木作‧櫃"), QStringLiteral("a"), 10));
        for (int i = 0; i < 35; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧客廳‧木作‧門"), QString::number(i + 1), 1));
        st.rows.append(row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("z"), 5));
        st.groupByArea();
        st.types = {{QStringLiteral("木作"), 46.0, {}, {}}, {QStringLiteral("油漆"), 5.0, {}, {}}};
        st.typeGroups = {{1, {}, QStringLiteral("Ｑ‧客廳‧木作‧櫃")},
                         {35, {}, QStringLiteral("Ｑ‧客廳‧木作‧門")},
                         {1, {}, QStringLiteral("Ｑ‧客廳‧油漆")}};
        const Geometry g = geometry(5, 1, QStringLiteral("A1"), QStringLiteral("G40"), 30);
        const JobPlan plan = planWorkTypePages(snapshot(), plainSwitches(2), g, st);
        const auto d = cellsOf(plan.sheets.at(1));
        QCOMPARE(line(d, 5), QStringLiteral("壹|客廳"));
        QCOMPARE(line(d, 8), QStringLiteral("1|a規"));
        QCOMPARE(line(d, 9), QStringLiteral("|小計"));
        QCOMPARE(d.value({9, 6}).toDouble(), 10.0);
        // Group 門 on page copy 1: its heading B and 29 items fill the page.
        QCOMPARE(line(d, 45), QStringLiteral("B|  門"));
        QCOMPARE(line(d, 46), QStringLiteral("1|1規"));
        QCOMPARE(line(d, 74), QStringLiteral("29|29規"));
        QCOMPARE(line(d, 85), QStringLiteral("30|30規"));
        QCOMPARE(line(d, 90), QStringLiteral("35|35規"));
        QCOMPARE(line(d, 91), QStringLiteral("|小計"));
        QCOMPARE(d.value({91, 6}).toDouble(), 35.0);
        // 油漆 one page after the last page 門 used.
        QCOMPARE(line(d, 125), QStringLiteral("二| 油漆"));
        QCOMPARE(line(d, 126), QStringLiteral("1|z規"));
        QCOMPARE(line(d, 127), QStringLiteral("|小計"));
        QCOMPARE(plan.lineCount, 4);
        QCOMPARE(plan.sheets.at(1).pageCopies, 3);
        // Cover: work types with their amounts, no cost columns, fees "floor area X rate".
        const auto c = cellsOf(plan.sheets.at(0));
        QCOMPARE(line(c, 5), QStringLiteral("壹|木作"));
        QCOMPARE(c.value({7, 4}).toString(), QStringLiteral("35 X 1500"));
        QCOMPARE(plan.sheets.at(0).columnBreak, 8);

        // Blank: no prices, no fee rows, the bare amount line.
        const JobPlan blank = planWorkTypePages(snapshot(), plainSwitches(2, true), g, st);
        const auto b = cellsOf(blank.sheets.at(1));
        QVERIFY(!b.contains({8, 5}) && !b.contains({8, 6}) && !b.contains({9, 6}));
        QCOMPARE(b.value({9, 2}).toString(), QStringLiteral("小計"));
        const auto bc = cellsOf(blank.sheets.at(0));
        QCOMPARE(bc.value({8, 2}).toString(), QStringLiteral("    合  計"));
        QCOMPARE(bc.value({13, 2}).toString(), QStringLiteral("  總價合計:  新台幣 "));
    }

    // A group whose last item fills the page: 小計 on the next page, next group after that.
    void workTypeExactPage() {
        Stats st;
        for (int i = 0; i < 8; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧木作"), QString::number(i + 1), 1));
        st.rows.append(row(QStringLiteral("Ｑ‧油漆"), QStringLiteral("z"), 5));
        st.groupByArea();
        const Geometry g = geometry(3, 1, QStringLiteral("A1"), QStringLiteral("G12"), 10);
        const auto d = cellsOf(planWorkTypePages(snapshot(), plainSwitches(1), g, st).sheets.at(1));
        // Heading + 8 items = 9 lines; line 10 is the 10th: items use the page test from the
        // second on, so item 8 (line 9) leaves the page one short.
        QCOMPARE(line(d, 3 + 8), QStringLiteral("8|8規"));
        QCOMPARE(line(d, 3 + 9), QStringLiteral("|小計"));
        QCOMPARE(line(d, 3 + 12), QStringLiteral("貳|油漆"));

        st.rows.insert(0, row(QStringLiteral("Ｑ‧木作"), QStringLiteral("0"), 1));
        const auto e = cellsOf(planWorkTypePages(snapshot(), plainSwitches(1), g, st).sheets.at(1));
        QCOMPARE(line(e, 3 + 9), QStringLiteral("9|8規"));
        QCOMPARE(line(e, 3 + 12), QStringLiteral("|小計"));
        QCOMPARE(line(e, 3 + 24), QStringLiteral("貳|油漆"));
    }
};

QTEST_GUILESS_MAIN(TestGroupPages)
#include "tst_grouppages.moc"
