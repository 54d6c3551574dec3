// The shipped templates: written only when missing, and laid out for the shipped print settings
// (item lines from row 8, page range A1:G39 of 30 lines, placeholders in rows 1 to 6).
#include "SmallTemplates.h"
#include "TemplateDescription.h"

#include "system/System.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace wb;

namespace {

const QStringList kPlaceholders = {"#客戶名稱#", "#工程名稱#", "#工程地址#", "#客戶電話#", "#客戶傳真#", "#客戶聯絡人#",
                                   "#年#", "#月#", "#日#", "#單號#", "#業務#", "#公司名稱#", "#公司地址#",
                                   "#公司電話#", "#公司傳真#", "#公司統編#", "#公司email#"};

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT

    QTemporaryDir folder;

private slots:
    void initTestCase() {
        QStringList written;
        QString error;
        QVERIFY2(tpl::writeMissing(folder.path(), &written, &error), qPrintable(error));
        QCOMPARE(written.size(), int(tpl::allTemplates().size()));
        // A template written otherwise than before has its digest listed last (ShippedTemplates.cpp),
        // so that the copies installed before are replaced, and this one after a later change.
        QStringList unlisted;
        for (const tpl::TemplateSpec& t : tpl::allTemplates()) {
            QFile f(QDir(folder.path()).filePath(t.relativePath));
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray digest = tpl::stableDigest(f.readAll());
            if (tpl::currentDigest(t.relativePath) != digest)
                unlisted << t.relativePath + u' ' + digest;
        }
        QVERIFY2(unlisted.isEmpty(), qPrintable(unlisted.join(u'\n')));
    }

    void writesOnlyMissingTemplates() {
        const QString edited = QDir(folder.path()).filePath(QStringLiteral("PrintQ/報價單.xlsx"));
        const QString removed = QDir(folder.path()).filePath(QStringLiteral("Pother/統計.xlsx"));
        QFile f(edited);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("the user's own template");
        f.close();
        QVERIFY(sys::setReadOnly(edited)); // as the quotation editor's lock leaves it
        QVERIFY(QFile::remove(removed));

        QStringList written;
        QString error;
        QVERIFY2(tpl::writeMissing(folder.path(), &written, &error), qPrintable(error));
        QCOMPARE(written, QStringList{removed});
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("the user's own template"));
        f.close();
        QVERIFY(sys::isReadOnly(edited));
        QVERIFY(QFileInfo(removed).isReadable());
        QCOMPARE(QDir(QDir(folder.path()).filePath("Pother")).entryList(QDir::Hidden | QDir::Files).filter(".template").size(), 0);

