// The quotation file: byte-exact round trips, the older forms the reader takes, and files that are
// broken or cut short.
#include "QuoteFile.h"
#include "text/Codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quote;

namespace {

const QString Q = kRootKey;
const QString S = kPathSeparator;

QString joinLines(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

// A table's file: its lines, each ended by CR LF, except where the last entry is kNoLineEnd: then
// the line before it is the file's last, without its line end.
const QString kNoLineEnd = QStringLiteral("<no line end>");
QString fileText(const QStringList& lines) {
    if (lines.isEmpty() || lines.last() != kNoLineEnd)
        return joinLines(lines);
    return lines.mid(0, lines.size() - 1).join(QStringLiteral("\r\n"));
}

ItemRow row(const QStringList& cells) { // columns 2 onwards
    ItemRow r;
    for (qsizetype i = 0; i < cells.size(); ++i)
        r[size_t(i + ColName)] = cells[i];
    return r;
}

void showAndType(QuoteDocument& doc, const QString& leaf, const std::vector<ItemRow>& rows) {
    QVERIFY(doc.tv_NodeClick(leaf));
    doc.hfgQ.setRows(int(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = ColName; c < ColCount; ++c)
            doc.hfgQ.setCell(int(i) + 1, c, rows[i][size_t(c)]);
}

const QString kLiving = Q + S + QStringLiteral("客廳");
const QString kLivingWood = kLiving + S + QStringLiteral("木作");
const QString kLivingPaint = kLiving + S + QStringLiteral("油漆");
const QString kBedWood = Q + S + QStringLiteral("主臥") + S + QStringLiteral("木作");

// A quotation with every section filled and values holding the separators of their lines.
QuoteDocument fullQuotation() {
    QuoteDocument doc;
    doc.tree.addChild(Q, QStringLiteral("客廳"));
    doc.tree.addChild(Q, QStringLiteral("主臥"));
    doc.tree.addChild(kLiving, QStringLiteral("木作"));
    doc.tree.addChild(kLiving, QStringLiteral("油漆"));
    doc.tree.addChild(Q + S + QStringLiteral("主臥"), QStringLiteral("木作"));
    showAndType(doc, kBedWood,
                {row({"床頭櫃", "", "座", "2", "6000", "12000", "4800", "9600", "1.25", "", "床頭櫃"}),
                 ItemRow{},
                 row({"衣櫃", "W180", "尺", "6", "5000", "30000", "4000", "24000", "1.25", "", "衣櫃"})});
    showAndType(doc, kLivingPaint, {row({"乳膠漆", "", "坪", "20", "900", "18000", "700", "14000", "1.29"})});
    // Left shown with its edits: writing stores them first.
    showAndType(doc, kLivingWood,
                {row({"系統櫃", "W120\r\nH240", "尺", "8", "4500", "36000", "3600", "28800", "1.25",
                      "含|五金", "系統櫃"})});
    doc.header = {QStringLiteral("王先生"),   QStringLiteral("信義住宅"), QStringLiteral("陳小明"),
                  QStringLiteral("住宅"),     QStringLiteral("1121201_"), QStringLiteral("台北市\n信義路"),
                  QStringLiteral("112/12/01")};
    doc.WorkTypesOnly = false;
    PageEnd& pe = doc.pageEnd;
    pe.cbPe = {QStringLiteral("訂金三成"), QStringLiteral("備註|一"), QString(), QStringLiteral("保固一年"),
               QStringLiteral("末項")};
    pe.design = {true,
                 QStringLiteral("設計費"),
                 true,
                 QStringLiteral("84000"),
                 QStringLiteral("元"),
                 QStringLiteral("0.1"),
                 QStringLiteral("8400")};
    pe.supervision = {false,
                      QStringLiteral("監工,費"),
                      false,
                      QStringLiteral("30"),
                      QStringLiteral("坪"),
                      QStringLiteral("1000"),
                      QStringLiteral("30000")};
    pe.ckTax = true;
    pe.cbTax = QStringLiteral("5%");
    pe.lbNtax = QStringLiteral("92400");
    pe.lbTax = QStringLiteral("4620");
    pe.lbHtax = QStringLiteral("97020");
    pe.txtOff = QStringLiteral("-20:0");
    pe.lbApr = QStringLiteral("97000");
    return doc;
}

const QStringList kFullText = {
    "0n",
    "[Title]",
    "王先生",
    "信義住宅",
    "陳小明",
    "住宅",
    "1121201_",
    "台北市 信義路",
    "112/12/01",
    "",
    "[Tree]",
    "Ｑ‧客廳‧木作",
    "Ｑ‧客廳‧油漆",
    "Ｑ‧主臥‧木作",
    "",
    "[Grid]",
    "Ｑ‧主臥‧木作|床頭櫃||座|2|6000|12000|4800|9600|1.25||床頭櫃",
    "Ｑ‧主臥‧木作|||||||||||",
    "Ｑ‧主臥‧木作|衣櫃|W180|尺|6|5000|30000|4000|24000|1.25||衣櫃",
    "Ｑ‧客廳‧油漆|乳膠漆||坪|20|900|18000|700|14000|1.29||",
    "Ｑ‧客廳‧木作|系統櫃|W120 H240|尺|8|4500|36000|3600|28800|1.25|含｜五金|系統櫃",
    "",
    "[PageEndPs]",
    "訂金三成",
    "備註|一",
    "",
    "保固一年",
    "末項",
    "",
    "[D&L]",
    "設計費,True,84000,0.1,8400",
    "監工，費,False,30,1000,30000",
    "92400:5%:4620:97020:-20：0:97000",
    "1,0,1",
};

const QStringList kEmptyText = {
    "0n",
    "[Title]",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "[Tree]",
    "Ｑ",
    "",
    "[Grid]",
    "|||||||||||",
    "",
    "[PageEndPs]",
    "",
    "",
    "",
    "",
    "",
    "",
    "[D&L]",
    "設計費,True,,,",
    "監工費,True,,,",
    ":5%::::",
    "0,0,1",
};

QStringList titleLines() {
    return {"[Title]", "客", "案", "業", "類", "No1", "址", "112/01/02", ""};
}

} // namespace

class TestQuoteFile : public QObject {
    Q_OBJECT

private slots:
    void fullRoundTrip();
    void emptyRoundTrip();
    void olderForms_data();
    void olderForms();
    void brokenFileLeavesDocument_data();
    void brokenFileLeavesDocument();
    void everyCutIsSafe();
    void fieldTolerance_data();
    void fieldTolerance();
    void treeLines();
    void keptFromTheQuotationInHand();
    void characterOutsideCp950();
    void userDefinedCharacters();
    void files();
};

void TestQuoteFile::fullRoundTrip() {
    QuoteDocument doc = fullQuotation();
    const QByteArray bytes = QuoteFile::bytes(doc);
    QCOMPARE(text::decode(bytes).split(QStringLiteral("\r\n")),
             joinLines(kFullText).split(QStringLiteral("\r\n")));
    QCOMPARE(bytes, text::encode(joinLines(kFullText)));
    QCOMPARE(doc.lbPath, Q); // writing shows the root

    // CP950 bytes of a few lines.
    QVERIFY(bytes.startsWith("0n\r\n[Title]\r\n\xa4\xfd\xa5\xfd\xa5\xcd\r\n"));
    QVERIFY(bytes.contains("\r\n[Tree]\r\n\xa2\xdf\xa1\x45\xab\xc8\xc6\x55\xa1\x45\xa4\xec\xa7\x40\r\n"));
    QVERIFY(bytes.contains("\r\n\xba\xca\xa4\x75\xa1\x41\xb6\x4f,False,30,1000,30000\r\n"));
    QVERIFY(bytes.endsWith("\r\n1,0,1\r\n"));

    QuoteDocument back;
    QVERIFY(!QuoteFile::readBytes(bytes, back));
    QCOMPARE(QuoteFile::bytes(back), bytes);
    QVERIFY(back.tree == doc.tree);
    QCOMPARE(back.hfgB.rows(), doc.hfgB.rows());
    QCOMPARE(back.hfgB.cell(1, ColCatalogName), QStringLiteral("床頭櫃"));
    QCOMPARE(back.hfgB.cell(5, ColSpec), QStringLiteral("W120 H240"));
    QCOMPARE(back.hfgB.cell(5, ColRemark), QStringLiteral("含｜五金"));
    QCOMPARE(back.header.txtAddr, QStringLiteral("台北市 信義路"));
    QCOMPARE(back.pageEnd.supervision.name, QStringLiteral("監工，費"));
    QVERIFY(!back.pageEnd.supervision.byTotal);
    QCOMPARE(back.pageEnd.supervision.baseUnit, QStringLiteral("坪"));
    QCOMPARE(back.pageEnd.txtOff, QStringLiteral("-20：0"));
    QCOMPARE(back.pageEnd.lbApr, QStringLiteral("97000")); // as stored, not recomputed
    QVERIFY(back.pageEnd.design.included && !back.pageEnd.supervision.included && back.pageEnd.ckTax);
    QCOMPARE(back.pageEnd.cbPe[1], QStringLiteral("備註|一"));

    // The root is shown with every row, in tree order.
    QCOMPARE(back.lbPath, Q);
    QVERIFY(!back.NodeIsLeaf);
    QCOMPARE(back.hfgQ.rows(), 6);
    QCOMPARE(back.hfgQ.cell(1, ColPath), kLivingWood);
    QCOMPARE(back.hfgQ.cell(2, ColPath), kLivingPaint);
    QCOMPARE(back.hfgQ.cell(3, ColPath), kBedWood);
    QCOMPARE(back.totals.lbSumT, QStringLiteral("96000"));
    QVERIFY(QuoteFile::unshowableNumbers(back).isEmpty());

    // Numbers no cell can show, as an earlier build saved them: named by row and field, kept as read.
    QStringList lines = kFullText;
    // Rows by 階層 and 品名; to a user without the price right, none of the fields hidden from him.
    lines[16].replace(QStringLiteral("|2|6000|"), u'|' + QString(400, u'9') + u'|' + QString(20, u'9') + u'|');
    lines[18].replace(QStringLiteral("|6|"), u'|' + QString(20, u'9') + u'|'); // a later row of the node
    lines[lines.indexOf("設計費,True,84000,0.1,8400")].replace(QStringLiteral("0.1"), QString(400, u'9'));
    QVERIFY(!QuoteFile::read(joinLines(lines), back));
    const QString bed = kBedWood + QStringLiteral("「床頭櫃」");
    QCOMPARE(QuoteFile::unshowableNumbers(back), (QStringList{bed + "數量：數字過長，以 0 計算，請更正",
                                                              bed + "單價：數字過長，請更正",
                                                              kBedWood + "「衣櫃」數量：數字過長，請更正",
                                                              "設計費 費率：數字過長，以 0 計算，請更正"}));
    QCOMPARE(QuoteFile::unshowableNumbers(back, true, false), (QStringList{bed + "數量：數字過長，以 0 計算，請更正",
                                                                          kBedWood + "「衣櫃」數量：數字過長，請更正"}));
    QCOMPARE(back.hfgQ.cell(3, ColQty), QString(400, u'9'));
}

void TestQuoteFile::emptyRoundTrip() {
    QuoteDocument doc;
    const QByteArray bytes = QuoteFile::bytes(doc);
    QCOMPARE(bytes, text::encode(joinLines(kEmptyText)));
    QuoteDocument back;
    back.tree.addChild(Q, QStringLiteral("A"));
    QVERIFY(!QuoteFile::readBytes(bytes, back));
    QVERIFY(back == doc);
    QCOMPARE(QuoteFile::bytes(back), bytes);
}

void TestQuoteFile::olderForms_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    const QStringList tree = {"[Tree]", "Ｑ‧木作", "", "[Grid]"};
    const QStringList grid = {"Ｑ‧木作|櫃||尺|2|100|200|80|160|1.25|備|",
                              "Ｑ‧木作|板||片|1|50|50|40|40|1.25||板材"};
    const QStringList pageEnd = {"[PageEndPs]", "r1", "r2", "r3", "r4", "r5", "", "[D&L]"};
    const QStringList fees = {"設計費,False,12,50,600", "監工費,True,,,"};
    const QStringList noPageEnd = {"[PageEndPs]",   "", "", "", "", "", "", "[D&L]", "設計費,True,,,",
                                   "監工費,True,,,"};
    const QStringList reset = {":5%::::", "0,0,1"};

    QTest::newRow("comma format, eleven and twelve fields")
        << QStringList{"1"} + titleLines() + tree +
               QStringList{"Ｑ‧木作,櫃,,尺,2,100,200,80,160,1.25,備",
                           "Ｑ‧木作,板,,片,1,50,50,40,40,1.25,,板材", ""} +
               pageEnd + fees + QStringList{"1:5%:2:3:4:5", "1,1,0"}
        << QStringList{"1n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "1,1,0"};
    QTest::newRow("something else after the grid")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{"", "[Other]", "x"}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + noPageEnd + reset;
    QTest::newRow("comma format without page-end sections")
        << QStringList{"0"} + titleLines() + tree + QStringList{"Ｑ‧木作,櫃,,尺,2,100,200,80,160,1.25,備", ""}
        << QStringList{"0n"} + titleLines() + tree + QStringList{grid[0], ""} + noPageEnd + reset;
    QTest::newRow("grid ended by [PageEndPs]")
        << QStringList{"0n"} + titleLines() + tree + grid + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "1,1,0"}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "1,1,0"};
    QTest::newRow("lines dropped before [D&L]")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd.mid(0, 6) +
               QStringList{"extra", "more"} + pageEnd.mid(6) + fees + reset
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees + reset;
    // Files as older writers of the current format left them.
    QTest::newRow("ends after the grid's empty line")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + noPageEnd + reset;
    QTest::newRow("[D&L] ends after the supervision fee")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees + reset;
    QTest::newRow("[D&L] ends after the totals")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5"}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "0,0,1"};
    QTest::newRow("last line without CR LF")
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "1,1,0", kNoLineEnd}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees +
               QStringList{"1:5%:2:3:4:5", "1,1,0"};
    QTest::newRow("extra fields, only the fee lines, no CR LF")
        << QStringList{"0n"} + titleLines() + tree + QStringList{grid[0] + "|x", grid[1], ""} + pageEnd +
               QStringList{fees[0] + ",x", fees[1] + ",y", kNoLineEnd}
        << QStringList{"0n"} + titleLines() + tree + grid + QStringList{""} + pageEnd + fees + reset;
}

