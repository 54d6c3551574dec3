// Enter in the detail boxes of the three record windows: it moves on like Tab in the entry
// boxes, starts a new line in the remarks of customers and vendors, and does nothing in the
// boxes without the habit. Ctrl+Enter starts a new line in every remarks box.
#include "RecordsUiFixture.h"
#include "frmCus.h"
#include "frmPrv.h"
#include "frmSta.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

class TestEnterKeys : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

    static records::RecordWindow* open(const QString& window) {
        records::RecordWindow* f = nullptr;
        if (window == QLatin1String("frmCus"))
            f = ui::Default<frmCus>::get();
        else if (window == QLatin1String("frmPrv"))
            f = ui::Default<frmPrv>::get();
        else
            f = ui::Default<frmSta>::get();
        f->show();
        return f;
    }

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
    // The box of a window adding a record, with the focus.
    static QWidget* focusedBox(const QString& window, const QString& box) {
        records::RecordWindow* f = open(window);
        f->activateWindow();
        if (!QTest::qWaitForWindowActive(f))
            return nullptr;
        f->cmdAdd_Click();
        QWidget* w = f->box(box);
        if (!w)
            return nullptr;
        w->setEnabled(true);
        w->setFocus();
        return QTest::qWaitFor([w] { return w->hasFocus() || w->isAncestorOf(QApplication::focusWidget()); }) ? w
                                                                                                              : nullptr;
    }

    void enter() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(bool, movesOn);
        QWidget* w = focusedBox(window, box);
        QVERIFY(w);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        const bool stillThere = w->hasFocus() || w->isAncestorOf(QApplication::focusWidget());
        QCOMPARE(!stillThere, movesOn);
        if (auto* memo = qobject_cast<QPlainTextEdit*>(w); memo && !movesOn)
            QCOMPARE(memo->toPlainText(), QStringLiteral("\n"));
    }

    void ctrlEnterBreaksTheLine_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::newRow("customer remarks") << "frmCus" << "T35";
        QTest::newRow("vendor remarks") << "frmPrv" << "T35";
        QTest::newRow("staff remarks") << "frmSta" << "T19";
    }
    void ctrlEnterBreaksTheLine() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        auto* memo = qobject_cast<QPlainTextEdit*>(focusedBox(window, box));
        QVERIFY(memo);
        QTest::keyClicks(memo, QStringLiteral("ab"));
        QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(memo, QStringLiteral("c"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("ab\nc"));
        QVERIFY(memo->hasFocus());
    }
};

QTEST_MAIN(TestEnterKeys)
#include "tst_enterkeys.moc"
