// The rights grid of the settings window: stars from the rights words, the click rules of the
// 編輯/查詢 pairs, and the rights words apply writes, all or nothing.
#include "ScriptedDialogs.h"
#include "SettingsStore.h"
#include "ShellUiFixture.h"
#include "frmSet.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {
const QString kStar = QStringLiteral("★");
// Seeded staff in staff-number order: 王小明 4095, 李美華 1367, 陳志強 0.
constexpr int kMing = 2;
constexpr int kMei = 3;
constexpr int kChen = 4;
} // namespace

class TestRights : public QObject {
    Q_OBJECT
private:
    ShellUiFixture fx;

    QTableWidget* grid() { return child<QTableWidget>(showForm<frmSet>(), "hfgSec"); }
    static QString stars(QTableWidget* g, int row) {
        QString s;
        for (int c = 2; c < 14; ++c)
            s += g->item(row, c) && g->item(row, c)->text() == kStar ? QLatin1Char('*') : QLatin1Char('.');
        return s;
    }
    static void clickCells(const QString& cols, int row) {
        for (const QString& c : cols.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            ui::Default<frmSet>::get()->hfgSec_Click(row, c.toInt());
    }
    QMap<QString, int> storedRights() {
        QMap<QString, int> m;
        for (const shell::StaffRights& s : shell::readStaffRights(*fx.openDb()))
            m.insert(s.name, s.rights);
        return m;
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void gridShowsEveryMember() {
        QTableWidget* g = grid();
        QCOMPARE(g->rowCount(), 5);
        QCOMPARE(g->columnCount(), 14);
        QCOMPARE(g->item(0, 1)->text(), QStringLiteral("員工姓名"));
        QCOMPARE(g->item(0, 5)->text(), QStringLiteral("客戶資料"));
        QCOMPARE(g->columnSpan(0, 5), 2);
        QCOMPARE(g->item(1, 5)->text(), QStringLiteral("編輯"));
        QCOMPARE(g->item(1, 12)->text(), QStringLiteral("查詢"));
        QCOMPARE(g->item(0, 13)->text(), QStringLiteral("系統設定"));
        QCOMPARE(g->item(kMing, 1)->text(), QStringLiteral("王小明"));
        QCOMPARE(stars(g, kMing), QStringLiteral("************"));
        QCOMPARE(stars(g, kMei), QStringLiteral("***.*.*.*.*.")); // 1367 = 1+2+4+16+64+256+1024
        QCOMPARE(stars(g, kChen), QStringLiteral("............"));
        QCOMPARE(g->item(kMei, 6)->background().color(), QColor(192, 192, 255));
    }

    void clickRules_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("clicks"); // columns clicked in order
        QTest::addColumn<QString>("expected");
        QTest::newRow("編輯 stars its 查詢 too") << kChen << "5"
                                                 << "...**.......";
        QTest::newRow("查詢 stays while 編輯 is granted") << kChen << "5 6"
                                                          << "...**.......";
        QTest::newRow("編輯 cleared alone") << kChen << "5 6 5"
                                            << "....*.......";
        QTest::newRow("then 查詢 toggles freely") << kChen << "5 5 6"
                                                  << "............";
        QTest::newRow("查詢 alone toggles") << kChen << "8 10 12"
                                            << "......*.*.*.";
        QTest::newRow("other columns toggle alone") << kChen << "2 3 4 13 3"
                                                    << "*.*........*";
        QTest::newRow("系統設定 off") << kMing << "13"
                                      << "***********.";
        QTest::newRow("granted 查詢 under 編輯 stays") << kMing << "12 10 8 6"
                                                       << "************";
        QTest::newRow("name column and heading rows do nothing") << kChen << "1 0"
                                                                 << "............";
    }
    void clickRules() {
        QFETCH(int, row);
        QFETCH(QString, clicks);
        QFETCH(QString, expected);
        QTableWidget* g = grid();
        clickCells(clicks, row);
        QCOMPARE(stars(g, row), expected);
        ui::Default<frmSet>::get()->hfgSec_Click(0, 5);
        ui::Default<frmSet>::get()->hfgSec_Click(1, 6);
        QCOMPARE(g->item(0, 5)->text(), QStringLiteral("客戶資料"));
        QCOMPARE(g->item(1, 6)->text(), QStringLiteral("查詢"));
    }

    // With many members the heading rows stay over the scrolled rows, column for column, and a
    // name wider than its column shows whole in its tooltip.
    void headingsStayInView() {
        const QString longName = QStringLiteral("歐陽司馬上官諸葛端木長名字");
        {
            const db::DatabasePtr d = fx.openDb();
            db::Transaction t(*d);
            for (int i = 0; i < 31; ++i)
                d->execute(QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, pass, 權限) "
                                          "VALUES (?, ?, ?, '', 0)"),
                           {QStringLiteral("9%1").arg(i, 4, 10, QLatin1Char('0')),
                            i == 30 ? longName : QStringLiteral("員工%1").arg(i),
                            QStringLiteral("u%1").arg(i)});
            t.commit();
        }
        frmSet* f = showForm<frmSet>();
        f->resize(500, 300);
        auto* tabs = child<QTabWidget>(f, "SSTab1");
        tabs->setCurrentIndex(tabs->count() - 1);
        QTableWidget* g = grid();
        QCOMPARE(g->rowCount(), 36);
        QVERIFY(QTest::qWaitForWindowExposed(f));
        auto* headings = child<QTableView>(g, "hfgSecHeadings");
        QVERIFY(headings);

