// Page layout in a workbook: what a save keeps and drops, page breaks, block copies, row
// insertion, heights and hidden rows, and where printouts are saved.
#include "SmallTemplates.h"

#include "system/System.h"

#include <QDir>
#include <QtTest>
#include <set>

using namespace wb;

namespace {

QStringList openedPaths;
bool recordOpen(const QString& path) {
    openedPaths << path;
    return true;
}

// A page of 39 rows: merged title, header texts, ruled lines in B8:B37, a merged foot, a merge over
// rows 9 to 11, a break before row 20, print area and print titles.
bool makeLayoutTemplate(const QString& path) {
    return testwb::makeWorkbook(path, [](lxw_workbook* book) {
        lxw_worksheet* other = workbook_add_worksheet(book, "封面");
        lxw_worksheet* ws = workbook_add_worksheet(book, "明細");
        lxw_format* title = workbook_add_format(book);
        format_set_bold(title);
        lxw_format* line = workbook_add_format(book);
        format_set_bottom(line, LXW_BORDER_THIN);
        worksheet_write_string(other, 0, 0, "封面", nullptr);
        worksheet_print_area(other, 0, 0, 38, 6);
        worksheet_merge_range(ws, 0, 0, 0, 6, "標題", title);
        worksheet_write_string(ws, 1, 0, "第二列", nullptr);
        for (int r = 7; r < 37; ++r)
            worksheet_write_blank(ws, lxw_row_t(r), 1, line);
        worksheet_merge_range(ws, 8, 3, 10, 3, "跨列", nullptr);
        worksheet_write_string(ws, 11, 0, "第十二列", nullptr);
        worksheet_write_number(ws, 11, 2, 12, nullptr);
        for (int r = 0; r < 39; ++r)
            worksheet_set_row(ws, lxw_row_t(r), 10 + r % 9, nullptr);
        worksheet_merge_range(ws, 37, 0, 37, 2, "頁尾", nullptr);
        static lxw_row_t breaks[] = {19, 0};
        worksheet_set_h_pagebreaks(ws, breaks);
        worksheet_print_area(ws, 0, 0, 38, 6);
        worksheet_repeat_rows(ws, 10, 11);
    });
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString templ;

private slots:
    void initTestCase() {
        templ = dir.filePath(QStringLiteral("page.xlsx"));
        QVERIFY(makeLayoutTemplate(templ));
    }

    void saveKeepsWhatItDoesNotChange() {
        const QString path = dir.filePath(QStringLiteral("parts.xlsx"));
        QVERIFY(QFile::copy(templ, path));
        QVERIFY(testwb::addCalcChainAndUnknownPart(path));
        const auto before = testwb::parts(path);
        const QString out = dir.filePath(QStringLiteral("parts-out.xlsx"));
        {
            auto book = Workbook::open(path);
            QCOMPARE(book->sheet(1).text(1, 1), QStringLiteral("封面")); // read only
            book->sheet(2).setText(3, 1, "寫入");
            book->save(out);
        }
        const auto after = testwb::parts(out);
        const std::set<std::string> changed = {"xl/workbook.xml", "xl/worksheets/sheet2.xml",
                                               "xl/_rels/workbook.xml.rels", "[Content_Types].xml"};
        for (const auto& [name, data] : before) {
            if (name == "xl/calcChain.xml") {
                QVERIFY(!after.count(name));
                continue;
            }
            QVERIFY2(after.count(name), name.c_str());
            if (!changed.count(name))
                QVERIFY2(after.at(name) == data, name.c_str());
        }
        QCOMPARE(after.size(), before.size() - 1);
        QVERIFY(!after.at("xl/_rels/workbook.xml.rels").contains("calcChain"));
        QVERIFY(!after.at("[Content_Types].xml").contains("calcChain"));
        QVERIFY(after.at("xl/_rels/workbook.xml.rels").contains("sharedStrings"));
        QVERIFY(after.at("xl/workbook.xml").contains("fullCalcOnLoad=\"1\""));

        auto back = Workbook::open(out);
        QCOMPARE(back->sheet(2).text(3, 1), QStringLiteral("寫入"));
        QCOMPARE(back->sheet(2).text(1, 1), QStringLiteral("標題"));
        QCOMPARE(back->sheet(2).text(12, 3), QStringLiteral("12"));
    }

    void pageBreaksAreAddedOnce() {
        const QString out = dir.filePath(QStringLiteral("breaks.xlsx"));
        {
            auto book = Workbook::open(templ);
            Sheet& s = book->sheet(2);
            QCOMPARE(s.rowBreaks(), QList<int>{20});
            s.addRowBreak(40);
            s.addRowBreak(40);
            s.addRowBreak(20);
            s.addColumnBreak(11);
            s.addColumnBreak(11);
            s.addColumnBreak(8);
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.addRowBreak(1));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.addColumnBreak(1));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.addRowBreak(kMaxRows + 1));
            book->save(out);
        }
        const QByteArray xml = testwb::parts(out).at("xl/worksheets/sheet2.xml");
        QCOMPARE(xml.count("<brk "), 4);
        QVERIFY(xml.contains("<brk id=\"39\""));
        QVERIFY(xml.contains("<brk id=\"10\""));
        QVERIFY(xml.indexOf("<rowBreaks") < xml.indexOf("<colBreaks"));
        auto back = Workbook::open(out);
        QCOMPARE(back->sheet(2).rowBreaks(), (QList<int>{20, 40}));
        QCOMPARE(back->sheet(2).columnBreaks(), (QList<int>{8, 11}));
    }

    void copiesBlockWithStylesAndMerges() {
        const QString out = dir.filePath(QStringLiteral("copy.xlsx"));
        {
            auto book = Workbook::open(templ);
            Sheet& s = book->sheet(2);
            s.setText(50, 1, "會被蓋掉");
            s.setText(45, 9, "區塊外");
            s.copyRange(range(u"A1:G39"), cell(u"A40"));
            QCOMPARE(s.text(50, 1), QString()); // A11 of the source is empty
            s.copyRange(range(u"A1:G39"), cell(u"A79"));
            book->save(out);
        }
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(2);
        for (int page : {0, 1, 2}) {
            const int top = 39 * page;
            QCOMPARE(s.text(top + 1, 1), QStringLiteral("標題"));
            QCOMPARE(s.text(top + 12, 1), QStringLiteral("第十二列"));
            QCOMPARE(s.number(top + 12, 3).value_or(0), 12.0);
            QVERIFY(s.isBold(top + 1, 1));
            QCOMPARE(s.borders(top + 20, 2).bottom, true);
        }
        QCOMPARE(s.rowHeight(20), 10.0 + 19 % 9);
        QCOMPARE(s.rowHeight(59), 15.0); // heights are not copied
        QCOMPARE(s.text(45, 9), QStringLiteral("區塊外"));
        const QList<RangeRef> merges = s.mergedRanges();
        for (const char* m : {"A1:G1", "D9:D11", "A38:C38", "A40:G40", "D48:D50", "A77:C77", "A79:G79", "A116:C116"})
            QVERIFY2(merges.contains(range(QString::fromLatin1(m))), m);
        QCOMPARE(merges.size(), 9);
    }

    void copyOntoOverlapAndOverMerges() {
        auto book = Workbook::open(templ);
        Sheet& s = book->sheet(2);
        s.setText(1, 9, "1");
        s.setText(1, 10, "2");
        s.setText(2, 9, "3");
        s.copyRange(range(u"I1:J2"), cell(u"J2")); // overlapping source and destination
        QCOMPARE(s.text(2, 10), QStringLiteral("1"));
        QCOMPARE(s.text(2, 11), QStringLiteral("2"));
        QCOMPARE(s.text(3, 10), QStringLiteral("3"));
        QCOMPARE(s.text(3, 11), QString());
        // A merge partly under the destination goes; one inside the source is repeated.
        s.copyRange(range(u"A12:C12"), cell(u"C10"));
        QVERIFY(!s.mergedRanges().contains(range(u"D9:D11")));
        QCOMPARE(s.text(10, 3), QStringLiteral("第十二列"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.copyRange(range(u"A1:G39"), CellRef{kMaxRows - 10, 1}));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.copyRange(range(u"A1:G39"), CellRef{1, kMaxColumns}));
    }

    void insertedRowsShiftEverythingBelow() {
        const QString out = dir.filePath(QStringLiteral("insert.xlsx"));
        {
            auto book = Workbook::open(templ);
            Sheet& s = book->sheet(2);
            s.setRowHidden(30, true);
            s.insertRows(10, 3);
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.insertRows(1, kMaxRows));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.insertRows(5, 0));
            book->save(out);
        }
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(2);
        QCOMPARE(s.text(2, 1), QStringLiteral("第二列"));
        QCOMPARE(s.text(12, 1), QString());
        QCOMPARE(s.text(15, 1), QStringLiteral("第十二列"));
        QCOMPARE(s.rowHeight(15), 10.0 + 11 % 9);
        QCOMPARE(s.rowHeight(9), 10.0 + 8 % 9);
        QVERIFY(s.rowHidden(33));
        QVERIFY(!s.rowHidden(30));
        // The new rows are formatted like the row above them.
        for (int r = 10; r <= 12; ++r) {
            QCOMPARE(s.rowHeight(r), s.rowHeight(9));
            QCOMPARE(s.borders(r, 2).bottom, true);
            QCOMPARE(s.type(r, 2), CellType::Empty);
        }
        const QList<RangeRef> merges = s.mergedRanges();
        QVERIFY(merges.contains(range(u"A1:G1")));
        QVERIFY(merges.contains(range(u"D9:D14"))); // spans the insertion: grows
        QVERIFY(merges.contains(range(u"A41:C41")));
        QCOMPARE(s.rowBreaks(), QList<int>{23});
        QCOMPARE(rangeName(s.usedRange()), QStringLiteral("A1:G41"));
        QVERIFY(testwb::parts(out).at("xl/worksheets/sheet2.xml").contains("<dimension ref=\"A1:G41\"/>"));
        QCOMPARE(back->definedName("_xlnm.Print_Area", 2).value_or(""), QStringLiteral("'明細'!$A$1:$G$42"));
        QCOMPARE(back->definedName("_xlnm.Print_Titles", 2).value_or(""), QStringLiteral("'明細'!$14:$15"));
        // Another sheet's names stay.
        QCOMPARE(back->definedName("_xlnm.Print_Area", 1).value_or(""), QStringLiteral("'封面'!$A$1:$G$39"));
        QVERIFY(!back->definedName("_xlnm.Print_Area", 0));
    }

    void heightsAndHiddenRows() {
        const QString out = dir.filePath(QStringLiteral("heights.xlsx"));
        {
            auto book = Workbook::open(templ);
            Sheet& s = book->sheet(2);
            QCOMPARE(s.rowHeight(100), 15.0);
            s.setRowHeight(100, 22.5);
            s.setRowHeight(3, 0);
            s.setRowHidden(5, true);
            s.setRowHidden(6, true);
            s.setRowHidden(6, false);
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setRowHeight(4, -1));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setRowHeight(4, 410));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setRowHeight(0, 10));
            book->save(out);
        }
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(2);
        QCOMPARE(s.rowHeight(100), 22.5);
        QCOMPARE(s.rowHeight(3), 0.0);
        QCOMPARE(s.rowHeight(4), 13.0);
        QVERIFY(s.rowHidden(5));
        QVERIFY(!s.rowHidden(6));
        QVERIFY(!s.rowHidden(7));
    }

    void printoutsGoToNewFiles() {
        QTemporaryDir out;
        setOutputFolder(out.filePath(QStringLiteral("輸出")));
        setSpreadsheetOpener(recordOpen);
        openedPaths.clear();
        auto book = Workbook::open(templ);
        book->sheet(2).setText(3, 1, "一");
        const QString first = saveOutput(*book, QStringLiteral("/x/PrintQ/報價單.xlsx"));
        const QString second = saveOutput(*book, QStringLiteral("/x/PrintQ/報價單.xlsx"));
        QVERIFY(first != second);
        QVERIFY(QFileInfo(first).fileName().startsWith(QStringLiteral("報價單_")));
        QVERIFY(first.endsWith(QStringLiteral(".xlsx")));
        QCOMPARE(QFileInfo(first).absolutePath(), out.filePath(QStringLiteral("輸出")));
        QCOMPARE(Workbook::open(first)->sheet(2).text(3, 1), QStringLiteral("一"));

        sys::setSpreadsheetAppOverride(false);
        Delivery none = deliver(*book, templ);
        QVERIFY(!none.opened);
        QVERIFY(QFileInfo::exists(none.path));
        QVERIFY(openedPaths.isEmpty());

        sys::setSpreadsheetAppOverride(true);
        Delivery shown = deliver(*book, templ);
        QVERIFY(shown.opened);
        QCOMPARE(openedPaths, QStringList{shown.path});
        QCOMPARE(QDir(out.filePath(QStringLiteral("輸出"))).entryList(QDir::Files).size(), 4);

        sys::setSpreadsheetAppOverride(std::nullopt);
        setSpreadsheetOpener(nullptr);
        setOutputFolder({});
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "tst_layout.moc"
