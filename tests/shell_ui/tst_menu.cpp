// The main menu bar: buttons follow the rights word, the bar folds and unfolds, stays on top, reads
// auto.ini, and its exit closes every window through its own close path.
#include "ScriptedDialogs.h"
#include "ShellUiFixture.h"
#include "frmMenu.h"
#include "frmSet.h"
#include "ui/Placement.h"
#include "ui/StayOnTop.h"
#include "ui/Twips.h"

#include <QPushButton>
#include <QtTest>

namespace {
// A window whose close path can refuse, as the quotation editor does on Cancel.
class RefusingForm : public ui::Form {
public:
    static inline bool refuse = true;
    static inline int asked = 0;
    // Whether the window stood in front, restored and active, when it asked.
    static inline bool inFront = false;

protected:
    bool Form_QueryUnload() override {
        ++asked;
        inFront = !isMinimized() && isActiveWindow();
        return !refuse;
    }
};

const char* const kButtons[] = {"cmdQ", "cmdC", "cmdP", "cmdSt", "cmdSa", "cmdPws", "Command2", "Command1"};
} // namespace

class TestMenu : public QObject {
    Q_OBJECT
private:
    ShellUiFixture fx;

    frmMenu* menu(int rights = 4095) {
        mdM::UserRights = rights;
        return showForm<frmMenu>();
    }

private slots:
    void init() {
        QVERIFY(fx.setUp());
        RefusingForm::refuse = true;
        RefusingForm::asked = 0;
        RefusingForm::inFront = false;
    }
    void cleanup() { fx.tearDown(); }

    void buttonsFollowTheRightsWord_data() {
        QTest::addColumn<int>("rights");
        QTest::addColumn<QString>("enabled"); // one letter per button in kButtons order
        QTest::newRow("4095") << 4095 << "11111111";
        QTest::newRow("0") << 0 << "00000011";
        QTest::newRow("query only (5, 7, 9, 11)") << (16 + 64 + 256 + 1024) << "01111011";
        QTest::newRow("edit only (4, 6, 8, 10)") << (8 + 32 + 128 + 512) << "01111011";
        QTest::newRow("prices and costs only (1, 2)") << 3 << "00000011";
        QTest::newRow("quotation (3)") << 4 << "10000011";
        QTest::newRow("settings (12)") << 2048 << "00000111";
        QTest::newRow("staff query (9)") << 256 << "00010011";
    }
    void buttonsFollowTheRightsWord() {
        QFETCH(int, rights);
        QFETCH(QString, enabled);
        frmMenu* m = menu(rights);
        for (int i = 0; i < 8; ++i) {
            auto* b = child<QPushButton>(m, kButtons[i]);
            QVERIFY2(b, kButtons[i]);
            QVERIFY2(b->isEnabled() == (enabled.at(i) == QLatin1Char('1')), kButtons[i]);
        }
    }

    void captionsAndPlace() {
        frmMenu* m = menu();
        QCOMPARE(m->windowTitle(), QStringLiteral("澄築工房 III"));
        QCOMPARE(child<QPushButton>(m, "cmdSa")->text(), QStringLiteral("工程資料&詞庫"));
        QVERIFY(ui::isStayOnTop(m));
        QCOMPARE(m->frameGeometry().top(), ui::screenRect(m).top());
        QCOMPARE(ui::screenRect(m).right() + 1 - (m->frameGeometry().right() + 1),
                 ui::twipsToPixelsX(900, m));
    }

    void foldAndUnfold() {
        frmMenu* m = menu();
        const int unfolded = m->height();
        auto* fold = child<QPushButton>(m, "Command2");
        QTest::mouseClick(fold, Qt::LeftButton);
        QCOMPARE(m->heightTwips(), frmMenu::kFoldedHeight);
        QVERIFY(m->height() < unfolded);
        QCOMPARE(m->frameGeometry().top(), ui::screenRect(m).top());
        QTest::mouseClick(fold, Qt::LeftButton);
        QCOMPARE(m->heightTwips(), frmMenu::kUnfoldedHeight);
        QCOMPARE(m->height(), unfolded);

        // The mouse over a button of the folded strip brings the bar back; over the unfolded bar
        // it changes nothing.
        m->Command2_Click();
        QTest::mouseMove(child<QPushButton>(m, "cmdQ"));
        QTRY_COMPARE(m->heightTwips(), frmMenu::kUnfoldedHeight);
        QTest::mouseMove(child<QPushButton>(m, "Command1"));
        QCOMPARE(m->heightTwips(), frmMenu::kUnfoldedHeight);
    }