        g->verticalScrollBar()->setValue(g->verticalScrollBar()->maximum());
        g->horizontalScrollBar()->setValue(g->horizontalScrollBar()->maximum() / 2);
        QCoreApplication::processEvents();
        QVERIFY(g->rowAt(0) > 1); // the grid's own heading rows scrolled away
        QVERIFY(headings->isVisible());
        QCOMPARE(headings->geometry().topLeft(), g->viewport()->geometry().topLeft());
        QCOMPARE(headings->height(), g->rowHeight(0) + g->rowHeight(1));
        QCOMPARE(headings->width(), g->viewport()->width());
        QCOMPARE(headings->rowAt(1), 0);
        QCOMPARE(headings->rowAt(headings->height() - 1), 1);
        for (int c = 1; c < g->columnCount(); ++c) {
            QCOMPARE(headings->columnViewportPosition(c), g->columnViewportPosition(c));
            QCOMPARE(headings->columnWidth(c), g->columnWidth(c));
        }
        QVERIFY(headings->isColumnHidden(0));
        QCOMPARE(headings->columnSpan(0, 7), 2);
        const QModelIndex heading = headings->indexAt(QPoint(headings->columnViewportPosition(7) + 2, 1));
        QCOMPARE(heading.data().toString(), QStringLiteral("廠商資料"));

