// The quotation window's statistics items and report menu: statistics of the whole quotation
// whatever node is shown, the print switches, the report tables and the two reports.
#include "QuoteUiFixture.h"
#include "Report.h"
#include "ScriptedDialogs.h"
#include "frmCal.h"

#include <QAction>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using namespace quote;

namespace {

// Areas 客廳 (木作) and 主臥 (油漆), one priced row each; the leaf 客廳‧木作 left shown.
void fillQuotation(frmQ* w) {
    QuoteDocument& doc = w->document();
    doc.tree.addChild(kRootKey, QStringLiteral("客廳"));
    doc.tree.addChild(leafPath({"客廳"}), QStringLiteral("木作"));
    doc.tree.addChild(kRootKey, QStringLiteral("主臥"));
    doc.tree.addChild(leafPath({"主臥"}), QStringLiteral("油漆"));
    w->rebuildTree();
    const auto type = [&](const QString& leaf, const QString& name, const QString& amount) {
        QVERIFY(w->tv_NodeClick(leaf));
        doc.SetCell(1, ColName, name);
        doc.SetCell(1, ColQty, QStringLiteral("1"));
        doc.SetCell(1, ColPrice, amount);
        doc.SetCell(1, ColAmount, amount);
        w->gridChanged();
    };
    type(leafPath({"主臥", "油漆"}), QStringLiteral("牆"), QStringLiteral("300"));
    type(leafPath({"客廳", "木作"}), QStringLiteral("櫃"), QStringLiteral("700"));
}

QString selectedKey(frmQ* w) {
    return w->tree()->currentItem() ? w->tree()->currentItem()->data(0, Qt::UserRole).toString() : QString();
}

} // namespace

class TestFrmQStats : public QObject {
    Q_OBJECT
    QuoteUiFixture fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() {
        report::Report::setPreviewOverride({});
        fx.tearDown();
    }

    // The statistics read sta.mdb even while another workstation holds the main database alone
    // (the editor's list that the root's showing refills says so once).
    void statisticsFromALeaf_data() {
        QTest::addColumn<bool>("mainHeld");
        QTest::newRow("main database free") << false;
        QTest::newRow("main database held by another workstation") << true;
    }
    void statisticsFromALeaf() {
        QFETCH(bool, mainHeld);
        frmQ* w = fx.open();
        fillQuotation(w);
        db::DatabasePtr holder;
        ScriptedDialogs dialogs;
        if (mainHeld) {
            holder = fx.openDb();
            holder->executeScript(QStringLiteral("BEGIN EXCLUSIVE; DELETE FROM 別;"));
            mdM::MainDb->setBusyTimeout(100);
            dialogs.expectMessage();
        }
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            frmCal* f = ui::Default<frmCal>::get();
            for (int r = 0; r < f->hfgC->rowCount(); ++r)
                seen << f->hfgC->item(r, 1)->text() + u'=' + f->hfgC->item(r, 2)->text();
            f->cmdExit_Click();
        });
        w->action(QStringLiteral("mCalT"))->trigger();
        VERIFY_DIALOGS(dialogs);
        if (holder)
            holder->executeScript(QStringLiteral("ROLLBACK"));
        QCOMPARE(seen, QStringList({"木作=700", "油漆=300", " 合 計 =1000"}));
        QCOMPARE(selectedKey(w), kRootKey);
        QCOMPARE(w->grid()->model()->rowCount(), 2);
    }

    void printMenu() {
        frmQ* w = fx.open();
        fillQuotation(w);
        w->PrintByArea = true;
        emit w->menu(QStringLiteral("mP"))->aboutToShow();
        QCOMPARE(w->PrintGroupMode, 2);
        QVERIFY(!w->PrintByArea);
        QCOMPARE(selectedKey(w), kRootKey);
        auto data = db::Database::open(fx.folder->file(QStringLiteral("ptdemo.mdb")));
        QCOMPARE(data->openRecordset(QStringLiteral("pfp")).text(1), QStringLiteral("木作"));
        QStringList previewed;
        report::Report::setPreviewOverride(
            [&](const report::Report& r, QWidget* parent) { previewed << r.layout().name + (parent == w ? "@frmQ" : ""); });
        w->action(QStringLiteral("mPfp"))->trigger();
        w->action(QStringLiteral("mPdt"))->trigger();
        QCOMPARE(previewed, QStringList({"fpdemo@frmQ", "pbdemo@frmQ"}));

        // The reports carry prices: without the price right the items are off, the tables filled.
        w->PricesHidden = true;
        data->execute(QStringLiteral("DELETE FROM pfp"));
        emit w->menu(QStringLiteral("mP"))->aboutToShow();
        QVERIFY(!w->action(QStringLiteral("mPfp"))->isEnabled());
        QVERIFY(!w->action(QStringLiteral("mPdt"))->isEnabled());
        QCOMPARE(data->openRecordset(QStringLiteral("pfp")).text(1), QStringLiteral("木作"));
    }
};

QTEST_MAIN(TestFrmQStats)
#include "tst_frmq_stats.moc"
