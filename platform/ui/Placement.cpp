#include "ui/Placement.h"

#include "ui/Forms.h"
#include "ui/TopStrip.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <QWindowStateChangeEvent>
#include <algorithm>
#include <functional>

namespace ui {

namespace {

QPointer<QWidget>& topBar() {
    static QPointer<QWidget> bar;
    return bar;
}

// The frame of a window before the window system has told it: a title bar and thin borders.
const QMargins kUsualFrame(4, 28, 4, 4);
// Set on a window once it has been placed.
constexpr char kPlaced[] = "ui_placed";
// Set on a window that opens centred in the opening area.
constexpr char kCentred[] = "ui_centred";
// How long a window waits for its frame (without a window manager none ever comes).
constexpr int kFrameWaitMs = 3000;

// The frame margins the window system has told; none while it has not (or while what it told so
// far does not enclose the window). Asked of the window itself: a widget learns of a frame only
// with its next move or resize, and a frame may come after the last of those.
QMargins knownMargins(const QWidget* w) {
    QMargins m;
    if (const QWindow* window = w->windowHandle()) {
        m = window->frameMargins();
    } else {
        const QRect f = w->frameGeometry();
        const QRect g = w->geometry();
        m = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    }
    return m.left() >= 0 && m.top() >= 0 && m.right() >= 0 && m.bottom() >= 0 ? m : QMargins();
}

// Calls `check` on `w` every little while until it returns true or the frame wait is over.
void whilePolling(QWidget* w, const std::function<bool()>& check) {
    constexpr int kPollMs = 50;
    auto* poll = new QTimer(w);
    poll->setProperty("ui_pollsLeft", kFrameWaitMs / kPollMs);
    QObject::connect(poll, &QTimer::timeout, w, [poll, check] {
        const int left = poll->property("ui_pollsLeft").toInt() - 1;
        poll->setProperty("ui_pollsLeft", left);
        if (check() || left <= 0)
            poll->deleteLater();
    });
    poll->start(kPollMs);
}

QScreen* screenOf(const QWidget* w) {
    if (w && w->screen())
        return w->screen();
    return QGuiApplication::primaryScreen();
}

// The window a window was opened from: its owner, else the window active when it appears.
QWidget* openerOf(QWidget* w) {
    QWidget* opener = w->parentWidget() ? w->parentWidget()->window() : QApplication::activeWindow();
    return opener && opener != w && opener->isVisible() ? opener : nullptr;
}

// Windows and dialogs of the program; not the top bar itself, pop-ups, tool tips or full-screen windows.
bool isPlaced(const QWidget* w) {
    const Qt::WindowType type = w->windowType();
    return (type == Qt::Window || type == Qt::Dialog) && w != topBar() && !w->isFullScreen() &&
           !w->testAttribute(Qt::WA_DontShowOnScreen);
}

// The scroll area of scrollWhenShort: as large as its content until it is told to give up height.
class ShortArea : public QScrollArea {
public:
    explicit ShortArea(QWidget* content) : QScrollArea(content->parentWidget()) {
        const bool hidden = content->isHidden();
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setWidget(content); // shows the content
        if (hidden) {
            content->hide();
            hide();
        }
        content->installEventFilter(this);
    }

    // Gives up to `pixels` of height; false when it has none left to give.
    bool giveUp(int pixels) {
        const int full = fullSize(&QWidget::minimumSizeHint).height();
        const int cut = std::min(m_cut + pixels, std::max(0, full - kLeastHeight));
        if (cut == m_cut)
            return false;
        m_cut = cut;
        updateGeometry();
        return true;
    }

    QSize sizeHint() const override { return fullSize(&QWidget::sizeHint); }
    QSize minimumSizeHint() const override {
        QSize s = fullSize(&QWidget::minimumSizeHint);
        if (m_cut > 0)
            s = QSize(s.width() + verticalScrollBar()->sizeHint().width(), s.height() - m_cut);
        return s;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o == widget() && (e->type() == QEvent::ShowToParent || e->type() == QEvent::HideToParent))
            setVisible(e->type() == QEvent::ShowToParent);
        // Parts shown or hidden inside the content change what the window around it needs.
        if (o == widget() && e->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(o, e);
    }

private:
    static constexpr int kLeastHeight = 60;

    QSize fullSize(QSize (QWidget::*measure)() const) const {
        const QWidget* content = widget();
        return content ? (content->*measure)().expandedTo(content->minimumSize()) : QSize();
    }