void TestQuoteFile::olderForms() {
    QFETCH(QStringList, input);
    QFETCH(QStringList, expected);
    QuoteDocument doc; // read after a quotation with the tax unticked and fees of other names
    QVERIFY(!QuoteFile::read(joinLines(kFullText.mid(0, kFullText.indexOf("[D&L]") + 1) +
                                       QStringList{"設計費（含3D）", "監工費（夜間）", "", "0,0,0"}),
                             doc));
    QVERIFY(!doc.pageEnd.ckTax && doc.pageEnd.design.name == "設計費（含3D）");
    const auto error = QuoteFile::read(fileText(input), doc);
    QVERIFY2(!error, error ? qPrintable(error->message) : "");
    const QByteArray written = QuoteFile::bytes(doc);
    QCOMPARE(text::decode(written).split(QStringLiteral("\r\n")),
             joinLines(expected).split(QStringLiteral("\r\n")));
    QCOMPARE(written, text::encode(joinLines(expected)));

    QuoteDocument again;
    QVERIFY(!QuoteFile::readBytes(written, again));
    QVERIFY(again == doc);
    QCOMPARE(QuoteFile::bytes(again), written);
}

void TestQuoteFile::brokenFileLeavesDocument_data() {
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QString>("reason"); // the message's second line
    const QStringList full = kFullText;
    // Files cut short: everyCutIsSafe.
    QTest::newRow("no [Title]") << QStringList{"0n", "[title]"} + full.mid(2) << "第 2 行應為 [Title]";
    QTest::newRow("no [Tree]") << full.mid(0, 10) + QStringList{"[Grid]"} + full.mid(11) << "第 11 行應為 [Tree]";
    QTest::newRow("no [Grid]") << full.mid(0, 15) + QStringList{"Grid"} + full.mid(16) << "第 16 行應為 [Grid]";
    // A file of the current format ends where it was written to, or where older writers stopped.
    const QString early = QStringLiteral("檔案在 %1 段中提早結束");
    const qsizetype grid = full.indexOf("[Grid]");
    const qsizetype remarks = full.indexOf("[PageEndPs]");
    const qsizetype fees = full.indexOf("[D&L]") + 1;
    QTest::newRow("cut inside the second [Grid] line")
        << full.mid(0, grid + 2) + QStringList{full.at(grid + 2).left(6)} << early.arg("[Grid]");
    QTest::newRow("another first line, cut inside [Grid]")
        << QStringList{"2n"} + full.mid(1, grid + 1) + QStringList{full.at(grid + 2).left(6)}
        << early.arg("[Grid]");
    QTest::newRow("[PageEndPs] cut") << full.mid(0, remarks) + QStringList{"[PageEnd", kNoLineEnd}
                                     << early.arg("[PageEndPs]");
    QTest::newRow("inside the remarks") << full.mid(0, remarks + 3) << early.arg("[PageEndPs]");
    QTest::newRow("between the remarks and [D&L]") << full.mid(0, fees - 1) << early.arg("[PageEndPs]");
    QTest::newRow("[D&L] ends after the design fee") << full.mid(0, fees + 1) << early.arg("[D&L]");
    const QString cutLine = QStringLiteral("第 %1 行欄位不全：檔案在 [D&L] 段中提早結束");
    QTest::newRow("supervision fee cut") << full.mid(0, fees + 1) + QStringList{"監工，費,False,30", kNoLineEnd}
                                         << cutLine.arg(fees + 2);
    QTest::newRow("totals cut") << full.mid(0, fees + 2) + QStringList{"92400:5%:4620", kNoLineEnd}
                                << cutLine.arg(fees + 3);
    QTest::newRow("check boxes cut") << full.mid(0, fees + 3) + QStringList{"1,0,", kNoLineEnd}
                                     << cutLine.arg(fees + 4);
}

