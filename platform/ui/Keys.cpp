#include "ui/Keys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

namespace ui {

namespace {

bool isEnter(const QKeyEvent* k) {
    return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
}

class EnterAsTabFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (!isEnter(k) || (k->modifiers() & ~Qt::KeypadModifier))
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            return false;
        // An open pick list takes the Enter itself.
        if (auto* cb = qobject_cast<QComboBox*>(w); cb && cb->view() && cb->view()->isVisible())
            return false;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
        QApplication::sendEvent(w, &tab);
        return true;
    }
};

EnterAsTabFilter* enterFilter() {
    static QPointer<EnterAsTabFilter> filter;
    if (!filter)
        filter = new EnterAsTabFilter(qApp);
    return filter;
}

class AllowedKeysFilter : public QObject {
public:
    AllowedKeysFilter(const QString& allowed, QObject* parent) : QObject(parent), m_allowed(allowed) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress)
            return false;
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        switch (k->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return false;
        default:
            break;
        }
        QString typed = k->text();
        if (k->key() == Qt::Key_Backspace)
            typed = QStringLiteral("\b");
        else if (isEnter(k))
            typed = QStringLiteral("\r");
        if (typed.isEmpty())
            return false;
        for (const QChar c : typed) {
            if (!m_allowed.contains(c)) {
                QApplication::beep();
                return true;
            }
        }
        return false;
    }

private:
    QString m_allowed;
};

} // namespace

void enterAsTab(QWidget* w) {
    if (w)
        w->installEventFilter(enterFilter());
}

void enterAsTabAll(QWidget* parent) {
    if (!parent)
        return;
    for (QLineEdit* e : parent->findChildren<QLineEdit*>())
        enterAsTab(e);
    for (QComboBox* c : parent->findChildren<QComboBox*>())
        enterAsTab(c);
}

void allowOnlyKeys(QWidget* w, const QString& allowed) {
    if (w)
        w->installEventFilter(new AllowedKeysFilter(allowed, w));
}

} // namespace ui
