// Record lists and mailing labels, read back from the printed workbooks, and opened by LibreOffice.
#include "Labels.h"
#include "LibreOffice.h"
#include "RecordListPrint.h"
#include "RecordPrintFixture.h"
#include "workbook/Zip.h"

#include <QCryptographicHash>
#include <QtTest>

using namespace records;

namespace {

QByteArray hashOf(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
}

} // namespace

class TestRecordPrint : public QObject {
    Q_OBJECT

    RecordPrintFixture fx;
    QStringList forLibreOffice; // printed workbooks, converted together at the end
    QTemporaryDir keep;

    // Keeps a printout for the LibreOffice pass (the fixture's folder goes with each test).
    void keepForLibreOffice(const QString& path, const QString& name) {
        const QString copy = keep.filePath(name);
        QVERIFY(QFile::copy(path, copy));
        forLibreOffice << copy;
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void offeredColumns_data() {
        QTest::addColumn<int>("party");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("customers") << 1 << 34 << "客戶編號" << "備註";
        QTest::newRow("vendors") << 2 << 37 << "廠商編號" << "敘述";
        QTest::newRow("staff") << 3 << 17 << "員工編號" << "職稱";
    }
    void offeredColumns() {
        QFETCH(int, party);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        const QStringList cols = printableColumns(*fx.db, *listSubject(party));
        QCOMPARE(cols.size(), count);
        QCOMPARE(cols.first(), first);
        QCOMPARE(cols.last(), last);
        for (const char* hidden : {"type", "pass", "Pass", "權限"})
            QVERIFY(!cols.contains(QString::fromUtf8(hidden)));
        QVERIFY(!listSubject(0));
        QVERIFY(!listSubject(4));
    }

    void statementUsesOnlyTheTablesColumns() {
        const ListSubject& customers = *listSubject(1);
        QCOMPARE(listStatement(*fx.db, customers, {"客戶編號", "客戶名稱"}),
                 QStringLiteral("select 客戶編號, 客戶名稱 from 客戶 order by 客戶編號"));
        for (const char* bad : {"type", "客戶編號 from 客戶; drop table 客戶 --", "不存在"})
            QVERIFY_THROWS_EXCEPTION(PrintError, listStatement(*fx.db, customers, {QString::fromUtf8(bad)}));
        QVERIFY_THROWS_EXCEPTION(PrintError, listStatement(*fx.db, *listSubject(3), {"pass"}));
    }

    void listHasTheChosenColumnsInOrder() {
        const QStringList cols = {"客戶名稱", "電話1", "客戶編號", "郵遞區號", "登錄日期", "公司地址"};
        const PrintOutcome out = printList(*fx.db, fx.folder->path(), 1, cols);
        QVERIFY(out.opened);
        QCOMPARE(RecordPrintFixture::opened, QStringList{out.path});
        auto book = wb::Workbook::open(out.path);
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QStringLiteral("客戶資料")); // the template's title stays
        for (int i = 0; i < cols.size(); ++i)
            QCOMPARE(s.text(2, i + 1), cols[i]);
        const QList<QStringList> expected = {
            {"甲公司", "0912345678", "C001", "02765", "90/1/2", "台北市仁愛路一段1號"},
            {"乙公司", "035555555", "C002", "30041", "", ""},
            {"丙公司", "073333333", "C003", "80041", "91/5/8", "高雄市中正路3號"},
            {"丁公司", "", "C004", "40041", "92/12/31", "台中市"}};
        for (int r = 0; r < expected.size(); ++r)
            for (int c = 0; c < cols.size(); ++c) {
                QCOMPARE(s.text(3 + r, c + 1), expected[r][c]);
                QVERIFY(s.type(3 + r, c + 1) != wb::CellType::Number);
            }
        QCOMPARE(s.type(7, 1), wb::CellType::Empty);
        // Borders around the filled range (rows 2 to 6) and between its columns; none elsewhere.
        for (int c = 1; c <= 6; ++c) {
            QCOMPARE(s.borders(1, c), wb::CellBorders{});
            QCOMPARE(s.borders(2, c), (wb::CellBorders{true, true, true, false}));
            QCOMPARE(s.borders(4, c), (wb::CellBorders{true, true, false, false}));
            QCOMPARE(s.borders(6, c), (wb::CellBorders{true, true, false, true}));
            QCOMPARE(s.borders(7, c), wb::CellBorders{});
        }
        for (int r = 1; r <= 7; ++r)
            QCOMPARE(s.borders(r, 7), wb::CellBorders{});
        keepForLibreOffice(out.path, QStringLiteral("list.xlsx"));
    }