    int m_cut = 0;
};

// Where the window system has `w` now. The widget takes a geometry the program sets at once, the window
// system only once the window manager carries it out; a geometry the manager reports meanwhile (its own
// restore, made before the program's request reached it) comes to the widget in part: a move alone
// leaves the widget the size the program asked for, and the window the manager's.
QRect shownGeometry(const QWidget* w) {
    const QWindow* window = w->windowHandle();
    return window && window->handle() ? window->geometry() : w->geometry();
}

// Gives `w` the inside `client`, in the widget and in the window system both (the widget alone asks the
// window system for a move only when its own size is unchanged).
void setClient(QWidget* w, const QRect& client) {
    w->setGeometry(client);
    if (QWindow* window = w->windowHandle(); window && window->handle() && window->geometry() != client)
        window->setGeometry(client);
}

void setFrame(QWidget* w, const QRect& frame, const QMargins& margins) {
    const QRect client = frame.marginsRemoved(margins);
    if (client == w->geometry() && client == shownGeometry(w))
        return;
    setClient(w, client);
    // Its parts need more height than the screen has: parts that can scroll give it up.
    const int over = w->height() - client.height();
    if (over <= 0 || !w->layout())
        return;
    bool gave = false;
    for (ShortArea* area : w->findChildren<ShortArea*>()) {
        if (area->isVisibleTo(w) && !gave)
            gave = area->giveUp(over);
    }
    if (gave) {
        w->layout()->invalidate();
        w->layout()->activate();
        setClient(w, client);
    }
}

// A window placed in `area` with a guessed frame is placed again with its own once the window system
// has framed it. It keeps the inside where it was put; the position it reports meanwhile may be an
// older one.
void awaitFrame(QWidget* w, const QRect& area, const QMargins& guessed) {
    if (!knownMargins(w).isNull() || guessed.isNull())
        return;
    const QRect inside = w->geometry();
    whenFramed(w, [w, area, inside] {
        const QMargins margins = knownMargins(w);
        const QRect fitted = fitInside(inside.marginsAdded(margins), area).marginsRemoved(margins);
        if (fitted != inside || fitted != shownGeometry(w))
            setClient(w, fitted);
    });
}

// A window the program asked maximised. Where the window system would maximise it under the top
// bar (no room reserved for the bar), it fills the area below the bar instead; false when the
// window system's own maximise keeps clear of the bar.
bool fillBelowBar(QWidget* w, const QWidget* opener) {
    const QRect area = openingArea(opener ? opener : w);
    const QScreen* s = screenOf(opener ? opener : w);
    if (!s || area == s->availableGeometry())
        return false;
    const QMargins margins = expectedFrameMargins(w);
    w->setWindowState(w->windowState() & ~Qt::WindowMaximized);
    setFrame(w, area, margins);
    awaitFrame(w, area, margins);
    return true;
}

void place(QWidget* w) {
    w->setProperty(kPlaced, true);
    const QMargins margins = expectedFrameMargins(w);
    QWidget* opener = openerOf(w);
    const QRect area = openingArea(opener ? opener : w);
    QRect frame;
    if (w->windowState().testFlag(Qt::WindowMaximized)) {
        fillBelowBar(w, opener);
        return;
    } else if (w->testAttribute(Qt::WA_Moved)) {
        frame = w->geometry().marginsAdded(margins);
    } else {
        frame = QRect(QPoint(), w->size().grownBy(margins));
        const bool overOpener = opener && !w->property(kCentred).toBool();
        frame.moveCenter(overOpener ? opener->frameGeometry().center() : area.center());
    }
    setFrame(w, fitInside(frame, area), margins);
    awaitFrame(w, area, margins);
}

// A placed window the program made larger (a record window showing its whole page) or the window
// manager gave back its size from before a maximise: kept inside the screen, as the window system
// shows it. A size the user gave it through the window system is his choice.
void keepInside(QWidget* w) {
    if (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QMargins margins = expectedFrameMargins(w);
    const QRect frame = shownGeometry(w).marginsAdded(margins);
    const QScreen* s = screenOf(w);
    if (s && !s->availableGeometry().contains(frame))
        setFrame(w, fitInside(frame, openingArea(w)), margins);
}

void keepInScreen(QWidget* popup) {
    const QScreen* s = QGuiApplication::screenAt(popup->geometry().center());
    if (!s)
        s = screenOf(popup);
    if (!s)
        return;
    const QRect fitted = fitInside(popup->geometry(), s->availableGeometry());
    if (fitted != popup->geometry())
        popup->setGeometry(fitted);
}

// A message box takes its size and its place in its own show, after this filter has seen it: the
// toolkit centres it over its owner inside the screen's free area. Moved before that, it keeps its
// place but the window manager leaves it unpainted; so it is only moved, once shown, where the
// toolkit left it under the top bar.
void placeMessageBox(QWidget* w) {
    w->setProperty(kPlaced, true);
    const QMargins margins = expectedFrameMargins(w);
    const QRect frame = w->geometry().marginsAdded(margins);
    const QWidget* opener = openerOf(w);
    const QRect area = openingArea(opener ? opener : w);
    if (!area.contains(frame))
        setFrame(w, fitInside(frame, area), margins);
}

class Placer : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* o, QEvent* e) override {
        const QEvent::Type type = e->type();
        if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize &&
             type != QEvent::WindowStateChange) ||
            !o->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(o);
        if (!w->isWindow())
            return false;
        if (w == topBar()) {
            if (type == QEvent::Show)
                showAsDock(w);
            if (type == QEvent::Show && !expectedFrameMargins(w).isNull() && knownMargins(w).isNull())
                whenFramed(w, [w] { reserveTopStrip(w); });
            if (type != QEvent::WindowStateChange)
                reserveTopStrip(w);
            return false;
        }
        if (type == QEvent::WindowStateChange) {
            // The program maximises a shown window: placed as at its first show. (The window
            // system's own maximise stops below the reserved strip by itself: then nothing moves.)
            const auto* change = static_cast<QWindowStateChangeEvent*>(e);
            if (w->isVisible() && w->property(kPlaced).toBool() &&
                w->windowState().testFlag(Qt::WindowMaximized) &&
                !change->oldState().testFlag(Qt::WindowMaximized))
                fillBelowBar(w, openerOf(w));
            // Restored by the window manager: its size and frame from before come before or after
            // this, not always with a move or resize.
            if (change->oldState().testFlag(Qt::WindowMaximized) && !w->isMaximized())
                whilePolling(w, [w] {
                    keepInside(w);
                    return false; // until the wait is over
                });
            return false;
        }
        if (type == QEvent::Show) {
            if (w->windowType() == Qt::Popup)
                keepInScreen(w);
            else if (isPlaced(w) && !w->property(kPlaced).toBool() && qobject_cast<QMessageBox*>(w))
                QMetaObject::invokeMethod(
                    w, [w] { placeMessageBox(w); }, Qt::QueuedConnection);
            else if (isPlaced(w) && !w->property(kPlaced).toBool())
                place(w);
        } else if (type == QEvent::Resize && !e->spontaneous() && w->isVisible() &&
                   w->property(kPlaced).toBool()) {
            // Once the layout that grew it has finished.
            QMetaObject::invokeMethod(
                w, [w] { keepInside(w); }, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void setTopBar(QWidget* bar) {
    topBar() = bar;
    bringModalForwardOnPress(bar);
}

QRect openingArea(const QWidget* w) {
    const QScreen* s = screenOf(w);
    if (!s)
        return QRect(0, 0, 1024, 768);
    QRect area = s->availableGeometry();
    const QWidget* bar = topBar();
    if (bar && bar->isVisible() && bar->screen() == s) {
        // The larger part of the area beside the bar: below it where it keeps the top, above it
        // where it was moved down (a window never opens below the screen's edge).
        const QRect barFrame = bar->geometry().marginsAdded(expectedFrameMargins(bar));
        if (barFrame.intersects(area)) {
            QRect below = area, above = area;
            below.setTop(barFrame.bottom() + 1);
            above.setBottom(barFrame.top() - 1);
            area = below.height() >= above.height() ? below : above;
        }
    }
    return area;
}

QRect fitInside(QRect frame, const QRect& area) {
    frame.setWidth(std::min(frame.width(), area.width()));
    frame.setHeight(std::min(frame.height(), area.height()));
    frame.moveLeft(std::clamp(frame.left(), area.left(), area.right() + 1 - frame.width()));
    frame.moveTop(std::clamp(frame.top(), area.top(), area.bottom() + 1 - frame.height()));
    return frame;
}

QMargins expectedFrameMargins(const QWidget* w) {
    if (w->windowFlags().testFlag(Qt::FramelessWindowHint) || w->windowType() == Qt::Popup)
        return {};
    if (const QMargins m = knownMargins(w); !m.isNull())
        return m;
    if (const QWidget* bar = topBar(); bar && bar != w) {
        if (const QMargins m = knownMargins(bar); !m.isNull())
            return m;
    }
    return kUsualFrame;
}

QWidget* scrollWhenShort(QWidget* content) {
    return new ShortArea(content);
}

void whenFramed(QWidget* w, const std::function<void()>& framed) {
    whilePolling(w, [w, framed] {
        const bool isFramed = !knownMargins(w).isNull();
        if (isFramed)
            framed();
        return isFramed;
    });
}

void showOrRaise(QWidget* w, bool maximised) {
    // A window that closed while it loaded (its load began a new session) is not shown.
    if (const auto* f = qobject_cast<const Form*>(w); f && f->isUnloaded())
        return;
    if (!w->isVisible())
        maximised ? w->showMaximized() : w->show();
    bringForward(w);
}

void bringForward(QWidget* w) {
    if (w->isMinimized())
        w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    w->raise();
    w->activateWindow();
}

void openCentred(QWidget* w) {
    w->setProperty(kCentred, true);
}

void installWindowPlacement() {
    static QPointer<Placer> placer;
    if (!placer && qApp) {
        placer = new Placer(qApp);
        qApp->installEventFilter(placer);
    }
}

} // namespace ui
