// The customer window: opening, modes and buttons under the rights, add, edit, cancel and
// delete with their messages, the browse list after a save, the full page, the entry aids,
// Enter as Tab and the search.
#include "RecordsUiFixture.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"
#include "frmCus.h"
#include "ui/Twips.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

namespace {
const QString kDental = QStringLiteral("大安牙醫診所");

void type(frmCus* f, const char* box, const QString& text) {
    f->setBoxText(QString::fromLatin1(box), text);
}
QString text(const frmCus* f, const char* box) {
    return f->boxText(QString::fromLatin1(box));
}

// Compares what a window shows with "what=value" items separated by "; ": a detail box by its
// name, "chosen" the chosen record, "editing" and "edit" (修改 on) 1 or 0, "unloaded" 1 when the
// grid says why it is empty, "stored" how many records of the name in T2 the database holds,
// "listed <name>" 1 or 0, "contact" the contact in the line drawn as chosen.
void compareShown(const records::RecordWindow* f, const QString& shows) {
    const auto flag = [f](const char* name, bool (QWidget::*test)() const) {
        return QString::number((f->findChild<QWidget*>(QString::fromLatin1(name))->*test)());
    };
    const QString stored = QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = ?").arg(f->kind().table, f->kind().keyColumn);
    for (const QString& item : shows.split(QStringLiteral("; "))) {
        const QString what = item.section(u'=', 0, 0);
        const QString actual = what == QLatin1String("chosen")     ? f->selectedName()
                               : what == QLatin1String("editing")  ? QString::number(f->isEditing())
                               : what == QLatin1String("edit")     ? flag("cmdEdit", &QWidget::isEnabled)
                               : what == QLatin1String("unloaded") ? QString::number(!f->findChild<QWidget*>(QStringLiteral("HFG"))->toolTip().isEmpty())
                               : what == QLatin1String("stored")   ? mdM::MainDb->scalar(stored, {f->boxText(QStringLiteral("T2"))}).toString()
                               : what.startsWith(QLatin1String("listed ")) ? QString::number(rowOf(f, what.mid(7)) >= 0)
                               : what == QLatin1String("contact")  ? f->grid().cell(rowOf(f, drawnName(f)), 5)
                                                                   : f->boxText(what);
        QCOMPARE(what + u'=' + actual, item);
    }
}
} // namespace

