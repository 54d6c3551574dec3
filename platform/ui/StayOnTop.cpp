#include "ui/StayOnTop.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

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
        m_windows.removeAll(nullptr);
        for (const QPointer<QWidget>& w : std::as_const(m_windows)) {
            if (w->isVisible())
                w->raise();
        }
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

bool isStayOnTop(const QWidget* w) {
    return w && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace ui
