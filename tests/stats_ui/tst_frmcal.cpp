// The statistics window: group lines, shares, the total line, the columns each rights view hides,
// the by-work-type view of a work-types-only quotation, and the copy to the workbook.
#include "../stats/StatsFixture.h"
#include "ScriptedDialogs.h"
#include "StaDb.h"
#include "TempProgramFolder.h"
#include "db/FaultInjection.h"
#include "frmCal.h"

#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace fixture;

namespace {

// Row r of the grid, columns 1 to 6, joined by "|".
QString gridRow(QTableWidget* g, int r) {
    QStringList cells;
    for (int c = 1; c < g->columnCount(); ++c)
        cells << (g->item(r, c) ? g->item(r, c)->text() : QString());
    return cells.join(u'|');
}

// Areas 客廳 (木作 256, 油漆 124) and 主臥 (木作 620): a total of 1,000.
void buildQuotation(QuoteDocument& doc) {
    fillLeaf(doc, addPath(doc, {"客廳", "木作"}), {item("櫃", 1, 256, 200)});
    fillLeaf(doc, addPath(doc, {"客廳", "油漆"}), {item("牆", 1, 124, 100)});
    fillLeaf(doc, addPath(doc, {"主臥", "木作"}), {item("床", 1, 620, 500)});
}

} // namespace

