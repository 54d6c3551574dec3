// The report renderer: both reports of a quotation laid out, written as PDF and read back with
// pdftotext, page by page; long texts and taller fonts checked on the layout's measured boxes.
#include "../stats/StatsFixture.h"
#include "FileSizeLimit.h"
#include "Report.h"
#include "ReportDb.h"
#include "ReportTables.h"
#include "StaDb.h"

#include "ScriptedDialogs.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace fixture;

namespace {

const QStringList kCompany = {"好家室內設計", "台北市中山路1號", "02-1234", "02-5678", "12345678", "a@b.tw"};

// The text of one page of a PDF file without blanks (the extraction does not keep them exactly);
// empty when pdftotext fails.
QString pageText(const QString& pdf, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                          QString::number(page), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput()).remove(QRegularExpression(QStringLiteral("\\s")));
}

// What is wrong with a laid-out report, one line each: a text wider or taller than its box (measured
// here at the PDF's resolution), two texts overlapping, a text outside the table over it, a box
// off the paper, the table reaching into the footer (the last text of a page).
QStringList layoutFaults(const report::Report& r) {
    QImage device(1, 1, QImage::Format_RGB32); // 300 dpi
    device.setDotsPerMeterX(11811);
    device.setDotsPerMeterY(11811);
    const double perMm = 300 / 25.4;
    const QRectF paper(QPointF(0, 0), r.layout().pageSize.size(QPageSize::Millimeter));
    QStringList faults;
    for (int page = 0; page < r.pageCount(); ++page) {
        const report::PageBoxes boxes = r.layoutPage(page);
        const auto& t = boxes.texts;
        if (!t.isEmpty() && boxes.table.bottom() > t.last().box.top() + 0.01)
            faults << QStringLiteral("page %1: the table over the footer").arg(page + 1);
        for (qsizetype i = 0; i + 1 < t.size(); ++i)
            if (t[i].box.bottom() > t.last().box.top() + 0.01)
                faults << QStringLiteral("page %1 '%2': below the footer's top").arg(page + 1).arg(t[i].lines.join(u'/'));
        for (qsizetype i = 0; i < t.size(); ++i) {
            const QString what = QStringLiteral("page %1 '%2': ").arg(page + 1).arg(t[i].lines.join(u'/'));
            if (double(t[i].lines.size()) * t[i].lineStep > t[i].box.height() + 0.01)
                faults << what + QStringLiteral("too tall");
            for (const QString& line : t[i].lines)
                if (QFontMetricsF(t[i].font, &device).horizontalAdvance(line) / perMm >
                    t[i].box.width() + 0.1)
                    faults << what + QStringLiteral("too wide");
            if (!paper.contains(t[i].box))
                faults << what + QStringLiteral("off the paper");
            if (!t[i].inTable && t[i].box.intersects(boxes.table))
                faults << what + QStringLiteral("over the table");
            for (qsizetype j = i + 1; j < t.size(); ++j)
                if (t[i].box.adjusted(0.01, 0.01, -0.01, -0.01).intersects(t[j].box))
                    faults << what + QStringLiteral("over '%1'").arg(t[j].lines.join(u'/'));
        }
    }
    return faults;
}

// Every text of the report's pages as printed (wrapped lines joined).
QStringList printedTexts(const report::Report& r) {
    QStringList out;
    for (int page = 0; page < r.pageCount(); ++page)
        for (const report::TextBox& t : r.layoutPage(page).texts)
            out << t.lines.join(QString());
    return out;
}

int pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(30000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TstReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    db::DatabasePtr m_sta, m_report;
    QStringList m_body; // pbody's text column, in order

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // KAVO_KEEP_PDF=1 keeps the files for a look at the pages.
        if (qEnvironmentVariableIsSet("KAVO_KEEP_PDF")) {
            m_dir.setAutoRemove(false);
            qInfo() << "PDF files in" << m_dir.path();
        }
        m_sta = stats::openStaDb(m_dir.path());
        m_report = stats::openReportDb(m_dir.path());
        QuoteDocument doc;
        doc.header = {"王先生", "信義住宅", "陳小明", "住宅", "1121201_", "台北市信義路五段7號", "112/12/01"};
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), items(30, QStringLiteral("木櫃")));
        fillLeaf(doc, addPath(doc, {"客廳", "油漆"}), items(10, QStringLiteral("牆面")));
        fillLeaf(doc, addPath(doc, {"主臥", "木作"}), items(5, QStringLiteral("床架")));
        doc.pageEnd.cbPe = {"訂金三成", "", "保固一年", "", ""};
        stats::RefillReportTables(doc, {m_sta.get(), m_report.get(), kCompany, "02-999", "02-888"});
        db::Recordset rs = m_report->openRecordset(QStringLiteral("pbody"));
        for (; !rs.eof(); rs.moveNext())
            m_body << rs.text(1);
    }

    // Details: 34 lines a page, the header on every page, each line on the page the fill puts it.
    void details() {
        const report::Report r = report::Report::load(QStringLiteral("pbdemo"), *m_report);
        const int pages = int((m_body.size() + 33) / 34);
        QCOMPARE(r.pageCount(), pages);
        QVERIFY(pages >= 2);
        const QString pdf = m_dir.filePath(QStringLiteral("details.pdf"));
        QString error;
        QVERIFY2(r.writePdf(pdf, &error), qPrintable(error));
        QCOMPARE(pdfPages(pdf), pages);
        const auto pageOf = [&](const QString& text) { return int(m_body.indexOf(text) / 34) + 1; };
        // 木作 (by work type) on page 1; 油漆's heading and its first 小計 where they fall.
        QVERIFY(pageText(pdf, 1).contains(QStringLiteral("好家室內設計")));
        QVERIFY(pageText(pdf, 1).contains(QStringLiteral("木作")));
        QVERIFY(pageText(pdf, 1).contains(QStringLiteral("客廳木櫃1S")));
        const QString last = pageText(pdf, pages);
        QVERIFY(last.contains(QStringLiteral("好家室內設計")));
        QVERIFY(last.contains(QStringLiteral("王先生")));
        QVERIFY(last.contains(QStringLiteral("第%1頁/共%1頁").arg(pages)));
        QVERIFY(pageText(pdf, pageOf(QStringLiteral("油漆"))).contains(QStringLiteral("油漆")));
        QVERIFY(pageText(pdf, pageOf(QStringLiteral("小計"))).contains(QStringLiteral("小計")));
        QVERIFY(pageText(pdf, pageOf(QStringLiteral("客廳牆面10S"))).contains(QStringLiteral("客廳牆面10S")));
        // No costs: 60 a unit is nowhere.
        for (int i = 1; i <= pages; ++i)
            QVERIFY(!pageText(pdf, i).contains(QStringLiteral("60")));
    }

    // A text wider than its box gets a smaller font that fits it (an item name with a long
    // 規格 prints whole); a text that fits keeps the layout's font; nothing shrinks
    // below 55%.
    void longTextsAreFitted() {
        QImage page(2480, 3508, QImage::Format_RGB32); // A4 at 300 dpi
        page.setDotsPerMeterX(11811);
        page.setDotsPerMeterY(11811);
        QFont f(QStringLiteral("Noto Sans CJK TC"));
        f.setPointSizeF(9.5);
        const QString shortText = QStringLiteral("系統櫃");
        const QString longText = QStringLiteral("客廳系統櫃含五金與抽屜滑軌及門片鉸鏈W240 H260 D60 木紋貼皮");
        const double width = QFontMetricsF(f, &page).horizontalAdvance(longText) * 0.7;
        QCOMPARE(report::fitToWidth(f, shortText, width, &page).pointSizeF(), 9.5);
        const QFont fitted = report::fitToWidth(f, longText, width, &page);
        QVERIFY(fitted.pointSizeF() < 9.5);
        QVERIFY(QFontMetricsF(fitted, &page).horizontalAdvance(longText) <= width);
        QCOMPARE(report::fitToWidth(f, longText, width / 10, &page).pointSizeF(), 9.5 * 0.55);
    }

    // Cover: one page with the groups, totals, the amount in words and the remarks.
    void cover() {
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *m_report);
        QCOMPARE(r.pageCount(), 1);
        const QString pdf = m_dir.filePath(QStringLiteral("cover.pdf"));
        QVERIFY(r.writePdf(pdf));
        QCOMPARE(pdfPages(pdf), 1);
        const QString text = pageText(pdf, 1);
        for (const char* s : {"好家室內設計", "報價單", "王先生", "1121201_", "木作", "油漆", "3,500", "合計",
                              "總計", "總價:新台幣肆仟柒佰貳拾伍元整(含稅)", "1.訂金三成", "3.保固一年"})
            QVERIFY2(text.contains(QString::fromUtf8(s)), s);
    }

    // 30 groups: the totals and the amount in words go to the second page, the remarks stay low on
    // the first.
    void coverOfTwoPages() {
        QTemporaryDir dir;
        auto sta = stats::openStaDb(dir.path());
        auto rep = stats::openReportDb(dir.path());
        QuoteDocument doc;
        doc.WorkTypesOnly = true;
        for (int i = 1; i <= 30; ++i)
            fillLeaf(doc, addPath(doc, {QStringLiteral("工種%1").arg(i)}), {item("x", 1, 100)});
        doc.pageEnd.cbPe = {"訂金三成", "", "", "", ""};
        stats::FillFrontPagePrintTables(doc, {sta.get(), rep.get(), kCompany, {}, {}});
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *rep);
        QCOMPARE(r.pageCount(), 2);
        const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
        QVERIFY(r.writePdf(pdf));
        const QString first = pageText(pdf, 1), second = pageText(pdf, 2);
        QVERIFY(first.contains(QStringLiteral("工種29")) && !first.contains(QStringLiteral("工種30")));
        QVERIFY(first.contains(QStringLiteral("1.訂金三成")) && !second.contains(QStringLiteral("訂金三成")));
        QVERIFY(second.contains(QStringLiteral("好家室內設計")));
        QVERIFY(second.contains(QStringLiteral("總價:新台幣參仟壹佰伍拾元整(含稅)")));
    }

    // Long texts print whole, wrapped where needed, and nothing overlaps: with the fonts as they
    // resolve here, and with taller ones (as a font with more line spacing gives).
    void longTextsWrapWithoutOverlaps_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("repeat"); // times the remarks are repeated
        QTest::addColumn<int>("headerLength"); // 0: the header fields as a user types them
        QTest::newRow("as installed") << 1.0 << 1 << 0;
        QTest::newRow("taller fonts") << 1.4 << 1 << 0;
        // An item remark and a page-end remark each taller than a page continue on the next.
        QTest::newRow("taller than a page") << 1.0 << 20 << 0;
        // A customer name and a site address taller than a page leave the table its room.
        QTest::newRow("header taller than a page") << 1.0 << 1 << 2000;
        // Names a little wider than their half of the information block wrap at the header's size.
        QTest::newRow("mid-length names") << 1.0 << 1 << 38;
    }
    void longTextsWrapWithoutOverlaps() {
        QFETCH(double, scale);
        QFETCH(int, repeat);
        QFETCH(int, headerLength);
        QTemporaryDir dir;
        auto sta = stats::openStaDb(dir.path());
        auto rep = stats::openReportDb(dir.path());
        // Too long for their boxes even at the smallest size.
        const QString spec =
            QStringLiteral("W240 H260 D60 E1 級 + 美耐板 + 鋼琴烤漆門片 + 緩衝鉸鏈 + 隱藏式把手 + "
                           "內附 LED 感應燈 + 抽屜滑軌");
        const QString remark =
            QStringLiteral("本報價不含水電、空調、燈具、窗簾、家具、家電、消防設備、室內裝修許可申請、"
                           "大樓管理費用、保證金、臨時水電、夜間施工加班費、防護工程、"
                           "鷹架與吊車、舊有裝潢拆除及其運棄費用與垃圾清運費用")
                .repeated(repeat);
        QuoteDocument doc;
        doc.header = {"歐陽美華小姐與陳志明先生",
                      "信義住宅",
                      "陳小明",
                      "住宅",
                      "1121201_",
                      "台北市信義區信義路五段7號101大樓觀景台旁巷弄內之二十三樓之五",
                      "112/12/01"};
        ItemRow longItem = item("系統櫃", 1, 100);
        longItem[ColSpec] = spec;
        longItem[ColRemark] = remark.left(640);
        std::vector<ItemRow> rows = items(31, QStringLiteral("木櫃"));
        rows.push_back(longItem);
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), rows);
        doc.pageEnd.cbPe = {remark, remark, remark, remark, remark};
        if (headerLength > 0) {
            doc.header.txtCn = QStringLiteral("歐陽美華").repeated(headerLength / 4);
            doc.header.cbEcn = QStringLiteral("信義住宅").repeated(headerLength / 4);
            doc.header.txtAddr = QStringLiteral("台北市信義區信義路五段7號").repeated(headerLength / 13);
        }
        stats::RefillReportTables(doc, {sta.get(), rep.get(), kCompany, "02-999", "02-888"});
        for (const char* name : {"fpdemo", "pbdemo"}) {
            report::Layout layout = report::loadLayout(QString::fromLatin1(name));
            for (QFont& f : layout.fonts)
                f.setPointSizeF(f.pointSizeF() * scale);
            const report::Report r = report::Report::load(layout, *rep);
            // The header at the layout's sizes; a proposed file name the file system holds.
            const report::PageBoxes first = r.layoutPage(0);
            for (const report::TextBox& t : first.texts)
                QVERIFY2(t.box.top() >= first.table.top() ||
                             std::any_of(layout.fonts.cbegin(), layout.fonts.cend(),
                                         [&](const QFont& f) { return f.pointSizeF() == t.font.pointSizeF(); }),
                         qPrintable(t.lines.join(u'/')));
            QVERIFY(r.pdfFileName().toUtf8().size() <= 255 && r.pdfFileName().endsWith(QStringLiteral("_112-12-01.pdf")));
            const QStringList faults = layoutFaults(r);
            QVERIFY2(faults.isEmpty(), qPrintable(name + (u'\n' + faults.join(u'\n'))));
            const QStringList texts = printedTexts(r);
            QVERIFY(texts.join(QString()).contains(QStringLiteral("1. ") + remark) ==
                    (QLatin1String(name) == "fpdemo"));
            QString lines; // the table's lines, page after page
            for (int page = 0; page < r.pageCount(); ++page) {
                const report::PageBoxes boxes = r.layoutPage(page);
                for (const report::TextBox& t : boxes.texts)
                    if (t.inTable && t.box.top() >= boxes.titleBottom)
                        lines += t.lines.join(QString());
            }
            QVERIFY(lines.contains(remark.left(640)) == (QLatin1String(name) == "pbdemo"));
            if (headerLength == 0) {
                QVERIFY(texts.contains(QStringLiteral("工地地址: ") + doc.header.txtAddr));
            } else { // the header's share of a page, the table the rest
                QVERIFY(texts.join(QString()).contains(QStringLiteral("工地地址: ") + doc.header.txtAddr.left(20)));
                QVERIFY2(r.pageCount() <= (QLatin1String(name) == "fpdemo" ? 2 : 3),
                         qPrintable(QString::number(r.pageCount())));
                QVERIFY(texts.contains(QStringLiteral("    合  計")) == (QLatin1String(name) == "fpdemo"));
            }
        }
        const report::Report details = report::Report::load(QStringLiteral("pbdemo"), *rep);
        QVERIFY(printedTexts(details).contains(QStringLiteral("客廳系統櫃") + spec));
        // The heading, 32 items and the subtotal take more than a page when a line grows.
        if (repeat == 1)
            QCOMPARE(details.pageLines(0).size() + details.pageLines(1).size(), 34);
    }

    // A name of rare characters (CJK Extension B) prints in the font that has them, embedded.
    void rareCharactersPrint() {
        QTemporaryDir dir;
        auto sta = stats::openStaDb(dir.path());
        auto rep = stats::openReportDb(dir.path());
        QuoteDocument doc;
        doc.header = {"王𠀋𡘙", "信義住宅", "陳小明", "住宅", "1121201_", "台北市", "112/12/01"};
        fillLeaf(doc, addPath(doc, {"客廳", "木作"}), items(2, QStringLiteral("木櫃")));
        stats::RefillReportTables(doc, {sta.get(), rep.get(), kCompany, "02-999", "02-888"});
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *rep);
        const QString pdf = dir.filePath(QStringLiteral("rare.pdf"));
        QVERIFY(r.writePdf(pdf));
        QProcess fonts;
        fonts.start(QStringLiteral("pdffonts"), {pdf});
        QVERIFY(fonts.waitForFinished(30000));
        const QString listed = QString::fromUtf8(fonts.readAllStandardOutput());
        QVERIFY2(listed.contains(QStringLiteral("TW-Sung-Ext-B")), qPrintable(listed));
    }

    // A PDF is offered under the quotation's own name in the given folder and written whole, or
    // not at all with the reason.
    void pdfSavedWholeOrNotAtAll() {
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *m_report);
        QCOMPARE(r.pdfFileName(), QStringLiteral("報價單_王先生_112-12-01.pdf"));
        const QString folder = m_dir.filePath(QStringLiteral("列印"));
        const QString path = QDir(folder).filePath(r.pdfFileName());
        ScriptedDialogs dialogs;
        dialogs.expectSaveFile(path);
        QVERIFY(r.savePdfAs(folder));
        QCOMPARE(dialogs.files().at(0).fileName, path);
        QCOMPARE(pdfPages(path), 1);

        const QString full = QDir(folder).filePath(QStringLiteral("full.pdf"));
        dialogs.expectSaveFile(full);
        dialogs.expectMessage();
        {
            FileSizeLimit limit(4096);
            QVERIFY(!r.savePdfAs(folder));
        }
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QVERIFY(!QFile::exists(full));
        QVERIFY(QDir(folder).entryList(QDir::Files).size() == 1);
        QVERIFY(dialogs.messages().at(0).text.contains(QStringLiteral("full.pdf")));
        QVERIFY2(dialogs.messages().at(0).text.endsWith(QStringLiteral("檔案太大")),
                 qPrintable(dialogs.messages().at(0).text));
    }

    // A landscape sheet gets the whole page, scaled: the footer prints and the margin below it
    // stays blank.
    void landscapeSheetGetsTheWholePage() {
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *m_report);
        const QString pdf = m_dir.filePath(QStringLiteral("landscape.pdf"));
        {
            QPdfWriter writer(pdf);
            writer.setResolution(72);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
            QVERIFY(r.render(writer));
        }
        QVERIFY(QProcess::execute(QStringLiteral("pdftoppm"),
                                  {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
                                   QStringLiteral("-singlefile"), pdf,
                                   m_dir.filePath(QStringLiteral("landscape"))}) == 0);
        const QImage page(m_dir.filePath(QStringLiteral("landscape.png")));
        QVERIFY(page.width() > page.height());
        int lowestInk = -1;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 128)
                    lowestInk = y;
        QVERIFY(lowestInk > page.height() * 0.9); // the footer
        QVERIFY(lowestInk < page.height() * 0.98);
    }

    // The preview's keys: Ctrl+S saves the PDF (through the save dialog), Tab reaches the tool bar.
    void previewKeys() {
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *m_report);
        ScriptedDialogs dialogs;
        dialogs.expectSaveFile(m_dir.filePath(QStringLiteral("keys.pdf")));
        QStringList tabbable;
        bool printKey = false;
        QString printTip;
        bool active = false;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            for (QAction* a : preview->findChildren<QAction*>()) {
                printKey = printKey || a->shortcut() == QKeySequence(QKeySequence::Print);
                if (a->text() == QStringLiteral("列印") && !a->isEnabled()) // no printer here
                    printTip = a->toolTip();
            }
            for (QToolButton* b : preview->findChildren<QToolButton*>())
                if (b->focusPolicy() & Qt::TabFocus)
                    tabbable << b->text();
            preview->activateWindow();
            active = QTest::qWaitForWindowActive(preview);
            QTest::keyClick(preview, Qt::Key_S, Qt::ControlModifier); // saves and closes
            preview->reject();                                        // (closed already when the key worked)
        });
        r.preview(nullptr, m_dir.path());
        QVERIFY(active);
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("keys.pdf"))));
        QVERIFY(printKey);
        QVERIFY2(QPrinterInfo::availablePrinterNames().isEmpty() == printTip.contains(QStringLiteral("沒有安裝印表機")),
                 qPrintable(printTip));
        QVERIFY(tabbable.contains(QStringLiteral("列印")) && tabbable.contains(QStringLiteral("另存 PDF")));
    }

    void missingTableIsReported() {
        QTemporaryDir dir;
        auto empty = db::Database::create(dir.filePath(QStringLiteral("x.mdb")), {},
                                          QStringLiteral("CREATE TABLE phead(con TEXT);"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, report::Report::load(QStringLiteral("pbdemo"), *empty));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, report::Report::load(QStringLiteral("nosuch"), *empty));
    }

    void unwritablePdfIsReported() {
        const report::Report r = report::Report::load(QStringLiteral("fpdemo"), *m_report);
        QString error;
        QVERIFY(!r.writePdf(m_dir.filePath(QStringLiteral("no/such/folder/x.pdf")), &error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_MAIN(TstReport)
#include "tst_report.moc"
