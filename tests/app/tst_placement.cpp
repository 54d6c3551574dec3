// Every window of the program opens inside the screen, and none but the menu bar lies under the
// menu bar's frame; a second press of the bar's buttons leaves the open windows where they are. The
// build runs this program once per screen size (1280×800, 1600×1000, 1920×1080) offscreen, and at
// 1280×800 and 1600×1000 on an X server with a window manager, which also maximises every window.
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
#include "ui/Twips.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDebug>
#include <QDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#ifdef KAVO_XCB
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

} // namespace
#endif

// Asks the window manager to maximise or restore `w`, as its title button does.
void askWindowManager(QWidget* w, bool maximise) {
#ifdef KAVO_XCB
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    QVERIFY(x11);
    xcb_connection_t* c = x11->connection();
    xcb_client_message_event_t e = {};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = xcb_window_t(w->winId());
    e.type = atom(c, "_NET_WM_STATE");
    e.data.data32[0] = maximise ? 1 : 0; // add, remove
    e.data.data32[1] = atom(c, "_NET_WM_STATE_MAXIMIZED_VERT");
    e.data.data32[2] = atom(c, "_NET_WM_STATE_MAXIMIZED_HORZ");
    e.data.data32[3] = 1; // from an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
#else
    Q_UNUSED(w);
    Q_UNUSED(maximise);
    QFAIL("built without X11");
#endif
}

// Presses the left button over the middle of `w` through the X server, as a mouse does: the toolkit
// gets the press as the server hands it over (an XInput 2 event where the server has XInput 2).
void pressThroughServer(const QWidget* w) {
#ifdef KAVO_XCB
    xcb_connection_t* c = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const QPoint at = w->mapToGlobal(w->rect().center()) * w->devicePixelRatioF();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, int16_t(at.x()), int16_t(at.y()), 0);
    for (const uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE})
        xcb_test_fake_input(c, type, 1, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
    xcb_flush(c);
#else
    Q_UNUSED(w);
    QFAIL("built without X11");
#endif
}

// Whether the window system has reported a state of `window` since this was made (maximised, off the
// screen). Until it has, a state is only what the program asked for: should the window manager carry
// out both a maximise and a restore before the toolkit reads the window's state, the toolkit sees no
// change and keeps the window maximised.
class Reported : public QObject {
public:
    // Reports of `type` for which `state` holds.
    Reported(QWindow* window, QEvent::Type type, std::function<bool(const QWindow*)> state)
        : m_type(type), m_state(std::move(state)) {
        window->installEventFilter(this);
    }
    bool reported = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == m_type && e->spontaneous() && m_state(static_cast<QWindow*>(o)))
            reported = true;
        return false;
    }

private:
    QEvent::Type m_type;
    std::function<bool(const QWindow*)> m_state;
};

class TestPlacement : public QObject {
    Q_OBJECT
    ShellUiFixture fx;
    // How long a window manager busy on a loaded machine may take to carry out a request.
    static constexpr int kWmWaitMs = 15000;

    // A window's frame as the window system has it now (a widget learns of a new frame only when it
    // moves or resizes).
    static QRect frameOf(const QWidget* w) {
        return w->windowHandle() ? w->windowHandle()->frameGeometry() : w->frameGeometry();
    }