class TestFrmCus : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

    frmCus* open() { return showForm<frmCus>(); }
    // The window active and adding, for typing into it; null when it does not become active.
    frmCus* openAdding() {
        frmCus* f = open();
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f))
            return nullptr;
        f->cmdAdd_Click();
        return f;
    }
    // Adds a customer through the window; the boxes are left as typed.
    void addThroughWindow(frmCus* f, const QString& name) {
        f->cmdAdd_Click();
        type(f, "T2", name);
        f->T2_Validate();
        type(f, "cb1", QStringLiteral("台北市"));
        type(f, "T5", QStringLiteral("中山北路1號"));
        type(f, "T10", QStringLiteral("02"));
        type(f, "T11", QStringLiteral("2511-0000"));
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void opensOnTheFirstGroupWithRecords() {
        frmCus* f = open();
        QCOMPARE(f->windowTitle(), QStringLiteral("客戶資料"));
        QCOMPARE(child<QComboBox>(f, "Combo1")->currentText(), QStringLiteral("03")); // no 01 or 02 customers
        QCOMPARE(f->grid().cell(0, 2), kDental);
        QCOMPARE(f->grid().cell(0, 3), QStringLiteral("台北市 大安區信義路四段236號2樓"));
        QCOMPARE(f->grid().captions().at(2), QStringLiteral("公司名稱"));
        QVERIFY(!shown(child<QPushButton>(f, "cmd2Q")));
        QVERIFY(!shown(child<QGroupBox>(f, "Frame1")));
        QCOMPARE(child<QPushButton>(f, "Command2")->text(), QStringLiteral("整頁模式>>"));
        QVERIFY(child<QComboBox>(f, "cb1")->count() > 0);
        QVERIFY(child<QComboBox>(f, "cb4")->findText(QStringLiteral("王小明")) >= 0);
        QVERIFY(child<QComboBox>(f, "Combo2")->count() > 0);
        QCOMPARE(child<QComboBox>(f, "Combo2")->currentText(), QStringLiteral("分類"));
    }

    void buttonsUnderRights_data() {
        QTest::addColumn<int>("rights");
        QTest::addColumn<bool>("editing");
        QTest::newRow("all rights") << 4095 << true;
        QTest::newRow("customer editing only") << 8 << true;
        QTest::newRow("everything but customer editing") << (4095 & ~8) << false;
        QTest::newRow("no rights") << 0 << false;
    }
    void buttonsUnderRights() {
        QFETCH(int, rights);
        QFETCH(bool, editing);
        mdM::UserRights = rights;
        frmCus* f = open();
        for (const char* b : {"cmdAdd", "cmdEdit", "cmdDel", "cmdPp"})
            QCOMPARE(shown(child<QPushButton>(f, b)), editing);
        for (const char* b : {"Command1", "Command2", "Command3"})
            QVERIFY(shown(child<QPushButton>(f, b)));
        for (const char* b : {"cmdY", "cmdN"})
            QVERIFY(!shown(child<QPushButton>(f, b)));
        // Still hidden after the page mode and the all-records button.
        f->HFG_Click(0);
        f->Command2_Click();
        f->Command3_Click();
        QCOMPARE(shown(child<QPushButton>(f, "cmdAdd")), editing);
        QCOMPARE(shown(child<QPushButton>(f, "cmdPp")), editing);
    }

    void refusalsWithNothingChosen() {
        frmCus* f = open();
        ScriptedDialogs dialogs;
        for (int i = 0; i < 3; ++i)
            dialogs.expectMessage();
        f->cmdEdit_Click();
        f->cmdDel_Click();
        f->Command2_Click();
        VERIFY_DIALOGS(dialogs);
        for (const ui::MessageRequest& m : dialogs.messages()) {
            QCOMPARE(m.text, QStringLiteral("請先選取表格中一個客戶"));
            QCOMPARE(m.icon, ui::Icon::None);
            QCOMPARE(m.title, QStringLiteral("Kavo III"));
        }
        QVERIFY(f->Mode.isEmpty());
        QVERIFY(!shown(child<QGroupBox>(f, "Frame1")));
    }

    void addSavesAndListsTheNewGroup() {
        frmCus* f = open();
        const int width = f->width();
        addThroughWindow(f, QStringLiteral("Acme's 設計"));
        QCOMPARE(f->Mode, QStringLiteral("AddF"));
        QVERIFY(shown(child<QPushButton>(f, "cmdY")));
        QVERIFY(!f->grid().rowCount() || !child<QWidget>(f, "HFG")->isEnabled());
        QCOMPARE(text(f, "T1"), QStringLiteral("A001"));
        QCOMPARE(text(f, "T3"), QStringLiteral("Acme"));       // the short name
        QCOMPARE(text(f, "T19"), QStringLiteral("2511-0000")); // the phone number copies
        QCOMPARE(text(f, "T33"), QStringLiteral("2511-0000"));
        ScriptedDialogs dialogs;
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(f->Mode, QStringLiteral("AddF")); // saving keeps the mode
        QVERIFY(!f->isEditing());
        QCOMPARE(f->width(), width); // the buttons' change of guard leaves the window as wide as it was
        QVERIFY(child<QWidget>(f, "HFG")->isEnabled());
        QVERIFY(!child<QWidget>(f, "P1")->isEnabled());
        QCOMPARE(f->LastSavedGroup, QStringLiteral("A0"));
        QCOMPARE(child<QComboBox>(f, "Combo1")->currentText(), QStringLiteral("A"));
        QVERIFY(rowOf(f, QStringLiteral("Acme's 設計")) >= 0);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 公司地址 FROM 客戶 WHERE 客戶名稱 = ?"), {QStringLiteral("Acme's 設計")})
                     .toString(),
                 QStringLiteral("台北市;中山北路1號"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 電話2 FROM 客戶 WHERE 客戶名稱 = ?"), {QStringLiteral("Acme's 設計")})
                     .toString(),
                 QStringLiteral(";"));
    }

    void requiredBoxesAndDuplicateKeepTheTypedValues() {
        frmCus* f = open();
        f->cmdAdd_Click();
        type(f, "T2", QStringLiteral("   "));
        type(f, "T3", QString());
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("請輸入客戶名稱&簡稱"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Exclamation);

        type(f, "T2", kDental);
        f->T2_Validate();
        type(f, "T9", QStringLiteral("typed@x.tw"));
        dialogs.clear();
        dialogs.expectMessage();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("客戶名稱重複"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Exclamation);
        QCOMPARE(dialogs.messages().last().title, QStringLiteral("Kavo III"));
        QVERIFY(f->isEditing());
        QCOMPARE(text(f, "T9"), QStringLiteral("typed@x.tw"));
        QCOMPARE(f->Mode, QStringLiteral("AddF"));

        // A name of blanks is a name.
        type(f, "T2", QStringLiteral("  "));
        type(f, "T3", QStringLiteral("x"));
        dialogs.clear();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶 WHERE 客戶名稱 = '  '")).toInt(), 1);
    }

    void databaseErrorKeepsTheWindowAdding() {
        fx.openDb()->execute(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON 客戶 "
                                            "BEGIN SELECT RAISE(ABORT, '磁碟已滿'); END"));
        frmCus* f = open();
        addThroughWindow(f, QStringLiteral("Nova"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().last().text.contains(QStringLiteral("磁碟已滿")));
        QCOMPARE(dialogs.messages().last().title, QStringLiteral("Kavo III"));
        QVERIFY(f->isEditing());
        QCOMPARE(f->Mode, QStringLiteral("AddF"));
        QCOMPARE(text(f, "T5"), QStringLiteral("中山北路1號"));
        fx.openDb()->execute(QStringLiteral("DROP TRIGGER refuse"));
        dialogs.clear();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(!f->isEditing());
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶 WHERE 客戶名稱 = 'Nova'")).toInt(), 1);
    }

    void editTrimsTheInvoiceStreetAndKeepsTheName() {
        fx.openDb()->execute(QStringLiteral("UPDATE 客戶 SET 發票地址 = '台北市;  新地址  '")); // stored so, not typed
        frmCus* f = open();
        f->HFG_Click(rowOf(f, kDental));
        f->cmdEdit_Click();
        QCOMPARE(f->Mode, QStringLiteral("EditF"));
        QVERIFY(!f->box(QStringLiteral("T1"))->isEnabled());
        QVERIFY(!f->box(QStringLiteral("T2"))->isEnabled());
        QCOMPARE(text(f, "T3"), QStringLiteral("大安牙醫"));
        type(f, "T35", QStringLiteral("第一行\n第二行"));
        ScriptedDialogs dialogs;
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 發票地址 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString(),
                 QStringLiteral("台北市;新地址"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 備註 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString(),
                 QStringLiteral("第一行\n第二行"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toInt(), 1);
    }

    void editOfARecordDeletedMeanwhileRefuses() {
        frmCus* f = open();
        f->HFG_Click(rowOf(f, kDental));
        fx.openDb()->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶名稱 = ?"), {kDental});
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdEdit_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(f->Mode.isEmpty());
        QVERIFY(!f->isEditing());
        QCOMPARE(text(f, "T11"), QString()); // no longer listed, nothing chosen, nothing shown
        QCOMPARE(rowOf(f, kDental), -1);
    }

    void cancelShowsTheRecordAsStored() {
        frmCus* f = open();
        f->HFG_Click(rowOf(f, kDental));
        f->cmdEdit_Click();
        type(f, "T9", QStringLiteral("changed@x.tw"));
        f->cmdN_Click();
        QVERIFY(!f->isEditing());
        QCOMPARE(f->Mode, QStringLiteral("EditF"));
        QCOMPARE(text(f, "T9"), QStringLiteral("service@daan-dental.com.tw"));
        QVERIFY(!child<QWidget>(f, "P1")->isEnabled());
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 電子郵件 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString(),
                 QStringLiteral("service@daan-dental.com.tw"));
    }

    // 修改 edits the record as stored and, after a save, the saved record; every 新增 opens the
    // number box; a name's rare characters are counted whole.
    void editAddAndTheChosenRecord() {
        frmCus* f = openAdding();
        QVERIFY(f);
        clickButton(f, "cmdN");
        f->HFG_Click(rowOf(f, kDental));
        clickButton(f, "cmdEdit");
        typeText(f->box(QStringLiteral("cbTp")), QStringLiteral("建設公司"));
        clickButton(f, "cmdN");
        clickButton(f, "cmdEdit");
        QCOMPARE(text(f, "cbTp"), QStringLiteral("醫療院所"));
        clickButton(f, "cmdN");
        clickButton(f, "cmdAdd");
        QVERIFY(f->box(QStringLiteral("T1"))->isEnabled());
        typeText(f->box(QStringLiteral("T2")), QStringLiteral("𠀋林𠀋𠀋大"));
        clickButton(f, "cmdY");
        QCOMPARE(f->grid().cell(child<QTableView>(f, "HFG")->currentIndex().row(), 2), QStringLiteral("𠀋林𠀋𠀋大"));
        clickButton(f, "cmdEdit");
        QCOMPARE(text(f, "T1"), QStringLiteral("33001"));
        QCOMPARE(text(f, "T3"), QStringLiteral("𠀋林𠀋𠀋"));
    }

    // 修改 and 刪除 act on a record drawn as chosen in the list, in the three windows; after a failure
    // the window says what happened and shows what holds.
    void routes_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("route");
        QTest::addColumn<QStringList>("messages"); // the beginning of each; "*": the database's reason
        QTest::addColumn<QString>("shows");
        const QString customer = QStringLiteral("請先選取表格中一個客戶"), vendor = QStringLiteral("請先選取表格中一個廠商"),
                      member = QStringLiteral("請先選取表格中一個員工姓名"), gone = QStringLiteral("這筆資料已不存在");
        QTest::newRow("customer: a group without the chosen one")
            << "frmCus" << "click 林志明, group 03, edit, delete" << QStringList{customer, customer} << "editing=0";
        QTest::newRow("vendor: a search without the chosen one")
            << "frmPrv" << "click 大同拆除工程行, search 木材, edit, delete" << QStringList{vendor, vendor} << "chosen=";
        QTest::newRow("staff: a search listing the chosen one")
            << "frmSta" << "click 李美華, search 李美華, edit" << QStringList{} << "chosen=李美華; editing=1";
        QTest::newRow("vendor gone before 修改") << "frmPrv" << "click 大同拆除工程行, gone 大同拆除工程行, edit, delete"
                                                << QStringList{gone, vendor} << "editing=0";
        QTest::newRow("staff gone before the click")
            << "frmSta" << "gone 李美華, click 李美華, delete" << QStringList{gone, member} << "T2=";
        QTest::newRow("customer held at the click")
            << "frmCus" << "hold, click 林志明, release, edit" << QStringList{"*", customer} << "T2=";
        QTest::newRow("failed number proposal") << "frmCus" << "add, name 王大明, hold, name 鄭小華, release, save"
                                                << QStringList{"*", "請輸入客戶編號"} << "T1=; editing=1; stored=0";
        QTest::newRow("list failing after a stored save") // the 4th statement: the first read after the row is written
            << "frmCus" << "add, name 鄭小華, fail 4, save" << QStringList{"資料已儲存"}
            << "T1=15001; T3=鄭小華; editing=0; stored=1; unloaded=1";
        QTest::newRow("否 to 刪除 with the database held") << "frmCus" << "click 林志明, hold, delete"
                                                           << QStringList{"確定刪除 ( 林志明 )"} << "chosen=林志明; unloaded=0; edit=1";
        QTest::newRow("vendor gone elsewhere, 取消") << "frmPrv" << "click 大同拆除工程行, edit, gone 大同拆除工程行, cancel"
                                                   << QStringList{gone} << "T2=; ck(0)=0";
        QTest::newRow("vendor: a group without the chosen one") << "frmPrv" << "click 大同拆除工程行, group 05"
                                                             << QStringList{} << "chosen=; T1=; T11=; ck(0)=0";
        QTest::newRow("customer typed during 路徑 套用") << "frmCus" << "click 林志明, edit, switch 林志明, save"
                                                        << QStringList{"客戶資料正在新增或修改中"} << "editing=0; stored=1";
        QTest::newRow("customer gone, clicked") << "frmCus" << "gone 林志明, click 林志明"
                                               << QStringList{gone} << "listed 林志明=0; T2=";
        QTest::newRow("edited elsewhere meanwhile, 否") << "frmCus" << "click 林志明, edit, elsewhere 林志明 連絡人=陳先生, no, save"
                                                       << QStringList{"這筆資料已在別處變更"}
                                                       << "editing=0; T24=陳先生; contact=陳先生";
        // Another workstation's change, met by 確定: edits ask, proposed numbers are proposed again.
        QTest::newRow("edited elsewhere meanwhile, 是") << "frmCus" << "click 林志明, edit, elsewhere 林志明 統一編號=12345678, type T24=王先生, yes, save"
                                                       << QStringList{"這筆資料已在別處變更：統一編號\r\n"} << "editing=0; T4=12345678; T24=王先生";
        QTest::newRow("two boxes, one edited elsewhere, 是") << "frmCus" << "click 林志明, edit, elsewhere 林志明 電話1=03;2911-3456, type T11=2911-34567, yes, save"
                                                           << QStringList{"這筆資料已在別處變更：電話1\r\n"} << "editing=0; T10=03; T11=2911-34567";
        QTest::newRow("edited elsewhere meanwhile") << "frmCus" << "click 林志明, edit, elsewhere 林志明 電子郵件=x@y.tw, save"
                                                    << QStringList{"這筆資料已在別處變更"} << "editing=1";
        QTest::newRow("number taken elsewhere meanwhile") << "frmCus" << "add, name 鄭小華, elsewhere 林志明 客戶編號=15001, save"
                                                         << QStringList{"編號 15001 已被使用，改為 15002"} << "T1=15002; editing=0";
        // The grid's own keys and mouse choose the line they draw. Each window: the line clicked (%1),
        // another line (%2), the clicked one's group (%3), then the line each move ends on.
        const QStringList moves{"key Ctrl+End", "key PgDown", "key Ctrl+Home", "key End, key Tab", "right-press %2", "drag %1",
                                "group %3, click %1, click nowhere"};
        for (const QStringList& w : QList<QStringList>{
                 {"frmCus", "林志明", "張雅婷", "08", "Sunrise Coffee", "Sunrise Coffee", "大安牙醫診所", "周美玲", "張雅婷", "周美玲", ""},
                 {"frmPrv", "光明水電工程行", "建興建材行", "06", "GreenFloor 地板工坊", "GreenFloor 地板工坊", "大同拆除工程行", "明亮燈飾有限公司", "建興建材行", "明亮燈飾有限公司", ""},
                 {"frmSta", "李美華", "王小明", "07", "陳志強", "陳志強", "王小明", "陳志強", "王小明", "陳志強", ""}})
            for (int i = 0; i < moves.size(); ++i)
                QTest::addRow("%s: %s", qPrintable(w[0]), qPrintable(moves[i]))
                    << w[0] << QString("click %1, " + moves[i]).replace("%1", w[1]).replace("%2", w[2]).replace("%3", w[3])
                    << QStringList{} << "chosen=" + w[i + 4];
    }
    void routes() {
        QFETCH(QString, window);
        QFETCH(QString, route);
        QFETCH(QStringList, messages);
        QFETCH(QString, shows);
        records::RecordWindow* f = showRecordWindow(window);
        f->Command3_Click();
        ScriptedDialogs dialogs;
        walkRoute(f, dialogs, route);
        QCOMPARE(said(dialogs, messages), messages);
        compareShown(f, shows);
        QVERIFY(!f->selectedName().isEmpty() || nothingChosen(f));
        if (f->isEditing())
            return;
        // What 修改 opens and 傳回報價單 hands over is the line drawn; without one, both refuse.
        const QString drawn = drawnName(f);
        walkRoute(f, dialogs, QStringLiteral("edit"));
        QCOMPARE(f->isEditing() ? f->boxText(QStringLiteral("T2")) : QString(), drawn);
        mdM::QuoteCustName.clear();
        walkRoute(f, dialogs, window == QLatin1String("frmCus") ? "cancel, hand over" : "cancel");
        QCOMPARE(mdM::QuoteCustName, window == QLatin1String("frmCus") ? drawn : QString());
    }

    void closingWhileTypingAsks() {
        frmCus* f = openAdding();
        QVERIFY(f);
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        dialogs.expectMessage(ui::Answer::Yes);
        f->close();
        QVERIFY(f->isEditing());
        QVERIFY(ui::unloadAllForms()); // leaving the program
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("客戶資料正在新增或修改中，放棄已輸入的資料？"));
    }

    // A record or list that cannot be read leaves nothing of what was shown before.
    void failedReadsShowNothing() {
        frmCus* f = open();
        f->HFG_Click(rowOf(f, kDental));
        db::fault::failTable(QStringLiteral("客戶"), db::fault::Error::IoError, db::fault::Access::Read);
        ScriptedDialogs dialogs;
        for (int i = 0; i < 3; ++i) // the record, the counties and the list
            dialogs.expectMessage();
        f->HFG_Click(rowOf(f, kDental));
        clickButton(f, "Command3");
        db::fault::clear();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(text(f, "T2").isEmpty() && f->selectedName().isEmpty() && !f->grid().rowCount());
    }

    void deleteAsksAndReturnsToTheShortForm() {
        frmCus* f = open();
        const int row = rowOf(f, kDental);
        f->HFG_DblClick(row);
        QVERIFY(shown(child<QGroupBox>(f, "Frame1")));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        f->cmdDel_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("確定刪除 ( 大安牙醫診所 )"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Question);
        QCOMPARE(dialogs.messages().last().buttons, ui::Buttons::YesNo);
        QCOMPARE(dialogs.messages().last().defaultButton, 2);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toInt(), 1);

        const int before = fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt();
        dialogs.clear();
        dialogs.expectMessage(ui::Answer::Yes);
        f->cmdDel_Click();
        VERIFY_DIALOGS(dialogs); // no refusal after the deletion
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 客戶")).toInt(), before - 1);
        QVERIFY(f->selectedName().isEmpty());
        QVERIFY(!shown(child<QGroupBox>(f, "Frame1")));
        QCOMPARE(text(f, "T2"), QString());
        QCOMPARE(rowOf(f, kDental), -1);
        QVERIFY(f->grid().rowCount() > 0); // every customer, no save since opening
    }

    void doubleClickShowsTheFullPageReadOnly() {
        frmCus* f = open();
        f->HFG_DblClick(rowOf(f, kDental));
        QCOMPARE(child<QPushButton>(f, "Command2")->text(), QStringLiteral("簡單模式<<"));
        QCOMPARE(text(f, "T2"), kDental);
        QCOMPARE(text(f, "cb1"), QStringLiteral("台北市"));
        QVERIFY(!child<QWidget>(f, "P1")->isEnabled());
        QVERIFY(!f->box(QStringLiteral("T35"))->isEnabled());
        f->Command2_Click();
        QCOMPARE(child<QPushButton>(f, "Command2")->text(), QStringLiteral("整頁模式>>"));
        QVERIFY(f->height() < f->minimumSizeHint().height() + 2000);
    }

    void destroyedWithAnEditedGroupBoxFocused() {
        frmCus* f = open();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        auto* combo1 = child<QComboBox>(f, "Combo1");
        combo1->setFocus();
        QTRY_VERIFY(combo1->hasFocus());
        combo1->setEditText(QStringLiteral("11")); // an entry other than the current one
        delete f; // the box loses the focus while its window goes: nothing is listed then
        QVERIFY(!ui::Default<frmCus>::isLoaded());
    }

    void numbersAndLongValuesAreNotCutOff() {
        frmCus* f = open();
        auto* grid = child<records::RecordGrid>(f, "HFG");
        // The number column is at least the layout's width and wide enough for its numbers.
        QVERIFY(grid->columnWidth(1) >= ui::twipsToPixelsX(550));
        QVERIFY(grid->columnWidth(1) >= grid->contentWidth(1));
        // Every customer listed: all columns in view, beside the vertical scroll bar.
        f->Command3_Click();
        QTest::qWait(20);
        QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
        // A shown address longer than its box starts at its beginning.
        f->HFG_Click(rowOf(f, kDental));
        QCOMPARE(child<QLineEdit>(f, "T5")->cursorPosition(), 0);
        QCOMPARE(child<QComboBox>(f, "cb2")->lineEdit()->cursorPosition(), 0);
    }

    void editKeepsTheChosenLineInView() {
        for (int i = 0; i < 30; ++i)
            fx.openDb()->execute(QStringLiteral("INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES (?, ?)"),
                                 {QStringLiteral("Z%1").arg(i + 100), QStringLiteral("Zeta %1").arg(i)});
        frmCus* f = open();
        f->Command3_Click();
        auto* grid = child<QTableView>(f, "HFG");
        grid->scrollToBottom();
        clickRow(f, f->grid().rowCount() - 1);
        clickButton(f, "cmdEdit");
        QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->selectionModel()->selectedIndexes().first())));
    }

    void showingKeepsStoredValuesAgainstTheChangeReactions() {
        fx.openDb()->execute(QStringLiteral("UPDATE 客戶 SET 客戶代號 = 'XY', 負責人公司電話 = '02;9999', 電話1 = '02;1111' "
                                            "WHERE 客戶名稱 = ?"),
                             {kDental});
        frmCus* f = open();
        f->HFG_Click(rowOf(f, kDental));
        QCOMPARE(child<QComboBox>(f, "cb7")->currentIndex(), child<QComboBox>(f, "cb7")->findText(QStringLiteral("匯款")));
        QCOMPARE(text(f, "T3"), QStringLiteral("XY"));
        QCOMPARE(text(f, "T11"), QStringLiteral("1111"));
        QCOMPARE(text(f, "T19"), QStringLiteral("9999"));
        f->cmdEdit_Click();
        QCOMPARE(text(f, "T3"), QStringLiteral("XY"));
        QCOMPARE(text(f, "T19"), QStringLiteral("9999"));
    }

    void entryAids() {
        frmCus* f = open();
        f->cmdAdd_Click();
        QVERIFY(text(f, "T34").isEmpty());
        QCOMPARE(child<QDateEdit>(f, "DTP1")->date(), QDate::currentDate());
        auto* cb1 = child<QComboBox>(f, "cb1");
        const int taoyuan = cb1->findText(QStringLiteral("桃園市"));
        QVERIFY(taoyuan >= 0);
        cb1->setCurrentIndex(taoyuan);
        f->cb1_Click(taoyuan);
        for (const char* b : {"T10", "T12", "T14", "T18", "T21", "T32", "T25"})
            QCOMPARE(text(f, b), QStringLiteral("03"));
        QCOMPARE(text(f, "cb2"), QStringLiteral("桃園市"));
        QCOMPARE(text(f, "cb3"), QStringLiteral("桃園市"));
        type(f, "T2", QStringLiteral("好室"));
        QCOMPARE(text(f, "T3"), QStringLiteral("好室"));
        type(f, "T2", QStringLiteral("好室設計有限公司"));
        QCOMPARE(text(f, "T3"), QStringLiteral("好室設計"));
        child<QLineEdit>(f, "T2")->clear(); // a variation selector stays with its character
        typeText(f->box(QStringLiteral("T2")), QStringLiteral("葛\U000E0100屋室內設計"));
        QCOMPARE(text(f, "T3"), QStringLiteral("葛\U000E0100屋室內"));
        QTest::keyClicks(child<QLineEdit>(f, "T11"), QStringLiteral("12"));
        for (const char* b : {"T19", "T26", "T33"})
            QCOMPARE(text(f, b), QStringLiteral("12"));
        QCOMPARE(text(f, "T13"), QString());
        // A day clicked in the picker's calendar writes the box.
        auto* dtp1 = child<QDateEdit>(f, "DTP1");
        emit dtp1->calendarWidget()->clicked(QDate(2002, 5, 8));
        QCOMPARE(dtp1->date(), QDate(2002, 5, 8));
        QCOMPARE(text(f, "T34"), QStringLiteral("91/5/8"));
        // 新增 empties the filters too.
        QCOMPARE(child<QComboBox>(f, "Combo1")->currentText(), QString());
    }

    void countyChosenFromTheListOnly() {
        frmCus* f = openAdding();
        QVERIFY(f);
        auto* cb1 = child<QComboBox>(f, "cb1");
        // Typed and left: no choice, so no area codes, and the focus moves one box on.
        cb1->setFocus();
        QTRY_VERIFY(cb1->hasFocus());
        cb1->lineEdit()->setText(QStringLiteral("台中市"));
        QTest::keyClick(cb1, Qt::Key_Return);
        QTRY_VERIFY(f->box(QStringLiteral("T5"))->hasFocus());
        QCOMPARE(text(f, "T10"), QString());
        QCOMPARE(text(f, "cb3"), QString());
        // Chosen from the open list: the area codes and counties follow, then the next box.
        cb1->setFocus();
        QTRY_VERIFY(cb1->hasFocus());
        cb1->showPopup();
        QTRY_VERIFY(cb1->view()->isVisible());
        const int taoyuan = cb1->findText(QStringLiteral("桃園市"));
        cb1->view()->setCurrentIndex(cb1->model()->index(taoyuan, 0));
        QTest::keyClick(cb1->view(), Qt::Key_Return);
        QTRY_COMPARE(text(f, "T10"), QStringLiteral("03"));
        QCOMPARE(text(f, "cb3"), QStringLiteral("桃園市"));
        QTRY_VERIFY(f->box(QStringLiteral("T5"))->hasFocus());
    }

    void enterActsAsTab() {
        frmCus* f = open();
        f->activateWindow();
        f->cmdAdd_Click();
        QVERIFY(QTest::qWaitForWindowActive(f));
        auto* t4 = child<QLineEdit>(f, "T4");
        t4->setFocus();
        QTRY_VERIFY(t4->hasFocus());
        QTest::keyClick(t4, Qt::Key_Return);
        QVERIFY(!t4->hasFocus());
        auto* t35 = child<QPlainTextEdit>(f, "T35");
        t35->setFocus();
        QTRY_VERIFY(t35->hasFocus());
        QTest::keyClicks(t35, QStringLiteral("a"));
        QTest::keyClick(t35, Qt::Key_Return);
        QTest::keyClicks(t35, QStringLiteral("b"));
        QVERIFY(t35->hasFocus());
        QCOMPARE(t35->toPlainText(), QStringLiteral("a\nb"));
        // The number box has no Enter habit.
        auto* t1 = child<QLineEdit>(f, "T1");
        t1->setFocus();
        QTRY_VERIFY(t1->hasFocus());
        QTest::keyClick(t1, Qt::Key_Return);
        QVERIFY(t1->hasFocus());
    }

    void leavingTheNameBoxProposesTheNumber() {
        frmCus* f = openAdding();
        QVERIFY(f);
        auto* t2 = child<QLineEdit>(f, "T2");
        QTRY_VERIFY(t2->hasFocus());
        QTest::keyClicks(t2, QStringLiteral("Sun"));
        QTest::keyClick(t2, Qt::Key_Tab);
        QCOMPARE(text(f, "T1"), QStringLiteral("S002"));
        t2->setFocus();
        t2->setText(QStringLiteral("王"));
        QTest::keyClick(t2, Qt::Key_Tab);
        QCOMPARE(text(f, "T1"), QStringLiteral("04001"));
    }

    void searchFillsTheGridAndClicksShowTheRecord() {
        frmCus* f = open();
        ScriptedDialogs dialogs;
        dialogs.expectInput(QStringLiteral("信義路四段"));
        f->Command1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.inputs().last().prompt, QStringLiteral("請輸入搜尋文字"));
        QCOMPARE(f->Mode, QStringLiteral("QureF"));
        QVERIFY(f->gridHoldsSearch());
        QCOMPARE(f->grid().columnCount(), 3);
        QCOMPARE(f->grid().cell(0, 1), kDental);
        QCOMPARE(f->grid().cell(0, 2), QStringLiteral("在 (公司地址) 有  -->    台北市;大安區信義路四段236號2樓"));
        // Nothing chosen, nothing drawn as chosen.
        QVERIFY(!child<QTableView>(f, "HFG")->selectionModel()->hasSelection());
        f->HFG_Click(1);
        QCOMPARE(f->selectedName(), kDental);
        QCOMPARE(text(f, "T2"), kDental);
        QTest::keyClick(child<QTableView>(f, "HFG"), Qt::Key_Up);
        QCOMPARE(f->selectedName(), kDental);

        // The previous text is offered; Cancel empties it and the mode, and leaves the grid.
        dialogs.clear();
        dialogs.expectInput(std::nullopt);
        f->Command1_Click();
        QCOMPARE(dialogs.inputs().last().defaultText, QStringLiteral("信義路四段"));
        QVERIFY(f->Mode.isEmpty());
        QVERIFY(mdM::LastSearchText.isEmpty());
        QCOMPARE(f->grid().columnCount(), 3);

        // No hit: the lines of the grid are emptied and the last one goes; the first says so.
        f->Command3_Click();
        const int listed = f->grid().rowCount();
        QVERIFY(listed > 2);
        for (int expected : {listed - 1, listed - 2}) {
            dialogs.clear();
            dialogs.expectInput(QStringLiteral("沒有這種字"));
            f->Command1_Click();
            QCOMPARE(f->grid().rowCount(), expected);
            QCOMPARE(f->grid().cell(0, 2), QStringLiteral("找不到資料"));
            QVERIFY(f->grid().cell(expected - 1, 1).isEmpty());
        }
        f->HFG_Click(1); // an empty line chooses no record
        QVERIFY(f->selectedName().isEmpty());
        // Down to a single line, which stays.
        for (int i = 0; i < listed; ++i) {
            dialogs.clear();
            dialogs.expectInput(QStringLiteral("沒有這種字"));
            f->Command1_Click();
        }
        QCOMPARE(f->grid().rowCount(), 1);
        QCOMPARE(f->grid().cell(0, 2), QStringLiteral("找不到資料"));

        // A list after a search names the record by column 2 again, for keys as for clicks.
        f->Combo1_Click();
        QVERIFY(!f->gridHoldsSearch());
        QTest::keyClick(child<QTableView>(f, "HFG"), Qt::Key_Down);
        QTRY_COMPARE(f->selectedName(), f->grid().cell(0, 2));
    }

    void emptyGroupsAndCategories() {
        fx.openDb()->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶編號 LIKE 'S%'"));
        frmCus* f = open();
        const int rows = f->grid().rowCount();
        auto* combo1 = child<QComboBox>(f, "Combo1");
        combo1->setEditText(QStringLiteral("S"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->Combo1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("所選編號無記錄"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Exclamation);
        QCOMPARE(combo1->currentText(), QStringLiteral("編號"));
        QCOMPARE(f->grid().rowCount(), rows);
        combo1->setEditText(QStringLiteral("09"));
        f->Combo1_Click();
        QCOMPARE(combo1->currentText(), QStringLiteral("11")); // 09 and 10 are empty
        // Text typed and entered in the box lists nothing unknown and never joins its 59 entries.
        combo1->setFocus();
        combo1->lineEdit()->setText(QStringLiteral("zz"));
        dialogs.clear();
        dialogs.expectMessage();
        QTest::keyClick(combo1->lineEdit(), Qt::Key_Return);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text + combo1->currentText(), QStringLiteral("沒有這個分類11"));
        QCOMPARE(combo1->count(), 59);
        QCOMPARE(f->grid().cell(0, 1).left(2), QStringLiteral("11"));

        auto* combo2 = child<QComboBox>(f, "Combo2");
        combo2->setEditText(QStringLiteral("沒有的分類"));
        dialogs.clear();
        dialogs.expectMessage();
        f->Combo2_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("所選分類無記錄"));
        combo2->setCurrentIndex(0);
        f->Combo2_Click();
        QVERIFY(f->grid().rowCount() > 0);
    }
};

QTEST_MAIN(TestFrmCus)
#include "tst_frmcus.moc"