    void everyColumnPastZ() {
        // A value taller than the highest row keeps what that row shows, named by record and field.
        fx.db->execute(QStringLiteral("update 廠商 set 敘述 = ? where 廠商名稱 = '木工班'"),
                       {QString(800, u'述')});
        const QStringList cols = printableColumns(*fx.db, *listSubject(2));
        const PrintOutcome out = printList(*fx.db, fx.folder->path(), 2, cols);
        auto book = wb::Workbook::open(out.path);
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(2, 37), QStringLiteral("敘述")); // AK2
        const int last = s.usedRange().last.row;
        QVERIFY(last >= 3);
        QCOMPARE(s.borders(2, 37), (wb::CellBorders{true, true, true, false}));
        QCOMPARE(s.borders(last, 37), (wb::CellBorders{true, true, false, true}));
        QCOMPARE(s.borders(last + 1, 37), wb::CellBorders{});
        QCOMPARE(s.borders(2, 38), wb::CellBorders{});
        QCOMPARE(s.text(3, 2), QStringLiteral("木工班"));
        QCOMPARE(s.text(3, 5), QStringLiteral("新北市板橋區文化路"));
        QVERIFY(s.rowHeight(3) >= 28 && s.rowHeight(3) <= 409); // the address in two lines of its column
        QCOMPARE(s.text(3, 37), QString(248, u'述'));
        QCOMPARE(out.cut, QStringList{"第 1 筆 敘述（AK3）：保留前 248 字"});
        // Saved with wrap off, the list shows it on one line of its cell, and names the cut.
        QFile t(fx.templatePath(QStringLiteral("廠商資料.xlsx")));
        QVERIFY(t.open(QIODevice::ReadWrite));
        auto entries = wb::zip::read(t.readAll(), t.fileName());
        for (auto& e : entries)
            e.data.replace("wrapText=\"1\"", "");
        QVERIFY(t.resize(0) && t.write(wb::zip::write(entries)) > 0);
        t.close();
        QVERIFY(printList(*fx.db, fx.folder->path(), 2, cols)
                    .cut.contains(QStringLiteral("第 1 筆 敘述（AK3）：保留前 8 字")));
    }

    void listOfNoRecords() {
        fx.db->execute(QStringLiteral("delete from 客戶"));
        const PrintOutcome out = printList(*fx.db, fx.folder->path(), 1, {"客戶編號", "客戶名稱"});
        auto book = wb::Workbook::open(out.path);
        wb::Sheet& s = book->sheet(1);
        QCOMPARE(s.text(2, 2), QStringLiteral("客戶名稱"));
        QCOMPARE(s.type(3, 1), wb::CellType::Empty);
        QCOMPARE(s.usedRange().last.row, 2);
        QCOMPARE(s.borders(2, 1), (wb::CellBorders{true, true, true, true}));
        QCOMPARE(s.borders(3, 1), wb::CellBorders{});
    }

    // A copied program folder with earlier label and list templates: the start brings them up to date.
    void labelsThreeAcrossInBlocksOfFive_data() {
        QTest::addColumn<bool>("earlier");
        QTest::newRow("shipped") << false;
        QTest::newRow("earlier templates, program started") << true;
    }
    void labelsThreeAcrossInBlocksOfFive() {
        QFETCH(bool, earlier);
        if (earlier)
            QVERIFY(fx.startReplaces({{"Label.xlsx", QFINDTESTDATA("earlier-label-template.xlsx")},
                                      {"廠商資料.xlsx", QFINDTESTDATA("earlier-vendor-list-template.xlsx")}}));
        // A long address wraps in its row of the label; what the row cannot hold is cut and named.
        const QString far = QStringLiteral("台中市西屯區台灣大道三段九十九號十樓之").repeated(3).left(55);
        fx.db->execute(QStringLiteral("update 客戶 set 公司地址 = ? where 客戶編號 = 'C004'"), {far});
        const QString templ = fx.templatePath(QStringLiteral("Label.xlsx"));
        const QByteArray before = hashOf(templ);
        const PrintOutcome out = PrintLabels(*fx.db, fx.folder->path(), 1);
        QCOMPARE(hashOf(templ), before);
        auto book = wb::Workbook::open(out.path);
        auto tbook = wb::Workbook::open(templ);
        wb::Sheet& s = book->sheet(1);
        struct Label {
            int row, col;
            QStringList lines;
        };
        const QList<Label> labels = {
            {2, 1, {"02765", "台北市仁愛路一段1號", "    甲公司", "王經理  君 啟     C001"}},
            {2, 2, {"30041", "", "    乙公司", "李小姐  君 啟     C002"}},
            {2, 3, {"80041", "高雄市中正路3號", "    丙公司", "  君 啟     C003"}},
            {7, 1, {"40041", far.left(54), "    丁公司", "陳先生  君 啟     C004"}}};
        for (const Label& l : labels)
            for (int i = 0; i < 4; ++i)
                QCOMPARE(s.text(l.row + i, l.col), l.lines[i]);
        for (int c = 1; c <= 3; ++c) {
            QCOMPARE(s.type(1, c), wb::CellType::Empty);
            QCOMPARE(s.type(6, c), wb::CellType::Empty); // spacer rows untouched
            QCOMPARE(s.type(11, c), wb::CellType::Empty);
            QCOMPARE(s.type(7, c), c == 1 ? wb::CellType::Text : wb::CellType::Empty);
        }
        for (int r = 1; r <= 12; ++r)
            QCOMPARE(s.rowHeight(r), tbook->sheet(1).rowHeight(r));
        QCOMPARE(s.type(2, 4), wb::CellType::Empty);
        QCOMPARE(labelCell(5), (wb::CellRef{7, 3}));
        QCOMPARE(labelCell(6), (wb::CellRef{12, 1}));
        QCOMPARE(out.cut, QStringList{"第 4 筆 公司地址（A8）：保留前 54 字"});
        if (!earlier)
            keepForLibreOffice(out.path, QStringLiteral("labels.xlsx"));
    }

    void labelsOfNoRecordsLeaveTheTemplate() {
        fx.db->execute(QStringLiteral("delete from 廠商"));
        const PrintOutcome out = PrintLabels(*fx.db, fx.folder->path(), 2);
        auto book = wb::Workbook::open(out.path);
        QCOMPARE(book->sheet(1).type(2, 1), wb::CellType::Empty);
        QVERIFY_THROWS_EXCEPTION(PrintError, PrintLabels(*fx.db, fx.folder->path(), 3));
    }

    void eachPrintIsAFreshCopy() {
        const PrintOutcome a = printList(*fx.db, fx.folder->path(), 1, {"客戶編號"});
        const PrintOutcome b = printList(*fx.db, fx.folder->path(), 1, {"客戶名稱"});
        QVERIFY(a.path != b.path);
        QCOMPARE(wb::Workbook::open(a.path)->sheet(1).text(2, 1), QStringLiteral("客戶編號"));
        QCOMPARE(wb::Workbook::open(b.path)->sheet(1).text(2, 1), QStringLiteral("客戶名稱"));
        QCOMPARE(fx.outputs().size(), 2);
    }

    void failuresLeaveNoFile() {
        QVERIFY(QFile::remove(fx.templatePath(QStringLiteral("Label.xlsx"))));
        try {
            PrintLabels(*fx.db, fx.folder->path(), 1);
            QFAIL("printed without a template");
        } catch (const PrintError& e) {
            QVERIFY(e.message.startsWith(QStringLiteral("找不到範本檔")));
            QVERIFY(e.message.contains(QStringLiteral("Label.xlsx")));
        }
        fx.db->execute(QStringLiteral("alter table 客戶 rename to 舊客戶"));
        try {
            printList(*fx.db, fx.folder->path(), 1, {"客戶編號"});
            QFAIL("printed without the table");
        } catch (const PrintError& e) {
            QVERIFY(!e.message.isEmpty());
        }
        QVERIFY(fx.outputs().isEmpty());
        QVERIFY(RecordPrintFixture::opened.isEmpty());
    }

    void printoutsOpenInLibreOffice() {
        QCOMPARE(forLibreOffice.size(), 2);
        QString error;
        QVERIFY2(testlo::convertToPdf(forLibreOffice, keep.path(), &error), qPrintable(error));
        // Long values wrap inside their column: compared without the line breaks.
        const QString list = testlo::pdfText(testlo::pdfPathFor(forLibreOffice[0], keep.path()))
                                 .remove(QRegularExpression(QStringLiteral("\\s")));
        for (const char* t : {"客戶資料", "客戶名稱", "電話1", "甲公司", "0912345678", "02765", "91/5/8", "台北市仁愛路一段1號"})
            QVERIFY2(list.contains(QString::fromUtf8(t)), t);
        const QString labels = testlo::pdfText(testlo::pdfPathFor(forLibreOffice[1], keep.path()));
        for (const char* t : {"02765", "甲公司", "王經理 君 啟", "C004", "高雄市中正路3號"})
            QVERIFY2(labels.simplified().contains(QString::fromUtf8(t)), t);
        // Three labels across fit the width of the page.
        QCOMPARE(testlo::pdfPages(testlo::pdfPathFor(forLibreOffice[1], keep.path())), 1);
    }
};

QTEST_GUILESS_MAIN(TestRecordPrint)
#include "tst_recordprint.moc"