        QCOMPARE(g->item(g->rowCount() - 1, 1)->text(), longName);
        QCOMPARE(g->item(g->rowCount() - 1, 1)->toolTip(), longName);
        QVERIFY(g->item(kMing, 1)->toolTip().isEmpty());
    }

    void applyWritesTheSumsOfEveryRow() {
        QTableWidget* g = grid();
        clickCells(QStringLiteral("2 5 13"), kChen); // 1 + 8 + 16 + 2048
        clickCells(QStringLiteral("13 2"), kMing);   // 4095 - 2048 - 1
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        QTest::mouseClick(child<QPushButton>(ui::Default<frmSet>::get(), "Command2"), Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("所做的變更下次啟動才會生效"));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Information);
        const QMap<QString, int> r = storedRights();
        QCOMPARE(r.value(QStringLiteral("陳志強")), 2073);
        QCOMPARE(r.value(QStringLiteral("王小明")), 2046);
        QCOMPARE(r.value(QStringLiteral("李美華")), 1367); // unchanged rows stay as they are
        QCOMPARE(stars(g, kMei), QStringLiteral("***.*.*.*.*."));
        QCOMPARE(mdM::UserRights, 0); // the logged-in user's own word waits for the next login
    }

    // Another workstation's change between the grid's read and 套用 of 陳志強's 報價單: only his row
    // is written, to the member it was read from, and not over his rights changed meanwhile unasked.
    void rowsAreWrittenByRecordNotByName_data() {
        QTest::addColumn<QString>("elsewhere");
        QTest::addColumn<QPoint>("click"); // the cell clicked here: column, row
        QTest::addColumn<int>("answer"); // to the first message
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("stored");
        const QString done = QStringLiteral("所做的變更下次啟動才會生效"), asked = QStringLiteral("陳志強 的權限已在別處變更");
        const QString chenTo8 = QStringLiteral("UPDATE 員工 SET 權限 = 8 WHERE 英文姓名 = 'chen'");
        const QPoint quote(4, kChen);
        QTest::newRow("renamed") << "UPDATE 員工 SET 中文姓名 = '陳志強二' WHERE 英文姓名 = 'chen'" << quote << int(ui::Answer::OK)
                                 << QStringList{done} << "陳志強二=4";
        QTest::newRow("another row's rights") << "UPDATE 員工 SET 權限 = 1365 WHERE 英文姓名 = 'mei'" << quote << int(ui::Answer::OK)
                                              << QStringList{done} << "陳志強=4; 李美華=1365";
        QTest::newRow("his rights, 取消") << chenTo8 << quote << int(ui::Answer::Cancel) << QStringList{asked} << "陳志強=8";
        QTest::newRow("his rights, 是") << "UPDATE 員工 SET 權限 = 3 WHERE 英文姓名 = 'chen'" << quote << int(ui::Answer::Yes)
                                       << QStringList{asked + "：價格可見、成本可見\r\n", done} << "陳志強=7";
        QTest::newRow("his rights, 否") << chenTo8 << quote << int(ui::Answer::No) << QStringList{asked} << "陳志強=8";
        QTest::newRow("his record now another member's")
            << "UPDATE 員工 SET 英文姓名 = 'lin', 中文姓名 = '林新人' WHERE 英文姓名 = 'chen'" << quote << int(ui::Answer::OK)
            << QStringList{"這筆資料已不存在"} << "林新人=0";
        QTest::newRow("her 廠商資料編輯 here, its 查詢 gone there, 是") // 1367 - 64 there, + 32 + 64 here
            << "UPDATE 員工 SET 權限 = 1303 WHERE 英文姓名 = 'mei'" << QPoint(7, kMei) << int(ui::Answer::Yes)
            << QStringList{"李美華 的權限已在別處變更：廠商資料編輯/查詢\r\n", done} << "李美華=1399";
    }
    void rowsAreWrittenByRecordNotByName() {
        QFETCH(QString, elsewhere);
        QFETCH(QPoint, click);
        QFETCH(int, answer);
        QFETCH(QStringList, said);
        QFETCH(QString, stored);
        grid();
        fx.openDb()->execute(elsewhere);
        clickCells(QString::number(click.x()), click.y());
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer(answer));
        for (qsizetype i = 1; i < said.size(); ++i)
            dialogs.expectMessage();
        ui::Default<frmSet>::get()->Command2_Click();
        VERIFY_DIALOGS(dialogs);
        for (qsizetype i = 0; i < said.size(); ++i)
            QVERIFY(dialogs.messages().at(i).text.startsWith(said.at(i)));
        for (const QString& pair : stored.split(QStringLiteral("; ")))
            QCOMPARE(storedRights().value(pair.section(u'=', 0, 0)), pair.section(u'=', 1).toInt());
        if (answer == int(ui::Answer::Yes) || answer == int(ui::Answer::No)) // his row as stored now
            QCOMPARE(stars(grid(), kChen), mdM::RightsToBits(storedRights().value(QStringLiteral("陳志強"))).replace(u'1', u'*').replace(u'0', u'.'));
        if (said.constLast().startsWith(QStringLiteral("所做的變更"))) // the rows not changed here too
            QCOMPARE(stars(grid(), kMei), mdM::RightsToBits(storedRights().value(QStringLiteral("李美華"))).replace(u'1', u'*').replace(u'0', u'.'));
    }

    void aFailedWriteChangesNothing() {
        grid();
        clickCells(QStringLiteral("2"), kChen);
        clickCells(QStringLiteral("2"), kMing);
        fx.openDb()->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON 員工 WHEN NEW.英文姓名 = "
                                            "'chen' BEGIN SELECT RAISE(ABORT, 'record locked'); END"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        ui::Default<frmSet>::get()->Command2_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
        QVERIFY(dialogs.messages().at(0).text != QStringLiteral("所做的變更下次啟動才會生效"));
        const QMap<QString, int> r = storedRights();
        QCOMPARE(r.value(QStringLiteral("王小明")), 4095); // written before the failure, rolled back
        QCOMPARE(r.value(QStringLiteral("陳志強")), 0);
    }
};

QTEST_MAIN(TestRights)
#include "tst_rights.moc"
