// Templates as a spreadsheet application saves them: prefixed element names, shared strings with
// rich text and blank-only runs, rows and cells without positions, a style sheet that lacks
// fonts, borders or cell formats, sheet-qualified defined names with and without quotes.
#include "SmallTemplates.h"

#include <QtTest>

using namespace wb;

namespace {

const char kTypes[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)"
    R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
    R"(</Types>)";

const char kRootRels[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char kWorkbookRels[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet2.xml"/>)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
    R"(<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// Prefixed names throughout; the window saved hidden; a print area and titles of the first sheet, unquoted and quoted, and
// a name of the other sheet whose rows must not move.
const char kWorkbook[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<x:workbook xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<x:bookViews><x:workbookView visibility="hidden" activeTab="0"/></x:bookViews>)"
    R"(<x:sheets><x:sheet name="Data" sheetId="1" r:id="rId1"/><x:sheet name="Data 2" sheetId="2" r:id="rId2"/></x:sheets>)"
    R"(<x:definedNames>)"
    R"(<x:definedName name="_xlnm.Print_Area" localSheetId="0">Data!$A$1:$C$6</x:definedName>)"
    R"(<x:definedName name="_xlnm.Print_Titles" localSheetId="0">Data!$2:$2</x:definedName>)"
    R"(<x:definedName name="_xlnm.Print_Area" localSheetId="1">'Data 2'!$A$1:$C$6</x:definedName>)"
    R"(<x:definedName name="Both">Data!$B$3,'Data 2'!$B$3</x:definedName>)"
    R"(</x:definedNames></x:workbook>)";

// 0 plain, 1 rich text in two runs, 2 blanks only, 3 rich text with a phonetic run, 4 an escape.
const char kShared[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="5" uniqueCount="5">)"
    R"(<si><t>客戶名單</t></si>)"
    R"(<si><r><rPr><b/></rPr><t>粗體</t></r><r><t xml:space="preserve"> 與細體</t></r></si>)"
    R"(<si><t xml:space="preserve">    </t></si>)"
    R"(<si><r><t>王</t></r><r><t xml:space="preserve"> </t></r><r><t>小明</t></r><rPh sb="0" eb="1"><t>ㄨㄤˊ</t></rPh></si>)"
    R"(<si><t>A_x000D_B</t></si>)"
    R"(</sst>)";

// Rows 1 and 2 without r (so 1 and 2), row 4 with it, cells without r after a cell with one.
const char kSheet1[] =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<x:sheetData>)"
    R"(<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c></x:row>)"
    R"(<x:row><x:c r="B2" t="s"><x:v>2</x:v></x:c><x:c t="s"><x:v>3</x:v></x:c></x:row>)"
    R"(<x:row r="4"><x:c r="A4" t="s"><x:v>4</x:v></x:c><x:c><x:v>12.5</x:v></x:c></x:row>)"
    R"(</x:sheetData>)"
    R"(<x:mergeCells count="1"><x:mergeCell ref="A5:C5"/></x:mergeCells>)"
    R"(</x:worksheet>)";

const char kSheet2[] =
    R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<sheetData><row r="3"><c r="B3" t="inlineStr"><is><t xml:space="preserve"> 內嵌 </t></is></c></row></sheetData></worksheet>)";

QString writePackage(const QString& path, const QByteArray& styles) {
    std::vector<zip::Entry> e{{"[Content_Types].xml", kTypes},         {"_rels/.rels", kRootRels},
                              {"xl/workbook.xml", kWorkbook},           {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                              {"xl/worksheets/sheet1.xml", kSheet1},    {"xl/worksheets/sheet2.xml", kSheet2},
                              {"xl/sharedStrings.xml", kShared},        {"xl/styles.xml", styles}};
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(zip::write(e));
    return path;
}

int countOf(const QByteArray& xml, const char* list, const char* item) {
    const qsizetype from = xml.indexOf(QByteArray("<") + list);
    if (from < 0)
        return 0;
    const qsizetype to = xml.indexOf(QByteArray("</") + list + ">", from);
    const QByteArray part = xml.mid(from, to < 0 ? -1 : to - from);
    return int(part.count(QByteArray("<") + item + " ") + part.count(QByteArray("<") + item + "/>") +
               part.count(QByteArray("<") + item + ">"));
}

} // namespace

class TestSavedByApp : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void readsTextsAsTheApplicationWroteThem() {
        const QString path = writePackage(dir.filePath(QStringLiteral("read.xlsx")),
                                          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>");
        auto book = Workbook::open(path);
        Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("客戶名單"));
        QCOMPARE(s.text(1, 2), QStringLiteral("粗體 與細體"));
        QCOMPARE(s.text(2, 2), QStringLiteral("    "));
        QCOMPARE(s.text(2, 3), QStringLiteral("王 小明")); // the phonetic run is no text of the cell
        QCOMPARE(s.text(4, 1), QStringLiteral("A\rB"));
        QCOMPARE(s.number(4, 2).value_or(0), 12.5);
        QCOMPARE(s.type(3, 1), CellType::Empty);
        QCOMPARE(book->sheet(2).text(3, 2), QStringLiteral(" 內嵌 "));
    }

