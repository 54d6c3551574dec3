#include "ui/TopStrip.h"

#include "ui/Placement.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
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

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The head of an XInput 2 device event as the X server sends it (a generic event of the extension).
struct XiDeviceEventHead {
    uint8_t responseType;
    uint8_t extension;
    uint16_t sequence;
    uint32_t length;
    uint16_t eventType;
    uint16_t deviceId;
    uint32_t time;
    uint32_t detail;
    uint32_t root;
    uint32_t event;
};
constexpr uint16_t kXiButtonPress = 4;

// A press on the bar while a modal window blocks it: the toolkit hands the bar no mouse event, so the
// press is seen here and brings the modal window forward (minimised, it comes back). Where the X
// server has XInput 2 the toolkit takes mouse buttons as its events, and no core press comes.
class BlockedBarPresses : public QAbstractNativeEventFilter {
public:
    QPointer<QWidget> bar;
    int xinputOpcode = -1;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !bar)
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        const uint8_t kind = e->response_type & ~0x80;
        xcb_window_t pressed = XCB_WINDOW_NONE;
        if (kind == XCB_BUTTON_PRESS) {
            pressed = reinterpret_cast<const xcb_button_press_event_t*>(e)->event;
        } else if (kind == XCB_GE_GENERIC) {
            const auto* xi = static_cast<const XiDeviceEventHead*>(message);
            if (xi->extension == xinputOpcode && xi->eventType == kXiButtonPress)
                pressed = xi->event;
        }
        if (pressed == XCB_WINDOW_NONE || pressed != xcb_window_t(bar->internalWinId()))
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
    xcb_connection_t* c = x11Connection();
    if (!presses && c) {
        presses = new BlockedBarPresses;
        constexpr char kXInput[] = "XInputExtension";
        xcb_query_extension_reply_t* xi = xcb_query_extension_reply(
            c, xcb_query_extension(c, uint16_t(qstrlen(kXInput)), kXInput), nullptr);
        if (xi && xi->present)
            presses->xinputOpcode = xi->major_opcode;
        free(xi);
        qApp->installNativeEventFilter(presses);
    }
    if (presses)
        presses->bar = bar;
#else
    Q_UNUSED(bar);
#endif
}

void showAsDock(QWidget* bar) {
#ifdef KAVO_XCB
    xcb_connection_t* c = x11Connection();
    if (!c || !bar->windowHandle())
        return;
    // The toolkit writes the window's type again whenever its flags change; its xcb plugin keeps the
    // type this property names (a dock).
    constexpr int kToolkitDockType = 0x4;
    bar->windowHandle()->setProperty("_q_xcb_wm_window_type", kToolkitDockType);
    const xcb_atom_t dock = atom(c, "_NET_WM_WINDOW_TYPE_DOCK");
    if (const xcb_atom_t a = atom(c, "_NET_WM_WINDOW_TYPE"); a != XCB_ATOM_NONE && dock != XCB_ATOM_NONE)
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(bar->winId()), a, XCB_ATOM_ATOM, 32, 1,
                            &dock);
    xcb_flush(c);
#else
    Q_UNUSED(bar);
#endif
}

void reserveTopStrip(QWidget* bar) {
#ifdef KAVO_XCB
    xcb_connection_t* c = x11Connection();
    if (!c || !bar->isVisible() || !bar->screen())
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
    const auto window = xcb_window_t(bar->winId());
    setCardinals<12>(c, window, "_NET_WM_STRUT_PARTIAL", {0, 0, top, 0, 0, 0, 0, 0, left, right, 0, 0});
    setCardinals<4>(c, window, "_NET_WM_STRUT", {0, 0, top, 0});
    xcb_flush(c);
#else
    Q_UNUSED(bar);
#endif
}

} // namespace ui
