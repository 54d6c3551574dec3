// The layouts written into the shipped quotation templates through the workbook layer, saved and
// read back: the cover example, page copies with their breaks and heights, the single sheet's
// inserted rows, the page skip, and the page-per-group starts.
#include "FakePrint.h"
#include "Layouts.h"
#include "TempProgramFolder.h"
#include "TemplateDescription.h"
#include "WorkbookBook.h"
#include "mdM.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QtTest>

using namespace xlprint;
using namespace xlfake;

class TestLayer : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> folder;
    int saved = 0;

    QString templatePath(const char* name) { return folder->file(QString::fromUtf8(name)); }

    // The plan written into a copy of the template, saved and opened again.
    std::unique_ptr<wb::Workbook> roundTrip(const JobPlan& plan, const Geometry& g, const char* tpl) {
        WorkbookBook book(wb::Workbook::open(templatePath(tpl)));
        const QString err = applyPlan(plan, g, book);
        if (!err.isEmpty())
            qWarning() << err;
        const QString out = folder->file(QStringLiteral("out%1.xlsx").arg(++saved));
        book.workbook().save(out);
        return wb::Workbook::open(out);
    }

private slots:
    void initTestCase() {
        mdM::ResetState();
        folder = std::make_unique<TempProgramFolder>();
        QString error;
        for (const tpl::TemplateSpec& t : tpl::quotationTemplates())
            QVERIFY2(tpl::writeTemplate(t, folder->file(t.relativePath), &error), qPrintable(error));
    }

    // Start row 12, column A, 25 rows: three groups, a design fee, tax.
    void coverExample() {
        Stats st;
        st.groups = {{QStringLiteral("客廳"), 100.0, 0.0, 0.0},
                     {QStringLiteral("臥室"), 200.0, 0.0, 0.0},
                     {QStringLiteral("浴室"), 300.0, 0.0, 0.0}};
        PrintSnapshot s;
        s.pageEnd.design = {true, QStringLiteral("設計費"), true, {}, {}, QStringLiteral("0.05"),
                            QStringLiteral("30")};
        s.pageEnd.ckTax = true;
        s.pageEnd.lbNtax = QStringLiteral("630");
        s.pageEnd.lbTax = QStringLiteral("31.5");
        s.pageEnd.lbApr = QStringLiteral("661.5");
        s.pageEnd.cbPe = {"一", "二", "三", "四", "五"};
        Switches sw;
        sw.byArea = true;
        sw.groupMode = 1;
        const Geometry g = geometry(12, 1, QStringLiteral("A1"), QStringLiteral("G39"), 25);
        auto book = roundTrip(planQuote(s, sw, g, st), g, "PrintQ/報價單.xlsx");
        wb::Sheet& c = book->sheet(1);
        QCOMPARE(c.text(12, 1), QStringLiteral("壹"));
        QCOMPARE(c.text(14, 1), QStringLiteral("參"));
        QCOMPARE(c.number(13, 5), std::optional<double>(200));
        QCOMPARE(c.text(15, 2), QStringLiteral("設計費"));
        QCOMPARE(c.number(15, 4), std::optional<double>(0.05));
        QCOMPARE(c.numberFormat(15, 4), QStringLiteral("0%"));
        QCOMPARE(c.horizontalAlignment(15, 4), wb::HAlign::Right);
        QCOMPARE(c.text(17, 2), QStringLiteral("    合  計"));
        QCOMPARE(c.text(19, 2), QStringLiteral("    稅  金"));
        QCOMPARE(c.number(19, 5), std::optional<double>(32)); // 31.5 to even
        QCOMPARE(c.text(20, 2), QStringLiteral("    總  計"));
        QCOMPARE(c.number(20, 5), std::optional<double>(662));
        QVERIFY(c.text(22, 2).endsWith(QStringLiteral("陸佰陸拾貳 元整(含稅)")));
        QVERIFY(c.isBold(22, 2));
        QCOMPARE(c.text(32, 1), QStringLiteral("一"));
        QCOMPARE(c.text(36, 1), QStringLiteral("五"));
        QCOMPARE(c.horizontalAlignment(36, 1), wb::HAlign::Left);
        QCOMPARE(c.columnBreaks(), QList<int>{8});
    }

    // L = 2P: copies at rows 40 and 79 with the first page's heights; the cost template's copies
    // are three columns wider; line 31 on the second page's first data line.
    void pageCopies_data() {
        QTest::addColumn<bool>("cost");
        QTest::newRow("estimate") << false;
        QTest::newRow("cost") << true;
    }
    void pageCopies() {
        QFETCH(bool, cost);
        Stats st;
        for (int i = 0; i < 57; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧客廳"), QString::number(i + 1), 10, 5));
        st.groupByArea();
        PrintSnapshot s;
        s.treeNodes = 2;
        st.lc = 2; // L = 57 + 2 + 2 - 1 = 60 = 2P
        Switches sw;
        sw.byArea = true;
        sw.groupMode = 1;
        sw.costCols = sw.costTemplate = cost;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 30);
        auto book = roundTrip(planQuote(s, sw, g, st), g,
                              cost ? "PrintC/成本分析.xlsx" : "PrintQ/報價單.xlsx");
        wb::Sheet& d = book->sheet(2);
        QCOMPARE(d.rowBreaks(), (QList<int>{40, 79}));
        QCOMPARE(d.columnBreaks(), QList<int>{11});
        for (int r = 1; r <= 39; ++r) {
            QCOMPARE(d.rowHeight(39 + r), d.rowHeight(r));
            QCOMPARE(d.rowHeight(78 + r), d.rowHeight(r));
        }
        QCOMPARE(d.text(46, 2), QStringLiteral("品名規格")); // the copied column titles
        QCOMPARE(d.text(46, 10), cost ? QStringLiteral("備註") : QString());
        QCOMPARE(d.text(8, 2), QStringLiteral("客廳"));
        QCOMPARE(d.number(37, 1), std::optional<double>(29)); // line 30
        QCOMPARE(d.number(47, 1), std::optional<double>(30)); // line 31
        QCOMPARE(d.text(47, cost ? 10 : 7), QStringLiteral("備30"));
    }

    // Single sheet: rows inserted at row 10 push the page foot down; the closing rows below.
    void singleSheetInsert() {
        Stats st;
        for (int i = 0; i < 32; ++i)
            st.rows.append(row(QStringLiteral("Ｑ‧客廳"), QString::number(i + 1), 10));
        PrintSnapshot s;
        s.pageEnd.lbNtax = QStringLiteral("320");
        s.pageEnd.lbApr = QStringLiteral("336");
        s.pageEnd.ckTax = true;
        s.pageEnd.cbPe = {"甲", "乙", "丙", "丁", "戊"};
        Switches sw;
        sw.groupMode = 1;
        sw.singleSheet = sw.flat = true;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 30);
        const JobPlan plan = planQuote(s, sw, g, st);
        QCOMPARE(plan.sheets.at(0).insertRows, 32 + 13 - 30);
        auto book = roundTrip(plan, g, "PrintNF/單張報價單.xlsx");
        wb::Sheet& d = book->sheet(1);
        QCOMPARE(d.text(38 + 15, 1), QStringLiteral("客戶簽認：＿＿＿＿＿＿＿＿　　　　公司簽認：＿＿＿＿＿＿＿＿"));
        QCOMPARE(d.number(8 + 31, 1), std::optional<double>(32));
        QCOMPARE(d.text(8 + 32 + 4, 2), QStringLiteral("    合  計"));
        QCOMPARE(d.text(8 + 32 + 12, 1), QStringLiteral("戊")); // the last remark inside the page
        QVERIFY(d.rowBreaks().isEmpty());

        // Grouped, with a line count above the lines written: it reserves 13 closing rows too.
        st.lc = 40;
        sw.flat = false;
        const JobPlan grouped = planQuote(s, sw, g, st);
        QCOMPARE(grouped.lineCount, 32 + 1 + 40 - 1 + 12);
        QCOMPARE(grouped.sheets.at(0).insertRows, 32 + 1 + 40 - 1 + 13 - 30);
    }

    // Work-type pages: each group on its own page copy; area pages: the second area at S + H.
    void groupPages() {
        Stats st;
        st.rows = {row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("a"), 10),
                   row(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("b"), 20),
                   row(QStringLiteral("Ｑ‧臥室‧木作"), QStringLiteral("c"), 30)};
        st.groupByArea();
        st.types = st.groups;
        st.typeGroups = {{1, {}, QStringLiteral("Ｑ‧客廳‧木作")},
                         {1, {}, QStringLiteral("Ｑ‧客廳‧油漆")},
                         {1, {}, QStringLiteral("Ｑ‧臥室‧木作")}};
        Switches sw;
        sw.groupMode = 2;
        const Geometry g = geometry(8, 1, QStringLiteral("A1"), QStringLiteral("G39"), 30);
        auto wt = roundTrip(planWorkTypePages(PrintSnapshot(), sw, g, st), g, "PrintQ/報價單.xlsx");
        wb::Sheet& d = wt->sheet(2);
        QCOMPARE(d.rowBreaks(), (QList<int>{40, 79}));
        QCOMPARE(d.text(8, 1), QStringLiteral("壹"));
        QCOMPARE(d.text(11, 2), QStringLiteral("小計"));
        QCOMPARE(d.text(47, 2), QStringLiteral(" 油漆"));
        QCOMPARE(d.text(86, 1), QStringLiteral("貳"));
        QCOMPARE(d.number(89, 6), std::optional<double>(30));

        sw.groupMode = 1;
        auto ap = roundTrip(planAreaPages(PrintSnapshot(), sw, g, st), g, "PrintQ/報價單.xlsx");
        wb::Sheet& a = ap->sheet(2);
        QCOMPARE(a.rowBreaks(), QList<int>{40});
        QCOMPARE(a.text(8 + 39, 1), QStringLiteral("貳"));
        QCOMPARE(a.text(8 + 39, 2), QStringLiteral("臥室"));
        QCOMPARE(a.number(8 + 39 + 3, 6), std::optional<double>(30));
    }
};

QTEST_GUILESS_MAIN(TestLayer)
#include "tst_layer.moc"
