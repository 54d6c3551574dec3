#include "ui/StayOnTop.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

bool isOwnedBy(const QWidget* w, const QWidget* owner) {
    for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (p == owner)
            return true;
    }
    return false;
}

class TopKeeper : public QObject {
public:
    using QObject::QObject;

    void add(QWidget* w) {
        if (!m_windows.contains(w))
            m_windows.append(w);
    }
    void remove(QWidget* w) { m_windows.removeAll(w); }

    // Another window shown, or an open one brought to the front (raise()), would cover the kept
    // windows where no window manager keeps them on top.
    bool eventFilter(QObject* o, QEvent* e) override {
        if ((e->type() == QEvent::Show || e->type() == QEvent::ZOrderChange) && o->isWidgetType() &&
            !m_raising && !m_pending) {
            auto* w = static_cast<QWidget*>(o);
            const Qt::WindowType type = w->windowType();
            if ((type == Qt::Window || type == Qt::Dialog) && w->isVisible() && !m_windows.contains(w)) {
                m_pending = true;
                QMetaObject::invokeMethod(this, &TopKeeper::raiseAll, Qt::QueuedConnection);
            }
        }
        return false;
    }

    void raiseAll() {
        m_pending = false;
        m_raising = true; // the raises below change the order again: no new round for them
        for (QWidget* w : windowsToRaise())
            w->raise();
        m_raising = false;
    }

    // Each visible kept window, followed by the visible windows it owns (its message boxes and
    // dialogs), which stay above their owner.
    QList<QWidget*> windowsToRaise() {
        m_windows.removeAll(nullptr);
        QList<QWidget*> order;
        for (const QPointer<QWidget>& w : std::as_const(m_windows)) {
            if (!w->isVisible())
                continue;
            order << w;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top->isVisible() && !m_windows.contains(top) && isOwnedBy(top, w))
                    order << top;
            }
        }
        return order;
    }

private:
    QList<QPointer<QWidget>> m_windows;
    bool m_raising = false;
    bool m_pending = false;
};

TopKeeper* keeper() {
    static QPointer<TopKeeper> k;
    if (!k && qApp) {
        k = new TopKeeper(qApp);
        qApp->installEventFilter(k);
    }
    return k;
}

} // namespace

void setStayOnTop(QWidget* w, bool on) {
    if (!w)
        return;
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (TopKeeper* k = keeper()) {
        if (on)
            k->add(w);
        else
            k->remove(w);
    }
    if (visible)
        w->show();
}

QList<QWidget*> windowsKeptOnTop() {
    TopKeeper* k = keeper();
    return k ? k->windowsToRaise() : QList<QWidget*>();
}

bool isStayOnTop(const QWidget* w) {
    return w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace ui
