#include "ui/Controls.h"

#include "db/Database.h"
#include "text/TextCut.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolTip>
#include <QVBoxLayout>
#include <limits>

namespace ui {

namespace {

constexpr int kToolkitLimit = 32767; // QLineEdit's default maxLength
constexpr int kWhole = std::numeric_limits<int>::max();
// The box's own limit in UTF-16 units (0: none), once the rule holds for it.
const char* const kOwnLimit = "ownTextLimit";

const char* const kUnloaded = "unloaded";

// Reads a box's list again as it is about to drop down, while the list is not read.
class ReadAgain final : public QObject {
public:
    ReadAgain(QComboBox* box, std::function<void()> read, std::function<bool()> unread)
        : QObject(box), m_box(box), m_read(std::move(read)), m_unread(std::move(unread)) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        // A press on an editable box's text places the cursor; only a press on the box drops it down.
        bool dropping = e->type() == QEvent::MouseButtonPress && watched == m_box;
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            dropping = k->key() == Qt::Key_F4 ||
                       ((k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) && (k->modifiers() & Qt::AltModifier));
        }
        if (dropping && (isUnloaded(m_box) || (m_unread && m_unread())))
            m_read();
        return false;
    }

private:
    QComboBox* m_box;
    std::function<void()> m_read;
    std::function<bool()> m_unread;
};

// Every line edit the program places in a window or shows takes its text whole.
class TextBoxRule final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Polish || e->type() == QEvent::ParentChange)
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                keepTextWhole(box);
        return false;
    }
};

void installTextBoxRule() {
    static QPointer<TextBoxRule> rule;
    QCoreApplication* app = QCoreApplication::instance();
    if (rule || !app)
        return;
    rule = new TextBoxRule(app);
    app->installEventFilter(rule);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installTextBoxRule)

QString textCutTip(int limit) {
    return QStringLiteral("文字太長：只收前 %1 個字元，其後的已截去").arg(limit);
}

namespace {
void sayCut(QLineEdit* box, int limit) {
    QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), textCutTip(limit), box);
}
} // namespace

void keepTextWhole(QLineEdit* box) {
    installTextBoxRule();
    const int max = box->maxLength();
    if (max == kWhole)
        return; // the rule holds, and no limit was set since
    const bool first = !box->property(kOwnLimit).isValid();
    const int limit = max == kToolkitLimit ? 0 : max;
    box->setProperty(kOwnLimit, limit);
    box->setMaxLength(kWhole);
    // A text the toolkit cut at the limit before the rule held for it may end inside a character.
    if (const QString t = box->text(); limit > 0 && t.size() == limit && t.back().isHighSurrogate()) {
        box->setText(t.chopped(1));
        sayCut(box, limit);
    }
    if (!first)
        return;
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& t) {
        const int own = box->property(kOwnLimit).toInt();
        if (own <= 0 || t.size() <= own)
            return;
        box->setText(text::cutToUnits(t, own));
        sayCut(box, own);
    });
}

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    keepTextWhole(box);
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
    view->setProperty(kUnloaded, !reason.isEmpty());
    // A box shows the reason in place of its empty text; what it holds is never touched.
    if (auto* combo = qobject_cast<QComboBox*>(view)) {
        if (combo->isEditable()) {
            // Its line edit's placeholder: the combo's own would choose an entry when cleared.
            combo->lineEdit()->setPlaceholderText(reason);
        } else {
            // The combo's placeholder counts in its minimum width: the width it has without one
            // is kept while the reason stands.
            const char* const kWidth = "widthBeforeReason";
            if (!reason.isEmpty() && !combo->property(kWidth).isValid()) {
                combo->setProperty(kWidth, combo->minimumWidth());
                combo->setMinimumWidth(combo->minimumSizeHint().width());
            }
            combo->setPlaceholderText(reason);
            if (reason.isEmpty() && combo->property(kWidth).isValid()) {
                combo->setMinimumWidth(combo->property(kWidth).toInt());
                combo->setProperty(kWidth, QVariant());
            }
            // Filled while the reason stood, it chose no entry: the first one, as a first filling does.
            if (reason.isEmpty() && combo->currentIndex() < 0 && combo->count() > 0) {
                const QSignalBlocker block(combo);
                combo->setCurrentIndex(0);
            }
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

bool isUnloaded(const QWidget* view) {
    return view->property(kUnloaded).toBool();
}

void readAgainAtUse(QComboBox* box, const std::function<void()>& read, const std::function<bool()>& unread) {
    auto* filter = new ReadAgain(box, read, unread);
    box->installEventFilter(filter);
    if (box->lineEdit())
        box->lineEdit()->installEventFilter(filter);
}

void refill(QComboBox* box, const QStringList& items) {
    const QString text = box->currentText();
    const int index = box->currentIndex();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    if (!box->isEditable())
        return;
    // Adding to an empty box chooses its first entry: the entry chosen before, if it still is one,
    // else none, and the text as it was.
    box->setCurrentIndex(index >= 0 && index < box->count() && box->itemText(index) == text ? index : -1);
    box->setEditText(text);
}

} // namespace ui