void TestQuoteFile::brokenFileLeavesDocument() {
    QFETCH(QStringList, input);
    QFETCH(QString, reason);
    QuoteDocument doc = fullQuotation();
    QVERIFY(doc.tv_NodeClick(kLivingPaint));
    doc.WorkTypesOnly = true;
    const QuoteDocument before = doc;
    const auto error = QuoteFile::read(fileText(input), doc);
    QVERIFY(error);
    QCOMPARE(error->message, QStringLiteral("開啟檔案錯誤\r\n") + reason);
    QCOMPARE(error->title, QStringLiteral("KavoIII"));
    QCOMPARE(error->icon, ui::Icon::Critical);
    QVERIFY(doc == before);
}

// Every cut of a full file, at a line end or inside a line, is a structure error that changes
// nothing, except where a file may end: after the grid's empty line, after the supervision-fee or
// the totals line, or inside a last line that already holds every field of its kind. A file cut
// there holds what the whole file holds up to the cut.
void TestQuoteFile::everyCutIsSafe() {
    const QString whole = joinLines(kFullText);
    QuoteDocument full;
    QVERIFY(!QuoteFile::read(whole, full));
    const qsizetype afterGrid = whole.indexOf(QStringLiteral("\r\n\r\n[PageEndPs]")) + 4;
    const qsizetype supervisionLast = whole.indexOf(QStringLiteral("30000\r\n"));
    const qsizetype totalsLast = whole.indexOf(QStringLiteral("97000\r\n"));
    const qsizetype checksLast = whole.lastIndexOf(u'1');
    auto mayEnd = [&](qsizetype cut) {
        return cut == afterGrid - 1 || cut == afterGrid || (cut >= supervisionLast && cut <= supervisionLast + 7) ||
               (cut >= totalsLast && cut <= totalsLast + 7) || cut > checksLast;
    };
    const QuoteDocument before = fullQuotation();
    int taken = 0;
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        QuoteDocument doc = before;
        const auto error = QuoteFile::read(whole.left(cut), doc);
        QVERIFY2(bool(error) != mayEnd(cut), qPrintable(QString::number(cut)));
        if (error) {
            QVERIFY(error->message.startsWith(QStringLiteral("開啟檔案錯誤\r\n")));
            QVERIFY(doc == before);
            continue;
        }
        ++taken;
        QVERIFY(doc.header == full.header && doc.tree == full.tree && doc.hfgB == full.hfgB);
        if (cut > afterGrid) { // the check boxes may be missing
            Fee design = doc.pageEnd.design;
            design.included = full.pageEnd.design.included;
            QVERIFY(doc.pageEnd.cbPe == full.pageEnd.cbPe && design == full.pageEnd.design);
        }
    }
    QCOMPARE(taken, 2 + 8 + 8 + 3);
}

