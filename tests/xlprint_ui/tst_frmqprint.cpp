// The editor's print commands: each sets the window's switches and prints the quotation into its
// template; an empty quotation is refused; 列印設定 opens the settings window.
#include "../quote_ui/QuoteUiFixture.h"
#include "../xlprint/QuoteFixture.h"
#include "PrintCommands.h"
#include "ScriptedDialogs.h"
#include "TemplateDescription.h"
#include "db/FaultInjection.h"
#include "frmXlSet.h"
#include "workbook/Workbook.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QtTest>

namespace {
QStringList g_opened;
bool recordOpen(const QString& path) {
    g_opened.append(path);
    return true;
}
} // namespace

class TestFrmQPrint : public QObject {
    Q_OBJECT
    QuoteUiFixture fx;

    frmQ* openWith(quote::QuoteDocument doc) {
        frmQ* f = fx.open();
        f->document().adopt(std::move(doc));
        f->setWorkTypesOnly(f->document().WorkTypesOnly);
        f->rebuildTree();
        f->showRoot();
        return f;
    }
    QString templatePath(const char* item) {
        const xlprint::PrintCommand* c = xlprint::findPrintCommand(QString::fromLatin1(item));
        return QDir(xlprint::templateFolderOf(*c, mdM::TemplateFolder))
            .filePath(QString::fromUtf8(c->templateFile));
    }

private slots:
    void init() {
        QVERIFY(fx.setUp());
        QString error;
        for (const tpl::TemplateSpec& t : tpl::quotationTemplates())
            QVERIFY2(tpl::writeTemplate(t, fx.folder->file(t.relativePath), &error), qPrintable(error));
        wb::setOutputFolder(fx.folder->mkdir(QStringLiteral("out")));
        wb::setSpreadsheetOpener(&recordOpen);
        sys::setSpreadsheetAppOverride(true);
        g_opened.clear();
    }
    void cleanup() {
        fx.tearDown();
        wb::setSpreadsheetOpener(nullptr);
        wb::setOutputFolder({});
        sys::setSpreadsheetAppOverride(std::nullopt);
    }

    void printsFromTheMenu() {
        frmQ* f = openWith(xlfixture::standard());
        ScriptedDialogs d;
        d.expectOpenFile(templatePath("mPa"));
        f->action(QStringLiteral("mPa"))->trigger();
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        QVERIFY(f->PrintByArea);
        QCOMPARE(f->PrintGroupMode, 1);
        QCOMPARE(g_opened.size(), 1);
        auto book = wb::Workbook::open(g_opened.first());
        QVERIFY(book->sheet(1).text(1, 1).startsWith(QStringLiteral("澄築室內裝修工程有限公司")));
        QCOMPARE(book->sheet(1).text(8, 2), QStringLiteral("客廳"));
        QCOMPARE(book->sheet(2).text(8, 2), QStringLiteral("客廳"));
        QCOMPARE(f->document().lbPath, quote::kRootKey); // the editor shows the root
    }

    // The blank work-type pages hold the blank switch for the call only; the area pages leave
    // grouping level 1; the cost layouts follow the user's rights.
    void switchesAfterTheCall() {
        frmQ* f = openWith(xlfixture::standard());
        ScriptedDialogs d;
        f->PrintBlank = false;
        d.expectOpenFile(templatePath("mPwsb"));
        f->action(QStringLiteral("mPwsb"))->trigger();
        QVERIFY(!f->PrintBlank);
        d.expectOpenFile(templatePath("mAs"));
        f->action(QStringLiteral("mAs"))->trigger();
        QCOMPARE(f->PrintGroupMode, 1);
        f->CostsHidden = true;
        d.expectOpenFile(templatePath("mPac"));
        f->action(QStringLiteral("mPac"))->trigger();
        QVERIFY(f->PrintCostTemplate);
        QVERIFY(!f->PrintCostCols);
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        QCOMPARE(g_opened.size(), 3);
    }

    void emptyQuotationRefused() {
        frmQ* f = openWith(quote::QuoteDocument());
        f->PrintByArea = true;
        f->PrintGroupMode = 3;
        ScriptedDialogs d;
        d.expectMessage();
        f->action(QStringLiteral("mPss"))->trigger();
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        QCOMPARE(d.messages().at(0).text, QStringLiteral("空白表單無法列印"));
        QCOMPARE(d.messages().at(0).icon, ui::Icon::Exclamation);
        QVERIFY(f->PrintFlat && f->PrintSingleSheet); // assigned before the refusal
        QVERIFY(f->PrintByArea);                      // assigned only after it
        QCOMPARE(f->PrintGroupMode, 3);
        d.expectMessage();
        f->action(QStringLiteral("mAs"))->trigger(); // refused before the area pages regroup
        QCOMPARE(f->PrintGroupMode, 3);
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        QVERIFY(g_opened.isEmpty());
    }

