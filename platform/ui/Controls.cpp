#include "ui/Controls.h"

#include "db/Database.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLineEdit* passwordBox(QWidget* parent, const char* name) {
    QLineEdit* box = textBox(parent, name);
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void markUnloaded(QWidget* view, const QString& reason) {
    view->setToolTip(reason);
    // A box shows the reason in place of its empty text.
    if (auto* combo = qobject_cast<QComboBox*>(view)) {
        combo->setPlaceholderText(reason);
        // Filled while the reason stood, it chose no entry: the first one, as a first filling does.
        if (reason.isEmpty() && !combo->isEditable() && combo->currentIndex() < 0 && combo->count() > 0) {
            const QSignalBlocker block(combo);
            combo->setCurrentIndex(0);
        }
    }
    if (auto* box = qobject_cast<QLineEdit*>(view))
        box->setPlaceholderText(reason);
    auto* area = qobject_cast<QAbstractScrollArea*>(view);
    if (!area)
        return;
    const QString name = QStringLiteral("unloadedReason");
    auto* label = area->viewport()->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
    if (!label && reason.isEmpty())
        return;
    if (!label) {
        label = new QLabel(area->viewport());
        label->setObjectName(name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        (new QVBoxLayout(area->viewport()))->addWidget(label);
    }
    label->setText(reason);
    label->setVisible(!reason.isEmpty());
}

QString unloadedReason(const db::DbError& failure) {
    return QStringLiteral("未能載入：%1").arg(failure.description());
}

void markUnloaded(QWidget* view, const db::DbError& failure) {
    markUnloaded(view, unloadedReason(failure));
}

} // namespace ui