    void readsAutoIniAtLoad_data() {
        QTest::addColumn<QString>("fileName"); // empty: no file
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("on");
        QTest::addColumn<int>("interval");
        QTest::newRow("on, 5") << "auto.ini" << QStringList{"1", "5"} << true << 5;
        QTest::newRow("name in other letter case") << "Auto.INI" << QStringList{"1", "7"} << true << 7;
        QTest::newRow("leading blank") << "auto.ini" << QStringList{" 1", "5abc"} << false << 5;
        QTest::newRow("trailing blank, empty interval") << "auto.ini" << QStringList{"1 ", ""} << false << 0;
        QTest::newRow("one line only") << "auto.ini" << QStringList{"1"} << true << 0;
        QTest::newRow("interval above 32767") << "auto.ini" << QStringList{"1", "99999"} << true << 32767;
        QTest::newRow("negative interval") << "auto.ini" << QStringList{"0", "-3"} << false << 0;
        QTest::newRow("missing file") << "" << QStringList{} << false << 0;
    }
    void readsAutoIniAtLoad() {
        QFETCH(QString, fileName);
        QFETCH(QStringList, lines);
        QFETCH(bool, on);
        QFETCH(int, interval);
        QFile::remove(fx.folder->file(QStringLiteral("auto.ini")));
        if (!fileName.isEmpty())
            QVERIFY(fx.folder->writeSettings(fileName, lines));
        mdM::AutoSaveOn = !on;
        mdM::AutoSaveInterval = 99;
        menu();
        QCOMPARE(mdM::AutoSaveOn, on);
        QCOMPARE(mdM::AutoSaveInterval, interval);
    }

    void settingsButtonOpensTheSettingsWindow() {
        ui::installWindowPlacement();
        frmMenu* m = menu();
        // It opens in the middle below the bar whatever window is active.
        QWidget other;
        other.setGeometry(ui::fitInside(QRect(0, 0, 200, 100), ui::openingArea()));
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTest::mouseClick(child<QPushButton>(m, "cmdPws"), Qt::LeftButton);
        QVERIFY(ui::Default<frmSet>::isLoaded());
        frmSet* f = ui::Default<frmSet>::get();
        QVERIFY(f->isVisible());
        QVERIFY((f->frameGeometry().center() - ui::openingArea(f).center()).manhattanLength() <= 2);
        // Minimised, the next presses bring it back in front.
        f->showMinimized();
        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(child<QPushButton>(m, "cmdPws"), Qt::LeftButton);
            QVERIFY(!f->isMinimized());
            QTRY_VERIFY(f->isActiveWindow());
        }
    }

    void exitAnsweredNoKeepsEverything() {
        frmMenu* m = menu();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QTest::mouseClick(child<QPushButton>(m, "Command1"), Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);
        const ui::MessageRequest q = dialogs.messages().at(0);
        QCOMPARE(q.text, QStringLiteral("是否要結束澄築工房?"));
        QCOMPARE(q.buttons, ui::Buttons::YesNo);
        QCOMPARE(q.icon, ui::Icon::Question);
        QCOMPARE(q.defaultButton, 2);
        QCOMPARE(q.title, QStringLiteral("Kavo III"));
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QVERIFY(m->isVisible());
        QCOMPARE(fx.exits, 0);
    }

    void exitAnsweredYesEndsTheProgram() {
        frmMenu* m = menu();
        showForm<RefusingForm>();
        RefusingForm::refuse = false;
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        m->Command1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(RefusingForm::asked, 1);
        QVERIFY(!ui::Default<RefusingForm>::isLoaded());
        QVERIFY(!ui::Default<frmMenu>::isLoaded());
        QCOMPARE(fx.exits, 1);
    }

    void exitWithNoOtherWindowEndsTheProgramAtOnce() {
        frmMenu* m = menu();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        m->Command1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(ui::loadedForms().size(), 0); // no window was loaded on the way
        QCOMPARE(fx.exits, 1);
    }

    // A minimised window asks its question from in front.
    void exitBringsAMinimisedWindowForward() {
        frmMenu* m = menu();
        showForm<RefusingForm>()->showMinimized();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        m->Command1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(RefusingForm::asked, 1);
        QVERIFY(RefusingForm::inFront);
    }

    void exitWithAWindowThatRefusesKeepsRunning() {
        frmMenu* m = menu();
        showForm<RefusingForm>();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        m->Command1_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(RefusingForm::asked, 1);
        QVERIFY(ui::Default<RefusingForm>::isLoaded());
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        QVERIFY(m->isVisible());
        QCOMPARE(fx.exits, 0);
    }

    void closingTheBarTakesTheExitPath() {
        frmMenu* m = menu();
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(!m->close());
        QVERIFY(ui::Default<frmMenu>::isLoaded());
        dialogs.expectMessage(ui::Answer::Yes);
        QVERIFY(m->close());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.exits, 1);
    }
};

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
