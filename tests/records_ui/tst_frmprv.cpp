// The vendor window: the supply code both ways, the category boxes' question by mouse and by
// keyboard, the supply filters, the links editor from the window, and the vendor delete.
#include "RecordsUiFixture.h"
#include "ScriptedDialogs.h"
#include "db/FaultInjection.h"
#include "frmPrv.h"
#include "frmWP.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
const QString kDemolish = QStringLiteral("大同拆除工程行"); // code 1, crews 拆除 and 清潔

QStringList entries(const QListWidget* l) {
    QStringList s;
    for (int i = 0; i < l->count(); ++i)
        s << l->item(i)->text();
    return s;
}
} // namespace

class TestFrmPrv : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

    frmPrv* openOn(const QString& vendor) {
        frmPrv* f = showForm<frmPrv>();
        f->HFG_Click(rowOf(f, vendor));
        return f;
    }
    int links(const char* table, const QString& vendor) {
        return fx.scalar(QStringLiteral("SELECT count(*) FROM %1 WHERE 廠商名稱 = ?").arg(QString::fromUtf8(table)), {vendor})
            .toInt();
    }
    int code(const QString& vendor) {
        return fx.scalar(QStringLiteral("SELECT 供應類別 FROM 廠商 WHERE 廠商名稱 = ?"), {vendor}).toInt();
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void showsTheCategoriesAndLinks() {
        frmPrv* f = openOn(kDemolish);
        QCOMPARE(f->windowTitle(), QStringLiteral("廠商資料"));
        QCOMPARE(mdPro::CurrentVendorName, kDemolish);
        QVERIFY(child<QCheckBox>(f, "ck(0)")->isChecked());
        QVERIFY(!child<QCheckBox>(f, "ck(1)")->isChecked());
        QVERIFY(shown(child<QGroupBox>(f, "Fm1")));
        QVERIFY(!shown(child<QGroupBox>(f, "Fm2")));
        QCOMPARE(entries(child<QListWidget>(f, "Lw")), (QStringList{QStringLiteral("拆除"), QStringLiteral("清潔")}));
        QCOMPARE(f->boxText(QStringLiteral("T38")), kDemolish);
        // Another vendor replaces the lists; an odd code clears both boxes.
        fx.openDb()->execute(QStringLiteral("UPDATE 廠商 SET 供應類別 = 5 WHERE 廠商名稱 = ?"), {kDemolish});
        f->HFG_Click(rowOf(f, kDemolish));
        QVERIFY(!child<QCheckBox>(f, "ck(0)")->isChecked());
        QVERIFY(!shown(child<QGroupBox>(f, "Fm1")));
        QCOMPARE(child<QListWidget>(f, "Lw")->count(), 0);
    }

    void supplyCodeSavedFromTheBoxes_data() {
        QTest::addColumn<bool>("work");
        QTest::addColumn<bool>("material");
        QTest::addColumn<int>("code");
        QTest::newRow("both") << true << true << 3;
        QTest::newRow("materials") << false << true << 2;
        QTest::newRow("neither") << false << false << 0;
    }
    void supplyCodeSavedFromTheBoxes() {
        QFETCH(bool, work);
        QFETCH(bool, material);
        QFETCH(int, code);
        fx.openDb()->execute(QStringLiteral("DELETE FROM 商vs工 WHERE 廠商名稱 = ?"), {kDemolish});
        frmPrv* f = openOn(kDemolish);
        f->cmdEdit_Click();
        QVERIFY(child<QCheckBox>(f, "ck(0)")->isEnabled());
        ScriptedDialogs dialogs; // no links: clearing a box asks nothing
        child<QCheckBox>(f, "ck(0)")->setChecked(work);
        child<QCheckBox>(f, "ck(1)")->setChecked(material);
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(this->code(kDemolish), code);
        f->HFG_Click(rowOf(f, kDemolish));
        QCOMPARE(child<QCheckBox>(f, "ck(0)")->isChecked(), work);
        QCOMPARE(child<QCheckBox>(f, "ck(1)")->isChecked(), material);
    }

    void uncheckingAsksByMouseAndByKeyboard() {
        frmPrv* f = openOn(kDemolish);
        f->cmdEdit_Click();
        auto* ck0 = child<QCheckBox>(f, "ck(0)");
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::No);
        QTest::mouseClick(ck0, Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("這個動作會將(負責工班)內的資料刪除\r\n確定執行?"));
        QCOMPARE(dialogs.messages().last().defaultButton, 2);
        QVERIFY(ck0->isChecked());
        QVERIFY(shown(child<QGroupBox>(f, "Fm1")));
        QCOMPARE(links("商vs工", kDemolish), 2);

        dialogs.clear();
        dialogs.expectMessage(ui::Answer::Yes);
        ck0->setFocus();
        QTest::keyClick(ck0, Qt::Key_Space);
        VERIFY_DIALOGS(dialogs);
        QVERIFY(!ck0->isChecked());
        QVERIFY(!shown(child<QGroupBox>(f, "Fm1")));
        QCOMPARE(child<QListWidget>(f, "Lw")->count(), 0);
        QCOMPARE(links("商vs工", kDemolish), 0);
        // Cancel brings nothing back; the stored code stays until a save.
        f->cmdN_Click();
        QCOMPARE(links("商vs工", kDemolish), 0);
        QCOMPARE(code(kDemolish), 1);

        // Unchecking with an empty list or a hidden frame asks nothing.
        f->cmdEdit_Click();
        dialogs.clear();
        ck0->setChecked(true);
        ck0->setChecked(false);
        VERIFY_DIALOGS(dialogs);
    }

    void editButtonsStandInTheDetailArea() {
        frmPrv* f = openOn(kDemolish);
        auto* frame2 = child<QGroupBox>(f, "Frame2");
        QVERIFY(!child<QGroupBox>(f, "Frame1")->isAncestorOf(frame2)); // in view while the details scroll
        for (const char* name : {"cmdEdit", "cmdY", "cmdN"})
            QCOMPARE(child<QPushButton>(f, name)->parentWidget(), frame2);
        QCOMPARE(child<QLabel>(f, "Label1")->text(), QStringLiteral("敘述："));
        QCOMPARE(child<QLabel>(f, "Label2")->text(), QStringLiteral("搜尋條件:"));
        // 修改 is reached from the full page; 確定 and 取消 take its place while editing.
        f->Command2_Click();
        QVERIFY(child<QPushButton>(f, "cmdEdit")->isVisible());
        QTest::mouseClick(child<QPushButton>(f, "cmdEdit"), Qt::LeftButton);
        QCOMPARE(f->Mode, QStringLiteral("EditF"));
        QVERIFY(child<QPushButton>(f, "cmdY")->isVisible());
        QVERIFY(!child<QPushButton>(f, "cmdEdit")->isVisible());
        QTest::mouseClick(child<QPushButton>(f, "cmdN"), Qt::LeftButton);
        QVERIFY(child<QPushButton>(f, "cmdEdit")->isVisible());
    }

    void noButtonFrameWithoutTheEditRight() {
        mdM::UserRights = 0;
        openOn(kDemolish)->Command2_Click();
        QVERIFY(!shown(child<QGroupBox>(ui::Default<frmPrv>::get(), "Frame2")));
    }

    void newVendorHasNoCategories() {
        frmPrv* f = showForm<frmPrv>();
        f->cmdAdd_Click();
        QVERIFY(!child<QCheckBox>(f, "ck(0)")->isEnabled());
        QVERIFY(!child<QCheckBox>(f, "ck(1)")->isChecked());
        QVERIFY(!shown(child<QGroupBox>(f, "Fm1")));
        QCOMPARE(child<QComboBox>(f, "cbW")->currentText(), QString());
        f->setBoxText(QStringLiteral("T2"), QStringLiteral("New Crew"));
        QCOMPARE(f->boxText(QStringLiteral("T39")), QStringLiteral("New Crew"));
        QCOMPARE(f->boxText(QStringLiteral("T3")), QStringLiteral("New "));
        f->T2_Validate();
        QCOMPARE(f->boxText(QStringLiteral("T1")), QStringLiteral("N001"));
        ScriptedDialogs dialogs;
        f->cmdY_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(code(QStringLiteral("New Crew")), 0);
        QCOMPARE(f->LastSavedGroup, QStringLiteral("N0"));
    }

    void supplyFilters() {
        frmPrv* f = showForm<frmPrv>();
        auto* cbW = child<QComboBox>(f, "cbW");
        auto* cbP = child<QComboBox>(f, "cbP");
        QCOMPARE(cbW->currentText(), QStringLiteral("工班"));
        QCOMPARE(cbP->currentText(), QStringLiteral("材料"));
        cbW->setCurrentIndex(cbW->findText(QStringLiteral("拆除")));
        f->cbW_Click();
        QCOMPARE(mdPro::WPListMode, QStringLiteral("w"));
        QCOMPARE(f->grid().rowCount(), 1);
        QCOMPARE(f->grid().cell(0, 2), kDemolish);
        cbP->setCurrentIndex(cbP->findText(QStringLiteral("磁磚")));
        f->cbP_Click();
        QCOMPARE(f->grid().cell(0, 2), QStringLiteral("建興建材行"));
        QCOMPARE(cbW->currentText(), QStringLiteral("拆除")); // the other box keeps its text

        cbP->setEditText(QStringLiteral("金箔"));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cbP_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("所選無資料"));
        QCOMPARE(dialogs.messages().last().icon, ui::Icon::None);
        QCOMPARE(cbW->currentText(), QStringLiteral("工班"));
        QCOMPARE(cbP->currentText(), QStringLiteral("材料"));
        QCOMPARE(f->grid().cell(0, 2), QStringLiteral("建興建材行"));
    }

    void linksEditorFromTheWindow() {
        frmPrv* f = openOn(kDemolish);
        f->cmdEdit_Click();
        QTimer::singleShot(0, [this] {
            QTRY_VERIFY(ui::Default<frmWP>::isLoaded());
            frmWP* wp = ui::Default<frmWP>::get();
            QCOMPARE(wp->windowTitle(), QStringLiteral("施工廠商 編輯"));
            QCOMPARE(child<QLabel>(wp, "lbCusName")->text(), QStringLiteral("目前廠商：【大同拆除工程行】"));
            child<QListWidget>(wp, "LsAll")->item(0)->setSelected(true);
            wp->cmAd_Click();
            fx.openDb()->execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, '油漆')"), {kDemolish}); // another workstation
            wp->Command1_Click();
        });
        child<QPushButton>(f, "cmW")->click();
        QCOMPARE(entries(child<QListWidget>(f, "Lw")),
                 (QStringList{QStringLiteral("拆除"), QStringLiteral("清潔"), QStringLiteral("油漆"), QStringLiteral("泥作")}));
        QCOMPARE(links("商vs工", kDemolish), 4);

        // 取消 writes nothing, and the list is read again.
        QTimer::singleShot(0, [] {
            QTRY_VERIFY(ui::Default<frmWP>::isLoaded());
            frmWP* wp = ui::Default<frmWP>::get();
            wp->cmMv_Click();
            child<QListWidget>(wp, "LsO")->item(0)->setSelected(true);
            wp->cmMv_Click();
            wp->Command2_Click();
        });
        child<QPushButton>(f, "cmW")->click();
        QCOMPARE(links("商vs工", kDemolish), 4);
        QCOMPARE(child<QListWidget>(f, "Lw")->count(), 4);

        // Without a name the editor does not open.
        f->setBoxText(QStringLiteral("T2"), QString());
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmW_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().title, QStringLiteral("Kavo III"));
    }

    // Links that could not be read are neither edited nor written.
    void linksAfterAFailedRead() {
        frmPrv* f = openOn(kDemolish);
        f->cmdEdit_Click();
        db::fault::failTable(QStringLiteral("商vs工"), db::fault::Error::IoError, db::fault::Access::Read);
        ScriptedDialogs dialogs;
        dialogs.expectMessage(); // the editor's lists
        dialogs.expectMessage(); // the window's list after it
        QTimer::singleShot(0, [] {
            frmWP* wp = ui::Default<frmWP>::get();
            clickButton(wp, "Command1");
            clickButton(wp, "Command4");
        });
        clickButton(f, "cmW");
        db::fault::clear();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(links("商vs工", kDemolish), 2);
        QVERIFY(!child<QPushButton>(f, "cmW")->isEnabled() && !child<QCheckBox>(f, "ck(0)")->isEnabled());
        QVERIFY(child<QListWidget>(f, "Lw")->toolTip().startsWith(QStringLiteral("未能載入："))); // not a vendor without crews
    }

    void deleteRemovesTheLinks() {
        const QString vendor = QStringLiteral("建興建材行");
        frmPrv* f = showForm<frmPrv>();
        f->Command3_Click();
        f->HFG_Click(rowOf(f, vendor));
        fx.openDb()->execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, '泥作')"), {vendor});
        ScriptedDialogs dialogs;
        dialogs.expectMessage(ui::Answer::Yes);
        f->cmdDel_Click();
        VERIFY_DIALOGS(dialogs);
        QVERIFY(mdPro::CurrentVendorName.isEmpty());
        QCOMPARE(fx.scalar(QStringLiteral("SELECT count(*) FROM 廠商 WHERE 廠商名稱 = ?"), {vendor}).toInt(), 0);
        QCOMPARE(links("商vs工", vendor), 0);
        QCOMPARE(links("商vs料", vendor), 0);
        QVERIFY(links("商vs料", QStringLiteral("明亮燈飾有限公司")) > 0);

        dialogs.expectMessage();
        f->cmdEdit_Click();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(dialogs.messages().last().text, QStringLiteral("請先選取表格中一個廠商"));
    }
};

QTEST_MAIN(TestFrmPrv)
#include "tst_frmprv.moc"
