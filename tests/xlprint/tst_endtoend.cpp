// Each of the fifteen print commands on a small quotation, from the command to the saved
// workbook: the workbook read back through the workbook layer, then every output converted to
// PDF by LibreOffice with its page count and key texts.
#include "QuoteFixture.h"
#include "QuotationPrint.h"
#include "ScriptedDialogs.h"
#include "StaDb.h"
#include "TempProgramFolder.h"
#include "TemplateDescription.h"
#include "mdM.h"
#include "system/System.h"
#include "workbook/Workbook.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace xlprint;

namespace {

QStringList g_opened;
const ScriptedDialogs* g_dialogs = nullptr;
qsizetype g_toldBeforeOpen = 0; // the messages shown before the workbook was opened
bool recordOpen(const QString& path) {
    g_opened.append(path);
    g_toldBeforeOpen = g_dialogs ? g_dialogs->messages().size() : 0;
    return true;
}

// Runs a program, its standard output (empty on failure).
QString run(const QString& program, const QStringList& args, int timeoutMs = 60000) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

const QString kLongAddress = QStringLiteral("台北市信義區信義路五段七號").repeated(6).left(82);
const QString kWideAddress = QStringLiteral("WMWMWM MWMWMW WMMW ").repeated(6);
const QString kMailAddress =
    QStringLiteral("wang.xiaoming-renovation-project@chengzhu-interior-design-group.com.tw／0912-345-678 ")
        .repeated(2);
const QString kLongRemark = QStringLiteral("本報價單有效期限為三十日，訂金三成於簽約時支付，").repeated(3);
// The shipped quotation template as a user edits it, each cell unmerged: the title centred in D1 and
// the number right-aligned in G4, or the address in A6 shrinking to fit, or the name in A5 on one line.
tpl::TemplateSpec edited(int row) {
    tpl::TemplateSpec t = tpl::quotationTemplates().front();
    for (tpl::CellSpec& c : t.sheets.front().cells)
        if (const int to = row >= 5 ? c.row == row && c.col == 1
                                    : c.row == 1 && c.col == 1 ? 4 : 7 * (c.row == 4 && c.col == 6)) {
            c = {c.row, to, c.text, c.style};
            c.style.wrap = false;
            c.style.shrink = row == 6;
            c.style.align = to == 4 ? tpl::Align::Center : to == 7 ? tpl::Align::Right : tpl::Align::Left;
        }
    return t;
}

const QMap<QString, QString> kAddresses = {{"long address", kLongAddress},
                                           {"wide capitals", kWideAddress},
                                           {"e-mail address", kMailAddress},
                                           {"earlier template", kLongAddress},
                                           {"earlier template, another folder", kLongAddress}};

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT
    std::unique_ptr<TempProgramFolder> folder;
    db::DatabasePtr sta;
    QMap<QString, QString> outputs; // command item -> saved workbook

    // `cutMessage` gets the message of the texts cut (none expected without it).
    QString print(const char* item, quote::QuoteDocument& doc, UserRights rights = {},
                  QString* cutMessage = nullptr) {
        const PrintCommand* cmd = findPrintCommand(QString::fromLatin1(item));
        const QString tpl = QDir(templateFolderOf(*cmd, mdM::TemplateFolder))
                                .filePath(QString::fromUtf8(cmd->templateFile));
        ScriptedDialogs d;
        d.expectOpenFile(tpl);
        if (cutMessage)
            d.expectMessage();
        g_opened.clear();
        g_dialogs = &d;
        const JobResult r =
            printQuotation(*cmd, switchesFor(*cmd, doc.WorkTypesOnly, rights), doc, *sta, rights);
        g_dialogs = nullptr;
        if (r != JobResult::Done || !d.ok() || g_opened.size() != 1 || g_toldBeforeOpen != (cutMessage ? 1 : 0)) {
            qWarning() << item << int(r) << d.failures();
            for (const auto& m : d.messages())
                qWarning() << m.text;
            return {};
        }
        if (cutMessage)
            *cutMessage = d.messages().value(0).text;
        return g_opened.first();
    }

private slots:
    void initTestCase() {
        mdM::ResetState();
        folder = std::make_unique<TempProgramFolder>();
        QString error;
        for (const tpl::TemplateSpec& t : tpl::quotationTemplates())
            QVERIFY2(tpl::writeTemplate(t, folder->file(t.relativePath), &error), qPrintable(error));
        mdM::TemplateFolder = folder->path();
        mdM::LoadPrintSettings(); // the shipped settings: 8, A, A1, G39, 30
        sta = stats::openStaDb(folder->path());
        mdM::MainDb = db::Database::open(folder->createMainDb(), QString::fromUtf8(mdM::kMainDbPassword));
        wb::setOutputFolder(folder->mkdir(QStringLiteral("out")));
        wb::setSpreadsheetOpener(&recordOpen);
        sys::setSpreadsheetAppOverride(true);
    }
    void cleanupTestCase() {
        wb::setSpreadsheetOpener(nullptr);
        wb::setOutputFolder({});
        sys::setSpreadsheetAppOverride(std::nullopt);
        sta.reset();
        mdM::MainDb.reset();
    }

