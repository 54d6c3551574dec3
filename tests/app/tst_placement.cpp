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
#include "frmEng.h"
#include "frmEm.h"
#include "frmLogin.h"
#include "frmMenu.h"
#include "frmPrt.h"
#include "frmPsel.h"
#include "frmPrv.h"
#include "frmQ.h"
#include "frmSet.h"
#include "frmSta.h"
#include "frmSplash.h"
#include "frmWP.h"
#include "frmXlSet.h"
#include "ui/Placement.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

class TestPlacement : public QObject {
    Q_OBJECT
    ShellUiFixture fx;
    frmMenu* bar = nullptr;

    // Inside the screen and clear of the menu bar's frame.
    static QString misplaced(const QWidget* w) {
        if (!w || !w->isVisible())
            return QStringLiteral("not shown");
        const QRect frame = w->frameGeometry();
        const QRect screen = w->screen()->geometry();
        const QRect barFrame = ui::Default<frmMenu>::isLoaded() ? ui::Default<frmMenu>::get()->frameGeometry() : QRect();
        const auto text = [](const QRect& r) {
            return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
        };
        if (!screen.contains(frame))
            return text(frame) + QStringLiteral(" outside the screen ") + text(screen);
        if (w != ui::Default<frmMenu>::get() && frame.intersects(barFrame))
            return text(frame) + QStringLiteral(" under the menu bar ") + text(barFrame);
        return {};
    }

    // Shows `w` as opened from `opener` (the active window when it appears) and checks its place.
    void open(QWidget* w, QWidget* opener) {
        opener->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(opener));
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY2(misplaced(w).isEmpty(), qPrintable(w->objectName() + QLatin1Char(' ') + misplaced(w)));
    }

    void click(const QWidget* w, const char* button) {
        auto* b = child<QPushButton>(w, button);
        QVERIFY2(b, button);
        b->click();
    }

    // The window shown by `command`, checked once it shows (a modal window is closed then).
    void checkModal(const std::function<void()>& command) {
        QString result = QStringLiteral("nothing shown");
        QTimer::singleShot(0, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            result = w ? w->metaObject()->className() + QStringLiteral(": ") + misplaced(w) : result;
            if (w)
                w->close();
        });
        command();
        QVERIFY2(result.endsWith(QStringLiteral(": ")), qPrintable(result));
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
        auto* splash = showForm<frmSplash>();
        QVERIFY(QTest::qWaitForWindowExposed(splash));
        QVERIFY2(misplaced(splash).isEmpty(), qPrintable(misplaced(splash)));
        open(ui::Default<frmLogin>::get(), splash);
        VERIFY_DIALOGS(dialogs);
    }

    void menuWindows() {
        ScriptedDialogs dialogs;
        mdM::UserRights = 4095;
        bar = showForm<frmMenu>();
        QVERIFY(QTest::qWaitForWindowExposed(bar));
        QVERIFY2(misplaced(bar).isEmpty(), qPrintable(misplaced(bar)));

        const std::pair<const char*, QWidget* (*)()> buttons[] = {
            {"cmdQ", []() -> QWidget* { return ui::Default<frmQ>::get(); }},
            {"cmdC", []() -> QWidget* { return ui::Default<frmCus>::get(); }},
            {"cmdP", []() -> QWidget* { return ui::Default<frmPrv>::get(); }},
            {"cmdSt", []() -> QWidget* { return ui::Default<frmSta>::get(); }},
            {"cmdSa", []() -> QWidget* { return ui::Default<frmEng>::get(); }},
            {"cmdPws", []() -> QWidget* { return ui::Default<frmSet>::get(); }},
        };
        for (const auto& [button, window] : buttons) {
            bar->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(bar));
            click(bar, button);
            QWidget* w = window();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY2(misplaced(w).isEmpty(), qPrintable(QString::fromLatin1(button) + QLatin1Char(' ') + misplaced(w)));
        }

        // The editor's windows.
        QWidget* editor = ui::Default<frmQ>::get();
        open(ui::Default<frmAddw>::get(), editor);
        open(ui::Default<frmXlSet>::get(), editor);
        open(ui::Default<frmCal>::get(), editor);

        // The record windows with their whole page; the vendor window's lists and the list
        // printing dialogs.
        for (QWidget* records : {static_cast<QWidget*>(ui::Default<frmCus>::get()),
                                 static_cast<QWidget*>(ui::Default<frmSta>::get()),
                                 static_cast<QWidget*>(ui::Default<frmPrv>::get())}) {
            click(records, "cmdAdd");
            QTRY_VERIFY2(misplaced(records).isEmpty(), qPrintable(records->objectName() + misplaced(records)));
        }
        frmPrv* vendors = ui::Default<frmPrv>::get();
        open(ui::Default<frmWP>::get(), vendors);
        open(ui::Default<frmPsel>::get(), vendors);
        open(ui::Default<frmPrt>::get(), ui::Default<frmPsel>::get());

        // The catalogue's list window.
        open(ui::Default<frmEm>::get(), ui::Default<frmEng>::get());
        VERIFY_DIALOGS(dialogs);
    }

    // A message box of the menu bar and the report preview of the editor.
    void dialogs() {
        mdM::UserRights = 4095;
        bar = showForm<frmMenu>();
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar));
        ui::installWidgetDialogs();
        checkModal([] { ui::msgBox(QStringLiteral("是否要結束澄築工房?"), ui::Buttons::YesNo); });

        auto* editor = showForm<frmQ>();
        auto reports = stats::openReportDb(fx.folder->path());
        const auto report = report::Report::load(QStringLiteral("fpdemo"), *reports);
        checkModal([&] { report.preview(editor); });
        ui::setDefaultDialogBackend(nullptr);
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
