#include "ui/Forms.h"

#include "db/Database.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QScopeGuard>
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
    m_loadOrder = ++nextLoadOrder;
    registry().append(this);
    // A held database costs the whole load one wait, under the wait cursor.
    const db::LoadSession session;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
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
// Ends a modal wait when its window is hidden.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop* loop) : m_loop(loop) {}
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide)
            m_loop->quit();
        return QObject::eventFilter(o, e);
    }

private:
    QEventLoop* m_loop;
};
} // namespace

void Form::showModal() {
    setWindowModality(Qt::ApplicationModal);
    show();
    QEventLoop loop;
    HideWatcher watcher(&loop);
    const QPointer<Form> self(this);
    installEventFilter(&watcher);
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (isVisible() && !m_unloaded)
        loop.exec();
    if (self) {
        removeEventFilter(&watcher);
        setWindowModality(Qt::NonModal);
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

bool unloadAllForms(Form* except) {
    for (Form* f : loadedForms()) {
        QPointer<Form> form(f);
        if (!form || form == except || form->isUnloaded())
            continue;
        if (form->isVisible()) {
            form->raise();
            form->activateWindow();
        }
        if (!form->unload())
            return false;
    }
    return true;
}

} // namespace ui