    // Each shown window that lies outside the screen or (but the menu bar) under the menu bar's frame;
    // the menu bar away from the screen's top.
    static QStringList misplaced() {
        const QWidget* bar = ui::Default<frmMenu>::isLoaded() ? ui::Default<frmMenu>::get() : nullptr;
        QStringList found;
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            const QRect frame = frameOf(w);
            if (w->isVisible() && (!w->screen()->geometry().contains(frame) ||
                                   (bar && w != bar && frame.intersects(frameOf(bar))) ||
                                   (w == bar && frame.top() != w->screen()->geometry().top())))
                QDebug(&found.emplace_back()) << w << frame << w->geometry() << w->windowState();
            // The editor's page-end button and category caption lie whole inside it.
            for (const char* name : {"cmdPe", "lbK"}) {
                const auto* c = w->findChild<QWidget*>(name);
                const QRect r = c ? QRect(c->mapTo(w, QPoint()), c->size()) : QRect();
                if (qobject_cast<const frmQ*>(w) && w->isVisible() && !w->rect().contains(r))
                    QDebug(&found.emplace_back()) << c << r << "in" << w->rect();
            }
        }
        return found;
    }

    // Shows `w` as opened from `opener`, the active window when it appears.
    static void open(QWidget* w, QWidget* opener) {
        QVERIFY(QTest::qWaitForWindowExposed(opener));
        // Where the window manager refuses the focus, the window still opens inside the screen.
        opener->activateWindow();
        std::ignore = QTest::qWaitForWindowActive(opener);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
    }

    static void click(const QWidget* w, const char* button) {
        auto* b = child<QPushButton>(w, button);
        QVERIFY2(b, button);
        b->click();
    }

    // Checks the modal window `command` shows, then closes it: once it is placed right, else when
    // its frame had time to settle. The box is told to close on every tick from then on, whatever the
    // check found, so a failed check ends the test instead of leaving the box waiting for an answer.
    void checkModal(const std::function<void()>& command) {
        QStringList found = {QStringLiteral("nothing shown")};
        QTimer poll;
        int polls = 0;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            const bool settled = ++polls >= 50;
            const QStringList now = misplaced();
            if (!now.isEmpty() && !settled)
                return;
            found = now;
            if (auto* dialog = qobject_cast<QDialog*>(w))
                dialog->reject(); // a message box without an escape button refuses close()
            else
                w->close();
        });
        poll.start(100);
        command();
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }

    enum class Before { AsOpened, Restored, Minimised };

    // A second press of the bar's `button` brings its open window `w` back where it was and makes it
    // the active window, whether it was left as opened (maximised or not), restored or minimised.
    static void pressAgain(QWidget* bar, const char* button, QWidget* w, Before before) {
        static const char* const kBefore[] = {"as opened", "restored", "minimised"};
        const QByteArray what = QByteArray(button) + ", " + kBefore[int(before)];
        if (before != Before::AsOpened && w->isMaximized()) {
            w->showNormal();
            QTRY_VERIFY2(!w->isMaximized(), what);
        }
        QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
        const QRect frame = settledFrame(w);
        const bool maximised = w->isMaximized();
        if (before == Before::Minimised) {
            w->showMinimized();
            QTRY_VERIFY2(w->isMinimized(), what);
        } else {
            bar->activateWindow(); // so that the press has to make `w` active
            QVERIFY2(QTest::qWaitForWindowActive(bar), what);
        }
        click(bar, button);
        QTRY_VERIFY2_WITH_TIMEOUT(w->isActiveWindow(), what, kWmWaitMs);
        QTRY_VERIFY2_WITH_TIMEOUT(!w->isMinimized(), what, kWmWaitMs);
        QTRY_VERIFY2_WITH_TIMEOUT(w->isMaximized() == maximised, what, kWmWaitMs);
        QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
        QTRY_VERIFY2(frameOf(w) == frame, what);
    }

    // The frame of `w` once the window system has stopped changing it (a restore may come in steps).
    static QRect settledFrame(const QWidget* w) {
        QRect last = frameOf(w);
        for (int still = 0, waits = 0; still < 5 && waits < 60; ++waits) {
            QTest::qWait(50);
            still = frameOf(w) == last ? still + 1 : 0;
            last = frameOf(w);
        }
        return last;
    }

    // The window manager maximises and restores each shown window it can (as its title button does):
    // both stay clear of the menu bar and inside the screen.
    static void maximiseByWindowManager() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == ui::Default<frmMenu>::get() || w->minimumSize() == w->maximumSize())
                continue;
            for (const bool maximise : {true, false}) {
                // Asked again each second: a request that meets a change still under way may be dropped.
                QElapsedTimer asked;
                asked.start();
                do
                    askWindowManager(w, maximise);
                while (!QTest::qWaitFor([&] { return w->isMaximized() == maximise; }, 1000) &&
                       asked.elapsed() < kWmWaitMs);
                QTRY_VERIFY2_WITH_TIMEOUT(w->isMaximized() == maximise, qPrintable(w->objectName()), kWmWaitMs);
                QTRY_VERIFY2_WITH_TIMEOUT(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))),
                                          kWmWaitMs);
                if (QTest::currentTestFailed())
                    return;
            }
        }
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
        // The bar keeps its right edge 900 twips from the screen's, folded or not.
        QVERIFY(QTest::qWaitForWindowExposed(bar));
        const auto gap = [bar] { return ui::screenRect(bar).right() - frameOf(bar).right(); };
        QTRY_COMPARE(gap(), ui::twipsToPixelsX(900, bar));
        for (int fold = 0; fold < 2; ++fold) {
            click(bar, "Command2");
            QTRY_COMPARE(gap(), ui::twipsToPixelsX(900, bar));
        }
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
            const QWidget* const records[] = {ui::Default<frmCus>::get(), ui::Default<frmSta>::get(),
                                              ui::Default<frmPrv>::get()};
            for (const QWidget* w : records)
                click(w, "cmdAdd"); // the whole page
            open(ui::Default<frmWP>::get(), ui::Default<frmPrv>::get());
            open(ui::Default<frmPsel>::get(), ui::Default<frmPrv>::get());
            open(ui::Default<frmPrt>::get(), ui::Default<frmPsel>::get());
            open(ui::Default<frmEm>::get(), ui::Default<frmEng>::get());
            QVERIFY(ui::Default<frmSet>::get()->isVisible());
            QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
            for (const QWidget* w : records) // the whole page shows without scrolling
                QVERIFY2(!w->findChild<QScrollArea*>()->verticalScrollBar()->isVisible(),
                         qPrintable(w->objectName()));
            // A second press brings the open window forward where it is; a maximise the program
            // asks for later is placed as the first.
            const std::pair<const char*, QWidget*> opened[] = {{"cmdQ", editor},
                                                               {"cmdC", ui::Default<frmCus>::get()},
                                                               {"cmdP", ui::Default<frmPrv>::get()},
                                                               {"cmdSt", ui::Default<frmSta>::get()},
                                                               {"cmdSa", ui::Default<frmEng>::get()},
                                                               {"cmdPws", ui::Default<frmSet>::get()}};
            for (const auto& [button, w] : opened) {
                for (const Before before : {Before::AsOpened, Before::Restored, Before::Minimised}) {
                    pressAgain(bar, button, w, before);
                    if (QTest::currentTestFailed())
                        return;
                }
            }
            Reported maximised(editor->windowHandle(), QEvent::WindowStateChange, [](const QWindow* w) {
                return w->windowStates().testFlag(Qt::WindowMaximized);
            });
            editor->showMaximized();
            QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
            // The open page-end frame leaves the grid's rows in view above it.
            click(editor, "cmdPe");
            const auto* peFrame = editor->findChild<QWidget*>(QStringLiteral("frmPe"));
            QVERIFY(!peFrame->geometry().intersects(child<QWidget>(editor, "hfgQ")->geometry()));
            click(editor, "cmdPe");
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                // The window manager restores the editor only after it has maximised it.
                QTRY_VERIFY_WITH_TIMEOUT(maximised.reported || !editor->isMaximized(), kWmWaitMs);
                maximiseByWindowManager();
            }
            if (QTest::currentTestFailed())
                return;
            VERIFY_DIALOGS(dialogs);
        }
        // A window taller than the screen ends inside it once its own frame is known.
        QWidget tall;
        tall.resize(300, 3000);
        tall.show();
        QTRY_VERIFY(!tall.windowHandle()->frameMargins().isNull() ||
                    QGuiApplication::platformName() != QLatin1String("xcb"));
        QTRY_VERIFY2(misplaced().isEmpty(), qPrintable(misplaced().join(QLatin1Char('\n'))));
        tall.close();
        ui::installWidgetDialogs();
        // Nothing after a failed check may wait on a real box for an answer.
        const auto scripted = qScopeGuard([] { ui::setDefaultDialogBackend(nullptr); });
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar));
        checkModal([] { ui::msgBox(QStringLiteral("是否要結束澄築工房?"), ui::Buttons::YesNo); });
        if (QTest::currentTestFailed())
            return;
        const auto report =
            report::Report::load(QStringLiteral("fpdemo"), *stats::openReportDb(fx.folder->path()));
        checkModal([&] { report.preview(editor, fx.folder->path()); });
    }

    // A modal window minimised, then restored by the program or brought back by a press on the bar
    // (with the window manager's, which minimises the editor with it), then closed: a click reaches
    // the editor.
    void modalWindowMinimised_data() {
        QTest::addColumn<bool>("pressOnBar");
        QTest::newRow("restored") << false;
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            QTest::newRow("brought back by a press on the bar") << true;
    }
    void modalWindowMinimised() {
        QFETCH(bool, pressOnBar);
        frmMenu* bar = showForm<frmMenu>();
        QWidget* editor = ui::Default<frmQ>::get();
        open(editor, bar);
        frmXlSet* settings = ui::Default<frmXlSet>::get();
        // Shown as the window system reports it (the offscreen one reports nothing).
        const bool x11 = QGuiApplication::platformName() == QLatin1String("xcb");
        const auto shown = [x11](const QWidget* w) { return !x11 || w->windowHandle()->isExposed(); };
        QTimer::singleShot(0, settings, [&] {
            const auto close = qScopeGuard([settings] { settings->close(); });
            QVERIFY(QTest::qWaitForWindowExposed(settings));
            // Taken off the screen (where the toolkit hands another window's focus to it, it may come
            // back at once).
            Reported hidden(settings->windowHandle(), QEvent::Expose,
                            [](const QWindow* w) { return !w->isExposed(); });
            settings->showMinimized();
            QTRY_VERIFY_WITH_TIMEOUT(hidden.reported || !x11, kWmWaitMs);
            if (pressOnBar)
                pressThroughServer(bar);
            else
                settings->showNormal();
            QTRY_VERIFY_WITH_TIMEOUT(shown(settings) && shown(editor), kWmWaitMs);
        });
        settings->showModal();
        QTRY_VERIFY_WITH_TIMEOUT(!ui::Default<frmXlSet>::isLoaded(), kWmWaitMs);
        auto* cmdPe = child<QPushButton>(editor, "cmdPe");
        QSignalSpy clicked(cmdPe, &QAbstractButton::clicked);
        // Through the window, as the window system hands a click over.
        QTest::mouseClick(editor->windowHandle(), Qt::LeftButton, {},
                          cmdPe->mapTo(editor, cmdPe->rect().center()));
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