        // Put the generated one back for the other tests.
        QVERIFY(sys::setReadOnly(edited, false));
        QVERIFY(QFile::remove(edited));
        QVERIFY(tpl::writeMissing(folder.path(), &written, &error));
    }

    void quotationTemplatesFitTheShippedSettings_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("lastColumn"); // of the detail page's header area
        QTest::newRow("報價單") << "PrintQ/報價單.xlsx" << 2 << 7;
        QTest::newRow("空白報價單") << "PrintS/空白報價單.xlsx" << 2 << 7;
        QTest::newRow("成本分析") << "PrintC/成本分析.xlsx" << 2 << 10;
        QTest::newRow("單張報價單") << "PrintNF/單張報價單.xlsx" << 1 << 7;
    }
    void quotationTemplatesFitTheShippedSettings() {
        QFETCH(QString, file);
        QFETCH(int, sheets);
        QFETCH(int, lastColumn);
        const QString path = QDir(folder.path()).filePath(file);
        auto book = Workbook::open(path);
        QCOMPARE(book->sheetCount(), sheets);
        const auto packageParts = testwb::parts(path);
        for (int n = 1; n <= sheets; ++n) {
            Sheet& s = book->sheet(n);
            // Every placeholder once in the header area (rows 1 to 6, the page's columns).
            QString header;
            for (int r = 1; r <= 6; ++r)
                for (int c = 1; c <= lastColumn; ++c)
                    header += s.text(r, c) + u'|';
            for (const QString& p : kPlaceholders)
                QVERIFY2(header.count(p) == 1, qPrintable(p));
            QVERIFY(!header.contains(QStringLiteral("#EMAIL#")));
            // Nothing written outside the page range or below the header.
            QVERIFY(s.usedRange().last.row <= 39);
            QVERIFY(s.usedRange().last.col <= lastColumn);
            QCOMPARE(s.text(7, 1), QStringLiteral("項次"));
            for (int r = 8; r <= 37; ++r)
                QCOMPARE(s.type(r, 2), CellType::Empty);
            // Row 10 lies inside the ruled item table.
            QCOMPARE(s.borders(10, 2), (CellBorders{true, true, true, true}));
            const QByteArray xml = packageParts.at("xl/worksheets/sheet" + std::to_string(n) + ".xml");
            QVERIFY(!xml.contains("<f>"));
            for (int r = 1; r <= 39; ++r) {
                const QRegularExpression row(QStringLiteral("<row r=\"%1\"[^>]*customHeight=\"1\"").arg(r));
                QVERIFY2(row.match(QString::fromUtf8(xml)).hasMatch(), qPrintable(QString::number(r)));
            }
            QVERIFY(xml.contains("fitToWidth=\"1\"") || xml.contains("fitToHeight=\"0\""));
        }
        // The single sheet grows past one printed page: its column titles head every page.
        QCOMPARE(book->definedName("_xlnm.Print_Titles", 1).value_or("").endsWith(QStringLiteral("$7:$7")),
                 sheets == 1);
        // The cover's 數量 column holds a per-ping fee's "35 X 1500" (width in characters).
        if (sheets == 2)
            QVERIFY(testwb::parts(path).at("xl/worksheets/sheet1.xml").contains("<col min=\"4\" max=\"4\" width=\"10."));
        // The detail page: money columns carry number formats.
        Sheet& detail = book->sheet(sheets);
        QCOMPARE(detail.numberFormat(8, 6), QStringLiteral("#,##0"));
        QCOMPARE(detail.horizontalAlignment(8, 4), HAlign::Right);
        QVERIFY(packageParts.at("xl/styles.xml").contains(tpl::kFont));
    }

    void listTemplatesAreWideEnough_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("columns");
        QTest::newRow("客戶資料") << "Pother/客戶資料.xlsx" << 34;
        QTest::newRow("廠商資料") << "Pother/廠商資料.xlsx" << 37;
        QTest::newRow("員工資料") << "Pother/員工資料.xlsx" << 17;
    }
    void listTemplatesAreWideEnough() {
        QFETCH(QString, file);
        QFETCH(int, columns);
        const QString path = QDir(folder.path()).filePath(file);
        auto book = Workbook::open(path);
        Sheet& s = book->sheet(1);
        QCOMPARE(s.text(1, 1), QFileInfo(file).completeBaseName());
        QVERIFY(s.isBold(2, columns)); // the header row's format reaches the last column
        QVERIFY(s.wrapsText(3, columns)); // a long value readable in its column
        const QByteArray sheetXml = testwb::parts(path).at("xl/worksheets/sheet1.xml");
        QVERIFY(sheetXml.contains(QStringLiteral("max=\"%1\"").arg(columns).toUtf8()));
        QVERIFY(sheetXml.contains("orientation=\"landscape\""));
        QVERIFY(sheetXml.contains("fitToWidth=\"1\"") || sheetXml.contains("fitToHeight=\"0\""));
        QVERIFY(book->definedName("_xlnm.Print_Titles", 1).value_or("").endsWith(QStringLiteral("$2:$2")));
    }

    // Each label block (four lines and a spacer) is as high as one label of the stock, and every
    // page starts with a block.
    void labelTemplateMatchesTheStock() {
        auto book = Workbook::open(QDir(folder.path()).filePath(QStringLiteral("Pother/Label.xlsx")));
        Sheet& s = book->sheet(1);
        const double label = 42.3 / 25.4 * 72;
        for (int block = 0; block < 14; ++block) {
            const int first = 2 + 5 * block;
            double height = 0;
            for (int r = first; r < first + 5; ++r)
                height += s.rowHeight(r);
            if (block % 7 != 6)
                QVERIFY2(qAbs(height - label) < 0.2, qPrintable(QString::number(block)));
            else
                QVERIFY(height < label);
        }
        QCOMPARE(s.rowBreaks().mid(0, 2), (QList<int>{37, 72}));
        // The layout holds for the labels of 20,000 records, within the breaks a sheet can take.
        const int far = 2 + 5 * (20000 / 3);
        double farHeight = 0;
        for (int r = far; r < far + 5; ++r)
            farHeight += s.rowHeight(r);
        QVERIFY(qAbs(farHeight - label) < 0.2);
        QVERIFY(s.rowBreaks().contains(2 + 5 * 7 * (20000 / 21)));
        QVERIFY(s.rowBreaks().size() <= 1026);
        // Seven labels and the top margin fit on an A4 page.
        double page = 0.25 * 72;
        for (int r = 2; r < 37; ++r)
            page += s.rowHeight(r);
        QVERIFY(page <= 841.9);
    }
};

QTEST_GUILESS_MAIN(TestTemplates)
#include "tst_templates.moc"