void TestQuoteFile::fieldTolerance_data() {
    QTest::addColumn<QString>("designLine");
    QTest::addColumn<QString>("checkLine");
    QTest::addColumn<bool>("byTotal");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("checks"); // ckD ckL ckTax after reading
    QTest::newRow("letter case") << "設計費,tRUE,1,2,3"
                                 << "1,0,1" << true << "元"
                                 << "2" // rate × base
                                 << "101";
    QTest::newRow("false") << "設計費,FALSE,1,2,3"
                           << "0,1,0" << false << "坪"
                           << "2" // rate × base
                           << "010";
    QTest::newRow("per ping, amount cut") << "設計費,False,37,1873,69"
                                          << "1,1,1" << false << "坪"
                                          << "69301"
                                          << "111";
    QTest::newRow("by total, amount cut") << "設計費,True,66000,0.1,66"
                                          << "1,0,1" << true << "元"
                                          << "6600"
                                          << "101";
    QTest::newRow("by total, amount edited") << "設計費,True,66000,0.05,999999"
                                             << "1,0,1" << true << "元"
                                             << "3300"
                                             << "101";
    QTest::newRow("number true") << "設計費,-1,1,2,3"
                                 << "1,1,1" << true << "元"
                                 << "2"
                                 << "111";
    QTest::newRow("number false") << "設計費,0"
                                  << "0,0,0" << false << "坪"
                                  << ""
                                  << "000";
    // Neither a truth value nor 0, 1: the target keeps its value after the reset.
    QTest::newRow("not a truth value") << "設計費,yes,1,2,3"
                                       << "x,2,0" << true << "元"
                                       << "2"
                                       << "000";
    QTest::newRow("fewer fields") << "設計費"
                                  << "1" << true << "元"
                                  << ""
                                  << "101";
    QTest::newRow("empty lines") << ""
                                 << "" << true << "元"
                                 << ""
                                 << "001";
}

