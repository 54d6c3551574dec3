// What the layer writes opens in a real spreadsheet application: the shipped templates, filled as
// the printouts fill them, are converted to PDF by LibreOffice and their texts and pages found.
#include "LibreOffice.h"
#include "SmallTemplates.h"
#include "TemplateDescription.h"

#include <QDir>
#include <QtTest>

using namespace wb;

namespace {

const QList<QPair<QString, QString>> kValues = {
    {"#客戶名稱#", "王小明"},       {"#工程名稱#", "仁愛路住宅"}, {"#工程地址#", "台北市仁愛路一段1號"},
    {"#客戶電話#", "0912345678"},   {"#客戶傳真#", "02-27654321"}, {"#客戶聯絡人#", "王太太"},
    {"#年#", "91"},                 {"#月#", "5"},                 {"#日#", "8"},
    {"#單號#", "Q910508"},          {"#業務#", "陳業務"},          {"#公司名稱#", "好室設計"},
    {"#公司地址#", "新北市板橋區"}, {"#公司電話#", "02-29998888"}, {"#公司傳真#", "02-29997777"},
    {"#公司統編#", "12345678"},     {"#公司email#", "info@example.com"}};

void replacePlaceholders(Sheet& s, int lastCol) {
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= lastCol; ++c) {
            QString text = s.text(r, c);
            bool hit = false;
            for (const auto& [p, v] : kValues)
                if (text.contains(p)) {
                    text.replace(p, v);
                    hit = true;
                }
            if (hit)
                s.setText(r, c, text);
        }
}

// The page-copy layout: cover lines, then `pages` detail pages of 30 lines each.
void fillWithCover(Workbook& book, int pages, int lastCol) {
    replacePlaceholders(book.sheet(1), lastCol);
    replacePlaceholders(book.sheet(2), lastCol);
    Sheet& cover = book.sheet(1);
    cover.addColumnBreak(8);
    cover.setText(8, 1, "壹");
    cover.setText(8, 2, "客廳");
    cover.setText(8, 3, "式");
    cover.setNumber(8, 4, 1);
    cover.setNumber(8, 5, 123456);
    cover.setText(9, 2, "設計費");
    cover.setNumber(9, 4, 0.05);
    cover.setHorizontalAlignment(9, 4, HAlign::Right);
    cover.setNumberFormat(9, 4, "0%");
    cover.setText(13, 2, "  總價合計:  新台幣 壹拾貳萬參仟肆佰伍拾陸 元整(含稅)");
    cover.setBold(13, 2);
    for (int j = 0; j < 5; ++j) {
        cover.setHorizontalAlignment(33 + j, 1, HAlign::Left);
        cover.setText(33 + j, 1, QStringLiteral("備註%1：本報價單有效期限三十天").arg(j + 1));
    }
    Sheet& detail = book.sheet(2);
    detail.addColumnBreak(11);
    const RangeRef page = range(lastCol > 7 ? u"A1:J39" : u"A1:G39");
    for (int i = 1; i < pages; ++i) {
        detail.copyRange(page, CellRef{39 * i + 1, 1});
        detail.addRowBreak(39 * i + 1);
        for (int r = 1; r <= 39; ++r)
            detail.setRowHeight(39 * i + r, detail.rowHeight(r));
    }
    for (int i = 0; i < 30 * pages; ++i) {
        const int row = 8 + (i / 30) * 39 + i % 30;
        detail.setNumber(row, 1, i + 1);
        detail.setText(row, 2, QStringLiteral("明細項目%1").arg(i + 1));
        detail.setText(row, 3, "式");
        detail.setNumber(row, 4, 2);
        detail.setNumber(row, 5, 1500);
        detail.setNumber(row, 6, 3000);
    }
}

} // namespace

