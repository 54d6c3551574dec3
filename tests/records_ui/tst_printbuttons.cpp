// The print buttons of the record windows: customers and vendors choose labels or a list,
// the staff go straight to the column chooser, each for its own table.
#include "RecordsUiFixture.h"
#include "frmCus.h"
#include "frmPrt.h"
#include "frmPrv.h"
#include "frmPsel.h"
#include "frmSta.h"

#include <QTimer>
#include <QtTest>

class TestPrintButtons : public QObject {
    Q_OBJECT
    RecordsUiFixture fx;

    template <class Window, class Dialog> void press(QString* caption) {
        QTimer::singleShot(0, [caption] {
            QTRY_VERIFY(ui::Default<Dialog>::isLoaded() && ui::Default<Dialog>::get()->isVisible());
            *caption = ui::Default<Dialog>::get()->windowTitle();
            ui::Default<Dialog>::get()->close();
        });
        showForm<Window>()->cmdPp_Click();
    }

private slots:
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    void eachWindowPrintsItsTable() {
        QString caption;
        press<frmCus, frmPsel>(&caption);
        QCOMPARE(caption, QStringLiteral("客戶資料列印"));
        QCOMPARE(mdM::ListPrintParty, 1);
        press<frmPrv, frmPsel>(&caption);
        QCOMPARE(caption, QStringLiteral("廠商資料列印"));
        QCOMPARE(mdM::ListPrintParty, 2);
        press<frmSta, frmPrt>(&caption);
        QCOMPARE(caption, QStringLiteral("員工資料列印"));
        QCOMPARE(mdM::ListPrintParty, 3);
    }
};

QTEST_MAIN(TestPrintButtons)
#include "tst_printbuttons.moc"
