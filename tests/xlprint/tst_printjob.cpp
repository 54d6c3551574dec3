// A print job from its command to the hand-over: refusals, cancel, failures that hand nothing
// over, the placeholders, the busy indicator and the cover that cannot hold its groups.
#include "FakePrint.h"
#include "PrintJob.h"
#include "ScriptedDialogs.h"
#include "mdM.h"
#include "system/System.h"

#include <QtTest>

using namespace xlprint;
using namespace xlfake;

namespace {

class Books : public WorkbookAccess {
public:
    QString openError, saveError;
    int sheets = 2;
    QString opened;
    QVector<Block> merged; // on the detail sheet
    std::unique_ptr<Book> handed;
    std::function<bool()> busyNow;
    bool busyAtOpen = false, busyAtHandOver = false;
    std::unique_ptr<PrintBook> open(const QString& path, QString* error) override {
        opened = path;
        busyAtOpen = busyNow && busyNow();
        if (!openError.isEmpty()) {
            *error = openError;
            return nullptr;
        }
        auto b = std::make_unique<Book>(sheets);
        b->at(1).cells[{1, 1}] = QStringLiteral("#客戶名稱#");
        for (Sheet& sh : b->sheets)
            sh.cells[{38, 1}] = QStringLiteral("客戶簽認：");
        b->sheets.last().blocks = merged;
        return b;
    }
    bool handOver(PrintBook& book, const QString&, QString* error) override {
        busyAtHandOver = busyNow && busyNow();
        if (!saveError.isEmpty()) {
            *error = saveError;
            return false;
        }
        handed = std::make_unique<Book>(static_cast<Book&>(book));
        return true;
    }
};

} // namespace

class TestPrintJob : public QObject {
    Q_OBJECT
    Stats stats;
    Books books;
    QList<bool> busy;
    bool busyAtRefresh = false;
    QList<QPair<bool, int>> refreshes;
    JobServices services;
    PrintSnapshot snap;

