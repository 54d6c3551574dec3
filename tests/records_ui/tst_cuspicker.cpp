// The customer window as the quotation editor's picker: the hand-over of five fields, Cancel
// and the close box, the refusal without a chosen customer, and the editor's customer button.
#include "CustomerPicker.h"
#include "RecordsUiFixture.h"
#include "PickerScript.h"
#include "ScriptedDialogs.h"
#include "frmCus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
const QString kDental = QStringLiteral("大安牙醫診所");
const QString kNone = QStringLiteral("請先選取表格中一個客戶");
} // namespace

class TestCusPicker : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

private slots:
    void init() {
        QVERIFY(fx.setUp());
        mdM::QuoteCustName = QStringLiteral("舊客戶");
    }
    void cleanup() { fx.tearDown(); }

    void handsOverFiveFields() {
        mdM::CusOpenedFromQuote = true;
        frmCus* f = showForm<frmCus>();
        QVERIFY(shown(child<QPushButton>(f, "cmd2Q")));
        f->HFG_Click(rowOf(f, kDental));
        f->setBoxText(QStringLiteral("T24"), QStringLiteral("未存的連絡人")); // not what is stored
        f->cmd2Q_Click();
        QVERIFY(!ui::Default<frmCus>::isLoaded());
        QVERIFY(mdM::CusPicked);
        QCOMPARE(mdM::QuoteCustName, kDental);
        QCOMPARE(mdM::QuoteSiteAddress, QStringLiteral("台北市大安區信義路四段236號2樓"));
        const auto db = fx.openDb();
        const QString phone = db->scalar(QStringLiteral("SELECT 電話1 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString();
        const QString fax = db->scalar(QStringLiteral("SELECT 公司傳真 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString();
        QCOMPARE(mdM::QuoteCustPhone, QString(phone).remove(QLatin1Char(';')));
        QCOMPARE(mdM::QuoteCustFax, QString(fax).remove(QLatin1Char(';')));
        const QString contact =
            db->scalar(QStringLiteral("SELECT 連絡人 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental}).toString();
        QCOMPARE(mdM::QuoteContact, contact);
        QVERIFY(mdM::CusOpenedFromQuote);
    }

    void refusesWithoutAChosenCustomer() {
        mdM::CusOpenedFromQuote = true;
        frmCus* f = showForm<frmCus>();
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmd2Q_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("請先選取表格中一個客戶"));
        QVERIFY(ui::Default<frmCus>::isLoaded());
        QVERIFY(!mdM::CusPicked);
        QCOMPARE(mdM::QuoteCustName, QStringLiteral("舊客戶"));
    }

    // Only a saved customer on screen is handed over.
    void handsOverOnlyASavedCustomer() {
        mdM::CusOpenedFromQuote = true;
        frmCus* f = showForm<frmCus>();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        dialogs.expectMessage();
        for (const char* b : {"cmdAdd", "cmd2Q", "cmdN", "cmd2Q", "cmdAdd"})
            clickButton(f, b);
        typeText(f->box(QStringLiteral("T2")), QStringLiteral("新客戶"));
        clickButton(f, "cmdY");
        clickButton(f, "cmd2Q");
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請先儲存"));
        QCOMPARE(mdM::QuoteCustName, QStringLiteral("新客戶"));
    }

    // 取消 leaves only what is stored: nothing after a new customer, the customer as stored after
    // an edit.
    void cancelledTypingIsNeverHandedOver() {
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        QString afterAdd, afterEdit; // the boxes after each 取消
        whenPickerShows([&](frmCus* f) {
            clickButton(f, "cmdAdd");
            typeText(f->box(QStringLiteral("T2")), QStringLiteral("未存客戶"));
            typeText(f->box(QStringLiteral("T8")), QStringLiteral("中山路1號"));
            clickButton(f, "cmdN");
            afterAdd = f->boxText(QStringLiteral("T2"));
            clickButton(f, "cmd2Q");
            clickRow(f, rowOf(f, kDental));
            clickButton(f, "cmdEdit");
            typeText(f->box(QStringLiteral("T8")), QStringLiteral("中山路1號"));
            clickButton(f, "cmdN");
            afterEdit = f->boxText(QStringLiteral("cb2")) + f->boxText(QStringLiteral("T8"));
            clickButton(f, "cmd2Q");
        });
        QVERIFY(records::pickCustomerForQuote());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請先選取表格中一個客戶"));
        QCOMPARE(afterAdd, QString());
        QCOMPARE(afterEdit, mdM::QuoteSiteAddress);
        QCOMPARE(mdM::QuoteCustName, kDental);
        QCOMPARE(mdM::QuoteSiteAddress,
                 fx.scalar(QStringLiteral("SELECT 施工地址 FROM 客戶 WHERE 客戶名稱 = ?"), {kDental})
                     .toString()
                     .remove(u';'));
    }

    // Only a customer whose line is listed and drawn as chosen is handed over; one that is gone or
    // could not be read is said once and no longer chosen.
    void handsOverOnlyTheLineDrawnAsChosen_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QStringList>("messages"); // the beginning of each; "*": the database's reason
        QTest::addColumn<QString>("handedOver");
        const QStringList none{kNone};
        QTest::newRow("a search without him") << "click 林志明, search Sunrise, hand over" << none << "";
        QTest::newRow("a search listing him") << "click 林志明, search 林志明, hand over" << QStringList{} << "林志明";
        QTest::newRow("a group without him") << "click 林志明, group 03, hand over" << none << "";
        QTest::newRow("新增 and 取消 after a search") << "click 林志明, search Sunrise, add, cancel, hand over" << none << "";
        QTest::newRow("a group listed while adding") << "click 林志明, add, group 03, cancel, hand over" << none << "";
        QTest::newRow("gone") << "gone 林志明, click 林志明, hand over" << QStringList{"這筆資料已不存在", kNone} << "";
        QTest::newRow("held, then chosen again")
            << "click 林志明, hold, hand over, release, hand over, click 林志明, hand over" << QStringList{"*", kNone}
            << "林志明";
    }
    void handsOverOnlyTheLineDrawnAsChosen() {
        QFETCH(QString, route);
        QFETCH(QStringList, messages);
        QFETCH(QString, handedOver);
        mdM::CusOpenedFromQuote = true;
        frmCus* f = showForm<frmCus>();
        f->Command3_Click();
        ScriptedDialogs dialogs;
        walkRoute(f, dialogs, route);
        QCOMPARE(said(dialogs, messages), messages);
        QCOMPARE(mdM::QuoteCustName, handedOver.isEmpty() ? QStringLiteral("舊客戶") : handedOver);
        QVERIFY(!handedOver.isEmpty() || nothingChosen(f));
    }

    void closingOtherwisePicksNothing() {
        mdM::CusOpenedFromQuote = true;
        frmCus* f = showForm<frmCus>();
        f->HFG_Click(0);
        f->close();
        QVERIFY(!ui::Default<frmCus>::isLoaded());
        QVERIFY(!mdM::CusPicked);
        QCOMPARE(mdM::QuoteCustName, QStringLiteral("舊客戶"));
        // From the menu bar there is no hand-over button, and the flag does not survive.
        mdM::CusOpenedFromQuote = false;
        mdM::CusPicked = true;
        f = showForm<frmCus>();
        QVERIFY(!shown(child<QPushButton>(f, "cmd2Q")));
        f->close();
        QVERIFY(!mdM::CusPicked);
    }

    void editorButtonPicksThroughTheModalWindow() {
        whenPickerShows([](frmCus* f) {
            QVERIFY(shown(child<QPushButton>(f, "cmd2Q")));
            f->HFG_Click(rowOf(f, kDental));
            f->cmd2Q_Click();
        });
        QVERIFY(records::pickCustomerForQuote());
        QCOMPARE(mdM::QuoteCustName, kDental);

        for (const bool byEscape : {false, true}) { // the close button, Esc: nothing handed over
            bool open = true;
            whenPickerShows([byEscape, &open](frmCus* f) {
                f->HFG_Click(0);
                if (byEscape && QTest::qWaitForWindowActive(f)) {
                    auto* box = child<QComboBox>(f, "Combo1");
                    box->showPopup(); // the first Esc closes the open list only
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                    QVERIFY(ui::Default<frmCus>::isLoaded() && !box->view()->isVisible());
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                }
                if ((open = ui::Default<frmCus>::isLoaded()))
                    f->close();
            });
            QVERIFY(!records::pickCustomerForQuote());
            QCOMPARE(open, !byEscape);
            QCOMPARE(mdM::QuoteCustName, kDental);
        }
    }

    void editorButtonReopensAMenuWindow() {
        mdM::CusOpenedFromQuote = false;
        frmCus* menuWindow = showForm<frmCus>();
        menuWindow->cmdAdd_Click();
        menuWindow->setBoxText(QStringLiteral("T2"), QStringLiteral("打到一半"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QVERIFY(!records::pickCustomerForQuote());
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::Question);
        QVERIFY(ui::Default<frmCus>::isLoaded());
        QCOMPARE(menuWindow->boxText(QStringLiteral("T2")), QStringLiteral("打到一半"));

        dialogs.clear();
        dialogs.expectMessage(ui::Answer::Yes);
        whenPickerShows([](frmCus* f) {
            QVERIFY(shown(child<QPushButton>(f, "cmd2Q")));
            QVERIFY(!f->isEditing());
            f->close();
        });
        QVERIFY(!records::pickCustomerForQuote());
        VERIFY_DIALOGS(dialogs);

        // A window that is only browsing is closed without a question.
        mdM::CusOpenedFromQuote = false;
        showForm<frmCus>();
        whenPickerShows([](frmCus* f) { f->close(); });
        QVERIFY(!records::pickCustomerForQuote());
    }
};

QTEST_MAIN(TestCusPicker)
#include "tst_cuspicker.moc"
