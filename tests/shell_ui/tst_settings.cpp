// The settings window: each page applied and read back from the database and the settings files.
#include "LoginService.h"
#include "ScriptedDialogs.h"
#include "SettingsStore.h"
#include "ShellUiFixture.h"
#include "db/FaultInjection.h"
#include "frmSet.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private:
    ShellUiFixture fx;

    frmSet* settings() { return showForm<frmSet>(); }
    QLineEdit* box(const char* name) { return child<QLineEdit>(ui::Default<frmSet>::get(), name); }
    void click(const char* name) {
        QTest::mouseClick(child<QPushButton>(ui::Default<frmSet>::get(), name), Qt::LeftButton);
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void loadShowsWhatIsStored() {
        QVERIFY(fx.folder->writeSettings(QStringLiteral("auto.ini"),
                                         {QStringLiteral("1"), QStringLiteral("12")}));
        mdM::AutoSaveOn = true;
        mdM::AutoSaveInterval = 12;
        frmSet* f = settings();
        QCOMPARE(f->windowTitle(), QStringLiteral("系統設定"));
        QCOMPARE(box("txtCo_name")->text(), QStringLiteral("澄築室內裝修工程有限公司"));
        QCOMPARE(box("txtCo_email")->text(), QStringLiteral("service@chengzhu-interior.com.tw"));
        QCOMPARE(box("txtMdbPath")->text(), fx.folder->path());
        QCOMPARE(box("txtFlpath")->text(), fx.folder->file(QStringLiteral("quotes")));
        QVERIFY(child<QCheckBox>(f, "ckAutosv")->isChecked());
        QCOMPARE(box("txtAutosv")->text(), QStringLiteral("12"));
        QVERIFY(!box("npstxt")->isEnabled());
        QVERIFY(!box("cpstxt")->isEnabled());
        QVERIFY(!child<QPushButton>(f, "cmdCp")->isEnabled());
    }

    void companyApplyWritesTheRow_data() {
        QTest::addColumn<bool>("emptyTable");
        QTest::newRow("row present") << false;
        QTest::newRow("no row yet") << true;
    }
    void companyApplyWritesTheRow() {
        QFETCH(bool, emptyTable);
        if (emptyTable)
            fx.openDb()->execute(QStringLiteral("DELETE FROM company"));
        settings();
        if (emptyTable)
            QVERIFY(box("txtCo_name")->text().isEmpty());
        const QStringList values = {QStringLiteral("O'Neil 設計"), QStringLiteral("台中市西區"),
                                    QStringLiteral("04-1234"),     QStringLiteral("04-5678"),
                                    QStringLiteral("12345678"),    QStringLiteral("a@b.tw")};
        const char* names[] = {"txtCo_name", "txtCo_add", "txtCo_tel",
                               "txtCo_fax",  "txtCo_no",  "txtCo_email"};
        for (int i = 0; i < 6; ++i)
            box(names[i])->setText(values[i]);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        click("Command3");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("變更完成"));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Information);

        const db::DatabasePtr d = fx.openDb();
        QCOMPARE(d->scalar(QStringLiteral("SELECT count(*) FROM company")).toInt(), 1);
        QCOMPARE(shell::readCompany(*d), values);
    }

    // A failure at any statement of the write: 變更完成 exactly when the values were stored.
    void companyApplyTellsWhetherStored() {
        settings();
        db::fault::clear();
        const QStringList read = shell::readCompany(*mdM::MainDb);
        QStringList renamed = read;
        renamed[0] += QStringLiteral("x");
        shell::writeCompany(*mdM::MainDb, renamed, read);
        const int statements = db::fault::statementCount();
        shell::writeCompany(*mdM::MainDb, read, renamed);
        for (int n = 1; n <= statements; ++n) {
            const QString name = QStringLiteral("名稱%1").arg(n);
            box("txtCo_name")->setText(name);
            db::fault::clear();
            db::fault::failNth(n, db::fault::Error::Busy);
            ScriptedDialogs dialogs;
            dialogs.expectMessage();
            click("Command3");
            db::fault::clear();
            VERIFY_DIALOGS(dialogs);
            const bool told = dialogs.messages().at(0).text == QStringLiteral("變更完成");
            QCOMPARE(told, shell::readCompany(*fx.openDb()).at(0) == name);
        }
    }

    void superUserPasswordChange() {
        mdM::SuperUserPassword = QStringLiteral("1234");
        settings();
        QLineEdit* old = box("opstxt");
        auto* change = child<QPushButton>(ui::Default<frmSet>::get(), "cmdCp");
        QTest::keyClicks(old, QStringLiteral("123"));
        QVERIFY(!change->isEnabled());
        QTest::keyClicks(old, QStringLiteral("4"));
        QVERIFY(change->isEnabled());
        QVERIFY(box("npstxt")->isEnabled() && box("cpstxt")->isEnabled());
        QTest::keyClicks(old, QStringLiteral("5"));
        QVERIFY(!change->isEnabled());
        QTest::keyClick(old, Qt::Key_Backspace);
        QVERIFY(change->isEnabled());
        // Shown again after another page: emptied and locked.
        auto* tabs = child<QTabWidget>(ui::Default<frmSet>::get(), "SSTab1");
        tabs->setCurrentIndex(2);
        tabs->setCurrentIndex(1);
        QVERIFY(old->text().isEmpty() && !change->isEnabled() && !box("npstxt")->isEnabled());
        QTest::keyClicks(old, QStringLiteral("1234"));

        // Boxes that differ: refused and emptied.
        box("npstxt")->setText(QStringLiteral("abc"));
        box("cpstxt")->setText(QStringLiteral("abC"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        click("cmdCp");
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("新密碼 和 確定密碼 不同\r\n請重新輸入新密碼 和 確定密碼"));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Exclamation);
        QVERIFY(box("npstxt")->text().isEmpty() && box("cpstxt")->text().isEmpty());
        QCOMPARE(shell::readSuperUserPassword(*fx.openDb()).value_or(QString()), QStringLiteral("1234"));

        // A quote in the new password is stored as typed.
        const QString fresh = QStringLiteral("it's");
        box("npstxt")->setText(fresh);
        box("cpstxt")->setText(fresh);
        dialogs.expectMessage();
        click("cmdCp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(1).text, QStringLiteral("密碼變更完成"));
        QCOMPARE(shell::readSuperUserPassword(*fx.openDb()).value_or(QString()), fresh);

        // The new password unlocks the next change; the old one no longer does.
        old->clear();
        old->setText(QStringLiteral("1234"));
        QVERIFY(!change->isEnabled());
        old->setText(fresh);
        QVERIFY(change->isEnabled());
        // And it is the one the next login needs.
        const db::DatabasePtr d = fx.openDb();
        QCOMPARE(shell::checkLogin(*d, QStringLiteral("wexa"), fresh, shell::readSuperUserPassword(*d)).kind,
                 shell::LoginResult::Kind::SuperUser);
        // Replaced through another connection after the check: nothing written, the boxes locked.
        d->execute(QStringLiteral("UPDATE super SET super_pass = '9999'"));
        dialogs.expectMessage();
        click("cmdCp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(2).text, QStringLiteral("SuperUser 密碼已在別處變更"));
        QCOMPARE(shell::readSuperUserPassword(*d).value_or(QString()), QStringLiteral("9999"));
        old->setText(fresh); // the replaced password unlocks nothing
        QVERIFY(!change->isEnabled() && !box("npstxt")->isEnabled());
    }

    // Without the SuperUser's row nothing unlocks the change, not even an empty password, and
    // nothing makes the row.
    void noSuperUserRow() {
        fx.openDb()->execute(QStringLiteral("DELETE FROM super"));
        mdM::SuperUserPassword.clear(); // as the login leaves it
        settings();
        QLineEdit* old = box("opstxt");
        auto* change = child<QPushButton>(ui::Default<frmSet>::get(), "cmdCp");
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        QTest::keyClicks(old, QStringLiteral("x"));
        QTest::keyClick(old, Qt::Key_Backspace);
        QTest::keyClicks(old, QStringLiteral("yz"));
        QTest::keyClick(old, Qt::Key_Backspace);
        QTest::keyClick(old, Qt::Key_Backspace);
        VERIFY_DIALOGS(dialogs); // said once
        QCOMPARE(dialogs.messages().at(0).text,
                 QStringLiteral("資料庫中沒有 SuperUser 的資料，無法變更 SuperUser 密碼"));
        QVERIFY(old->text().isEmpty());
        QVERIFY(!change->isEnabled() && !box("npstxt")->isEnabled() && !box("cpstxt")->isEnabled());

        // Even when pressed some other way, the change is refused and no row appears.
        box("npstxt")->setText(QStringLiteral("mine"));
        box("cpstxt")->setText(QStringLiteral("mine"));
        dialogs.expectMessage();
        ui::Default<frmSet>::get()->cmdCp_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(1).text,
                 QStringLiteral("資料庫中沒有 SuperUser 的資料，無法變更 SuperUser 密碼"));
        const db::DatabasePtr d = fx.openDb();
        QVERIFY(!shell::readSuperUserPassword(*d));
        QCOMPARE(d->scalar(QStringLiteral("SELECT count(*) FROM super")).toInt(), 0);
        QCOMPARE(shell::checkLogin(*d, QStringLiteral("wexa"), QString(), std::nullopt).kind,
                 shell::LoginResult::Kind::Refused);
    }

    void browseTakesTheFolderOfTheChosenFile() {
        settings();
        const QString deep = fx.folder->mkdir(QStringLiteral("a/much/longer/folder/name/than/ten"));
        ScriptedDialogs dialogs;
        dialogs.expectOpenFile(deep + QStringLiteral("/Kavo3.mdb"));
        click("cmdExp");
        const ui::FileRequest r = dialogs.files().at(0);
        QCOMPARE(r.filter, QStringLiteral("(kavo3.mdb)|kavo3.mdb"));
        QCOMPARE(r.fileName, QStringLiteral("Kavo3.mdb"));
        QCOMPARE(r.folder, fx.folder->path());
        for (const char* name : {"txtMdbPath", "txtPrpath", "txtFlpath"})
            QCOMPARE(box(name)->text(), deep);

        dialogs.expectOpenFile(QString()); // Cancel changes nothing
        box("txtPrpath")->setText(QStringLiteral("/tpl"));
        click("cmdExp");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(box("txtPrpath")->text(), QStringLiteral("/tpl"));
    }

    // Switched while logged in as ming (every right here, none there), with this database's SuperUser
    // password typed: a new session of the new database, or the old one unchanged.
    void foldersApplyOpensTheNewDatabaseFirst_data() {
        QTest::addColumn<QString>("user"); // the login there; empty: 取消
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("rights");
        QTest::addColumn<QString>("typed"); // a company name typed here and not applied: 取消 to its question
        QTest::newRow("a copy, ming without rights there") << "ming" << "澄築室內裝修工程有限公司" << "1234" << 0 << "";
        QTest::newRow("another SuperUser password") << "wexa" << "另一家設計公司" << "5678" << 4095 << "";
        QTest::newRow("login cancelled") << "" << "澄築室內裝修工程有限公司" << "1234" << 4095 << "";
        QTest::newRow("company typed, 取消") << "" << "澄築X" << "1234" << 4095 << "澄築X";
    }
    void foldersApplyOpensTheNewDatabaseFirst() {
        QFETCH(QString, user);
        QFETCH(QString, company);
        QFETCH(QString, password);
        QFETCH(int, rights);
        QFETCH(QString, typed);
        const db::DatabasePtr first = fx.openDb();
        shell::beginSession(first, shell::checkLogin(*first, "ming", "ming123", QString()), "1234");
        const QStringList ini = fx.folder->readSettings(QStringLiteral("Mdbpath.ini"));
        settings();
        const QString other = fx.folder->mkdir(QStringLiteral("other"));
        const db::DatabasePtr d = db::Database::open(fx.folder->createMainDb(other), QString::fromUtf8(mdM::kMainDbPassword));
        d->execute(QStringLiteral("UPDATE company SET 名稱 = ?"), {company});
        d->execute(QStringLiteral("UPDATE super SET super_pass = ?"), {password});
        d->execute(QStringLiteral("UPDATE 員工 SET 權限 = 0 WHERE 英文姓名 = 'ming'"));
        box("opstxt")->setText(QStringLiteral("1234"));
        box("txtMdbPath")->setText(other);
        box("txtPrpath")->setText(QStringLiteral("/templates"));
        box("txtFlpath")->setText(QStringLiteral("/quotes"));
        mdM::LastSearchText = mdPro::CurrentVendorName = QStringLiteral("大安");
        QString shown; // the database the login names
        ScriptedDialogs dialogs;
        if (!typed.isEmpty()) {
            box("txtCo_name")->setText(typed);
            dialogs.expectMessage(ui::Answer::Cancel);
        } else {
            whenLoginShows(user, QStringLiteral("wexa") == user ? password : QStringLiteral("ming123"), &shown);
        }
        click("Command4");
        VERIFY_DIALOGS(dialogs); // no message but the question of a page typed
        QCOMPARE(ui::Default<frmSet>::isLoaded(), !typed.isEmpty());
        QVERIFY(typed.isEmpty() || dialogs.messages().at(0).text.startsWith(QStringLiteral("【公司資料】")));
        QCOMPARE(mdM::UserRights, rights);
        QCOMPARE(shown, typed.isEmpty() ? QStringLiteral("登入資料庫：") + other : QString());
        QCOMPARE(mdM::LastSearchText + mdPro::CurrentVendorName, user.isEmpty() ? "大安大安" : "");
        QCOMPARE(QFileInfo(mdM::MainDb->path()).absolutePath(), user.isEmpty() ? fx.folder->path() : other);
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Mdbpath.ini")),
                 (user.isEmpty() ? ini : QStringList{"other", "/templates", "/quotes"}));
        QCOMPARE(box("txtCo_name")->text(), company);
        box("opstxt")->setText(QStringLiteral("1234"));
        QCOMPARE(box("npstxt")->isEnabled(), password == QLatin1String("1234"));
    }

    // A folder browsed to inside the program folder is stored relative to it: a copy of the program
    // folder keeps to its own database and quotations.
    void browsedFolderAppliedRelative() {
        QVERIFY(fx.folder->writeMdbPath(QStringLiteral("."), QStringLiteral("."), QStringLiteral("quotes")));
        const QString data = fx.folder->mkdir(QStringLiteral("data"));
        QVERIFY(!fx.folder->createMainDb(data).isEmpty());
        settings();
        ScriptedDialogs dialogs;
        dialogs.expectOpenFile(data + QStringLiteral("/Kavo3.mdb"));
        click("cmdExp");
        whenLoginShows(QStringLiteral("wexa"), QStringLiteral("1234"));
        click("Command4");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Mdbpath.ini")), QStringList(3, QStringLiteral("data")));
        QCOMPARE(mdM::QuoteFolder, data);
    }

    void foldersApplyWithoutADatabaseKeepsEverything() {
        settings();
        const QStringList before = fx.folder->readSettings(QStringLiteral("Mdbpath.ini"));
        const db::DatabasePtr connection = mdM::MainDb;
        box("txtMdbPath")->setText(fx.folder->mkdir(QStringLiteral("empty")));
        box("txtPrpath")->setText(QStringLiteral("/templates"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        click("Command4");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("3024\r\n")));
        QCOMPARE(mdM::MainDb, connection);
        QCOMPARE(mdM::DbFolder, fx.folder->path());
        QCOMPARE(mdM::TemplateFolder, before.at(1));
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Mdbpath.ini")), before);
    }

    void autosaveApply_data() {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line2");
        QTest::addColumn<int>("interval");
        QTest::newRow("on, 12") << true << "12"
                                << "12" << 12;
        QTest::newRow("letters and minus refused") << true << "1a-2"
                                                   << "12" << 12;
        QTest::newRow("off, empty") << false << ""
                                    << "" << 0;
        QTest::newRow("five digits at most, kept within range") << true << "9999999"
                                                                << "99999" << 32767;
    }
    void autosaveApply() {
        QFETCH(bool, on);
        QFETCH(QString, typed);
        QFETCH(QString, line2);
        QFETCH(int, interval);
        // An existing file is written whatever the letter case of its name.
        QFile::remove(fx.folder->file(QStringLiteral("auto.ini")));
        QVERIFY(
            fx.folder->writeSettings(QStringLiteral("AUTO.ini"), {QStringLiteral("0"), QStringLiteral("3")}));
        frmSet* f = settings();
        child<QCheckBox>(f, "ckAutosv")->setChecked(on);
        QLineEdit* text = box("txtAutosv");
        text->clear();
        QTest::keyClicks(text, typed);
        QCOMPARE(text->text(), line2);
        ScriptedDialogs dialogs;
        click("Command5");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(mdM::AutoSaveOn, on);
        QCOMPARE(mdM::AutoSaveInterval, interval);
        QCOMPARE(fx.folder->readSettings(QStringLiteral("AUTO.ini")), (QStringList{on ? "1" : "0", line2}));
        QVERIFY(!QFile::exists(fx.folder->file(QStringLiteral("auto.ini"))));
        const shell::AutoSaveSettings back = shell::readAutoIni();
        QCOMPARE(back.on, on);
        QCOMPARE(back.interval, interval);
    }

    void eachApplySavesOnlyItsOwnGroup() {
        settings();
        box("txtCo_name")->setText(QStringLiteral("不該寫入"));
        box("txtMdbPath")->setText(QStringLiteral("/nowhere"));
        ScriptedDialogs dialogs;
        click("Command5");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(shell::readCompany(*fx.openDb()).at(0), QStringLiteral("澄築室內裝修工程有限公司"));
        QCOMPARE(fx.folder->readSettings(QStringLiteral("Mdbpath.ini")).at(0), fx.folder->path());
        // Another folder of quotations on the same database: the other pages keep their typing.
        box("txtMdbPath")->setText(fx.folder->path());
        box("txtFlpath")->setText(fx.folder->mkdir(QStringLiteral("q2")));
        click("Command4");
        QCOMPARE(box("txtCo_name")->text(), QStringLiteral("不該寫入"));
        // Another workstation's change of the company since: asked; 是 writes only the name typed here.
        fx.openDb()->execute(QStringLiteral("UPDATE company SET 電話 = '02-9999'"));
        dialogs.expectMessage(ui::Answer::Yes);
        dialogs.expectMessage();
        click("Command3");
        VERIFY_DIALOGS(dialogs);
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("公司資料已在別處變更：電話\r\n")));
        const QStringList stored = shell::readCompany(*fx.openDb());
        QCOMPARE(stored.at(0), QStringLiteral("不該寫入"));
        QCOMPARE(stored.at(2), QStringLiteral("02-9999"));
        QCOMPARE(box("txtCo_tel")->text(), QStringLiteral("02-9999"));
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
