#include "ui/Forms.h"

#include "db/Database.h"
#include "ui/Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace ui {

namespace {
QList<Form*>& registry() {
    static QList<Form*> forms;
    return forms;
}
quint64 nextLoadOrder = 0;
} // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {
    // Every wait for a database held by another workstation shows the wait cursor, whatever
    // command started it.
    static const bool watched = [] {
        db::setBusyWaitHook([](bool waiting) {
            if (waiting)
                QApplication::setOverrideCursor(Qt::WaitCursor);
            else
                QApplication::restoreOverrideCursor();
        });
        return true;
    }();
    Q_UNUSED(watched);
}

Form::~Form() {
    registry().removeAll(this);
}

void Form::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    // A held database costs the whole load one wait, under the wait cursor.
    const db::LoadSession session;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    if (!Form_Initialize()) {
        m_unloaded = true;
        deleteLater();
        return;
    }
    m_loadOrder = ++nextLoadOrder;
    registry().append(this);
    Form_Load();
}

bool Form::unload() {
    if (m_unloaded)
        return true;
    if (m_inUnload) // asked again while its own question is open
        return false;
    m_inUnload = true;
    const QPointer<Form> self(this);
    const bool agreed = Form_QueryUnload();
    if (!self)
        return true;
    m_inUnload = false;
    if (!agreed)
        return false;
    m_unloaded = true;
    registry().removeAll(this);
    Form_Unload();
    hide();
    emit unloaded();
    deleteLater();
    return true;
}

namespace {
// Ends a modal wait when its window is hidden by the program. The window system's own hide of a
// window it minimises is no end: the window is still open and still modal.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop* loop) : m_loop(loop) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide && !e->spontaneous())
            m_loop->quit();
        return QObject::eventFilter(o, e);
    }

private:
    QEventLoop* m_loop;
};
} // namespace

void Form::showModal() {
    // A dialog of the window that opened it, as the toolkit shows its own modal dialogs: the window
    // manager keeps it with its opener and gives it no minimise button, and its modality is taken
    // back only once it is hidden.
    const Qt::WindowFlags flags = windowFlags();
    QWidget* opener =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
    // The close button named, the window manager is told which functions the window has (without
    // it, every function, minimise included).
    setWindowFlags((flags & ~(Qt::WindowType_Mask | Qt::WindowMinMaxButtonsHint)) | Qt::Dialog |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowModality(Qt::ApplicationModal);
    if (opener && opener != this && opener->window()->windowHandle()) {
        winId();
        windowHandle()->setTransientParent(opener->window()->windowHandle());
    }
    show();
    QEventLoop loop;
    HideWatcher watcher(&loop);
    const QPointer<Form> self(this);
    installEventFilter(&watcher);
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (isVisible() && !m_unloaded)
        loop.exec(QEventLoop::DialogExec);
    if (self) {
        removeEventFilter(&watcher);
        if (isHidden()) {
            setWindowModality(Qt::NonModal);
            setWindowFlags(flags);
        }
    }
}

void Form::closeEvent(QCloseEvent* e) {
    if (m_unloaded || unload())
        e->accept();
    else
        e->ignore();
}

QList<Form*> loadedForms() {
    QList<Form*> forms = registry();
    std::stable_sort(forms.begin(), forms.end(), [](const Form* a, const Form* b) {
        if (a->m_priority != b->m_priority)
            return a->m_priority > b->m_priority;
        return a->m_loadOrder < b->m_loadOrder;
    });
    return forms;
}

namespace {

// Brings `w` forward and gives the window system a moment to make it active, so that a question
// its close path asks stands over it. A window the window system will not activate is asked
// from where it is.
void bringForwardNow(QWidget* w) {
    constexpr int kActivationWaitMs = 300;
    bringForward(w);
    if (w->isActiveWindow())
        return;
    const QDeadlineTimer deadline(kActivationWaitMs);
    QEventLoop wait;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &wait, [&wait, &deadline, window = QPointer<QWidget>(w)] {
        if (!window || window->isActiveWindow() || deadline.hasExpired())
            wait.quit();
    });
    poll.start(10);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

bool unloadAllForms(Form* except) {
    for (Form* f : loadedForms()) {
        QPointer<Form> form(f);
        if (!form || form == except || form->isUnloaded())
            continue;
        // Its close path may ask a question: it asks from in front, not from the task bar.
        if (form->isVisible())
            bringForwardNow(form);
        if (!form->unload())
            return false;
    }
    return true;
}

} // namespace ui
