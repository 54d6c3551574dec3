#include "ui/TopStrip.h"

#include "ui/Placement.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cmath>

#ifdef KAVO_XCB
#include <xcb/xcb.h>
#endif

namespace ui {

#ifdef KAVO_XCB
namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return a;
}

template <size_t N>
void setCardinals(xcb_connection_t* c, xcb_window_t window, const char* name,
                  const std::array<uint32_t, N>& values) {
    if (const xcb_atom_t a = atom(c, name); a != XCB_ATOM_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, a, XCB_ATOM_CARDINAL, 32, uint32_t(N),
                            values.data());
}

// A press on the bar while a modal window blocks it: the toolkit hands the bar no mouse event, so the
// press is seen here and brings the modal window forward (minimised, it comes back).
class BlockedBarPresses : public QAbstractNativeEventFilter {
public:
    QPointer<QWidget> bar;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !bar)
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & ~0x80) != XCB_BUTTON_PRESS ||
            reinterpret_cast<const xcb_button_press_event_t*>(e)->event != xcb_window_t(bar->internalWinId()))
            return false;
        if (QWidget* modal = QApplication::activeModalWidget())
            QTimer::singleShot(0, modal, [modal] { bringForward(modal); });
        return false;
    }
};

} // namespace
#endif

void bringModalForwardOnPress(QWidget* bar) {
#ifdef KAVO_XCB
    static BlockedBarPresses* presses = nullptr;
    if (!presses && qApp) {
        presses = new BlockedBarPresses;
        qApp->installNativeEventFilter(presses);
    }
    if (presses)
        presses->bar = bar;
#else
    Q_UNUSED(bar);
#endif
}

void reserveTopStrip(QWidget* bar) {
#ifdef KAVO_XCB
    auto* x11 = QGuiApplication::platformName() == QLatin1String("xcb")
                    ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                    : nullptr;
    if (!x11 || !x11->connection() || !bar->isVisible() || !bar->screen())
        return;
    // The window manager counts in device pixels from the top left of the whole desktop.
    const qreal ratio = bar->devicePixelRatioF();
    const auto px = [ratio](int v) { return uint32_t(std::max(0L, std::lround(v * ratio))); };
    const QRect screen = bar->screen()->geometry();
    // From the screen's top, whatever the bar's place: a window manager that moves the bar below a
    // strip it reserved would otherwise see the strip grow with every move.
    const QMargins frame = expectedFrameMargins(bar);
    const uint32_t top = px(screen.top() + frame.top() + bar->height() + frame.bottom());
    const uint32_t left = px(screen.left());
    const uint32_t right = px(screen.right() + 1) - 1;
    const QVariant reserved = QList<QVariant>{top, left, right};
    if (bar->property("ui_reservedStrip") == reserved)
        return;
    bar->setProperty("ui_reservedStrip", reserved);
    xcb_connection_t* c = x11->connection();
    const auto window = xcb_window_t(bar->winId());
    setCardinals<12>(c, window, "_NET_WM_STRUT_PARTIAL", {0, 0, top, 0, 0, 0, 0, 0, left, right, 0, 0});
    setCardinals<4>(c, window, "_NET_WM_STRUT", {0, 0, top, 0});
    xcb_flush(c);
#else
    Q_UNUSED(bar);
#endif
}

} // namespace ui
