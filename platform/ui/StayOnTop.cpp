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

    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && o->isWidgetType()) {
            auto* shown = static_cast<QWidget*>(o);
            const Qt::WindowType type = shown->windowType();
            if ((type == Qt::Window || type == Qt::Dialog) && !m_windows.contains(shown))
                QMetaObject::invokeMethod(this, &TopKeeper::raiseAll, Qt::QueuedConnection);
        }
        return false;
    }

    void raiseAll() {
        for (QWidget* w : windowsToRaise())
            w->raise();
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
