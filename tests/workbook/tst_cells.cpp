// Cells of a workbook: A1 references, texts of every kind, numbers, styles kept, formats created or
// reused, and every bad input refused without leaving a file.
#include "SmallTemplates.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QtTest>
#include <cmath>

using namespace wb;

namespace {

int countXfs(const QByteArray& styles) {
    const qsizetype from = styles.indexOf("<cellXfs");
    const qsizetype to = styles.indexOf("</cellXfs>");
    return int(styles.mid(from, to - from).count("<xf "));
}

} // namespace

class TestCells : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString makeTextTemplate() {
        const QString path = dir.filePath(QStringLiteral("texts.xlsx"));
        QFile::remove(path);
        const bool ok = testwb::makeWorkbook(path, [](lxw_workbook* book) {
            lxw_worksheet* ws = workbook_add_worksheet(book, "S");
            lxw_format* bold = workbook_add_format(book);
            format_set_bold(bold);
            lxw_format* red = workbook_add_format(book);
            format_set_font_color(red, LXW_COLOR_RED);
            worksheet_write_string(ws, 0, 0, "共用 字串", nullptr);
            lxw_rich_string_tuple a = {bold, (char*)"粗體"};
            lxw_rich_string_tuple b = {red, (char*)" 紅字"};
            lxw_rich_string_tuple* rich[] = {&a, &b, nullptr};
            worksheet_write_rich_string(ws, 0, 1, rich, nullptr);
            worksheet_write_number(ws, 0, 2, 1234.5, bold);
            worksheet_write_boolean(ws, 0, 3, 1, nullptr);
            worksheet_write_formula_str(ws, 0, 4, "=\"a\"&\"b\"", nullptr, "ab");
            worksheet_write_blank(ws, 0, 5, bold);
            // A styled row and a styled column: a new cell takes their format.
            worksheet_set_row(ws, 4, 15, bold);
            worksheet_set_column(ws, 7, 7, 10, bold);
        });
        return ok ? path : QString();
    }