    // Writing, inserting and bordering keep the prefixed elements and positions consistent, and move
    // only this sheet's names.
    void writesBackWhatItRead() {
        const QString path = writePackage(dir.filePath(QStringLiteral("write.xlsx")),
                                          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>");
        const QString out = dir.filePath(QStringLiteral("write-out.xlsx"));
        {
            auto book = Workbook::open(path);
            Sheet& s = book->sheet(1);
            s.setText(2, 1, QStringLiteral("0912345678"));
            s.insertRows(2, 2);
            s.setThinBorders(RangeRef{{4, 1}, {4, 3}}, EdgesOutline | InsideVertical);
            book->save(out);
        }
        const QByteArray sheetXml = testwb::parts(out)["xl/worksheets/sheet1.xml"];
        QVERIFY(!sheetXml.contains("<row")); // every element keeps the sheet's prefix
        QVERIFY(!sheetXml.contains("<c "));
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(1);
        QCOMPARE(s.text(1, 2), QStringLiteral("粗體 與細體"));
        QCOMPARE(s.text(4, 1), QStringLiteral("0912345678"));
        QCOMPARE(s.text(4, 2), QStringLiteral("    "));
        QCOMPARE(s.text(4, 3), QStringLiteral("王 小明"));
        QCOMPARE(s.text(6, 1), QStringLiteral("A\rB"));
        QCOMPARE(s.mergedRanges(), QList<RangeRef>{*parseRange(QStringLiteral("A7:C7"))});
        QCOMPARE(back->definedName(QStringLiteral("_xlnm.Print_Area"), 1).value_or(""), QStringLiteral("Data!$A$1:$C$8"));
        QCOMPARE(back->definedName(QStringLiteral("_xlnm.Print_Titles"), 1).value_or(""), QStringLiteral("Data!$4:$4"));
        QCOMPARE(back->definedName(QStringLiteral("_xlnm.Print_Area"), 2).value_or(""), QStringLiteral("'Data 2'!$A$1:$C$6"));
        QCOMPARE(back->definedName(QStringLiteral("Both")).value_or(""), QStringLiteral("Data!$B$5,'Data 2'!$B$3"));
        QVERIFY(s.borders(4, 1).left && s.borders(4, 3).right && s.borders(4, 2).top);
    }

    // The printout hands the user a workbook whose window shows, whatever the template's state.
    void handedOverWithItsWindowShown() {
        const QString path = writePackage(dir.filePath(QStringLiteral("hidden.xlsx")),
                                          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>");
        QTemporaryDir outDir;
        setOutputFolder(outDir.path());
        setSpreadsheetOpener([](const QString&) { return true; });
        auto book = Workbook::open(path);
        const Delivery d = deliver(*book, path);
        setOutputFolder({});
        setSpreadsheetOpener(nullptr);
        const QByteArray xml = testwb::parts(d.path)["xl/workbook.xml"];
        QVERIFY(xml.contains("<x:workbookView activeTab=\"0\""));
        QVERIFY(!xml.contains("hidden"));
        QCOMPARE(testwb::parts(path)["xl/workbook.xml"], QByteArray(kWorkbook)); // the template stays
    }

    // A style sheet without fonts, borders or cell formats: the first entry of each is every
    // unstyled cell's format, so a derived format must never take its place.
    void derivedFormatsLeaveTheDefaultAlone_data() {
        QTest::addColumn<QByteArray>("styles");
        QTest::newRow("empty style sheet")
            << QByteArray("<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"/>");
        QTest::newRow("empty lists")
            << QByteArray("<x:styleSheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                          "<x:fonts count=\"0\"/><x:borders count=\"0\"/><x:cellXfs count=\"0\"/></x:styleSheet>");
        QTest::newRow("one of each")
            << QByteArray("<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                          "<fonts count=\"1\"><font><sz val=\"11\"/></font></fonts>"
                          "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill patternType=\"gray125\"/></fill></fills>"
                          "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
                          "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                          "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
                          "</styleSheet>");
    }
    void derivedFormatsLeaveTheDefaultAlone() {
        QFETCH(QByteArray, styles);
        const QString path = writePackage(dir.filePath(QStringLiteral("styles.xlsx")), styles);
        const QString out = dir.filePath(QStringLiteral("styles-out.xlsx"));
        QFile::remove(out);
        {
            auto book = Workbook::open(path);
            Sheet& s = book->sheet(1);
            s.setThinBorders(RangeRef{{1, 1}, {1, 2}}, EdgesOutline);
            s.setBold(4, 1);
            s.setNumberFormat(4, 2, QStringLiteral("0%"));
            book->save(out);
        }
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(1);
        QVERIFY(s.borders(1, 1).left && s.borders(1, 2).right);
        QVERIFY(s.isBold(4, 1));
        QCOMPARE(s.numberFormat(4, 2), QStringLiteral("0%"));
        // Unstyled cells (and the other sheet) keep the plain format.
        for (Sheet* sh : {&s, &back->sheet(2)})
            for (auto [r, c] : {std::pair{2, 2}, {3, 2}, {9, 9}}) {
                const CellBorders b = sh->borders(r, c);
                QVERIFY2(!b.left && !b.right && !b.top && !b.bottom, qPrintable(cellName(r, c)));
                QVERIFY(!sh->isBold(r, c));
                QCOMPARE(sh->numberFormat(r, c), QStringLiteral("General"));
            }
        // The lists an application needs are there, with their counts.
        const QByteArray xml = testwb::parts(out)["xl/styles.xml"];
        QVERIFY(xml.contains("fills"));
        QVERIFY(countOf(xml, "cellXfs", "xf") >= 4 || countOf(xml, "x:cellXfs", "x:xf") >= 4);
    }
};

QTEST_GUILESS_MAIN(TestSavedByApp)
#include "tst_savedbyapp.moc"
