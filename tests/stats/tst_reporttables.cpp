// The report tables: the header, the detail lines with their numbered headings and subtotals, the
// cover-page lines with fees, totals and the amount in words, the remarks, and the page fills.
#include "Pricing.h"
#include "PrintTexts.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"
#include "StatsFixture.h"
#include "TempProgramFolder.h"
#include "mdM.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace fixture;

namespace {

// Every row of a report table, fields joined by "|".
QStringList table(db::Database& d, const QString& name) {
    db::Recordset rs = d.openRecordset(name);
    QStringList out;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList f;
        for (int i = 0; i < rs.fieldCount(); ++i)
            f << rs.text(i);
        out << f.join(u'|');
    }
    return out;
}

const QStringList kCompany = {"好家設計", "台北市", "02-1234", "02-5678", "12345678", "a@b.tw"};

} // namespace

class TstReportTables : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    db::DatabasePtr m_sta, m_report;
    stats::ReportSources m_src;

    QStringList body() { return table(*m_report, QStringLiteral("pbody")); }
    QStringList cover() { return table(*m_report, QStringLiteral("pfp")); }
    // The detail lines without the page fill.
    QStringList lines() {
        QStringList b = body();
        while (!b.isEmpty() && b.last() == QStringLiteral("| |||||"))
            b.removeLast();
        return b;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_sta = stats::openStaDb(m_dir.path());
        m_report = stats::openReportDb(m_dir.path());
        m_src = {m_sta.get(), m_report.get(), kCompany, QStringLiteral("02-999"), QStringLiteral("02-888")};
    }

    void companyFromTheMainDatabase() {
        TempProgramFolder folder;
        auto main = db::Database::open(folder.createMainDb(), QString::fromUtf8(mdM::kMainDbPassword));
        QCOMPARE(stats::companyRow(*main)->size(), 6);
        main->execute(QStringLiteral("DELETE FROM company"));
        QVERIFY(!stats::companyRow(*main));
    }

    // One heading per first-level group, items numbered from 1, one subtotal per run; the header
    // holds one row even with empty customer and project.
    void detailsOneLevel() {
        QuoteDocument doc;
        doc.WorkTypesOnly = true;
        fillLeaf(doc, addPath(doc, {"木作"}), {item("櫃", 2, 1500, 1000), item("門", 1, 8000)});
        fillLeaf(doc, addPath(doc, {"油漆"}), {item("牆", 30, 100)});
        stats::FillDetailPrintTables(doc, m_src, 1);
        QCOMPARE(table(*m_report, QStringLiteral("phead")),
                 QStringList{kCompany.join(u'|') + QStringLiteral("||02-999|02-888|||||")});
        QCOMPARE(lines(), QStringList({"壹|木作|||||", "1|櫃S|式|2|1,500|3,000|", "2|門S|式|1|8,000|8,000|",
                                       "|小計||||11,000|", "貳|油漆|||||", "1|牆S|式|30|100|3,000|",
                                       "|小計||||3,000|"}));
        QCOMPARE(body().size(), 33);
    }

    // Work types first (the print menu's grouping): areas merged, area names before the item names.
    void detailsByWorkType() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), {item("櫃", 1, 100)});
        fillLeaf(doc, addPath(doc, {"客廳", "油漆"}), {item("牆", 1, 10)});
        fillLeaf(doc, addPath(doc, {"陽台"}), {item("欄", 1, 5)});
        fillLeaf(doc, addPath(doc, {"房", "木作"}), {item("床", 1, 50)});
        stats::FillDetailPrintTables(doc, m_src, 2);
        QCOMPARE(lines(),
                 QStringList({"壹|木作|||||", "1|客廳櫃S|式|1|100|100|", "2|房床S|式|1|50|50|", "|小計||||150|",
                              "貳|油漆|||||", "1|客廳牆S|式|1|10|10|", "|小計||||10|", "參|陽台|||||",
                              "1|陽台欄S|式|1|5|5|", "|小計||||5|"}));
    }

    // Headings by level: a level shared with the previous path writes nothing; a new parent
    // restarts the numbering below it; levels below 4 get no heading.
    void headings() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A", "X"}), {item("1")});
        fillLeaf(doc, addPath(doc, {"A", "Y"}), {item("2")});
        fillLeaf(doc, addPath(doc, {"B", "X"}), {item("3")});
        fillLeaf(doc, addPath(doc, {"B", "Z", "p", "q", "r", "s"}), {item("4")});
        stats::FillDetailPrintTables(doc, m_src, 3);
        QStringList heads;
        for (const QString& l : lines())
            if (!l.startsWith(u'|') && !l.at(0).isDigit())
                heads << l.section(u'|', 0, 1);
        QCOMPARE(heads, QStringList({"壹|A", "一|  X", "二|  Y", "貳|B", "一|  X", "二|  Z", "A|    p", "a|      q"}));
    }

    // The 27th heading of levels 3 and 4 takes the character after Z and after z.
    void headingsPastTheAlphabet() {
        QuoteDocument doc;
        QStringList keys;
        for (int i = 0; i < 27; ++i)
            fillLeaf(doc, addPath(doc, {"A", "W", QStringLiteral("c%1").arg(i), "d"}), {item("x")});
        for (int i = 0; i < 26; ++i)
            fillLeaf(doc, addPath(doc, {"A", "W", "c26", QStringLiteral("e%1").arg(i)}), {});
        stats::FillDetailPrintTables(doc, m_src, 3);
        QStringList third;
        for (const QString& l : lines())
            if (l.section(u'|', 1, 1).startsWith(QStringLiteral("    c")))
                third << l.section(u'|', 0, 0);
        QCOMPARE(third.size(), 27);
        QCOMPARE(third.last(), QStringLiteral("["));

        // Level 4 directly from the lines of a recordset.
        QTemporaryDir dir;
        auto sta = stats::openStaDb(dir.path());
        for (int i = 0; i < 27; ++i)
            sta->execute(QStringLiteral("INSERT INTO 統計(tre, Top, sot) VALUES (?, 1, ?)"),
                         {QStringLiteral("Ｑ‧A‧B‧C‧d%1").arg(i), i});
        db::Recordset rs = sta->query(QStringLiteral("SELECT * FROM 統計 ORDER BY sot"));
        const auto out = stats::detailLines(rs, {});
        QCOMPARE(out.at(out.size() - 3).at(0), QStringLiteral("{"));
    }

    // A path in two separate runs gets two groups, each with the sum over both runs.
    void separatedRuns() {
        QTemporaryDir dir;
        auto sta = stats::openStaDb(dir.path());
        const QStringList paths = {"Ｑ‧A", "Ｑ‧B", "Ｑ‧A"};
        for (int i = 0; i < 3; ++i)
            sta->execute(QStringLiteral("INSERT INTO 統計(tre, Des, Top, sot) VALUES (?, 'i', ?, ?)"),
                         {paths[i], 10 * (i + 1), i});
        db::Recordset rs = sta->query(QStringLiteral("SELECT * FROM 統計 ORDER BY sot"));
        const auto out = stats::detailLines(rs, {{"Ｑ‧A", 40.0}, {"Ｑ‧B", 20.0}});
        QStringList joined;
        for (const auto& l : out)
            joined << l.join(u'|');
        QCOMPARE(joined, QStringList({"壹|A|||||", "1|i||0|0|10|", "|小計||||40|", "貳|B|||||", "1|i||0|0|20|",
                                      "|小計||||20|", "參|A|||||", "1|i||0|0|30|", "|小計||||40|"}));
    }

    void detailPageFill_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("blanks");
        QTest::newRow("1") << 1 << 32;
        QTest::newRow("33") << 33 << 0;
        QTest::newRow("34") << 34 << 0;
        QTest::newRow("35") << 35 << 32;
        QTest::newRow("68") << 68 << 0;
    }
    void detailPageFill() {
        QFETCH(int, lines);
        QTEST(stats::detailBlankLines(lines), "blanks");
    }

    // 33 items in one group: 35 lines and 32 blank lines, 67 in all.
    void detailPageFillWritten() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A"}), items(33));
        stats::FillDetailPrintTables(doc, m_src, 1);
        QCOMPARE(lines().size(), 35);
        QCOMPARE(body().size(), 67);
    }

    void emptyQuotation() {
        QuoteDocument doc;
        stats::FillDetailPrintTables(doc, m_src, 2);
        QCOMPARE(table(*m_report, QStringLiteral("phead")).size(), 1);
        QCOMPARE(body(), QStringList());
    }

    // The tables filled while a leaf is shown equal those filled at the root.
    void shownLeafEqualsRoot() {
        QuoteDocument doc;
        const QString a = addPath(doc, {"A", "W"});
        fillLeaf(doc, a, {item("a", 1, 10)});
        fillLeaf(doc, addPath(doc, {"B", "W"}), {item("b", 2, 20)});
        doc.pageEnd.cbPe[0] = QStringLiteral("訂金");
        stats::RefillReportTables(doc, m_src);
        const QStringList atRoot = body() + cover() + table(*m_report, QStringLiteral("ps0"));
        doc.tv_NodeClick(a);
        QCOMPARE(stats::RefillReportTables(doc, m_src), 2);
        QCOMPARE(body() + cover() + table(*m_report, QStringLiteral("ps0")), atRoot);
    }

    // Fees by total price and by floor area, tax, totals and words.
    void coverLines() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), {item("櫃", 1, 100000)});
        fillLeaf(doc, addPath(doc, {"客廳", "油漆"}), {item("牆", 1, 20000)});
        fillLeaf(doc, addPath(doc, {"陽台"}), {item("欄", 1, 3000)});
        quote::PageEnd& pe = doc.pageEnd;
        pe.design = {true, QStringLiteral("設計費"), true, {}, QStringLiteral("元"), QStringLiteral("0.05"), {}};
        pe.supervision = {true, QStringLiteral("監工費"), false, QStringLiteral("30"), QStringLiteral("坪"),
                          QStringLiteral("1500"), {}};
        quote::RecalcFee(pe.design);
        quote::RefreshFeeBase(pe.design, QStringLiteral("123000"));
        quote::RecalcFee(pe.supervision);
        stats::FillFrontPagePrintTables(doc, m_src);
        QStringList got = cover();
        QCOMPARE(got.mid(0, 3), QStringList({"壹|木作|式|1|100,000", "貳|油漆|式|1|20,000", "參|陽台|式|1|3,000"}));
        QCOMPARE(got.at(3), QStringLiteral("|設計費|總價|5%|6,150"));
        QCOMPARE(got.at(4), QStringLiteral("|監工費\t1500元/坪|坪|30|45,000"));
        // 123,000 + 6,150 + 45,000 = 174,150; tax 5% = 8,707.5 -> 8,708 (half to even on 8707.5: 8708).
        QCOMPARE(got.at(5), QStringLiteral("|    合  計|||174,150"));
        QCOMPARE(got.at(6).section(u'|', 1, 1), QStringLiteral("    稅  金"));
        QCOMPARE(got.at(7).section(u'|', 0, 1), QStringLiteral("|    總  計"));
        const QString total = got.at(7).section(u'|', 4, 4).remove(u',');
        QCOMPARE(got.at(8), QStringLiteral("|總價: 新台幣 ") + mdM::NumberToChineseFormal(total) +
                                QStringLiteral(" 元整(含稅)|||"));
        QCOMPARE(got.size(), 9 + 22 - 3);
        QCOMPARE(table(*m_report, QStringLiteral("phead")).size(), 1);

        // A user without the price right: fee names and bases, no figure of a fee, in both
        // reports; a fax of an area code alone prints nothing.
        stats::ReportSources hidden = m_src;
        hidden.pricesHidden = true;
        hidden.custFax = QStringLiteral("02");
        stats::FillFrontPagePrintTables(doc, hidden);
        stats::FillDetailPrintTables(doc, hidden, 2);
        QCOMPARE(cover().at(3) + cover().at(4), QStringLiteral("|設計費|總價|||監工費|坪||"));
        for (const QString& l : cover() + body())
            QVERIFY2(!l.contains(QStringLiteral("元/坪")) && !l.contains(QStringLiteral("新台幣")) &&
                         !l.contains(QRegularExpression(QStringLiteral("\\d,\\d{3}|\\|\\d{3,}\\|"))),
                     qPrintable(l));
        QCOMPARE(table(*m_report, QStringLiteral("phead")).at(0).section(u'|', 8, 8), QString());
    }

    // A number of an area code alone prints nothing, whether typed in half- or full-width forms.
    void phoneText_data() {
        QTest::addColumn<QString>("phone");
        QTest::addColumn<QString>("printed");
        QTest::newRow("number") << "02-1234" << "02-1234";
        QTest::newRow("area code") << "02" << "";
        QTest::newRow("bracketed code and dash") << "(037)-" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("full-width brackets") << "（02）" << "";
        QTest::newRow("full-width digits and dash") << "０２－" << "";
        QTest::newRow("two-part field, full-width dash") << "02;－" << "";
        QTest::newRow("two-part field, number") << "02;2345-6789" << "02;2345-6789";
        QTest::newRow("full-width number") << "（０２）２３４５" << "（０２）２３４５";
    }
    void phoneText() {
        QFETCH(QString, phone);
        QFETCH(QString, printed);
        QCOMPARE(stats::phoneText(phone), printed);
    }

    // A fee by the total shows its rate as a whole percentage, a half rounded away from zero as
    // the "0%" format does.
    void feeRatePercent_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tenth") << "0.1" << "10%";
        QTest::newRow("twentieth") << "0.05" << "5%";
        QTest::newRow("half up") << "0.125" << "13%";
        QTest::newRow("half up even") << "0.025" << "3%";
    }
    void feeRatePercent() {
        QFETCH(QString, rate);
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A", "W"}), {item("x", 1, 1000)});
        doc.pageEnd.design = {true, QStringLiteral("設計費"), true, {}, QStringLiteral("元"), rate, {}};
        quote::RecalcFee(doc.pageEnd.design);
        stats::FillFrontPagePrintTables(doc, m_src);
        QFETCH(QString, shown);
        QCOMPARE(cover().at(1).section(u'|', 1, 3), QStringLiteral("設計費|總價|") + shown);
    }

    void coverWithoutFeesOrTax() {
        QuoteDocument doc;
        doc.pageEnd.ckTax = false;
        fillLeaf(doc, addPath(doc, {"A", "W"}), {item("x", 1, 1000)});
        stats::FillFrontPagePrintTables(doc, m_src);
        const QStringList got = cover();
        QCOMPARE(got.mid(0, 4), QStringList({"壹|W|式|1|1,000", "|    合  計|||1,000", "|    總  計|||1,000",
                                             "|總價: 新台幣 壹仟 元整(未稅)|||"}));
        QCOMPARE(got.size(), 4 + 21);
        QCOMPARE(got.last(), QStringLiteral("| |||"));
    }

    // The words line of a total of 0 and of a negative total.
    void coverWords_data() {
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("words");
        QTest::newRow("zero") << "0" << "零";
        QTest::newRow("negative") << "-500" << "負伍佰";
    }
    void coverWords() {
        QFETCH(QString, price);
        QuoteDocument doc;
        doc.pageEnd.ckTax = false;
        fillLeaf(doc, addPath(doc, {"A"}), {item("x", 1, price.toDouble())});
        stats::FillFrontPagePrintTables(doc, m_src);
        QFETCH(QString, words);
        QCOMPARE(cover().at(3), QStringLiteral("|總價: 新台幣 ") + words + QStringLiteral(" 元整(未稅)|||"));
    }

    void coverPageFill_data() {
        QTest::addColumn<int>("groups");
        QTest::addColumn<int>("blanks");
        QTest::newRow("5") << 5 << 17;
        QTest::newRow("25") << 25 << 0;
        QTest::newRow("29") << 29 << 0;
        QTest::newRow("58") << 58 << 0;
        QTest::newRow("30") << 30 << 21;
    }
    void coverPageFill() {
        QFETCH(int, groups);
        QFETCH(int, blanks);
        QCOMPARE(stats::coverBlankLines(groups), blanks);
        // Written: the group lines, 合計, 總計, the words, then the blank lines.
        QuoteDocument doc;
        doc.pageEnd.ckTax = false;
        doc.WorkTypesOnly = true;
        for (int i = 0; i < groups; ++i)
            fillLeaf(doc, addPath(doc, {QStringLiteral("g%1").arg(i)}), {item("x", 1, 1)});
        stats::FillFrontPagePrintTables(doc, m_src);
        QCOMPARE(cover().size(), groups + 3 + blanks);
    }

    // Only the filled remark boxes give a row, numbered by their box.
    void remarks() {
        QuoteDocument doc;
        doc.pageEnd.cbPe = {"", "", "保固一年", "", ""};
        stats::FillFrontPagePrintTables(doc, m_src);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(table(*m_report, QStringLiteral("ps%1").arg(i)),
                     i == 2 ? QStringList{"3. 保固一年"} : QStringList());
        doc.pageEnd.cbPe = {"a", "", "", "", "e"};
        stats::FillFrontPagePrintTables(doc, m_src);
        QCOMPARE(table(*m_report, QStringLiteral("ps0")), QStringList{"1. a"});
        QCOMPARE(table(*m_report, QStringLiteral("ps2")), QStringList());
        QCOMPARE(table(*m_report, QStringLiteral("ps4")), QStringList{"5. e"});
    }

    // A failing fill leaves the report tables as they were.
    void failedFillKeepsTheTables() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A"}), {item("x", 1, 10)});
        stats::RefillReportTables(doc, m_src);
        const QStringList before = body() + cover();
        m_report->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON pbody WHEN NEW.des = ' ' "
                                         "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        fillLeaf(doc, addPath(doc, {"B"}), {item("y", 1, 20)});
        QVERIFY_THROWS_EXCEPTION(db::DbError, stats::FillDetailPrintTables(doc, m_src, 2));
        m_report->execute(QStringLiteral("DROP TRIGGER refuse"));
        QCOMPARE(body() + cover(), before);
    }
};

QTEST_GUILESS_MAIN(TstReportTables)
#include "tst_reporttables.moc"