private slots:
    void columnLetters_data() {
        QTest::addColumn<QString>("letters");
        QTest::addColumn<int>("number"); // 0: refused
        QTest::newRow("A") << "A" << 1;
        QTest::newRow("Z") << "Z" << 26;
        QTest::newRow("AA") << "AA" << 27;
        QTest::newRow("AZ") << "AZ" << 52;
        QTest::newRow("BA") << "BA" << 53;
        QTest::newRow("ZZ") << "ZZ" << 702;
        QTest::newRow("AAA") << "AAA" << 703;
        QTest::newRow("XFD") << "XFD" << 16384;
        QTest::newRow("lower case") << "xfd" << 16384;
        QTest::newRow("past XFD") << "XFE" << 0;
        QTest::newRow("four letters") << "AAAA" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("digit") << "A1" << 0;
        QTest::newRow("full-width letter") << "Ａ" << 0;
    }
    void columnLetters() {
        QFETCH(QString, letters);
        QFETCH(int, number);
        QCOMPARE(columnNumber(letters).value_or(0), number);
        if (number)
            QCOMPARE(columnName(number), letters.toUpper());
    }

    void cellReferences_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row"); // 0: refused
        QTest::addColumn<int>("col");
        QTest::newRow("A1") << "A1" << 1 << 1;
        QTest::newRow("absolute") << "$G$39" << 39 << 7;
        QTest::newRow("two letters") << "ab100" << 100 << 28;
        QTest::newRow("last cell") << "XFD1048576" << 1048576 << 16384;
        QTest::newRow("row 0") << "A0" << 0 << 0;
        QTest::newRow("row past the sheet") << "A1048577" << 0 << 0;
        QTest::newRow("column past the sheet") << "XFE1" << 0 << 0;
        QTest::newRow("digits first") << "1A" << 0 << 0;
        QTest::newRow("trailing letter") << "A1B" << 0 << 0;
        QTest::newRow("blank inside") << "A 1" << 0 << 0;
        QTest::newRow("no row") << "G" << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0;
        QTest::newRow("range") << "A1:B2" << 0 << 0;
    }
    void cellReferences() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, col);
        const auto ref = parseCell(text);
        QCOMPARE(ref.has_value(), row != 0);
        if (row) {
            QCOMPARE(ref->row, row);
            QCOMPARE(ref->col, col);
            QCOMPARE(cell(text), *ref);
        } else {
            QVERIFY_THROWS_EXCEPTION(WorkbookError, cell(text));
        }
    }

    void ranges() {
        QCOMPARE(range(u"A1:G39"), (RangeRef{{1, 1}, {39, 7}}));
        QCOMPARE(range(u"G39:A1"), (RangeRef{{1, 1}, {39, 7}}));
        QCOMPARE(range(u"B2"), (RangeRef{{2, 2}, {2, 2}}));
        QCOMPARE(rangeName(range(u"$a$1:$ab$3")), QStringLiteral("A1:AB3"));
        for (const char* bad : {"A1:", ":B2", "A1:B2:C3", "A1-B2"})
            QVERIFY2(!parseRange(QString::fromLatin1(bad)), bad);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, range(u"A1:"));
    }

    void readsEveryKindOfCell() {
        const QString path = makeTextTemplate();
        QVERIFY(!path.isEmpty());
        auto book = Workbook::open(path);
        Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("共用 字串"));
        QCOMPARE(s.text(1, 2), QStringLiteral("粗體 紅字"));
        QCOMPARE(s.text(1, 3), QStringLiteral("1234.5"));
        QCOMPARE(s.type(1, 3), CellType::Number);
        QCOMPARE(s.number(1, 3).value_or(0), 1234.5);
        QCOMPARE(s.text(1, 4), QStringLiteral("TRUE"));
        QCOMPARE(s.type(1, 4), CellType::Boolean);
        QCOMPARE(s.text(1, 5), QStringLiteral("ab"));
        QCOMPARE(s.type(1, 5), CellType::Text);
        QCOMPARE(s.type(1, 6), CellType::Empty);
        QCOMPARE(s.text(1, 6), QString());
        QCOMPARE(s.text(99, 99), QString());
        QVERIFY(!s.number(1, 1));
    }

    void textStaysText_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("telephone") << "0912345678";
        QTest::newRow("postcode") << "02765";
        QTest::newRow("ROC date") << "91/5/8";
        QTest::newRow("number-like") << "1E3";
        QTest::newRow("blanks and tabs around") << "\t  王小明  \t";
        QTest::newRow("four blanks only") << "    ";
        QTest::newRow("markup characters") << "A&B <c> \"d\" 'e'";
        QTest::newRow("line breaks") << "第一行\r\n第二行\n第三行";
        QTest::newRow("escape look-alike") << "_x0041_ stays";
        QTest::newRow("control character") << QString::fromUtf8("a\x01" "b");
        QTest::newRow("outside the BMP") << QString::fromUtf8("𠀋 😀");
    }
    void textStaysText() {
        QFETCH(QString, text);
        const QString path = makeTextTemplate();
        const QString out = dir.filePath(QStringLiteral("text-out.xlsx"));
        QFile::remove(out);
        {
            auto book = Workbook::open(path);
            book->sheet(1).setText(3, 2, text);
            QCOMPARE(book->sheet(1).text(3, 2), text);
            book->save(out);
        }
        auto back = Workbook::open(out);
        QCOMPARE(back->sheet(1).text(3, 2), text);
        QCOMPARE(back->sheet(1).type(3, 2), CellType::Text);
    }

    void writingKeepsStyles() {
        const QString path = makeTextTemplate();
        const QString out = dir.filePath(QStringLiteral("styles-out.xlsx"));
        QFile::remove(out);
        {
            auto book = Workbook::open(path);
            Sheet& s = book->sheet(1);
            s.setNumber(1, 3, -0.25);  // bold number cell
            s.setText(1, 6, "新");     // bold blank cell
            s.setNumber(5, 2, 7);      // new cell in the bold row
            s.setText(9, 8, "欄");     // new cell in the bold column
            s.setText(9, 9, "無格式"); // new cell elsewhere
            s.setText(1, 1, "");       // emptied
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setNumber(1, 1, std::nan("")));
            QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setNumber(1, 1, INFINITY));
            book->save(out);
        }
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(1);
        QCOMPARE(s.number(1, 3).value_or(0), -0.25);
        QVERIFY(s.isBold(1, 3));
        QCOMPARE(s.text(1, 6), QStringLiteral("新"));
        QVERIFY(s.isBold(1, 6));
        QCOMPARE(s.number(5, 2).value_or(0), 7.0);
        QVERIFY(s.isBold(5, 2));
        QVERIFY(s.isBold(9, 8));
        QVERIFY(!s.isBold(9, 9));
        QCOMPARE(s.type(1, 1), CellType::Empty);
    }

    void clearKeepsStyles() {
        auto book = Workbook::open(makeTextTemplate());
        Sheet& s = book->sheet(1);
        s.clear(range(u"A1:C1"));
        QCOMPARE(s.type(1, 1), CellType::Empty);
        QCOMPARE(s.type(1, 2), CellType::Empty);
        QCOMPARE(s.type(1, 3), CellType::Empty);
        QVERIFY(s.isBold(1, 3));
        QCOMPARE(s.text(1, 4), QStringLiteral("TRUE"));
    }

    // Each format change adds at most one style for each distinct result and reuses it afterwards.
    void formatsCreateOrReuseOneStyle() {
        const QString path = makeTextTemplate();
        const QString out = dir.filePath(QStringLiteral("formats-out.xlsx"));
        QFile::remove(out);
        const int before = countXfs(testwb::parts(path)["xl/styles.xml"]);
        {
            auto book = Workbook::open(path);
            Sheet& s = book->sheet(1);
            s.setHorizontalAlignment(10, 1, HAlign::Right);
            s.setHorizontalAlignment(11, 1, HAlign::Right); // same base: reused
            s.setHorizontalAlignment(12, 1, HAlign::Left);
            s.setNumberFormat(10, 2, "0%");
            s.setNumberFormat(11, 2, "0%");
            s.setNumberFormat(12, 2, "#,##0.0");
            s.setNumberFormat(13, 2, "#,##0.0");
            s.setBold(10, 3);
            s.setBold(11, 3);
            s.setBold(1, 3, false); // the bold number loses its bold only
            s.setThinBorders(range(u"D10:F11"), EdgesOutline | InsideVertical);
            QCOMPARE(s.horizontalAlignment(10, 1), HAlign::Right);
            book->save(out);
        }
        const auto p = testwb::parts(out);
        // right, left, 0%, #,##0.0, not bold, two border combinations; bold is the template's own
        QCOMPARE(countXfs(p.at("xl/styles.xml")), before + 7);
        QCOMPARE(p.at("xl/styles.xml").count("formatCode=\"#,##0.0\""), 1);

        auto back = Workbook::open(out);
        Sheet& s = back->sheet(1);
        QCOMPARE(s.horizontalAlignment(11, 1), HAlign::Right);
        QCOMPARE(s.horizontalAlignment(12, 1), HAlign::Left);
        QCOMPARE(s.horizontalAlignment(13, 1), HAlign::General);
        QCOMPARE(s.numberFormat(10, 2), QStringLiteral("0%"));
        QCOMPARE(s.numberFormat(13, 2), QStringLiteral("#,##0.0"));
        QCOMPARE(s.numberFormat(10, 3), QStringLiteral("General"));
        QVERIFY(s.isBold(11, 3));
        QVERIFY(!s.isBold(1, 3));
        QCOMPARE(s.number(1, 3).value_or(0), 1234.5);
        // Outline and inside verticals; no line between the two rows.
        QCOMPARE(s.borders(10, 4), (CellBorders{true, true, true, false}));
        QCOMPARE(s.borders(10, 5), (CellBorders{true, true, true, false}));
        QCOMPARE(s.borders(11, 6), (CellBorders{true, true, false, true}));
        QCOMPARE(s.borders(11, 5), (CellBorders{true, true, false, true}));
        QCOMPARE(s.borders(12, 5), CellBorders{});
        QCOMPARE(s.borders(10, 7), CellBorders{});
    }

    // A sheet of several megabytes of rows is written in slices: every row arrives once, in order,
    // with what follows the rows kept.
    void bigSheetKeepsEveryRow() {
        const QString path = makeTextTemplate();
        const QString out = dir.filePath(QStringLiteral("big-out.xlsx"));
        QFile::remove(out);
        constexpr int kRows = 12000;
        {
            auto book = Workbook::open(path);
            Sheet& s = book->sheet(1);
            for (int r = 10; r < 10 + kRows; ++r)
                for (int c = 1; c <= 8; ++c)
                    s.setText(r, c, QStringLiteral("第%1列第%2欄 台北市").arg(r).arg(c));
            s.addRowBreak(5000);
            book->save(out);
        }
        QVERIFY(testwb::parts(out)["xl/worksheets/sheet1.xml"].size() > 3 * (1 << 20));
        auto back = Workbook::open(out);
        Sheet& s = back->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("共用 字串"));
        for (int r = 10; r < 10 + kRows; r += 997)
            for (int c : {1, 8})
                QCOMPARE(s.text(r, c), QStringLiteral("第%1列第%2欄 台北市").arg(r).arg(c));
        QCOMPARE(s.text(10 + kRows - 1, 8), QStringLiteral("第%1列第8欄 台北市").arg(10 + kRows - 1));
        QCOMPARE(s.type(10 + kRows, 1), CellType::Empty);
        QCOMPARE(s.usedRange().last, (CellRef{10 + kRows - 1, 8}));
        QCOMPARE(s.rowBreaks(), QList<int>{5000});
    }

    void badInputIsRefusedAndLeavesNoFile() {
        const QString path = makeTextTemplate();
        QTemporaryDir outDir;
        auto book = Workbook::open(path);
        Sheet& s = book->sheet(1);
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->sheet(0));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->sheet(2));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.text(0, 1));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.text(1, 0));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setText(kMaxRows + 1, 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setText(1, kMaxColumns + 1, "x"));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setText(1, 1, QString(32768, u'x')));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setNumberFormat(1, 1, ""));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, s.setThinBorders(range(u"A1:XFD1048576"), EdgesOutline));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->save(outDir.filePath("missing/out.xlsx")));
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->save(outDir.path())); // a folder

        // An existing file is not replaced.
        const QString existing = outDir.filePath(QStringLiteral("old.xlsx"));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("earlier");
        f.close();
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->save(existing));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier"));
        f.close();
        QCOMPARE(QDir(outDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"old.xlsx"});
    }

    // A workbook without a styles part (nor its relationship) gets one when a format is set.
    void workbookWithoutStylesGetsThem() {
        const QString path = makeTextTemplate(), saved = dir.filePath(QStringLiteral("nostyles.xlsx"));
        std::vector<zip::Entry> entries;
        for (auto& [name, data] : testwb::parts(path))
            if (name != "xl/styles.xml")
                entries.push_back({name, QString::fromUtf8(data).remove(QRegularExpression(
                                             "<Relationship [^>]*/styles\"[^>]*/>| s=\"\\d+\"")).toUtf8()});
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(zip::write(entries)) > 0);
        out.close();
        QFile::remove(saved);
        auto book = Workbook::open(path);
        book->sheet(1).setBold(9, 1);
        book->save(saved);
        QVERIFY(Workbook::open(saved)->sheet(1).isBold(9, 1));
        QCOMPARE(testwb::parts(saved).at("xl/_rels/workbook.xml.rels").count("relationships/styles\""), 1);
    }

    // On a full file system the save fails and the earlier file stays, with no temporary file.
    void fullDiskLeavesTheOldFile() {
        QTemporaryDir mnt;
        if (QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=128k", "tmpfs", mnt.path()}) != 0)
            QSKIP("a small file system cannot be mounted here");
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {mnt.path()}); });
        QFile f(mnt.filePath(QStringLiteral("old.xlsx"))), filler(mnt.filePath(QStringLiteral("filler")));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("earlier") == 7);
        f.close();
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(1024, 'x')) == 1024) {
        }
        auto book = Workbook::open(makeTextTemplate());
        QVERIFY_THROWS_EXCEPTION(WorkbookError, book->save(f.fileName(), true));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("earlier"));
        QCOMPARE(QDir(mnt.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"filler", "old.xlsx"}));
    }

    void unreadableTemplatesAreRefused_data() {
        QTest::addColumn<QByteArray>("content"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a zip") << QByteArray("plain text, not a workbook");
        QTest::newRow("zip without a workbook")
            << wb::zip::write({{"hello.txt", QByteArray("hi")}});
        QTest::newRow("workbook part damaged")
            << wb::zip::write({{"_rels/.rels", QByteArray("<Relationships xmlns=\"x\"><Relationship Id=\"r\" "
                                                           "Type=\"a/officeDocument\" Target=\"xl/workbook.xml\"/>"
                                                           "</Relationships>")},
                               {"xl/workbook.xml", QByteArray("<workbook><sheets>")}});
    }
    void unreadableTemplatesAreRefused() {
        QFETCH(QByteArray, content);
        QTemporaryDir d;
        const QString path = d.filePath(QStringLiteral("bad.xlsx"));
        if (!content.isEmpty()) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        try {
            Workbook::open(path);
            QFAIL("opened");
        } catch (const WorkbookError& e) {
            QVERIFY(!e.reason().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestCells)
#include "tst_cells.moc"