    JobResult run(const char* item, bool hasItems = true) {
        const PrintCommand* cmd = findPrintCommand(QString::fromLatin1(item));
        return runPrintJob(*cmd, switchesFor(*cmd, false, {}), snap, hasItems, QStringLiteral("/tpl"),
                           services);
    }

private slots:
    void init() {
        mdM::ResetState();
        mdM::XlStartRow = QStringLiteral("8");
        mdM::XlStartCol = QStringLiteral("A");
        mdM::XlPageTopLeft = QStringLiteral("A1");
        mdM::XlPageBottomRight = QStringLiteral("G39");
        mdM::XlRowsPerPage = QStringLiteral("30");
        sys::setSpreadsheetAppOverride(true);
        stats = Stats();
        stats.rows = {row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("櫃"), 100)};
        stats.groupByArea();
        books = Books();
        busy.clear();
        refreshes.clear();
        services.stats = &stats;
        services.books = &books;
        books.busyNow = [this] { return !busy.isEmpty() && busy.last(); };
        services.busy = [this](bool on) { busy.append(on); };
        services.refreshStatistics = [this](bool byType, int mode, QString*) {
            busyAtRefresh = !busy.isEmpty() && busy.last();
            refreshes.append({byType, mode});
            return true;
        };
        snap = PrintSnapshot();
        snap.header.txtCn = QStringLiteral("王先生");
    }
    void cleanup() { sys::setSpreadsheetAppOverride(std::nullopt); }

    void done() {
        ScriptedDialogs d;
        d.expectOpenFile(QStringLiteral("/tpl/PrintQ/報價單.xlsx"));
        QCOMPARE(run("mPa"), JobResult::Done);
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        const ui::FileRequest f = d.files().at(0);
        QCOMPARE(f.title, QStringLiteral("輸出檔案"));
        QCOMPARE(f.folder, QStringLiteral("/tpl/PrintQ"));
        QCOMPARE(f.fileName, QStringLiteral("報價單.xlsx"));
        QCOMPARE(books.opened, QStringLiteral("/tpl/PrintQ/報價單.xlsx"));
        QVERIFY(books.handed);
        QCOMPARE(books.handed->at(1).text(1, 1), QStringLiteral("王先生"));
        QCOMPARE(books.handed->at(2).text(8, 2), QStringLiteral("客廳"));
        // Busy through the statistics refresh and from the chosen template to the hand-over; the
        // template dialog between them shows the ordinary pointer.
        QVERIFY(busyAtRefresh);
        QVERIFY(books.busyAtOpen);
        QVERIFY(!books.busyAtHandOver); // it may show where the workbook went
        QCOMPARE(busy, (QList<bool>{true, false, true, false}));
        QCOMPARE(refreshes, (QList<QPair<bool, int>>{{false, 1}}));
    }

    // The statistics are numbered as each layout needs them.
    void refreshPerRoutine_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("byType");
        QTest::addColumn<int>("mode");
        QTest::newRow("mPw") << "mPw" << true << 2;
        QTest::newRow("mPwa") << "mPwa" << true << 3;
        QTest::newRow("mPnw") << "mPnw" << false << 1;
        QTest::newRow("mAs") << "mAs" << true << 1;
        QTest::newRow("mWs") << "mWs" << true << 2;
    }
    void refreshPerRoutine() {
        QFETCH(QString, item);
        QFETCH(bool, byType);
        QFETCH(int, mode);
        ScriptedDialogs d;
        d.expectOpenFile(QStringLiteral("/x.xls"));
        QCOMPARE(run(qPrintable(item)), JobResult::Done);
        QCOMPARE(refreshes, (QList<QPair<bool, int>>{{byType, mode}}));
    }

    void fixedHeaderKeepsPlaceholders() {
        mdM::XlFixedHeader = true;
        ScriptedDialogs d;
        d.expectOpenFile(QStringLiteral("/x.xls"));
        QCOMPARE(run("mPs"), JobResult::Done);
        QCOMPARE(books.handed->at(1).text(1, 1), QStringLiteral("#客戶名稱#"));
    }

    // Each failure shows one message and hands nothing over; the busy indicator ends off.
    void failures_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << 0 << int(JobResult::Empty) << "空白表單無法列印";
        QTest::newRow("cancel") << 2 << int(JobResult::Cancelled) << "取消列印";
        QTest::newRow("open") << 3 << int(JobResult::Failed) << "列印失敗：\n無法開啟";
        QTest::newRow("save") << 4 << int(JobResult::Failed) << "列印失敗：\n無法存檔";
        QTest::newRow("sheet") << 5 << int(JobResult::Failed) << "列印失敗：\n範本缺少第 2 張工作表";
        QTest::newRow("settings") << 6 << int(JobResult::Failed)
                                  << "列印失敗：\n列印設定不能使用：每一頁列數必須是 1 "
                                     "以上的整數。\n請在「列印設定」修改後再列印。";
        // A long quotation whose page copies would run past the sheet's last row.
        QTest::newRow("pages past the sheet")
            << 8 << int(JobResult::Failed)
            << "列印失敗：\n列印設定不能使用：頁面範圍 A1 到 G1048576 每頁 1048576 列，這份報價單要印到第 "
               "2097152 "
               "列，超出工作表的最後一列 1048576；請縮小頁面範圍。\n請在「列印設定」修改後再列印。";
        QTest::newRow("rows onto the footer") << 9 << int(JobResult::Failed)
                                              << "列印失敗：\n列印設定不能使用：每一頁列數太多：第 38 "
                                                 "列是範本的簽名列（起始列 8 時每一頁最多 30 "
                                                 "列）。\n請在「列印設定」修改後再列印。\n範本：/x.xls";
        QTest::newRow("statistics") << 7 << int(JobResult::Failed) << "列印失敗：\n統計失敗";
        // A merged block on the second page's first line: nothing is written under it.
        QTest::newRow("cell under a merge")
            << 10 << int(JobResult::Failed)
            << "列印失敗：\n第 2 張工作表的 A47 格在合併儲存格 A47:G47 之內，範本的這個區域不能填寫";
    }
    void failures() {
        QFETCH(int, what);
        QFETCH(int, result);
        QFETCH(QString, text);
        ScriptedDialogs d;
        if ((what >= 2 && what <= 5) || what >= 9)
            d.expectOpenFile(what == 2 ? QString() : QStringLiteral("/x.xls"));
        if (what == 3)
            books.openError = QStringLiteral("無法開啟");
        if (what == 4)
            books.saveError = QStringLiteral("無法存檔");
        if (what == 5)
            books.sheets = 1;
        if (what == 6 || what == 9)
            mdM::XlRowsPerPage = what == 6 ? QStringLiteral("0") : QStringLiteral("31");
        if (what == 10)
            books.merged = {Block{47, 1, 47, 7}};
        if (what == 8)
            mdM::XlPageBottomRight = QStringLiteral("G1048576");
        if (what == 8 || what == 10) {
            for (int i = 0; i < 30; ++i)
                stats.rows.append(row(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("櫃"), 100));
        }
        if (what == 7)
            services.refreshStatistics = [](bool, int, QString* e) {
                *e = QStringLiteral("統計失敗");
                return false;
            };
        d.expectMessage();
        QCOMPARE(int(run("mPa", what != 0)), result);
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        QCOMPARE(d.messages().last().text, text);
        QCOMPARE(d.messages().last().title, QStringLiteral("Kavo III"));
        QCOMPARE(d.messages().last().icon, what == 2 ? ui::Icon::None : ui::Icon::Exclamation);
        QVERIFY(!books.handed);
        QVERIFY(busy.isEmpty() || busy.last() == false);
    }

    // A cover that cannot hold its groups is refused before the template is asked for and
    // nothing is handed over. Rows per page 30: 18 groups less the fee rows.
    void coverMustHoldItsGroups_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("holds");
        for (const char* item : {"mPa", "mPw", "mPac", "mAs", "mWs"})
            QTest::newRow(item) << item << 17;
        QTest::newRow("mPas (blank, no fee rows)") << "mPas" << 18;
        QTest::newRow("mPnw (no fee rows)") << "mPnw" << 18;
    }
    void coverMustHoldItsGroups() {
        QFETCH(QString, item);
        QFETCH(int, holds);
        snap.pageEnd.design.included = true;
        stats.groups.clear();
        stats.areas.clear();
        for (int i = 0; i <= holds; ++i)
            stats.groups.append(GroupRow{QString::number(i), 1.0, 0.0, 1.0});
        stats.types = stats.groups;
        for (const GroupRow& g : stats.groups)
            stats.areas.append(AreaSizeRow{g.name, g.amount, 0});
        ScriptedDialogs d;
        d.expectMessage();
        QCOMPARE(run(qPrintable(item)), JobResult::Failed);
        QVERIFY2(d.ok(), qPrintable(d.failures()));
        const QString text = d.messages().at(0).text;
        QVERIFY2(text.startsWith(QStringLiteral("首頁容納不下")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("只容納 %1 項，報價單有 %2 項").arg(holds).arg(holds + 1)));
        QVERIFY(books.opened.isEmpty() && !books.handed);
    }
};

QTEST_GUILESS_MAIN(TestPrintJob)
#include "tst_printjob.moc"
