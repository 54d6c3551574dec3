// Every window of the program opens inside the screen, and none but the menu bar lies under the
// menu bar's frame. The build runs this program once per screen size (1280×800, 1600×1000, 1920×1080).
#include "../shell_ui/ShellUiFixture.h"
#include "Report.h"
#include "ReportDb.h"
#include "ScriptedDialogs.h"
#include "Windows.h"
#include "frmAddw.h"
#include "frmCal.h"
#include "frmCus.h"
#include "frmEm.h"
#include "frmEng.h"
#include "frmLogin.h"
#include "frmMenu.h"
#include "frmPrt.h"
#include "frmPrv.h"
#include "frmPsel.h"
#include "frmQ.h"
#include "frmSet.h"
#include "frmSplash.h"
#include "frmSta.h"
#include "frmWP.h"
#include "frmXlSet.h"
#include "ui/Placement.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QDebug>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

class TestPlacement : public QObject {
    Q_OBJECT
    ShellUiFixture fx;

    // Each shown window that lies outside the screen or (but the menu bar) under the menu bar's frame.
    static QStringList misplaced() {
        const QWidget* bar = ui::Default<frmMenu>::isLoaded() ? ui::Default<frmMenu>::get() : nullptr;
        QStringList found;
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            const QRect frame = w->frameGeometry();
            if (w->isVisible() && (!w->screen()->geometry().contains(frame) ||
                                   (bar && w != bar && frame.intersects(bar->frameGeometry()))))
                QDebug(&found.emplace_back()) << w << frame;
        }
        return found;
    }

    // Shows `w` as opened from `opener`, the active window when it appears.
    static void open(QWidget* w, QWidget* opener) {
        QVERIFY(QTest::qWaitForWindowExposed(opener));
        opener->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(opener));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    static void click(const QWidget* w, const char* button) {
        auto* b = child<QPushButton>(w, button);
        QVERIFY2(b, button);
        b->click();
    }

    // Checks the modal window `command` shows, then closes it.
    void checkModal(const std::function<void()>& command) {
        QStringList found = {QStringLiteral("nothing shown")};
        QTimer::singleShot(0, this, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                found = misplaced();
                w->close();
            }
        });
        command();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

private slots:
    void initTestCase() {
        ui::installWindowPlacement();
        registerWindows();
        qInfo() << "screen" << QGuiApplication::primaryScreen()->geometry();
    }
    void init() { QVERIFY(fx.setUp()); }
    void cleanup() { fx.tearDown(); }

    // Before the menu bar: the splash and login windows.
    void startWindows() {
        ScriptedDialogs dialogs;
        open(ui::Default<frmLogin>::get(), showForm<frmSplash>());
        QVERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
        VERIFY_DIALOGS(dialogs);
    }

    // Every window the menu bar leads to; a message box of the menu bar and the editor's report
    // preview.
    void menuWindows() {
        mdM::UserRights = 4095;
        frmMenu* bar = showForm<frmMenu>();
        QWidget* editor = ui::Default<frmQ>::get();
        {
            ScriptedDialogs dialogs;
            for (const char* button : {"cmdQ", "cmdC", "cmdP", "cmdSt", "cmdSa", "cmdPws"}) {
                bar->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(bar));
                click(bar, button);
            }
            open(ui::Default<frmAddw>::get(), editor);
            open(ui::Default<frmXlSet>::get(), editor);
            open(ui::Default<frmCal>::get(), editor);
            for (const QWidget* records : {static_cast<QWidget*>(ui::Default<frmCus>::get()),
                                           static_cast<QWidget*>(ui::Default<frmSta>::get()),
                                           static_cast<QWidget*>(ui::Default<frmPrv>::get())})
                click(records, "cmdAdd"); // the whole page
            open(ui::Default<frmWP>::get(), ui::Default<frmPrv>::get());
            open(ui::Default<frmPsel>::get(), ui::Default<frmPrv>::get());
            open(ui::Default<frmPrt>::get(), ui::Default<frmPsel>::get());
            open(ui::Default<frmEm>::get(), ui::Default<frmEng>::get());
            QVERIFY(ui::Default<frmSet>::get()->isVisible());
            QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
            VERIFY_DIALOGS(dialogs);
        }
        ui::installWidgetDialogs();
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar));
        checkModal([] { ui::msgBox(QStringLiteral("是否要結束澄築工房?"), ui::Buttons::YesNo); });
        const auto report =
            report::Report::load(QStringLiteral("fpdemo"), *stats::openReportDb(fx.folder->path()));
        checkModal([&] { report.preview(editor, fx.folder->path()); });
        ui::setDefaultDialogBackend(nullptr);
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