    // Every command saves a workbook with the header filled and its layout's key cells.
    void commands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("text");
        QTest::newRow("mPs") << "mPs" << 1 << "A8" << "壹";
        QTest::newRow("mPss") << "mPss" << 1 << "B8" << "客廳系統櫃W120";
        QTest::newRow("mPa") << "mPa" << 1 << "B10" << "浴室";
        QTest::newRow("mPnw") << "mPnw" << 2 << "A8" << "一";
        QTest::newRow("mAs") << "mAs" << 2 << "B47" << "臥室";
        QTest::newRow("mPw") << "mPw" << 1 << "B8" << "木作";
        QTest::newRow("mPwa") << "mPwa" << 2 << "B8" << "木作";
        QTest::newRow("mWs") << "mWs" << 2 << "B8" << "木作";
        QTest::newRow("mPas") << "mPas" << 1 << "B12" << "    合  計";
        QTest::newRow("mPws") << "mPws" << 1 << "B8" << "木作";
        QTest::newRow("mPwaS") << "mPwaS" << 2 << "B8" << "木作";
        QTest::newRow("mPwsb") << "mPwsb" << 2 << "B8" << "木作";
        QTest::newRow("mPac") << "mPac" << 1 << "G7" << "利潤";
        QTest::newRow("mPwc") << "mPwc" << 2 << "J10" << "註系統櫃";
        QTest::newRow("mPwac") << "mPwac" << 1 << "B8" << "木作";
        // An address of 82 characters wraps onto three lines of the header cell, the row made
        // higher; the rest is cut, and the message names the field.
        QTest::newRow("long address") << "mPa" << 1 << "A6" << "工程地址：" + kLongAddress.left(61);
        // Capitals W and M are wider than digits, and words are not split.
        QTest::newRow("wide capitals") << "mPa" << 1 << "A6" << "工程地址：" + kWideAddress.left(71);
        // A template left as an earlier build wrote it (its header shrank) is brought up to date.
        QTest::newRow("earlier template") << "mPa" << 1 << "A6" << "工程地址：" + kLongAddress.left(61);
        QTest::newRow("earlier template, another folder") << "mPa" << 1 << "A6"
                                                          << "工程地址：" + kLongAddress.left(61);
        // Broken after "-" and "/" as the spreadsheet program breaks it: one line fewer kept.
        QTest::newRow("e-mail address") << "mPa" << 1 << "A6"
                                        << "工程地址：" + kMailAddress.left(98);
        // The company lines wrap in their rows; a page-end remark is cut at the page's edge.
        QTest::newRow("long company lines")
            << "mPa" << 1 << "A1" << QStringLiteral("大").repeated(29) + "　報價單";
        QTest::newRow("long remark") << "mPa" << 1 << "A33" << kLongRemark.left(43);
        QTest::newRow("long remark, cost cover") << "mPac" << 1 << "A33" << kLongRemark.left(43);
        QTest::newRow("dates joined") << "mPa" << 1 << "A5" // one word, on three lines
                                      << "工程名稱：王公館分期施工：112/12/01、112/12/15、113/01/05、113/01/20、113/02/03";
        // Unmerged cells measured where drawn: centred, right-aligned, shrinking (see edited()).
        QTest::newRow("edited template") << "mPa" << 1 << "G4" << "單號：A-1001";
        QTest::newRow("edited template, shrinking address") << "mPa" << 1 << "A6" << "工程地";
        QTest::newRow("edited template, justified name") << "mPa" << 1 << "A5" << "工程名稱：桃園中壢";
    }
    void commands() {
        QFETCH(QString, item);
        QFETCH(int, sheet);
        QFETCH(QString, cell);
        QFETCH(QString, text);
        quote::QuoteDocument doc = xlfixture::standard();
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        doc.header.txtAddr = kAddresses.value(tag, doc.header.txtAddr);
        if (tag.startsWith(QStringLiteral("long remark")))
            doc.pageEnd.cbPe[0] = kLongRemark;
        if (cell == QStringLiteral("A5"))
            doc.header.cbEcn = text.mid(5);
        if (tag == QStringLiteral("long company lines"))
            mdM::MainDb->execute(
                QStringLiteral("update company set 名稱 = ?, 地址 = ?"),
                {text.left(29), QStringLiteral("台北市大安區忠孝東路四段").repeated(4).left(44)});
        // An earlier build's template, never set up, in the program folder or another template folder.
        const auto back = qScopeGuard([this] { mdM::TemplateFolder = folder->path(); });
        if (tag.startsWith(QStringLiteral("edited template"))) { // in a template folder of its own
            mdM::TemplateFolder = folder->mkdir(QStringLiteral("edited"));
            const QString path = mdM::TemplateFolder + "/PrintQ/報價單.xlsx";
            QVERIFY(tpl::writeTemplate(edited(wb::cell(cell).row), path, nullptr));
            if (cell == QStringLiteral("A5")) { // unmerged, not wrapping, justified
                auto t = wb::Workbook::open(path);
                t->sheet(1).setHorizontalAlignment(5, 1, wb::HAlign::Justify);
                t->save(path, true);
            }
            mdM::MainDb->execute(QStringLiteral("update company set 名稱 = ?"), {QStringLiteral("澄築室內裝修設計工程有限公司")});
        }
        if (tag.startsWith(QStringLiteral("earlier template"))) {
            if (tag.endsWith(QStringLiteral("folder")))
                mdM::TemplateFolder = folder->mkdir(QStringLiteral("shared"));
            const QString earlier = QDir(mdM::TemplateFolder).filePath(QStringLiteral("PrintQ/報價單.xlsx"));
            QVERIFY(QDir().mkpath(QFileInfo(earlier).path()));
            QFile::remove(earlier);
            QVERIFY(QFile::copy(QFINDTESTDATA("earlier-quotation-template.xlsx"), earlier) &&
                    sys::setReadOnly(earlier)); // as the quotation editor leaves it
        }
        QString cut;
        const bool cuts = tag != item && !QStringList{"long company lines", "dates joined", "edited template",
                                                                  "edited template, justified name"}.contains(tag);
        const QString out = print(qPrintable(item), doc, {}, cuts ? &cut : nullptr);
        QVERIFY(!out.isEmpty());
        outputs[tag] = out;
        auto book = wb::Workbook::open(out);
        const wb::CellRef c = wb::cell(cell);
        QCOMPARE(book->sheet(sheet).text(c.row, c.col), text);
        if (kAddresses.contains(tag)) { // the address's own characters counted
            QVERIFY2(
                cut.contains(
                    QStringLiteral("\n工程地址（工作表「首頁」A6）：保留前 %1 字\n").arg(text.size() - 5)),
                qPrintable(cut));
            QVERIFY(book->sheet(1).rowHeight(6) > 18);
        }
        if (cell == QStringLiteral("A5"))
            QVERIFY(book->sheet(1).rowHeight(5) >= wb::linesHeight(3, 10));
        if (cell == QStringLiteral("A1"))
            QVERIFY(book->sheet(1).rowHeight(1) > 27.75 && book->sheet(1).rowHeight(2) > 14.25);
        if (cell == QStringLiteral("A33"))
            QVERIFY2(cut.endsWith(
                         QStringLiteral("\n頁尾備註 1（工作表「首頁」A33）：保留前 %1 字").arg(text.size())),
                     qPrintable(cut));
        QVERIFY(book->sheet(1).text(4, 1).contains(QStringLiteral("王大明")));
        QVERIFY(book->sheet(1).text(5, 5).contains(QStringLiteral("112/5/8")) ||
                book->sheet(1).text(5, 6).contains(QStringLiteral("112/5/8")) ||
                book->sheet(1).text(5, 8).contains(QStringLiteral("112/5/8")));
    }

    // A user without the price right sees no price anywhere, in every layout: no unit price or
    // amount, and no rate of a fee charged per ping (a rate per ping is a price).
    void noPriceRight_data() {
        QTest::addColumn<QString>("item");
        for (const PrintCommand& cmd : printCommands())
            QTest::newRow(cmd.item) << QString::fromLatin1(cmd.item);
    }
    void noPriceRight() {
        QFETCH(QString, item);
        quote::QuoteDocument doc = xlfixture::standard();
        const UserRights rights{true, false};
        const bool costs = switchesFor(*findPrintCommand(item), false, rights).costCols;
        const QString out = print(qPrintable(item), doc, rights);
        QVERIFY(!out.isEmpty());
        auto book = wb::Workbook::open(out);
        for (int s = 1; s <= book->sheetCount(); ++s) {
            wb::Sheet& sh = book->sheet(s);
            const wb::RangeRef used = sh.usedRange();
            for (int r = 1; r <= used.last.row; ++r)
                for (int c = 1; c <= used.last.col; ++c) {
                    const QString where =
                        QStringLiteral("%1 sheet %2 %3").arg(item).arg(s).arg(wb::cellName(r, c));
                    const QString text = sh.text(r, c);
                    QVERIFY2(!text.contains(QStringLiteral("元/坪")) && !text.contains(QStringLiteral(" X ")),
                             qPrintable(where + u' ' + text));
                    // Unit price, amount (cover: amount and, in the cost layouts, cost).
                    if (r >= 8 && (c == 5 || (c == 6 && !(costs && s == 1))))
                        QVERIFY2(sh.type(r, c) != wb::CellType::Number, qPrintable(where));
                }
        }
        if (item == QStringLiteral("mPac")) {
            QCOMPARE(book->sheet(1).text(11, 2), QStringLiteral("設計費")); // fee rows without amounts
            QCOMPARE(book->sheet(1).text(12, 2), QStringLiteral("監工費"));
            QVERIFY(book->sheet(1).number(8, 6).has_value()); // costs stay
        }
    }

    // A quotation of work types only groups at the first level everywhere.
    void workTypesOnly() {
        quote::QuoteDocument doc = xlfixture::quotation({
            {{"木作", "櫃"}, {{"系統櫃", "", "尺", "2", "3000", "2000"}}},
            {{"油漆"}, {{"乳膠漆", "", "坪", "10", "800", "500"}}},
        });
        doc.WorkTypesOnly = true;
        for (const char* item : {"mPw", "mWs", "mPs"}) {
            const QString out = print(item, doc);
            QVERIFY2(!out.isEmpty(), item);
            auto book = wb::Workbook::open(out);
            wb::Sheet& d = book->sheet(QByteArray(item) == "mPs" ? 1 : 2);
            QCOMPARE(d.text(8, 2), QStringLiteral("木作"));
            QCOMPARE(d.text(9, 2), QStringLiteral(" 櫃"));
            QCOMPARE(d.text(10, 2), QStringLiteral("系統櫃"));
        }
    }

    // The most areas the shipped cover holds (two fee rows: 16) print whole above the remarks and
    // the signature line.
    void fullestCover() {
        QList<xlfixture::Leaf> leaves;
        for (int i = 1; i <= 16; ++i)
            leaves.append({{QStringLiteral("區%1").arg(i)}, {{"防水層", "", "坪", "1", "100", "50"}}});
        quote::QuoteDocument doc = xlfixture::quotation(leaves);
        auto book = wb::Workbook::open(print("mPa", doc));
        wb::Sheet& c = book->sheet(1);
        QCOMPARE(c.text(23, 2), QStringLiteral("區16"));
        QVERIFY(c.text(32, 2).contains(QStringLiteral("元整")));
        QCOMPARE(c.text(33, 1), QStringLiteral("訂金三成"));
        QVERIFY(c.text(38, 1).startsWith(QStringLiteral("客戶簽認")));
    }

    // Every saved workbook opens in LibreOffice: its PDF has the expected pages and texts.
    void pdfs_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QStringList>("texts");
        const QStringList cover = {"壹", "合", "總價合計", "新台幣"};
        QTest::newRow("mPs") << "mPs" << 1 << QStringList{"系統櫃W120", "小計", "訂金三成"};
        QTest::newRow("mPss") << "mPss" << 1 << QStringList{"防水層", "總", "價"};
        QTest::newRow("mPa") << "mPa" << 2 << (cover + QStringList{"浴室", "櫃"});
        QTest::newRow("mPnw") << "mPnw" << 2 << (cover + QStringList{"一", "三", "浴室"});
        QTest::newRow("mAs") << "mAs" << 4 << (cover + QStringList{"參", "浴室"});
        QTest::newRow("mPw") << "mPw" << 2 << (cover + QStringList{"木作", "油漆"});
        QTest::newRow("mPwa") << "mPwa" << 2 << (cover + QStringList{"木作"});
        QTest::newRow("mWs") << "mWs" << 5 << (cover + QStringList{"木作", "小計"});
        QTest::newRow("mPas") << "mPas" << 2 << QStringList{"壹", "系統櫃W120"};
        QTest::newRow("mPws") << "mPws" << 2 << QStringList{"木作", "系統櫃W120"};
        QTest::newRow("mPwaS") << "mPwaS" << 2 << QStringList{"木作"};
        QTest::newRow("mPwsb") << "mPwsb" << 5 << QStringList{"木作", "小計"};
        QTest::newRow("mPac") << "mPac" << 2 << (cover + QStringList{"利潤"});
        QTest::newRow("mPwc") << "mPwc" << 2 << (cover + QStringList{"成本"});
        QTest::newRow("mPwac") << "mPwac" << 2 << (cover + QStringList{"成本"});
    }
    void pdfs() {
        QFETCH(QString, item);
        QFETCH(int, pages);
        QFETCH(QStringList, texts);
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice is not installed");
        const QString xlsx = outputs.value(item);
        QVERIFY(!xlsx.isEmpty());
        const QString pdfDir = folder->mkdir(QStringLiteral("pdf"));
        const QString pdf = QDir(pdfDir).filePath(QFileInfo(xlsx).completeBaseName() + QStringLiteral(".pdf"));
        if (!QFileInfo::exists(pdf)) {
            // One LibreOffice run converts every output.
            QStringList args = {QStringLiteral("--headless"),
                                QStringLiteral("-env:UserInstallation=file://") + folder->mkdir(QStringLiteral("lo")),
                                QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), pdfDir};
            args += outputs.values();
            run(soffice, args, 110000);
        }
        QVERIFY2(QFileInfo::exists(pdf), qPrintable(pdf));
        const QString info = run(QStringLiteral("pdfinfo"), {pdf});
        const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY(m.hasMatch());
        QCOMPARE(m.captured(1).toInt(), pages);
        const QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        for (const QString& t : texts)
            QVERIFY2(text.contains(t), qPrintable(item + u' ' + t));
        if (qEnvironmentVariableIsSet("KAVO_KEEP_PDF"))
            QFile::copy(pdf, QDir(qEnvironmentVariable("KAVO_KEEP_PDF")).filePath(item + QStringLiteral(".pdf")));
    }
};

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