void TestQuoteFile::fieldTolerance() {
    QFETCH(QString, designLine);
    QFETCH(QString, checkLine);
    QFETCH(bool, byTotal);
    QFETCH(QString, unit);
    QFETCH(QString, amount);
    QFETCH(QString, checks);
    QStringList lines = kEmptyText;
    lines[lines.indexOf("設計費,True,,,")] = designLine;
    lines.last() = checkLine;
    QuoteDocument doc;
    QVERIFY(!QuoteFile::read(joinLines(lines), doc));
    const PageEnd& pe = doc.pageEnd;
    QCOMPARE(pe.design.byTotal, byTotal);
    QCOMPARE(pe.design.baseUnit, unit);
    QCOMPARE(pe.design.amount, amount);
    const QString got = QString::number(pe.design.included) + QString::number(pe.supervision.included) +
                        QString::number(pe.ckTax);
    QCOMPARE(got, checks);
}

void TestQuoteFile::treeLines() {
    QStringList lines = kEmptyText;
    const qsizetype at = lines.indexOf(Q);
    lines.removeAt(at);
    // A path repeated away from its first place adds no second node; level 0 of a later line is the root.
    const QStringList tree = {"Ｑ‧A‧x", "Ｑ‧B", "Ｑ‧A‧y", "X‧C‧z", "Ｑ‧B"};
    for (qsizetype i = 0; i < tree.size(); ++i)
        lines.insert(at + i, tree[i]);
    QuoteDocument doc;
    QVERIFY(!QuoteFile::read(joinLines(lines), doc));
    QCOMPARE(doc.tree.count(), 7);
    QCOMPARE(doc.tree.leaves(Q), (QStringList{"Ｑ‧A‧x", "Ｑ‧A‧y", "Ｑ‧B", "Ｑ‧C‧z"}));

    // A [Tree] section without lines gives the root alone.
    lines = kEmptyText;
    lines.removeAt(lines.indexOf(Q));
    QVERIFY(!QuoteFile::read(joinLines(lines), doc));
    QCOMPARE(doc.tree.leaves(Q), QStringList{Q});
    QCOMPARE(QuoteFile::bytes(doc), text::encode(joinLines(kEmptyText)));
}