class TestLibreOffice : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QTemporaryDir out;
    QStringList filled;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(tpl::writeMissing(folder.path(), nullptr, &error), qPrintable(error));
        QDir().mkpath(out.filePath(QStringLiteral("filled")));
        auto path = [&](const char* f) { return QDir(folder.path()).filePath(QString::fromUtf8(f)); };
        auto target = [&](const char* f) { return out.filePath(QStringLiteral("filled/") + QString::fromUtf8(f)); };

        auto q = Workbook::open(path("PrintQ/報價單.xlsx"));
        fillWithCover(*q, 3, 7);
        q->save(target("quote.xlsx"));
        auto c = Workbook::open(path("PrintC/成本分析.xlsx"));
        fillWithCover(*c, 2, 10);
        c->save(target("cost.xlsx"));

        // Single sheet: rows inserted at row 10 for the lines past one page.
        auto nf = Workbook::open(path("PrintNF/單張報價單.xlsx"));
        Sheet& s = nf->sheet(1);
        replacePlaceholders(s, 7);
        s.insertRows(10, 20);
        for (int i = 0; i < 50; ++i) {
            s.setNumber(8 + i, 1, i + 1);
            s.setText(8 + i, 2, QStringLiteral("單張項目%1").arg(i + 1));
        }
        nf->save(target("single.xlsx"));

        auto st = Workbook::open(path("Pother/統計.xlsx"));
        const QStringList head = {"", "區域", "金額", "成本", "利潤", "平均比例", "佔總價"};
        for (int j = 1; j <= 6; ++j)
            st->sheet(1).setText(1, j, head[j]);
        st->sheet(1).setText(2, 1, "客廳");
        st->sheet(1).setText(2, 2, "123,456");
        st->save(target("stats.xlsx"));
        filled = QStringList{target("quote.xlsx"), target("cost.xlsx"), target("single.xlsx"), target("stats.xlsx")};
    }

    void filledWorkbooksPrint() {
        QString error;
        QVERIFY2(testlo::convertToPdf(filled, out.path(), &error), qPrintable(error));

        const QString quote = testlo::pdfPathFor(filled[0], out.path());
        // One cover page and one printed page per page range.
        QCOMPARE(testlo::pdfPages(quote), 1 + 3);
        const QString text = testlo::pdfText(quote);
        for (const char* t : {"王小明", "0912345678", "91/5/8", "好室設計", "info@example.com", "Q910508", "5%",
                              "123,456", "元整(含稅)", "備註5：本報價單有效期限三十天", "明細項目1", "明細項目30",
                              "明細項目31", "明細項目90", "3,000"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
        QVERIFY(!text.contains(u'#'));

        const QString cost = testlo::pdfPathFor(filled[1], out.path());
        QCOMPARE(testlo::pdfPages(cost), 1 + 2);
        QVERIFY(testlo::pdfText(cost).contains(QStringLiteral("成本複計")));

        const QString single = testlo::pdfText(testlo::pdfPathFor(filled[2], out.path()));
        for (const char* t : {"單張項目1", "單張項目50", "客戶簽認"})
            QVERIFY2(single.contains(QString::fromUtf8(t)), t);
        QVERIFY(testlo::pdfText(testlo::pdfPathFor(filled[3], out.path())).contains(QStringLiteral("平均比例")));
    }

    // A template the user saved again from the spreadsheet application fills just as well.
    void templateSavedByTheApplication() {
        const QString resaved = out.filePath(QStringLiteral("resaved"));
        QDir().mkpath(resaved);
        QString error;
        QVERIFY2(testlo::convertTo(QDir(folder.path()).filePath(QStringLiteral("PrintQ/報價單.xlsx")),
                                   QStringLiteral("xlsx:Calc MS Excel 2007 XML"), resaved, &error),
                 qPrintable(error));
        auto book = Workbook::open(QDir(resaved).filePath(QStringLiteral("報價單.xlsx")));
        fillWithCover(*book, 2, 7);
        const QString filledPath = out.filePath(QStringLiteral("resaved-filled.xlsx"));
        book->save(filledPath);
        QVERIFY2(testlo::convertToPdf({filledPath}, out.path(), &error), qPrintable(error));
        const QString pdf = testlo::pdfPathFor(filledPath, out.path());
        QCOMPARE(testlo::pdfPages(pdf), 1 + 2);
        const QString text = testlo::pdfText(pdf);
        for (const char* t : {"王小明", "明細項目60", "5%", "元整(含稅)"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
    }

    // Every shipped template opens as it is.
    void shippedTemplatesOpen() {
        QStringList all;
        for (const tpl::TemplateSpec& t : tpl::allTemplates())
            all << QDir(folder.path()).filePath(t.relativePath);
        const QString pdfs = out.filePath(QStringLiteral("templates"));
        QDir().mkpath(pdfs);
        QString error;
        QVERIFY2(testlo::convertToPdf(all, pdfs, &error), qPrintable(error));
        for (const QString& name : {QStringLiteral("報價單"), QStringLiteral("空白報價單"), QStringLiteral("成本分析"),
                                    QStringLiteral("單張報價單")}) {
            const QString pdf = QDir(pdfs).filePath(name + QStringLiteral(".pdf"));
            const QString text = testlo::pdfText(pdf);
            QVERIFY2(text.contains(QStringLiteral("#公司email#")), qPrintable(name));
            QVERIFY2(text.contains(QStringLiteral("品名規格")), qPrintable(name));
            QCOMPARE(testlo::pdfPages(pdf), name == QStringLiteral("單張報價單") ? 1 : 2);
        }
        QVERIFY(testlo::pdfText(QDir(pdfs).filePath(QStringLiteral("客戶資料.pdf"))).contains(QStringLiteral("客戶資料")));
    }
};

QTEST_GUILESS_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
