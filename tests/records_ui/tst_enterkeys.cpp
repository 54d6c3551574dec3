// Enter in the detail boxes of the three record windows: it moves on like Tab in the entry
// boxes, starts a new line in the remarks of customers and vendors, and does nothing in the
// boxes without the habit. Ctrl+Enter starts a new line in every remarks box.
#include "RecordsUiFixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

class TestEnterKeys : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void enter_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("movesOn");
        QTest::newRow("customer name") << "frmCus" << "T2" << true;
        QTest::newRow("customer county") << "frmCus" << "cb1" << true;
        QTest::newRow("customer billing day") << "frmCus" << "T37" << true;
        QTest::newRow("customer number") << "frmCus" << "T1" << false;
        QTest::newRow("customer date") << "frmCus" << "T34" << false;
        QTest::newRow("customer remarks") << "frmCus" << "T35" << false;
        QTest::newRow("vendor accountant phone") << "frmPrv" << "T33" << true;
        QTest::newRow("vendor cheque title") << "frmPrv" << "T38" << false;
        QTest::newRow("vendor remarks") << "frmPrv" << "T35" << false;
        QTest::newRow("vendor description") << "frmPrv" << "T40" << false;
        QTest::newRow("staff birthday") << "frmSta" << "T13" << true;
        QTest::newRow("staff remarks") << "frmSta" << "T19" << true;
        QTest::newRow("staff number") << "frmSta" << "T1" << false;
    }
    void enter() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(bool, movesOn);
        records::RecordWindow* f = showRecordWindow(window);
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->cmdAdd_Click();
        QWidget* w = f->box(box);
        QVERIFY(w);
        w->setEnabled(true);
        w->setFocus();
        QTRY_VERIFY(w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()));
        auto* memo = qobject_cast<QPlainTextEdit*>(w);
        if (memo)
            QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const bool stillThere = w->hasFocus() || w->isAncestorOf(QApplication::focusWidget());
        QCOMPARE(!stillThere, movesOn);
        if (memo)
            QCOMPARE(memo->toPlainText(), QStringLiteral("\n").repeated(movesOn ? 1 : 2));
    }
};

QTEST_MAIN(TestEnterKeys)
#include "tst_enterkeys.moc"
