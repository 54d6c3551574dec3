// The staff window: its list and group box, the date pickers and county aid, the login-name
// rules of the save, the password panel and the login with a changed password, and the rights
// word left alone by a save.
#include "LoginService.h"
#include "RecordsUiFixture.h"
#include "ScriptedDialogs.h"
#include "frmSta.h"

#include <QComboBox>
#include <QLabel>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const QString kMei = QStringLiteral("李美華"); // login mei, password Mei456, rights 1367

} // namespace

class TestFrmSta : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

    frmSta* openOn(const QString& name) {
        frmSta* f = showForm<frmSta>();
        f->Command3_Click();
        f->HFG_Click(rowOf(f, name));
        return f;
    }
    // Fills the password panel and presses 變更.
    static void change(frmSta* f, const QString& old, const QString& next, const QString& confirm) {
        child<QLineEdit>(f, "txtOp")->setText(old);
        child<QLineEdit>(f, "txtNp")->setText(next);
        child<QLineEdit>(f, "txtCp")->setText(confirm);
        f->cmdPass_Click();
    }
    bool logsIn(const QString& user, const QString& password) {
        auto db = fx.openDb();
        return shell::checkLogin(*db, user, password, shell::readSuperUserPassword(*db)).accepted();
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void listAndGroupBox() {
        frmSta* f = showForm<frmSta>();
        QCOMPARE(f->windowTitle(), QStringLiteral("員工資料"));
        QCOMPARE(f->grid().columnCount(), 6);
        QCOMPARE(f->grid().captions().at(4), QStringLiteral("電話(Home)"));
        QCOMPARE(f->grid().cell(0, 2), QStringLiteral("王小明")); // group 04 is the first with records
        auto* combo1 = child<QComboBox>(f, "Combo1");
        auto* label1 = child<QLabel>(f, "Label1");
        QVERIFY(!shown(combo1));
        QVERIFY(!shown(label1)); // no title without its box
        f->HFG_MouseDown(3);
        QVERIFY(!shown(combo1));
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->HFG_MouseDown(2);
        QVERIFY(shown(combo1));
        QVERIFY(shown(label1));
        QTRY_VERIFY(combo1->hasFocus()); // it comes up ready, so leaving it takes it away
        child<QPushButton>(f, "Command1")->setFocus();
        QTRY_VERIFY(!shown(combo1));
        QVERIFY(!shown(label1));

        f->Command3_Click();
        QCOMPARE(f->grid().rowCount(), 3);
        combo1->setEditText(QStringLiteral("Z"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->Combo1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::None);
        QCOMPARE(f->grid().rowCount(), 3);
    }

    void entryAids() {
        frmSta* f = showForm<frmSta>();
        f->cmdAdd_Click();
        QCOMPARE(child<QDateEdit>(f, "DTP2")->date(), QDate::currentDate());
        QVERIFY(f->boxText(QStringLiteral("T13")).isEmpty());
        child<QDateEdit>(f, "DTP2")->setDate(QDate(2011, 1, 1));
        f->DTP_CloseUp(QStringLiteral("DTP2"));
        QCOMPARE(f->boxText(QStringLiteral("T14")), QStringLiteral("100/1/1"));
        auto* cb1 = child<QComboBox>(f, "cb1");
        const int i = cb1->findText(QStringLiteral("桃園市"));
        cb1->setCurrentIndex(i);
        f->cb1_Click(i);
        QCOMPARE(f->boxText(QStringLiteral("T10")), QStringLiteral("03"));
        QCOMPARE(f->boxText(QStringLiteral("T17")), QStringLiteral("03"));
        QCOMPARE(f->boxText(QStringLiteral("T12")), QString());
    }

    void loginNameRules_data() {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("message"); // empty: saved
        QTest::newRow("SuperUser") << "wexa" << "不可使用此英文名稱";
        QTest::newRow("SuperUser in capitals") << "WEXA" << "不可使用此英文名稱";
        QTest::newRow("longer name") << "wexa2" << "";
        QTest::newRow("another member's login") << "MEI" << "英文姓名重複";
    }
    void loginNameRules() {
        QFETCH(QString, login);
        QFETCH(QString, message);
        frmSta* f = showForm<frmSta>();
        f->cmdAdd_Click();
        f->setBoxText(QStringLiteral("T2"), QStringLiteral("新同事"));
        f->T2_Validate();
        f->setBoxText(QStringLiteral("T3"), login);
        ScriptedDialogs dialogs;
        if (!message.isEmpty())
            dialogs.expectMessage();
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        const int stored = fx.scalar(QStringLiteral("SELECT count(*) FROM 員工 WHERE 中文姓名 = '新同事'")).toInt();
        QCOMPARE(stored, message.isEmpty() ? 1 : 0);
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.messages().last().text, message);
            QVERIFY(f->isEditing());
            QCOMPARE(f->Mode, QStringLiteral("AddF"));
        } else {
            QVERIFY(f->Mode.isEmpty());
            QVERIFY(rowOf(f, QStringLiteral("新同事")) >= 0); // every member listed
            QCOMPARE(fx.scalar(QStringLiteral("SELECT 權限 FROM 員工 WHERE 中文姓名 = '新同事'")).toInt(), 0);
            QVERIFY(fx.scalar(QStringLiteral("SELECT pass FROM 員工 WHERE 中文姓名 = '新同事'")).isNull());
        }
    }

    void saveKeepsRightsAndPassword() {
        fx.openDb()->execute(QStringLiteral("UPDATE 員工 SET 權限 = 777 WHERE 中文姓名 = ?"), {kMei}); // the rights grid
        frmSta* f = openOn(kMei);
        f->cmdEdit_Click();
        QVERIFY(mdM::CurrentUserPassword.isEmpty()); // the session's: not the member's on screen
        f->setBoxText(QStringLiteral("T4"), QStringLiteral("設計部"));
        f->cmdY_Click();
        QVERIFY(f->Mode.isEmpty());
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 部門 FROM 員工 WHERE 中文姓名 = ?"), {kMei}).toString(),
                 QStringLiteral("設計部"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT 權限 FROM 員工 WHERE 中文姓名 = ?"), {kMei}).toInt(), 777);
        QCOMPARE(fx.scalar(QStringLiteral("SELECT pass FROM 員工 WHERE 中文姓名 = ?"), {kMei}).toString(),
                 QStringLiteral("Mei456"));
    }

    void passwordPanel() {
        mdM::UserRights = 4095 & ~128; // no staff editing: the panel still works
        frmSta* f = openOn(kMei);
        QVERIFY(!shown(child<QPushButton>(f, "cmdAdd")));
        QVERIFY(!shown(child<QPushButton>(f, "cmdPass")));
        f->cmdPaSet_Click();
        QVERIFY(shown(child<QPushButton>(f, "cmdPass")));
        QVERIFY(!shown(child<QPushButton>(f, "cmdPaSet")));

        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        change(f, QStringLiteral("mei456"), QStringLiteral("x"), QStringLiteral("x")); // letter case counts
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("密碼錯誤"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Exclamation);
        QVERIFY(child<QLineEdit>(f, "txtOp")->text().isEmpty());
        QVERIFY(shown(child<QPushButton>(f, "cmdPass")));

        dialogs.expectMessage();
        change(f, QStringLiteral("Mei456"), QStringLiteral("New1"), QStringLiteral("new1"));
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("新密碼與確定密碼不同"));

        dialogs.expectMessage();
        change(f, QStringLiteral("Mei456"), QStringLiteral("New1"), QStringLiteral("New1"));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("密碼變更完成\r\n下次請使用新密碼登入"));
        QVERIFY(!shown(child<QPushButton>(f, "cmdPass")));
        QVERIFY(shown(child<QPushButton>(f, "cmdPaSet")));
        QVERIFY(logsIn(QStringLiteral("mei"), QStringLiteral("New1")));
        QVERIFY(!logsIn(QStringLiteral("mei"), QStringLiteral("Mei456")));

        // A second change needs the new password.
        f->cmdPaSet_Click();
        dialogs.expectMessage();
        change(f, QStringLiteral("Mei456"), QStringLiteral("Two2"), QStringLiteral("Two2"));
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("密碼錯誤"));
        dialogs.expectMessage();
        change(f, QStringLiteral("New1"), QStringLiteral("Two2"), QStringLiteral("Two2"));
        VERIFY_DIALOGS(dialogs);
        QVERIFY(logsIn(QStringLiteral("mei"), QStringLiteral("Two2")));

        for (const bool search : {false, true}) { // 取消變更; a search that does not list her
            f->cmdPaSet_Click();
            child<QLineEdit>(f, "txtOp")->setText(QStringLiteral("typed"));
            if (search)
                dialogs.expectInput(QStringLiteral("王小明"));
            search ? f->Command1_Click() : f->cmdCnC_Click();
            QVERIFY(child<QLineEdit>(f, "txtOp")->text().isEmpty());
            QVERIFY(!shown(child<QPushButton>(f, "cmdPass")));
        }
    }

    void passwordPanelGivesBackItsRoom() {
        frmSta* f = openOn(kMei);
        clickButton(f, "Command2");
        const int height = f->height();
        clickButton(f, "cmdPaSet");
        QTRY_VERIFY(f->height() > height);
        clickButton(f, "cmdCnC");
        QCOMPARE(f->height(), height);
        // 新增 → 取消 shows her again, with the panel closed and empty.
        clickButton(f, "cmdPaSet");
        child<QLineEdit>(f, "txtOp")->setText(QStringLiteral("typed"));
        clickButton(f, "cmdAdd");
        clickButton(f, "cmdN");
        QCOMPARE(f->boxText(QStringLiteral("T2")), kMei);
        QVERIFY(!shown(child<QPushButton>(f, "cmdPass")) && child<QLineEdit>(f, "txtOp")->text().isEmpty());
    }

    void passwordOfAMemberWithoutARow() {
        frmSta* f = showForm<frmSta>();
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdPaSet_Click(); // nothing on screen
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("請先填入中文姓名與英文姓名"));

        f->cmdAdd_Click();
        f->setBoxText(QStringLiteral("T2"), QStringLiteral("沒存的人"));
        f->setBoxText(QStringLiteral("T3"), QStringLiteral("ghost"));
        f->cmdN_Click();
        QVERIFY(f->Mode.isEmpty());
        dialogs.expectMessage();
        f->cmdPaSet_Click(); // 取消 leaves nothing typed behind
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("請先填入中文姓名與英文姓名"));
        f->HFG_Click(0);
        fx.openDb()->execute(QStringLiteral("DELETE FROM 員工 WHERE 中文姓名 = ?"),
                             {f->selectedName()}); // meanwhile
        f->cmdPaSet_Click();
        dialogs.expectMessage();
        change(f, QString(), QStringLiteral("p"), QStringLiteral("p"));
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("這筆資料已不存在"));
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 員工 WHERE pass = 'p'")).toInt(), 0);
    }

    void passwordWhileAddingSavesFirst() {
        frmSta* f = showForm<frmSta>();
        f->cmdAdd_Click();
        f->setBoxText(QStringLiteral("T2"), QStringLiteral("新來的"));
        f->T2_Validate();
        f->setBoxText(QStringLiteral("T3"), QStringLiteral("wexa"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(); // the refused save: no panel
        f->cmdPaSet_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(!shown(child<QPushButton>(f, "cmdPass")));
        QVERIFY(f->isEditing());

        f->setBoxText(QStringLiteral("T3"), QStringLiteral("newbie"));
        f->cmdPaSet_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(f->Mode.isEmpty());
        QVERIFY(shown(child<QPushButton>(f, "cmdPass")));
        QVERIFY(mdM::CurrentUserPassword.isEmpty());
        dialogs.expectMessage();
        change(f, QString(), QStringLiteral("first"), QStringLiteral("first"));
        VERIFY_DIALOGS(dialogs);
        QVERIFY(logsIn(QStringLiteral("newbie"), QStringLiteral("first")));
    }
};

QTEST_MAIN(TestFrmSta)
#include "tst_frmsta.moc"