void TestQuoteFile::keptFromTheQuotationInHand() {
    QuoteDocument doc;
    doc.WorkTypesOnly = true;
    doc.pageEnd.ckTax = false;
    doc.pageEnd.design.name = QStringLiteral("規劃費");
    doc.pageEnd.cbTax = QStringLiteral("10%");
    doc.pageEnd.lbApr = QStringLiteral("5");
    QStringList lines = kEmptyText.mid(0, 16); // up to the grid's empty line
    lines[0] = QStringLiteral("2n");           // an unknown first line keeps the flag
    QVERIFY(!QuoteFile::read(joinLines(lines), doc));
    QVERIFY(doc.WorkTypesOnly);
    QVERIFY(doc.pageEnd == PageEnd()); // what the file lacks, as a new quotation has it
}

void TestQuoteFile::characterOutsideCp950() {
    QuoteDocument doc;
    doc.header.txtCn = QStringLiteral("王😀");
    const QByteArray bytes = QuoteFile::bytes(doc);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"
                             "0n\r\n"));
    QuoteDocument back;
    QVERIFY(!QuoteFile::readBytes(bytes, back));
    QCOMPARE(back.header.txtCn, doc.header.txtCn);
}

// Rare name characters from the code page's user-defined areas read as themselves and write back
// byte for byte, also one whose second byte is the grid's separator "|".
void TestQuoteFile::userDefinedCharacters() {
    const QString bar = QChar(0xE03C);    // FA 7C
    const QString first = QChar(0xEEB8);  // 81 40
    const QString middle = QChar(0xE311); // 8E 40
    const QString last = QChar(0xF848);   // C8 FE
    QStringList lines = kFullText;
    for (QString& line : lines) {
        line.replace(QStringLiteral("客廳"), QStringLiteral("客") + bar);
        line.replace(QStringLiteral("系統櫃"), QStringLiteral("系") + middle + QStringLiteral("櫃"));
    }
    lines[lines.indexOf("訂金三成")] = QStringLiteral("訂金") + first + bar + last;
    const QByteArray bytes = text::encode(joinLines(lines));
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("\r\n\xa2\xdf\xa1\x45\xab\xc8\xfa\x7c\xa1\x45\xa4\xec\xa7\x40\r\n")); // tree line
    QVERIFY(bytes.contains("|\xa8\x74\x8e\x40\xc2\x64|"));
    QVERIFY(bytes.contains("\r\n\xad\x71\xaa\xf7\x81\x40\xfa\x7c\xc8\xfe\r\n"));

    QuoteDocument doc;
    QVERIFY(!QuoteFile::readBytes(bytes, doc));
    const QString room = Q + S + QStringLiteral("客") + bar;
    QVERIFY(doc.tree.contains(room + S + QStringLiteral("木作")));
    QCOMPARE(doc.hfgB.cell(5, ColPath), room + S + QStringLiteral("木作"));
    QCOMPARE(doc.hfgB.cell(5, ColName), QStringLiteral("系") + middle + QStringLiteral("櫃"));
    QCOMPARE(doc.hfgB.cell(5, ColCatalogName), QStringLiteral("系") + middle + QStringLiteral("櫃"));
    QCOMPARE(doc.hfgB.cell(5, ColRemark), QStringLiteral("含｜五金"));
    QCOMPARE(doc.pageEnd.cbPe[0], QStringLiteral("訂金") + first + bar + last);
    QCOMPARE(QuoteFile::bytes(doc), bytes);
}

