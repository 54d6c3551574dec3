#include "ui/Controls.h"

#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

} // namespace ui
