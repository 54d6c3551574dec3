// Start-up and login: the splash leads to the login; the SuperUser and staff members log in with
// their own passwords; three failures or Cancel end the program.
#include "ScriptedDialogs.h"
#include "ShellUiFixture.h"
#include "frmLogin.h"
#include "frmMenu.h"
#include "frmSplash.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT
private:
    ShellUiFixture fx;

    static void typeLogin(frmLogin* f, const QString& user, const QString& password) {
        child<QLineEdit>(f, "txtUserName")->setText(user);
        child<QLineEdit>(f, "txtPassword")->setText(password);
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void splashShowsTheVersionAndThenTheLogin() {
        frmSplash* splash = showForm<frmSplash>();
        QCOMPARE(child<QLabel>(splash, "l")->text(), QStringLiteral("Version: 3.5"));
        QCOMPARE(child<QLabel>(splash, "lb")->text(), QStringLiteral("Build: 2002.508"));
        QTRY_VERIFY(ui::Default<frmLogin>::isLoaded());
        frmLogin* f = ui::Default<frmLogin>::get();
        QVERIFY(f->isVisible());
        QCOMPARE(f->windowTitle(), QStringLiteral("登入"));
        QVERIFY(splash->isVisible()); // the splash stays until the login succeeds
        QVERIFY(f->frameGeometry().top() >= splash->frameGeometry().bottom());
        QVERIFY(mdM::MainDb); // the login's load opened the main database
    }

    void login_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("rights");
        QTest::addColumn<QString>("name");

        QTest::newRow("SuperUser") << "wexa"
                                   << "1234" << true << 4095 << "";
        QTest::newRow("staff, every right") << "ming"
                                            << "ming123" << true << 4095 << "王小明";
        QTest::newRow("staff, query rights") << "mei"
                                             << "Mei456" << true << 1367 << "李美華";
        QTest::newRow("staff, no rights") << "chen"
                                          << "chen789" << true << 0 << "陳志強";
        QTest::newRow("password differing in case") << "mei"
                                                    << "mei456" << false << 0 << "";
        QTest::newRow("login name differing in case") << "MEI"
                                                      << "Mei456" << false << 0 << "";
        QTest::newRow("SuperUser name in capitals") << "WEXA"
                                                    << "1234" << false << 0 << "";
        QTest::newRow("SuperUser, wrong password") << "wexa"
                                                   << "12345" << false << 0 << "";
        QTest::newRow("unknown user") << "nobody"
                                      << "" << false << 0 << "";
        QTest::newRow("quotes in the name") << "' OR '1'='1"
                                            << "" << false << 0 << "";
    }
    void login() {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        QFETCH(int, rights);
        QFETCH(QString, name);

        ui::Default<frmSplash>::get();
        frmLogin* f = showForm<frmLogin>();
        typeLogin(f, user, password);
        ScriptedDialogs dialogs;
        if (!accepted)
            dialogs.expectMessage();
        QTest::mouseClick(child<QPushButton>(f, "cmdOK"), Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);

        QCOMPARE(mdM::SuperUserPassword, QStringLiteral("1234"));
        QCOMPARE(fx.exits, 0);
        if (accepted) {
            QVERIFY(ui::Default<frmMenu>::isLoaded());
            QVERIFY(ui::Default<frmMenu>::get()->isVisible());
            QVERIFY(!ui::Default<frmLogin>::isLoaded());
            QVERIFY(!ui::Default<frmSplash>::isLoaded());
            QCOMPARE(mdM::UserRights, rights);
            QCOMPARE(mdM::CurrentUserName, name);
            QCOMPARE(mdM::CurrentUserLogin, name.isEmpty() ? QString() : user);
            QCOMPARE(mdM::CurrentUserPassword, name.isEmpty() ? QString() : password);
        } else {
            const ui::MessageRequest m = dialogs.messages().at(0);
            QCOMPARE(m.text, QStringLiteral("使用者名稱或密碼錯誤，請重新輸入!"));
            QCOMPARE(m.icon, ui::Icon::Critical);
            QCOMPARE(m.title, QStringLiteral("登入"));
            QCOMPARE(f->failedTries(), 1);
            QVERIFY(!ui::Default<frmMenu>::isLoaded());
            QVERIFY(ui::Default<frmLogin>::isLoaded());
            // Nothing of a refused try is kept.
            QCOMPARE(mdM::UserRights, 0);
            QVERIFY(mdM::CurrentUserName.isEmpty());
            QVERIFY(mdM::CurrentUserPassword.isEmpty());
            // The typed texts stay; the user name is selected for retyping.
            QCOMPARE(child<QLineEdit>(f, "txtUserName")->selectedText(), user);
            QCOMPARE(child<QLineEdit>(f, "txtPassword")->text(), password);
        }
    }

    void namesWithQuotesLogIn() {
        fx.openDb()->execute(QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, pass, 權限) "
                                            "VALUES ('99001', '歐布萊恩', ?, ?, 8)"),
                             {QStringLiteral("o'brien"), QStringLiteral("it's")});
        frmLogin* f = showForm<frmLogin>();
        typeLogin(f, QStringLiteral("o'brien"), QStringLiteral("it's"));
        f->cmdOK_Click();
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QCOMPARE(mdM::CurrentUserName, QStringLiteral("歐布萊恩"));
        QCOMPARE(mdM::UserRights, 8);
    }

    void superUserLoginEmptiesStaffNames() {
        mdM::CurrentUserName = QStringLiteral("王小明");
        mdM::CurrentUserLogin = QStringLiteral("ming");
        mdM::CurrentUserPassword = QStringLiteral("ming123");
        frmLogin* f = showForm<frmLogin>();
        typeLogin(f, QStringLiteral("wexa"), QStringLiteral("1234"));
        f->cmdOK_Click();
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QVERIFY(mdM::CurrentUserName.isEmpty());
        QVERIFY(mdM::CurrentUserLogin.isEmpty());
        QVERIFY(mdM::CurrentUserPassword.isEmpty());
        QCOMPARE(mdM::UserRights, 4095);
    }

    void passwordChangedMeanwhileCountsAtTheNextPress() {
        frmLogin* f = showForm<frmLogin>();
        fx.openDb()->execute(QStringLiteral("UPDATE super SET super_pass = 'neu' WHERE super_id = 'wexa'"));
        typeLogin(f, QStringLiteral("wexa"), QStringLiteral("neu"));
        f->cmdOK_Click();
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QCOMPARE(mdM::SuperUserPassword, QStringLiteral("neu"));
    }

    void noSuperUserRowRefusesTheSuperUser() {
        fx.openDb()->execute(QStringLiteral("DELETE FROM super"));
        frmLogin* f = showForm<frmLogin>();
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        typeLogin(f, QStringLiteral("wexa"), QString());
        f->cmdOK_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("資料庫中沒有 SuperUser 的資料，SuperUser 無法登入"));
        QCOMPARE(f->failedTries(), 1);
        QVERIFY(!ui::Default<frmMenu>::isLoaded());
        QCOMPARE(mdM::UserRights, 0);
        // Staff members log in as before.
        typeLogin(f, QStringLiteral("ming"), QStringLiteral("ming123"));
        f->cmdOK_Click();
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QCOMPARE(fx.openDb()->scalar(QStringLiteral("SELECT count(*) FROM super")).toInt(), 0);
    }

    void thirdFailureEndsTheProgram() {
        frmLogin* f = showForm<frmLogin>();
        typeLogin(f, QStringLiteral("ming"), QStringLiteral("wrong"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        dialogs.expectMessage();
        f->cmdOK_Click();
        f->cmdOK_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(f->failedTries(), 2);
        QCOMPARE(fx.exits, 0);

        dialogs.expectMessage();
        dialogs.expectMessage();
        f->cmdOK_Click();
        VERIFY_DIALOGS(dialogs);
        const ui::MessageRequest last = dialogs.messages().last();
        QCOMPARE(last.text, QStringLiteral("錯誤三次,結束系統"));
        QCOMPARE(last.icon, ui::Icon::Critical);
        QCOMPARE(last.title, QStringLiteral("Kavo III"));
        QCOMPARE(fx.exits, 1);
        QVERIFY(!ui::Default<frmMenu>::isLoaded());
    }

    void cancelEndsTheProgram() {
        frmLogin* f = showForm<frmLogin>();
        QTest::mouseClick(child<QPushButton>(f, "cmdCancel"), Qt::LeftButton);
        QCOMPARE(fx.exits, 1);
        QVERIFY(!f->isVisible());
        QVERIFY(!ui::Default<frmMenu>::isLoaded());
    }

    void closingTheLoginEndsTheProgram() {
        showForm<frmSplash>();
        QTRY_VERIFY(ui::Default<frmLogin>::isLoaded());
        QVERIFY(ui::Default<frmLogin>::get()->close());
        QVERIFY(!ui::Default<frmSplash>::isLoaded());
        QCOMPARE(fx.exits, 1);
    }

    void enterMovesOnInTheNameAndSubmitsInThePassword() {
        frmLogin* f = showForm<frmLogin>();
        QVERIFY(QTest::qWaitForWindowActive(f));
        auto* user = child<QLineEdit>(f, "txtUserName");
        auto* password = child<QLineEdit>(f, "txtPassword");
        password->setText(QStringLiteral("old"));
        user->setFocus();
        QTest::keyClicks(user, QStringLiteral("ming"));
        ScriptedDialogs dialogs; // Enter in the name box submits nothing: no message
        QTest::keyClick(user, Qt::Key_Return);
        QTRY_VERIFY(password->hasFocus());
        QCOMPARE(password->selectedText(), QStringLiteral("old"));
        QVERIFY(ui::Default<frmLogin>::isLoaded());

        QTest::keyClicks(password, QStringLiteral("ming123")); // replaces the selection
        QTest::keyClick(password, Qt::Key_Return);
        VERIFY_DIALOGS(dialogs);
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QCOMPARE(mdM::CurrentUserLogin, QStringLiteral("ming"));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