void TestQuoteFile::files() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.kav"));
    QuoteDocument doc = fullQuotation();
    QVERIFY(!QuoteFile::write(doc, path));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), text::encode(joinLines(kFullText)));
    f.close();

    QuoteDocument back;
    QVERIFY(!QuoteFile::readFile(path, back));
    QCOMPARE(QuoteFile::bytes(back), text::encode(joinLines(kFullText)));

    const auto missing = QuoteFile::readFile(dir.filePath(QStringLiteral("none.kav")), back);
    QVERIFY(missing);
    QCOMPARE(missing->message, QStringLiteral("檔案不存在"));
    QCOMPARE(missing->title, QStringLiteral("Kavo III"));

    // A failed write leaves the old file as it was.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
    QuoteDocument other;
    const auto failed = QuoteFile::write(other, path);
    QVERIFY(failed);
    QCOMPARE(failed->message, QStringLiteral("存檔錯誤\r\n75\r\n") + failed->detail);
    QCOMPARE(failed->title, QStringLiteral("Kavo III"));
    QCOMPARE(failed->icon, ui::Icon::None);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), text::encode(joinLines(kFullText)));
    const auto noFolder = QuoteFile::write(other, dir.filePath(QStringLiteral("no/such/folder.kav")));
    QVERIFY(noFolder);
    QVERIFY(noFolder->message.startsWith(QStringLiteral("存檔錯誤\r\n76\r\n")));
}

QTEST_GUILESS_MAIN(TestQuoteFile)
#include "tst_quotefile.moc"