    // The editor disables exactly the commands that need areas for a quotation of work types only.
    void areaItemsDisabled() {
        quote::QuoteDocument doc = xlfixture::quotation({{{"木作"}, {{"櫃", "", "尺", "1", "1", "1"}}}});
        doc.WorkTypesOnly = true;
        frmQ* f = openWith(std::move(doc));
        for (const xlprint::PrintCommand& c : xlprint::printCommands())
            QVERIFY2(f->action(QLatin1String(c.item))->isEnabled() == !c.needsAreas, c.item);
    }

    // A print that cannot be done shows "列印失敗：" with its reason, restores the pointer and
    // saves nothing: corners beyond the sheet, an unreadable template, the company row busy.
    void failuresEndOnlyThePrint_data() {
        QTest::addColumn<QString>("corner");
        QTest::addColumn<QString>("reason");
        // Settings no print can use name the box and 列印設定, before the template is asked for.
        QTest::newRow("column XFD")
            << "XFD39"
            << "右下的行太靠右：列印要用到頁面範圍右方 4 行，右下最遠到 XEZ 行。\n請在「列印設定」修改";
        QTest::newRow("column ZZZ") << "ZZZ39"
                                    << "右下必須是工作表內的儲存格位址";
        QTest::newRow("row 2000000") << "G2000000"
                                     << "右下必須是工作表內的儲存格位址";
        QTest::newRow("not a workbook") << "G39"
                                        << "範本檔無法讀取：";
        QTest::newRow("company row busy") << ""
                                          << "資料庫";
    }
    void failuresEndOnlyThePrint() {
        QFETCH(QString, corner);
        QFETCH(QString, reason);
        frmQ* f = openWith(xlfixture::standard());
        ScriptedDialogs d;
        if (corner == QLatin1String("G39"))
            d.expectOpenFile(templatePath("mPa"));
        mdM::XlPageBottomRight = corner.isEmpty() ? mdM::XlPageBottomRight : corner;
        if (corner == QLatin1String("G39")) {
            QFile t(templatePath("mPa"));
            QVERIFY(t.setPermissions(t.permissions() | QFile::WriteOwner) && t.open(QIODevice::WriteOnly));
            t.write("plain text");
        }
        if (corner.isEmpty())
            db::fault::failTable(QStringLiteral("company"), db::fault::Error::Busy);
        d.expectMessage();
        f->action(QStringLiteral("mPa"))->trigger();
        db::fault::clear();
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        const QString text = d.messages().last().text;
        QVERIFY2(text.startsWith(QStringLiteral("列印失敗：\n")) && text.contains(reason), qPrintable(text));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(QDir(wb::outputFolder()).entryList(QDir::Files).isEmpty());
    }

    // A text longer than a cell holds is cut on a character boundary and its cell named with what
    // was kept; without a spreadsheet application the workbook is saved and its path shown.
    void printsWithAWord() {
        const QString half = QStringLiteral("𠀋").repeated(10000); // two UTF-16 units each
        frmQ* f = openWith(xlfixture::quotation({{{"客廳"}, {{half, half, "式", "1", "1", "1"}}}}));
        sys::setSpreadsheetAppOverride(false);
        ScriptedDialogs d;
        d.expectOpenFile(templatePath("mPs"));
        d.expectMessage();
        d.expectMessage();
        f->action(QStringLiteral("mPs"))->trigger();
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        const QStringList saved = QDir(wb::outputFolder()).entryList(QDir::Files);
        QCOMPARE(saved.size(), 1);
        const QString path = QDir(wb::outputFolder()).filePath(saved.first());
        QCOMPARE(d.messages().at(1).text, QStringLiteral("系統偵測無 Excel\r\n無法列印\r\n") + path);
        const QString kept = wb::Workbook::open(path)->sheet(1).text(9, 2);
        QCOMPARE(
            d.messages().at(0).text, // before the hand-over
            QStringLiteral("下列文字超過儲存格印得出的行數，已截斷：\n工作表「報價單」B9：保留前 16384 字"));
        QCOMPARE(kept, QStringLiteral("客廳") + half.repeated(2).left(32764)); // the area name first
    }

    void settingsWindow() {
        frmQ* f = fx.open();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            frmXlSet* s = ui::Default<frmXlSet>::get();
            shown = s->isVisible();
            s->unload();
        });
        f->action(QStringLiteral("mPxlset"))->trigger();
        QVERIFY(shown);
    }
};

QTEST_MAIN(TestFrmQPrint)
#include "tst_frmqprint.moc"
