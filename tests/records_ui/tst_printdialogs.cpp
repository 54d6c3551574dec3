// The print choice and the column chooser of the record windows, driven as the user does.
#include "../records/RecordPrintFixture.h"
#include "PrintOutput.h"
#include "ScriptedDialogs.h"
#include "frmPrt.h"
#include "frmCus.h"
#include "frmPsel.h"
#include "frmSta.h"

#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

namespace {

QStringList entries(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

void select(QListWidget* l, const QList<int>& rows) {
    l->clearSelection();
    for (int r : rows)
        l->item(r)->setSelected(true);
    if (!rows.isEmpty())
        l->setCurrentRow(rows.last(), QItemSelectionModel::Current);
}

} // namespace

class TestPrintDialogs : public QObject {
    Q_OBJECT

    RecordPrintFixture fx;

    frmPrt* chooser(int party) {
        mdM::ListPrintParty = party;
        frmPrt* f = ui::Default<frmPrt>::get();
        f->fillFields(party);
        return f;
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() {
        for (ui::Form* f : ui::loadedForms())
            delete f;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fx.tearDown();
    }

    void addAndRemoveKeepTheirOrder() {
        frmPrt* f = chooser(1);
        const QStringList all = entries(f->lstOr);
        QCOMPARE(all.size(), 34);
        QVERIFY(entries(f->lstTa).isEmpty());
        select(f->lstOr, {3, 1});
        f->cmAd_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{all[1], all[3]})); // in the order of the list
        select(f->lstOr, {0});
        f->cmAd_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{all[1], all[3], all[0]}));
        QCOMPARE(f->lstOr->count(), 31);
        QVERIFY(!entries(f->lstOr).contains(all[0]));
        select(f->lstTa, {0});
        f->cmMv_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{all[3], all[0]}));
        QCOMPARE(entries(f->lstOr).last(), all[1]); // back at the end, not at its place
        // Refilling the offered columns never offers a chosen one again.
        f->fillFields(1);
        QCOMPARE(f->lstOr->count(), 32);
        for (const QString& chosen : entries(f->lstTa))
            QVERIFY(!entries(f->lstOr).contains(chosen));
    }

    void upAndDown() {
        frmPrt* f = chooser(3);
        QCOMPARE(f->lstOr->count(), 17);
        select(f->lstOr, {0, 1, 2});
        f->cmAd_Click();
        const QStringList start = entries(f->lstTa);
        {
            ScriptedDialogs dialogs;
            dialogs.expectMessage();
            dialogs.expectMessage();
            f->lstTa->clearSelection();
            f->cmdUp_Click();
            f->cmdDn_Click();
            QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
            QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("請先選取 再行調整順序"));
            QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::None);
            QCOMPARE(dialogs.messages().at(0).title, QStringLiteral("Kavo III"));
        }
        ScriptedDialogs none;
        select(f->lstTa, {0});
        f->cmdUp_Click(); // the first: a beep only
        QCOMPARE(entries(f->lstTa), start);
        select(f->lstTa, {2});
        f->cmdDn_Click(); // the last: a beep only
        QCOMPARE(entries(f->lstTa), start);
        f->cmdUp_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{start[0], start[2], start[1]}));
        QCOMPARE(f->lstTa->currentRow(), 1);
        f->cmdUp_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{start[2], start[0], start[1]}));
        f->cmdDn_Click();
        QCOMPARE(entries(f->lstTa), (QStringList{start[0], start[2], start[1]}));
        QCOMPARE(f->lstTa->currentRow(), 1);
        QVERIFY(none.ok());
    }

    void printRefusals() {
        frmPrt* f = chooser(1);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdP_Click(); // no field chosen
        QVERIFY(fx.outputs().isEmpty());
        // Without a spreadsheet application the list is saved and its path given.
        sys::setSpreadsheetAppOverride(false);
        select(f->lstOr, {0});
        f->cmAd_Click();
        dialogs.expectMessage();
        f->cmdP_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("沒有選取欄位\r\n無法列印"));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Exclamation);
        QCOMPARE(fx.outputs().size(), 1);
        QVERIFY(dialogs.messages().at(1).text.startsWith(QStringLiteral("系統偵測無 Excel\r\n無法列印\r\n")));
        QVERIFY(dialogs.messages().at(1).text.endsWith(fx.outputs().first()));
    }

    void printsTheChosenColumns() {
        frmPrt* f = chooser(1);
        select(f->lstOr, {1, 0});
        f->cmAd_Click();
        ScriptedDialogs dialogs;
        f->cmdP_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(fx.outputs().size(), 1);
        QCOMPARE(RecordPrintFixture::opened.size(), 1);
        auto book = wb::Workbook::open(RecordPrintFixture::opened.first());
        QCOMPARE(book->sheet(1).text(2, 1), QStringLiteral("客戶編號"));
        QCOMPARE(book->sheet(1).text(3, 2), QStringLiteral("甲公司"));
        QVERIFY(!f->ani->isVisible());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(ui::Default<frmPrt>::isLoaded()); // stays for another choice
    }

    void failuresAreShownAndTheIndicatorStops() {
        frmPrt* f = chooser(2);
        select(f->lstOr, {0});
        f->cmAd_Click();
        QVERIFY(QFile::remove(fx.templatePath(QStringLiteral("廠商資料.xlsx"))));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        f->cmdP_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QVERIFY(dialogs.messages().at(0).text.startsWith(QStringLiteral("找不到範本檔\r\n")));
        QVERIFY(dialogs.messages().at(0).text.contains(QStringLiteral("廠商資料.xlsx")));
        QVERIFY(!f->ani->isVisible());
        QVERIFY(!f->ani->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(fx.outputs().isEmpty());

        // The application could not show the file: its path is given.
        wb::setSpreadsheetOpener([](const QString&) { return false; });
        f->lstTa->clear();
        f = chooser(1);
        select(f->lstOr, {0});
        f->cmAd_Click();
        dialogs.expectMessage();
        f->cmdP_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(fx.outputs().size(), 1);
        QVERIFY(dialogs.messages().at(1).text.endsWith(fx.outputs().first()));
    }

    // A text longer than a cell holds is cut short of the character that would not fit whole, and
    // its cell is named by record; the list and the labels are printed.
    void longTextsAreCutAndNamed() {
        const QString fits(32766, u'長');
        fx.db->execute(QStringLiteral("update 客戶 set 公司地址 = ? where 客戶編號 = 'C002'"),
                       {fits + QStringLiteral("葛\U000E0100尾")});
        frmPrt* f = chooser(1);
        select(f->lstOr, {0, int(entries(f->lstOr).indexOf(QStringLiteral("公司地址")))});
        f->cmAd_Click();
        mdM::ListPrintParty = 1;
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        dialogs.expectMessage();
        QTest::mouseClick(f->cmdP, Qt::LeftButton);
        QTest::mouseClick(ui::Default<frmPsel>::get()->cmdNext, Qt::LeftButton);
        VERIFY_DIALOGS(dialogs);
        const QString cut = QStringLiteral("下列文字超過儲存格印得出的行數，已截斷：\r\n第 2 筆 公司地址");
        // The list keeps what its highest row shows, the label what its address row holds.
        QCOMPARE(dialogs.messages().at(0).text, cut + QStringLiteral("（B4）：保留前 248 字"));
        QCOMPARE(dialogs.messages().at(1).text, cut + QStringLiteral("（B3）：保留前 54 字"));
        QCOMPARE(RecordPrintFixture::opened.size(), 2);
        QCOMPARE(wb::Workbook::open(RecordPrintFixture::opened.at(0))->sheet(1).text(4, 2), fits.left(248));
        QCOMPARE(wb::Workbook::open(RecordPrintFixture::opened.at(1))->sheet(1).text(3, 2), fits.left(54));
    }

    void choiceStartsOnLabelsAndPrintsThem() {
        mdM::ListPrintParty = 1;
        frmPsel* f = ui::Default<frmPsel>::get();
        QVERIFY(f->oPsel[0]->isChecked());
        QVERIFY(!f->oPsel[1]->isChecked());
        QCOMPARE(f->oPsel[0]->text(), QStringLiteral("列印標籤"));
        ScriptedDialogs dialogs;
        f->cmdNext_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QVERIFY(!ui::Default<frmPsel>::isLoaded());
        QCOMPARE(RecordPrintFixture::opened.size(), 1);
        QCOMPARE(wb::Workbook::open(RecordPrintFixture::opened.first())->sheet(1).text(4, 1),
                 QStringLiteral("    甲公司"));

        ui::Default<frmPsel>::get()->cmdCancel_Click();
        QVERIFY(!ui::Default<frmPsel>::isLoaded());
        QCOMPARE(fx.outputs().size(), 1);
    }

    void choiceOpensTheColumnChooser() {
        mdM::ListPrintParty = 2;
        frmPsel* f = ui::Default<frmPsel>::get();
        f->oPsel[1]->setChecked(true);
        f->show(); // Enter goes on with the item chosen
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QString caption;
        int offered = 0;
        QTimer::singleShot(0, this, [&] {
            frmPrt* prt = ui::Default<frmPrt>::get();
            caption = prt->windowTitle();
            offered = prt->lstOr->count();
            prt->Command1_Click();
        });
        QTest::keyClick(f->oPsel[1], Qt::Key_Return);
        QCOMPARE(caption, QStringLiteral("廠商資料列印"));
        QCOMPARE(offered, 37);
        QVERIFY(!ui::Default<frmPrt>::isLoaded());
        QVERIFY(!ui::Default<frmPsel>::isLoaded());
        QVERIFY(fx.outputs().isEmpty());
    }

    // The record windows' 列印 buttons as the program wires them.
    void recordWindowsPrintButtons() {
        mdM::UserRights = 4095;
        records::setListPrintOpener(records::openListPrint);
        QString choiceCaption, chooserCaption;
        // Esc leaves either window as its button does.
        const auto escape = [](ui::Form* f, QAbstractButton* leave) {
            QTest::keyClick(f, Qt::Key_Escape);
            if (!f->isUnloaded()) {
                leave->click();
                QFAIL("Esc left the window open");
            }
        };
        QTimer::singleShot(0, this, [&] {
            choiceCaption = ui::Default<frmPsel>::get()->windowTitle();
            escape(ui::Default<frmPsel>::get(), ui::Default<frmPsel>::get()->cmdCancel);
        });
        ui::Default<frmCus>::get()->findChild<QPushButton*>(QStringLiteral("cmdPp"))->click();
        QCOMPARE(choiceCaption, QStringLiteral("客戶資料列印"));
        QCOMPARE(mdM::ListPrintParty, 1);
        QTimer::singleShot(0, this, [&] {
            chooserCaption = ui::Default<frmPrt>::get()->windowTitle();
            escape(ui::Default<frmPrt>::get(), ui::Default<frmPrt>::get()->Command1);
        });
        ui::Default<frmSta>::get()->findChild<QPushButton*>(QStringLiteral("cmdPp"))->click();
        QCOMPARE(chooserCaption, QStringLiteral("員工資料列印"));
        QCOMPARE(mdM::ListPrintParty, 3);
        records::setListPrintOpener({});
    }

    void staffGoStraightToTheColumnChooser() {
        QString caption;
        QStringList offered;
        QTimer::singleShot(0, this, [&] {
            frmPrt* prt = ui::Default<frmPrt>::get();
            caption = prt->windowTitle();
            offered = entries(prt->lstOr);
            prt->Command1_Click();
        });
        records::openFieldChooser(3);
        QCOMPARE(caption, QStringLiteral("員工資料列印"));
        QCOMPARE(offered.size(), 17);
        QCOMPARE(mdM::ListPrintParty, 3);
    }
};

QTEST_MAIN(TestPrintDialogs)
#include "tst_printdialogs.moc"