class TstFrmCal : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    db::DatabasePtr m_sta;

    frmCal* window(QuoteDocument& doc, bool prices = false, bool costs = false) {
        frmCal* f = ui::Default<frmCal>::get();
        f->setSource({&doc, m_sta.get(), prices, costs});
        return f;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_sta = stats::openStaDb(m_dir.path());
    }
    void cleanup() { ui::Default<frmCal>::unload(); }

    void byAreaAndByWorkType() {
        QuoteDocument doc;
        buildQuotation(doc);
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        QCOMPARE(f->windowTitle(), QStringLiteral("統計"));
        QCOMPARE(f->hfgC->horizontalHeaderItem(1)->text(), QStringLiteral("       區    域"));
        QCOMPARE(f->hfgC->horizontalHeaderItem(6)->text(), QStringLiteral("佔總價比"));
        QCOMPARE(f->hfgC->rowCount(), 3);
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("客廳|380|300|80|1.27|38%"));
        QCOMPARE(gridRow(f->hfgC, 1), QStringLiteral("主臥|620|500|120|1.24|62%"));
        QCOMPARE(gridRow(f->hfgC, 2), QStringLiteral(" 合 計 |1000|800|200|1.25|100%"));
        for (int c = 1; c < 7; ++c)
            QCOMPARE(f->hfgC->item(2, c)->background().color(), QColor(255, 192, 192));
        QVERIFY(f->hfgC->item(1, 1)->background().style() == Qt::NoBrush);

        f->Command1_Click();
        QCOMPARE(f->hfgC->horizontalHeaderItem(1)->text(), QStringLiteral("       工    種"));
        QCOMPARE(f->hfgC->rowCount(), 3);
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("木作|876|700|176|1.25|88%"));
        QCOMPARE(gridRow(f->hfgC, 1), QStringLiteral("油漆|124|100|24|1.24|12%"));
        QVERIFY(f->Command2->isEnabled());
    }

    // Many groups: the window stays on the screen with the total line in view below the rows; Tab
    // walks the buttons, Escape closes.
    void totalLineAndKeys() {
        QuoteDocument doc;
        for (int i = 1; i <= 60; ++i)
            fillLeaf(doc, addPath(doc, {QStringLiteral("區%1").arg(i), "木作"}), {item("x", 1, 10)});
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QVERIFY(f->frameGeometry().height() <= f->screen()->availableGeometry().height());
        QVERIFY(f->hfgTotal->isVisible() && f->hfgC->isRowHidden(60));
        QVERIFY(f->rect().contains(QRect(f->hfgTotal->mapTo(f, QPoint()), f->hfgTotal->size())));
        QCOMPARE(gridRow(f->hfgTotal, 0), QStringLiteral(" 合 計 |600|0|600||100%"));
        f->hfgC->setFocus();
        for (QWidget* next : {f->Command1, f->Command2, f->Command3, f->cmdExit}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(f->cmdExit, Qt::Key_Escape);
        QVERIFY(f->isUnloaded());
    }

    // 0.256 of the total shows as 26%, 0.124 as 12%; a total of 0 leaves every share empty.
    void shares_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("share");
        QTest::newRow("26%") << 256.0 << 1000.0 << "26%";
        QTest::newRow("12%") << 124.0 << 1000.0 << "12%";
        QTest::newRow("half even") << 125.0 << 1000.0 << "12%";
        QTest::newRow("all") << 5.0 << 5.0 << "100%";
        QTest::newRow("no total") << 0.0 << 0.0 << "";
    }
    void shares() {
        QFETCH(double, amount);
        QFETCH(double, total);
        QTEST(stats::shareText(amount, total), "share");
    }

    void zeroTotalLeavesSharesEmpty() {
        QuoteDocument doc;
        fillLeaf(doc, addPath(doc, {"A"}), {item("x", 1, 0, 0)});
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("A|0|0|0||"));
        QCOMPARE(gridRow(f->hfgC, 1), QStringLiteral(" 合 計 |0|0|0||"));
    }

    void emptyQuotation() {
        QuoteDocument doc;
        frmCal* f = window(doc);
        QVERIFY(f->fill(true));
        QCOMPARE(f->hfgC->rowCount(), 1);
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("|||||"));
    }

    void hiddenColumns_data() {
        QTest::addColumn<bool>("prices");
        QTest::addColumn<bool>("costs");
        QTest::addColumn<QString>("shown"); // columns 0 to 6 with a width
        QTest::newRow("all") << false << false << "0123456";
        QTest::newRow("costs hidden") << false << true << "012";
        QTest::newRow("prices hidden") << true << false << "013";
        QTest::newRow("both hidden") << true << true << "01";
    }
    void hiddenColumns() {
        QFETCH(bool, prices);
        QFETCH(bool, costs);
        QuoteDocument doc;
        buildQuotation(doc);
        frmCal* f = window(doc, prices, costs);
        QVERIFY(f->fill(false));
        QString shown;
        for (int c = 0; c < 7; ++c)
            if (!f->hfgC->isColumnHidden(c))
                shown += QString::number(c);
        QTEST(shown, "shown");
    }

    // In a work-types-only quotation the work-type view shows the first level and turns off
    // 依 區 域 until the window closes; the area view shows the same groups.
    void workTypesOnly() {
        QuoteDocument doc;
        doc.WorkTypesOnly = true;
        fillLeaf(doc, addPath(doc, {"木作", "櫃"}), {item("a", 1, 100, 50)});
        fillLeaf(doc, addPath(doc, {"油漆", "牆"}), {item("b", 1, 300, 100)});
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        QVERIFY(f->Command2->isEnabled());
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("木作|100|50|50|2|25%"));
        f->Command1_Click();
        QVERIFY(!f->Command2->isEnabled());
        QCOMPARE(gridRow(f->hfgC, 0), QStringLiteral("木作|100|50|50|2|25%"));
        QCOMPARE(gridRow(f->hfgC, 1), QStringLiteral("油漆|300|100|200|3|75%"));
        f->Command2_Click();
        QVERIFY(!f->Command2->isEnabled());
        ui::Default<frmCal>::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window(doc)->Command2->isEnabled());
    }

    // The menu commands show the window modally until it is closed; statistics taken while a
    // leaf is shown tidy and store that leaf first.
    void menuCommandShowsModally() {
        QuoteDocument doc;
        buildQuotation(doc);
        doc.tv_NodeClick(path({"主臥", "木作"}));
        doc.hfgQ.setRows(4);
        doc.hfgQ.setRow(1, ItemRow{});
        doc.hfgQ.setRow(2, item("床", 1, 620, 500));
        doc.hfgQ.setRow(3, item("燈", 1, 1000));
        QString seen;
        QTimer::singleShot(0, this, [&] {
            frmCal* f = ui::Default<frmCal>::get();
            seen = gridRow(f->hfgC, 1);
            QVERIFY(f->isVisible());
            f->cmdExit_Click();
        });
        stats::mCalA_Click({&doc, m_sta.get(), false, false});
        QCOMPARE(seen, QStringLiteral("主臥|1620|500|1120|3.24|81%"));
        QVERIFY(!doc.NodeIsLeaf);
    }

    void copyToWorkbook() {
        QuoteDocument doc;
        buildQuotation(doc);
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        QList<QStringList> copied;
        frmCal::setCopier([&](const QList<QStringList>& cells) {
            copied = cells;
            return QString();
        });
        f->Command3_Click();
        QCOMPARE(copied.size(), 4);
        QCOMPARE(copied.at(0), QStringList({"       區    域", "小 計", "成本複計", "毛 利", "平均比例", "佔總價比"}));
        QCOMPARE(copied.at(3), QStringList({" 合 計 ", "1000", "800", "200", "1.25", "100%"}));
        // The copy holds only the columns the user's rights show.
        f->setSource({&doc, m_sta.get(), true, false});
        f->Command3_Click();
        QCOMPARE(copied.at(0), QStringList({"       區    域", "成本複計"}));
        QCOMPARE(copied.at(3), QStringList({" 合 計 ", "800"}));

        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        frmCal::setCopier([](const QList<QStringList>&) { return QStringLiteral("找不到 統計.xlsx"); });
        f->Command3_Click();
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(dialogs.messages().at(0).text, QStringLiteral("找不到 統計.xlsx"));
        QVERIFY(f->ani->isHidden());
        frmCal::setCopier({});
    }

    void failingStatisticsAreReported() {
        QTemporaryDir dir;
        auto broken = db::Database::create(dir.filePath(QStringLiteral("x.mdb")), {},
                                           QStringLiteral("CREATE TABLE other(x);"));
        QuoteDocument doc;
        buildQuotation(doc);
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        stats::mCalT_Click({&doc, broken.get(), false, false});
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
        QCOMPARE(dialogs.messages().at(0).icon, ui::Icon::Critical);
    }

    // A view that cannot be read empties the grid and turns 列印 off until a view is read again.
    void failedViewShowsNothing() {
        QuoteDocument doc;
        buildQuotation(doc);
        frmCal* f = window(doc);
        QVERIFY(f->fill(false));
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        db::fault::failTable(QStringLiteral("統計"), db::fault::Error::IoError, db::fault::Access::Read);
        f->Command1_Click();
        db::fault::clear();
        VERIFY_DIALOGS(dialogs);
        QCOMPARE(f->hfgC->rowCount(), 0);
        QVERIFY(!f->Command3->isEnabled());
        f->Command1_Click();
        QCOMPARE(f->hfgC->rowCount(), 3);
        QVERIFY(f->Command3->isEnabled());
    }

    // Without a statistics database the command opens the program folder's, and reports one that
    // cannot be opened.
    void withoutStatisticsDatabase() {
        TempProgramFolder folder;
        QuoteDocument doc;
        buildQuotation(doc);
        QString seen;
        QTimer::singleShot(0, this, [&] {
            seen = gridRow(ui::Default<frmCal>::get()->hfgC, 0);
            ui::Default<frmCal>::get()->cmdExit_Click();
        });
        stats::mCalA_Click({&doc, nullptr, false, false});
        QCOMPARE(seen, QStringLiteral("客廳|380|300|80|1.27|38%"));
        QVERIFY(QFile::exists(folder.file(QStringLiteral("sta.mdb"))));

        QFile::remove(folder.file(QStringLiteral("sta.mdb")));
        QFile junk(folder.file(QStringLiteral("sta.mdb")));
        QVERIFY(junk.open(QIODevice::WriteOnly) && junk.write(QByteArray(4096, 'x')) == 4096);
        junk.close();
        ScriptedDialogs dialogs;
        dialogs.expectMessage();
        stats::mCalT_Click({&doc, nullptr, false, false});
        QVERIFY2(dialogs.ok(), qPrintable(dialogs.failures()));
    }
};

QTEST_MAIN(TstFrmCal)
#include "tst_frmcal.moc"
